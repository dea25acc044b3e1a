#pragma once

#include "app/SingleInstanceGuard.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace OrvoCommon {

// The program's QApplication: one instance per user, and a message from a later start brings the
// activation window to the front.
class SingleApplication : public QApplication
{
    Q_OBJECT

public:
    SingleApplication(const QString& key, int& argc, char** argv);

    bool SendMessage(const QString& message, int timeoutMs) { return m_guard.SendMessage(message, timeoutMs); }
    bool StartListening() { return m_guard.StartListening(); }

    void SetActivationWindow(QWidget* window) { m_activationWindow = window; }
    QWidget* ActivationWindow() const { return m_activationWindow; }

public slots:
    void ActivateWindow();

signals:
    void MessageReceived(const QString& message);

private:
    SingleInstanceGuard m_guard;
    QPointer<QWidget> m_activationWindow;
};

} // namespace OrvoCommon
