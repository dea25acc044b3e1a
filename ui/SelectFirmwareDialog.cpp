#include "ui/SelectFirmwareDialog.h"

#include "ui/UiCommon.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

SelectFirmwareDialog::SelectFirmwareDialog(QWidget* parent) : SelectionDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"SelectFirmwareDialogClass", Qt::ApplicationModal, QSize(340, 200), QSize(270, 200)},
                    tr("Select Software Version", "UR-300"));
    QLabel* instruction = MakeLabel(this, "instruction", true);
    instruction->setText(tr("Select the desired software version.", "UR-301"));
    m_deviceName = MakeLabel(this, "deviceName", true);
    m_deviceName->setTextFormat(Qt::PlainText);
    vboxLayout->addWidget(instruction);
    vboxLayout->addWidget(m_deviceName);
    m_firmwareVersions = AddChoice(vboxLayout, "firmwareVersions", tr("OK", "UR-309"), tr("Cancel", "UR-311"));
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

} // namespace UpdatePelarin
