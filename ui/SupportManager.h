#pragma once

#include "app/OrvoException.h"
#include "web/WebSystemInfo.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace OrvoCommon {
class ILogger;
} // namespace OrvoCommon

namespace UpdatePelarin {

class ISupportHost;
class IWebUploader;
class SystemInfoDialog;

// The process-wide support desk: it shows the error boxes, the contact information and the system
// information with its upload to Orvo, and holds support mode, which the support key sequence
// switches on for the rest of the run. Created on first use on the GUI thread; it goes with the
// application object (or at exit when there never was one).
class SupportManager : public QObject
{
    Q_OBJECT

public:
    static SupportManager* Instance();
    ~SupportManager() override;

    // Shows the error box of index (see ErrorTable.h) over parent and returns true when the user
    // chose Retry. Exit asks the application to quit with status 0 before this returns false.
    bool DisplayError(int index, QWidget* parent);

    // The wizard's window, once it exists: it is then the window a second start brings forward,
    // and the parent the System Information menu passes.
    void SetHostWindow(QWidget* window);
    // What the wizard learned about the device and the version it will program, for the system
    // information.
    void SetDeviceInfo(const WebPelarinInfo& info);
    void SetTargetFirmwareVersion(const QString& version);
    // Shows the system information modally as a window of its own; parent is not used.
    void ShowSystemInfo(QWidget* parent);

    bool IsSupportActivated() const { return m_supportActivated; }

public slots:
    // Opens the local support page of the bundle, or else the configured "SupportUrl".
    void ShowContactInfo();
    void ShowSystemInfo();
    void ActivateSupport();

private slots:
    void PerformUpload();
    void UploadProgress(short progress);
    void UploadComplete(OrvoCommon::ExceptionPtr exception);
    void CancelUpload();

private:
    SupportManager();
    // A host is one of our dialogs; the pointer to it as an object notices when it is gone.
    struct Host
    {
        QPointer<QObject> object;
        ISupportHost* host;
    };
    void RegisterHost(QObject* object, ISupportHost* host);
    void UnregisterHost(ISupportHost* host);
    IWebUploader* Uploader();

    bool m_supportActivated = false;
    QPointer<QWidget> m_hostWindow;
    QList<Host> m_hosts; // newest first
    QPointer<SystemInfoDialog> m_systemInfoDialog;
    WebSystemInfo m_systemInfo;
    OrvoCommon::ILogger* m_logger;
    std::unique_ptr<IWebUploader> m_uploader;
};

} // namespace UpdatePelarin
