#include "app/UpdatePelarinAppFactory.h"

#include "app/IUpdatePelarinApp.h"

namespace OrvoCommon {

UpdatePelarinAppFactory* UpdatePelarinAppFactory::Instance()
{
    static UpdatePelarinAppFactory factory;
    return &factory;
}

std::unique_ptr<IUpdatePelarinApp> UpdatePelarinAppFactory::CreateApp() const
{
    return m_app ? m_app() : nullptr;
}

std::unique_ptr<IUpdatePelarinAppTest> UpdatePelarinAppFactory::CreateAppTest() const
{
    return m_appTest ? m_appTest() : nullptr;
}

void UpdatePelarinAppFactory::SetCreators(AppCreator app, AppTestCreator appTest)
{
    m_app = std::move(app);
    m_appTest = std::move(appTest);
}

} // namespace OrvoCommon
