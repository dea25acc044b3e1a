#include "resources/art/ArtRenderer.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <cmath>

namespace {

// Qt reports what its SVG parser skips through the message handler only.
QStringList* g_svgWarnings = nullptr;

void CollectWarning(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (g_svgWarnings)
        g_svgWarnings->append(message);
}

class WarningCollector
{
public:
    WarningCollector()
    {
        g_svgWarnings = &m_warnings;
        m_previous = qInstallMessageHandler(CollectWarning);
    }
    ~WarningCollector()
    {
        qInstallMessageHandler(m_previous);
        g_svgWarnings = nullptr;
    }
    const QStringList& Warnings() const { return m_warnings; }

private:
    QStringList m_warnings;
    QtMessageHandler m_previous;
};

QString Number(double value)
{
    // Plain decimal notation with enough places for sub-pixel positions; SVG has no exponent in
    // transform lists on every renderer.
    QString text = QString::number(value, 'f', 4);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace

bool ArtRenderer::ResolveIncludes(QByteArray* svg, const QDir& base, QString* error)
{
    static const QRegularExpression include(QStringLiteral("<\\?include\\s+(\\S+)\\s*\\?>"));
    static const QRegularExpression root(QStringLiteral("<svg\\b[^>]*>(.*)</svg>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QString text = QString::fromUtf8(*svg);
    for (auto match = include.match(text); match.hasMatch(); match = include.match(text)) {
        QFile part(base.filePath(match.captured(1)));
        if (!part.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(part.fileName());
            return false;
        }
        const auto body = root.match(QString::fromUtf8(part.readAll()));
        if (!body.hasMatch()) {
            *error = QStringLiteral("%1 has no <svg> element").arg(part.fileName());
            return false;
        }
        if (body.captured(1).contains(QLatin1String("<?include"))) {
            *error = QStringLiteral("%1 includes another part").arg(part.fileName());
            return false;
        }
        text.replace(match.capturedStart(), match.capturedLength(), body.captured(1));
    }
    *svg = text.toUtf8();
    return true;
}

bool ArtRenderer::ExpandFrameTokens(QByteArray* svg, int frame, int frameCount, QString* error)
{
    static const QRegularExpression token(QStringLiteral("@(\\w+)(?:\\*(-?[0-9.]+))?@"));
    const double phase = double(frame) / frameCount;
    QString text = QString::fromUtf8(*svg);
    for (auto match = token.match(text); match.hasMatch(); match = token.match(text, match.capturedStart())) {
        double value = 0;
        if (match.captured(1) == QLatin1String("phase")) {
            value = phase;
        } else if (match.captured(1) == QLatin1String("swing")) {
            value = (1 - std::cos(2 * M_PI * phase)) / 2;
        } else {
            *error = QStringLiteral("unknown frame token %1").arg(match.captured(0));
            return false;
        }
        if (!match.captured(2).isEmpty())
            value *= match.captured(2).toDouble();
        text.replace(match.capturedStart(), match.capturedLength(), Number(value));
    }
    *svg = text.toUtf8();
    return true;
}

QImage ArtRenderer::Render(const QByteArray& svg, const QSize& size, QString* error)
{
    WarningCollector collector;
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || !collector.Warnings().isEmpty()) {
        *error = collector.Warnings().isEmpty() ? QStringLiteral("not a valid SVG") : collector.Warnings().join('\n');
        return {};
    }
    QImage image(size.isEmpty() ? renderer.defaultSize() : size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!collector.Warnings().isEmpty()) {
        *error = collector.Warnings().join('\n');
        return {};
    }
    return image;
}

QVector<QImage> ArtRenderer::RenderFrames(const QByteArray& svg, const QSize& size, int frameCount, QString* error)
{
    QVector<QImage> frames;
    for (int i = 0; i < frameCount; ++i) {
        QByteArray source = svg;
        if (!ExpandFrameTokens(&source, i, frameCount, error))
            return {};
        const QImage frame = Render(source, size, error);
        if (frame.isNull())
            return {};
        frames.append(frame);
    }
    return frames;
}

QImage ArtRenderer::ContactSheet(const QVector<QVector<QImage>>& rows, int scale, QRgb background)
{
    constexpr int gap = 8;
    int width = 0, height = gap;
    for (const auto& row : rows) {
        int rowWidth = gap, rowHeight = 0;
        for (const QImage& image : row) {
            rowWidth += image.width() * scale + gap;
            rowHeight = std::max(rowHeight, image.height() * scale);
        }
        width = std::max(width, rowWidth);
        height += rowHeight + gap;
    }
    QImage sheet(std::max(width, 1), height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(background);
    QPainter painter(&sheet);
    int y = gap;
    for (const auto& row : rows) {
        int x = gap, rowHeight = 0;
        for (const QImage& image : row) {
            painter.drawImage(QRect(x, y, image.width() * scale, image.height() * scale), image);
            x += image.width() * scale + gap;
            rowHeight = std::max(rowHeight, image.height() * scale);
        }
        y += rowHeight + gap;
    }
    return sheet;
}
