#include "cliversion.h"

#include "base/formats.h"
#include "checklist/versionchange.h"
#include "cli.h"
#include "facility/clsStort.h"
#include "facility/facilityvalidation.h"
#include "jsonwriter.h"
#include "reports/screenreport.h"
#include "reports/versioncomparison.h"

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

void writeChange(const ChecklistVersionEntry& chosen, const QString& facilityName,
                 const VersionChange& change, QTextStream& out)
{
    out << "Checklistversie " << chosen.text << " is van toepassing op inrichting '" << facilityName
        << "' (factor " << formats::ordinaryText(change.factor) << ").\n";
    out << "kostenpost\tbytIsTALVO\tbedrag\n";
    for (const VersionChange::CostItem& item : change.costItems)
        out << item.id << '\t' << item.oldConformity << " -> " << item.newConformity << '\t'
            << amountText(item.oldAmount) << " -> " << amountText(item.newAmount) << '\n';
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
        writeChange(*chosen, facility.NaamStort(), change, out);
    return CliOk;
}

} // namespace dovra
