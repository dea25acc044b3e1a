#include "firmware/FirmwareImageFile.h"

#include "app/ErrorCodes.h"
#include "app/LoggerFactory.h"
#include "firmware/Crc32.h"
#include "firmware/FirmwareFileLocator.h"
#include "firmware/FirmwareProcessingTest.h"
#include "firmware/IFirmwareImageDescriptor.h"
#include "firmware/LoggedException.h"
#include "firmware/Sha256.h"

namespace OrvoCommon {

namespace {

constexpr qint64 VerifyChunkSize = 256 * 1024;

QString Hex(std::uint64_t value)
{
    return QString::number(value, 16);
}

} // namespace

std::unique_ptr<IFirmwareImageFile> FirmwareImageFile::Create(const IFirmwareImageDescriptor* descriptor)
{
    ILogger* logger = GetLogger();
    if (!descriptor)
        ThrowLoggedException(logger, ErrorCodes::InternalError, QStringLiteral("descriptor is NULL"));
    const QString fileName = descriptor->GetFileName();
    const QString folder = FirmwareFileLocator::Instance()->FindFolder(fileName);
    if (folder.isEmpty())
        ThrowLoggedException(logger, ErrorCodes::InternalError,
                             QStringLiteral("Unable to find image file: ") + fileName);
    QFile file(folder + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly))
        ThrowLoggedException(logger, ErrorCodes::InternalError,
                             QStringLiteral("Unable to open image file: ") + fileName);

    // Read in pieces: an image is checked at zlib speed without holding it in memory. The digest,
    // when the index gives one, is taken in the same pass.
    const QByteArray expectedDigest = descriptor->GetSha256();
    Crc32 crc;
    Sha256 digest;
    std::uint64_t length = 0;
    QByteArray chunk(static_cast<int>(VerifyChunkSize), Qt::Uninitialized);
    for (;;) {
        const qint64 count = file.read(chunk.data(), VerifyChunkSize);
        if (count < 0)
            ThrowLoggedException(logger, ErrorCodes::InternalError,
                                 QStringLiteral("Unable to open image file: ") + fileName);
        if (count == 0)
            break;
        crc.Update(chunk.constData(), static_cast<std::size_t>(count));
        if (!expectedDigest.isEmpty())
            digest.Update(chunk.constData(), static_cast<std::size_t>(count));
        length += static_cast<std::uint64_t>(count);
    }
    file.close();

    if (crc.Value() != descriptor->GetCrc()) {
        ThrowLoggedException(logger, ErrorCodes::FirmwareCorrupted,
                             QStringLiteral("CRC of image file [%1] is 0x%2 instead of expected 0x%3")
                                 .arg(fileName, Hex(crc.Value()), Hex(descriptor->GetCrc())));
    }
    if (length != descriptor->GetLength()) {
        ThrowLoggedException(logger, ErrorCodes::FirmwareCorrupted,
                             QStringLiteral("Length of image file [%1] is 0x%2 instead of expected 0x%3")
                                 .arg(fileName, Hex(length), Hex(descriptor->GetLength())));
    }
    // CRC and length cannot tell one valid image from another of the same length; the digest can.
    if (!expectedDigest.isEmpty()) {
        const QByteArray actualDigest = digest.Final();
        if (actualDigest != expectedDigest) {
            ThrowLoggedException(logger, ErrorCodes::FirmwareCorrupted,
                                 QStringLiteral("SHA-256 of image file [%1] is %2 instead of expected %3")
                                     .arg(fileName, QString::fromLatin1(actualDigest.toHex()),
                                          QString::fromLatin1(expectedDigest.toHex())));
        }
    }
    return std::unique_ptr<IFirmwareImageFile>(new FirmwareImageFile(descriptor, logger));
}

bool FirmwareImageFile::Open()
{
    if (m_file)
        return false;
    // Found afresh: the file may have moved between the two folders since it was verified.
    const QString fileName = m_descriptor->GetFileName();
    const QString folder = FirmwareFileLocator::Instance()->FindFolder(fileName);
    if (folder.isEmpty())
        return false;
    auto file = std::make_unique<QFile>(folder + QLatin1Char('/') + fileName);
    if (!file->open(QIODevice::ReadOnly))
        return false;
    m_file = std::move(file);
    return true;
}

void FirmwareImageFile::RequireOpen() const
{
    if (!m_file)
        ThrowLoggedException(m_logger, ErrorCodes::InternalError, QStringLiteral("Image file is not open"));
}

QByteArray FirmwareImageFile::Read(std::uint16_t maxCount)
{
    RequireOpen();
    QByteArray data = m_file->read(maxCount);
    if (!data.isEmpty() && FirmwareProcessingTest::Instance()->IsFirmwareImageCorruption())
        data[0] = static_cast<char>(~static_cast<unsigned char>(data.at(0)));
    return data;
}

bool FirmwareImageFile::Seek(qint64 position)
{
    RequireOpen();
    return m_file->seek(position);
}

QByteArray FirmwareImageFile::ReadAll()
{
    if (!Seek(0))
        return QByteArray();
    return m_file->readAll();
}

} // namespace OrvoCommon
