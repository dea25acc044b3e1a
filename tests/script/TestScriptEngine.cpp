#include "app/IUpdatePelarinApp.h"
#include "app/UpdatePelarinAppFactory.h"
#include "script/ScriptEngine.h"
#include "script/StatusDialog.h"
#include "tests/support/LogCapture.h"
#include "tests/support/ProgrammingFixtures.h"
#include "tests/support/SampleBundle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace OrvoCommon;

namespace {

// Stands in for the application object's test interface, whose real object lives with the wizard:
// it records what the script asked of it.
class RecordingAppTest : public IUpdatePelarinAppTest
{
public:
    explicit RecordingAppTest(QStringList* calls) : m_calls(calls) {}
    void DisplayErrorDialog(const QString& name) override
    {
        m_calls->append(QStringLiteral("DisplayErrorDialog ") + name);
    }
    void SetLanguage(const QString& code, bool keepLayout) override
    {
        m_calls->append(QStringLiteral("SetLanguage %1 %2").arg(code).arg(keepLayout));
    }

private:
    QStringList* m_calls;
};

} // namespace

// Full scripts run in this process, where the status dialog and the application test interface
// can be reached: the real engine, support object and device stack over a bus without headsets.
class TestScriptEngine : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DeviceTest::SimulatorBundle> m_bundle;
    std::unique_ptr<DeviceTest::SimulatedStack> m_stack;
    std::unique_ptr<TestSupport::LogCapture> m_log;

    QString Run(const QByteArray& script)
    {
        const QString scriptPath = m_bundle->Path() + QStringLiteral("/test.js");
        const QString resultsPath = m_bundle->Path() + QStringLiteral("/results.xml");
        TestSupport::WriteFile(scriptPath, script);
        UpdatePelarin::ScriptEngine().RunFullScript(scriptPath, resultsPath);
        return resultsPath;
    }

private slots:
    void init()
    {
        m_bundle = std::make_unique<DeviceTest::SimulatorBundle>();
        m_stack = std::make_unique<DeviceTest::SimulatedStack>();
        m_log = std::make_unique<TestSupport::LogCapture>();
    }

    void cleanup()
    {
        UpdatePelarinAppFactory::Instance()->SetCreators(nullptr, nullptr);
        m_stack.reset();
        m_bundle.reset();
        m_log.reset();
    }

    void cancelInTheStatusDialogEndsTheWaits()
    {
        QString shown;
        // Clicks Cancel once the dialog shows what the script logged.
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget* window : windows) {
                auto* dialog = qobject_cast<UpdatePelarin::StatusDialog*>(window);
                if (!dialog || !dialog->isVisible() ||
                    !dialog->findChild<QTextEdit*>()->toPlainText().contains("waiting"))
                    continue;
                shown = dialog->windowTitle() + QLatin1Char('|') + dialog->findChild<QLabel*>()->text();
                dialog->findChild<QPushButton*>()->click();
                watcher.stop();
            }
        });
        watcher.start(10);
        QElapsedTimer clock;
        clock.start();
        const QString results = Run(R"(
            script.LogInformation("waiting");
            script.WaitForTimeElapsed(60000);
            script.LogInformation("canceled: " + script.IsCanceled());
            script.LogInformation("connected: " + script.WaitForPelarinConnected(60000));
        )");
        QVERIFY(clock.elapsed() < 30000);
        QCOMPARE(shown, QStringLiteral("Script Running|Script in progress. Click \"Cancel\" to stop."));
        QVERIFY(
            m_log->Contains(QStringLiteral("Executing script file ") + m_bundle->Path() + QStringLiteral("/test.js")));

        // The document exactly as written, timestamps aside.
        QString text = QString::fromUtf8(TestSupport::ReadFile(results));
        text.replace(QRegularExpression(QStringLiteral("timestamp=\"[0-9T:-]{19}\"")),
                     QStringLiteral("timestamp=\"T\""));
        QCOMPARE(text, QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                      "<entries>\n"
                                      "    <information timestamp=\"T\">\n"
                                      "        <message>waiting</message>\n"
                                      "    </information>\n"
                                      "    <wait timestamp=\"T\">\n"
                                      "        <name>TimeElapsed</name>\n"
                                      "        <time>60000</time>\n"
                                      "    </wait>\n"
                                      "    <information timestamp=\"T\">\n"
                                      "        <message>canceled: true</message>\n"
                                      "    </information>\n"
                                      "    <wait timestamp=\"T\">\n"
                                      "        <name>PelarinConnected</name>\n"
                                      "        <time>60000</time>\n"
                                      "    </wait>\n"
                                      "    <information timestamp=\"T\">\n"
                                      "        <message>connected: false</message>\n"
                                      "    </information>\n"
                                      "</entries>\n"));
    }

    // The script reaches the application object's test interface when there is one, and fails with
    // a script error when there is none.
    void applicationTestInterfaceIsDriven()
    {
        UpdatePelarinAppFactory::Instance()->SetCreators(nullptr, nullptr);
        QString results = Run(R"(
            try { script.SetLanguage("de"); } catch (e) { script.LogInformation(e.name + ": " + e.message); }
            script.DisplayErrorDialog("internal-error");
        )");
        QCOMPARE(TestSupport::ReadResultsFile(results).entries,
                 QStringList{QStringLiteral("information Error: Application test interface not available")});
        QVERIFY(m_log->HasError(QStringLiteral("SetLanguage: The application test interface is not available")));
        QVERIFY(m_log->HasError(
            QStringLiteral("Uncaught full script exception: Error: Application test interface not available")));

        QStringList calls;
        UpdatePelarinAppFactory::Instance()->SetCreators(
            nullptr, [&calls] { return std::make_unique<RecordingAppTest>(&calls); });
        results = Run(R"(
            script.SetLanguage("de");
            script.DisplayErrorDialog("firmware-corrupted");
            try { script.DisplayErrorDialog(""); } catch (e) { script.LogInformation(e.name + ": " + e.message); }
            script.SetLanguage("");
        )");
        QCOMPARE(calls, (QStringList{QStringLiteral("SetLanguage de 0"),
                                     QStringLiteral("DisplayErrorDialog firmware-corrupted")}));
        QCOMPARE(TestSupport::ReadResultsFile(results).entries,
                 QStringList{QStringLiteral("information RangeError: errorCode is NULL or empty")});
        QVERIFY(
            m_log->HasError(QStringLiteral("Uncaught full script exception: RangeError: langAbbrev is NULL or empty")));
    }
};

QTEST_MAIN(TestScriptEngine)
#include "TestScriptEngine.moc"
