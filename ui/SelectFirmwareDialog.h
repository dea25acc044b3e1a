#pragma once

#include "ui/SelectionDialog.h"

#include <QStringList>

class QComboBox;
class QLabel;

namespace UpdatePelarin {

// In selection mode, lets the user pick the software version to program.
class SelectFirmwareDialog : public SelectionDialog
{
    Q_OBJECT

public:
    explicit SelectFirmwareDialog(QWidget* parent = nullptr);

    // One item per version, in the given order, with the version as text and data.
    void SetVersions(const QStringList& versions);
    // Marks the item whose text is exactly version as the device's current one and selects it.
    void SetCurrentVersion(const QString& version);
    void SetDeviceName(const QString& name);
    // The plain version of the current item, never with the "(Current)" mark.
    QString SelectedVersion() const;

private:
    void RetranslateUi();
    void MarkCurrentVersion();

    QLabel* m_instruction;
    QLabel* m_deviceName;
    QComboBox* m_firmwareVersions;
    // The item marked "(Current)", -1 while none is.
    int m_currentIndex = -1;
};

} // namespace UpdatePelarin
