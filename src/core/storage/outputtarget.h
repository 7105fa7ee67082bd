#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace dovra {

class Workspace;

// The database files the program has open or recognises: the workspace's data file and the one the
// settings link, the checklist file in use and the one in the program folder, and the data file template.
QStringList programDatabaseFiles(const Workspace& workspace, const QString& configuredDataFile);

// Why no document may be written at path, as a Dutch sentence naming the path; empty when it may.
// A document goes only into a new file in an existing, writable folder or over an existing, writable
// regular file that is none of databaseFiles. Files are compared by device and inode, so another
// spelling of a path or a hard link is the same file. Nothing at path is opened.
std::optional<QString> outputTargetProblem(const QString& path, const QStringList& databaseFiles);

} // namespace dovra
