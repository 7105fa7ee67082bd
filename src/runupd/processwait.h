#pragma once

#include <QString>

namespace dovra::runupd {

// Waits until no process other than this one runs the executable (by /proc/<pid>/exe). True when none
// is left within the given seconds.
bool waitUntilEnded(const QString& executable, int seconds);

} // namespace dovra::runupd
