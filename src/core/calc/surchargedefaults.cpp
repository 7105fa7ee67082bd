#include "calc/surchargedefaults.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"

namespace dovra::surcharges {

namespace {

// The checklist marks a communication range without a maximum with this value.
constexpr float NoMaximum = -999.0f;

QString text(float value)
{
    return formats::ordinaryText(value);
}

// An amount in a help text: whole euros, grouped as every amount the program shows ("€ 4.000,-").
QString euros(float value)
{
    return QStringLiteral("€ ") + formats::number(value, QStringLiteral("#,##0")) + QStringLiteral(",-");
}

bool fillEmpty(clsStort& stort, const char* field, float value)
{
    const QString name = QLatin1String(field);
    if (stort.single(name))
        return false;
    stort.setField(name, value);
    return true;
}

} // namespace

float percentage(float fraction)
{
    return float(fraction * 100.0f);
}

bool fillDefaults(clsStort& stort, const clsCL& checklist)
{
    const float communication =
        checklist.sngCommunicatieMAX() == NoMaximum
            ? checklist.sngCommunicatieMIN()
            : float((checklist.sngCommunicatieMIN() + checklist.sngCommunicatieMAX()) / 2.0f);
    bool changed = false;
    changed |= fillEmpty(stort, "sngAlgAppKostenBasis",
                         float((checklist.sngAppKostenBasisMIN() + checklist.sngAppKostenBasisMAX()) / 2.0f));
    changed |= fillEmpty(stort, "sngAppKostenPerc", percentage(checklist.sngAppKostenPerc()));
    changed |= fillEmpty(stort, "sngOnvoorzien", percentage(checklist.sngOnvoorzien()));
    changed |= fillEmpty(stort, "sngRapEvalMin", checklist.sngRapEvalMin());
    changed |= fillEmpty(stort, "sngRapEvalPerHa", checklist.sngRapEvalPerHa());
    changed |= fillEmpty(stort, "sngRapEvalMax", checklist.sngRapEvalMax());
    changed |= fillEmpty(stort, "sngAlgCommunicatieKosten", communication);
    if (checklist.GebruikGedifferentieerdeToeslagB()) {
        // The surcharge is set per replacement item; a single rate would be counted twice.
        const QString design = QStringLiteral("sngOntwerpdirectie");
        if (stort.single(design) != 0.0f) {
            stort.setField(design, 0.0f);
            changed = true;
        }
    } else {
        changed |= fillEmpty(stort, "sngOntwerpdirectie", percentage(checklist.sngOntwerpdirectieFixed()));
    }
    return changed;
}

bool optionMissing(const clsStort& stort)
{
    return stort.single(QStringLiteral("sngNazorgOpp")).has_value() && stort.OptieRapEval() == 0;
}

bool updateOption(clsStort& stort, const clsCL& checklist)
{
    const int option = checklist.CalcOptieRapEval(stort.field(QStringLiteral("sngNazorgOpp")));
    if (option == stort.OptieRapEval())
        return false;
    stort.setField(QStringLiteral("bytRapEval"), option);
    return true;
}

QString optionCaption(int option, const clsCL& checklist)
{
    switch (option) {
    case 1:
        return QStringLiteral("kleiner dan 10 ha");
    case 2:
        return QStringLiteral("tussen 10 ha en ") + text(checklist.AantalHaGrens()) + QStringLiteral(" ha");
    case 3:
        return QStringLiteral("meer dan ") + text(checklist.AantalHaGrens()) + QStringLiteral(" ha");
    default:
        return QStringLiteral("onbekend");
    }
}

QString communicationHelp(const clsCL& checklist)
{
    if (checklist.sngCommunicatieMAX() == NoMaximum)
        return QStringLiteral("Voer een bedrag voor 'Communicatie' in van ten minste ") +
               euros(checklist.sngCommunicatieMIN()) + QStringLiteral(" per nazorgjaar.") +
               QStringLiteral("\r\n") + QStringLiteral("Alleen van toepassing voor complexe gevallen.");
    return QStringLiteral("Voer een bedrag voor 'Communicatie' in tussen ") +
           euros(checklist.sngCommunicatieMIN()) + QStringLiteral(" en ") +
           euros(checklist.sngCommunicatieMAX()) + QStringLiteral("\r\n") +
           QStringLiteral("per nazorgjaar. Alleen van toepassing voor complexe gevallen.");
}

QString apparatusHelp(const clsCL& checklist)
{
    return QStringLiteral("De apparaatskosten worden berekend als een basisbedrag plus een percentage van de "
                          "som van jaarlijkse en vervangingskosten.") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Voer een basisbedrag in tussen ") +
           euros(checklist.sngAppKostenBasisMIN()) + QStringLiteral(" en ") +
           euros(checklist.sngAppKostenBasisMAX()) + QStringLiteral(" per nazorgjaar.");
}

QString apparatusPercentageHelp()
{
    return QStringLiteral("Voer een waarde voor het hierboven beschreven percentage in.");
}

QString reportingHelp(const clsCL& checklist)
{
    return QStringLiteral("De kosten voor rapportage en evaluatie bedragen ") +
           euros(checklist.sngRapEvalMin()) + QStringLiteral(" per jaar voor de eerste 10 ha, daarna ") +
           euros(checklist.sngRapEvalPerHa()) +
           QStringLiteral(" per ha nazorgoppervlak per jaar tot een maximumbedrag van ") +
           euros(checklist.sngRapEvalMax()) + QStringLiteral(".");
}

QString designExplanation()
{
    return QStringLiteral("Bij deze checklistversie worden toeslagen voor ontwerp/directie/toezicht per "
                          "vervangingspost bepaald in invoerscherm 'Voorzieningen en kostenposten'.") +
           QStringLiteral("\r\n") + QStringLiteral("Zie paragraaf 3.4.2 van de handleiding.");
}

Deviations deviations(const clsStort& stort, const clsCL& checklist)
{
    Deviations result;
    result.apparatusBase = !checklist.verifyCL_AppKostenBasis(stort.AppKostenBasis());
    result.apparatusPercentage = stort.AppKostenBasisPerc() != percentage(checklist.sngAppKostenPerc());
    result.unforeseen = stort.Onvoorzien() != percentage(checklist.sngOnvoorzien());
    result.design = !checklist.GebruikGedifferentieerdeToeslagB() &&
                    stort.OntwerpdirectieFixed() != percentage(checklist.sngOntwerpdirectieFixed());
    result.communication = !checklist.verifyCL_CommKosten(stort.CommunicatieKosten());
    result.reporting = !checklist.verifyCL_RapEvalPerHa(int(stort.OptieRapEval()), stort.RapEvalMin(),
                                                        stort.RapEvalPerHa(), stort.RapEvalMax());
    return result;
}

std::optional<float> readAmount(const QString& text, const QLocale& locale)
{
    QString number = text;
    number.remove(QChar(0x20AC));
    bool ok = false;
    const double value = locale.toDouble(number.trimmed(), &ok);
    return ok ? std::optional<float>(float(value)) : std::nullopt;
}

std::optional<float> readDecimal(const QString& text, const QLocale& locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text.trimmed(), &ok);
    return ok ? std::optional<float>(float(value)) : std::nullopt;
}

namespace {

std::optional<float> told(std::optional<float> value, const QString& title)
{
    if (!value)
        messages().inform(QStringLiteral("Vul een waarde in."), title, MessageIcon::Exclamation);
    return value;
}

bool areaAccepted(std::optional<float> area)
{
    if (area && *area > 0.0f)
        return true;
    messages().inform(area ? QStringLiteral("Voer een nazorgoppervlak groter dan 0 in.")
                           : QStringLiteral("Voer een nazorgoppervlak in."),
                      QStringLiteral("Invoer nazorgoppervlak"), MessageIcon::Exclamation);
    return false;
}

} // namespace

std::optional<float> enteredAmount(const QString& text, const QString& title)
{
    return told(readAmount(text), title);
}

std::optional<float> enteredPercentage(const QString& text, const QString& title)
{
    return told(readDecimal(text), title);
}

std::optional<float> enteredApparatusPercentage(const QString& text, const QString& baseText)
{
    const std::optional<float> value = readAmount(baseText) ? readDecimal(text) : std::nullopt;
    return told(value, QStringLiteral("Percentage apparaatskosten"));
}

std::optional<float> enteredArea(const QString& text)
{
    const std::optional<float> area = readDecimal(text);
    return areaAccepted(area) ? area : std::nullopt;
}

bool checkStoredArea(const clsStort& stort)
{
    return areaAccepted(stort.single(QStringLiteral("sngNazorgOpp")));
}

} // namespace dovra::surcharges
