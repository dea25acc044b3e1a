#include "device/DeviceServices.h"

#include "app/ErrorCodes.h"
#include "app/OrvoException.h"
#include "device/PelarinUsbCommDriverTest.h"

namespace OrvoCommon {

UpdatePelarin::PelarinUsbCommDriverTest* RequireTestSwitches()
{
    UpdatePelarin::PelarinUsbCommDriverTest* test = UpdatePelarin::PelarinUsbCommDriverTest::Instance();
    if (!test)
        throw OrvoException(QLatin1String(ErrorCodes::InternalError), QStringLiteral("Unable to get USB test driver"));
    return test;
}

} // namespace OrvoCommon
