#pragma once

#include <QString>

namespace dovra {

// Before a calculation: the facility must have cost items and every one must be complete. False,
// after telling the user (naming the first incomplete cost item), when that is not so.
bool ValidateFacilityInput(int facilityId, const QString& name);

} // namespace dovra
