#include "reports/versioncomparison.h"

#include "base/formats.h"
#include "checklist/clsCL.h"
#include "checklist/versionchange.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "facility/clsStort.h"
#include "model/options.h"
#include "reports/reportwriter.h"
#include "storage/lookups.h"

namespace dovra::report {

namespace {

constexpr double TextPt = 8;
constexpr double SmallPt = 7;

Run coloured(const QString& text, std::optional<unsigned> colour)
{
    Run run = Run::plain(text);
    run.colour = colour;
    return run;
}

// One of the four parts: it knows whether anything was written, so that an empty part gets its notice.
class Part
{
public:
    explicit Part(ReportWriter& writer) : m_writer(writer) {}

    void line(const QList<Run>& runs, double sizePt = TextPt)
    {
        m_writer.paragraph(Paragraph(runs, sizePt));
        m_written = true;
    }
    void line(const QString& text, std::optional<unsigned> colour = {}) { line({coloured(text, colour)}); }
    void blank() { line(QString()); }
    // The old value, two blanks and the new value in blue.
    void pair(const QString& label, const QString& oldValue, const QString& newValue)
    {
        line({Run::plain(label + oldValue + QStringLiteral("  ")), coloured(newValue, Blue)});
    }
    void noticeWhenEmpty(const QString& notice)
    {
        if (!m_written)
            m_writer.paragraph(Paragraph(notice, TextPt));
    }

private:
    ReportWriter& m_writer;
    bool m_written = false;
};

QString euro(float amount)
{
    return formats::number(amount, QStringLiteral("€ #,##0"));
}

QString euroRange(float min, float max)
{
    return euro(min) + QStringLiteral(" - ") + euro(max);
}

QString communicationCosts(const clsCL& version)
{
    if (version.sngCommunicatieMAX() == clsCL::PerItemSurcharges)
        return QStringLiteral("  ten minste ") + euro(version.sngCommunicatieMIN());
    return euroRange(version.sngCommunicatieMIN(), version.sngCommunicatieMAX());
}

QString designPercentage(const clsCL& version)
{
    if (version.GebruikGedifferentieerdeToeslagB())
        return QStringLiteral(" Geen overall vast percentage van toepassing");
    return formats::number(version.sngOntwerpdirectieFixed(), QStringLiteral("0.0%"));
}

// The line of each version parameter that differs. A version without a maximum or a fixed percentage
// reads so on either side of the pair.
void writeParameters(Part& part, const clsCL& old, const clsCL& current)
{
    if (old.intJaarPrijspeil() != current.intJaarPrijspeil())
        part.pair(QStringLiteral("Jaar prijspeil: "), QString::number(old.intJaarPrijspeil()),
                  QString::number(current.intJaarPrijspeil()));
    if (old.sngOnvoorzien() != current.sngOnvoorzien())
        part.pair(QStringLiteral("Percentage onvoorzien: "),
                  formats::number(old.sngOnvoorzien(), QStringLiteral("0.0%")),
                  formats::number(current.sngOnvoorzien(), QStringLiteral("0.0%")));
    if (old.sngOntwerpdirectieFixed() != current.sngOntwerpdirectieFixed())
        part.pair(QStringLiteral("Percentage ontwerp/directie: "), designPercentage(old),
                  designPercentage(current));
    if (old.sngCommunicatieMIN() != current.sngCommunicatieMIN() ||
        old.sngCommunicatieMAX() != current.sngCommunicatieMAX())
        part.pair(QStringLiteral("Communicatiekosten: "), communicationCosts(old),
                  communicationCosts(current));
    if (old.sngRapEvalPerHa() != current.sngRapEvalPerHa())
        part.pair(QStringLiteral("Rapportage- en evaluatiekosten: hectare-prijs: "),
                  euro(old.sngRapEvalPerHa()), euro(current.sngRapEvalPerHa()));
    if (old.sngRapEvalMin() != current.sngRapEvalMin() || old.sngRapEvalMax() != current.sngRapEvalMax())
        part.pair(QStringLiteral("Rapportage- en evaluatiekosten: onder/bovengrens: "),
                  euroRange(old.sngRapEvalMin(), old.sngRapEvalMax()),
                  euroRange(current.sngRapEvalMin(), current.sngRapEvalMax()));
    if (old.sngAppKostenPerc() != current.sngAppKostenPerc())
        part.pair(QStringLiteral("Algemene apparaatskosten: percentage van NCW (A+B): "),
                  formats::number(old.sngAppKostenPerc(), QStringLiteral("0.00%")),
                  formats::number(current.sngAppKostenPerc(), QStringLiteral("0.00%")));
    if (old.sngAppKostenBasisMIN() != current.sngAppKostenBasisMIN() ||
        old.sngAppKostenBasisMAX() != current.sngAppKostenBasisMAX())
        part.pair(QStringLiteral("Algemene apparaatskosten: onder/bovengrens: "),
                  euroRange(old.sngAppKostenBasisMIN(), old.sngAppKostenBasisMAX()),
                  euroRange(current.sngAppKostenBasisMIN(), current.sngAppKostenBasisMAX()));
}

// The current item of a version as a heading line.
QString itemHeading(const clsCL& version)
{
    return version.Voorziening() + QStringLiteral(" : ") + version.OmschrijvingEx() +
           QStringLiteral(" (rubriek ") + version.Rubriek().toLower() + u')';
}

// Each difference of an item that both versions have (their current items), after the item's heading.
void writeChangedItem(Part& part, const clsCL& old, const clsCL& current)
{
    bool headed = false;
    const auto change = [&](const QList<Run>& runs) {
        if (!headed) {
            part.blank();
            part.line(itemHeading(old));
            headed = true;
        }
        part.line(runs);
    };
    const auto renamed = [&](const QString& label, const QString& oldValue, const QString& newValue) {
        if (oldValue != newValue)
            change({Run::plain(label), coloured(newValue, Blue)});
    };
    const auto criterion = [&](const QString& label, const QString& oldText, const QString& newText) {
        if (oldText != newText)
            change({Run::plain(label + oldText + QStringLiteral("  ")), coloured(newText, Blue)});
    };
    renamed(QStringLiteral("Naam voorziening is gewijzigd tot: "), old.Voorziening(), current.Voorziening());
    renamed(QStringLiteral("Omschrijving kostenpost is gewijzigd tot: "), old.OmschrijvingEx(),
            current.OmschrijvingEx());
    renamed(QStringLiteral("Rubriek is gewijzigd tot : "), old.Rubriek(), current.Rubriek());
    renamed(QStringLiteral("Voorzieningencategorie is gewijzigd tot : "),
            ObjectCategoryName(old.bytObjectCat_ID().value_or(0)),
            ObjectCategoryName(current.bytObjectCat_ID().value_or(0)));
    criterion(QStringLiteral("Startjaar: "), old.strStartJaarToelichting(),
              current.strStartJaarToelichting());
    criterion(QStringLiteral("Eindjaar: "), old.strEindJaarToelichting(), current.strEindJaarToelichting());
    criterion(QStringLiteral("Periodiciteit: "), old.strFreqXtoelichting(), current.strFreqXtoelichting());
    criterion(QStringLiteral("Kosten: "), old.strKostenToelichting(), current.strKostenToelichting());
}

// An item one version has and the other not, with its criteria in a smaller font.
void writeWholeItem(Part& part, const clsCL& version, unsigned colour)
{
    part.blank();
    part.line(itemHeading(version), colour);
    const auto criterion = [&](const QString& label, const QString& text) {
        part.line({coloured(label + text, colour)}, SmallPt);
    };
    criterion(QStringLiteral("Startjaar : "), version.strStartJaarToelichting());
    criterion(QStringLiteral("Eindjaar : "), version.strEindJaarToelichting());
    criterion(QStringLiteral("Periodiciteit : "), version.strFreqXtoelichting());
    criterion(QStringLiteral("Kosten : "), version.strKostenToelichting());
}

void writeChecklistParts(Part& changed, Part& added, Part& removed, clsCL& old, clsCL& current)
{
    for (old.movefirst_rsCLitem(); !old.EOF_rsCLitem(); old.movenext_rsCLitem()) {
        if (current.GaNaarItem(old.lngCLitem_ID()))
            writeChangedItem(changed, old, current);
        else
            writeWholeItem(removed, old, Red);
    }
    for (current.movefirst_rsCLitem(); !current.EOF_rsCLitem(); current.movenext_rsCLitem()) {
        if (!old.GaNaarItem(current.lngCLitem_ID()))
            writeWholeItem(added, current, Blue);
    }
}

void writePriceLevel(Part& part, const clsStort& facility, int newYear, float factor)
{
    const QString oldYear = QString::number(facility.JaarPrijsPeil());
    if (facility.JaarPrijsPeil() == newYear)
        return;
    if (factor != 1) {
        part.line(QStringLiteral("Alle ingevoerde kosten worden omgerekend van prijspeil ") + oldYear +
                  QStringLiteral(" naar ") + QString::number(newYear) + QStringLiteral(" (factor ") +
                  formats::ordinaryText(factor) + QStringLiteral("). "));
        part.blank();
        part.pair(QStringLiteral("Risicobedrag (prijspeilcorrectie): "), euro(facility.RisicoBedrag()),
                  euro(facility.RisicoBedrag() * factor));
    } else {
        part.line(QStringLiteral("Let op: er wordt geen automatische prijspeilcorrectie gedaan van ") +
                      oldYear + QStringLiteral(" naar ") + QString::number(newYear) +
                      QStringLiteral(". U dient de door u ingevoerde prijzen na te lopen en zo nodig aan te "
                                     "passen. "),
                  Blue);
        part.blank();
    }
}

// What the change does to the current cost item, one line each; its amounts are converted in memory only.
QStringList costItemLines(clsAct& items, clsVoorz& provisions, clsCL& version, float factor,
                          double aftercareStart)
{
    if (!version.GaNaarItem(*checklistItemReference(items.field(QStringLiteral("lngClitem_REF")))))
        return {QStringLiteral("- wordt een gebruikergedefinieerde post.")};
    QStringList lines;
    const NameChanges names =
        nameChanges(items, provisions.VoorzieningNaam(), provisions.bytObjectCat_ID(), version);
    if (names.provision)
        lines.append(QStringLiteral("- naam voorziening wordt gewijzigd tot '") + *names.provision + u'\'');
    if (names.costItem)
        lines.append(QStringLiteral("- omschrijving kostenpost wordt gewijzigd tot '") + *names.costItem +
                     u'\'');
    if (names.rubric)
        lines.append(QStringLiteral("- rubriek wordt '") + RubriekNaam(*names.rubric) + u'\'');
    if (names.category)
        lines.append(QStringLiteral("- wordt ingedeeld onder '") + ObjectCategoryName(*names.category) +
                     u'\'');

    items.multiplyCostBy(factor);
    const int code = items.IsTALVO();
    const int after = conformityAfterChange(code, items.ToetsAanNieuweCL(version, aftercareStart),
                                            items.verify_ansich(version.GebruikGedifferentieerdeToeslagB()));
    if (code == Conformity::WithinCriteria && after == Conformity::OutsideCriteria)
        lines.append(QStringLiteral("- voldoet niet langer aan de criteria uit de TALVO-checklist."));
    else if (code == Conformity::OutsideCriteria && after == Conformity::WithinCriteria)
        lines.append(
            QStringLiteral("- voldeed niet, maar voldoet nu wel aan de criteria uit de TALVO-checklist."));
    else if (code == Conformity::UserDefined)
        lines.append(
            QStringLiteral("- was voorheen een checklistpost, is daarna door wijziging van checklistversie "
                           "een gebruikergedefinieerde post geworden, en wordt nu weer een checklistpost."));
    return lines;
}

bool writeCostItems(Part& part, clsAct& items, clsVoorz& provisions, clsCL& version, float factor,
                    double aftercareStart)
{
    if (!items.initialize() || !provisions.initialize())
        return false;
    for (items.moveFirst(); !items.EOF_(); items.moveNext()) {
        if (!checklistItemReference(items.field(QStringLiteral("lngClitem_REF"))))
            continue;
        provisions.ActiveerID(items.Voorz_ID());
        const QString heading = provisions.VoorzieningNaam() + QStringLiteral(" : ") + items.strActHuidig() +
                                QStringLiteral(" (rubriek ") + items.Rubriek().toLower() + u')';
        const QStringList lines = costItemLines(items, provisions, version, factor, aftercareStart);
        if (lines.isEmpty())
            continue;
        part.line({Run::boldText(heading)});
        for (const QString& line : lines)
            part.line(line);
        part.blank();
    }
    return true;
}

} // namespace

ComparisonCaptions comparisonCaptions(const QString& entryText)
{
    const QString opening = QStringLiteral("Checklistposten die in checklistversie ") + entryText;
    return {opening + QStringLiteral(" zijn gewijzigd:"), opening + QStringLiteral(" zijn toegevoegd:"),
            opening + QStringLiteral(" niet meer voorkomen:"),
            QStringLiteral("Gevolgen voor de inrichting:")};
}

VersionComparison writeVersionComparison(Workspace& workspace, long facilityId, int newVersion,
                                         const ComparisonSections& sections)
{
    VersionComparison comparison;
    clsStort facility(workspace);
    clsCL old(workspace);
    clsCL current(workspace);
    if (!facility.initializeStort(facilityId)) {
        comparison.failure = QStringLiteral("De inrichting kan niet worden gelezen.");
        return comparison;
    }
    if (!old.initializeCL(int(facility.checklist_ID())) || !current.initializeCL(newVersion) ||
        current.intCl_ID() != newVersion) {
        comparison.failure = QStringLiteral("Checklistversie %1 kan niet worden gelezen.").arg(newVersion);
        return comparison;
    }
    comparison.factor = priceLevelFactor(workspace, facility.JaarPrijsPeil(), current.intJaarPrijspeil());

    Part changed(sections.changed);
    Part added(sections.added);
    Part removed(sections.removed);
    Part consequences(sections.consequences);
    writeParameters(changed, old, current);
    writeChecklistParts(changed, added, removed, old, current);
    writePriceLevel(consequences, facility, current.intJaarPrijspeil(), comparison.factor);
    clsAct items(workspace, facilityId);
    clsVoorz provisions(workspace, facilityId);
    if (!writeCostItems(consequences, items, provisions, current, comparison.factor,
                        facility.AanvangNazorgGebrokenJaar())) {
        comparison.failure = QStringLiteral("De kostenposten van de inrichting kunnen niet worden gelezen.");
        return comparison;
    }
    consequences.noticeWhenEmpty(QStringLiteral("<er hoeven geen aanpassingen worden doorgevoerd>"));
    changed.noticeWhenEmpty(QStringLiteral("<er zijn geen posten gewijzigd in de checklist>"));
    added.noticeWhenEmpty(QStringLiteral("<er zijn geen posten toegevoegd in de checklist>"));
    removed.noticeWhenEmpty(QStringLiteral("<er zijn geen posten verwijderd uit de checklist>"));
    return comparison;
}

} // namespace dovra::report
