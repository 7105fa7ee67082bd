#pragma once

#include "reports/dvreportrows.h"
#include "reports/reportwriter.h"

#include <functional>

namespace dovra {
class clsDV;
class clsHeffing;
class Workspace;
} // namespace dovra

namespace dovra::report {

// Called after each cost item row with the number of rows written so far.
using Progress = std::function<void(int rowsDone)>;

// The target capital section over a finished calculation, grouped as chosen. False when the rows cannot
// be read or a row is missing from the calculation (after its message).
bool writeTargetCapital(ReportWriter& writer, Workspace& workspace, const clsDV& calculation,
                        DVGrouping grouping, const Progress& progress = {});

// The levy section over a levy calculation that passed its checks (ValidatieOK).
void writeLevy(ReportWriter& writer, const clsDV& calculation, const clsHeffing& levy);

} // namespace dovra::report
