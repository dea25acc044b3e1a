#pragma once

#include <memory>

namespace UpdatePelarin {

class IWebUploader;

// Makes a new uploader on every call; callers keep the one they got.
class WebUploaderFactory
{
public:
    static WebUploaderFactory* Instance();

    // Null when the uploader cannot be built (no logger).
    std::unique_ptr<IWebUploader> CreateWebUploader() const;
};

} // namespace UpdatePelarin
