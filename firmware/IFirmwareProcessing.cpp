#include "firmware/IFirmwareProcessing.h"
