#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

namespace UpdatePelarin {

// The window of a running full script: what the script logs, and a Cancel button that makes the
// script's waits return.
class StatusDialog : public QDialog
{
    Q_OBJECT

public:
    explicit StatusDialog(QWidget* parent = nullptr);

signals:
    void CancelRequested();

public slots:
    void LogInformation(const QString& message);

private:
    QTextEdit* m_log;
    QPushButton* m_cancel;
};

} // namespace UpdatePelarin
