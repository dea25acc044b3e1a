#pragma once

#include <QString>

namespace OrvoCommon {

// Version numbers are three two-character fields separated by dots, 8 characters in all. In the
// hexadecimal format ("01.0A.b3") the first two fields are numbers in base 16 and the third is
// text; in the ASCII format every field is text of letters and digits.

// The process-wide format switch: set once at start-up, before any version is parsed.
void SetAsciiVersionFormat(bool on);
bool IsAsciiVersionFormat();

// Hexadecimal format, whatever the switch says. Out-values may be null.
bool ParseVersion(const QString& text, short* major, short* minor, QString* build);
// ASCII format, whatever the switch says. Out-values may be null.
bool ParseAsciiVersion(const QString& text, QString* field1, QString* field2, QString* field3);
// Valid in the format the switch selects.
bool IsValidVersion(const QString& text);
// Negative when a is older than b, 0 when equal, positive when a is newer. Throws "version-error"
// naming the first invalid one.
int CompareVersions(const QString& a, const QString& b);

} // namespace OrvoCommon
