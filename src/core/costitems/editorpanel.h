#pragma once

#include "checklist/clsCL.h"
#include "costitems/completeness.h"
#include "costitems/narrative.h"

#include <QString>

#include <array>
#include <optional>

namespace dovra {

// What the cost item editor's panel depends on besides the shown values.
struct PanelContext
{
    // The checklist item's replacement surcharge type, for an item taken from the checklist.
    std::optional<int> checklistSurchargeType;
    bool gediffToeslag = false;      // the version sets replacement surcharges per item
    bool combinationAllowed = false; // the checklist item may be part of a combination post
};

// Which inputs of the cost item editor are shown and enabled for the shown option codes, and their
// captions. Option and box indexes are 1-based as the codes are.
struct PanelLayout
{
    // Start: the calendar-year or the aftercare-year box.
    bool startCalendarBox = false;
    bool startAftercareBox = false;
    std::array<QString, 2> startCaptions;
    bool startConstructionBox = false; // txtStartBA
    QString startFrameCaption;
    // End.
    bool endEnabled = true;
    bool endOptionsShown = true;
    bool endCalendarBox = false;
    bool endAftercareBox = false;
    bool endConstructionBox = false; // txtEindBA
    bool endConstructionCheck = false;
    // Frequency: X beside option 2 or 3.
    bool frequencyX = false;
    int frequencyXBeside = 0;
    // Cost.
    std::array<bool, 3> costOptions{true, true, true};
    bool percentage = false;
    bool investment = false; // with its "% van" label
    bool total = false;
    bool unitPrice = false;
    bool unitFrame = false;
    bool unitBox = true;
    // Replacement surcharge.
    bool surchargeEnabled = false;
    std::array<bool, 3> surchargeOptions{};
    bool surchargePercentage = false;
    int surchargePercentageBeside = 0;
    bool unknownSurchargeType = false; // the checklist item has a type the editor does not know
    // Combination post.
    bool combineEnabled = false;
    bool optionFramesShown = true;
};

// The layout for the shown values of a cost item.
PanelLayout panelLayout(const CostItemValues& shown, const PanelContext& context);

// The consequences of choosing an option, applied to the shown values.
// A one-off expense has no end.
void chooseFrequency(CostItemValues& shown, int code);
// Without a start counted from the construction the end cannot count from it either.
void chooseStartFromConstruction(CostItemValues& shown, bool checked);
// The top liner costs per m2; large and small works get the version's default percentage.
void chooseSurcharge(CostItemValues& shown, int code, const clsCL& checklist);

// The name of a numeric box in the message about an invalid value; the start boxes take the start frame's
// caption in lower case.
QString invalidInputMessage(const QString& label);
QString invalidInputTitle();

// What the narrative is written from: the shown values, the item's name, whether it is complete.
NarrativeInput narrativeInputOf(const CostItemValues& shown, const QString& name, bool complete,
                                double aftercareStart);

// The checklist information box of a cost item: the checklist's information, and for a replacement under
// per-item surcharges the explanation of its surcharge type.
ChecklistInfo editorChecklistInformation(clsCL& checklist, const CostItemValues& shown, bool gediffToeslag);

} // namespace dovra
