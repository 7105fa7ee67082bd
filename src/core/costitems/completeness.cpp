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

bool verify_ansich(const FieldSource& item, bool gediffToeslag)
{
    auto f = [&item](const char* name) {
        return item.field(QLatin1String(name));
    };
    CostItemValues values;
    values.bytCombineer = f("bytCombineer");
    values.bytOptieStart = f("bytOptieStart");
    values.bytStartBA = f("bytStartBA");
    values.intStartAbs = f("intStartAbs");
    values.intStartRel = f("intStartRel");
    values.intStartBA = f("intStartBA");
    values.bytOptieEind = f("bytOptieEind");
    values.bytEindBA = f("bytEindBA");
    values.intEindAbs = f("intEindAbs");
    values.intEindRel = f("intEindRel");
    values.intEindBA = f("intEindBA");
    values.bytOptieKosten = f("bytOptieKosten");
    values.sngPercInvest = f("sngPercInvest");
    values.sngKostenInvest = f("sngKostenInvest");
    values.sngKostenTotaal = f("sngKostenTotaal");
    values.sngKostenPE = f("sngKostenPE");
    values.strEenheid = f("strEenheid");
    values.sngAantal = f("sngAantal");
    values.bytOptieFreq = f("bytOptieFreq");
    values.intFreqX = f("intFreqX");
    values.bytRubriek_REF = f("bytRubriek_REF");
    values.bytTypeVervangingsToeslag = f("bytTypeVervangingsToeslag");
    values.sngVervangingsToeslagPerc = f("sngVervangingsToeslagPerc");
    return verify_ansich(values, gediffToeslag);
}

} // namespace dovra
