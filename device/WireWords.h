#pragma once

// The words moved down to the USB layer, which reads descriptors with them.
#include "usb/WireWords.h"
