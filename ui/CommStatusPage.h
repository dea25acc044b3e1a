#pragma once

#include <QWizardPage>

class QLabel;
class QProgressBar;

namespace UpdatePelarin {

// Shows what the update is doing and how far it is. Next is never enabled: the wizard moves on
// when the update is over.
class CommStatusPage : public QWizardPage
{
    Q_OBJECT

public:
    enum Status
    {
        Reset = 0,
        WaitingForVersionSelection = 1,
        Downloading = 2,
        Updating = 3,
        Confirming = 4,
    };

    explicit CommStatusPage(QWidget* parent = nullptr);

    // Setting the status it already has does nothing.
    void SetStatus(int status);
    // percent of the whole update, shown while downloading, updating and confirming.
    void SetProgress(short percent);
    void SetDeviceName(const QString& name);

    bool isComplete() const override { return false; }

private:
    void RetranslateUi();
    void RefreshNotice();
    void RefreshStatusMessage();

    QLabel* m_statusMessage;
    QProgressBar* m_progressBar;
    QLabel* m_percent;
    QLabel* m_notice;
    QString m_deviceName;
    short m_progress = 0;
    int m_status = Reset;
    // A new page has no notice until its first status change.
    bool m_noticeShown = false;
};

} // namespace UpdatePelarin
