#pragma once

#include <QCoreApplication>
#include <QList>
#include <QSignalSpy>
#include <QString>
#include <QVariant>

#include <functional>

// Readies a test process for firmware acquisition: a log and a temporary-file list of its own, named
// after the test, and startFolder as the bundle path the locator keeps for the whole process (a
// program started directly is its own bundle). False when the locator took another path.
bool PrepareAcquisitionProcess(const QString& testName, const QString& startFolder);

// Runs what start begins and waits for the sender's one completion signal; its arguments, or nothing
// unless exactly one arrived.
template <typename Sender, typename Signal>
QList<QVariant> AwaitCompletion(Sender* sender, Signal signal, const std::function<void()>& start, int timeoutMs)
{
    QSignalSpy spy(sender, signal);
    start();
    if (spy.isEmpty())
        spy.wait(timeoutMs);
    QCoreApplication::processEvents();
    return spy.count() == 1 ? spy.first() : QList<QVariant>();
}
