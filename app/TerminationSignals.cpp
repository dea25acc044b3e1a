#include "app/TerminationSignals.h"

#include "app/ILogger.h"
#include "app/LoggerFactory.h"
#include "app/StopSignals.h"

#include <QCoreApplication>

#include <cstdio>

namespace OrvoCommon {

namespace {

bool g_requested = false;
bool g_held = false;
std::function<bool()> g_mayEndNow;

// The first request while the headset is being written is only reported.
bool HoldRequest()
{
    if (g_held || !g_mayEndNow || g_mayEndNow())
        return false;
    g_held = true;
    const char* text = "Stop request held: the headset is being updated, and stopping now would leave it in its "
                       "update mode. A second request stops the program anyway.";
    std::fprintf(stderr, "%s\n", text);
    if (ILogger* logger = GetLogger())
        logger->LogWarning(QLatin1String(text));
    return true;
}

} // namespace

bool TerminationRequested()
{
    return g_requested;
}

void SetTerminationGuard(std::function<bool()> mayEndNow)
{
    g_mayEndNow = std::move(mayEndNow);
    g_held = false;
}

void QuitOnTerminationSignals()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || application->findChild<StopSignals*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    auto* stops = new StopSignals(0, application);
    QObject::connect(stops, &StopSignals::Received, application, [] {
        if (HoldRequest())
            return;
        g_requested = true;
        QCoreApplication::exit(0);
    });
}

} // namespace OrvoCommon
