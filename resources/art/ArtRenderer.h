#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>

// Turns the SVG sources of the artwork into the pixels the program ships. Sources are plain SVG that
// Qt's renderer understands, with two additions resolved before rendering:
// - <?include parts/name.svg?> inserts the content of another SVG's root element, so a drawing used
//   in several pictures (the headset) exists once;
// - in an animation, @phase*k@ becomes k times the frame's place in the loop (0 up to 1) and
//   @swing*k@ becomes k times a smooth back-and-forth over the loop (0, up to 1 halfway, back to 0).
class ArtRenderer
{
public:
    static bool ResolveIncludes(QByteArray* svg, const QDir& base, QString* error);
    static bool ExpandFrameTokens(QByteArray* svg, int frame, int frameCount, QString* error);

    // Renders the SVG onto a transparent image of the given size, or of the SVG's own size when size
    // is empty. Fails when Qt cannot parse the SVG or warns about anything in it: a feature the
    // renderer silently skips would otherwise ship as a hole in the picture.
    static QImage Render(const QByteArray& svg, const QSize& size, QString* error);

    // Every frame of an animation source, after includes.
    static QVector<QImage> RenderFrames(const QByteArray& svg, const QSize& size, int frameCount, QString* error);

    // One row per picture: its frames side by side, magnified by scale without smoothing so single
    // pixels can be judged, on the given background.
    static QImage ContactSheet(const QVector<QVector<QImage>>& rows, int scale, QRgb background);
};
