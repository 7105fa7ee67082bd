#pragma once

#include "overview/facilityoverview.h"

#include <QString>

namespace dovra {

// Writes the overview as a spreadsheet: a sheet with a row per facility and one with the totals per
// province, which sum and count the rows of the first sheet by formulas. False, with the reason in Dutch
// in *error, when the file cannot be written; an existing file then stays as it was.
bool saveOverviewWorkbook(const FacilityOverview& overview, const QString& path, QString* error = nullptr);

} // namespace dovra
