#pragma once

#include "ui/CloseGuardedDialog.h"
#include "ui/ISupportHost.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace UpdatePelarin {

// Shows the system information and, in support mode, sends it to Orvo. While an upload runs, the
// dialog can only be left through Cancel (which asks its owner to cancel) or the upload's end.
class SystemInfoDialog : public CloseGuardedDialog, public ISupportHost
{
    Q_OBJECT

public:
    explicit SystemInfoDialog(QWidget* parent = nullptr);

    void SetHtml(const QString& html);
    void SetUploading(bool uploading);
    void SetUploadProgress(int percent);
    void SetUploadCompleted();
    void SetUploadCanceled();

public slots:
    void EnableSupport(bool enable) override;

signals:
    void UploadRequested();
    void CancelUploadRequested();

protected:
    bool MayClose() override;

private slots:
    void on_sendData_clicked();
    void on_close_clicked();

private:
    // What the upload label says.
    enum class UploadText
    {
        Progress,
        Completed,
        Canceled,
    };

    void RetranslateUi();
    void UpdateButtons();
    void UpdateUploadText();
    void SetUploadEnded(UploadText text);

    QTextEdit* m_infoBox;
    QPushButton* m_sendData;
    QLabel* m_uploadProgress;
    QPushButton* m_close;
    bool m_supportEnabled = false;
    bool m_uploading = false;
    bool m_busy = false;
    UploadText m_uploadText = UploadText::Progress;
    int m_uploadPercent = 0;
};

} // namespace UpdatePelarin
