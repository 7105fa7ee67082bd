#pragma once

#include "calc/clsToeslag2008.h"

#include <QString>

namespace dovra {

class clsCL;

// The design fee of a top liner replacement, by its area in m2.
float OntwerpHonorariumBovenafdichting(float area);
// The supervision percentage of a top liner replacement, by its area in m2.
float DirectievoeringPercBovenafdichting(float area);

// One cost item as its replacement surcharges need it. Null numbers are 0.
struct ToeslagPost
{
    int type = 0;         // bytTypeVervangingsToeslag
    int rubric = 0;       // bytRubriek_REF
    float amount = 0;     // the amount per occurrence
    float aantal = 0;     // sngAantal: the area in m2 of a top liner
    float percentage = 0; // sngVervangingsToeslagPerc
    float factor = 0;     // the item's present value factor
    QString object;
    QString act;
};

enum class ToeslagUitkomst
{
    Ok,
    OnbekendType,
    Overloop // a value left the single range
};

// Appends the item's surcharge lines: none for type 0, design and supervision for a top liner, one
// line for a large or small work. Appends nothing unless the outcome is Ok.
ToeslagUitkomst AppendToeslagen(Toeslagen2008& lines, const clsCL& checklist, const ToeslagPost& item);

} // namespace dovra
