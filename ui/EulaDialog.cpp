#include "ui/EulaDialog.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UpdatePelarin {

EulaDialog::EulaDialog(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"EulaDialogClass", Qt::ApplicationModal, QSize(400, 300), QSize(), true});
    m_message = MakeLabel(this, "message", true);
    m_eulaBox = new QTextEdit(this);
    m_eulaBox->setObjectName(QStringLiteral("eulaBox"));
    m_eulaBox->setReadOnly(true);
    vboxLayout->addWidget(m_message);
    vboxLayout->addWidget(m_eulaBox);
    m_close = MakeButton(this, "close");
    AddButtonRow(vboxLayout, {m_close});
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void EulaDialog::RetranslateUi()
{
    setWindowTitle(tr("License Agreement", "UR-046"));
    m_message->setText(tr("You have agreed to comply with the following:", "UR-047"));
    m_close->setText(tr("Close", "UR-051"));
}

void EulaDialog::SetLicenseHtml(const QString& html)
{
    m_eulaBox->setHtml(html);
}

} // namespace UpdatePelarin
