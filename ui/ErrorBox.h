#pragma once

#include "ui/CloseGuardedDialog.h"
#include "ui/ISupportHost.h"

class QLabel;
class QPushButton;

namespace UpdatePelarin {

struct ErrorEntry;

// Shows one entry of the error table. Retry accepts; Exit, Escape and a close request reject,
// after asking first when confirm exit is set. The support manager fills and runs it
// (SupportManager::DisplayError); in support mode it offers the System Information button.
class ErrorBox : public CloseGuardedDialog, public ISupportHost
{
    Q_OBJECT

public:
    explicit ErrorBox(QWidget* parent = nullptr);

    // The texts come translated; both fit the dialog's size to them.
    void SetHeadline(const QString& headline);
    void SetDetails(const QString& details);
    void ShowRetry(bool show);
    void SetConfirmExit(bool confirm);
    // All four from one entry of the error table; its texts follow later language changes.
    void ShowEntry(const ErrorEntry& entry);

public slots:
    void EnableSupport(bool enable) override;
    void ExitClicked();

signals:
    void ContactRequested();
    void SystemInfoRequested();

protected:
    bool MayClose() override;
    void changeEvent(QEvent* event) override;

private slots:
    void on_systemInfo_clicked();
    void on_details_linkActivated(const QString& link);

private:
    void RetranslateUi();
    void ShowHeadline(const QString& headline);
    void ShowDetails(const QString& details);

    QLabel* m_headline;
    QLabel* m_details;
    QPushButton* m_systemInfo;
    QPushButton* m_retry;
    QPushButton* m_exit;
    bool m_confirmExit = true;
    bool m_alerted = false;
    // The table entry shown, null while the texts came from elsewhere.
    const ErrorEntry* m_entry = nullptr;
};

} // namespace UpdatePelarin
