#pragma once

#include <QString>

namespace OrvoCommon {

// Where local firmware files are looked for: the program's folder first, then the "FirmwareFiles"
// folder of the bundle the program was started from. Process-wide; the bundle path is asked for
// once, when the locator is first used.
class FirmwareFileLocator
{
public:
    // Throws "internal-error" (logged) when the system-information reader or the bundle path cannot
    // be had; the next call tries again.
    static FirmwareFileLocator* Instance();

    // The folder that holds the file, without a trailing "/"; empty when neither does.
    QString FindFolder(const QString& fileName) const;
    QString BundlePath() const { return m_bundlePath; }

private:
    explicit FirmwareFileLocator(const QString& bundlePath) : m_bundlePath(bundlePath) {}

    const QString m_bundlePath;
};

} // namespace OrvoCommon
