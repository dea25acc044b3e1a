#pragma once

#include "ui/ContactPage.h"

namespace UpdatePelarin {

// Tells the user how to connect the headset. Next is always enabled here.
class ConnectDevicePage : public ContactPage
{
    Q_OBJECT

public:
    explicit ConnectDevicePage(QWidget* parent = nullptr);

private:
    void RetranslateUi();
};

} // namespace UpdatePelarin
