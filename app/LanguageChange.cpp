#include "app/LanguageChange.h"

#include <QEvent>
#include <QObject>

namespace OrvoCommon {

namespace {

// Installing or removing a translator sends LanguageChange to every window and, through each
// window, to its children; watching the object itself catches it wherever the object sits.
class LanguageChangeWatcher : public QObject
{
public:
    LanguageChangeWatcher(QObject* watched, std::function<void()> setTexts)
        : QObject(watched), m_setTexts(std::move(setTexts))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            m_setTexts();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_setTexts;
};

} // namespace

void KeepTranslated(QObject* object, std::function<void()> setTexts)
{
    setTexts();
    new LanguageChangeWatcher(object, std::move(setTexts));
}

} // namespace OrvoCommon
