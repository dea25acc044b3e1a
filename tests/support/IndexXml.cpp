#include "tests/support/IndexXml.h"

#include <QMap>
#include <QRegularExpression>

QString IndexXml(const QString& devices)
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n<INDEX>\n") + devices + QStringLiteral("</INDEX>\n");
}

QString DeviceXml(const QString& images, const QString& deviceAttributes, const QString& hardware,
                  const QString& release)
{
    return QStringLiteral(
               "<DEVICE %1><HARDWARE REVISION=\"%2\"><RELEASE REVISION=\"%3\">%4</RELEASE></HARDWARE></DEVICE>\n")
        .arg(deviceAttributes, hardware, release, images);
}

QString ImageXml(const QString& attributes)
{
    QMap<QString, QString> values = {{QStringLiteral("SUBID"), QStringLiteral("0")},
                                     {QStringLiteral("FILENAME"), QStringLiteral("a.dfu")},
                                     {QStringLiteral("LENGTH"), QStringLiteral("16")},
                                     {QStringLiteral("CRC"), QStringLiteral("0x1234")},
                                     {QStringLiteral("REVISION"), QStringLiteral("01.00.00")}};
    // "NAME=value" pairs separated by spaces; "NAME=" alone removes the attribute.
    static const QRegularExpression pair(QStringLiteral("(\\w+)=\"([^\"]*)\"|(\\w+)=(?=\\s|$)"));
    auto it = pair.globalMatch(attributes);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (!match.captured(3).isEmpty())
            values.remove(match.captured(3));
        else
            values.insert(match.captured(1), match.captured(2));
    }
    QString text = QStringLiteral("<IMAGE");
    for (auto value = values.constBegin(); value != values.constEnd(); ++value)
        text += QStringLiteral(" %1=\"%2\"").arg(value.key(), value.value());
    return text + QStringLiteral("/>");
}
