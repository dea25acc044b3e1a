#include "device/QueryInfoThread.h"

#include "app/ErrorCodes.h"
#include "app/ILogger.h"
#include "device/PsKeys.h"
#include "device/PsValueText.h"
#include "usb/WireWords.h"

#include <algorithm>

namespace OrvoCommonPelarin {

using namespace OrvoCommon;

QueryInfoThread::QueryInfoThread(ICsrDevice* device)
    : DeviceQueryThread(device, ErrorCodes::PtsDataError, QStringLiteral("Device disconnected while querying info"))
{
}

bool QueryInfoThread::ReadKey(std::uint16_t key, QByteArray* value)
{
    return Attempt([&] { return m_protocol.GetPsKey(m_device, key, m_timeoutMs, value); });
}

void QueryInfoThread::run()
{
    QueryInfo info;
    QByteArray value;
    if (ReadKey(PsKeys::BluetoothAddress, &value)) {
        info.bluetoothAddress = PsValueText::Address(value);
        m_logger->LogInformation(QStringLiteral("Bluetooth address read: %1").arg(info.bluetoothAddress));
    }

    if (ReadKey(PsKeys::PairingIndex, &value)) {
        const int entries = std::min(PsKeys::MaxPairings, static_cast<int>(value.size() / 2));
        const QByteArray index = value;
        QStringList pairings;
        for (int slot = 0; slot < entries; ++slot) {
            const std::uint16_t entry = WordAt(index, 2 * slot);
            if (entry < 1 || entry > PsKeys::MaxPairings)
                continue; // an empty slot
            if (ReadKey(static_cast<std::uint16_t>(PsKeys::PairingIndex + entry), &value)) {
                pairings.append(PsValueText::Address(value));
                m_logger->LogInformation(QStringLiteral("Bluetooth pairing read: %1").arg(pairings.last()));
            }
        }
        info.pairingList = pairings;
    }

    if (ReadKey(PsKeys::SerialNumber, &value)) {
        info.serialNumber = PsValueText::SerialNumber(value);
        m_logger->LogInformation(QStringLiteral("Serial number read: %1").arg(info.serialNumber));
    }

    if (ReadKey(PsKeys::DeviceName, &value)) {
        info.deviceName = PsValueText::DeviceName(value);
        m_logger->LogInformation(QStringLiteral("Bluetooth device name read: %1").arg(info.deviceName));
    }
    ReportOnOwnerThread([this, info] { emit QueryInfoComplete(m_device, info, Error()); });
}

} // namespace OrvoCommonPelarin
