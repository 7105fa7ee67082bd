#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace dovra {

class clsAct;
class clsCL;
class Workspace;

// A checklist version a facility can move to, as the version list shows it.
struct ChecklistVersionEntry
{
    int id = 0;   // intCL_ID
    QString text; // release year and version name: "2013 (TALVO-checklist stortplaatsen 2013)"
    QString key() const { return QStringLiteral("id") + QString::number(id); }
};

// The versions of a facility type newer than currentVersion (a larger id), newest release first; empty
// when there are none, Null when the checklist file cannot be read.
std::optional<QList<ChecklistVersionEntry>> newerChecklistVersions(Workspace& workspace, int facilityType,
                                                                   int currentVersion);

// Why a facility cannot move to another version: it has no price level yet (a new facility), or it is on
// the newest version of its type.
QString versionChangeNeedsSurcharges();
QString versionChangeNothingNewer();
// The confirmation asked before the change, with the price-level sentence when amounts will be converted.
QString versionChangeQuestion(const QString& entryText, const QString& facilityName, float factor);
// The opening of the message that a change failed, before its reason.
QString versionChangeFailed();
// The confirmation of a change that was made.
QString versionChangeDone(const QString& facilityName, const QString& entryText);

// The names a cost item takes over from its checklist item in a new version (the current item of version),
// and the rubric and category the checklist now gives it; each only where it differs from the item's own.
struct NameChanges
{
    std::optional<QString> provision;
    std::optional<QString> costItem;
    std::optional<int> rubric;
    std::optional<int> category;
};
NameChanges nameChanges(const clsAct& items, const QString& provisionName, int provisionCategory,
                        const clsCL& version);

// The conformity code of a checklist item after a version change, from its code before, its verdict
// against the new criteria and its completeness: codes 1 and 2 follow the verdict (2 becomes 1 only when
// complete); an item that had become the user's own is a checklist item again.
int conformityAfterChange(int code, int tested, bool complete);

// What binding a facility to a newer checklist version did.
struct VersionChange
{
    struct CostItem
    {
        long id = 0; // idrAct_ID
        int oldConformity = 0;
        int newConformity = 0;
        QVariant oldAmount; // the amount of its cost option, as stored
        QVariant newAmount;
    };
    bool applied = false;
    QString failure;  // why nothing was changed
    float factor = 1; // the price-level factor applied to every amount
    std::vector<CostItem> costItems;
};

// The price-level factor from a facility's price level year to that of a version: 1 for equal years or when
// no factors are known for the years between.
float priceLevelFactor(Workspace& workspace, int facilityYear, int versionYear);

// Binds facility facilityId to checklist version newVersion: converts every amount to the version's price
// level (the facility's four surcharge amounts and each cost item's amount of its cost option), takes over
// the checklist's names, demotes items the version no longer has (keeping their reference) and judges every
// checklist item against the new criteria. All of it in one transaction: a failure changes nothing. The
// facility takes the version's price level year at once, so that a second change converts only once.
VersionChange applyVersionChange(Workspace& workspace, long facilityId, int newVersion);

} // namespace dovra
