#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace OrvoCommon {

// Dates and times in the program's fixed formats ("M/d/yyyy hh:mm:ss.zzz" in the log, "M/d/yyyy" in
// uploads, the results file's stamps): ASCII digits and English names whatever the user's locale.
// Qt 5's own toString(format) follows the system locale, so an Arabic desktop would write
// Arabic-Indic digits that support's tools and the web service cannot read.
QString FixedDateTimeText(const QDateTime& when, const QString& format);
QString FixedDateText(const QDate& date, const QString& format);

} // namespace OrvoCommon
