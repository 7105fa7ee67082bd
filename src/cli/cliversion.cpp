#include "cliversion.h"

#include "base/formats.h"
#include "checklist/versionchange.h"
#include "cli.h"
#include "costitems/storedcostitems.h"
#include "facility/clsStort.h"
#include "facility/facilityvalidation.h"
#include "jsonwriter.h"
#include "model/options.h"
#include "reports/formats/screenreport.h"
#include "reports/reportwriter.h"
#include "reports/versioncomparison.h"
#include "storage/workspace.h"
#include "texttable.h"

#include <QHash>

namespace dovra {

namespace {

struct Comparison
{
    report::ScreenReport changed, added, removed, consequences;
    report::VersionComparison result;
};

QString amountText(const QVariant& amount)
{
    return amount.isNull() ? QStringLiteral("-") : formats::ordinaryText(float(amount.toDouble()));
}

void writeJson(const QList<ChecklistVersionEntry>& versions, const Comparison& comparison,
               const VersionChange* change, QTextStream& out)
{
    JsonWriter json;
    json.beginObject().beginArray(QStringLiteral("versies"));
    for (const ChecklistVersionEntry& version : versions)
        json.beginObject()
            .value(QStringLiteral("intCL_ID"), version.id)
            .value(QStringLiteral("tekst"), version.text)
            .endObject();
    json.endArray()
        .value(QStringLiteral("factor"), comparison.result.factor)
        .beginObject(QStringLiteral("rapport"))
        .value(QStringLiteral("gewijzigd"), comparison.changed.plainText())
        .value(QStringLiteral("toegevoegd"), comparison.added.plainText())
        .value(QStringLiteral("verwijderd"), comparison.removed.plainText())
        .value(QStringLiteral("gevolgen"), comparison.consequences.plainText())
        .endObject()
        .value(QStringLiteral("toegepast"), change != nullptr)
        .beginArray(QStringLiteral("kostenposten"));
    if (change) {
        for (const VersionChange::CostItem& item : change->costItems) {
            json.beginObject()
                .value(QStringLiteral("idrAct_ID"), qint64(item.id))
                .beginObject(QStringLiteral("oud"))
                .value(QStringLiteral("bytIsTALVO"), item.oldConformity)
                .value(QStringLiteral("bedrag"), item.oldAmount)
                .endObject()
                .beginObject(QStringLiteral("nieuw"))
                .value(QStringLiteral("bytIsTALVO"), item.newConformity)
                .value(QStringLiteral("bedrag"), item.newAmount)
                .endObject()
                .endObject();
        }
    }
    json.endArray().endObject();
    out << json.text();
}

void writeReport(const QList<ChecklistVersionEntry>& versions, const ChecklistVersionEntry& chosen,
                 const Comparison& comparison, QTextStream& out)
{
    out << "versies:\n";
    for (const ChecklistVersionEntry& version : versions)
        out << version.id << '\t' << version.text << '\n';
    out << "factor: " << formats::ordinaryText(comparison.result.factor) << "\n\n";
    const report::ComparisonCaptions captions = report::comparisonCaptions(chosen.text);
    out << captions.changed << '\n' << comparison.changed.plainText() << '\n';
    out << captions.added << '\n' << comparison.added.plainText() << '\n';
    out << captions.removed << '\n' << comparison.removed.plainText() << '\n';
    out << captions.consequences << '\n' << comparison.consequences.plainText();
}

// The conformity of a cost item as the report marks it.
QString originMark(int conformity)
{
    return report::symbolLookAlike(report::originSymbol(conformity));
}

// Per cost item, with its names after the change, its conformity and amount before and after.
void writeChange(Workspace& workspace, long facilityId, const ChecklistVersionEntry& chosen,
                 const QString& facilityName, const VersionChange& change, QTextStream& out)
{
    out << "Checklistversie " << chosen.text << " is van toepassing op inrichting '" << facilityName
        << "' (factor " << formats::ordinaryText(change.factor) << ").\n\n";
    const std::vector<StoredCostItem> items =
        readStoredCostItems(*workspace.dataDatabase(), facilityId).value_or(std::vector<StoredCostItem>());
    QHash<qint64, const StoredCostItem*> named;
    for (const StoredCostItem& item : items)
        named.insert(item.id, &item);
    using Align = TextTable::Align;
    TextTable table(
        {Align::Right, Align::Left, Align::Left, Align::Left, Align::Right, Align::Left, Align::Right});
    const QString arrow = QStringLiteral("\u2192");
    table.addRow({QStringLiteral("id"), QStringLiteral("voorziening"), QStringLiteral("kostenpost"),
                  QStringLiteral("herkomst"), QStringLiteral("bedrag oud"), QString(),
                  QStringLiteral("bedrag nieuw")});
    for (const VersionChange::CostItem& item : change.costItems) {
        const StoredCostItem* stored = named.value(item.id);
        table.addRow({QString::number(item.id), stored ? stored->object : QString(),
                      stored ? stored->act : QString(),
                      originMark(item.oldConformity) + QLatin1Char(' ') + arrow + QLatin1Char(' ') +
                          originMark(item.newConformity),
                      amountText(item.oldAmount), arrow, amountText(item.newAmount)});
    }
    table.write(out);
    // The report's legend of the marks.
    out << "\nVerklaring:\n"
        << originMark(Conformity::WithinCriteria) << ": TALVO-checklistpost, invoer voldoet aan criteria;\n"
        << originMark(Conformity::OutsideCriteria)
        << ": TALVO-checklistpost, invoer voldoet niet aan criteria;\n"
        << originMark(Conformity::UserDefined) << ": door de gebruiker gedefinieerde kostenpost.\n";
}

} // namespace

int runVersionChange(Workspace& workspace, long facilityId, std::optional<int> target, bool apply, bool json,
                     QTextStream& out)
{
    clsStort facility(workspace);
    if (!facility.initializeStort(facilityId))
        return CliUnusable;
    if (!ValidateFacilityInput(workspace, int(facilityId), facility.NaamStort()))
        return CliFailed;
    if (facility.field(QStringLiteral("intJaarPrijspeil")).isNull())
        return fail(out, versionChangeNeedsSurcharges(), CliFailed);
    const std::optional<QList<ChecklistVersionEntry>> versions =
        newerChecklistVersions(workspace, facility.intStortType(), int(facility.checklist_ID()));
    if (!versions)
        return fail(out, QStringLiteral("De checklistversies kunnen niet worden gelezen."), CliUnusable);
    if (versions->isEmpty())
        return fail(out, versionChangeNothingNewer(), CliFailed);
    const auto chosen = std::find_if(versions->begin(), versions->end(), [&](const ChecklistVersionEntry& v) {
        return !target || v.id == *target;
    });
    if (chosen == versions->end())
        return fail(
            out,
            QStringLiteral("Checklistversie %1 wordt voor deze inrichting niet aangeboden.").arg(*target),
            CliUnusable);

    Comparison comparison;
    comparison.result = report::writeVersionComparison(
        workspace, facilityId, chosen->id,
        {comparison.changed, comparison.added, comparison.removed, comparison.consequences});
    if (!comparison.result.failure.isEmpty())
        return fail(out, comparison.result.failure, CliFailed);
    if (!apply) {
        if (json)
            writeJson(*versions, comparison, nullptr, out);
        else
            writeReport(*versions, *chosen, comparison, out);
        return CliOk;
    }
    const VersionChange change = applyVersionChange(workspace, facilityId, chosen->id);
    if (!change.applied)
        return fail(out, versionChangeFailed() + QStringLiteral("\n") + change.failure, CliFailed);
    if (json)
        writeJson(*versions, comparison, &change, out);
    else
        writeChange(workspace, facilityId, *chosen, facility.NaamStort(), change, out);
    return CliOk;
}

} // namespace dovra
