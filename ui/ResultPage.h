#pragma once

#include <QWizardPage>

class QLabel;

namespace UpdatePelarin {

// The layout the two final pages share: a message, the device's name and software version, a
// notice, and an illustration on the right.
class ResultPage : public QWizardPage
{
    Q_OBJECT

public:
    void SetDeviceName(const QString& name);
    void SetVersion(const QString& version);

protected:
    ResultPage(const char* objectName, const QString& illustration, QWidget* parent);

    QLabel* m_message;
    QLabel* m_deviceName;
    QLabel* m_versionLabel;
    QLabel* m_version;
    QLabel* m_notice;
    QLabel* m_illustration;
};

} // namespace UpdatePelarin
