#pragma once

#include "firmware/IFirmwareImageFile.h"

#include <QFile>

#include <memory>

namespace OrvoCommon {

class ILogger;

class FirmwareImageFile : public IFirmwareImageFile
{
public:
    // Finds the file of the descriptor, checks its CRC, its length and then its SHA-256 when the index
    // gives one, and returns it closed.
    // Throws "internal-error" or "firmware-corrupted" (logged). The caller owns the result.
    static std::unique_ptr<IFirmwareImageFile> Create(const IFirmwareImageDescriptor* descriptor);

    const IFirmwareImageDescriptor* GetDescriptor() const override { return m_descriptor; }
    bool Open() override;
    void Close() override { m_file.reset(); }
    QByteArray Read(std::uint16_t maxCount) override;
    bool Seek(qint64 position) override;
    QByteArray ReadAll() override;

private:
    FirmwareImageFile(const IFirmwareImageDescriptor* descriptor, ILogger* logger)
        : m_descriptor(descriptor), m_logger(logger)
    {
    }

    void RequireOpen() const;

    const IFirmwareImageDescriptor* m_descriptor;
    ILogger* m_logger;
    std::unique_ptr<QFile> m_file;
};

} // namespace OrvoCommon
