#include "app/SingleApplication.h"

#include "app/ProgramDirectory.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>

#include <unistd.h>

namespace OrvoCommon {

namespace {
constexpr char Acknowledgement[] = "ok\n";
}

SingleApplication::SingleApplication(const QString& key, int& argc, char** argv)
    : QApplication(argc, argv), m_serverName(key + QLatin1Char('-') + QString::number(::getuid()))
{
}

SingleApplication::~SingleApplication()
{
    delete m_server;
    m_server = nullptr;
}

bool SingleApplication::SendMessage(const QString& message, int timeoutMs)
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

bool SingleApplication::StartListening()
{
    if (m_server)
        return true;
    auto lock = std::make_unique<QLockFile>(TempDirectoryWithSlash() + m_serverName + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        // tryLock already takes over a lock whose process is gone; anything else is a live owner.
        return false;
    }
    m_lock = std::move(lock);
    QLocalServer::removeServer(m_serverName);
    m_server = new QLocalServer;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &SingleApplication::OnNewConnection);
    connect(this, &SingleApplication::MessageReceived, this, &SingleApplication::ActivateWindow);
    return true;
}

void SingleApplication::OnNewConnection()
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

void SingleApplication::ActivateWindow()
{
    if (!m_activationWindow)
        return;
    m_activationWindow->setWindowState(m_activationWindow->windowState() & ~Qt::WindowMinimized);
    m_activationWindow->show();
    m_activationWindow->raise();
    m_activationWindow->activateWindow();
}

} // namespace OrvoCommon
