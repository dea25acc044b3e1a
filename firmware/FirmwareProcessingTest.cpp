#include "firmware/FirmwareProcessingTest.h"

namespace OrvoCommon {

FirmwareProcessingTest* FirmwareProcessingTest::Instance()
{
    static FirmwareProcessingTest instance;
    return &instance;
}

} // namespace OrvoCommon
