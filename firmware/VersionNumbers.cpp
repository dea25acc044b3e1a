#include "firmware/VersionNumbers.h"

#include "app/ErrorCodes.h"
#include "app/LoggerFactory.h"
#include "firmware/LoggedException.h"

#include <atomic>

namespace OrvoCommon {

namespace {

constexpr int VersionLength = 8;

std::atomic<bool> g_asciiFormat{false};

bool IsAsciiLetterOrDigit(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
}

bool IsHexDigit(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Checked by hand rather than by a regular expression, whose "$" would also accept a final newline.
bool HasVersionShape(const QString& text, bool (*firstTwoFields)(QChar))
{
    if (text.size() != VersionLength || text.at(2) != QLatin1Char('.') || text.at(5) != QLatin1Char('.'))
        return false;
    return firstTwoFields(text.at(0)) && firstTwoFields(text.at(1)) && firstTwoFields(text.at(3)) &&
           firstTwoFields(text.at(4)) && IsAsciiLetterOrDigit(text.at(6)) && IsAsciiLetterOrDigit(text.at(7));
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

[[noreturn]] void ThrowInvalid(const QString& version)
{
    ThrowLoggedException(GetLogger(), ErrorCodes::VersionError,
                         QStringLiteral("Version number %1 is invalid").arg(version));
}

} // namespace

void SetAsciiVersionFormat(bool on)
{
    g_asciiFormat = on;
}

bool IsAsciiVersionFormat()
{
    return g_asciiFormat;
}

bool ParseVersion(const QString& text, short* major, short* minor, QString* build)
{
    if (!HasVersionShape(text, &IsHexDigit))
        return false;
    if (major)
        *major = static_cast<short>(text.midRef(0, 2).toUShort(nullptr, 16));
    if (minor)
        *minor = static_cast<short>(text.midRef(3, 2).toUShort(nullptr, 16));
    if (build)
        *build = text.mid(6, 2);
    return true;
}

bool ParseAsciiVersion(const QString& text, QString* field1, QString* field2, QString* field3)
{
    if (!HasVersionShape(text, &IsAsciiLetterOrDigit))
        return false;
    if (field1)
        *field1 = text.mid(0, 2);
    if (field2)
        *field2 = text.mid(3, 2);
    if (field3)
        *field3 = text.mid(6, 2);
    return true;
}

bool IsValidVersion(const QString& text)
{
    return IsAsciiVersionFormat() ? ParseAsciiVersion(text, nullptr, nullptr, nullptr)
                                  : ParseVersion(text, nullptr, nullptr, nullptr);
}

int CompareVersions(const QString& a, const QString& b)
{
    if (IsAsciiVersionFormat()) {
        QString a1, a2, a3, b1, b2, b3;
        if (!ParseAsciiVersion(a, &a1, &a2, &a3))
            ThrowInvalid(a);
        if (!ParseAsciiVersion(b, &b1, &b2, &b3))
            ThrowInvalid(b);
        if (const int c = a1.compare(b1))
            return Sign(c);
        if (const int c = a2.compare(b2))
            return Sign(c);
        return Sign(a3.compare(b3));
    }
    short aMajor = 0, aMinor = 0, bMajor = 0, bMinor = 0;
    QString aBuild, bBuild;
    if (!ParseVersion(a, &aMajor, &aMinor, &aBuild))
        ThrowInvalid(a);
    if (!ParseVersion(b, &bMajor, &bMinor, &bBuild))
        ThrowInvalid(b);
    if (aMajor != bMajor)
        return aMajor > bMajor ? 1 : -1;
    if (aMinor != bMinor)
        return aMinor > bMinor ? 1 : -1;
    return Sign(aBuild.compare(bBuild));
}

} // namespace OrvoCommon
