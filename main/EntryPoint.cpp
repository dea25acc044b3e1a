#include "main/EntryPoint.h"

#include "app/ApplicationVersion.h"
#include "app/ArgumentMap.h"
#include "app/ConfigKeys.h"
#include "app/ConfigurationFactory.h"
#include "app/ErrorCodes.h"
#include "app/IConfiguration.h"
#include "app/ILogger.h"
#include "app/IUpdatePelarinApp.h"
#include "app/LoggerFactory.h"
#include "app/OrvoException.h"
#include "app/ProgramDirectory.h"
#include "app/QtSettingsSnapshot.h"
#include "app/StaleFolderCleanup.h"
#include "app/TempFileList.h"
#include "app/TerminationSignals.h"
#include "app/UpdatePelarinAppFactory.h"
#include "device/DeviceEngine.h"
#include "firmware/FirmwareImageList.h"
#include "script/IScriptEngine.h"
#include "script/ScriptEngineFactory.h"
#include "sysinfo/linux/LinuxLanguageSupport.h"
#include "sysinfo/linux/LinuxSystemInfoReader.h"
#include "ui/SingleApplication.h"
#include "ui/UiResources.h"
#include "ui/UpdatePelarinApp.h"
#include "ui/WindowRecorder.h"
#include "usb/linux/LinuxPlatformServices.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <memory>

using namespace OrvoCommon;

namespace {

constexpr char SingleInstanceKey[] = "OrvoUpdateSkerrow";
constexpr char WakeUpMessage[] = "Wake up!";
constexpr int WakeUpTimeoutMs = 5000;

[[noreturn]] void ThrowInternal(const QString& message)
{
    throw OrvoException(QLatin1String(ErrorCodes::InternalError), message);
}

// True when another instance took the message, so this one must leave.
bool AnotherInstanceAnswers(SingleApplication& application)
{
    const QDeadlineTimer deadline(WakeUpTimeoutMs);
    if (application.SendMessage(QLatin1String(WakeUpMessage), WakeUpTimeoutMs))
        return true;
    // Two starts at the same moment: the one that loses the lock waits for the winner to listen.
    while (!application.StartListening()) {
        if (deadline.hasExpired())
            return false;
        if (application.SendMessage(QLatin1String(WakeUpMessage), static_cast<int>(deadline.remainingTime())))
            return true;
        QThread::msleep(20);
    }
    return false;
}

void ApplyIndexFileOverrides(const ArgumentMap& arguments, IConfiguration* configuration)
{
    if (arguments.Contains(QStringLiteral("hostname")))
        configuration->SetIndexFileHost(arguments.Value(QStringLiteral("hostname")));
    if (arguments.Contains(QStringLiteral("pathname")))
        configuration->SetIndexFilePath(NormaliseUrlPath(arguments.Value(QStringLiteral("pathname"))));
    if (arguments.Contains(QStringLiteral("filename")))
        configuration->SetIndexFileName(arguments.Value(QStringLiteral("filename")));
}

void RunWizardMode(SingleApplication& application, const ArgumentMap& arguments)
{
    using namespace UpdatePelarin;
    if (arguments.Contains(QStringLiteral("light"))) {
        std::unique_ptr<IScriptEngine> engine = ScriptEngineFactory::Instance()->CreateScriptEngine();
        if (!engine)
            ThrowInternal(QStringLiteral("Unable to create the script engine"));
        engine->RunLightScript(arguments.Value(QStringLiteral("light")));
    }
    // The listener serves light scripts for the whole run.
    std::unique_ptr<IScriptSocketListener> listener;
    if (arguments.Contains(QStringLiteral("listen"))) {
        listener = ScriptSocketListenerFactory::Instance()->CreateScriptSocketListener();
        if (!listener)
            ThrowInternal(QStringLiteral("Unable to create the script socket listener"));
        listener->Listen(static_cast<quint16>(arguments.Number(QStringLiteral("listen"))));
    }
    if (arguments.Contains(QStringLiteral("language"))) {
        std::unique_ptr<IUpdatePelarinAppTest> test = UpdatePelarinAppFactory::Instance()->CreateAppTest();
        if (!test)
            ThrowInternal(QStringLiteral("Unable to create the application object"));
        test->SetLanguage(arguments.Value(QStringLiteral("language")), false);
    }
    std::unique_ptr<IUpdatePelarinApp> app = UpdatePelarinAppFactory::Instance()->CreateApp();
    if (!app)
        ThrowInternal(QStringLiteral("Unable to create the application object"));
    QuitOnTerminationSignals();
    app->Start();
    if (!TerminationRequested())
        application.exec();
    // The wizard and its dialogs go first, then the engine they drove, while the firmware
    // acquisition whose images a programming run reads still exists.
    app.reset();
    DeviceEngine::ShutDown();
}

void RunScriptMode(const ArgumentMap& arguments)
{
    std::unique_ptr<UpdatePelarin::IScriptEngine> engine =
        UpdatePelarin::ScriptEngineFactory::Instance()->CreateScriptEngine();
    if (!engine)
        ThrowInternal(QStringLiteral("Unable to create the script engine"));
    engine->RunFullScript(arguments.Value(QStringLiteral("script")), arguments.Value(QStringLiteral("results")));
    DeviceEngine::ShutDown();
}

} // namespace

int RunTessary(int argc, char** argv)
{
    LinkLinuxLanguageSupport();
    LinkLinuxSystemInfoReader();
    LinkLinuxUsbPlatformServices();
    RegisterCommonMetaTypes();
    RegisterFirmwareMetaTypes();
    UpdatePelarin::InitUiResources();
    UpdatePelarin::RegisterUpdatePelarinApp();

    // The argument list as given; QApplication would swallow options such as -style.
    QStringList argumentList;
    for (int i = 0; i < argc; ++i)
        argumentList.append(QString::fromLocal8Bit(argv[i]));

    // Nothing here draws with OpenGL. Unless told otherwise, Qt's X11 platform loads the GL driver
    // anyway (with Mesa's software renderer that is LLVM), which more than doubles the memory used.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    auto application = std::make_unique<SingleApplication>(QLatin1String(SingleInstanceKey), argc, argv);
    if (AnotherInstanceAnswers(*application))
        return 0;

    UpdatePelarin::WindowRecorder::StartIfRequested();

    QtSettingsSnapshot qtSettings;
    qtSettings.Take();
    application->setQuitOnLastWindowClosed(true);

    ILogger* logger = nullptr;
    try {
        TempFileList::Instance()->SetListFileName(QStringLiteral("UpdateSkerrowTempFiles.txt"));
        const ArgumentMap arguments(argumentList);
        const bool cleanup = arguments.Number(QStringLiteral("nocleanup")) == 0;
        if (cleanup)
            DeleteTempFiles();

        IConfiguration* configuration = GetConfiguration();
        const bool cleanErrorLog =
            configuration->GetBool(QLatin1String(ConfigKeys::CleanErrorLog), ConfigKeys::CleanErrorLogDefault);
        logger = RequireLogger();
        logger->SetLogFile(QStringLiteral("UpdateSkerrowError.log"), cleanErrorLog);
        logger->SetLoggingLevel(configuration->GetLoggingLevel());
        logger->LogInformation(QStringLiteral("Application starting up, version is %1").arg(ApplicationVersion));

        ApplyIndexFileOverrides(arguments, configuration);

        if (!arguments.Contains(QStringLiteral("script")))
            RunWizardMode(*application, arguments);
        else
            RunScriptMode(arguments);

        logger->LogInformation(QStringLiteral("Application exiting"));
        logger->Close();
        if (cleanup) {
            DeleteTempFiles();
            RemoveStaleExtractionFoldersOfThisProgram();
            qtSettings.Restore();
        }
    } catch (const OrvoException& exception) {
        if (logger) {
            logger->LogError(QStringLiteral("Exception caught at highest level"));
            logger->LogException(exception);
        }
        if (std::unique_ptr<IUpdatePelarinAppTest> test = UpdatePelarinAppFactory::Instance()->CreateAppTest()) {
            QuitOnTerminationSignals();
            test->DisplayErrorDialog(QLatin1String(ErrorCodes::InternalError));
        }
    }
    application.reset();
    return 0;
}
