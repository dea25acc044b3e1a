#pragma once

#include <QString>
#include <QStringList>

namespace UpdatePelarin {

struct WebSystemInfo;

// The system information as the System Information dialog shows it. The labels stay English:
// the text goes to Orvo's support staff as much as to the user. Texts that come from devices and
// the computer are escaped, so a product string cannot break the page.
QString SystemInfoHtml(const WebSystemInfo& info, const QStringList& errorLines);

} // namespace UpdatePelarin
