#pragma once

#include <QByteArray>
#include <QStringList>

namespace UpdatePelarin {

struct WebSystemInfo;
struct WebVersionInfo;

// The form-encoded bodies of the two uploads, in the key order the support service reads them.
// Every character outside A-Z a-z 0-9 - . _ ~ is percent-encoded, so the server's form decoding
// gives back exactly the values sent ("+" included).
class UploadQuery
{
public:
    static QByteArray SystemInfo(const WebSystemInfo& info, const QStringList& errorLines);
    static QByteArray VersionInfo(const WebVersionInfo& info);
    // The version report's XML document, the value of its one key "product_info".
    static QString VersionXml(const WebVersionInfo& info);
};

} // namespace UpdatePelarin
