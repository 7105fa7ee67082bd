#include "costitems/completeness.h"

#include "base/messageservice.h"
#include "model/options.h"
#include "model/rawvalue.h"

namespace dovra {

FieldSource::~FieldSource() = default;

namespace {

// Entered and within [low, high].
bool inRange(const QVariant& value, double low, double high)
{
    const std::optional<double> number = numericValue(value);
    return number && *number >= low && *number <= high;
}

int code(const QVariant& value)
{
    return int(numericValue(value).value_or(-1));
}

constexpr double FirstCalendarYear = 1970;
constexpr double LastCalendarYear = 2300;
constexpr double LastAftercareYear = 1000;

} // namespace

bool CheckStart(const QVariant& bytOptieStart, const QVariant& bytStartBA, const QVariant& intStartAbs,
                const QVariant& intStartRel, const QVariant& intStartBA)
{
    const int option = code(bytOptieStart);
    if (option == StartOption::CalendarYear && !inRange(intStartAbs, FirstCalendarYear, LastCalendarYear))
        return false;
    if (option == StartOption::AftercareYear && !inRange(intStartRel, 1, LastAftercareYear))
        return false;
    if (code(bytStartBA) == 1 && !inRange(intStartBA, 1, LastAftercareYear))
        return false;
    return true;
}

bool CheckEind(const QVariant& bytOptieEind, const QVariant& bytEindBA, const QVariant& intEindAbs,
               const QVariant& intEindRel, const QVariant& intEindBA)
{
    // Counted from the construction only the number of years must be there.
    if (code(bytEindBA) != 0 && isEntered(bytEindBA))
        return isEntered(intEindBA);
    switch (code(bytOptieEind)) {
    case EndOption::CalendarYear:
        return inRange(intEindAbs, FirstCalendarYear, LastCalendarYear);
    case EndOption::AftercareYear:
        return inRange(intEindRel, 1, LastAftercareYear);
    default:
        return true;
    }
}

bool CheckKosten(const QVariant& bytOptieKosten, const QVariant& sngPercInvest,
                 const QVariant& sngKostenInvest, const QVariant& sngKostenTotaal,
                 const QVariant& sngKostenPE, const QVariant& strEenheid, const QVariant& sngAantal)
{
    switch (code(bytOptieKosten)) {
    case CostOption::PercentageOfInvestment: {
        const std::optional<double> percentage = numericValue(sngPercInvest);
        const std::optional<double> investment = numericValue(sngKostenInvest);
        return percentage && investment && *investment != 0 && *percentage > 0 && *percentage <= 100;
    }
    case CostOption::TotalAmount:
        return numericValue(sngKostenTotaal).has_value();
    case CostOption::PerUnit: {
        const std::optional<double> price = numericValue(sngKostenPE);
        const std::optional<double> amount = numericValue(sngAantal);
        return price && *price != 0 && isEntered(strEenheid) && amount && *amount > 0;
    }
    default:
        return true;
    }
}

bool CheckFreq(const QVariant& bytOptieFreq, const QVariant& intFreqX)
{
    const int option = code(bytOptieFreq);
    if (option == FrequencyOption::TimesPerYear || option == FrequencyOption::OnceEveryXYears)
        return inRange(intFreqX, 1, LastAftercareYear);
    return true;
}

bool CheckToeslag(bool gediffToeslag, const QVariant& bytRubriek_REF,
                  const QVariant& bytTypeVervangingsToeslag, const QVariant& sngVervangingsToeslagPerc)
{
    if (!gediffToeslag || code(bytRubriek_REF) != ReplacementRubric || !isEntered(bytTypeVervangingsToeslag))
        return true;
    switch (code(bytTypeVervangingsToeslag)) {
    case SurchargeType::None:
    case SurchargeType::ToBeChosen:
        return false;
    case SurchargeType::TopLiner:
        return true;
    case SurchargeType::LargeWork:
    case SurchargeType::SmallWork: {
        const std::optional<double> percentage = numericValue(sngVervangingsToeslagPerc);
        return percentage && *percentage > 0 && *percentage <= 100;
    }
    default:
        messages().inform(QStringLiteral("Onbekende conditie vervangingstoeslag"),
                          QStringLiteral("Controle invoer vervangingstoeslag"), MessageIcon::Critical);
        return true;
    }
}

bool verify_ansich(const CostItemValues& item, bool gediffToeslag)
{
    if (code(item.bytCombineer) == 1)
        return true;
    return CheckStart(item.bytOptieStart, item.bytStartBA, item.intStartAbs, item.intStartRel,
                      item.intStartBA) &&
           CheckEind(item.bytOptieEind, item.bytEindBA, item.intEindAbs, item.intEindRel, item.intEindBA) &&
           CheckKosten(item.bytOptieKosten, item.sngPercInvest, item.sngKostenInvest, item.sngKostenTotaal,
                       item.sngKostenPE, item.strEenheid, item.sngAantal) &&
           CheckFreq(item.bytOptieFreq, item.intFreqX) &&
           CheckToeslag(gediffToeslag, item.bytRubriek_REF, item.bytTypeVervangingsToeslag,
                        item.sngVervangingsToeslagPerc);
}

const std::array<CostItemField, 25>& costItemFields()
{
    static const std::array<CostItemField, 25> fields{{
        {"bytOptieStart", &CostItemValues::bytOptieStart},
        {"bytStartBA", &CostItemValues::bytStartBA},
        {"intStartAbs", &CostItemValues::intStartAbs},
        {"intStartRel", &CostItemValues::intStartRel},
        {"intStartBA", &CostItemValues::intStartBA},
        {"bytOptieEind", &CostItemValues::bytOptieEind},
        {"bytEindBA", &CostItemValues::bytEindBA},
        {"intEindAbs", &CostItemValues::intEindAbs},
        {"intEindRel", &CostItemValues::intEindRel},
        {"intEindBA", &CostItemValues::intEindBA},
        {"bytOptieFreq", &CostItemValues::bytOptieFreq},
        {"intFreqX", &CostItemValues::intFreqX},
        {"bytOptieKosten", &CostItemValues::bytOptieKosten},
        {"sngPercInvest", &CostItemValues::sngPercInvest},
        {"sngKostenInvest", &CostItemValues::sngKostenInvest},
        {"sngKostenTotaal", &CostItemValues::sngKostenTotaal},
        {"sngKostenPE", &CostItemValues::sngKostenPE},
        {"strEenheid", &CostItemValues::strEenheid},
        {"sngAantal", &CostItemValues::sngAantal},
        {"bytRubriek_REF", &CostItemValues::bytRubriek_REF},
        {"bytTypeVervangingsToeslag", &CostItemValues::bytTypeVervangingsToeslag},
        {"sngVervangingsToeslagPerc", &CostItemValues::sngVervangingsToeslagPerc},
        {"bytIsTALVO", &CostItemValues::bytIsTALVO},
        {"lngClitem_REF", &CostItemValues::lngClitem_REF},
        {"bytCombineer", &CostItemValues::bytCombineer},
    }};
    return fields;
}

CostItemValues costItemValuesOf(const FieldSource& item)
{
    CostItemValues values;
    for (const CostItemField& field : costItemFields())
        values.*field.value = item.field(QLatin1String(field.name));
    return values;
}

bool verify_ansich(const FieldSource& item, bool gediffToeslag)
{
    return verify_ansich(costItemValuesOf(item), gediffToeslag);
}

} // namespace dovra
