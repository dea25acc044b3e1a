#include "tests/support/LocalWebServer.h"

#include "tests/support/TestEnvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>

namespace TestSupport {

namespace {
constexpr int StartTimeoutMs = 15000;
constexpr int CommandTimeoutMs = 10000;
constexpr int StopTimeoutMs = 5000;
} // namespace

LocalWebServer::LocalWebServer(Scheme scheme) : m_scheme(scheme)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        m_error = QStringLiteral("python3 is not on PATH");
        return;
    }
    QStringList arguments{SourceDirectory() + QStringLiteral("/tests/support/local_web_server.py"),
                          QStringLiteral("--root"), m_root.path()};
    if (m_scheme == Scheme::Https) {
        if (!MakeCertificate())
            return;
        arguments << QStringLiteral("--cert") << CertificatePath() << QStringLiteral("--key")
                  << m_certificateDir.filePath(QStringLiteral("key.pem"));
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(python, arguments);
    if (!m_process.waitForStarted(StartTimeoutMs)) {
        m_error = QStringLiteral("python3 did not start: ") + m_process.errorString();
        return;
    }
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(StartTimeoutMs)) {
            m_error = QStringLiteral("the server did not report its port");
            return;
        }
    }
    const QString line = QString::fromLatin1(m_process.readLine()).trimmed();
    if (line.startsWith(QLatin1String("port ")))
        m_port = static_cast<quint16>(line.mid(5).toUInt());
    if (m_port == 0)
        m_error = QStringLiteral("unexpected first line from the server: ") + line;
}

LocalWebServer::~LocalWebServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(StopTimeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(StopTimeoutMs);
    }
}

bool LocalWebServer::MakeCertificate()
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        m_error = QStringLiteral("openssl is not on PATH");
        return false;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(openssl,
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), m_certificateDir.filePath(QStringLiteral("key.pem")),
                   QStringLiteral("-out"), CertificatePath(), QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost")});
    if (!process.waitForFinished(StartTimeoutMs) || process.exitCode() != 0) {
        m_error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

QString LocalWebServer::HostWithPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString LocalWebServer::BaseUrl() const
{
    return (m_scheme == Scheme::Https ? QStringLiteral("https://") : QStringLiteral("http://")) + HostWithPort();
}

bool LocalWebServer::AddFile(const QString& relativePath, const QByteArray& content) const
{
    return WriteFile(m_root.filePath(relativePath), content);
}

QString LocalWebServer::CertificatePath() const
{
    return m_certificateDir.filePath(QStringLiteral("cert.pem"));
}

QString LocalWebServer::Command(const QString& line)
{
    if (!IsRunning())
        return QString();
    m_process.write(line.toUtf8() + '\n');
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(CommandTimeoutMs))
            return QString();
    }
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

bool LocalWebServer::SetRoute(const QString& path, const QString& action)
{
    return Command(QStringLiteral("route ") + path + QLatin1Char(' ') + action) == QLatin1String("ok");
}

int LocalWebServer::RequestCount(const QString& path)
{
    const QString reply = Command(QStringLiteral("count ") + path);
    return reply.startsWith(QLatin1String("count ")) ? reply.mid(6).toInt() : -1;
}

qint64 LocalWebServer::SentBytes(const QString& path)
{
    const QString reply = Command(QStringLiteral("sent ") + path);
    return reply.startsWith(QLatin1String("sent ")) ? reply.mid(5).toLongLong() : -1;
}

quint16 LocalWebServer::BlackholePort()
{
    const QString reply = Command(QStringLiteral("blackhole"));
    return reply.startsWith(QLatin1String("blackhole ")) ? static_cast<quint16>(reply.mid(10).toUInt()) : 0;
}

QList<QByteArray> LocalWebServer::PostBodies(const QString& path)
{
    QList<QByteArray> result;
    const QString reply = Command(QStringLiteral("posts ") + path);
    if (!reply.startsWith(QLatin1String("posts ")))
        return result;
    const QJsonArray bodies = QJsonDocument::fromJson(reply.mid(6).toUtf8()).array();
    for (const QJsonValue& body : bodies)
        result.append(QByteArray::fromBase64(body.toString().toLatin1()));
    return result;
}

} // namespace TestSupport
