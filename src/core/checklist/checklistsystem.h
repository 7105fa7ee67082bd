#pragma once

#include <QString>

#include <optional>

namespace dovra {

// The checklist file's system values: its sequence number and the lowest program version
// number that may use it.
struct ChecklistSystemValues
{
    qint16 sequence = 0;
    qint16 programMinimum = 0;
};

// Reads tblSYS of the checklist file at path; empty when the file cannot be read.
std::optional<ChecklistSystemValues> readChecklistSystemValues(const QString& path);

// Reads the values of the application's checklist file into the application state;
// tells the user when the file cannot be read.
bool ReadChecklistSystemValues();

// False, after telling the user, when the checklist file asks for a newer program.
bool CheckProgramNotOutdated();

// False, after telling the user, when the installed checklist file has no active items of the
// version: the facility was saved with a version this file does not contain.
bool checklistBestaat(int versionId);

} // namespace dovra
