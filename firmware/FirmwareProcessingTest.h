#pragma once

#include "firmware/IFirmwareProcessingTest.h"

#include <atomic>

namespace OrvoCommon {

class FirmwareProcessingTest : public IFirmwareProcessingTest
{
public:
    // Created on first request; lives until the process ends.
    static FirmwareProcessingTest* Instance();

    void SetFirmwareImageCorruption(bool on) override { m_imageCorruption = on; }
    bool IsFirmwareImageCorruption() const { return m_imageCorruption; }

private:
    FirmwareProcessingTest() = default;

    std::atomic<bool> m_imageCorruption{false};
};

} // namespace OrvoCommon
