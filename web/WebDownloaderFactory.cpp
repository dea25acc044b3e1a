#include "web/WebDownloaderFactory.h"

#include "app/OrvoException.h"
#include "web/WebDownloader.h"

namespace OrvoCommon {

WebDownloaderFactory* WebDownloaderFactory::Instance()
{
    static WebDownloaderFactory factory;
    return &factory;
}

std::unique_ptr<IWebDownloader> WebDownloaderFactory::CreateWebDownloader() const
{
    try {
        return std::make_unique<WebDownloader>();
    } catch (const OrvoException&) {
        return nullptr;
    }
}

} // namespace OrvoCommon
