#pragma once

namespace OrvoCommon {

class IConfiguration;

// Hands out the single configuration, creating it on first request; nobody deletes it.
class ConfigurationFactory
{
public:
    static ConfigurationFactory* Instance();
    IConfiguration* CreateConfiguration();
};

// Shorthand for ConfigurationFactory::Instance()->CreateConfiguration().
IConfiguration* GetConfiguration();

} // namespace OrvoCommon
