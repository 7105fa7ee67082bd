#pragma once

#include <QString>

#include <optional>

namespace dovra {

class Workspace;

// The checklist file's system values: its sequence number and the lowest program version
// number that may use it.
struct ChecklistSystemValues
{
    qint16 sequence = 0;
    qint16 programMinimum = 0;
};

class Database;

// The system values of an open checklist file that has every table and column the program reads; empty
// otherwise, *gap then naming the table or column missing, if that was why.
std::optional<ChecklistSystemValues> usableChecklistValues(Database& db,
                                                           std::optional<QString>* gap = nullptr);

// Reads the values of the workspace's checklist file into the workspace; tells the user when the
// file cannot be read.
bool ReadChecklistSystemValues(Workspace& workspace);

// False, after telling the user, when the checklist file asks for a newer program.
bool CheckProgramNotOutdated(const Workspace& workspace);

// False, after telling the user, when the workspace's checklist file has no active items of the
// version: the facility was saved with a version this file does not contain.
bool checklistBestaat(Workspace& workspace, int versionId);

} // namespace dovra
