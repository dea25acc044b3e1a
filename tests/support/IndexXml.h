#pragma once

#include <QString>

// Index-file text for tests: an INDEX around the given DEVICE elements, and one device with one
// hardware revision and one release around the given IMAGE elements.
QString IndexXml(const QString& devices);
QString DeviceXml(const QString& images,
                  const QString& deviceAttributes = QStringLiteral("ID=\"0x1F20\" PRODUCTNAME=\"P\""),
                  const QString& hardware = QStringLiteral("01.00.00"),
                  const QString& release = QStringLiteral("01.00.00"));
// An IMAGE whose attributes default to valid values; extra attributes replace or add.
QString ImageXml(const QString& attributes = QString());
