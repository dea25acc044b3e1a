#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace UpdatePelarin {

// The yes/no question the program asks before it gives something up. Yes accepts, No rejects.
class ConfirmationBox : public QDialog
{
    Q_OBJECT

public:
    enum Kind
    {
        AbortApplication = 0, // "cnf_abort_app": leaving the wizard or a selection dialog
        CancelUpload = 1,     // "cnf_cancel_upload": stopping the system-information upload
        EnableSelection = 2,  // "cnf_downgrade": switching on version selection mode
        ErrorExit = 3,        // "cnf_error_exit": leaving the program from an error box
    };
    static constexpr int KindCount = 4;

    explicit ConfirmationBox(QWidget* parent = nullptr);

    // Fills headline and question for kind (0..3; anything else is ignored) and fits the size.
    void SetKind(int kind);

    // Asks the question of kind over parent; true when the user said yes.
    static bool Confirm(Kind kind, QWidget* parent);

private:
    void RetranslateUi();

    QLabel* m_headline;
    QLabel* m_question;
    QPushButton* m_yes;
    QPushButton* m_no;
    int m_kind = -1;
};

} // namespace UpdatePelarin
