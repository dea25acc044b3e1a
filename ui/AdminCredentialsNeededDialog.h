#pragma once

#include <QDialog>

namespace UpdatePelarin {

// Stops the program when it lacks the rights to install the driver. Exit rejects; the contact link
// in the details asks for the support contact.
class AdminCredentialsNeededDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AdminCredentialsNeededDialog(QWidget* parent = nullptr);

signals:
    void ContactRequested();

private slots:
    void on_details_linkActivated(const QString& link);
};

} // namespace UpdatePelarin
