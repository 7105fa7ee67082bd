#pragma once

#include "costitems/storedcostitems.h"

#include <QString>

#include <vector>

namespace dovra {

class Workspace;

// Before a calculation: the facility must have cost items and every one must be complete. False,
// after telling the user (naming the first incomplete cost item), when that is not so.
bool ValidateFacilityInput(Workspace& workspace, int facilityId, const QString& name);
// The same over cost items already read; gediffToeslag: the facility's checklist version sets the
// replacement surcharge per item.
bool ValidateFacilityInput(const std::vector<StoredCostItem>& items, bool gediffToeslag, const QString& name);

} // namespace dovra
