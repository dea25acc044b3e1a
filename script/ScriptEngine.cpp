#include "script/ScriptEngine.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "script/FullScriptSupport.h"
#include "script/LightScriptSupport.h"
#include "script/ScriptSupportFactory.h"
#include "script/StatusDialog.h"

#include <QFile>
#include <QScriptEngine>
#include <QTextStream>
#include <QtDebug>

#include <memory>

namespace UpdatePelarin {

namespace {

// Scripts see the support object's slots; QObject's own members and children stay hidden.
constexpr QScriptEngine::QObjectWrapOptions WrapOptions =
    QScriptEngine::ExcludeChildObjects | QScriptEngine::ExcludeSuperClassProperties | QScriptEngine::ExcludeDeleteLater;

void Publish(QScriptEngine& engine, LightScriptSupport* support)
{
    engine.globalObject().setProperty(QStringLiteral("script"),
                                      engine.newQObject(support, QScriptEngine::QtOwnership, WrapOptions));
}

// The text of an uncaught exception, or empty when the script ended normally.
QString UncaughtException(QScriptEngine& engine)
{
    if (!engine.hasUncaughtException())
        return QString();
    const QString text = engine.uncaughtException().toString();
    qDebug().noquote() << text << "at line" << engine.uncaughtExceptionLineNumber();
    return text;
}

} // namespace

void ScriptEngine::RunFullScript(const QString& scriptPath, const QString& resultsPath)
{
    QScriptEngine engine;
    StatusDialog dialog;
    Logger()->LogInformation(QStringLiteral("Executing script file %1").arg(scriptPath));

    std::unique_ptr<LightScriptSupport> created = ScriptSupportFactory::Instance()->CreateScriptSupport(true);
    auto* support = qobject_cast<FullScriptSupport*>(created.get());
    if (!resultsPath.isEmpty())
        support->SetResultsFile(resultsPath);
    QObject::connect(&dialog, &StatusDialog::CancelRequested, support, &FullScriptSupport::SetCanceled);
    QObject::connect(support, &FullScriptSupport::InformationLogged, &dialog, &StatusDialog::LogInformation);
    Publish(engine, support);

    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        Logger()->LogError(QStringLiteral("Unable to open script file %1").arg(scriptPath));
        return;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    const QString program = stream.readAll();
    file.close();

    dialog.show();
    engine.evaluate(program, scriptPath, 1);
    dialog.close();
    const QString exception = UncaughtException(engine);
    if (!exception.isEmpty())
        Logger()->LogError(QStringLiteral("Uncaught full script exception: %1").arg(exception));
}

void ScriptEngine::RunLightScript(const QString& text)
{
    QScriptEngine engine;
    std::unique_ptr<LightScriptSupport> support = ScriptSupportFactory::Instance()->CreateScriptSupport(false);
    Publish(engine, support.get());
    engine.evaluate(text, QString(), 1);
    const QString exception = UncaughtException(engine);
    if (!exception.isEmpty())
        Logger()->LogError(QStringLiteral("Uncaught light script exception: %1").arg(exception));
}

OrvoCommon::ILogger* ScriptEngine::Logger()
{
    if (!m_logger)
        m_logger = OrvoCommon::GetLogger();
    return m_logger;
}

} // namespace UpdatePelarin
