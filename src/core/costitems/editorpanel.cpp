#include "costitems/editorpanel.h"

#include "model/options.h"
#include "model/rawvalue.h"

namespace dovra {

namespace {

int code(const QVariant& value)
{
    return int(numericValue(value).value_or(0));
}

bool checked(const QVariant& value)
{
    return code(value) == 1;
}

} // namespace

PanelLayout panelLayout(const CostItemValues& shown, const PanelContext& context)
{
    PanelLayout layout;
    const bool startBA = checked(shown.bytStartBA);
    const bool oneOff = code(shown.bytOptieFreq) == FrequencyOption::OneOff;

    layout.startCalendarBox = code(shown.bytOptieStart) == StartOption::CalendarYear;
    layout.startAftercareBox = code(shown.bytOptieStart) == StartOption::AftercareYear;
    layout.startCaptions =
        startBA ? std::array<QString, 2>{QStringLiteral("kalenderjaar aanleg bovenafd."),
                                         QStringLiteral("nazorgjaar aanleg bovenafd.")}
                : std::array<QString, 2>{QStringLiteral("kalenderjaar"), QStringLiteral("nazorgjaar")};
    layout.startConstructionBox = startBA;
    layout.startFrameCaption =
        oneOff ? QStringLiteral("Jaar eenmalige uitgave") : QStringLiteral("Startjaar");

    const bool endBA = checked(shown.bytEindBA) && startBA && !oneOff;
    layout.endEnabled = !oneOff;
    layout.endConstructionCheck = startBA && !oneOff;
    layout.endOptionsShown = !endBA;
    layout.endCalendarBox = !endBA && code(shown.bytOptieEind) == EndOption::CalendarYear;
    layout.endAftercareBox = !endBA && code(shown.bytOptieEind) == EndOption::AftercareYear;
    layout.endConstructionBox = endBA;

    const int frequency = code(shown.bytOptieFreq);
    layout.frequencyX =
        frequency == FrequencyOption::TimesPerYear || frequency == FrequencyOption::OnceEveryXYears;
    layout.frequencyXBeside = layout.frequencyX ? frequency : 0;

    const int cost = code(shown.bytOptieKosten);
    layout.percentage = layout.investment = cost == CostOption::PercentageOfInvestment;
    layout.total = cost == CostOption::TotalAmount;
    layout.unitPrice = cost == CostOption::PerUnit;
    layout.unitFrame = cost == CostOption::PerUnit;

    const int surcharge = code(shown.bytTypeVervangingsToeslag);
    layout.surchargeEnabled = code(shown.bytRubriek_REF) == ReplacementRubric && context.gediffToeslag;
    if (layout.surchargeEnabled) {
        if (!context.checklistSurchargeType) {
            layout.surchargeOptions = {true, true, true};
        } else {
            switch (*context.checklistSurchargeType) {
            case SurchargeType::None:
                layout.surchargeEnabled = false;
                break;
            case SurchargeType::TopLiner:
            case SurchargeType::LargeWork:
            case SurchargeType::SmallWork:
                layout.surchargeOptions[*context.checklistSurchargeType - 1] = true;
                break;
            case SurchargeType::ToBeChosen:
                layout.surchargeOptions = {false, true, true};
                break;
            default:
                layout.unknownSurchargeType = true;
                break;
            }
        }
    }
    if (layout.surchargeEnabled && surcharge == SurchargeType::TopLiner) {
        // The top liner surcharge is computed from square metres.
        layout.costOptions = {false, false, true};
        layout.unitBox = false;
    }
    layout.surchargePercentage = layout.surchargeEnabled && (surcharge == SurchargeType::LargeWork ||
                                                             surcharge == SurchargeType::SmallWork);
    layout.surchargePercentageBeside = layout.surchargePercentage ? surcharge : 0;

    layout.combineEnabled = context.combinationAllowed;
    layout.optionFramesShown = !(checked(shown.bytCombineer) && context.combinationAllowed);
    if (!layout.optionFramesShown)
        layout.unitFrame = false;
    return layout;
}

void chooseFrequency(CostItemValues& shown, int frequency)
{
    shown.bytOptieFreq = frequency;
    if (frequency == FrequencyOption::OneOff) {
        shown.bytOptieEind = EndOption::Perpetual;
        shown.bytEindBA = 0;
    }
}

void chooseStartFromConstruction(CostItemValues& shown, bool checked)
{
    shown.bytStartBA = checked ? 1 : 0;
    if (!checked)
        shown.bytEindBA = 0;
}

void chooseSurcharge(CostItemValues& shown, int type, const clsCL& checklist)
{
    shown.bytTypeVervangingsToeslag = type;
    switch (type) {
    case SurchargeType::TopLiner:
        shown.bytOptieKosten = CostOption::PerUnit;
        shown.strEenheid = QStringLiteral("m2");
        break;
    case SurchargeType::LargeWork:
        shown.sngVervangingsToeslagPerc = (checklist.sngVervangingstoeslagGroteWerkenMin() +
                                           checklist.sngVervangingstoeslagGroteWerkenMax()) /
                                          2;
        break;
    case SurchargeType::SmallWork:
        shown.sngVervangingsToeslagPerc = checklist.sngVervangingstoeslagKleineWerken();
        break;
    default:
        break;
    }
}

NarrativeInput narrativeInputOf(const CostItemValues& shown, const QString& name, bool complete,
                                double aftercareStart)
{
    NarrativeInput input;
    input.combined = checked(shown.bytCombineer);
    input.complete = complete;
    input.startOption = code(shown.bytOptieStart);
    input.endOption = code(shown.bytOptieEind);
    input.costOption = code(shown.bytOptieKosten);
    input.frequencyOption = code(shown.bytOptieFreq);
    input.startFromConstruction = checked(shown.bytStartBA);
    input.endFromConstruction = checked(shown.bytEindBA);
    input.name = name;
    input.intStartAbs = shown.intStartAbs;
    input.intStartRel = shown.intStartRel;
    input.intStartBA = shown.intStartBA;
    input.intEindAbs = shown.intEindAbs;
    input.intEindRel = shown.intEindRel;
    input.intEindBA = shown.intEindBA;
    input.intFreqX = shown.intFreqX;
    input.sngPercInvest = shown.sngPercInvest;
    input.sngKostenInvest = shown.sngKostenInvest;
    input.sngKostenTotaal = shown.sngKostenTotaal;
    input.sngKostenPE = shown.sngKostenPE;
    input.sngAantal = shown.sngAantal;
    input.aftercareStart = float(aftercareStart);
    return input;
}

QString invalidInputMessage(const QString& label)
{
    return QStringLiteral(
               "U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: \r\n\t---> ") +
           label + QStringLiteral("\r\n\r\nKlik op OK en voer alsnog een geldige waarde in.");
}

QString invalidInputTitle()
{
    return QStringLiteral("Geen of ongeldige invoer");
}

ChecklistInfo editorChecklistInformation(clsCL& checklist, const CostItemValues& shown, bool gediffToeslag)
{
    QString explanation;
    if (gediffToeslag && code(shown.bytRubriek_REF) == ReplacementRubric) {
        switch (code(shown.bytTypeVervangingsToeslag)) {
        case SurchargeType::TopLiner:
            explanation = QStringLiteral(
                " Over deze vervangingspost berekent DOVRA de toeslag 'Bovenafdichting' voor ontwerp, "
                "directievoering en toezicht o.b.v. het aantal m2, conform bijlage 2 paragraaf 1.8 uit de "
                "Checklist.");
            break;
        case SurchargeType::LargeWork:
        case SurchargeType::SmallWork:
        case SurchargeType::ToBeChosen:
            explanation = QStringLiteral(" Op deze vervangingspost is een toeslag voor directievoering en "
                                         "toezicht van toepassing. Deze "
                                         "kan liggen tussen 5% voor een klein werk tot 6-6,5% voor een groot "
                                         "werk. Zie Checklistbijlage 2, "
                                         "paragraaf 1.8, alinea 'Grote werken'.");
            break;
        default:
            break;
        }
    }
    ChecklistInfo surcharge;
    if (!explanation.isEmpty())
        surcharge = {{ChecklistInfoEntry::Kind::Heading, QStringLiteral("Toeslag vervanging:")},
                     {ChecklistInfoEntry::Kind::Value, explanation}};
    return checklistInformation(checklist, shown.lngClitem_REF, code(shown.bytIsTALVO), surcharge);
}

} // namespace dovra
