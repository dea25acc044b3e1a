#include "script/ScriptEngineFactory.h"

#include "script/ScriptEngine.h"
#include "script/ScriptSocketListener.h"

namespace UpdatePelarin {

ScriptEngineFactory* ScriptEngineFactory::Instance()
{
    static ScriptEngineFactory factory;
    return &factory;
}

std::unique_ptr<IScriptEngine> ScriptEngineFactory::CreateScriptEngine()
{
    return std::make_unique<ScriptEngine>();
}

ScriptSocketListenerFactory* ScriptSocketListenerFactory::Instance()
{
    static ScriptSocketListenerFactory factory;
    return &factory;
}

std::unique_ptr<IScriptSocketListener> ScriptSocketListenerFactory::CreateScriptSocketListener()
{
    return std::make_unique<ScriptSocketListener>();
}

} // namespace UpdatePelarin
