#include "ui/UiResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitUiResourceLibrary()
{
    Q_INIT_RESOURCE(ui);
}

namespace UpdatePelarin {

void InitUiResources()
{
    InitUiResourceLibrary();
}

} // namespace UpdatePelarin
