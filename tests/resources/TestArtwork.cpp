#include "resources/art/ArtRenderer.h"
#include "resources/art/GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <cmath>

namespace {

double Luminance(QRgb colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

QVector<QImage> DecodeAll(const QByteArray& gif, int* loopCount, int* delay)
{
    QBuffer buffer;
    buffer.setData(gif);
    QImageReader reader(&buffer, "gif");
    QVector<QImage> frames;
    for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) {
        frames.append(frame.convertToFormat(QImage::Format_ARGB32));
        *delay = reader.nextImageDelay();
    }
    *loopCount = reader.loopCount();
    return frames;
}

// Largest difference of any channel of any pixel; transparent pixels must agree exactly.
int Difference(const QImage& decoded, const QImage& expected)
{
    int worst = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = decoded.pixel(x, y), b = expected.pixel(x, y);
            if ((qAlpha(a) == 0) != (qAlpha(b) == 0))
                return 255;
            if (qAlpha(b) == 0)
                continue;
            worst = std::max(
                {worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    }
    return worst;
}

QImage Filled(int width, int height, const std::function<QRgb(int, int)>& pixel)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, pixel(x, y));
    return image;
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(ui); }

    void picturesLoadAtTheirSize_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QSize>("size");
        // Illustrations and the splash fill their frame; icons and marks sit on the window.
        QTest::addColumn<bool>("opaque");
        QTest::newRow("icon_16") << "icon_16" << QSize(16, 16) << false;
        QTest::newRow("icon_32") << "icon_32" << QSize(32, 32) << false;
        QTest::newRow("icon_128") << "icon_128" << QSize(128, 128) << false;
        QTest::newRow("splash") << "img_splash_screen" << QSize(500, 300) << true;
        for (const char* name : {"connection", "preparation", "success", "already_up_to_date", "not_success"}) {
            const QString alias = QStringLiteral("img_%1_illustration").arg(QLatin1String(name));
            QTest::newRow(name) << alias << QSize(192, 256) << true;
        }
        QTest::newRow("error icon") << "img_error_icon" << QSize(32, 32) << false;
        QTest::newRow("driver installed") << "img_driver_install_complete" << QSize(40, 40) << false;
    }

    void picturesLoadAtTheirSize()
    {
        QFETCH(QString, alias);
        QFETCH(QSize, size);
        QFETCH(bool, opaque);
        const QImage image = QImage(QStringLiteral(":/ui/") + alias).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), size);
        QSet<QRgb> colours;
        bool allOpaque = true;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                colours.insert(image.pixel(x, y));
                allOpaque = allOpaque && qAlpha(image.pixel(x, y)) == 255;
            }
        }
        QVERIFY2(colours.size() > 8, "blank picture");
        QCOMPARE(allOpaque, opaque);
        if (!opaque)
            QVERIFY(qAlpha(image.pixel(0, 0)) < 64);
    }

    // White labels are set over the splash's lower left; every pixel there keeps them readable.
    void splashIsDarkUnderItsLabels()
    {
        const QImage splash = QImage(QStringLiteral(":/ui/img_splash_screen"));
        double brightest = 0;
        for (int y = 200; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                brightest = std::max(brightest, Luminance(splash.pixel(x, y)));
        QVERIFY2((1.05) / (brightest + 0.05) >= 7.0, qPrintable(QString::number(brightest)));
    }

    void animationsLoop_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QSize>("size");
        QTest::newRow("index file wait") << "anim_index_file_wait" << QSize(240, 48);
        QTest::newRow("driver install wait") << "anim_driver_install_wait" << QSize(32, 32);
    }

    void animationsLoop()
    {
        QFETCH(QString, alias);
        QFETCH(QSize, size);
        QMovie movie(QStringLiteral(":/ui/") + alias);
        QVERIFY(movie.isValid());
        QVERIFY(movie.frameCount() > 1);
        QCOMPARE(movie.loopCount(), -1);
        QImage previous;
        for (int i = 0; i < movie.frameCount(); ++i) {
            QVERIFY(movie.jumpToFrame(i));
            const QImage frame = movie.currentImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(frame.size(), size);
            QVERIFY(movie.nextFrameDelay() > 0);
            QCOMPARE(qAlpha(frame.pixel(0, 0)), 0);
            QVERIFY2(frame != previous, qPrintable(QStringLiteral("frame %1 repeats the one before").arg(i)));
            previous = frame;
        }
    }

    void gifDecodesToTheFramesWritten_data()
    {
        QTest::addColumn<QVector<QImage>>("frames");
        QTest::addColumn<int>("tolerance");
        auto random = QRandomGenerator(7);
        QVector<QRgb> colours;
        for (int i = 0; i < 200; ++i)
            colours.append(qRgb(int(random.bounded(256)), int(random.bounded(256)), int(random.bounded(256))));

        QTest::newRow("two colours") << QVector<QImage>{Filled(9, 7, [](int x, int y) {
            return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        })} << 0;
        // Half-transparent edges flatten onto the matte; fainter ones drop out.
        QTest::newRow("soft edges")
            << QVector<QImage>{Filled(16, 4, [](int x, int) { return qRgba(200, 40, 10, x * 17); }),
                               Filled(16, 4, [](int x, int y) { return qRgba(10, 40 * y, 200, 255 - x * 17); })}
            << 0;
        // Noise fills the 4096-entry code table many times over.
        QTest::newRow("code table refills")
            << QVector<QImage>{Filled(160, 120, [&](int, int) { return colours[int(random.bounded(200))]; }),
                               Filled(160, 120, [&](int, int) { return colours[int(random.bounded(200))]; })}
            << 0;
        QTest::newRow("more colours than a palette")
            << QVector<QImage>{Filled(256, 64, [](int x, int y) { return qRgb(x, y * 4, 255 - x); })} << 12;
    }

    void gifDecodesToTheFramesWritten()
    {
        QFETCH(QVector<QImage>, frames);
        QFETCH(int, tolerance);
        const QRgb matte = qRgb(239, 239, 239);
        int loopCount = 0, delay = 0;
        const QVector<QImage> decoded = DecodeAll(GifWriter::Write(frames, 7, matte), &loopCount, &delay);
        QCOMPARE(decoded.size(), frames.size());
        QCOMPARE(loopCount, -1);
        QCOMPARE(delay, 70);
        for (int i = 0; i < frames.size(); ++i)
            QVERIFY(Difference(decoded[i], GifWriter::Flatten(frames[i], matte)) <= tolerance);
    }

    void gifRejectsFramesOfDifferentSizes()
    {
        QVERIFY(GifWriter::Write({QImage(4, 4, QImage::Format_ARGB32), QImage(4, 5, QImage::Format_ARGB32)}, 5, 0)
                    .isEmpty());
    }

    // A reference the renderer cannot resolve would ship as a hole in the picture.
    void renderRefusesWhatQtSkips()
    {
        QString error;
        const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
                               "<rect width='8' height='8' fill='url(#missing)'/></svg>";
        QVERIFY(ArtRenderer::Render(svg, {}, &error).isNull());
        QVERIFY(!error.isEmpty());
    }

    void frameTokens_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expanded");
        QTest::newRow("turn") << "rotate(@phase*360@ 16 16)" << 3 << 8 << "rotate(135 16 16)";
        QTest::newRow("swing out") << "translate(@swing*128@ 0)" << 15 << 30 << "translate(128 0)";
        QTest::newRow("swing home") << "translate(@swing*128@ 0)" << 0 << 30 << "translate(0 0)";
        QTest::newRow("negative") << "@phase*-10@,@phase@" << 1 << 4 << "-2.5,0.25";
        QTest::newRow("unknown") << "@pulse*2@" << 0 << 4 << QString();
    }

    void frameTokens()
    {
        QFETCH(QString, source);
        QFETCH(int, frame);
        QFETCH(int, count);
        QFETCH(QString, expanded);
        QByteArray svg = source.toUtf8();
        QString error;
        QCOMPARE(ArtRenderer::ExpandFrameTokens(&svg, frame, count, &error), !expanded.isNull());
        if (!expanded.isNull())
            QCOMPARE(QString::fromUtf8(svg), expanded);
    }
};

QTEST_MAIN(TestArtwork)
#include "TestArtwork.moc"
