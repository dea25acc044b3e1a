#pragma once

#include <QByteArray>
#include <QString>

// Index-file text for tests: an INDEX around the given DEVICE elements, and one device with one
// hardware revision and one release around the given IMAGE elements.
QString IndexXml(const QString& devices);
QString DeviceXml(const QString& images,
                  const QString& deviceAttributes = QStringLiteral("ID=\"0x1F20\" PRODUCTNAME=\"P\""),
                  const QString& hardware = QStringLiteral("01.00.00"),
                  const QString& release = QStringLiteral("01.00.00"));
// A whole index file whose default device offers the images in one release, to be downloaded from
// host under /firmware/ (no download location when host is empty).
QString ServedIndexXml(const QString& images, const QString& host, const QString& release = QStringLiteral("01.00.00"));
// An IMAGE whose attributes default to valid values; extra attributes replace or add.
QString ImageXml(const QString& attributes = QString());
// An IMAGE of the file whose LENGTH and CRC are those of content.
QString ImageXmlOf(const QString& fileName, const QByteArray& content, const QString& attributes = QString());
