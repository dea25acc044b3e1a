#pragma once

#include "device/DeviceQueryThread.h"
#include "device/QueryInfo.h"

#include <QString>

#include <cstdint>

namespace OrvoCommonPelarin {

// Reads a device's Bluetooth address, paired devices, serial number and name on a thread of its own,
// reports them once in QueryInfoComplete and deletes itself.
class QueryInfoThread : public OrvoCommon::DeviceQueryThread
{
    Q_OBJECT

public:
    // Reads the configuration; throws OrvoException when a service is missing.
    explicit QueryInfoThread(OrvoCommon::ICsrDevice* device);

signals:
    void QueryInfoComplete(OrvoCommon::ICsrDevice* device, QueryInfo queryInfo, QString error);

protected:
    void run() override;

private:
    bool ReadKey(std::uint16_t key, QByteArray* value);
};

} // namespace OrvoCommonPelarin
