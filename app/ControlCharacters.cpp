#include "app/ControlCharacters.h"

#include <algorithm>

namespace OrvoCommon {

namespace {
bool IsControl(QChar character)
{
    return character.category() == QChar::Other_Control;
}
} // namespace

bool ContainsControlCharacters(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), IsControl);
}

QString EscapeControlCharacters(const QString& text)
{
    if (!ContainsControlCharacters(text))
        return text;
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar character : text) {
        // Control characters are U+0000-U+001F and U+007F-U+009F, so two digits always do.
        if (IsControl(character))
            escaped += QStringLiteral("\\x%1").arg(character.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += character;
    }
    return escaped;
}

} // namespace OrvoCommon
