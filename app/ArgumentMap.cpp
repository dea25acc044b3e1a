#include "app/ArgumentMap.h"

namespace OrvoCommon {

ArgumentMap::ArgumentMap(const QStringList& arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1Char('-')))
            continue;
        const QString body = argument.mid(1);
        const int equals = body.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            // Anything from a second "=" on is dropped.
            m_options.insert(body.left(equals), body.mid(equals + 1).section(QLatin1Char('='), 0, 0));
        } else if (i + 1 < arguments.size()) {
            m_options.insert(body, arguments.at(i + 1));
            ++i;
        }
    }
}

int ArgumentMap::Number(const QString& name) const
{
    bool ok = false;
    const int value = Value(name).toInt(&ok);
    return ok ? value : 0;
}

QString NormaliseUrlPath(const QString& path)
{
    QString result = path;
    if (!result.startsWith(QLatin1Char('/')))
        result.prepend(QLatin1Char('/'));
    if (!result.endsWith(QLatin1Char('/')))
        result.append(QLatin1Char('/'));
    return result;
}

} // namespace OrvoCommon
