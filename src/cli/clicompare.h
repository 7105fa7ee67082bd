#pragma once

#include <QTextStream>

namespace dovra {

class Workspace;

// vergelijk: facility facilityId ("nu") compared with the facility of the exchange file at path or, when
// path is empty, with facility otherId of the data file ("eerder"). The exit status: 0 compared, 1 when a
// state cannot be calculated (the records are still compared), 2 when the earlier state cannot be read.
int printComparison(Workspace& workspace, long facilityId, const QString& path, long otherId,
                    float vatPercentage, bool json, QTextStream& out);

} // namespace dovra
