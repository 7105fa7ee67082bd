#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace dovra {

class Workspace;

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
