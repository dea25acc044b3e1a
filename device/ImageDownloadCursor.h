#pragma once

#include <QByteArray>
#include <QMap>
#include <QMutex>

#include <atomic>
#include <cstdint>

namespace OrvoCommon {

class IFirmwareImageFile;

// Where the download of one image stands: the image, the number of the next DFU block and the bytes of
// its body still to send. The body is the file without its DFU suffix, which is never sent. The
// programming thread moves it; the fail-safe closes the image from its own thread and the progress
// timer asks whether blocks are flowing, so the image is under one mutex and the counters are atomic.
class ImageDownloadCursor
{
public:
    // Set for each image before the download starts, from the programming thread.
    void SetSuffixLength(int subId, std::uint8_t length);

    // The image under way, also after its last block (until it is forgotten); null when none.
    IFirmwareImageFile* Image() const;
    // Makes an opened image the current one, with its whole body still to send.
    void Start(IFirmwareImageFile* image);
    // The next bytes of the body, at most transferSize of them; empty once all have been read. False
    // when there is no current image.
    bool ReadBlock(std::uint32_t transferSize, QByteArray* data);
    // Block 0 is about to go; the image's next block is 1.
    std::uint16_t TakeFirstBlockNumber();
    std::uint16_t TakeNextBlockNumber();
    // The whole body is to be sent again; the file is closed until the image is opened anew.
    void Rewind();
    // Closes the file; the image stays current, so that the walk can tell it was finished.
    void CloseFile();
    void CloseAndForget();
    // True while an image's blocks are on their way.
    bool IsSendingBlocks() const;

private:
    std::uint32_t BodyLength(const IFirmwareImageFile* image) const;

    QMap<int, std::uint8_t> m_suffixLengths;
    mutable QMutex m_imageMutex;
    IFirmwareImageFile* m_image = nullptr;
    std::atomic<std::uint16_t> m_nextBlock{0};
    std::atomic<std::uint32_t> m_remainingBytes{0};
};

} // namespace OrvoCommon
