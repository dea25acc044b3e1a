#include "script/ScriptSupportFactory.h"

#include "script/FullScriptSupport.h"
#include "script/LightScriptSupport.h"

namespace UpdatePelarin {

ScriptSupportFactory* ScriptSupportFactory::Instance()
{
    static ScriptSupportFactory factory;
    return &factory;
}

std::unique_ptr<LightScriptSupport> ScriptSupportFactory::CreateScriptSupport(bool full)
{
    if (full)
        return std::make_unique<FullScriptSupport>();
    return std::make_unique<LightScriptSupport>();
}

} // namespace UpdatePelarin
