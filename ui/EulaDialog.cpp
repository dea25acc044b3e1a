#include "ui/EulaDialog.h"

#include "ui/UiCommon.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace UpdatePelarin {

EulaDialog::EulaDialog(QWidget* parent) : QDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"EulaDialogClass", Qt::ApplicationModal, QSize(400, 300), QSize(), true},
                    tr("License Agreement", "UR-046"));
    QLabel* message = MakeLabel(this, "message", true);
    message->setText(tr("You have agreed to comply with the following:", "UR-047"));
    m_eulaBox = new QTextEdit(this);
    m_eulaBox->setObjectName(QStringLiteral("eulaBox"));
    m_eulaBox->setReadOnly(true);
    vboxLayout->addWidget(message);
    vboxLayout->addWidget(m_eulaBox);
    QPushButton* close = MakeButton(this, "close");
    close->setText(tr("Close", "UR-051"));
    AddButtonRow(vboxLayout, {close});
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void EulaDialog::SetLicenseHtml(const QString& html)
{
    m_eulaBox->setHtml(html);
}

} // namespace UpdatePelarin
