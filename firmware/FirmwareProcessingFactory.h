#pragma once

namespace OrvoCommon {

class IFirmwareProcessing;
class IFirmwareProcessingTest;

// Hands out the process-wide firmware acquisition object and the firmware test switches. Both are
// created on first request and live as long as the process; users never delete them.
class FirmwareProcessingFactory
{
public:
    // Null when the object cannot be built (no logger).
    static IFirmwareProcessing* CreateFirmwareProcessing();
    static IFirmwareProcessingTest* CreateFirmwareProcessingTest();
};

} // namespace OrvoCommon
