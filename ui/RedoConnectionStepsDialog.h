#pragma once

#include <QDialog>

namespace UpdatePelarin {

// Shown after the driver had to be installed again: the user repeats the connection steps. Close
// (or Escape) accepts.
class RedoConnectionStepsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RedoConnectionStepsDialog(QWidget* parent = nullptr);
};

} // namespace UpdatePelarin
