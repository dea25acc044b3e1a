#pragma once

#include "ui/CloseGuardedDialog.h"

class QComboBox;
class QPushButton;
class QVBoxLayout;

namespace UpdatePelarin {

// A dialog that offers one choice in a combo box. OK accepts; Cancel, Escape and a close request
// first ask whether to leave the program, which is what giving up the choice means.
class SelectionDialog : public CloseGuardedDialog
{
    Q_OBJECT

public:
    using CloseGuardedDialog::CloseGuardedDialog;

protected:
    // The combo box named objectName, then a stretch, the rule and the OK and Cancel buttons.
    QComboBox* AddChoice(QVBoxLayout* layout, const char* objectName);
    // The texts come translated by the dialog (each has its own ids).
    void SetButtonTexts(const QString& okText, const QString& cancelText);
    bool MayClose() override;

private slots:
    void on_cancel_clicked();

private:
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace UpdatePelarin
