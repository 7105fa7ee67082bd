#pragma once

#include <QString>

namespace dovra {

// Flushes a finished file to disk.
bool syncToDisk(const QString& path);

// Puts a finished file in place of target in one step (rename): target is either the old file or the new
// one, never missing or half-written, also after a crash. The finished file is flushed to disk first and
// the folder after, so the new name survives a power cut.
bool replaceFile(const QString& finished, const QString& target);

} // namespace dovra
