#include "app/FixedDateFormat.h"

#include <QLocale>

namespace OrvoCommon {

QString FixedDateTimeText(const QDateTime& when, const QString& format)
{
    return QLocale::c().toString(when, format);
}

QString FixedDateText(const QDate& date, const QString& format)
{
    return QLocale::c().toString(date, format);
}

} // namespace OrvoCommon
