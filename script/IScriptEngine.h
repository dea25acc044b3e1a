#pragma once

#include <QString>

namespace UpdatePelarin {

// Runs a full script (headless update with a results file) or a light script (fault switches).
// Both run on the main thread and return when the script has ended.
class IScriptEngine
{
public:
    virtual ~IScriptEngine() = default;
    virtual void RunFullScript(const QString& scriptPath, const QString& resultsPath) = 0;
    virtual void RunLightScript(const QString& text) = 0;
};

// Accepts light scripts over TCP while the wizard runs.
class IScriptSocketListener
{
public:
    virtual ~IScriptSocketListener() = default;
    // Throws "socket-listen-error" when the port cannot be opened.
    virtual void Listen(quint16 port) = 0;
    virtual void Close() = 0;
};

} // namespace UpdatePelarin
