#include "web/HttpHost.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace OrvoCommon {

namespace {

constexpr int MaximumNameLength = 253;

bool IsHostName(const QString& name)
{
    static const QRegularExpression label(QStringLiteral("\\A[A-Za-z0-9_-]{1,63}\\z"));
    static const QRegularExpression numeric(QStringLiteral("\\A[0-9.]+\\z"));
    if (name.isEmpty() || name.size() > MaximumNameLength)
        return false;
    if (numeric.match(name).hasMatch()) {
        // getaddrinfo would take "1" or "010.1" for some address; only the dotted quad is meant.
        QHostAddress address;
        return name.count(QLatin1Char('.')) == 3 && address.setAddress(name) &&
               address.protocol() == QAbstractSocket::IPv4Protocol && address.toString() == name;
    }
    const QStringList labels = name.split(QLatin1Char('.'));
    for (const QString& part : labels) {
        if (!label.match(part).hasMatch())
            return false;
    }
    return true;
}

bool IsIpv6Address(const QString& text)
{
    // A scope ("%eth0") names an interface of this machine, never the maker's server.
    QHostAddress address;
    return !text.contains(QLatin1Char('%')) && address.setAddress(text) &&
           address.protocol() == QAbstractSocket::IPv6Protocol;
}

} // namespace

std::optional<HttpHost> ParseHttpHost(const QString& text)
{
    HttpHost host;
    QString rest;
    if (text.startsWith(QLatin1Char('['))) {
        const int close = text.indexOf(QLatin1Char(']'));
        if (close < 0 || !IsIpv6Address(text.mid(1, close - 1)))
            return std::nullopt;
        host.name = text.mid(1, close - 1);
        rest = text.mid(close + 1);
    } else {
        const int colon = text.indexOf(QLatin1Char(':'));
        host.name = colon < 0 ? text : text.left(colon);
        rest = colon < 0 ? QString() : text.mid(colon);
        if (!IsHostName(host.name))
            return std::nullopt;
    }
    if (rest.isEmpty() || rest == QLatin1String(":"))
        return host;

    static const QRegularExpression port(QStringLiteral("\\A:([0-9]{1,5})\\z"));
    const QRegularExpressionMatch match = port.match(rest);
    if (!match.hasMatch())
        return std::nullopt;
    const int number = match.captured(1).toInt();
    if (number < 1 || number > 65535)
        return std::nullopt;
    host.port = static_cast<std::uint16_t>(number);
    return host;
}

} // namespace OrvoCommon
