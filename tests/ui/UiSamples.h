#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace TestSupport {

// One window of the interface in one of its states, made afresh on each call: a page inside a
// wizard dressed like the program's, or a dialog. The gallery photographs them; the language tests
// switch languages under them.
struct UiSample
{
    QString name;
    std::function<std::unique_ptr<QWidget>()> make;
};

// Every page in each of its states and every dialog, in the order the gallery shows them.
const std::vector<UiSample>& UiSamples();

} // namespace TestSupport
