#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

namespace UpdatePelarin {

// The licence the user has accepted, shown again from the wizard's Help menu. Close accepts.
class EulaDialog : public QDialog
{
    Q_OBJECT

public:
    explicit EulaDialog(QWidget* parent = nullptr);

    void SetLicenseHtml(const QString& html);

private:
    void RetranslateUi();

    QLabel* m_message;
    QTextEdit* m_eulaBox;
    QPushButton* m_close;
};

} // namespace UpdatePelarin
