#pragma once

#include <QDialog>

namespace UpdatePelarin {

// Tells the user that the system information did not reach Orvo. Close accepts.
class UploadFailureDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UploadFailureDialog(QWidget* parent = nullptr);
};

} // namespace UpdatePelarin
