#include "ui/WindowRecorder.h"

#include "ui/SingleApplication.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <QWizardPage>

#include <unistd.h>

namespace UpdatePelarin {

namespace {

constexpr char RecordVariable[] = "TESSARY_UI_RECORD";

void AppendLine(const QString& path, const QString& line)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        file.write(line.toUtf8() + '\n');
}

} // namespace

void WindowRecorder::StartIfRequested()
{
    const QString folder = qEnvironmentVariable(RecordVariable);
    if (folder.isEmpty() || !QDir().mkpath(folder) || !QCoreApplication::instance())
        return;
    auto* recorder = new WindowRecorder(folder);
    recorder->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(recorder);
    if (auto* application = qobject_cast<OrvoCommon::SingleApplication*>(QCoreApplication::instance()))
        connect(application, &OrvoCommon::SingleApplication::MessageReceived, recorder, &WindowRecorder::OnMessage);
    recorder->Trace(QStringLiteral("pid"), QString::number(::getpid()));
}

WindowRecorder::WindowRecorder(const QString& folder) : m_folder(folder) {}

void WindowRecorder::Trace(const QString& event, const QString& name)
{
    AppendLine(QDir(m_folder).filePath(QStringLiteral("trace.txt")),
               QStringLiteral("%1 %2 %3").arg(QDateTime::currentMSecsSinceEpoch()).arg(event, name));
}

bool WindowRecorder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide)
        m_visible.remove(watched);
    if (event->type() == QEvent::Show && watched->isWidgetType() && !m_visible.contains(watched)) {
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->objectName().isEmpty() && (widget->isWindow() || qobject_cast<QWizardPage*>(widget))) {
            // Qt sends a page more than one show event on its way in; one appearance, one record.
            m_visible.insert(watched);
            connect(widget, &QObject::destroyed, this, [this, watched] { m_visible.remove(watched); });
            Trace(QStringLiteral("shown"), widget->objectName());
            // Once the event loop has laid it out and painted it.
            QPointer<QWidget> shown(widget);
            QTimer::singleShot(0, this, [this, shown] {
                if (shown && shown->isVisible())
                    Record(shown);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowRecorder::Record(QWidget* shown)
{
    QWidget* window = shown->window();
    const QString base = QDir(m_folder).filePath(
        QStringLiteral("%1-%2").arg(++m_count, 2, 10, QLatin1Char('0')).arg(shown->objectName()));
    window->grab().save(base + QStringLiteral(".png"));
    QFile places(base + QStringLiteral(".txt"));
    if (!places.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&places);
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->objectName().isEmpty() || !child->isVisible())
            continue;
        const QPoint topLeft = child->mapToGlobal(QPoint(0, 0));
        out << child->objectName() << ' ' << topLeft.x() << ' ' << topLeft.y() << ' ' << child->width() << ' '
            << child->height() << '\n';
    }
    Trace(QStringLiteral("recorded"), shown->objectName());
}

void WindowRecorder::OnMessage(const QString& message)
{
    auto* application = qobject_cast<OrvoCommon::SingleApplication*>(QCoreApplication::instance());
    QWidget* window = application ? application->ActivationWindow() : nullptr;
    Trace(QStringLiteral("message"), message.simplified().replace(QLatin1Char(' '), QLatin1Char('_')) +
                                         QLatin1Char(' ') + (window ? window->objectName() : QStringLiteral("none")));
}

} // namespace UpdatePelarin
