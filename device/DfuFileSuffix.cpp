#include "device/DfuFileSuffix.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "device/DeviceText.h"
#include "device/DfuConstants.h"
#include "firmware/Crc32.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/IFirmwareImageFile.h"
#include "firmware/IIndexFile.h"
#include "usb/WireWords.h"

#include <QtEndian>

namespace OrvoCommon {

namespace {

// Keeps the image closed whichever way the check ends.
class OpenImage
{
public:
    explicit OpenImage(IFirmwareImageFile* image) : m_image(image), m_open(image->Open()) {}
    ~OpenImage()
    {
        if (m_open)
            m_image->Close();
    }
    bool IsOpen() const { return m_open; }

private:
    IFirmwareImageFile* m_image;
    bool m_open;
};

bool Matches(std::uint16_t fileId, std::uint16_t deviceId)
{
    return fileId == deviceId || fileId == Dfu::SuffixAnyId;
}

} // namespace

std::uint32_t DfuFileSuffix::Crc(const QByteArray& bytes)
{
    return Crc32::Of(bytes, Crc32::NoFinalXor);
}

DfuFileSuffix::Result DfuFileSuffix::Validate(IFirmwareImageFile* image, std::uint16_t deviceVendorId,
                                              std::uint16_t deviceProductId, const IIndexFile* indexFile,
                                              bool acceptNonMatching, ILogger* logger)
{
    Result result;
    const auto fail = [&](const QString& message, const char* code = ErrorCodes::FirmwareCorrupted) {
        logger->LogError(message);
        result.errorCode = QLatin1String(code);
        return result;
    };
    const qint64 fileLength = image->GetDescriptor()->GetLength();

    {
        OpenImage open(image);
        if (!open.IsOpen())
            return fail(QStringLiteral("Unable to open DFU file"));
        const qint64 lengthPosition = fileLength - Dfu::SuffixLengthFromEnd;
        if (lengthPosition < 0 || !image->Seek(lengthPosition))
            return fail(QStringLiteral("Unable to seek to end of DFU file"));
        const QByteArray lengthByte = image->Read(1);
        if (lengthByte.isEmpty())
            return fail(QStringLiteral("Unable to read DFU suffix length"));
        result.lengthRead = true;
        result.length = static_cast<std::uint8_t>(lengthByte.at(0));
    }
    if (result.length < Dfu::SuffixMinLength)
        return fail(QStringLiteral("DFU suffix size %1 is too small").arg(result.length));

    OpenImage open(image);
    if (!open.IsOpen())
        return fail(QStringLiteral("Unable to open DFU file"));
    const qint64 suffixPosition = fileLength - result.length;
    if (suffixPosition < 0 || !image->Seek(suffixPosition))
        return fail(QStringLiteral("Unable to seek to end of DFU file"));
    const QByteArray suffix = image->Read(result.length);
    if (suffix.size() != result.length)
        return fail(QStringLiteral("Unable to read end of DFU file"));

    const int n = suffix.size();
    const char signature[] = {suffix.at(n - 6), suffix.at(n - 7), suffix.at(n - 8), '\0'};
    if (qstrcmp(signature, "DFU") != 0)
        return fail(QStringLiteral("DFU file suffix does not contain DFU signature"));

    const QByteArray whole = image->ReadAll();
    const std::uint32_t storedCrc = qFromLittleEndian<std::uint32_t>(suffix.constData() + n - Dfu::SuffixCrcSize);
    if (whole.size() < Dfu::SuffixCrcSize || Crc(whole.left(whole.size() - Dfu::SuffixCrcSize)) != storedCrc)
        return fail(QStringLiteral("DFU suffix CRC does not match"));

    const std::uint16_t fileProductId = WordAt(suffix, n - Dfu::SuffixProductFromEnd);
    const std::uint16_t fileVendorId = WordAt(suffix, n - Dfu::SuffixVendorFromEnd);
    // The same headset in its other USB mode; without one, a product id of 0 must not pass as "the sibling".
    std::uint16_t sibling = 0;
    const bool hasSibling = indexFile && indexFile->GetSiblingProductId(deviceProductId, &sibling);
    const bool productMatches = Matches(fileProductId, deviceProductId) || (hasSibling && fileProductId == sibling);
    if ((!productMatches || !Matches(fileVendorId, deviceVendorId)) && !acceptNonMatching) {
        return fail(QStringLiteral("DFU file is for %1/%2, connected device is %3/%4")
                        .arg(Hex4(fileVendorId), Hex4(fileProductId), Hex4(deviceVendorId), Hex4(deviceProductId)),
                    ErrorCodes::DfuFileMismatch);
    }
    return result;
}

} // namespace OrvoCommon
