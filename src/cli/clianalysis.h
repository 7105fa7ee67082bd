#pragma once

#include "calc/sensitivity.h"

#include <QTextStream>

#include <vector>

namespace dovra {

class Workspace;

// dovra-cli gevoeligheid: the sensitivity analysis of facility facilityId over rates (see
// analyseSensitivity), as the report window's text or as JSON. Exit status 0, or 1 when the checks before
// the calculation fail.
int printSensitivity(Workspace& workspace, long facilityId, SensitivityMode mode,
                     const std::vector<float>& rates, bool json, QTextStream& out);

// dovra-cli uitgavenschema: the outlays of aftercare years 1 to years per rubric and in total, as text or
// as CSV. Exit status 0, or 1 when the cost items cannot be read or calculated.
int printExpenditureSchedule(Workspace& workspace, long facilityId, int years, bool csv, QTextStream& out);
// dovra-cli uitgavenschema --out: the same as a workbook at path. Exit status 0, or 1 when it cannot be
// calculated or saved (told on standard error).
int writeExpenditureSchedule(Workspace& workspace, long facilityId, int years, const QString& path,
                             QTextStream& out);

} // namespace dovra
