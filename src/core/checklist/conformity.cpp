// Conformity of cost items and facility values with the criteria of the checklist version.
#include "checklist/conformity.h"

#include "base/messageservice.h"
#include "base/unexpectederror.h"
#include "checklist/clsCL.h"
#include "model/options.h"
#include "model/rawvalue.h"

#include <cmath>

namespace dovra {

namespace {

// A raw value as a number; "inf" and "nan" typed into a box are no numbers.
std::optional<double> finiteNumber(const QVariant& value)
{
    const std::optional<double> number = numericValue(value);
    return number && std::isfinite(*number) ? number : std::nullopt;
}

std::optional<float> finiteSingle(const QVariant& value)
{
    const std::optional<double> number = finiteNumber(value);
    return number ? std::optional<float>(float(*number)) : std::nullopt;
}

// An option code of a cost item against the checklist item's; two absent codes agree.
bool sameCode(const QVariant& costItemCode, std::optional<int> itemCode)
{
    const std::optional<double> code = finiteNumber(costItemCode);
    if (!code || !itemCode)
        return !code && !itemCode;
    return *code == *itemCode;
}

// A missing amount cannot be within any range.
bool within(const QVariant& value, std::optional<float> min, std::optional<float> max)
{
    const std::optional<float> number = finiteSingle(value);
    return number && InBereik(*number, min, max);
}

// Years counted from the facility's aftercare start (a decimal year), from a calendar year or an
// aftercare year. The start may lie within a year, so the count may have a fraction, which no criterion
// year equals.
std::optional<double> aftercareYear(bool calendar, const QVariant& calendarYear,
                                    const QVariant& aftercareYear, double aftercareStart)
{
    if (!calendar)
        return finiteNumber(aftercareYear);
    const std::optional<double> year = finiteNumber(calendarYear);
    if (!year)
        return std::nullopt;
    return *year - aftercareStart + 1;
}

void reportChecklistFault()
{
    messages().inform(
        QStringLiteral("Er zit een fout in de TALVO-checklist, validatie kon niet uitgevoerd worden"),
        QStringLiteral("Fout in TALVO-checklist"), MessageIcon::Critical);
}

} // namespace

bool InBereik(float value, std::optional<float> min, std::optional<float> max)
{
    if (!(value >= min.value_or(0.0f)))
        return false;
    return !max || value <= *max;
}

bool clsCL::VerifyCL_JaarStart(const QVariant& bytOptieStart, const QVariant& bytStartBA,
                               const QVariant& intStartAbs, const QVariant& intStartRel,
                               const QVariant& intStartBA, double aftercareStart) const
{
    const ChecklistItemRow& criteria = item();
    if (!sameCode(bytStartBA, criteria.startBA))
        return false;
    if (!criteria.startJaar)
        return true;
    const double limit = *criteria.startJaar;
    if (criteria.startBA == 1) {
        const std::optional<double> year = finiteNumber(intStartBA);
        if (!year)
            return false;
        return criteria.startjaarEerderMag ? *year > 0 && *year <= limit : *year == limit;
    }
    if (criteria.startBA == 0) {
        const std::optional<double> year =
            aftercareYear(finiteNumber(bytOptieStart) == StartOption::CalendarYear, intStartAbs, intStartRel,
                          aftercareStart);
        if (!year)
            return false;
        return criteria.startjaarEerderMag ? *year <= limit : *year == limit;
    }
    return true;
}

bool clsCL::VerifyCL_JaarEind(const QVariant& bytOptieEind, const QVariant& bytEindBA,
                              const QVariant& intEindAbs, const QVariant& intEindRel,
                              const QVariant& intEindBA, double aftercareStart) const
{
    const ChecklistItemRow& criteria = item();
    const std::optional<double> option = finiteNumber(bytOptieEind);
    if (criteria.optieEind == EndOption::Perpetual)
        return option == EndOption::Perpetual && finiteNumber(bytEindBA) != 1;
    if (!sameCode(bytEindBA, criteria.eindBA))
        return false;
    if (!criteria.eindJaar)
        return true;
    const double limit = *criteria.eindJaar;
    if (criteria.eindBA == 1)
        return finiteNumber(intEindBA) == limit;
    if (criteria.eindBA == 0)
        return aftercareYear(option == EndOption::CalendarYear, intEindAbs, intEindRel, aftercareStart) ==
               limit;
    return true;
}

bool clsCL::VerifyCL_Freq(const QVariant& bytOptieFreq, const QVariant& intFreqX) const
{
    const ChecklistItemRow& criteria = item();
    const std::optional<double> option = finiteNumber(bytOptieFreq);
    // Everything is compared as times per year; a one-off expense has none.
    float perYear = 0;
    if (option == FrequencyOption::OneOff) {
        if (criteria.optieFreq != FrequencyOption::OneOff)
            return false;
    } else if (option == FrequencyOption::TimesPerYear || option == FrequencyOption::OnceEveryXYears) {
        const std::optional<float> x = finiteSingle(intFreqX);
        if (!x) {
            ReportUnexpectedError(ErrorInfo{13, QStringLiteral("Type mismatch"), std::nullopt},
                                  QStringLiteral("clsCL.VerifyCL_Freq"));
            return false;
        }
        perYear = option == FrequencyOption::TimesPerYear ? *x : 1.0f / *x;
        if (!std::isfinite(perYear)) {
            reportChecklistFault();
            return false;
        }
    }

    if (criteria.optieFreq == FrequencyOption::OneOff)
        return option == FrequencyOption::OneOff;
    if (!criteria.freqXMin && !criteria.freqXMax)
        return true;
    std::optional<float> min;
    std::optional<float> max;
    if (criteria.optieFreq == FrequencyOption::TimesPerYear) {
        min = criteria.freqXMin;
        max = criteria.freqXMax;
    } else if (criteria.optieFreq == FrequencyOption::OnceEveryXYears) {
        // The longest interval gives the fewest times per year.
        if (criteria.freqXMax)
            min = 1.0f / *criteria.freqXMax;
        if (criteria.freqXMin)
            max = 1.0f / *criteria.freqXMin;
        if ((min && !std::isfinite(*min)) || (max && !std::isfinite(*max))) {
            reportChecklistFault();
            return false;
        }
    }
    return InBereik(perYear, min, max);
}

bool clsCL::VerifyCL_Kosten(const QVariant& bytOptieKosten, const QVariant& sngPercInvest,
                            const QVariant& sngKostenInvest, const QVariant& sngKostenTotaal,
                            const QVariant& sngKostenPE, const QVariant& strEenheid,
                            const QVariant& sngAantal) const
{
    const ChecklistItemRow& criteria = item();
    const bool bounded = criteria.percInvestMin || criteria.percInvestMax || criteria.kostenTotaalMin ||
                         criteria.kostenTotaalMax || criteria.prijsPEmin || criteria.prijsPEmax;
    if (bounded && !sameCode(bytOptieKosten, criteria.optieKosten))
        return false;
    const std::optional<double> option = finiteNumber(bytOptieKosten);
    if (option == CostOption::PercentageOfInvestment) {
        return within(sngKostenInvest, criteria.kostenInvestMin, criteria.kostenInvestMax) &&
               within(sngPercInvest, criteria.percInvestMin, criteria.percInvestMax);
    }
    if (option == CostOption::TotalAmount)
        return within(sngKostenTotaal, criteria.kostenTotaalMin, criteria.kostenTotaalMax);
    if (option == CostOption::PerUnit) {
        if (!within(sngAantal, criteria.aantalMin, criteria.aantalMax) ||
            !within(sngKostenPE, criteria.prijsPEmin, criteria.prijsPEmax))
            return false;
        // A unit left open on either side is no deviation.
        if (isEntered(strEenheid) && criteria.eenheid)
            return strEenheid.toString() == *criteria.eenheid;
    }
    return true;
}

bool clsCL::VerifyCL_VervangingsToeslag(const QVariant& bytRubriek_REF,
                                        const QVariant& bytTypeVervangingsToeslag,
                                        const QVariant& sngVervangingsToeslagPerc) const
{
    if (!GebruikGedifferentieerdeToeslagB() || finiteNumber(bytRubriek_REF) != ReplacementRubric)
        return true;
    // No type at all is the stored default 0: none chosen yet.
    const std::optional<double> type = finiteNumber(bytTypeVervangingsToeslag);
    if (!type || type == SurchargeType::None || type == SurchargeType::TopLiner)
        return true;
    if (type == SurchargeType::SmallWork)
        return finiteSingle(sngVervangingsToeslagPerc) == 5.0f;
    if (type == SurchargeType::LargeWork)
        return within(sngVervangingsToeslagPerc, 6.0f, 6.5f);
    messages().inform(QStringLiteral("Onbekende conditie vervangingstoeslag"),
                      QStringLiteral("Controle invoer vervangingstoeslag"), MessageIcon::Critical);
    return false;
}

bool clsCL::verifyCL_CommKosten(float value) const
{
    // -999 as maximum: the version sets only a minimum.
    if (m_version.communicatieMax == -999.0f)
        return value >= m_version.communicatieMin;
    return value >= m_version.communicatieMin && value <= m_version.communicatieMax;
}

bool clsCL::verifyCL_AppKostenBasis(float value) const
{
    return value >= m_version.appKostenBasisMin && value <= m_version.appKostenBasisMax;
}

bool clsCL::verifyCL_AppKostenPerc(float value) const
{
    return value == m_version.appKostenPerc;
}

bool clsCL::verifyCL_Onvoorzien(float value) const
{
    return value == m_version.onvoorzien;
}

bool clsCL::verifyCL_OntwerpdirectieFixed(float value) const
{
    if (GebruikGedifferentieerdeToeslagB())
        return true;
    return value == m_version.ontwerpdirectie;
}

bool clsCL::verifyCL_RapEvalPerHa(int option, float min, float perHa, float max) const
{
    switch (option) {
    case 1:
        return min == m_version.rapEvalMin;
    case 2:
        return perHa == m_version.rapEvalPerHa;
    case 3:
        return max == m_version.rapEvalMax;
    default:
        return true;
    }
}

} // namespace dovra
