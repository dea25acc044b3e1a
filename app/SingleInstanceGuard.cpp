#include "app/SingleInstanceGuard.h"

#include "app/ProgramDirectory.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace OrvoCommon {

namespace {
constexpr char Acknowledgement[] = "ok\n";
}

SingleInstanceGuard::SingleInstanceGuard(const QString& key, QObject* parent)
    : QObject(parent), m_serverName(key + QLatin1Char('-') + QString::number(::getuid()))
{
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

bool SingleInstanceGuard::SendMessage(const QString& message, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return false;
    socket.write(message.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == Acknowledgement;
}

bool SingleInstanceGuard::StartListening()
{
    if (m_server)
        return true;
    auto lock = std::make_unique<QLockFile>(TempDirectoryWithSlash() + m_serverName + QStringLiteral(".lock"));
    // Only a dead owner makes a lock stale, never its age: an update may run for a long time.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    // A socket file left by a killed instance would make listen() fail.
    QLocalServer::removeServer(m_serverName);
    auto server = std::make_unique<QLocalServer>(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // Nothing is kept of a failed attempt (the lock goes with it), so the next call tries again.
    if (!server->listen(m_serverName))
        return false;
    m_lock = std::move(lock);
    m_server = server.release();
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceGuard::OnNewConnection);
    return true;
}

void SingleInstanceGuard::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() {
            while (socket->canReadLine()) {
                QByteArray line = socket->readLine();
                line.chop(1);
                socket->write(Acknowledgement);
                socket->flush();
                emit MessageReceived(QString::fromUtf8(line));
            }
        });
    }
}

} // namespace OrvoCommon
