#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <memory>

class QLocalServer;
class QLockFile;

namespace OrvoCommon {

// A QApplication that knows whether another instance with the same key runs for this user.
// The first instance holds a lock file and listens on a local socket; a later one delivers its
// message there and leaves. A lock left by a killed instance is stale (its process is gone) and is
// taken over.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(const QString& key, int& argc, char** argv);
    ~SingleApplication() override;

    // Delivers the message to the running instance; true when it acknowledged within the time-out,
    // which means this process should leave.
    bool SendMessage(const QString& message, int timeoutMs);

    // Becomes the running instance: received messages are emitted and activate the window.
    // False when another live instance holds the lock.
    bool StartListening();

    void SetActivationWindow(QWidget* window) { m_activationWindow = window; }
    QWidget* ActivationWindow() const { return m_activationWindow; }

public slots:
    void ActivateWindow();

signals:
    void MessageReceived(const QString& message);

private:
    void OnNewConnection();

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_activationWindow;
};

} // namespace OrvoCommon
