#include "ui/AlreadyUpToDatePage.h"

#include "app/EventWatch.h"

#include <QLabel>
#include <QPixmap>

namespace UpdatePelarin {

namespace {
constexpr char SupportLinkTarget[] = "support";
}

AlreadyUpToDatePage::AlreadyUpToDatePage(QWidget* parent)
    : ResultPage("AlreadyUpToDatePageClass", QStringLiteral(":/ui/img_already_up_to_date_illustration"), parent)
{
    m_message->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QMetaObject::connectSlotsByName(this);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void AlreadyUpToDatePage::RetranslateUi()
{
    if (m_updateSupported) {
        setTitle(tr("Update is not needed", "UR-088"));
        m_message->setText(tr("Your device already has the latest software version.  No update is needed.  It is "
                              "now safe to turn the device off and disconnect the USB cable.",
                              "UR-078"));
    } else {
        setTitle(tr("Update was not successful", "UR-398"));
        m_message->setText(tr("<qt><p><b>Error:</b>&nbsp; This program does not support software version updates "
                              "for your device configuration.</p><p>Keep this program open and <a "
                              "href=\"support\">contact Orvo Product Support</a>.</p><p>It is now safe to "
                              "disconnect the USB cable from the device.</p></qt>",
                              "UR-395"));
    }
    m_versionLabel->setText(tr("Software version:", "UR-080"));
    m_notice->setText(tr("Click \"Finish\" to close this window.", "UR-087, UR-397"));
}

void AlreadyUpToDatePage::SetUpdateSupported(bool supported)
{
    if (supported || !m_updateSupported)
        return;
    m_updateSupported = false;
    RetranslateUi();
    m_deviceName->hide();
    m_versionLabel->hide();
    m_version->hide();
    m_illustration->setPixmap(QPixmap(QStringLiteral(":/ui/img_not_success_illustration")));
}

void AlreadyUpToDatePage::on_message_linkActivated(const QString& link)
{
    if (link == QLatin1String(SupportLinkTarget))
        emit ContactRequested();
}

} // namespace UpdatePelarin
