#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace TestSupport {

// Answers modal dialogs from inside the event loops they run: each queued step waits until its
// condition holds (typically: the active modal widget has a given object name) and then acts, the
// way a user would. It polls with a timer and never sleeps. When a step does not come true in time,
// or a dialog stays open after the last step, it records the failure and rejects every open modal
// dialog so that the test does not hang.
class ModalDriver : public QObject
{
    Q_OBJECT

public:
    explicit ModalDriver(int timeoutMs = 10000);

    // Acts on the active modal dialog once it is the one named objectName.
    void OnModal(const QString& objectName, std::function<void(QWidget*)> action);
    // Acts once condition holds.
    void When(std::function<bool()> condition, std::function<void()> action);

    bool Finished() const { return m_steps.isEmpty() && !m_actionPending && m_failure.isEmpty(); }
    QString Failure() const;

private:
    struct Step
    {
        std::function<bool()> condition;
        std::function<void()> action;
        QString description;
    };
    void Poll();
    void Append(Step step);
    void GiveUp(const QString& expected);

    QTimer m_timer;
    QElapsedTimer m_stepTimer;
    int m_timeoutMs;
    QList<Step> m_steps;
    QString m_failure;
    bool m_actionPending = false;
};

// The child of dialog named objectName, or a test failure.
QWidget* Child(QWidget* dialog, const QString& objectName);
// A left click on the dialog's child named objectName.
void Click(QWidget* dialog, const QString& objectName);
// Space with Shift and Control on widget.
void TypeSupportKeySequence(QWidget* widget);

// Runs work inside QCoreApplication::exec(), where QCoreApplication::exit() takes effect, and
// tells whether work asked the application to quit.
bool RunAndDetectQuit(const std::function<void()>& work);

} // namespace TestSupport
