#pragma once

#include "checklist/clsCL.h"
#include "costitems/storedcostitems.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

namespace dovra {

class Workspace;

// The facility's general aftercare surcharges, amounts and percentages as stored.
struct FacilitySurcharges
{
    float area = 0;            // sngNazorgOpp, ha
    long optieRapEval = 0;     // bytRapEval: 1 minimum, 2 per ha, 3 maximum
    float rapEvalMin = 0;      // per year
    float rapEvalPerHa = 0;    // per year
    float rapEvalMax = 0;      // per year
    float communicatie = 0;    // per year
    float appBasis = 0;        // per year
    float appPerc = 0;         // of the sums A and B
    float onvoorzien = 0;      // of the sum A
    float ontwerpdirectie = 0; // of the sum B; not used by versions with surcharges per replacement item
    float risico = 0;          // at face value
};

// Everything a target capital calculation reads, as plain values: what it computes depends on these
// alone, so a calculation can be repeated at other rates without going back to the files.
struct TargetCapitalInputs
{
    long facilityId = 0;
    QString name;
    float r = 0; // interest, fraction
    float i = 0; // inflation, fraction
    float S = 0; // aftercare start, decimal year
    int P = 0;   // price level year
    FacilitySurcharges surcharges;
    qint64 provisions = 0;
    clsCL checklist;
    std::vector<StoredCostItem> costItems;
    // What the amounts of the cost items of rubric 1..6 are multiplied by (index 0 unused): 1 but in the
    // uncertainty analysis, which draws them.
    std::array<float, 7> costFactors{1, 1, 1, 1, 1, 1, 1};
};

// Reads the facility, its checklist version and its cost items from the workspace's files at the
// facility's own rates. False when
// they cannot be read, after telling when a stored value the calculation needs is no number or the cost
// items cannot be read; what was read until then stays in inputs, so a failed calculation still shows
// whose it is.
bool readTargetCapitalInputs(Workspace& workspace, long facilityId, TargetCapitalInputs& inputs);

} // namespace dovra
