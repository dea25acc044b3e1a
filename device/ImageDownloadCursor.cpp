#include "device/ImageDownloadCursor.h"

#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"

#include <QMutexLocker>

#include <algorithm>

namespace OrvoCommon {

void ImageDownloadCursor::SetSuffixLength(int subId, std::uint8_t length)
{
    m_suffixLengths.insert(subId, length);
}

IFirmwareImageFile* ImageDownloadCursor::Image() const
{
    QMutexLocker lock(&m_imageMutex);
    return m_image;
}

void ImageDownloadCursor::Start(IFirmwareImageFile* image)
{
    {
        QMutexLocker lock(&m_imageMutex);
        m_image = image;
    }
    m_remainingBytes = BodyLength(image);
}

bool ImageDownloadCursor::ReadBlock(std::uint32_t transferSize, QByteArray* data)
{
    // Under the image lock: the fail-safe may close the image from its own thread.
    QMutexLocker lock(&m_imageMutex);
    if (!m_image)
        return false;
    const std::uint32_t count = std::min<std::uint32_t>(m_remainingBytes, transferSize);
    *data = count > 0 ? m_image->Read(static_cast<std::uint16_t>(count)) : QByteArray();
    m_remainingBytes -= std::min<std::uint32_t>(m_remainingBytes, static_cast<std::uint32_t>(data->size()));
    return true;
}

std::uint16_t ImageDownloadCursor::TakeFirstBlockNumber()
{
    m_nextBlock = 1;
    return 0;
}

std::uint16_t ImageDownloadCursor::TakeNextBlockNumber()
{
    return m_nextBlock.fetch_add(1);
}

void ImageDownloadCursor::Rewind()
{
    if (const IFirmwareImageFile* image = Image())
        m_remainingBytes = BodyLength(image);
    CloseFile();
}

void ImageDownloadCursor::CloseFile()
{
    QMutexLocker lock(&m_imageMutex);
    if (m_image)
        m_image->Close();
}

void ImageDownloadCursor::CloseAndForget()
{
    QMutexLocker lock(&m_imageMutex);
    if (m_image)
        m_image->Close();
    m_image = nullptr;
}

bool ImageDownloadCursor::IsSendingBlocks() const
{
    return m_nextBlock != 0 && m_remainingBytes != 0;
}

std::uint32_t ImageDownloadCursor::BodyLength(const IFirmwareImageFile* image) const
{
    const std::uint32_t length = image->GetDescriptor()->GetLength();
    const std::uint32_t suffix = m_suffixLengths.value(image->GetDescriptor()->GetSubId(), 0);
    return length > suffix ? length - suffix : 0;
}

} // namespace OrvoCommon
