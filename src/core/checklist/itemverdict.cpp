#include "checklist/itemverdict.h"

#include "checklist/clsCL.h"
#include "costitems/completeness.h"
#include "model/options.h"
#include "model/rawvalue.h"

#include <functional>

namespace dovra {

QString conformityText(int conformity)
{
    switch (conformity) {
    case Conformity::OutsideCriteria:
        return QStringLiteral(
            "Dit is een TALVO-checklistpost, maar de ingevoerde gegevens voldoen niet aan de "
            "criteria. Zie oranje markering.");
    case Conformity::WithinCriteria:
        return QStringLiteral("Dit is een post uit de TALVO-Checklist.");
    default:
        return QStringLiteral("Dit is een door de gebruiker gedefinieerde post.");
    }
}

ItemVerdict judgeCostItem(const ShownCostItem& shown, clsCL& checklist, bool gediffToeslag,
                          double aftercareStart)
{
    ItemVerdict verdict;
    const bool fromChecklist = numericValue(shown.bytIsTALVO).value_or(0) != 0;
    bool checkCriteria = false;
    bool outside = false;
    if (fromChecklist) {
        const std::optional<long> reference = checklistItemReference(shown.lngClitem_REF);
        const bool found = reference && checklist.GaNaarItem(*reference);
        // A post no longer in the version cannot be said to meet its criteria.
        outside = !found;
        if (found && numericValue(shown.bytCombineer).value_or(0) != 0) {
            // Part of a combination post: the combination post carries the amounts.
            verdict.conformity = Conformity::WithinCriteria;
            verdict.indicatorText = conformityText(verdict.conformity);
            return verdict;
        }
        checkCriteria = found;
    }

    const auto judge = [&](ColourValue& colour, bool complete, const std::function<bool()>& meetsCriteria) {
        if (!complete) {
            colour = VerdictColour::Red;
            verdict.valid = false;
            outside = true;
            return;
        }
        colour = VerdictColour::Black;
        if (checkCriteria && !meetsCriteria()) {
            colour = VerdictColour::Orange;
            outside = true;
        }
    };

    judge(verdict.start,
          CheckStart(shown.bytOptieStart, shown.bytStartBA, shown.intStartAbs, shown.intStartRel,
                     shown.intStartBA),
          [&] {
              return checklist.VerifyCL_JaarStart(shown.bytOptieStart, shown.bytStartBA, shown.intStartAbs,
                                                  shown.intStartRel, shown.intStartBA, aftercareStart);
          });
    if (numericValue(shown.bytOptieFreq) != FrequencyOption::OneOff) {
        judge(verdict.end,
              CheckEind(shown.bytOptieEind, shown.bytEindBA, shown.intEindAbs, shown.intEindRel,
                        shown.intEindBA),
              [&] {
                  return checklist.VerifyCL_JaarEind(shown.bytOptieEind, shown.bytEindBA, shown.intEindAbs,
                                                     shown.intEindRel, shown.intEindBA, aftercareStart);
              });
    }
    judge(verdict.frequency, CheckFreq(shown.bytOptieFreq, shown.intFreqX),
          [&] { return checklist.VerifyCL_Freq(shown.bytOptieFreq, shown.intFreqX); });
    judge(verdict.cost,
          CheckKosten(shown.bytOptieKosten, shown.sngPercInvest, shown.sngKostenInvest, shown.sngKostenTotaal,
                      shown.sngKostenPE, shown.strEenheid, shown.sngAantal),
          [&] {
              return checklist.VerifyCL_Kosten(shown.bytOptieKosten, shown.sngPercInvest,
                                               shown.sngKostenInvest, shown.sngKostenTotaal,
                                               shown.sngKostenPE, shown.strEenheid, shown.sngAantal);
          });
    judge(verdict.surcharge,
          CheckToeslag(gediffToeslag, shown.bytRubriek_REF, shown.bytTypeVervangingsToeslag,
                       shown.sngVervangingsToeslagPerc),
          [&] {
              return checklist.VerifyCL_VervangingsToeslag(
                  shown.bytRubriek_REF, shown.bytTypeVervangingsToeslag, shown.sngVervangingsToeslagPerc);
          });

    if (!fromChecklist)
        verdict.conformity = Conformity::UserDefined;
    else
        verdict.conformity = outside ? Conformity::OutsideCriteria : Conformity::WithinCriteria;
    verdict.indicatorText = conformityText(verdict.conformity);
    return verdict;
}

} // namespace dovra
