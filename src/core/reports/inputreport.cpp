#include "reports/inputreport.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"
#include "facility/clsTonnage.h"
#include "model/options.h"
#include "reports/clsActRapInvoer.h"
#include "reports/formats/reportdocument.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <optional>
#include <utility>

namespace dovra::report {

namespace {

constexpr double TitleSize = 15;
constexpr double CoverTitleSize = 22;
constexpr double HeaderFooterSize = 7;

const QString ReportTitle = QStringLiteral("Rapportage DOVRA: ingevoerde data");
// The moment of writing, as both reports show it.
const QString WrittenPattern = QStringLiteral(" d-mmm-yyyy  hh:nn");
const QString Amount = QStringLiteral("€ #,#0");

QString writtenText(const ReportContext& context)
{
    return formats::dateTime(context.written, WrittenPattern);
}

Paragraph blankLine()
{
    return Paragraph(QString());
}

Paragraph boldLine(const QString& text)
{
    return Paragraph({Run::boldText(text)});
}

// The writer itself knows whether this is its first section; every later one starts on a new page.
void openSection(ReportWriter& writer, const QString& title, const QString& heading = {},
                 double titleSize = TitleSize)
{
    writer.beginSection(portraitPage());
    writer.paragraph(Paragraph(title, titleSize));
    if (!heading.isEmpty())
        writer.paragraph(boldLine(heading));
}

// Lines set off under a heading that is written whenever the group changes.
struct GroupedLine
{
    QVariant group;
    QString groupHeading;
    QStringList columns;
};

bool startsGroup(const QList<GroupedLine>& lines, qsizetype i)
{
    return i == 0 || lines[i].group != lines[i - 1].group;
}

// One paragraph a line, its columns on tab stops.
void writeGroupedLines(ReportWriter& writer, const QList<GroupedLine>& lines, const QList<TabStop>& tabs)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (startsGroup(lines, i))
            writer.paragraph(boldLine(lines[i].groupHeading));
        Paragraph line(lines[i].columns.join(u'\t'));
        line.tabs = tabs;
        writer.paragraph(line);
    }
}

// A table row a line, so that a text too long for its column wraps within it; a heading stays with the
// first line under it.
void writeGroupedTable(ReportWriter& writer, const QList<GroupedLine>& lines, const QList<double>& widthsCm)
{
    writer.beginTable(tableLayout(widthsCm, false));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool first = startsGroup(lines, i);
        if (first) {
            writer.beginKeepTogether();
            writer.tableRow({Cell({Run::boldText(lines[i].groupHeading)})});
        }
        QList<Cell> cells;
        for (const QString& text : lines[i].columns)
            cells.append(Cell(text));
        writer.tableRow(cells);
        if (first)
            writer.endKeepTogether();
    }
    writer.endTable();
}

// --- general data ---

using LabelledValues = QList<std::pair<QString, QString>>;

void writeBlock(ReportWriter& writer, const QString& heading, const LabelledValues& rows)
{
    writer.paragraph(blankLine());
    writer.paragraph(boldLine(heading));
    writer.beginTable(tableLayout({5.0, 12.0}, false));
    for (const auto& [label, value] : rows)
        writer.tableRow({Cell(label), Cell(value)});
    writer.endTable();
}

// A stored number as entered; empty when it was not entered.
QString storedText(const clsStort& stort, const char* field)
{
    const std::optional<float> value = stort.single(QLatin1String(field));
    return value ? formats::ordinaryText(*value) : QString();
}

QString perYear(float amount)
{
    return formats::number(amount, Amount) + QStringLiteral(" per jaar");
}

void writeOpening(ReportWriter& writer, GeneralDataReport report, const ReportContext& context)
{
    if (report == GeneralDataReport::Cover)
        openSection(writer, QStringLiteral("R a p p o r t a g e   D O V R A"), {}, CoverTitleSize);
    else
        openSection(writer, ReportTitle, QStringLiteral(">> Algemene gegevens"));
    Paragraph moments({Run::plain(QStringLiteral("Gegenereerd d.d. ") + writtenText(context) +
                                  QStringLiteral("\tAfgedrukt d.d. ")),
                       Run::fieldRun(FieldKind::Date, QStringLiteral("d-MMM-yyyy H:mm"))});
    moments.tabs = {{8.0}};
    writer.paragraph(moments);
    writer.paragraph(
        Paragraph({Run::plain(QStringLiteral("Aantal pagina's: ")), Run::fieldRun(FieldKind::NumPages)}));
    writer.paragraph(Paragraph(QStringLiteral("Databestand: ") + context.dataFile));
}

LabelledValues facilityBlock(const clsStort& stort)
{
    return {
        {QStringLiteral("Naam"), stort.NaamStort()},
        {QStringLiteral("RIVM-nummer"), stort.RivmNr()},
        {QStringLiteral("Provincie"), stort.ProvNaam()},
        {QStringLiteral("Vestigingsadres"), stort.locatie_adres()},
        {QStringLiteral("Type inrichting"),
         stort.strStortType + QStringLiteral(", ") + stort.Bedrijfs_Objectgebonden()},
        {QStringLiteral("Checklistversie"), stort.strChecklistJaar},
    };
}

LabelledValues licenceHolderBlock(const clsStort& stort)
{
    return {
        {QStringLiteral("Vergunninghouder"), stort.VergHouderNaam()},
        {QStringLiteral("Postadres"), stort.VergHouderPostadres()},
        {QStringLiteral("Contactpersoon"), stort.VergHouderContactPers()},
        {QStringLiteral("Telefoon"), stort.VergHouderTelnr()},
        {QStringLiteral("Fax"), stort.VergHouderFaxnr()},
        {QStringLiteral("E-mail"), stort.VergHouderEmail()},
    };
}

LabelledValues fillerBlock(const clsStort& stort)
{
    return {
        {QStringLiteral("Ingevuld door"), stort.InvullerNaam()},
        {QStringLiteral("Postadres"), stort.InvullerPostadres()},
        {QStringLiteral("Contactpersoon"), stort.InvullerContactPers()},
        {QStringLiteral("Telefoon"), stort.InvullerTelnr()},
        {QStringLiteral("Fax"), stort.InvullerFaxnr()},
        {QStringLiteral("E-mail"), stort.InvullerEmail()},
    };
}

// Reporting and evaluation by the area's option: up to 10 ha the minimum, above the area limit the
// maximum, in between the checklist's minimum plus the facility's amount per hectare above 10 ha.
QString reportingCosts(const clsStort& stort, const clsCL& checklist)
{
    const QString wholeEuros = QStringLiteral("€ #,##0");
    switch (checklist.CalcOptieRapEval(stort.field(QStringLiteral("sngNazorgOpp")))) {
    case 1:
        return perYear(stort.RapEvalMin());
    case 2: {
        const float result = (stort.NazorgOpp() - 10) * stort.RapEvalPerHa() + checklist.sngRapEvalMin();
        return QStringLiteral("per jaar: ") + formats::number(checklist.sngRapEvalMin(), wholeEuros) +
               QStringLiteral(" + (nazorgoppervlak - 10) x ") +
               formats::number(stort.RapEvalPerHa(), wholeEuros) + QStringLiteral(" = ") +
               formats::number(result, wholeEuros);
    }
    case 3:
        return perYear(stort.RapEvalMax());
    default:
        return QStringLiteral("?");
    }
}

LabelledValues calculationBlock(const clsStort& stort, const clsCL& checklist)
{
    const std::optional<QDate> start = stort.DatumAanvangNazorg();
    LabelledValues rows{
        {QStringLiteral("Datum aanvang nazorg"),
         start ? formats::date(*start, QStringLiteral("dd-mm-yyyy")) : QString()},
        {QStringLiteral("Jaar prijspeil"), stort.field(QStringLiteral("intJaarPrijspeil")).toString()},
        {QStringLiteral("Rente"), formats::number(stort.rente(), QStringLiteral("0.00%"))},
        {QStringLiteral("Inflatie"), formats::number(stort.inflatie(), QStringLiteral("0.00%"))},
        {QStringLiteral("Percentage onvoorzien"), storedText(stort, "sngOnvoorzien") + QStringLiteral(" %")},
    };
    // Under differentiated surcharges each replacement item has its own design and supervision surcharge.
    if (!checklist.GebruikGedifferentieerdeToeslagB())
        rows.append({QStringLiteral("Percentage ontwerp/directie"),
                     storedText(stort, "sngOntwerpdirectie") + QStringLiteral(" %")});
    rows.append({
        {QStringLiteral("Apparaatskosten basisbedrag"), perYear(stort.AppKostenBasis())},
        {QStringLiteral("Apparaatskosten percentage"),
         storedText(stort, "sngAppKostenPerc") + QStringLiteral(" %")},
        {QStringLiteral("Kosten rapportage/evaluatie"), reportingCosts(stort, checklist)},
        {QStringLiteral("Nazorgoppervlak "), storedText(stort, "sngNazorgOpp") + QStringLiteral(" ha")},
        {QStringLiteral("Communicatiekosten"), perYear(stort.CommunicatieKosten())},
        {QStringLiteral("Risicobedrag"),
         formats::number(stort.RisicoBedrag(), Amount) + QStringLiteral(" (gekapitaliseerd)")},
    });
    return rows;
}

struct SummaryRow
{
    QString label;
    float amount = 0;
    bool spaced = false; // an empty line above, to set the subtotals apart
};

SummaryRow designSurchargeRow(const clsDV& dv)
{
    if (dv.GebruikGedifferentieerdeToeslagB())
        return {QStringLiteral("Som toeslagen ontwerp/directievoering/toezicht"),
                dv.Toeslagen2008SomWaardeNCW()};
    return {QStringLiteral("Toeslag ontwerp/directie (") +
                formats::number(dv.rapPercDirectievoering2002(), QStringLiteral("0.0%")) + QLatin1Char(')'),
            dv.toeslagB()};
}

QList<SummaryRow> summaryRows(const clsDV& dv, std::optional<float> vat)
{
    QList<SummaryRow> rows{
        {QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), dv.somA_exclOnvoorzien()},
        {QStringLiteral("Toeslag onvoorzien (") +
             formats::number(dv.rapPercOnvoorz(), QStringLiteral("0.0%")) + QLatin1Char(')'),
         dv.toeslagA()},
        {QStringLiteral("Jaarlijkse nazorgkosten (A)"), dv.somA_inclOnvoorzien()},
        {QStringLiteral("Subtotaal periodieke vervangingen"), dv.somB_exclDirectievoering(), true},
        designSurchargeRow(dv),
        {QStringLiteral("Periodieke vervangingen (B)"), dv.somB_inclDirectievoering()},
        {QStringLiteral("Toeslagen algemene nazorgkosten (C)"), dv.somC(), true},
        {QStringLiteral("Totaal A+B+C"), dv.DoelvermogenZonderRisicoFonds(), true},
        {QStringLiteral("Toeslag risicofonds"), dv.sngRisicobedragKAP()},
        {QStringLiteral("Doelvermogen"), dv.DoelvermogenMetRisicoFonds()},
    };
    if (vat) {
        rows.append({QStringLiteral("Omzetbelasting (") +
                         formats::number(double(*vat) / 100, QStringLiteral("0.0%")) + QLatin1Char(')'),
                     dv.BTWbedrag(*vat)});
        rows.append({QStringLiteral("Doelvermogen incl. BTW"), dv.DoelvermogenMetRisicofonds_InclBTW(*vat)});
    }
    return rows;
}

void writeSummary(ReportWriter& writer, const clsDV& dv, std::optional<float> vat)
{
    writer.paragraph(blankLine());
    writer.paragraph(boldLine(QStringLiteral("Samenvatting berekening doelvermogen")));
    writer.beginTable(tableLayout({7.0, 4.0}, false));
    for (const SummaryRow& row : summaryRows(dv, vat)) {
        // The amount gets the same empty line, so it stays level with its label.
        const QString space = row.spaced ? QStringLiteral("\n") : QString();
        writer.tableRow(
            {Cell(space + row.label), Cell(space + formats::number(row.amount, Amount), Alignment::Right)});
    }
    writer.endTable();
}

void writeSignatureTable(ReportWriter& writer)
{
    writer.paragraph(blankLine());
    writer.beginTable(tableLayout({7.0, 5.0, 5.0}, true));
    writer.tableRow({Cell({Run::boldText(QStringLiteral("Naam"))}),
                     Cell({Run::boldText(QStringLiteral("Datum"))}),
                     Cell({Run::boldText(QStringLiteral("Paraaf"))})});
    // Room for the reviewer's hand-written entries.
    const QString room = QStringLiteral("\n\n");
    writer.tableRow({Cell(room), Cell(room), Cell(room)});
    writer.endTable();
}

void writeForecastTable(ReportWriter& writer, clsTonnage& forecast)
{
    writer.paragraph(blankLine());
    writer.paragraph(Paragraph(QStringLiteral("Prognose afvalaanbod: z.o.z.")));
    writer.pageBreak();
    writer.paragraph(boldLine(QStringLiteral("Prognose afvalaanbod")));
    writer.beginTable(tableLayout({2.0, 3.0}, false));
    writer.tableRow({Cell({Run::boldText(QStringLiteral("Jaar"))}),
                     Cell({Run::boldText(QStringLiteral("aanbod (kton)"))}, Alignment::Right)});
    for (forecast.moveFirst(); !forecast.EOF_(); forecast.move_NEXT())
        writer.tableRow(
            {Cell(forecast.rapJaartalTonnage()), Cell(forecast.rapAantalKton(), Alignment::Right)});
    writer.tableRow({Cell(QStringLiteral("totaal")),
                     Cell(QString::number(forecast.TotaalTonnage(), 'f', 0), Alignment::Right)});
    writer.endTable();
}

// --- cost items ---

// The remarks get the most room after the post: they are often whole sentences.
const QList<double> CostItemWidths{0.5, 4.0, 2.0, 1.4, 1.5, 2.6, 2.0, 3.0};

// A row that only names its group in the post column.
QList<Cell> groupRow(const Run& name)
{
    QList<Cell> cells(CostItemWidths.size());
    cells[1] = Cell({name});
    return cells;
}

QList<Cell> costItemHeadings()
{
    QList<Cell> cells{Cell()};
    for (const char* heading :
         {"post", "start", "eind", "freq.", "kosten", "verwijzing nazorgplan", "opmerkingen"})
        cells.append(Cell({Run::boldText(QString::fromUtf8(heading))}));
    return cells;
}

QList<Cell> costItemRow(const clsActRapInvoer& items)
{
    return {Cell({Run::symbol(originSymbol(items.rapIsTALVO()))}),
            Cell(items.rapKostenpost()),
            Cell(items.rapTstart()),
            Cell(items.rapTeind()),
            Cell(items.rapFreq()),
            Cell(items.rapPrijsPerKeer()),
            Cell(items.rapVerwijzingNazorgplan()),
            Cell(items.rapOpmerkingen())};
}

// The last row is kept with what follows it (the legend).
void writeCostItemTable(ReportWriter& writer, clsActRapInvoer& items)
{
    writer.beginTable(tableLayout(CostItemWidths, true));
    writer.tableRow(costItemHeadings());
    std::optional<int> category;
    std::optional<long> provision;
    int row = 0;
    for (items.GaNaarEersteRecord(); !items.EOF_(); items.GaNaarVolgendeRecord()) {
        const bool newCategory = category != items.objectCategorie();
        if (newCategory) {
            category = items.objectCategorie();
            writer.tableRow(groupRow(Run::boldText(items.strObjectCat())));
        }
        if (newCategory || provision != items.provisionId()) {
            provision = items.provisionId();
            Run name = Run::plain(items.rapVoorz());
            name.underline = true;
            writer.tableRow(groupRow(name));
        }
        if (++row == items.count())
            writer.beginKeepTogether();
        writer.tableRow(costItemRow(items));
    }
    writer.endTable();
}

void writeCostItemLegend(ReportWriter& writer)
{
    writer.paragraph(blankLine());
    writer.paragraph(Paragraph(QStringLiteral("Verklaring:")));
    const std::pair<int, const char*> symbols[] = {
        {252, ": TALVO-checklistpost, invoer voldoet aan criteria;"},
        {214, ": TALVO-checklistpost, invoer voldoet niet aan criteria;"},
        {250, ": door de gebruiker gedefinieerde kostenpost."},
    };
    for (const auto& [code, text] : symbols)
        writer.paragraph(Paragraph({Run::symbol(code), Run::plain(QString::fromUtf8(text))}));
    writer.paragraph(blankLine());
    writer.paragraph(Paragraph(QStringLiteral("De jaren start en eind zijn ingevoerd t.o.v. aanvang nazorg, "
                                              "waarbij jaar 1= jaar van aanvang nazorg.")));
    writer.paragraph(Paragraph(QStringLiteral("Uitzonderingen:")));
    writer.paragraph(Paragraph(QStringLiteral("*: betreft kalenderjaar;")));
    writer.paragraph(Paragraph(QStringLiteral("#: betreft jaar na aanleg bovenafdichting, waarbij jaar 1= "
                                              "jaar waarin bovenafdichting is aangelegd.")));
}

// --- provisions and checklist items ---

// The provisions of the facility by category, then name; none on a read error.
std::optional<QList<GroupedLine>> provisionLines(Workspace& workspace, long facilityId)
{
    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data)
        return std::nullopt;
    Statement rows = data->prepare(QStringLiteral(
        "SELECT tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat, tblInrichting.strObject "
        "FROM tblInrichting LEFT JOIN tblObjectCat "
        "ON tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF "
        "WHERE tblInrichting.lngStort_REF = ? "
        "ORDER BY tblInrichting.bytObjectCat_REF, tblInrichting.strObject"));
    rows.bind(1, qint64(facilityId));
    QList<GroupedLine> lines;
    while (rows.next())
        lines.append({rows.value(0),
                      rows.text(1).value_or(QString()).toUpper(),
                      {QString(), rows.text(2).value_or(QString())}});
    if (!rows.isValid() || rows.failed())
        return std::nullopt;
    return lines;
}

// The checklist items the facility's checklist-based cost items come from.
std::optional<QVariantList> selectedChecklistItems(Database& data, long facilityId)
{
    Statement rows = data.prepare(QStringLiteral("SELECT DISTINCT lngClitem_REF FROM tblAct "
                                                 "WHERE lngStort_REF = ? AND bytIsTALVO <> 0 "
                                                 "AND lngClitem_REF IS NOT NULL ORDER BY lngClitem_REF"));
    rows.bind(1, qint64(facilityId));
    QVariantList ids;
    while (rows.next())
        ids.append(rows.value(0));
    if (!rows.isValid() || rows.failed())
        return std::nullopt;
    return ids;
}

// The active items of the version that no cost item was taken from, by rubric.
std::optional<QList<GroupedLine>> unselectedLines(Workspace& workspace, int version,
                                                  const QVariantList& selected)
{
    std::shared_ptr<Database> checklist = workspace.checklistDatabase();
    if (!checklist)
        return std::nullopt;
    QString sql = QStringLiteral(
        "SELECT bytRubriek_REF, strVoorz, strOmschrijving, strRefDeelonderz "
        "FROM tblObjectCat INNER JOIN tblCLitem ON tblObjectCat.bytObjectCat_ID = tblCLitem.bytObjectCat_REF "
        "WHERE blnActief = -1 AND intCL_REF = ?");
    if (!selected.isEmpty()) {
        QStringList placeholders(selected.size(), QStringLiteral("?"));
        sql += QStringLiteral(" AND lngCLitem_ID NOT IN (") + placeholders.join(u',') + QLatin1Char(')');
    }
    sql += QStringLiteral(" ORDER BY bytRubriek_REF, strVoorz, strOmschrijving");
    Statement rows = checklist->prepare(sql);
    rows.bind(1, version);
    for (qsizetype i = 0; i < selected.size(); ++i)
        rows.bind(int(i) + 2, selected[i]);
    QList<GroupedLine> lines;
    while (rows.next()) {
        const QVariant rubric = rows.value(0);
        lines.append({rubric,
                      RubriekNaam(rubric.toInt()).toUpper(),
                      {rows.text(1).value_or(QString()), rows.text(2).value_or(QString()),
                       rows.text(3).value_or(QString())}});
    }
    if (!rows.isValid() || rows.failed())
        return std::nullopt;
    return lines;
}

} // namespace

TableLayout tableLayout(const QList<double>& widthsCm, bool borders)
{
    TableLayout layout;
    layout.widthsCm = widthsCm;
    layout.borders = borders;
    double edge = 0;
    for (const double width : widthsCm)
        layout.screenEdgesCm.append(edge += width);
    return layout;
}

PageSetup portraitPage()
{
    return {.widthCm = 21.0,
            .heightCm = 29.7,
            .topCm = 2.0,
            .bottomCm = 2.0,
            .leftCm = 2.0,
            .rightCm = 2.0,
            .headerCm = 1.0,
            .footerCm = 1.0};
}

bool writeGeneralData(ReportWriter& writer, GeneralDataReport report, const clsDV* calculation,
                      std::optional<float> vat, const ReportContext& context)
{
    Workspace& workspace = *context.workspace;
    clsStort stort(workspace);
    if (!stort.initializeStort(context.facilityId))
        return false;
    // A version missing from the checklist file leaves its type and year empty; the rest can be shown.
    stort.GetInfoChecklist();
    clsCL checklist(workspace);
    if (!checklist.initializeCL(int(stort.checklist_ID())))
        return false;
    clsTonnage forecast(workspace);
    if (!forecast.psubInitialiseer(context.facilityId))
        return false;

    writeOpening(writer, report, context);
    writeBlock(writer, QStringLiteral("Inrichting"), facilityBlock(stort));
    writeBlock(writer, QStringLiteral("Vergunninghouder"), licenceHolderBlock(stort));
    writeBlock(writer, QStringLiteral("Invuller"), fillerBlock(stort));
    writeBlock(writer, QStringLiteral("Berekeningen"), calculationBlock(stort, checklist));
    if (calculation)
        writeSummary(writer, *calculation, vat);
    if (forecast.AantalRecords() == 0) {
        writer.paragraph(blankLine());
        writer.paragraph(Paragraph(QStringLiteral("Er is geen prognose van het afvalaanbod ingevoerd.")));
    }
    if (report == GeneralDataReport::Cover)
        writeSignatureTable(writer);
    if (forecast.AantalRecords() > 0)
        writeForecastTable(writer, forecast);
    return true;
}

bool writeProvisions(ReportWriter& writer, const ReportContext& context)
{
    const std::optional<QList<GroupedLine>> lines = provisionLines(*context.workspace, context.facilityId);
    if (!lines)
        return false;
    openSection(writer, ReportTitle, QStringLiteral(">>  Voorzieningen"));
    writeGroupedLines(writer, *lines, {{1.0}});
    return true;
}

bool writeCostItems(ReportWriter& writer, const ReportContext& context)
{
    clsActRapInvoer items(*context.workspace);
    items.rapSorteerOp(QStringLiteral("ObjCat"));
    if (!items.OpenRecordset(context.facilityId))
        return false;
    openSection(writer, ReportTitle, QStringLiteral(">>  Kostenposten"));
    if (items.count() == 0) {
        writer.paragraph(
            Paragraph(QStringLiteral("Er zijn geen 'voorzieningen en kostenposten' gedefinieerd.")));
        return true;
    }
    writeCostItemTable(writer, items);
    writeCostItemLegend(writer);
    writer.endKeepTogether();
    return true;
}

bool writeUnselectedChecklistItems(ReportWriter& writer, bool firstOfTargetCapitalReport,
                                   const ReportContext& context)
{
    Workspace& workspace = *context.workspace;
    clsStort stort(workspace);
    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data || !stort.initializeStort(context.facilityId))
        return false;
    const std::optional<QVariantList> selected = selectedChecklistItems(*data, context.facilityId);
    if (!selected)
        return false;
    const std::optional<QList<GroupedLine>> lines =
        unselectedLines(workspace, int(stort.checklist_ID()), *selected);
    if (!lines)
        return false;

    if (firstOfTargetCapitalReport)
        openSection(writer, QStringLiteral("Overzicht niet geselecteerde checklistposten"));
    else
        openSection(writer, ReportTitle, QStringLiteral(">> Overzicht niet geselecteerde checklistposten"));
    if (lines->isEmpty())
        writer.paragraph(Paragraph(QStringLiteral("Alle checklistposten zijn geselecteerd.")));
    else
        writeGroupedTable(writer, *lines, {5.0, 8.0, 4.0});
    return true;
}

void writeHeaderFooter(ReportDocument& document, const ReportContext& context)
{
    const ProgramVersion& version = context.workspace->version();
    document.setHeader({Paragraph(applicationTitle() + QLatin1Char(' ') + QString::number(version.major) +
                                      QLatin1Char('.') + QString::number(version.minor),
                                  HeaderFooterSize)});
    Paragraph footer({Run::plain(QStringLiteral("Gegenereerd d.d. ") + writtenText(context) +
                                 QStringLiteral("\tAfgedrukt d.d. ")),
                      Run::fieldRun(FieldKind::Date, QStringLiteral("d-MMM-yyyy  HH:mm")),
                      Run::plain(QStringLiteral("\tpag. ")), Run::fieldRun(FieldKind::Page),
                      Run::plain(QStringLiteral(" van ")), Run::fieldRun(FieldKind::NumPages)},
                     HeaderFooterSize);
    footer.tabs = {{7.5}, TabStop::atRightMargin()};
    document.setFooter({footer});
}

} // namespace dovra::report
