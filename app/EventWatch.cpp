#include "app/EventWatch.h"

#include <QObject>

namespace OrvoCommon {

namespace {

class EventWatcher : public QObject
{
public:
    EventWatcher(QObject* watched, QEvent::Type type, std::function<void()> call)
        : QObject(watched), m_type(type), m_call(std::move(call))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == m_type)
            m_call();
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_call;
};

} // namespace

void WatchEvent(QObject* object, QEvent::Type type, std::function<void()> call)
{
    new EventWatcher(object, type, std::move(call));
}

void KeepTranslated(QObject* object, std::function<void()> setTexts)
{
    setTexts();
    WatchEvent(object, QEvent::LanguageChange, std::move(setTexts));
}

} // namespace OrvoCommon
