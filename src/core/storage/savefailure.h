#pragma once

#include <QString>

#include <functional>

namespace dovra {

class Database;
class Workspace;

// Why the last change to the data file could not be written, in the user's words: read-only, disk full,
// file gone, or the engine's own text.
QString saveFailureCause(const QString& path, const Database* data);

// Writes pending changes with store. When that fails the user is told why and chooses: try again, or
// discard the pending changes (with discard) so that the screen can be left. Returns true when stored,
// false when discarded; nothing is left pending either way.
bool storeOrDiscard(Workspace& workspace, const std::function<bool()>& store,
                    const std::function<void()>& discard);

// Tells the user that a change could not be written, and why (for changes that cannot be retried).
void reportSaveFailure(Workspace& workspace);

// Whether the data file takes a change: one is written and rolled back at once, so a file on a read-only
// disk, in a folder the program may not write in, or without write permission fails here.
bool canWriteDataFile(Database& data);
// The message of a data file the program cannot write (at start-up and when linking).
void reportNoWriteAccess(const QString& path);

} // namespace dovra
