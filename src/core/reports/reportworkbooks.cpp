#include "reports/reportworkbooks.h"

#include "base/datatext.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "calc/expenditureschedule.h"
#include "model/options.h"

#include <numeric>

namespace dovra::report {

namespace {

using W = WorkbookCell;

// A figure of the calculation, which works in single precision, as the decimal it stands for: the figure
// the program's other outputs write.
double figure(float value)
{
    return datatext::singleAsDecimal(value);
}

QString cell(int row, int column)
{
    return Worksheet::cellName(row, column);
}

QString range(int column, int firstRow, int lastRow)
{
    return cell(firstRow, column) + u':' + cell(lastRow, column);
}

// The columns of the cost item sheet.
enum ItemColumn
{
    Post,
    Provision,
    Rubric,
    Origin,
    Construction,
    First,
    Last,
    Frequency,
    Amount,
    Factor,
    PresentValue
};

// The cost items, one row each, in the grouping's order; the rows they take (first, last), or none when
// they cannot be read.
std::optional<std::pair<int, int>> writeItems(Worksheet& sheet, Workspace& workspace, const clsDV& dv,
                                              DVGrouping grouping, const Progress& progress)
{
    DVReportRows rows(workspace, dv);
    if (!rows.rapOpenActRecordset(grouping))
        return std::nullopt;
    sheet.setHeader(
        {QStringLiteral("post"), QStringLiteral("voorziening"), QStringLiteral("rubriek"),
         QStringLiteral("herkomst"), QStringLiteral("aanleg afd."), QStringLiteral("eerste uitgave"),
         QStringLiteral("laatste uitgave"), QStringLiteral("frequentie"),
         QStringLiteral("kosten per keer (prijspeil ") + QString::number(dv.jaarPrijspeil()) + u')',
         QStringLiteral("NCW-factor"), QStringLiteral("NCW")});
    rows.GaNaarEersteRecord();
    for (int done = 1; done <= rows.count(); ++done) {
        if (!rows.rapActiveerDV_ID())
            return std::nullopt;
        QList<W> cells{W::text(rows.rapKostenpost()),
                       W::text(rows.rapVoorz()),
                       W::text(RubriekNaam(rows.rubric())),
                       W::text(rows.originText()),
                       W::text(rows.rapKalJaarAanlegBA()),
                       W::text(rows.rapTstart()),
                       W::text(rows.rapTeind()),
                       W::text(rows.rapFreq())};
        const int row = sheet.rowCount();
        if (rows.isCombined())
            cells << W::text(rows.rapPrijsPerKeer()) << W() << W::number(0, NumberFormat::Euro);
        else
            cells << W::number(figure(rows.amountPerOccurrence()), NumberFormat::EuroCents)
                  << W::number(figure(rows.rapNCWFactorX()), NumberFormat::Factor)
                  << W::formula(cell(row, Amount) + u'*' + cell(row, Factor), figure(rows.rapNCW()),
                                NumberFormat::Euro);
        sheet.appendRow(cells);
        rows.GaNaarVolgendeRecord();
        if (progress)
            progress(done);
    }
    return std::pair{1, sheet.rowCount() - 1};
}

// The replacement surcharges of each replacement item; the rows they take.
std::pair<int, int> writeReplacementSurcharges(Worksheet& sheet, const clsDV& dv)
{
    sheet.setHeader({QStringLiteral("omschrijving"), QStringLiteral("toeslag per keer"),
                     QStringLiteral("NCW-factor"), QStringLiteral("NCW")});
    for (const clsToeslag2008& surcharge : dv.toeslagen()) {
        const int row = sheet.rowCount();
        sheet.appendRow({W::text(surcharge.ToeslagTekst),
                         W::number(figure(surcharge.ToeslagWaarde), NumberFormat::EuroCents),
                         W::number(figure(surcharge.ToeslagWaardeNCWfactor), NumberFormat::Factor),
                         W::formula(cell(row, 1) + u'*' + cell(row, 2), figure(surcharge.ToeslagWaardeNCW),
                                    NumberFormat::Euro)});
    }
    return {1, sheet.rowCount() - 1};
}

// The target capital from its parts: a label, the basis of a surcharge (a yearly amount, a percentage or a
// factor) and the present value, each sum and product a formula over the cells it is made of.
class TargetCapitalLines
{
public:
    TargetCapitalLines(Worksheet& sheet, const clsDV& dv) : m_sheet(sheet), m_dv(dv)
    {
        sheet.setHeader({QStringLiteral("onderdeel"), QStringLiteral("grondslag"), QStringLiteral("NCW")});
    }

    void write(const Worksheet& items, std::pair<int, int> itemRows, const Worksheet* surcharges,
               std::pair<int, int> surchargeRows, std::optional<float> vat)
    {
        facility();
        std::array<int, 7> rubric{};
        for (int r = 1; r <= 6; ++r) {
            const QString name = RubriekNaam(r);
            const auto column = [&](int c) {
                return items.qualified(range(c, itemRows.first, itemRows.second));
            };
            rubric[r] = sum(QStringLiteral("Subtotaal ") + name +
                                (r == 6 ? QStringLiteral(" (buiten A en B)") : QString()),
                            QStringLiteral("SUMIF(") + column(Rubric) + QStringLiteral(",\"") + name +
                                QStringLiteral("\",") + column(PresentValue) + u')',
                            figure(m_dv.subtotaalRubriek(r)), itemRows.second >= itemRows.first);
        }
        blank();
        const int aExcl = sum(QStringLiteral("Subtotaal jaarlijkse nazorgkosten"),
                              QStringLiteral("SUM(") + range(2, rubric[1], rubric[4]) + u')',
                              figure(m_dv.somA_exclOnvoorzien()));
        const int aSurcharge = percentageOf(QStringLiteral("Toeslag onvoorzien"),
                                            figure(m_dv.rapPercOnvoorz()), aExcl, figure(m_dv.toeslagA()));
        const int a = sum(QStringLiteral("Jaarlijkse nazorgkosten (A)"), plus({aExcl, aSurcharge}),
                          figure(m_dv.somA_inclOnvoorzien()), true, true);
        blank();
        const int bExcl = sum(QStringLiteral("Subtotaal vervangingskosten"), amount(rubric[5]),
                              figure(m_dv.somB_exclDirectievoering()));
        const int bSurcharge =
            surcharges
                ? sum(QStringLiteral("Toeslagen vervangingen"),
                      QStringLiteral("SUM(") +
                          surcharges->qualified(range(3, surchargeRows.first, surchargeRows.second)) + u')',
                      figure(m_dv.toeslagB()), surchargeRows.second >= surchargeRows.first)
                : percentageOf(QStringLiteral("Toeslag ontwerp/directie"),
                               figure(m_dv.rapPercDirectievoering2002()), bExcl, figure(m_dv.toeslagB()));
        const int b = sum(QStringLiteral("Vervangingskosten (B)"), plus({bExcl, bSurcharge}),
                          figure(m_dv.somB_inclDirectievoering()), true, true);
        blank();
        const int c = generalSurcharges(a, b);
        blank();
        const int total = sum(QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"), plus({a, b, c}),
                              figure(m_dv.DoelvermogenZonderRisicoFonds()));
        const int risk =
            m_sheet.appendRow({W::text(QStringLiteral("Risicobedrag")), W(),
                               W::number(figure(m_dv.sngRisicobedragKAP()), NumberFormat::Euro)});
        const int targetCapital = sum(QStringLiteral("DOELVERMOGEN"), plus({total, risk}),
                                      figure(m_dv.DoelvermogenMetRisicoFonds()), true, true);
        if (vat) {
            const int vatAmount = percentageOf(QStringLiteral("BTW"), figure(*vat / 100), targetCapital,
                                               figure(m_dv.BTWbedrag(*vat)));
            sum(QStringLiteral("Doelvermogen inclusief BTW"), plus({targetCapital, vatAmount}),
                figure(m_dv.DoelvermogenMetRisicofonds_InclBTW(*vat)), true, true);
        }
    }

private:
    void facility()
    {
        m_sheet.appendRow({W::text(QStringLiteral("Inrichting")), W::text(m_dv.facilityName())});
        m_sheet.appendRow(
            {W::text(QStringLiteral("Prijspeil")), W::number(m_dv.jaarPrijspeil(), NumberFormat::Whole)});
        m_sheet.appendRow(
            {W::text(QStringLiteral("Rente")), W::number(figure(m_dv.rente()), NumberFormat::Percentage)});
        m_sheet.appendRow({W::text(QStringLiteral("Inflatie")),
                           W::number(figure(m_dv.inflatie()), NumberFormat::Percentage)});
        blank();
    }

    // The present values of C: the yearly amounts times the factor of a yearly amount for ever.
    int generalSurcharges(int a, int b)
    {
        const int factor =
            m_sheet.appendRow({W::text(QStringLiteral("NCW-factor jaarlijks bedrag, eeuwigdurend")),
                               W::number(figure(m_dv.perpetualFactor() * m_dv.F()), NumberFormat::Factor)});
        const auto yearly = [&](const QString& label, double perYear, double presentValue) {
            const int row = m_sheet.rowCount();
            return m_sheet.appendRow(
                {W::text(label), W::number(perYear, NumberFormat::Euro),
                 W::formula(cell(row, 1) + u'*' + cell(factor, 1), presentValue, NumberFormat::Euro)});
        };
        const int reporting =
            yearly(QStringLiteral("Rapportage/evaluatie"), figure(m_dv.sngRapEvalKostenPerJaar()),
                   figure(m_dv.sngRapEvalKostenKAP()));
        const int communication =
            yearly(QStringLiteral("Communicatie"), figure(m_dv.sngCommunicatieKostenPerJaar()),
                   figure(m_dv.sngCommunicatieKostenKAP()));
        const int base = yearly(QStringLiteral("Apparaatskosten basisbedrag"),
                                figure(m_dv.sngAppKostenBasisPerJaar()), figure(m_dv.sngAppKostenBasisKAP()));
        const int row = m_sheet.rowCount();
        const int variable =
            m_sheet.appendRow({W::text(QStringLiteral("Apparaatskosten percentage van (A+B)")),
                               W::number(figure(m_dv.sngAppKostenBasisPerc()), NumberFormat::Percentage),
                               W::formula(u'(' + plus({a, b}) + QStringLiteral(")*") + cell(row, 1),
                                          figure(m_dv.AppKostenVariabelKAP()), NumberFormat::Euro)});
        const int apparatus = sum(QStringLiteral("Apparaatskosten algemeen"), plus({base, variable}),
                                  figure(m_dv.sngAppKostenTotaalKAP()));
        return sum(QStringLiteral("Toeslagen algemene nazorgkosten (C)"),
                   plus({reporting, communication, apparatus}), figure(m_dv.somC()), true, true);
    }

    QString amount(int row) const { return cell(row, 2); }

    QString plus(std::initializer_list<int> rows) const
    {
        QStringList cells;
        for (const int row : rows)
            cells.append(amount(row));
        return cells.join(u'+');
    }

    // A present value; a formula unless there is nothing to compute it from.
    int sum(const QString& label, const QString& formula, double value, bool computed = true,
            bool bold = false)
    {
        return m_sheet.appendRow({W::text(label, bold), W(),
                                  computed ? W::formula(formula, value, NumberFormat::Euro, bold)
                                           : W::number(value, NumberFormat::Euro, bold)});
    }

    // A percentage of the present value in row `of`.
    int percentageOf(const QString& label, double fraction, int of, double value)
    {
        const int row = m_sheet.rowCount();
        return m_sheet.appendRow({W::text(label), W::number(fraction, NumberFormat::Percentage),
                                  W::formula(amount(of) + u'*' + cell(row, 1), value, NumberFormat::Euro)});
    }

    void blank() { m_sheet.appendRow({}); }

    Worksheet& m_sheet;
    const clsDV& m_dv;
};

} // namespace

bool addTargetCapitalSheets(Workbook& workbook, Workspace& workspace, const clsDV& calculation,
                            DVGrouping grouping, std::optional<float> vat, const Progress& progress)
{
    // The summary first, where the workbook opens; it is written last, over the sheets it sums.
    Worksheet& summary = workbook.addSheet(QStringLiteral("Doelvermogen"));
    Worksheet& items = workbook.addSheet(QStringLiteral("Kostenposten"));
    const std::optional<std::pair<int, int>> itemRows =
        writeItems(items, workspace, calculation, grouping, progress);
    if (!itemRows)
        return false;
    Worksheet* surcharges = nullptr;
    std::pair<int, int> surchargeRows;
    if (calculation.GebruikGedifferentieerdeToeslagB()) {
        surcharges = &workbook.addSheet(QStringLiteral("Toeslagen vervangingen"));
        surchargeRows = writeReplacementSurcharges(*surcharges, calculation);
    }
    TargetCapitalLines(summary, calculation).write(items, *itemRows, surcharges, surchargeRows, vat);
    return true;
}

void addLevySheet(Workbook& workbook, const clsDV& calculation, const clsHeffing& levy)
{
    Worksheet& sheet = workbook.addSheet(QStringLiteral("Heffing"));
    const bool own = levy.bytObjectGebonden != 0;
    // The columns of the levy table: year, supply, levy per ton, levy, control.
    sheet.setHeader(
        {QStringLiteral("jaar"), QStringLiteral("aantal kTon"), QStringLiteral("heffing/ton *"),
         QStringLiteral("heffing *"),
         QStringLiteral("controle ") + (own ? QStringLiteral("doelvermogen") : QStringLiteral("NCW"))});
    for (int i = 1; i <= levy.intAantaljaren; ++i) {
        const int row = sheet.rowCount();
        sheet.appendRow({W::number(levy.rapJaar(i), NumberFormat::Whole),
                         W::number(levy.rapAantalKtonPerJaar(i), NumberFormat::Whole),
                         W::number(levy.rapHeffingPerTonInJaar(i), NumberFormat::EuroCents),
                         W::formula(cell(row, 2) + u'*' + cell(row, 1) + QStringLiteral("*1000"),
                                    levy.rapHeffingInJaar(i), NumberFormat::Euro),
                         W::number(levy.rapControleDV(i), NumberFormat::Euro)});
    }
    sheet.endTable();
    const int last = sheet.rowCount() - 1;
    sheet.appendRow({W::text(QStringLiteral("Totaal"), true),
                     W::formula(QStringLiteral("SUM(") + range(1, 1, last) + u')', levy.rapAantalKtonTotaal(),
                                NumberFormat::Whole, true),
                     W(), W(),
                     W::formula(QStringLiteral("SUM(") + range(4, 1, last) + u')', levy.rapControleDVsom(),
                                NumberFormat::Euro, true)});
    sheet.appendRow({});
    // Labels run over the empty cells to the figure in the control column.
    if (own) {
        sheet.appendRow(
            {W::text(QStringLiteral("Aanvang nazorg")), W(), W(), W(), W::date(levy.DatumAanvangNazorg())});
        sheet.appendRow({W::text(QStringLiteral("Doelvermogen")), W(), W(), W(),
                         W::number(figure(calculation.DoelvermogenMetRisicoFonds()), NumberFormat::Euro)});
    } else {
        sheet.appendRow({W::text(QStringLiteral("Betrokken inrichtingen: ") + levy.rapStortNamen)});
        sheet.appendRow({W::text(QStringLiteral("Gezamenlijk NCW, uitgedrukt in prijspeil ") +
                                 QString::number(calculation.jaarPrijspeil())),
                         W(), W(), W(), W::number(figure(levy.DVref), NumberFormat::Euro)});
    }
    sheet.appendRow({});
    sheet.appendRow({W::text(QStringLiteral(
        " *) Uitgedrukt in het prijspeil van het jaar waarin de heffing van toepassing is."))});
}

void addExpenditureSheet(Workbook& workbook, const ExpenditureSchedule& schedule, int priceLevelYear)
{
    constexpr int TotalColumn = ExpenditureSchedule::Rubrics + 1;
    Worksheet& sheet = workbook.addSheet(QStringLiteral("Uitgavenschema"));
    QStringList headings{QStringLiteral("nazorgjaar")};
    for (int rubric = 1; rubric <= ExpenditureSchedule::Rubrics; ++rubric)
        headings.append(RubriekNaam(rubric));
    headings.append(QStringLiteral("totaal"));
    sheet.setHeader(headings);
    std::array<double, TotalColumn + 1> totals{};
    for (std::size_t k = 0; k < schedule.perYear.size(); ++k) {
        const auto& outlays = schedule.perYear[k];
        const int row = sheet.rowCount();
        QList<W> cells{W::number(double(k + 1), NumberFormat::Whole)};
        for (std::size_t rubric = 0; rubric < outlays.size(); ++rubric) {
            cells.append(W::number(outlays[rubric], NumberFormat::EuroCents));
            totals[rubric + 1] += outlays[rubric];
        }
        const double total = std::accumulate(outlays.begin(), outlays.end(), 0.0);
        totals[TotalColumn] += total;
        cells.append(
            W::formula(QStringLiteral("SUM(") + cell(row, 1) + u':' + cell(row, TotalColumn - 1) + u')',
                       total, NumberFormat::EuroCents));
        sheet.appendRow(cells);
    }
    sheet.endTable();
    const int last = sheet.rowCount() - 1;
    if (last >= 1) {
        QList<W> cells{W::text(QStringLiteral("totaal"), true)};
        for (int column = 1; column <= TotalColumn; ++column)
            cells.append(W::formula(QStringLiteral("SUM(") + range(column, 1, last) + u')', totals[column],
                                    NumberFormat::EuroCents, true));
        sheet.appendRow(cells);
    }
    sheet.appendRow({});
    sheet.appendRow({W::text(QStringLiteral("Bedragen in prijspeil ") + QString::number(priceLevelYear) +
                             QStringLiteral(", zonder inflatie en disconteren."))});
    sheet.appendRow({W::text(expenditureYearNote())});
}

} // namespace dovra::report
