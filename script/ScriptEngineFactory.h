#pragma once

#include <memory>

namespace UpdatePelarin {

class IScriptEngine;
class IScriptSocketListener;

// New objects on every request, owned by the caller.
class ScriptEngineFactory
{
public:
    static ScriptEngineFactory* Instance();
    std::unique_ptr<IScriptEngine> CreateScriptEngine();
};

class ScriptSocketListenerFactory
{
public:
    static ScriptSocketListenerFactory* Instance();
    std::unique_ptr<IScriptSocketListener> CreateScriptSocketListener();
};

} // namespace UpdatePelarin
