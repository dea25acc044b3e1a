#include "ui/SingleApplication.h"

namespace OrvoCommon {

SingleApplication::SingleApplication(const QString& key, int& argc, char** argv)
    : QApplication(argc, argv), m_guard(key)
{
    connect(&m_guard, &SingleInstanceGuard::MessageReceived, this, &SingleApplication::MessageReceived);
    connect(&m_guard, &SingleInstanceGuard::MessageReceived, this, &SingleApplication::ActivateWindow);
}

void SingleApplication::ActivateWindow()
{
    if (!m_activationWindow)
        return;
    m_activationWindow->setWindowState(m_activationWindow->windowState() & ~Qt::WindowMinimized);
    m_activationWindow->show();
    m_activationWindow->raise();
    m_activationWindow->activateWindow();
}

} // namespace OrvoCommon
