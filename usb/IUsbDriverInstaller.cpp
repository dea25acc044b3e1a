#include "usb/IUsbDriverInstaller.h"

// Gives the interface's meta-object a home in this library.
