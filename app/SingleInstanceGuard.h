#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace OrvoCommon {

// Makes sure one instance per key and user runs. The first instance holds a lock file and listens
// on a local socket in the temporary directory; a later one delivers its message there and leaves.
// A lock left by a killed instance names a process that is gone, so it is taken over.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstanceGuard(const QString& key, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // Delivers the message to the running instance; true when it acknowledged within the time-out.
    bool SendMessage(const QString& message, int timeoutMs);

    // Becomes the running instance. False when another live instance holds the lock.
    bool StartListening();

signals:
    void MessageReceived(const QString& message);

private:
    void OnNewConnection();

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace OrvoCommon
