#pragma once

#include "overview/facilityoverview.h"

#include <QTextStream>

namespace dovra {

class Workspace;

enum class OverviewFormat
{
    Text,
    Json,
    Csv,
    Workbook // a spreadsheet file
};

// dovra-cli overzicht: every facility of the data file that passes filter with its figures, and the totals
// per province, on out or, as a workbook, in the file at path. Exit status 0 also when some facilities
// cannot be calculated (their rows say why), 1 when the facilities cannot be read or the file written.
int printOverview(Workspace& workspace, const OverviewFilter& filter, OverviewFormat format,
                  const QString& path, QTextStream& out);

} // namespace dovra
