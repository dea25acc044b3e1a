#pragma once

#include <QString>

namespace OrvoCommon {

// The interactive start of the updater: splash, language, driver check, index file, wizard.
class IUpdatePelarinApp
{
public:
    virtual ~IUpdatePelarinApp() = default;
    // Returns at once; the rest runs from the event loop.
    virtual void Start() = 0;
};

// Test operations of the application object, used by the command line and by scripts.
class IUpdatePelarinAppTest
{
public:
    virtual ~IUpdatePelarinAppTest() = default;
    // Shows the dialog the name selects and returns when it has closed.
    virtual void DisplayErrorDialog(const QString& name) = 0;
    virtual void SetLanguage(const QString& languageCode, bool keepLayout) = 0;
};

} // namespace OrvoCommon
