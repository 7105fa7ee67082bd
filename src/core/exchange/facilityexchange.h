#pragma once

#include "exchange/recordset.h"

#include <QString>

#include <functional>
#include <optional>

namespace dovra {

class Database;
class Workspace;

namespace exchange {

// A facility with everything entered for it as the hierarchical record set of an exchange file: its
// tblStort row, with chapter rsTonnage (its forecast) and chapter rsInr (its provisions), each provision
// with chapter rsAct (its cost items). Fields and types follow the data file's columns. Empty when the
// facility cannot be read.
std::optional<RecordSet> facilityRecordSet(Database& data, long facilityId);

// Writes facility facilityId to path, replacing the file only once the new one is complete. Empty on
// success, else why not (in Dutch).
QString exportFacility(Workspace& workspace, long facilityId, const QString& path);

// Gives the name to try next when the facility's name is taken (or empty); an empty answer gives up.
using ImportNameChooser = std::function<QString(const QString& takenName)>;

struct ImportOutcome
{
    enum class Status
    {
        Imported,
        Cancelled, // the user gave up choosing a free name: nothing was written
        Failed     // nothing was written; error says why
    };
    Status status = Status::Failed;
    long facilityId = 0;
    QString error;
};

// Adds the facility of the exchange file at path to the workspace's data file under new ids, keeping its
// checklist version and checklist item references. The file is read and checked whole before anything is
// written, and everything is written in one transaction. Columns the file lacks take their defaults (a
// message names those without one).
// name, when given, replaces the file's name.
ImportOutcome importFacility(Workspace& workspace, const QString& path, const ImportNameChooser& chooseName,
                             const std::optional<QString>& name = std::nullopt);

// The window's way to choose: asks with the name question until the answer has at most 50 characters.
QString askImportName(const QString& takenName);

// The message that an import failed, with the reason after it.
QString importFailed(const QString& reason);

} // namespace exchange
} // namespace dovra
