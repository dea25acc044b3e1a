#include "script/ScriptEngineFactory.h"

#include "script/IScriptEngine.h"

namespace UpdatePelarin {

ScriptEngineFactory* ScriptEngineFactory::Instance()
{
    static ScriptEngineFactory factory;
    return &factory;
}

std::unique_ptr<IScriptEngine> ScriptEngineFactory::CreateScriptEngine()
{
    return nullptr;
}

ScriptSocketListenerFactory* ScriptSocketListenerFactory::Instance()
{
    static ScriptSocketListenerFactory factory;
    return &factory;
}

std::unique_ptr<IScriptSocketListener> ScriptSocketListenerFactory::CreateScriptSocketListener()
{
    return nullptr;
}

} // namespace UpdatePelarin
