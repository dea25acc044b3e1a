#include "resources/art/GifWriter.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr int PaletteLimit = 256;

struct ColourCount
{
    QRgb colour;
    int count;
};

int Channel(QRgb colour, int channel)
{
    return channel == 0 ? qRed(colour) : channel == 1 ? qGreen(colour) : qBlue(colour);
}

// Median cut: keeps splitting the box with the widest channel range at its weighted median, so the
// palette spends its entries where the art has colour, and an image with few colours keeps them all.
QVector<QRgb> ReducePalette(QVector<ColourCount> colours, int limit)
{
    struct Box
    {
        int begin, end;
    };
    QVector<Box> boxes = {{0, colours.size()}};
    auto range = [&colours](const Box& box, int* channel) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            int low = 255, high = 0;
            for (int i = box.begin; i < box.end; ++i) {
                low = std::min(low, Channel(colours[i].colour, c));
                high = std::max(high, Channel(colours[i].colour, c));
            }
            if (high - low > best) {
                best = high - low;
                *channel = c;
            }
        }
        return best;
    };
    while (boxes.size() < limit) {
        int widest = -1, widestRange = 0, channel = 0;
        for (int b = 0; b < boxes.size(); ++b) {
            int c = 0;
            const int r = boxes[b].end - boxes[b].begin > 1 ? range(boxes[b], &c) : 0;
            if (r > widestRange) {
                widestRange = r;
                widest = b;
                channel = c;
            }
        }
        if (widest < 0)
            break;
        Box& box = boxes[widest];
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [channel](const ColourCount& a, const ColourCount& b) {
                      return Channel(a.colour, channel) < Channel(b.colour, channel);
                  });
        qint64 total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += colours[i].count;
        int split = box.begin + 1;
        for (qint64 seen = colours[box.begin].count; split < box.end - 1 && seen * 2 < total; ++split)
            seen += colours[split].count;
        boxes.append({split, box.end});
        boxes[widest].end = split;
    }
    QVector<QRgb> palette;
    for (const Box& box : boxes) {
        qint64 sum[3] = {0, 0, 0}, weight = 0;
        for (int i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += qint64(Channel(colours[i].colour, c)) * colours[i].count;
            weight += colours[i].count;
        }
        palette.append(qRgb(int((sum[0] + weight / 2) / weight), int((sum[1] + weight / 2) / weight),
                            int((sum[2] + weight / 2) / weight)));
    }
    std::sort(palette.begin(), palette.end());
    return palette;
}

int Nearest(const QVector<QRgb>& palette, QRgb colour)
{
    int best = 0, bestDistance = INT32_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour), dg = qGreen(palette[i]) - qGreen(colour),
                  db = qBlue(palette[i]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// Packs codes least significant bit first into the data sub-blocks of one image.
class CodeStream
{
public:
    void Put(int code, int bits)
    {
        m_buffer |= std::uint32_t(code) << m_bitCount;
        m_bitCount += bits;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_bitCount -= 8;
        }
    }

    QByteArray Finish()
    {
        if (m_bitCount > 0)
            m_bytes.append(char(m_buffer & 0xFF));
        QByteArray blocks;
        for (int at = 0; at < m_bytes.size(); at += 255) {
            const int length = std::min(255, int(m_bytes.size()) - at);
            blocks.append(char(length));
            blocks.append(m_bytes.mid(at, length));
        }
        blocks.append('\0');
        return blocks;
    }

private:
    QByteArray m_bytes;
    std::uint32_t m_buffer = 0;
    int m_bitCount = 0;
};

QByteArray Compress(const QByteArray& indices, int minimumCodeSize)
{
    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    std::unordered_map<std::uint32_t, int> table;
    int codeSize = minimumCodeSize + 1;
    int nextCode = endCode + 1;
    CodeStream stream;
    stream.Put(clearCode, codeSize);
    int prefix = std::uint8_t(indices.at(0));
    for (int i = 1; i < indices.size(); ++i) {
        const int pixel = std::uint8_t(indices.at(i));
        const std::uint32_t key = std::uint32_t(prefix) << 8 | std::uint32_t(pixel);
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        stream.Put(prefix, codeSize);
        if (nextCode < (1 << GifWriter::MaximumCodeBits)) {
            table.emplace(key, nextCode);
            // The decoder adds each entry one code later than we do, so it widens its codes once it
            // has the entry before this one, which is when this entry takes the first wider code.
            if (nextCode == (1 << codeSize) && codeSize < GifWriter::MaximumCodeBits)
                ++codeSize;
            ++nextCode;
        } else {
            stream.Put(clearCode, codeSize);
            table.clear();
            codeSize = minimumCodeSize + 1;
            nextCode = endCode + 1;
        }
        prefix = pixel;
    }
    stream.Put(prefix, codeSize);
    stream.Put(endCode, codeSize);
    return stream.Finish();
}

void PutWord(QByteArray* out, int value)
{
    out->append(char(value & 0xFF));
    out->append(char((value >> 8) & 0xFF));
}

} // namespace

QImage GifWriter::Flatten(const QImage& image, QRgb matte)
{
    QImage flat = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < flat.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            if (a < 128) {
                line[x] = 0;
                continue;
            }
            auto mix = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
            line[x] = qRgb(mix(qRed(p), qRed(matte)), mix(qGreen(p), qGreen(matte)), mix(qBlue(p), qBlue(matte)));
        }
    }
    return flat;
}

QByteArray GifWriter::Write(const QVector<QImage>& frames, int delayCentiseconds, QRgb matte)
{
    if (frames.isEmpty())
        return {};
    const QSize size = frames.first().size();
    QVector<QImage> flat;
    QHash<QRgb, int> histogram;
    bool transparent = false;
    for (const QImage& frame : frames) {
        if (frame.size() != size || size.isEmpty())
            return {};
        flat.append(Flatten(frame, matte));
        const auto* pixels = reinterpret_cast<const QRgb*>(flat.last().constBits());
        for (int i = 0; i < size.width() * size.height(); ++i) {
            if (qAlpha(pixels[i]) == 0)
                transparent = true;
            else
                ++histogram[pixels[i]];
        }
    }

    QVector<ColourCount> colours;
    for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
        colours.append({it.key(), it.value()});
    std::sort(colours.begin(), colours.end(),
              [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });
    const QVector<QRgb> palette =
        colours.isEmpty() ? QVector<QRgb>{matte} : ReducePalette(colours, PaletteLimit - (transparent ? 1 : 0));
    const int transparentIndex = palette.size();
    int tableBits = 1;
    while ((1 << tableBits) < palette.size() + (transparent ? 1 : 0))
        ++tableBits;
    const int minimumCodeSize = std::max(2, tableBits);

    QByteArray out("GIF89a");
    PutWord(&out, size.width());
    PutWord(&out, size.height());
    out.append(char(0x80 | 0x70 | (tableBits - 1)));
    out.append(char(transparent ? transparentIndex : 0)); // background: what disposal restores to
    out.append('\0');
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : matte;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    PutWord(&out, 0); // loop forever
    out.append('\0');

    QHash<QRgb, int> mapped;
    for (const QImage& frame : flat) {
        // Graphic control: restore to the background before the next frame, since every frame is
        // drawn whole and its transparent pixels must not show the one before.
        out.append("\x21\xF9\x04", 3);
        out.append(char((2 << 2) | (transparent ? 1 : 0)));
        PutWord(&out, delayCentiseconds);
        out.append(char(transparent ? transparentIndex : 0));
        out.append('\0');

        out.append(',');
        PutWord(&out, 0);
        PutWord(&out, 0);
        PutWord(&out, size.width());
        PutWord(&out, size.height());
        out.append('\0');

        QByteArray indices;
        indices.reserve(size.width() * size.height());
        const auto* pixels = reinterpret_cast<const QRgb*>(frame.constBits());
        for (int i = 0; i < size.width() * size.height(); ++i) {
            if (qAlpha(pixels[i]) == 0) {
                indices.append(char(transparentIndex));
                continue;
            }
            auto known = mapped.constFind(pixels[i]);
            if (known == mapped.constEnd())
                known = mapped.insert(pixels[i], Nearest(palette, pixels[i]));
            indices.append(char(known.value()));
        }
        out.append(char(minimumCodeSize));
        out.append(Compress(indices, minimumCodeSize));
    }
    out.append(';');
    return out;
}
