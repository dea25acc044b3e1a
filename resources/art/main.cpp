// tessary-art: renders the interface's artwork from its SVG sources at build time.
//   tessary-art png SOURCE OUTPUT [--size WxH]
//   tessary-art gif SOURCE OUTPUT --frames N --delay CS [--matte #rrggbb] [--size WxH]
//   tessary-art sheet OUTPUT [--scale N] [--matte #rrggbb] IMAGE...

#include "resources/art/ArtRenderer.h"
#include "resources/art/GifWriter.h"

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QTextStream>

namespace {

int Fail(const QString& message)
{
    QTextStream(stderr) << "tessary-art: " << message << '\n';
    return 1;
}

bool ReadSource(const QString& path, QByteArray* svg, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    *svg = file.readAll();
    return ArtRenderer::ResolveIncludes(svg, QFileInfo(path).dir(), error);
}

bool ParseSize(const QString& text, QSize* size)
{
    if (text.isEmpty())
        return true;
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okWidth = false, okHeight = false;
    if (parts.size() == 2)
        *size = QSize(parts[0].toInt(&okWidth), parts[1].toInt(&okHeight));
    return okWidth && okHeight && !size->isEmpty();
}

bool Save(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the interface's artwork from SVG."));
    parser.addHelpOption();
    const QList<QCommandLineOption> options = {
        {QStringLiteral("size"), QStringLiteral("Output size WxH (default: the SVG's own)."), QStringLiteral("WxH")},
        {QStringLiteral("frames"), QStringLiteral("Frames of one loop."), QStringLiteral("n")},
        {QStringLiteral("delay"), QStringLiteral("Hundredths of a second per frame."), QStringLiteral("cs")},
        {QStringLiteral("matte"), QStringLiteral("Colour the animation is shown on."), QStringLiteral("colour"),
         QStringLiteral("#efefef")},
        {QStringLiteral("scale"), QStringLiteral("Magnification of a contact sheet."), QStringLiteral("n"),
         QStringLiteral("1")},
    };
    parser.addOptions(options);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("png, gif or sheet"));
    parser.process(application);

    const QStringList arguments = parser.positionalArguments();
    const QString command = arguments.value(0);
    const QColor matte(parser.value(QStringLiteral("matte")));
    QSize size;
    if (!matte.isValid())
        return Fail(QStringLiteral("bad --matte"));
    if (!ParseSize(parser.value(QStringLiteral("size")), &size))
        return Fail(QStringLiteral("bad --size"));

    QString error;
    if ((command == QLatin1String("png") || command == QLatin1String("gif")) && arguments.size() == 3) {
        QByteArray svg;
        if (!ReadSource(arguments[1], &svg, &error))
            return Fail(error);
        QByteArray bytes;
        if (command == QLatin1String("png")) {
            const QImage image = ArtRenderer::Render(svg, size, &error);
            if (image.isNull())
                return Fail(arguments[1] + QStringLiteral(": ") + error);
            if (!image.save(arguments[2], "PNG"))
                return Fail(QStringLiteral("cannot write %1").arg(arguments[2]));
            return 0;
        }
        const int frames = parser.value(QStringLiteral("frames")).toInt();
        const int delay = parser.value(QStringLiteral("delay")).toInt();
        if (frames < 2 || delay < 1)
            return Fail(QStringLiteral("an animation needs --frames of 2 or more and a --delay"));
        const QVector<QImage> images = ArtRenderer::RenderFrames(svg, size, frames, &error);
        if (images.isEmpty())
            return Fail(arguments[1] + QStringLiteral(": ") + error);
        if (!Save(arguments[2], GifWriter::Write(images, delay, matte.rgb())))
            return Fail(QStringLiteral("cannot write %1").arg(arguments[2]));
        return 0;
    }
    if (command == QLatin1String("sheet") && arguments.size() >= 3) {
        // Pictures share rows up to a comfortable width; an animation starts a row of its own.
        const int scale = std::max(1, parser.value(QStringLiteral("scale")).toInt());
        QVector<QVector<QImage>> rows;
        int rowWidth = -1; // no row open
        for (const QString& path : arguments.mid(2)) {
            QImageReader reader(path);
            QVector<QImage> frames;
            for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read())
                frames.append(frame);
            if (frames.isEmpty())
                return Fail(QStringLiteral("cannot read %1").arg(path));
            if (frames.size() > 1)
                rowWidth = -1;
            for (const QImage& frame : frames) {
                if (rowWidth < 0 || rowWidth + frame.width() > 1000) {
                    rows.append(QVector<QImage>());
                    rowWidth = 0;
                }
                rows.last().append(frame);
                rowWidth += frame.width();
            }
            if (frames.size() > 1)
                rowWidth = -1;
        }
        if (!ArtRenderer::ContactSheet(rows, scale, matte.rgb()).save(arguments[1], "PNG"))
            return Fail(QStringLiteral("cannot write %1").arg(arguments[1]));
        return 0;
    }
    parser.showHelp(1);
}
