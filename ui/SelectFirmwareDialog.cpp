#include "ui/SelectFirmwareDialog.h"

#include "ui/UiCommon.h"

#include "app/EventWatch.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace UpdatePelarin {

SelectFirmwareDialog::SelectFirmwareDialog(QWidget* parent) : SelectionDialog(parent)
{
    QVBoxLayout* vboxLayout =
        SetUpDialog(this, {"SelectFirmwareDialogClass", Qt::ApplicationModal, QSize(340, 200), QSize(270, 200)});
    m_instruction = MakeLabel(this, "instruction", true);
    m_deviceName = MakeLabel(this, "deviceName", true);
    m_deviceName->setTextFormat(Qt::PlainText);
    AlignToLayoutStart(m_deviceName);
    vboxLayout->addWidget(m_instruction);
    vboxLayout->addWidget(m_deviceName);
    m_firmwareVersions = AddChoice(vboxLayout, "firmwareVersions");
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void SelectFirmwareDialog::RetranslateUi()
{
    setWindowTitle(tr("Select Software Version", "UR-300"));
    m_instruction->setText(tr("Select the desired software version.", "UR-301"));
    SetButtonTexts(tr("OK", "UR-309"), tr("Cancel", "UR-311"));
    MarkCurrentVersion();
}

void SelectFirmwareDialog::MarkCurrentVersion()
{
    if (m_currentIndex < 0)
        return;
    const QString version = m_firmwareVersions->itemData(m_currentIndex).toString();
    m_firmwareVersions->setItemText(m_currentIndex, tr("%1 (Current)", "UR-305").arg(version));
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
    // Only one version is the device's.
    if (m_currentIndex >= 0)
        m_firmwareVersions->setItemText(m_currentIndex, m_firmwareVersions->itemData(m_currentIndex).toString());
    m_currentIndex = index;
    m_firmwareVersions->setCurrentIndex(index);
    MarkCurrentVersion();
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
