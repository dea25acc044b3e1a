#include "sim/SimImage.h"

#include <QtEndian>

#include <zlib.h>

namespace Sim {

namespace {

std::uint32_t Crc32(const char* data, std::size_t size)
{
    return static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

// Byte by byte: GCC's overflow check misreads qToLittleEndian into a QByteArray under the sanitizers.
void PutLe16(QByteArray* out, std::size_t offset, std::uint16_t value)
{
    (*out)[static_cast<int>(offset)] = static_cast<char>(value & 0xFF);
    (*out)[static_cast<int>(offset) + 1] = static_cast<char>(value >> 8);
}

void PutLe32(QByteArray* out, std::size_t offset, std::uint32_t value)
{
    PutLe16(out, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    PutLe16(out, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t GetLe16(const QByteArray& in, std::size_t offset)
{
    return qFromLittleEndian<std::uint16_t>(in.constData() + offset);
}

std::uint32_t GetLe32(const QByteArray& in, std::size_t offset)
{
    return qFromLittleEndian<std::uint32_t>(in.constData() + offset);
}

} // namespace

std::uint32_t DfuSuffixCrc(const QByteArray& data)
{
    return ~Crc32(data.constData(), static_cast<std::size_t>(data.size()));
}

QByteArray BuildSimImageBody(const SimImageInfo& info)
{
    using namespace SimImageFormat;
    QByteArray header(static_cast<int>(HeaderSize), '\0');
    std::copy(std::begin(Magic), std::end(Magic), header.begin() + MagicOffset);
    PutLe16(&header, FormatVersionOffset, FormatVersion);
    PutLe16(&header, SubIdOffset, info.subId);
    const QByteArray version = info.version.toLatin1().leftJustified(static_cast<int>(VersionSize), '\0', true);
    std::copy(version.begin(), version.end(), header.begin() + VersionOffset);
    PutLe32(&header, PayloadLengthOffset, static_cast<std::uint32_t>(info.payload.size()));
    PutLe32(&header, PayloadCrcOffset, Crc32(info.payload.constData(), static_cast<std::size_t>(info.payload.size())));
    PutLe32(&header, HeaderCrcOffset, Crc32(header.constData(), HeaderCrcOffset));
    return header + info.payload;
}

QByteArray BuildSimImage(const SimImageInfo& info, const DfuSuffix& suffix)
{
    QByteArray file = BuildSimImageBody(info);
    QByteArray tail(static_cast<int>(SimImageFormat::SuffixSize), '\0');
    PutLe16(&tail, 0, suffix.bcdDevice);
    PutLe16(&tail, 2, suffix.idProduct);
    PutLe16(&tail, 4, suffix.idVendor);
    PutLe16(&tail, 6, suffix.bcdDfu);
    tail[8] = 'U';
    tail[9] = 'F';
    tail[10] = 'D';
    tail[11] = static_cast<char>(suffix.length);
    file += tail.left(12);
    QByteArray crc(4, '\0');
    PutLe32(&crc, 0, DfuSuffixCrc(file));
    return file + crc;
}

SimImageCheck ParseSimImageBody(const QByteArray& body, SimImageInfo* info)
{
    using namespace SimImageFormat;
    if (static_cast<std::size_t>(body.size()) < HeaderSize)
        return SimImageCheck::TooShort;
    if (!std::equal(std::begin(Magic), std::end(Magic), body.constData() + MagicOffset))
        return SimImageCheck::BadMagic;
    if (GetLe16(body, FormatVersionOffset) != FormatVersion)
        return SimImageCheck::BadFormatVersion;
    if (GetLe32(body, HeaderCrcOffset) != Crc32(body.constData(), HeaderCrcOffset))
        return SimImageCheck::BadHeaderCrc;
    const std::uint32_t length = GetLe32(body, PayloadLengthOffset);
    if (static_cast<std::size_t>(body.size()) - HeaderSize != length)
        return SimImageCheck::BadLength;
    if (GetLe32(body, PayloadCrcOffset) != Crc32(body.constData() + HeaderSize, length))
        return SimImageCheck::BadPayloadCrc;
    if (info) {
        info->subId = GetLe16(body, SubIdOffset);
        info->version = QString::fromLatin1(body.constData() + VersionOffset, static_cast<int>(VersionSize));
        info->payload = body.mid(static_cast<int>(HeaderSize));
    }
    return SimImageCheck::Ok;
}

bool SplitDfuFile(const QByteArray& file, QByteArray* body, DfuSuffix* suffix)
{
    const int size = file.size();
    if (size < static_cast<int>(SimImageFormat::SuffixSize))
        return false;
    const int start = size - static_cast<int>(SimImageFormat::SuffixSize);
    if (file.mid(start + 8, 3) != "UFD")
        return false;
    DfuSuffix parsed;
    parsed.bcdDevice = GetLe16(file, start);
    parsed.idProduct = GetLe16(file, start + 2);
    parsed.idVendor = GetLe16(file, start + 4);
    parsed.bcdDfu = GetLe16(file, start + 6);
    parsed.length = static_cast<std::uint8_t>(file.at(start + 11));
    parsed.crc = GetLe32(file, start + 12);
    if (parsed.length < SimImageFormat::SuffixSize || parsed.length > size)
        return false;
    if (parsed.crc != DfuSuffixCrc(file.left(size - 4)))
        return false;
    if (body)
        *body = file.left(size - parsed.length);
    if (suffix)
        *suffix = parsed;
    return true;
}

} // namespace Sim
