#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// A real HTTP or HTTPS server on 127.0.0.1, run by Python's standard library in a child process
// that this object owns. It serves the files of a folder, records POST bodies and can be told per
// path to fail, redirect, stall or cut a body short. The child ends when this object goes (its
// stdin closes), so no server outlives its test.
class LocalWebServer
{
public:
    enum class Scheme
    {
        Http,
        Https,
    };

    explicit LocalWebServer(Scheme scheme = Scheme::Http);
    ~LocalWebServer();
    LocalWebServer(const LocalWebServer&) = delete;
    LocalWebServer& operator=(const LocalWebServer&) = delete;

    // False when the server could not be started; ErrorText says why.
    bool IsRunning() const { return m_port != 0; }
    QString ErrorText() const { return m_error; }

    quint16 Port() const { return m_port; }
    // "127.0.0.1:port", the host text the downloader accepts.
    QString HostWithPort() const;
    QString BaseUrl() const;
    // The folder whose files are served, created with the server.
    QString RootPath() const { return m_root.path(); }
    bool AddFile(const QString& relativePath, const QByteArray& content) const;
    // The self-signed certificate of an HTTPS server (PEM), made for 127.0.0.1 when the server started.
    QString CertificatePath() const;

    // How the server answers PATH from now on: "status:500", "redirect:http://...", "stall",
    // "stall-body", "short", "serve" or "delay:MS" (the file, MS milliseconds late); or as a
    // hostile server: "announce:N", "flood:N", "flood-chunked:N" (N bytes of body announced, without
    // a length, or chunked and cut off) or "drip:MS" (one byte every MS milliseconds).
    // local_web_server.py tells the details.
    bool SetRoute(const QString& path, const QString& action);
    int RequestCount(const QString& path);
    // Body bytes the server got out for PATH, counted once its transfers have ended; -1 on failure.
    qint64 SentBytes(const QString& path);
    QList<QByteArray> PostBodies(const QString& path);
    // A loopback port whose connection attempts are never answered; 0 on failure.
    quint16 BlackholePort();

private:
    QString Command(const QString& line);
    bool MakeCertificate();

    QTemporaryDir m_root;
    QTemporaryDir m_certificateDir;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    Scheme m_scheme;
};

} // namespace TestSupport
