#pragma once

#include "script/IScriptEngine.h"

namespace OrvoCommon {
class ILogger;
}

namespace UpdatePelarin {

// Each run gets a script engine and a support object of its own, released when the run ends, so
// nothing of one script reaches the next (the fault switches aside, which are process-wide).
class ScriptEngine : public IScriptEngine
{
public:
    void RunFullScript(const QString& scriptPath, const QString& resultsPath) override;
    void RunLightScript(const QString& text) override;

private:
    OrvoCommon::ILogger* Logger();

    OrvoCommon::ILogger* m_logger = nullptr;
};

} // namespace UpdatePelarin
