#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTest>
#include <QWidget>

namespace TestSupport {

namespace {
constexpr int PollIntervalMs = 5;
constexpr int MaxOpenDialogs = 8;
} // namespace

ModalDriver::ModalDriver(int timeoutMs) : m_timeoutMs(timeoutMs)
{
    m_timer.setInterval(PollIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::Poll);
    m_timer.start();
    m_stepTimer.start();
}

void ModalDriver::OnModal(const QString& objectName, std::function<void(QWidget*)> action)
{
    Append({[objectName] {
                const QWidget* modal = QApplication::activeModalWidget();
                return modal && modal->objectName() == objectName && modal->isVisible();
            },
            [action] { action(QApplication::activeModalWidget()); }, QStringLiteral("modal ") + objectName});
}

void ModalDriver::When(std::function<bool()> condition, std::function<void()> action)
{
    Append({std::move(condition), std::move(action), QStringLiteral("condition")});
}

void ModalDriver::Append(Step step)
{
    if (m_steps.isEmpty())
        m_stepTimer.start();
    m_steps.append(std::move(step));
}

QString ModalDriver::Failure() const
{
    if (!m_failure.isEmpty() || m_steps.isEmpty())
        return m_failure;
    return QStringLiteral("%1 steps left, the next one waiting for %2")
        .arg(m_steps.size())
        .arg(m_steps.first().description);
}

void ModalDriver::Poll()
{
    if (m_actionPending)
        return;
    if (m_steps.isEmpty()) {
        // With nothing left to do, a dialog that stays open was not expected.
        if (!QApplication::activeModalWidget())
            m_stepTimer.start();
        else if (m_stepTimer.elapsed() >= m_timeoutMs)
            GiveUp(QStringLiteral("no further dialog"));
        return;
    }
    if (m_steps.first().condition()) {
        // The action may open a nested modal loop. A timer does not fire again while its own
        // handler runs, so the action runs from a timer of its own and this one keeps polling.
        const Step step = m_steps.takeFirst();
        m_actionPending = true;
        QTimer::singleShot(0, this, [this, action = step.action] {
            m_actionPending = false;
            m_stepTimer.start();
            action();
        });
        return;
    }
    if (m_stepTimer.elapsed() >= m_timeoutMs)
        GiveUp(m_steps.first().description);
}

void ModalDriver::GiveUp(const QString& expected)
{
    const QWidget* modal = QApplication::activeModalWidget();
    m_failure = QStringLiteral("expected %1, found %2")
                    .arg(expected, modal ? modal->objectName() : QStringLiteral("no dialog"));
    m_steps.clear();
    for (int open = 0; open < MaxOpenDialogs; ++open) {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    }
}

QWidget* Child(QWidget* dialog, const QString& objectName)
{
    QWidget* child = dialog ? dialog->findChild<QWidget*>(objectName) : nullptr;
    if (!child)
        qWarning("no child %s", qPrintable(objectName));
    return child;
}

void Click(QWidget* dialog, const QString& objectName)
{
    if (QWidget* child = Child(dialog, objectName))
        QTest::mouseClick(child, Qt::LeftButton);
}

void TypeSupportKeySequence(QWidget* widget)
{
    QTest::keyClick(widget, Qt::Key_Space, Qt::ShiftModifier | Qt::ControlModifier);
}

bool RunAndDetectQuit(const std::function<void()>& work)
{
    bool quitRequested = false;
    QTimer::singleShot(0, [&] {
        work();
        // After QCoreApplication::exit() every event loop returns at once with -1.
        QEventLoop probe;
        QTimer::singleShot(0, &probe, [&probe] { probe.exit(1); });
        quitRequested = probe.exec() != 1;
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    return quitRequested;
}

} // namespace TestSupport
