#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace OrvoCommon {

// Where an HTTP download goes: a host and, when one was given, a port.
struct HttpHost
{
    QString name;         // a DNS name, a dotted IPv4 address or an IPv6 address (without brackets)
    std::uint16_t port{}; // 0 when the text named none
};

// Reads a host text of the index file or the configuration: "name", "name:port", "[IPv6]" or
// "[IPv6]:port". A name is dot-separated labels of letters, digits, "-" and "_"; an all-numeric
// name must be an IPv4 address. A port is 1 to 65535 in decimal digits; "name:" means no port, as in
// a URL. Anything else (user names, paths, spaces, a second colon, an unbracketed IPv6 address) is
// refused with nullopt, so a malformed host is never quietly read as another host or port 80.
std::optional<HttpHost> ParseHttpHost(const QString& text);

} // namespace OrvoCommon
