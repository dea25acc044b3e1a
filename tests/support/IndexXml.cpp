#include "tests/support/IndexXml.h"

#include "firmware/Crc32.h"

#include <QMap>
#include <QRegularExpression>

QString IndexXml(const QString& devices)
{
    return QStringLiteral("<?xml version=\"1.0\"?>\n<INDEX>\n") + devices + QStringLiteral("</INDEX>\n");
}

namespace {

QString DeviceWithRelease(const QString& images, const QString& deviceAttributes, const QString& hardware,
                          const QString& releaseAttributes)
{
    return QStringLiteral("<DEVICE %1><HARDWARE REVISION=\"%2\"><RELEASE %3>%4</RELEASE></HARDWARE></DEVICE>\n")
        .arg(deviceAttributes, hardware, releaseAttributes, images);
}

} // namespace

QString DeviceXml(const QString& images, const QString& deviceAttributes, const QString& hardware,
                  const QString& release)
{
    return DeviceWithRelease(images, deviceAttributes, hardware, QStringLiteral("REVISION=\"%1\"").arg(release));
}

QString ServedIndexXml(const QString& images, const QString& host, const QString& release)
{
    QString attributes = QStringLiteral("REVISION=\"%1\"").arg(release);
    if (!host.isEmpty())
        attributes += QStringLiteral(" HTTPHOST=\"%1\" URLPATH=\"/firmware/\"").arg(host);
    return IndexXml(DeviceWithRelease(images, QStringLiteral("ID=\"0x1F20\" PRODUCTNAME=\"P\""),
                                      QStringLiteral("01.00.00"), attributes));
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

QString ImageXmlOf(const QString& fileName, const QByteArray& content, const QString& attributes)
{
    return ImageXml(QStringLiteral("FILENAME=\"%1\" LENGTH=\"%2\" CRC=\"0x%3\" ")
                        .arg(fileName)
                        .arg(content.size())
                        .arg(OrvoCommon::Crc32::Of(content), 0, 16) +
                    attributes);
}
