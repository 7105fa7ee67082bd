#pragma once

#include <QString>

namespace dovra {

// Option codes of a cost item (tblAct) and of a checklist item (tblCLitem).
namespace StartOption {
constexpr int CalendarYear = 1;
constexpr int AftercareYear = 2;
} // namespace StartOption

namespace EndOption {
constexpr int CalendarYear = 1;
constexpr int AftercareYear = 2;
constexpr int Perpetual = 3;
} // namespace EndOption

namespace FrequencyOption {
constexpr int OneOff = 1;
constexpr int TimesPerYear = 2;
constexpr int OnceEveryXYears = 3;
} // namespace FrequencyOption

namespace CostOption {
constexpr int PercentageOfInvestment = 1;
constexpr int TotalAmount = 2;
constexpr int PerUnit = 3;
} // namespace CostOption

namespace SurchargeType {
constexpr int None = 0;
constexpr int TopLiner = 1;
constexpr int LargeWork = 2;
constexpr int SmallWork = 3;
constexpr int ToBeChosen = 7;
} // namespace SurchargeType

// Rubric 5 holds the replacements, the only rubric with replacement surcharges.
constexpr int ReplacementRubric = 5;

// The rubric name of 1..6 ("Instandhouden" … "Overig"); empty for any other number.
QString RubriekNaam(int rubric);

// Conformity code bytIsTALVO.
namespace Conformity {
constexpr int UserDefined = 0;
constexpr int WithinCriteria = 1;
constexpr int OutsideCriteria = 2;
} // namespace Conformity

} // namespace dovra
