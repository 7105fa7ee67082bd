#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace dovra {

class clsCL;
class clsStort;

// The facility's surcharges of the aftercare phase measured against its checklist version: the values an
// empty field takes, the texts that explain the ranges and which values deviate from the checklist.
namespace surcharges {

// A checklist fraction as the percentage the facility stores, in single precision.
float percentage(float fraction);

// Gives every empty surcharge value the checklist's default, as pending changes of stort; under
// differentiated surcharges the single design/direction percentage is 0. True when something changed.
bool fillDefaults(clsStort& stort, const clsCL& checklist);

// An area stored before the reporting/evaluation option existed: the option must be redetermined.
bool optionMissing(const clsStort& stort);
// Sets the option that follows from the area, as a pending change; true when it changed.
bool updateOption(clsStort& stort, const clsCL& checklist);

// Caption of a reporting/evaluation option (0 to 3).
QString optionCaption(int option, const clsCL& checklist);
QString communicationHelp(const clsCL& checklist);
QString apparatusHelp(const clsCL& checklist);
QString apparatusPercentageHelp();
QString reportingHelp(const clsCL& checklist);
// Shown instead of the single design/direction percentage under differentiated surcharges.
QString designExplanation();

struct Deviations
{
    bool apparatusBase = false;
    bool apparatusPercentage = false;
    bool unforeseen = false;
    bool design = false;
    bool communication = false;
    // The amount of the current option only (minimum, per ha or maximum).
    bool reporting = false;
};
Deviations deviations(const clsStort& stort, const clsCL& checklist);

// An entered amount: "€ 3.500", "3500", "3.500" and "3500,50" all read.
std::optional<float> readAmount(const QString& text, const QLocale& locale = QLocale());
// An entered percentage or area: decimals with the locale's separator, no grouping.
std::optional<float> readDecimal(const QString& text, const QLocale& locale = QLocale());

// The value of a surcharge box; empty, after telling the user under title, when it is no number.
std::optional<float> enteredAmount(const QString& text, const QString& title);
std::optional<float> enteredPercentage(const QString& text, const QString& title);
// The apparatus percentage, refused under its own title also when the base amount is no number.
std::optional<float> enteredApparatusPercentage(const QString& text, const QString& baseText);
// The aftercare area, which must be above 0; empty after telling the user otherwise.
std::optional<float> enteredArea(const QString& text);
// The same rule for the stored area, when the screen closes.
bool checkStoredArea(const clsStort& stort);

} // namespace surcharges

} // namespace dovra
