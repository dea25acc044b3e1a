#pragma once

#include <QEvent>

#include <functional>

class QObject;

namespace OrvoCommon {

// Calls call each time object receives an event of type, for as long as object exists. The
// watcher this installs belongs to object.
void WatchEvent(QObject* object, QEvent::Type type, std::function<void()> call);

// Runs setTexts now and again whenever the interface language changes, so a window that is open
// when the user switches language shows the new texts at once. Installing or removing a translator
// sends LanguageChange to every window and, through each window, to its children.
void KeepTranslated(QObject* object, std::function<void()> setTexts);

} // namespace OrvoCommon
