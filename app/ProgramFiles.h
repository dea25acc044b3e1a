#pragma once

#include <QString>

namespace OrvoCommon {

// True when a file of this name in the program's folder is one the program itself reads or runs:
// the HTTPS trust store and the keys trusted to sign index files (any "*.pem"), the index file's
// signature (any "*.sig"), Config.xml, the licence texts, translations, Qt's qt.conf, the support
// page, the simulator profile, the driver and firmware folders, the programs and shared libraries,
// the logs and the temporary-file lists. Downloads land in that folder, so a name from the network
// must never be one of these. The comparison ignores case (a bundle may be unpacked on a
// case-insensitive file system). Names are those the program ships with; values a user sets in
// Config.xml are not consulted. New files the program reads from its folder belong in this list.
bool IsProgramFileName(const QString& fileName);

} // namespace OrvoCommon
