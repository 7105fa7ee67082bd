#pragma once

#include "overview/facilityoverview.h"

#include <QTextStream>

namespace dovra {

class Workspace;

enum class OverviewFormat
{
    Text,
    Json,
    Csv
};

// dovra-cli overzicht: every facility of the data file that passes filter with its figures, and the totals
// per province. Exit status 0 also when some facilities cannot be calculated (their rows say why), 1 when
// the facilities cannot be read.
int printOverview(Workspace& workspace, const OverviewFilter& filter, OverviewFormat format,
                  QTextStream& out);

} // namespace dovra
