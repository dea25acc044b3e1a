#pragma once

#include "script/IScriptEngine.h"
#include "script/ScriptMessageDecoder.h"

#include <QObject>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

namespace OrvoCommon {
class ILogger;
}

namespace UpdatePelarin {

// Runs light scripts that arrive over TCP while the wizard runs, one message per connection and
// one connection at a time: a new connection replaces the one being served. It listens on the
// loopback address only, because a light script can corrupt the firmware being programmed.
class ScriptSocketListener : public QObject, public IScriptSocketListener
{
    Q_OBJECT

public:
    explicit ScriptSocketListener(QObject* parent = nullptr);
    ~ScriptSocketListener() override;

    void Listen(quint16 port) override;
    void Close() override;
    // The port actually listened on (useful after Listen(0)); 0 when not listening.
    quint16 ServerPort() const;

public slots:
    void SocketConnected();
    void ReadScript();

private slots:
    void ClientDisconnected();

private:
    void DropClient();

    OrvoCommon::ILogger* m_logger;
    // A child, so the connection it hands out is one too.
    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_client;
    ScriptMessageDecoder m_message;
};

} // namespace UpdatePelarin
