#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "firmware/FirmwareProcessingTest.h"
#include "script/ScriptMessageDecoder.h"
#include "script/ScriptSocketListener.h"
#include "tests/support/LogCapture.h"
#include "web/WebInterfaceTest.h"

#include <QTcpSocket>
#include <QtTest>

#include <memory>

using namespace OrvoCommon;
using UpdatePelarin::ScriptMessageDecoder;
using UpdatePelarin::ScriptSocketListener;
using Result = ScriptMessageDecoder::Result;

namespace {

// A message body by hand: a 32-bit byte count, then the bytes (UTF-16 big-endian for text).
QByteArray Message(quint16 size, quint32 count, const QByteArray& payload)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(size >> 8)).append(static_cast<char>(size & 0xFF));
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((count >> shift) & 0xFF));
    return bytes + payload;
}

const QByteArray Ab("\0a\0b", 4);

} // namespace

// Light scripts over TCP: the real listener on the loopback address, real sockets, and the
// process-wide fault switches the scripts turn.
class TestScriptSocketListener : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::LogCapture> m_log;
    std::unique_ptr<ScriptSocketListener> m_listener;

    static WebInterfaceTest* Web() { return WebInterfaceTestFactory::CreateWebInterfaceTest(); }

    std::unique_ptr<QTcpSocket> Connect()
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, m_listener->ServerPort());
        if (!socket->waitForConnected(5000))
            return nullptr;
        return socket;
    }

    // The listener's end of the connection being served, once it has been accepted.
    QTcpSocket* ServedConnection()
    {
        QTcpSocket* served = nullptr;
        const bool accepted =
            QTest::qWaitFor([&] { return (served = m_listener->findChild<QTcpSocket*>()) != nullptr; }, 5000);
        return accepted ? served : nullptr;
    }

    static bool Send(QTcpSocket* socket, const QByteArray& bytes)
    {
        socket->write(bytes);
        return socket->waitForBytesWritten(5000);
    }

private slots:
    void init()
    {
        m_log = std::make_unique<TestSupport::LogCapture>();
        m_listener = std::make_unique<ScriptSocketListener>();
        m_listener->Listen(0);
        QVERIFY(m_listener->ServerPort() != 0);
    }

    void cleanup()
    {
        m_listener.reset();
        Web()->ResetForTests();
        FirmwareProcessingTest::Instance()->SetFirmwareImageCorruption(false);
        m_log.reset();
    }

    void decodesMessages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("script");
        const QByteArray good = ScriptMessageDecoder::Encode(QStringLiteral("script.x(\"\u00e9\");"));
        QTest::newRow("one piece") << good << good.size() << int(Result::Complete) << "script.x(\"\u00e9\");";
        QTest::newRow("byte by byte") << good << 1 << int(Result::Complete) << "script.x(\"\u00e9\");";
        QTest::newRow("bytes after the message")
            << good + "junk" << 3 << int(Result::Complete) << "script.x(\"\u00e9\");";
        QTest::newRow("written by hand") << Message(8, 4, Ab) << 8 << int(Result::Complete) << "ab";
        QTest::newRow("null string") << Message(4, 0xFFFFFFFF, {}) << 2 << int(Result::Complete) << QString();
        QTest::newRow("size beyond the bytes") << Message(40, 4, Ab) << 4 << int(Result::NeedMore) << QString();
        QTest::newRow("count short of size") << Message(10, 4, Ab + "xx") << 10 << int(Result::Malformed) << QString();
        QTest::newRow("odd count") << Message(7, 3, "abc") << 9 << int(Result::Malformed) << QString();
        QTest::newRow("size too small") << QByteArray("\0\3abc", 5) << 5 << int(Result::Malformed) << QString();
    }

    void decodesMessages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, chunk);
        QFETCH(int, result);
        QFETCH(QString, script);
        ScriptMessageDecoder decoder;
        Result last = Result::NeedMore;
        for (int offset = 0; offset < bytes.size(); offset += chunk)
            last = decoder.Append(bytes.mid(offset, chunk));
        QCOMPARE(int(last), result);
        QCOMPARE(decoder.Script(), script);
        QCOMPARE(decoder.Script().isNull(), script.isNull());
        QCOMPARE(decoder.HasPartialMessage(), last == Result::NeedMore);
    }

    void messageSplitOverSegmentsRuns()
    {
        const std::unique_ptr<QTcpSocket> client = Connect();
        QVERIFY(client);
        QTcpSocket* served = ServedConnection();
        QVERIFY(served);
        const QByteArray message = ScriptMessageDecoder::Encode(QStringLiteral("script.EnableWebServerCommFault();"));
        // Each piece is read by the listener before the next is sent.
        for (const QByteArray& piece : {message.left(1), message.mid(1, 9), message.mid(10)}) {
            QSignalSpy read(served, &QTcpSocket::readyRead);
            QVERIFY(Send(client.get(), piece));
            if (!Web()->IsWebServerCommFault())
                QVERIFY(read.wait(5000) || Web()->IsWebServerCommFault());
        }
        QTRY_VERIFY_WITH_TIMEOUT(Web()->IsWebServerCommFault(), 5000);
        // The listener closes its end once the script has arrived.
        QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, 5000);
    }

    void secondConnectionReplacesTheFirst()
    {
        const std::unique_ptr<QTcpSocket> first = Connect();
        QVERIFY(first);
        const QByteArray firstMessage =
            ScriptMessageDecoder::Encode(QStringLiteral("script.EnableWebDownloadCorruption();"));
        QVERIFY(Send(first.get(), firstMessage.left(6)));
        QVERIFY(ServedConnection());

        const std::unique_ptr<QTcpSocket> second = Connect();
        QVERIFY(second);
        QTRY_COMPARE_WITH_TIMEOUT(first->state(), QAbstractSocket::UnconnectedState, 5000);
        first->write(firstMessage.mid(6));
        QVERIFY(Send(second.get(), ScriptMessageDecoder::Encode(QStringLiteral("script.EnableWebServerCommFault();"))));
        QTRY_VERIFY_WITH_TIMEOUT(Web()->IsWebServerCommFault(), 5000);
        QVERIFY(!Web()->IsWebDownloadCorruption());
    }

    void badMessagesAreLoggedAndTheListenerGoesOn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("logged");
        QTest::newRow("size beyond the bytes, then disconnect")
            << Message(200, 4, Ab) << "Connection closed before the whole script arrived";
        QTest::newRow("count disagrees with size") << Message(10, 4, Ab + "xx") << "Malformed script message dropped";
        QTest::newRow("random bytes") << QByteArray::fromHex("00 07 9c 31 ff 02 e4 11 5a")
                                      << "Malformed script message";
    }

    void badMessagesAreLoggedAndTheListenerGoesOn()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, logged);
        {
            const std::unique_ptr<QTcpSocket> client = Connect();
            QVERIFY(client);
            QVERIFY(Send(client.get(), bytes));
            // The listener reads what was sent before it sees the connection end.
            client->disconnectFromHost();
            QTRY_VERIFY_WITH_TIMEOUT(m_log->HasError(logged), 5000);
        }
        const std::unique_ptr<QTcpSocket> next = Connect();
        QVERIFY(next);
        QVERIFY(
            Send(next.get(), ScriptMessageDecoder::Encode(QStringLiteral("script.EnableFirmwareImageCorruption();"))));
        QTRY_VERIFY_WITH_TIMEOUT(FirmwareProcessingTest::Instance()->IsFirmwareImageCorruption(), 5000);
    }

    void scriptErrorsAreLogged()
    {
        const std::unique_ptr<QTcpSocket> client = Connect();
        QVERIFY(client);
        QVERIFY(Send(client.get(), ScriptMessageDecoder::Encode(QStringLiteral("script.NoSuchSwitch();"))));
        QTRY_VERIFY_WITH_TIMEOUT(m_log->HasError(QStringLiteral("Uncaught light script exception: TypeError")), 5000);
    }

    void onlyTheLoopbackAddressIsServed()
    {
        // All of 127.0.0.0/8 reaches this machine; a server bound to every address would answer on
        // 127.0.0.2 as on any network address, one bound to 127.0.0.1 refuses it.
        QTcpSocket other;
        other.connectToHost(QHostAddress(QStringLiteral("127.0.0.2")), m_listener->ServerPort());
        QVERIFY(!other.waitForConnected(5000));
        QCOMPARE(other.error(), QAbstractSocket::ConnectionRefusedError);
        QVERIFY(Connect());
    }

    void portInUseThrows()
    {
        ScriptSocketListener second;
        try {
            second.Listen(m_listener->ServerPort());
            QFAIL("no exception");
        } catch (const OrvoException& exception) {
            QCOMPARE(exception.GetErrorCode(), QLatin1String(ErrorCodes::SocketListenError));
            QCOMPARE(exception.GetMessage(),
                     QStringLiteral("Unable to listen on port %1").arg(m_listener->ServerPort()));
        }
    }
};

QTEST_GUILESS_MAIN(TestScriptSocketListener)
#include "TestScriptSocketListener.moc"
