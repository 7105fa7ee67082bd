#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace dovra {

class Database;
class Workspace;

// One line of the facility list.
struct FacilityListEntry
{
    int id = 0;
    QString name;
    QString rivmNumber; // empty when not entered
    QString typeName;   // "stortplaats", "baggerdepot", or "?" when the type is missing
    QString province;
    QString checklistYear; // year of the facility's checklist version, "?" when that version is unknown
};

// The facilities of the workspace's data file in name order, as the facility list shows them.
// A facility whose province id is unknown is not listed. Empty when a file cannot be read.
std::optional<QList<FacilityListEntry>> readFacilityList(Workspace& workspace);

// Which of the listed facilities (their ids in the order shown) is selected when the list opens: the
// remembered one, else the first; -1 for an empty list.
qsizetype facilityToSelect(const QList<int>& listed, std::optional<int> remembered);

// The id of the newest checklist version (latest date) for a facility type; 0 when there is none.
int NewestChecklistVersion(Workspace& workspace, int facilityType);

// Adds a facility with the defaults of a new facility and the newest checklist version of its
// type; returns its id, or 0 when the name is taken (the user is told) or the row could not be written.
int CreateFacility(Workspace& workspace, const QString& name, int facilityType);

// Deletes a facility with all its rows in one transaction, without asking; false when nothing was deleted.
bool deleteFacilityRows(Database& data, long id);

// Deletes a facility with all its rows after the user confirmed; true when it was deleted.
// The rows go in one transaction, so a failure leaves the facility whole.
bool DeleteFacility(Workspace& workspace, int id, const QString& name);

} // namespace dovra
