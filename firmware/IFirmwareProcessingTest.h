#pragma once

namespace OrvoCommon {

// Fault injection for the firmware layer: corrupts what image file reads return.
class IFirmwareProcessingTest
{
public:
    virtual ~IFirmwareProcessingTest() = default;
    virtual void SetFirmwareImageCorruption(bool on) = 0;
};

} // namespace OrvoCommon
