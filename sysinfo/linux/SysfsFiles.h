#pragma once

#include <QByteArray>
#include <QString>

namespace OrvoCommon {

// sysfs attributes, procfs files and their like are small; the cap only guards against an odd file
// in their place.
inline constexpr qint64 SmallFileLimit = 64 * 1024;

// At most limit bytes of the file; empty when it is missing or unreadable. Only regular files are
// opened: a pipe or device node put in a file's place must not block us.
QByteArray ReadFileBytes(const QString& path, qint64 limit);

// A sysfs attribute (or a small procfs file) as trimmed text; empty when it cannot be read.
QString ReadSysfsAttribute(const QString& path);

} // namespace OrvoCommon
