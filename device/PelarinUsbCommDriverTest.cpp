#include "device/PelarinUsbCommDriverTest.h"

namespace UpdatePelarin {

PelarinUsbCommDriverTest* PelarinUsbCommDriverTest::Instance()
{
    // Function-local statics are initialised exactly once even when several threads ask at once.
    static PelarinUsbCommDriverTest instance;
    return &instance;
}

} // namespace UpdatePelarin
