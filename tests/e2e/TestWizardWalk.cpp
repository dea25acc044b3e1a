// The program as a user meets it: Calvast starts Tessary in the demo's program folder on an X
// server (Xvfb), and the wizard is walked with real mouse clicks (xdotool) from the language dialog
// to the success page. Every window and page is saved as a picture into the build tree
// (wizard-walk/), to be looked at. Skips where Xvfb or xdotool is missing.
#include "tests/support/TestEnvironment.h"
#include "tests/support/WindowTrace.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

using TestSupport::BinaryDirectory;
using TestSupport::WindowTrace;

namespace {

constexpr int StepMs = 30000;
// Each click is repeated until what it leads to has happened: a button may still be disabled for a
// moment when its page appears.
constexpr int ClickRetryMs = 500;

int RunTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit)
        return -1;
    return tool.exitCode();
}

// Resident memory of a process in kilobytes, -1 when it cannot be read.
qint64 ResidentKb(qint64 pid)
{
    const QStringList lines =
        QString::fromLatin1(TestSupport::ReadFile(QStringLiteral("/proc/%1/status").arg(pid))).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("VmRSS:")))
            return line.section(QLatin1Char(':'), 1).trimmed().section(QLatin1Char(' '), 0, 0).toLongLong();
    }
    return -1;
}

} // namespace

class TestWizardWalk : public QObject
{
    Q_OBJECT

private:
    QString m_xdotool;
    std::unique_ptr<QTemporaryDir> m_bundle;
    std::unique_ptr<WindowTrace> m_trace;

    QProcessEnvironment Environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TESSARY_APP_DIR"), m_bundle->path());
        environment.insert(QStringLiteral("TMPDIR"), m_bundle->path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("TESSARY_UI_RECORD"), m_trace->Folder());
        return environment;
    }

    // Clicks the named widget where the newest record of the window shows it.
    bool Click(const QString& window, const QString& widget)
    {
        int x = 0;
        int y = 0;
        return m_trace->CentreOf(window, widget, &x, &y) &&
               RunTool(m_xdotool, {QStringLiteral("mousemove"), QString::number(x), QString::number(y),
                                   QStringLiteral("click"), QStringLiteral("1")}) == 0;
    }

    // Clicks the named widget of the window until the next window or page shows.
    bool ClickUntilShown(const QString& window, const QString& widget, const QString& next)
    {
        return QTest::qWaitFor(
            [&] {
                if (m_trace->TimeOf(QStringLiteral("shown"), next) >= 0)
                    return true;
                Click(window, widget);
                return m_trace->WaitForShown(next, ClickRetryMs);
            },
            StepMs);
    }

    // Waits until the page has been recorded, so that its widgets can be found.
    bool Recorded(const QString& page) { return m_trace->WaitFor(QStringLiteral("recorded"), page, StepMs); }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("No X server (xvfb-run was not found when the build was configured)");
        m_xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (m_xdotool.isEmpty())
            QSKIP("xdotool is not installed");
    }

    void walksFromWelcomeToSuccess()
    {
        m_bundle = std::make_unique<QTemporaryDir>();
        const QString pictures = QDir(BinaryDirectory()).filePath(QStringLiteral("../wizard-walk"));
        QDir(pictures).removeRecursively();
        m_trace = std::make_unique<WindowTrace>(pictures);

        // The demo's program folder; as root the USB access rule is installed on the way.
        const bool root = ::geteuid() == 0;
        QProcess layout;
        QProcessEnvironment layoutEnvironment = QProcessEnvironment::systemEnvironment();
        layoutEnvironment.insert(QStringLiteral("TESSARY_BUILD_BIN"), BinaryDirectory());
        layout.setProcessEnvironment(layoutEnvironment);
        QStringList arguments{TestSupport::SourceDirectory() + QStringLiteral("/scripts/wizard.sh"),
                              QStringLiteral("--layout"), m_bundle->path()};
        if (root)
            arguments.append(QStringLiteral("--no-rule"));
        layout.start(QStringLiteral("bash"), arguments);
        QVERIFY(layout.waitForFinished(30000));
        QCOMPARE(layout.exitCode(), 0);
        QByteArray config = TestSupport::ReadFile(m_bundle->filePath(QStringLiteral("Config.xml")));
        config.replace("</Config>", "<SplashScreenTime>500</SplashScreenTime>\n</Config>");
        QVERIFY(TestSupport::WriteFile(m_bundle->filePath(QStringLiteral("Config.xml")), config));

        QProcess calvast;
        calvast.setProcessEnvironment(Environment());
        calvast.setWorkingDirectory(m_bundle->path());
        // Calvast always exits 0; what Tessary says on its way out (a sanitizer's report) is read.
        calvast.setProcessChannelMode(QProcess::MergedChannels);
        calvast.start(m_bundle->filePath(QStringLiteral("Calvast")), QStringList());
        QVERIFY(calvast.waitForStarted());

        QVERIFY(m_trace->WaitForShown(QStringLiteral("SplashScreenClass"), StepMs));
        QVERIFY(m_trace->WaitForShown(QStringLiteral("SelectLanguageDialogClass"), StepMs));
        QVERIFY(ClickUntilShown(QStringLiteral("SelectLanguageDialogClass"), QStringLiteral("ok"),
                                QStringLiteral("WelcomePageClass")));
        QVERIFY(Recorded(QStringLiteral("WelcomePageClass")));
        QVERIFY(Click(QStringLiteral("WelcomePageClass"), QStringLiteral("acceptance")));
        if (root) {
            QVERIFY(ClickUntilShown(QStringLiteral("WelcomePageClass"), QStringLiteral("next"),
                                    QStringLiteral("InstallDriverPageClass")));
            QVERIFY(Recorded(QStringLiteral("InstallDriverPageClass")));
            QVERIFY(Click(QStringLiteral("InstallDriverPageClass"), QStringLiteral("install")));
            QVERIFY(ClickUntilShown(QStringLiteral("InstallDriverPageClass"), QStringLiteral("next"),
                                    QStringLiteral("ConnectDevicePageClass")));
            QVERIFY(QFile::exists(m_bundle->filePath(QStringLiteral("rules.d/70-orvo-headset.rules"))));
        } else {
            QVERIFY(ClickUntilShown(QStringLiteral("WelcomePageClass"), QStringLiteral("next"),
                                    QStringLiteral("ConnectDevicePageClass")));
        }
        QVERIFY(Recorded(QStringLiteral("ConnectDevicePageClass")));
        QVERIFY(ClickUntilShown(QStringLiteral("ConnectDevicePageClass"), QStringLiteral("next"),
                                QStringLiteral("CommStatusPageClass")));
        QVERIFY(m_trace->WaitForShown(QStringLiteral("SuccessPageClass"), StepMs));
        QVERIFY(Recorded(QStringLiteral("SuccessPageClass")));

        // A second start brings the wizard to the front and leaves at once.
        const QString pid = m_trace->Events().first().section(QLatin1Char(' '), 1);
        QProcess second;
        second.setProcessEnvironment(Environment());
        second.start(m_bundle->filePath(QStringLiteral("Tessary")), QStringList());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(m_trace->WaitFor(QStringLiteral("message"), QStringLiteral("Wake_up! ApplicationWizardClass"), StepMs));
        qInfo("Resident memory of the wizard on its success page: %lld kB", ResidentKb(pid.toLongLong()));

        QVERIFY(Click(QStringLiteral("SuccessPageClass"), QStringLiteral("finish")));
        QVERIFY(calvast.waitForFinished(StepMs));
        QCOMPARE(calvast.exitStatus(), QProcess::NormalExit);
        QCOMPARE(calvast.exitCode(), 0);
        const QByteArray output = calvast.readAll();
        QVERIFY2(!output.contains("Sanitizer") && !output.contains("runtime error"), output.constData());
    }
};

QTEST_GUILESS_MAIN(TestWizardWalk)
#include "TestWizardWalk.moc"
