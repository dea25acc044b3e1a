#include "app/TerminationSignals.h"

#include "app/StopSignals.h"

#include <QCoreApplication>

namespace OrvoCommon {

namespace {

bool g_requested = false;

} // namespace

bool TerminationRequested()
{
    return g_requested;
}

void QuitOnTerminationSignals()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || application->findChild<StopSignals*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    auto* stops = new StopSignals(0, application);
    QObject::connect(stops, &StopSignals::Received, application, [] {
        g_requested = true;
        QCoreApplication::exit(0);
    });
}

} // namespace OrvoCommon
