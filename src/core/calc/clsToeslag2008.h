#pragma once

#include <QString>

#include <vector>

namespace dovra {

// One replacement surcharge line of a cost item, under checklist versions that set the design and
// supervision surcharge per replacement item.
struct clsToeslag2008
{
    int TypeVervangingstoeslag = 0;   // not filled by the calculation
    int Kostenpost_ID = 0;            // not filled by the calculation
    int Checklistitem_ID = 0;         // not filled by the calculation
    float ToeslagWaardeNCWfactor = 0; // the cost item's present value factor
    float ToeslagWaarde = 0;          // surcharge amount per occurrence
    float ToeslagWaardeNCW = 0;       // ToeslagWaarde × ToeslagWaardeNCWfactor
    QString ToeslagTekst;
    quint8 IsTALVO = 1; // 1 conforms to the checklist version, 2 does not
};

using Toeslagen2008 = std::vector<clsToeslag2008>;

} // namespace dovra
