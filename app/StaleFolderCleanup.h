#pragma once

#include <QString>

namespace OrvoCommon {

// Removes copies of the updater that earlier self-extracting runs left in the temporary directory
// ("7zS*.tmp" folders holding the program, Config.xml and eula_en.htm). The folder the program
// runs from and folders missing any of the three files are left alone.
void RemoveStaleExtractionFolders(const QString& tempDirectory, const QString& programDirectory,
                                  const QString& programFileName);

} // namespace OrvoCommon
