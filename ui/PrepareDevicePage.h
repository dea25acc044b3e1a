#pragma once

#include "ui/ContactPage.h"

namespace UpdatePelarin {

// Tells the user how to put the headset into its update mode. Next stays disabled: the wizard
// moves on by itself once the device is ready.
class PrepareDevicePage : public ContactPage
{
    Q_OBJECT

public:
    explicit PrepareDevicePage(QWidget* parent = nullptr);

    bool isComplete() const override { return false; }

private:
    void RetranslateUi();
};

} // namespace UpdatePelarin
