#pragma once

#include "reports/dvreportrows.h"
#include "reports/formats/workbook.h"
#include "reports/targetcapitalreport.h"

#include <optional>

namespace dovra {
class clsDV;
class clsHeffing;
class Workspace;
struct ExpenditureSchedule;
} // namespace dovra

namespace dovra::report {

// The calculation's figures as workbook sheets. Where a figure is the sum or product of cells it is a
// formula over them with the program's value cached, so the sheet follows a changed amount and shows the
// program's figure until then.

// The sheets of a finished target capital calculation: every cost item in the grouping's order
// ("Kostenposten"), under differentiated surcharges the replacement surcharges ("Toeslagen vervangingen"),
// and the target capital built from them ("Doelvermogen"), with VAT lines when a percentage is given. False
// (after its message) when the rows cannot be read.
bool addTargetCapitalSheets(Workbook& workbook, Workspace& workspace, const clsDV& calculation,
                            DVGrouping grouping, std::optional<float> vat, const Progress& progress = {});

// The levy per forecast year ("Heffing") of a levy calculation that passed its checks.
void addLevySheet(Workbook& workbook, const clsDV& calculation, const clsHeffing& levy);

// The outlays per aftercare year and rubric ("Uitgavenschema") at price level priceLevelYear.
void addExpenditureSheet(Workbook& workbook, const ExpenditureSchedule& schedule, int priceLevelYear);

} // namespace dovra::report
