#pragma once

#include <functional>
#include <memory>

namespace OrvoCommon {

class IUpdatePelarinApp;
class IUpdatePelarinAppTest;

// Creates a new application object on every request; the caller owns it. The application object
// sits above the wizard, so its layer installs the creators; until it does, both return null.
class UpdatePelarinAppFactory
{
public:
    using AppCreator = std::function<std::unique_ptr<IUpdatePelarinApp>()>;
    using AppTestCreator = std::function<std::unique_ptr<IUpdatePelarinAppTest>()>;

    static UpdatePelarinAppFactory* Instance();

    std::unique_ptr<IUpdatePelarinApp> CreateApp() const;
    std::unique_ptr<IUpdatePelarinAppTest> CreateAppTest() const;

    void SetCreators(AppCreator app, AppTestCreator appTest);

private:
    AppCreator m_app;
    AppTestCreator m_appTest;
};

} // namespace OrvoCommon
