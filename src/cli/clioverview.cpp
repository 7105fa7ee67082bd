#include "clioverview.h"

#include "base/datatext.h"
#include "base/formats.h"
#include "cli.h"
#include "jsonwriter.h"
#include "overview/overviewworkbook.h"
#include "storage/lookups.h"
#include "texttable.h"

namespace dovra {

namespace {

template <typename T> QVariant orNull(const std::optional<T>& value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariant dateOrNull(const std::optional<QDate>& date)
{
    return date ? QVariant(datatext::date(*date)) : QVariant();
}

QVariant momentOrNull(const std::optional<QDateTime>& moment)
{
    return moment ? QVariant(datatext::dateTime(*moment)) : QVariant();
}

void writeJson(const FacilityOverview& overview, QTextStream& out)
{
    JsonWriter json;
    json.beginObject().beginArray(QStringLiteral("inrichtingen"));
    for (const OverviewRow& row : overview.rows) {
        json.beginObject()
            .value(QStringLiteral("idrStort_ID"), qint64(row.id))
            .value(QStringLiteral("strStortNaam"), row.name)
            .value(QStringLiteral("intStortType"), row.type)
            .value(QStringLiteral("provincie"), provinceName(row.province))
            .value(QStringLiteral("checklistversie"), row.checklistVersion)
            .value(QStringLiteral("nieuwereChecklist"), row.newerChecklist)
            .value(QStringLiteral("jaarPrijspeil"), orNull(row.priceLevelYear))
            .value(QStringLiteral("aanvangNazorg"), dateOrNull(row.aftercareStart))
            .value(QStringLiteral("kostenposten"), row.costItems)
            .value(QStringLiteral("onvolledig"), row.incomplete)
            .beginObject(QStringLiteral("conformiteit"))
            .value(QStringLiteral("voldoet"), row.conforming)
            .value(QStringLiteral("wijktAf"), row.deviating)
            .value(QStringLiteral("gebruiker"), row.userDefined)
            .endObject()
            .value(QStringLiteral("DoelvermogenMetRisicoFonds"), orNull(row.targetCapital))
            .value(QStringLiteral("HeffingPerTon_prijspeil_tRef"), orNull(row.levyPerTon))
            .value(QStringLiteral("laatsteWijziging"), momentOrNull(row.lastChange))
            .value(QStringLiteral("ok"), row.ok)
            .value(QStringLiteral("melding"), row.message.isEmpty() ? QVariant() : QVariant(row.message))
            .endObject();
    }
    json.endArray().beginArray(QStringLiteral("totalen"));
    for (const OverviewTotal& total : overview.totals) {
        json.beginObject()
            .value(QStringLiteral("provincie"), provinceName(total.province))
            .value(QStringLiteral("inrichtingen"), total.facilities)
            .value(QStringLiteral("DoelvermogenMetRisicoFonds"), total.targetCapital)
            .value(QStringLiteral("onvolledig"), total.incomplete)
            .endObject();
    }
    json.endArray().endObject();
    out << json.text();
}

// A spreadsheet in Dutch settings opens this at once: fields apart by semicolons, a decimal comma; a text
// with a separator, a quote or a line break in quotes.
QString csvText(const QString& text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
}

template <typename T> QString csvNumber(const std::optional<T>& value)
{
    return value ? datatext::number(*value).replace(u'.', u',') : QString();
}

void writeCsv(const FacilityOverview& overview, QTextStream& out)
{
    out << "idrStort_ID;strStortNaam;intStortType;provincie;checklistversie;nieuwereChecklist;jaarPrijspeil;"
           "aanvangNazorg;kostenposten;onvolledig;voldoet;wijktAf;gebruiker;DoelvermogenMetRisicoFonds;"
           "HeffingPerTon_prijspeil_tRef;laatsteWijziging;ok;melding\n";
    for (const OverviewRow& row : overview.rows) {
        const QStringList fields{QString::number(row.id),
                                 csvText(row.name),
                                 QString::number(row.type),
                                 csvText(provinceName(row.province)),
                                 QString::number(row.checklistVersion),
                                 row.newerChecklist ? QStringLiteral("ja") : QStringLiteral("nee"),
                                 row.priceLevelYear ? QString::number(*row.priceLevelYear) : QString(),
                                 dateOrNull(row.aftercareStart).toString(),
                                 QString::number(row.costItems),
                                 QString::number(row.incomplete),
                                 QString::number(row.conforming),
                                 QString::number(row.deviating),
                                 QString::number(row.userDefined),
                                 csvNumber(row.targetCapital),
                                 csvNumber(row.levyPerTon),
                                 momentOrNull(row.lastChange).toString(),
                                 row.ok ? QStringLiteral("ja") : QStringLiteral("nee"),
                                 csvText(row.message)};
        out << fields.join(u';') << '\n';
    }
}

QString euro(const std::optional<double>& amount, const QString& pattern)
{
    return amount ? formats::number(*amount, pattern) : QStringLiteral("-");
}

void writeText(const FacilityOverview& overview, QTextStream& out)
{
    using Align = TextTable::Align;
    TextTable rows({Align::Right, Align::Left, Align::Left, Align::Left, Align::Right, Align::Right,
                    Align::Right, Align::Right, Align::Left});
    rows.addRow({QStringLiteral("id"), QStringLiteral("inrichting"), QStringLiteral("provincie"),
                 QStringLiteral("checklist"), QStringLiteral("posten"), QStringLiteral("onvolledig"),
                 QStringLiteral("doelvermogen"), QStringLiteral("heffing per ton"),
                 QStringLiteral("melding")});
    for (const OverviewRow& row : overview.rows) {
        rows.addRow({QString::number(row.id), row.name, provinceName(row.province),
                     QString::number(row.checklistVersion) +
                         (row.newerChecklist ? QStringLiteral(" (nieuwere)") : QString()),
                     QString::number(row.costItems), QString::number(row.incomplete),
                     euro(row.targetCapital, QStringLiteral("€ #,##0")),
                     euro(row.levyPerTon, QStringLiteral("€ #,##0.00")), row.message});
    }
    rows.write(out);
    out << '\n';
    TextTable totals({Align::Left, Align::Right, Align::Right, Align::Right});
    totals.addRow({QStringLiteral("provincie"), QStringLiteral("inrichtingen"),
                   QStringLiteral("doelvermogen"), QStringLiteral("onvolledig")});
    for (const OverviewTotal& total : overview.totals)
        totals.addRow({provinceName(total.province), QString::number(total.facilities),
                       formats::number(total.targetCapital, QStringLiteral("€ #,##0")),
                       QString::number(total.incomplete)});
    totals.write(out);
}

} // namespace

int printOverview(Workspace& workspace, const OverviewFilter& filter, OverviewFormat format,
                  const QString& path, QTextStream& out)
{
    const std::optional<FacilityOverview> overview = makeFacilityOverview(workspace, filter);
    if (!overview)
        return fail(out, QStringLiteral("De inrichtingen konden niet worden gelezen uit het databestand."),
                    CliFailed);
    switch (format) {
    case OverviewFormat::Json:
        writeJson(*overview, out);
        break;
    case OverviewFormat::Csv:
        writeCsv(*overview, out);
        break;
    case OverviewFormat::Text:
        writeText(*overview, out);
        break;
    case OverviewFormat::Workbook:
        if (QString error; !saveOverviewWorkbook(*overview, path, &error))
            return fail(out,
                        QStringLiteral("Het overzicht kan niet worden opgeslagen als '") + path +
                            QStringLiteral("'. ") + error,
                        CliFailed);
        break;
    }
    out.flush();
    return CliOk;
}

} // namespace dovra
