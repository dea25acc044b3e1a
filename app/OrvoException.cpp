#include "app/OrvoException.h"

namespace OrvoCommon {

void RegisterCommonMetaTypes()
{
    qRegisterMetaType<ExceptionPtr>("OrvoCommon::ExceptionPtr");
    qRegisterMetaType<ExceptionPtr>("ExceptionPtr");
}

} // namespace OrvoCommon
