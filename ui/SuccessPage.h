#pragma once

#include "ui/ResultPage.h"

namespace UpdatePelarin {

// The last page after a successful update.
class SuccessPage : public ResultPage
{
    Q_OBJECT

public:
    explicit SuccessPage(QWidget* parent = nullptr);

private:
    void RetranslateUi();
};

} // namespace UpdatePelarin
