#pragma once

#include <QString>

namespace OrvoCommon {

// Removes copies of the updater that earlier self-extracting runs left in the temporary directory
// ("7zS*.tmp" folders holding the program, Config.xml and eula_en.htm). The folder the program
// runs from and folders missing any of the three files are left alone.
void RemoveStaleExtractionFolders(const QString& tempDirectory, const QString& programDirectory,
                                  const QString& programFileName);
// The same for this program: the temporary directory, the program's folder (TESSARY_APP_DIR when
// set, so that a bundle run from there is never taken for a stale copy) and its executable's name.
void RemoveStaleExtractionFoldersOfThisProgram();

} // namespace OrvoCommon
