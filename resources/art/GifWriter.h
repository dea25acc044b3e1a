#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QVector>

// Writes the looping animations of the interface as GIF89a, the animated format QMovie plays without
// extra plugins. GIF knows one bit of transparency and at most 256 colours, so every frame is first
// flattened onto the colour of the window it will be shown on, and all frames share one palette.
class GifWriter
{
public:
    // Frames are images of one size shown delayCentiseconds apart, looping forever. Empty when there
    // are no frames or their sizes differ.
    static QByteArray Write(const QVector<QImage>& frames, int delayCentiseconds, QRgb matte);

    // What a decoder shows for the image: pixels less than half opaque become transparent, the others
    // are composed onto matte and made opaque.
    static QImage Flatten(const QImage& image, QRgb matte);

    // The longest LZW code of GIF; the code table holds 1 << 12 entries.
    static constexpr int MaximumCodeBits = 12;
};
