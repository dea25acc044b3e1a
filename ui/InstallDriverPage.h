#pragma once

#include "ui/ContactPage.h"

class QLabel;
class QMovie;
class QPushButton;

namespace UpdatePelarin {

// Installs the USB driver on request. The wizard drives its state: 0 initial, 1 installing (the
// animation plays), 2 installed (Next enabled), 3 failed; larger values count as 3.
class InstallDriverPage : public ContactPage
{
    Q_OBJECT

public:
    enum State
    {
        Initial = 0,
        Installing = 1,
        Installed = 2,
        Failed = 3,
    };

    explicit InstallDriverPage(QWidget* parent = nullptr);

    void SetState(int state);
    bool isComplete() const override;

signals:
    void InstallDriverRequested();

private slots:
    void OnInstallDriverClicked();

private:
    void RetranslateUi();

    QLabel* m_instructions;
    QLabel* m_indicator;
    QLabel* m_notice;
    QPushButton* m_install;
    QMovie* m_movie;
    bool m_complete = false;
};

} // namespace UpdatePelarin
