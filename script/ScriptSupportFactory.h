#pragma once

#include <memory>

namespace UpdatePelarin {

class LightScriptSupport;

// A new support object on every request, owned by the caller: a FullScriptSupport when full is
// set, else a LightScriptSupport. Making a full one throws OrvoException when the device facade
// cannot be made.
class ScriptSupportFactory
{
public:
    static ScriptSupportFactory* Instance();
    std::unique_ptr<LightScriptSupport> CreateScriptSupport(bool full);
};

} // namespace UpdatePelarin
