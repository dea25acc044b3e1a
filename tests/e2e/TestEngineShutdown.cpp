#include "tests/support/LocalWebServer.h"
#include "tests/support/TestEnvironment.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using TestSupport::LocalWebServer;
using TestSupport::TemporaryBundle;

// The program may end at any moment of an update (the user closes the wizard): each case runs a real
// process that ends the engine at one such moment. Built with the sanitizers, a use of a destroyed
// object, a leak or a thread left behind fails the process.
class TestEngineShutdown : public QObject
{
    Q_OBJECT

private slots:
    void endsAtAnyMoment_data()
    {
        QTest::addColumn<QString>("moment");
        QTest::addColumn<QString>("faults");
        QTest::addColumn<bool>("secure");
        QTest::newRow("a query the headset never answers") << "query"
                                                           << "bccmd=\"silent\"" << false;
        QTest::newRow("programming") << "programming"
                                     << "" << false;
        QTest::newRow("waiting for a reset") << "reset"
                                             << "neverReturnAfterReset=\"true\"" << false;
        QTest::newRow("a download") << "download"
                                    << "" << false;
        QTest::newRow("an upload") << "upload"
                                   << "" << true;
    }

    void endsAtAnyMoment()
    {
        QFETCH(QString, moment);
        QFETCH(QString, faults);
        QFETCH(bool, secure);
        // Protocol time-outs as shipped: the shutdown must not wait for them.
        TemporaryBundle bundle(QStringLiteral("<UsbBackend>simulator</UsbBackend><IndexFileName>index.xml"
                                              "</IndexFileName><HciTimeout>5000</HciTimeout>"
                                              "<ResetTimeout>30000</ResetTimeout>"));
        const QString bin = TestSupport::BinaryDirectory();
        const QString profile = QString::fromUtf8(TestSupport::ReadFile(bin + QStringLiteral("/SimulatedHeadset.xml")));
        QVERIFY(profile.contains(QLatin1String("<Faults/>")));
        QVERIFY(TestSupport::WriteFile(
            bundle.FilePath(QStringLiteral("SimulatedHeadset.xml")),
            QString(profile)
                .replace(QLatin1String("<Faults/>"), QStringLiteral("<Faults %1/>").arg(faults))
                .replace(QRegularExpression(QStringLiteral("<Timing [^>]*>")),
                         QStringLiteral("<Timing latency=\"1\" flashPerBlock=\"50\" reenumeration=\"100\"/>"))
                .toUtf8()));
        for (const QString& file : QDir(bin + QStringLiteral("/FirmwareFiles")).entryList(QDir::Files))
            QVERIFY(QFile::copy(bin + QStringLiteral("/FirmwareFiles/") + file, bundle.FilePath(file)));

        LocalWebServer server(secure ? LocalWebServer::Scheme::Https : LocalWebServer::Scheme::Http);
        QVERIFY2(server.IsRunning(), qPrintable(server.ErrorText()));
        QVERIFY(server.SetRoute(QStringLiteral("/stall/missing-index.xml"), QStringLiteral("stall")));
        QVERIFY(server.SetRoute(QStringLiteral("/web/lss"), QStringLiteral("stall")));
        if (secure)
            QVERIFY(QFile::copy(server.CertificatePath(), bundle.FilePath(QStringLiteral("cacert.pem"))));

        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TESSARY_APP_DIR"), bundle.Path());
        environment.insert(QStringLiteral("TMPDIR"), bundle.Path());
        probe.setProcessEnvironment(environment);
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(bin + QStringLiteral("/tessary-shutdown-probe"), {moment, QString::number(server.Port())});
        QVERIFY(probe.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(probe.readAllStandardOutput());
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QVERIFY2(probe.exitCode() == 0, qPrintable(output));

        const QRegularExpressionMatch took =
            QRegularExpression(QStringLiteral("shutdown took (\\d+) ms")).match(output);
        QVERIFY2(took.hasMatch(), qPrintable(output));
        qInfo("%s: %s", qPrintable(moment), qPrintable(took.captured(0)));
        // Nothing waits for a protocol time-out: a blocked read ends as its device closes.
        QVERIFY2(took.captured(1).toInt() < 3000, qPrintable(output));
        const QString log = QString::fromLocal8Bit(TestSupport::ReadFile(bundle.FilePath("ShutdownProbe.log")));
        if (moment == QLatin1String("programming") || moment == QLatin1String("reset"))
            QVERIFY(log.contains(QLatin1String("Firmware update abandoned - the program is ending")));
        QVERIFY(!log.contains(QLatin1String("Firmware update successfully completed")));
    }
};

QTEST_GUILESS_MAIN(TestEngineShutdown)
#include "TestEngineShutdown.moc"
