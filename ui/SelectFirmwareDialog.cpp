#include "ui/SelectFirmwareDialog.h"

#include "ui/ConfirmationBox.h"
#include "ui/UiCommon.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace UpdatePelarin {

SelectFirmwareDialog::SelectFirmwareDialog(QWidget* parent) : CloseGuardedDialog(parent)
{
    setObjectName(QStringLiteral("SelectFirmwareDialogClass"));
    setModal(true);
    SetUpDialogFrame(this, tr("Select Software Version", "UR-300"));
    setMinimumSize(270, 200);
    resize(340, 200);

    auto* vboxLayout = new QVBoxLayout(this);
    vboxLayout->setObjectName(QStringLiteral("vboxLayout"));
    QLabel* instruction = MakeLabel(this, "instruction", true);
    instruction->setText(tr("Select the desired software version.", "UR-301"));
    m_deviceName = MakeLabel(this, "deviceName", true);
    m_deviceName->setTextFormat(Qt::PlainText);
    m_firmwareVersions = new QComboBox(this);
    m_firmwareVersions->setObjectName(QStringLiteral("firmwareVersions"));
    vboxLayout->addWidget(instruction);
    vboxLayout->addWidget(m_deviceName);
    vboxLayout->addWidget(m_firmwareVersions);
    vboxLayout->addStretch();
    QPushButton* ok = MakeButton(this, "ok");
    ok->setText(tr("OK", "UR-309"));
    ok->setDefault(true);
    QPushButton* cancel = MakeButton(this, "cancel");
    cancel->setText(tr("Cancel", "UR-311"));
    AddButtonRow(vboxLayout, {ok, cancel});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QMetaObject::connectSlotsByName(this);
}

void SelectFirmwareDialog::SetVersions(const QStringList& versions)
{
    for (const QString& version : versions)
        m_firmwareVersions->addItem(version, version);
}

void SelectFirmwareDialog::SetCurrentVersion(const QString& version)
{
    const int index = m_firmwareVersions->findText(version, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return;
    m_firmwareVersions->setItemText(index, tr("%1 (Current)", "UR-305").arg(version));
    m_firmwareVersions->setCurrentIndex(index);
}

void SelectFirmwareDialog::SetDeviceName(const QString& name)
{
    m_deviceName->setText(name);
}

QString SelectFirmwareDialog::SelectedVersion() const
{
    return m_firmwareVersions->currentData().toString();
}

bool SelectFirmwareDialog::MayClose()
{
    return ConfirmationBox::Confirm(ConfirmationBox::AbortApplication, this);
}

void SelectFirmwareDialog::on_cancel_clicked()
{
    if (ConfirmationBox::Confirm(ConfirmationBox::AbortApplication, this))
        reject();
}

} // namespace UpdatePelarin
