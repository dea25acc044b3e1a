#include "web/WebUploaderFactory.h"

#include "app/OrvoException.h"
#include "web/WebUploader.h"

namespace UpdatePelarin {

WebUploaderFactory* WebUploaderFactory::Instance()
{
    static WebUploaderFactory factory;
    return &factory;
}

std::unique_ptr<IWebUploader> WebUploaderFactory::CreateWebUploader() const
{
    try {
        return std::make_unique<WebUploader>();
    } catch (const OrvoCommon::OrvoException&) {
        return nullptr;
    }
}

} // namespace UpdatePelarin
