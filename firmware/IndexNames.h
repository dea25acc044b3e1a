#pragma once

#include <QString>

// The element and attribute names of the index file, shared by its reader and the tools that write it.
namespace OrvoCommon::IndexNames {

// Elements, outermost first: INDEX > DEVICE > HARDWARE > RELEASE > IMAGE, and PATTERNMATCH > REGEX
// below a HARDWARE.
inline const QString Index = QStringLiteral("INDEX");
inline const QString Device = QStringLiteral("DEVICE");
inline const QString Hardware = QStringLiteral("HARDWARE");
inline const QString Release = QStringLiteral("RELEASE");
inline const QString Image = QStringLiteral("IMAGE");
inline const QString PatternMatch = QStringLiteral("PATTERNMATCH");
inline const QString Regex = QStringLiteral("REGEX");

// Attributes.
inline const QString Id = QStringLiteral("ID");
inline const QString ProductName = QStringLiteral("PRODUCTNAME");
inline const QString Variant = QStringLiteral("VARIANT");
inline const QString Revision = QStringLiteral("REVISION");
inline const QString SubId = QStringLiteral("SUBID");
inline const QString FileName = QStringLiteral("FILENAME");
inline const QString Length = QStringLiteral("LENGTH");
inline const QString Crc = QStringLiteral("CRC");
inline const QString Compression = QStringLiteral("COMPRESSION");
inline const QString Flags = QStringLiteral("FLAGS");
inline const QString HttpHost = QStringLiteral("HTTPHOST");
inline const QString UrlPath = QStringLiteral("URLPATH");
inline const QString NoForce = QStringLiteral("NOFORCE");
inline const QString Match = QStringLiteral("MATCH");
inline const QString PostUpgradeUrlPath = QStringLiteral("POSTUPGRADEURLPATH");
inline const QString Sha256 = QStringLiteral("SHA256");

} // namespace OrvoCommon::IndexNames
