#include "ui/PrepareDevicePage.h"

#include "app/EventWatch.h"

namespace UpdatePelarin {

PrepareDevicePage::PrepareDevicePage(QWidget* parent) : ContactPage(parent)
{
    setObjectName(QStringLiteral("PrepareDevicePageClass"));
    LayOutInstructions({"verticalLayout_3", "verticalLayout_2", "frame", "verticalLayout",
                        QStringLiteral(":/ui/img_preparation_illustration"), QSize(192, 10), QSize(192, 256)});
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void PrepareDevicePage::RetranslateUi()
{
    setTitle(tr("Prepare your device", "UR-341"));
    SetInstructionTexts(
        tr("<qt>Perform the following steps to prepare your device for communication.<ol><li>Press and hold the "
           "Volume Up (+), Volume Down (&#150;) and Multi-function buttons simultaneously for at least 5 seconds "
           "until the battery indicator blinks green.</li><li>Wait a few moments to allow this program to detect "
           "your device.</li></ol></qt>",
           "UR-335"),
        tr("The update process will proceed automatically once the device is detected.", "UR-356"),
        tr("<qt>If you encounter any problems, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</qt>",
           "UR-338"));
}

} // namespace UpdatePelarin
