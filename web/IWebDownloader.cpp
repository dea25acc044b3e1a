#include "web/IWebDownloader.h"
