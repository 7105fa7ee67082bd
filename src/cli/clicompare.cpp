#include "clicompare.h"

#include "calc/facilitycomparison.h"
#include "cli.h"
#include "exchange/facilitystates.h"
#include "jsonwriter.h"
#include "reports/comparisonreport.h"
#include "reports/formats/screenreport.h"

#include <QFileInfo>

namespace dovra {

namespace {

void writeFields(JsonWriter& json, const QString& key, const std::vector<FieldDifference>& fields)
{
    json.beginArray(key);
    for (const FieldDifference& field : fields)
        json.beginObject()
            .value(QStringLiteral("veld"), field.field)
            .value(QStringLiteral("eerder"), field.before)
            .value(QStringLiteral("nu"), field.now)
            .endObject();
    json.endArray();
}

void writeNames(JsonWriter& json, const QString& key, const QStringList& names)
{
    json.beginArray(key);
    for (const QString& name : names)
        json.element(QVariant(name));
    json.endArray();
}

// A present value; null for a state that was not calculated.
QVariant presentValue(std::optional<float> value)
{
    return value ? QVariant(*value) : QVariant();
}

void writeItems(JsonWriter& json, const FacilityComparison& comparison, ItemDifference::Kind kind,
                const QString& key)
{
    json.beginArray(key);
    for (const ItemDifference& item : comparison.items) {
        if (item.kind != kind)
            continue;
        json.beginObject()
            .value(QStringLiteral("strAct"), item.act)
            .value(QStringLiteral("strVoorz"), item.provision);
        if (kind == ItemDifference::Kind::Changed) {
            writeFields(json, QStringLiteral("velden"), item.fields);
            json.value(QStringLiteral("contanteWaardeEerder"), presentValue(item.before))
                .value(QStringLiteral("contanteWaardeNu"), presentValue(item.now));
        } else {
            json.value(QStringLiteral("contanteWaarde"), presentValue(item.now ? item.now : item.before));
        }
        json.endObject();
    }
    json.endArray();
}

void writeTotals(JsonWriter& json, const QString& key, const ComparedTotals& totals)
{
    if (!totals.calculated) {
        json.value(key, QVariant());
        return;
    }
    json.beginObject(key)
        .value(QStringLiteral("somA"), totals.somA)
        .value(QStringLiteral("somB"), totals.somB)
        .value(QStringLiteral("somC"), totals.somC)
        .value(QStringLiteral("DoelvermogenMetRisicoFonds"), totals.doelvermogen)
        .value(QStringLiteral("HeffingPerTon_prijspeil_tRef"),
               totals.levy ? QVariant(*totals.levy) : QVariant())
        .endObject();
}

double euro(qint64 cents)
{
    return double(cents) / 100;
}

QString comparisonJson(const FacilityComparison& comparison)
{
    JsonWriter json;
    json.beginObject();
    writeFields(json, QStringLiteral("inrichting"), comparison.facility);
    json.beginObject(QStringLiteral("voorzieningen"));
    writeNames(json, QStringLiteral("toegevoegd"), comparison.provisionsAdded);
    writeNames(json, QStringLiteral("verwijderd"), comparison.provisionsRemoved);
    json.beginArray(QStringLiteral("hernoemd"));
    for (const auto& [old, name] : comparison.provisionsRenamed)
        json.beginObject().value(QStringLiteral("eerder"), old).value(QStringLiteral("nu"), name).endObject();
    json.endArray().endObject().beginObject(QStringLiteral("kostenposten"));
    writeItems(json, comparison, ItemDifference::Kind::Added, QStringLiteral("toegevoegd"));
    writeItems(json, comparison, ItemDifference::Kind::Removed, QStringLiteral("verwijderd"));
    writeItems(json, comparison, ItemDifference::Kind::Changed, QStringLiteral("gewijzigd"));
    json.endObject().beginObject(QStringLiteral("totalen"));
    writeTotals(json, QStringLiteral("eerder"), comparison.before);
    writeTotals(json, QStringLiteral("nu"), comparison.now);
    json.endObject();
    if (const std::optional<DifferenceParts>& parts = comparison.difference)
        json.beginObject(QStringLiteral("verschil"))
            .value(QStringLiteral("totaal"), euro(parts->total))
            .value(QStringLiteral("rentes"), euro(parts->rates))
            .value(QStringLiteral("toeslagen"), euro(parts->surcharges))
            .value(QStringLiteral("kostenposten"), euro(parts->items))
            .endObject();
    else
        json.value(QStringLiteral("verschil"), QVariant());
    return json.endObject().text();
}

} // namespace

int printComparison(Workspace& workspace, long facilityId, const QString& path, long otherId,
                    float vatPercentage, bool json, QTextStream& out)
{
    std::optional<FacilityState> earlier;
    QString earlierName;
    if (!path.isEmpty()) {
        if (!QFileInfo(path).isFile())
            return fail(out, QStringLiteral("Het bestand '") + path + QStringLiteral("' is niet gevonden."));
        ExportedState read = readExportedState(workspace, facilityId, path);
        if (!read.state)
            return fail(out, QStringLiteral("Het bestand '") + path +
                                 QStringLiteral("' kan niet worden vergeleken: ") + read.error);
        earlier = std::move(read.state);
        earlierName = QStringLiteral("het bestand ") + path;
    } else {
        earlier = readFacilityState(workspace, otherId);
        if (!earlier)
            return fail(out, QStringLiteral("Inrichting niet gevonden: ") + QString::number(otherId));
        earlierName = QStringLiteral("inrichting ") + earlier->name;
    }
    const std::optional<FacilityState> now = readFacilityState(workspace, facilityId);
    if (!now)
        return fail(out, QStringLiteral("Inrichting niet gevonden: ") + QString::number(facilityId));
    const FacilityComparison comparison = compareFacilityStates(*earlier, *now, vatPercentage);
    if (json) {
        out << comparisonJson(comparison);
    } else {
        report::ScreenReport text;
        report::writeComparison(text, comparison, now->name, earlierName, vatPercentage);
        out << text.plainText();
    }
    out.flush();
    return comparison.difference ? CliOk : CliFailed;
}

} // namespace dovra
