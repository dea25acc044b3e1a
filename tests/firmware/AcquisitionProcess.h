#pragma once

#include <QString>

// Readies a test process for firmware acquisition: a log and a temporary-file list of its own, named
// after the test, and startFolder as the bundle path the locator keeps for the whole process (a
// program started directly is its own bundle). False when the locator took another path.
bool PrepareAcquisitionProcess(const QString& testName, const QString& startFolder);
