#include "web/IWebUploader.h"
