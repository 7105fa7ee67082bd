#pragma once

#include <QTextStream>

namespace dovra {

class Workspace;

// The figures commands of dovra-cli, for facility facilityId of the workspace's data file.
// They return the exit status: 0 done, 1 a check or the calculation failed.
int printTargetCapital(Workspace& workspace, long facilityId, float vatPercentage, bool json,
                       QTextStream& out);
int printLevy(Workspace& workspace, long facilityId, bool json, QTextStream& out);

} // namespace dovra
