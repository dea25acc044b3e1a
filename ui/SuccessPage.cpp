#include "ui/SuccessPage.h"

#include "app/EventWatch.h"

#include <QLabel>

namespace UpdatePelarin {

SuccessPage::SuccessPage(QWidget* parent)
    : ResultPage("SuccessPageClass", QStringLiteral(":/ui/img_success_illustration"), parent)
{
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void SuccessPage::RetranslateUi()
{
    setTitle(tr("Process completed", "UR-099"));
    m_message->setText(
        tr("Your device has been successfully updated. It is now safe to turn the device off.", "UR-090"));
    m_versionLabel->setText(tr("Software version:", "UR-092"));
    m_notice->setText(tr("Click \"Finish\" to close this window.", "UR-205"));
}

} // namespace UpdatePelarin
