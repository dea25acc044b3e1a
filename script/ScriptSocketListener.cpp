#include "script/ScriptSocketListener.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "script/ScriptEngineFactory.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace UpdatePelarin {

ScriptSocketListener::ScriptSocketListener(QObject* parent) : QObject(parent), m_logger(OrvoCommon::GetLogger()) {}

ScriptSocketListener::~ScriptSocketListener()
{
    DropClient();
}

void ScriptSocketListener::Listen(quint16 port)
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &ScriptSocketListener::SocketConnected);
    }
    if (!m_server->listen(QHostAddress(QHostAddress::LocalHost), port))
        throw OrvoCommon::OrvoException(QLatin1String(OrvoCommon::ErrorCodes::SocketListenError),
                                        QStringLiteral("Unable to listen on port %1").arg(port));
}

void ScriptSocketListener::Close()
{
    if (m_server)
        m_server->close();
}

quint16 ScriptSocketListener::ServerPort() const
{
    return m_server && m_server->isListening() ? m_server->serverPort() : 0;
}

void ScriptSocketListener::SocketConnected()
{
    if (m_client) {
        m_client->disconnect(this);
        m_client->abort();
        m_client->deleteLater();
        m_client = nullptr;
    }
    m_message.Reset();
    QTcpSocket* client = m_server->nextPendingConnection();
    if (!client)
        return;
    m_client = client;
    connect(client, &QTcpSocket::readyRead, this, &ScriptSocketListener::ReadScript);
    connect(client, &QTcpSocket::disconnected, this, &ScriptSocketListener::ClientDisconnected);
    connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    // Bytes may have come with the connection, before readyRead was connected.
    if (client->bytesAvailable() > 0)
        ReadScript();
}

void ScriptSocketListener::ReadScript()
{
    if (!m_client)
        return;
    const ScriptMessageDecoder::Result result = m_message.Append(m_client->readAll());
    if (result == ScriptMessageDecoder::Result::NeedMore)
        return;
    DropClient();
    if (result == ScriptMessageDecoder::Result::Malformed) {
        m_logger->LogError(QStringLiteral("ReadScript: Malformed script message dropped (announced size %1)")
                               .arg(m_message.AnnouncedSize()));
        return;
    }
    const QString script = m_message.Script();
    std::unique_ptr<IScriptEngine> engine = ScriptEngineFactory::Instance()->CreateScriptEngine();
    engine->RunLightScript(script);
}

void ScriptSocketListener::ClientDisconnected()
{
    if (sender() != m_client)
        return;
    if (m_message.HasPartialMessage())
        m_logger->LogError(
            QStringLiteral("ReadScript: Connection closed before the whole script arrived, partial message dropped"));
    m_client = nullptr;
    m_message.Reset();
}

void ScriptSocketListener::DropClient()
{
    if (!m_client)
        return;
    // The script runs after the connection is gone, so the peer is not kept waiting on it.
    m_client->disconnect(this);
    m_client->close();
    m_client->deleteLater();
    m_client = nullptr;
}

} // namespace UpdatePelarin
