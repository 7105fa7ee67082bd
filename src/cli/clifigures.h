#pragma once

#include <QTextStream>

namespace dovra {

// The figures commands of dovra-cli, for a facility that is open in the application state.
// They return the exit status: 0 done, 1 a check or the calculation failed.
int printTargetCapital(float vatPercentage, bool json, QTextStream& out);
int printLevy(bool json, QTextStream& out);

} // namespace dovra
