#pragma once

#include <QString>

namespace OrvoCommon {

// Text from the network or from files other people can write ends up in file names, in line-based
// lists and in the log. A line break or other control character there would split one entry into
// two, so such text is refused or shown escaped.
bool ContainsControlCharacters(const QString& text);

// The text with every control character written as \xNN, fit for one log line.
QString EscapeControlCharacters(const QString& text);

} // namespace OrvoCommon
