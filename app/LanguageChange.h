#pragma once

#include <functional>

class QObject;

namespace OrvoCommon {

// Runs setTexts now and again whenever the interface language changes while object exists, so a
// window that is open when the user switches language shows the new texts at once. The watcher
// this installs belongs to object.
void KeepTranslated(QObject* object, std::function<void()> setTexts);

} // namespace OrvoCommon
