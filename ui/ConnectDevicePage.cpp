#include "ui/ConnectDevicePage.h"

#include "app/EventWatch.h"

namespace UpdatePelarin {

ConnectDevicePage::ConnectDevicePage(QWidget* parent) : ContactPage(parent)
{
    setObjectName(QStringLiteral("ConnectDevicePageClass"));
    LayOutInstructions({"verticalLayout_2", "verticalLayout", "myframe", "vboxLayout",
                        QStringLiteral(":/ui/img_connection_illustration"), QSize(192, 256), QSize()});
    OrvoCommon::KeepTranslated(this, [this] { RetranslateUi(); });
}

void ConnectDevicePage::RetranslateUi()
{
    setTitle(tr("Connect your device", "UR-066"));
    SetInstructionTexts(
        tr("<qt>Perform the following steps to connect the device to your computer.<ol><li>Switch the device "
           "ON.</li><li>Plug the smaller end of the micro-USB cable into the device.</li><li>Connect the other end of "
           "the cable to a USB port on your computer.</li></ol></qt>",
           "UR-277"),
        tr("Click \"Next\" to continue.", "UR-063"),
        tr("<qt>If you encounter any problems, <a href=\"ContactInfoDialog\">contact Orvo Product Support</a>.</qt>",
           "UR-065"));
}

} // namespace UpdatePelarin
