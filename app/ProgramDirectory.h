#pragma once

#include <QString>

namespace OrvoCommon {

// The folder the program's files live in (Config.xml, the licence, translations, drivers, firmware).
// TESSARY_APP_DIR overrides it so that tests and the demo can run the real binary against a
// temporary bundle.
QString ProgramDirectory();

// The temporary directory with a trailing "/", where the log and the temp-file list live.
QString TempDirectoryWithSlash();

} // namespace OrvoCommon
