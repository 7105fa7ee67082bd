#pragma once

#include "base/messageservice.h"
#include "costitems/completeness.h"

#include <QString>
#include <QVariant>

namespace dovra {

class clsCL;

// What the cost item editor shows, as raw values (Null, numbers, or the text of an input box).
using ShownCostItem = CostItemValues;

namespace VerdictColour {
constexpr ColourValue Black = 0;
constexpr ColourValue Red = 255;      // incomplete
constexpr ColourValue Orange = 33023; // outside the checklist's criteria
} // namespace VerdictColour

// The editor's marking of a cost item per group of fields, and what it means for the item.
struct ItemVerdict
{
    ColourValue start = VerdictColour::Black;
    ColourValue end = VerdictColour::Black; // only judged for items that are not a one-off expense
    ColourValue frequency = VerdictColour::Black;
    ColourValue cost = VerdictColour::Black;
    ColourValue surcharge = VerdictColour::Black;
    bool valid = true;  // complete
    int conformity = 0; // the resulting bytIsTALVO
    QString indicatorText;
};

// Judges the shown values. The checklist is the facility's version; the checklist item becomes its
// current item when found. gediffToeslag: the version sets the replacement surcharge per item;
// aftercareStart: the facility's aftercare start as a decimal year.
ItemVerdict judgeCostItem(const ShownCostItem& shown, clsCL& checklist, bool gediffToeslag,
                          double aftercareStart);

// The indicator text of a conformity code.
QString conformityText(int conformity);

} // namespace dovra
