#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace OrvoCommon {

// The command line as options: "-name=value" or "-name value". Arguments that do not begin with
// "-" (the program path among them) are ignored; a later occurrence of a name wins.
class ArgumentMap
{
public:
    explicit ArgumentMap(const QStringList& arguments);

    bool Contains(const QString& name) const { return m_options.contains(name); }
    // The empty string when the option is absent.
    QString Value(const QString& name) const { return m_options.value(name); }
    // 0 when the option is absent or not a number.
    int Number(const QString& name) const;

private:
    QHash<QString, QString> m_options;
};

// "firmware" becomes "/firmware/": the index-file path always begins and ends with "/".
QString NormaliseUrlPath(const QString& path);

} // namespace OrvoCommon
