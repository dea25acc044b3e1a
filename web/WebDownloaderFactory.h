#pragma once

#include <memory>

namespace OrvoCommon {

class IWebDownloader;

// Makes downloaders; each caller owns the one it gets.
class WebDownloaderFactory
{
public:
    static WebDownloaderFactory* Instance();

    // Null when the downloader cannot be built (no logger).
    std::unique_ptr<IWebDownloader> CreateWebDownloader() const;
};

} // namespace OrvoCommon
