#include "reports/targetcapitalreport.h"

#include "reports/inputreport.h"

#include "base/formats.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"

#include <optional>

namespace dovra::report {

namespace {

// The target capital table's columns: symbol, post, aanleg afd., eerste uitgave, laatste uitgave,
// frequentie, cost, NCW and share.
constexpr qsizetype ColumnCount = 9;

// Rubric 5 holds the replacements (B); the rubrics before it are the yearly costs (A).
constexpr int ReplacementRubric = 5;

// The report window cuts long texts at these lengths to keep its columns apart.
constexpr int ScreenPostLength = 35;
constexpr int ScreenCostLength = 40;

const QString Euro = QStringLiteral("€ #,#0");

QString euro(double amount)
{
    return formats::number(amount, Euro);
}

PageSetup landscapeSection()
{
    return {.widthCm = 29.7,
            .heightCm = 21.0,
            .topCm = 1.4,
            .bottomCm = 1.4,
            .leftCm = 2.4,
            .rightCm = 2.4,
            .headerCm = 1.0,
            .footerCm = 0.7};
}

TableLayout targetCapitalTable()
{
    TableLayout layout;
    layout.widthsCm = {0.5, 8.2, 1.3, 1.5, 1.4, 2.0, 6.0, 2.5, 1.7};
    layout.screenEdgesCm = {0.5, 5.5, 6.7, 7.9, 9.1, 10.9, 15.6, 17.2, 18.6};
    return layout;
}

Run styled(const QString& text, bool bold, bool italic = false)
{
    Run run = Run::plain(text);
    run.bold = bold;
    run.italic = italic;
    return run;
}

// The lines of the target capital section over the rows of one calculation. Each line is a table row;
// the document and the report window differ only where the writer's output is asked.
class TargetCapitalSection
{
public:
    TargetCapitalSection(ReportWriter& writer, const clsDV& calculation, DVReportRows& rows,
                         DVGrouping grouping)
        : m_writer(writer), m_dv(calculation), m_rows(rows), m_grouping(grouping)
    {
    }

    bool write(const Progress& progress)
    {
        if (m_writer.isDocument()) {
            m_writer.beginSection(landscapeSection());
            m_writer.paragraph(Paragraph(QStringLiteral("Rapportage doelvermogen"), 15));
            m_writer.paragraph(Paragraph(QStringLiteral("Inrichting: ") + m_dv.facilityName()));
        }
        m_writer.beginTable(targetCapitalTable());
        columnHeadings();
        blank();
        heading(byRubric() ? QStringLiteral("A: Jaarlijkse kosten")
                           : QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten"));
        blank();
        const bool complete = costItems(progress);
        if (complete) {
            blockB();
            blockC();
            // The legend explains the whole table: it does not stand on a page of its own.
            m_writer.beginKeepTogether();
            totals();
            legend();
            m_writer.endKeepTogether();
        }
        m_writer.endTable();
        return complete;
    }

private:
    bool screen() const { return !m_writer.isDocument(); }
    bool byRubric() const { return m_grouping == DVGrouping::Rubriek; }

    // A text as the output shows it: the report window cuts it at `length` characters.
    QString shortened(const QString& text, int length) const { return screen() ? text.left(length) : text; }

    // A line with `cells` from the symbol column on; the rest of the nine stays empty.
    void line(QList<Cell> cells)
    {
        cells.resize(ColumnCount);
        m_writer.tableRow(cells);
    }

    void blank() { line({}); }

    void heading(const QString& text, bool underline = false)
    {
        Run run = styled(text, !underline);
        run.underline = underline;
        line({Cell(), Cell({run})});
    }

    void columnHeadings()
    {
        // Each heading as its two screen lines; the document joins them.
        const QList<std::pair<QString, QString>> headings{
            {QStringLiteral("post"), {}},
            {QStringLiteral("aanleg"), QStringLiteral("afd.")},
            {QStringLiteral("eerste"), QStringLiteral("uitgave")},
            {QStringLiteral("laatste"), QStringLiteral("uitgave")},
            {QStringLiteral("frequentie"), {}},
            {QStringLiteral("kosten (prijspeil ") + QString::number(m_dv.jaarPrijspeil()) + QLatin1Char(')'),
             {}},
            {QStringLiteral("NCW"), {}}};
        QList<Cell> first{Cell()};
        QList<Cell> second{Cell()};
        for (const auto& [top, bottom] : headings) {
            const QString joined = bottom.isEmpty() ? top : top + QLatin1Char(' ') + bottom;
            first.append(headingCell(screen() ? top : joined));
            second.append(headingCell(bottom));
        }
        line(first);
        if (screen())
            line(second);
    }

    static Cell headingCell(const QString& text)
    {
        Run run = Run::boldText(text);
        run.colour = Blue;
        return Cell({run});
    }

    // A labelled amount with its share of the target capital without risk amount.
    void amountLine(std::optional<int> conformity, const QString& label, float amount, bool bold = false)
    {
        line({symbolCell(conformity),
              Cell({styled(label, bold)}),
              {},
              {},
              {},
              {},
              {},
              Cell({styled(euro(amount), bold)}, Alignment::Right),
              Cell({styled(m_dv.rapPercVanDV(amount), bold)}, Alignment::Right)});
    }

    static Cell symbolCell(std::optional<int> conformity)
    {
        return conformity ? Cell({Run::symbol(originSymbol(*conformity))}) : Cell();
    }

    // --- the cost items ---

    bool costItems(const Progress& progress)
    {
        std::optional<int> group;
        QString groupName;
        QString provision;
        bool blockAWritten = false;
        const int count = m_rows.count();
        m_rows.GaNaarEersteRecord();
        for (int done = 1; done <= count; ++done) {
            if (!m_rows.rapActiveerDV_ID())
                return false;
            const int value = m_rows.rapSorteerVeldwaardeID();
            const bool newGroup = group != value;
            if (newGroup) {
                if (group)
                    subtotal(*group, groupName);
                group = value;
                groupName = m_rows.rapSorteerVeldwaardeString();
                if (byRubric() && value == ReplacementRubric) {
                    blockAWithReplacementHeading();
                    blockAWritten = true;
                } else {
                    heading(screen() ? groupName.toUpper() : groupName);
                }
            }
            if (newGroup || m_rows.rapVoorz() != provision) {
                provision = m_rows.rapVoorz();
                heading(provision, true);
            }
            itemLine();
            m_rows.GaNaarVolgendeRecord();
            if (progress)
                progress(done);
        }
        // By rubric, the replacements' subtotal is the first line of block B.
        if (group && !(byRubric() && *group == ReplacementRubric))
            subtotal(*group, groupName);
        if (!byRubric())
            blockA();
        else if (!blockAWritten)
            blockAWithReplacementHeading();
        return true;
    }

    void itemLine()
    {
        const int conformity = m_rows.rapIsTALVO();
        // Only the document marks the values that fail the checklist's criteria.
        const bool marked = conformity == 2 && m_writer.isDocument();
        line(
            {symbolCell(conformity), Cell(shortened(m_rows.rapKostenpost(), ScreenPostLength)),
             Cell(m_rows.rapKalJaarAanlegBA()),
             markedCell(m_rows.rapTstart(), marked && m_rows.failedStart()),
             markedCell(m_rows.rapTeind(), marked && m_rows.failedEnd()),
             markedCell(m_rows.rapFreq(), marked && m_rows.failedFrequency()),
             markedCell(shortened(m_rows.rapPrijsPerKeer(), ScreenCostLength), marked && m_rows.failedCost()),
             Cell(euro(m_rows.rapNCW()), Alignment::Right),
             Cell(formats::number(m_rows.rapFractieVanTotaalDV(), QStringLiteral("(0.0%)")),
                  Alignment::Right)});
    }

    static Cell markedCell(const QString& text, bool italic) { return Cell({styled(text, false, italic)}); }

    void subtotal(int group, const QString& name)
    {
        amountLine({},
                   QStringLiteral("Subtotaal ") + (screen() ? name.toLower() : name) + QStringLiteral(": "),
                   groupTotal(group));
        blank();
    }

    float groupTotal(int group) const
    {
        switch (m_grouping) {
        case DVGrouping::Voorziening:
            return m_dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::ObjectCategorie, group);
        case DVGrouping::Rubriek:
            return m_dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Rubriek, group);
        case DVGrouping::Talvo:
            return m_dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Herkomst, group);
        }
        return 0;
    }

    // --- the blocks ---

    void blockA()
    {
        amountLine({}, QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), m_dv.somA_exclOnvoorzien());
        amountLine(m_dv.rapIsTALVOOnvoorzien(),
                   QStringLiteral("Toeslag onvoorzien (") +
                       formats::number(m_dv.rapPercOnvoorz(), QStringLiteral("0.0%")) + QLatin1Char(')'),
                   m_dv.toeslagA());
        amountLine({}, QStringLiteral("Jaarlijkse nazorgkosten (A)"), m_dv.somA_inclOnvoorzien(), true);
        blank();
    }

    // With grouping by rubric, the yearly costs end where the replacements begin.
    void blockAWithReplacementHeading()
    {
        blockA();
        m_writer.tableRule();
        heading(QStringLiteral("B: Vervangingskosten"));
        blank();
    }

    void blockB()
    {
        amountLine({}, QStringLiteral("Subtotaal vervangingskosten"), m_dv.somB_exclDirectievoering());
        if (m_dv.GebruikGedifferentieerdeToeslagB())
            replacementSurcharges();
        else
            amountLine(m_dv.rapIsTALVOOntwerpdirectieFixed(),
                       QStringLiteral("Toeslag ontwerp/directie (") +
                           formats::number(m_dv.rapPercDirectievoering2002(), QStringLiteral("0.0%")) +
                           QLatin1Char(')'),
                       m_dv.toeslagB());
        amountLine({}, QStringLiteral("Vervangingskosten (B)"), m_dv.somB_inclDirectievoering(), true);
        blank();
    }

    void replacementSurcharges()
    {
        line({Cell(), Cell(QStringLiteral("Toeslagen vervangingen:"))});
        for (const clsToeslag2008& surcharge : m_dv.toeslagen())
            line({symbolCell(surcharge.IsTALVO),
                  Cell(shortened(surcharge.ToeslagTekst, ScreenPostLength)),
                  {},
                  {},
                  {},
                  {},
                  Cell(euro(surcharge.ToeslagWaarde)),
                  Cell(euro(surcharge.ToeslagWaardeNCW), Alignment::Right),
                  Cell(m_dv.rapPercVanDV(surcharge.ToeslagWaardeNCW), Alignment::Right)});
    }

    // A general surcharge: yearly for ever unless no years are given.
    void surchargeLine(int conformity, const QString& label, bool yearly, const QString& cost, float amount)
    {
        const auto years = [yearly](const char* text) {
            return Cell(yearly ? QString::fromUtf8(text) : QString());
        };
        line({symbolCell(conformity),
              Cell(label),
              {},
              years("1"),
              years("oo"),
              years("1x per jr"),
              Cell(cost),
              Cell(euro(amount), Alignment::Right),
              Cell(m_dv.rapPercVanDV(amount), Alignment::Right)});
    }

    void blockC()
    {
        m_writer.tableRule();
        heading(QStringLiteral("C: Toeslagen algemene nazorgkosten"));
        surchargeLine(m_dv.rapIsTALVORapEval(), QStringLiteral("Rapportage/evaluatie"), true,
                      m_dv.rapRapEvalKostenCalculatie(), m_dv.sngRapEvalKostenKAP());
        surchargeLine(m_dv.rapIsTALVOCommKosten(), QStringLiteral("Communicatie"), true,
                      euro(m_dv.sngCommunicatieKostenPerJaar()), m_dv.sngCommunicatieKostenKAP());
        const float percentage = m_dv.sngAppKostenBasisPerc() * 100.0f;
        surchargeLine(m_dv.rapIsTALVOAppKosten(), QStringLiteral("Apparaatskosten algemeen"), false,
                      euro(m_dv.sngAppKostenBasisPerJaar()) + QStringLiteral(" per jaar plus ") +
                          formats::ordinaryText(percentage) +
                          (screen() ? QStringLiteral("% van (A+B)") : QStringLiteral(" % van (A+B)")),
                      m_dv.sngAppKostenTotaalKAP());
        amountLine({}, QStringLiteral("Toeslagen algemene nazorgkosten (C):"), m_dv.somC());
        blank();
    }

    void totals()
    {
        if (m_writer.isDocument())
            heading(QStringLiteral("Berekening doelvermogen"));
        amountLine({}, QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"),
                   m_dv.DoelvermogenZonderRisicoFonds());
        amountLine({}, QStringLiteral("Risicobedrag"), m_dv.sngRisicobedragKAP());
        line({Cell(),
              Cell({Run::boldText(QStringLiteral("DOELVERMOGEN "))}),
              {},
              {},
              {},
              {},
              {},
              Cell({Run::boldText(euro(m_dv.DoelvermogenMetRisicoFonds()))}, Alignment::Right)});
        blank();
    }

    void legend()
    {
        heading(QStringLiteral("Verklaring:"));
        const auto symbolLine = [this](int code, const QString& text) {
            line({Cell({Run::symbol(code)}), Cell(text)});
        };
        symbolLine(252, QStringLiteral(": TALVO-checklistpost, invoer voldoet aan criteria;"));
        symbolLine(214, screen() ? QStringLiteral(": TALVO-checklistpost, invoer voldoet niet aan criteria;")
                                 : QStringLiteral(": TALVO-checklistpost, invoer voldoet niet aan criteria "
                                                  "(cursief weergeven kentallen);"));
        symbolLine(250, QStringLiteral(": door de gebruiker gedefinieerde kostenpost."));
        for (const QString& text :
             {QStringLiteral(
                  "De kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in."),
              QStringLiteral("De jaren 'eerste uitgave' en 'laatste uitgave' zijn uitgedrukt in jaren na "
                             "aanvang nazorg, waarbij jaar 1= jaar van aanvang nazorg."),
              QStringLiteral("Indien van toepassing, staat daarachter tussen haakjes het kalenderjaar dat "
                             "ingevoerd is.")})
            line({Cell(), Cell(text)});
    }

    ReportWriter& m_writer;
    const clsDV& m_dv;
    DVReportRows& m_rows;
    DVGrouping m_grouping;
};

// --- the levy section ---

QList<TabStop> levyTabs()
{
    return {TabStop{2.0}, TabStop{5.7, TabStop::Align::Right}, TabStop{7.8, TabStop::Align::Right},
            TabStop{11.4, TabStop::Align::Right}};
}

void levyLine(ReportWriter& writer, const QStringList& columns, bool bold = false)
{
    Paragraph paragraph({styled(columns.join(QLatin1Char('\t')), bold)});
    paragraph.tabs = levyTabs();
    writer.paragraph(paragraph);
}

void levyHeading(ReportWriter& writer)
{
    if (writer.isDocument()) {
        writer.beginSection(portraitPage());
        writer.paragraph(Paragraph(QStringLiteral("Rapportage heffingen"), 15));
        return;
    }
    for (int i = 0; i < 3; ++i)
        writer.paragraph(Paragraph(QString()));
    writer.paragraph(Paragraph({Run::boldText(QStringLiteral("Rapportage heffingen:"))}));
}

// What the levy raises: the facility's own target capital, or the equalisation group's together.
void levyBasis(ReportWriter& writer, const clsDV& calculation, const clsHeffing& levy)
{
    if (levy.bytObjectGebonden != 0) {
        writer.paragraph(Paragraph(QStringLiteral("Aanvang nazorg: ") +
                                   formats::date(levy.DatumAanvangNazorg(), QStringLiteral("dd-mm-yyyy"))));
        writer.paragraph(
            Paragraph(QStringLiteral("Doelvermogen: ") + euro(calculation.DoelvermogenMetRisicoFonds())));
        return;
    }
    writer.paragraph(Paragraph(QStringLiteral(
        "Het doelvermogen van alle niet-objectgebonden inrichtingen in deze provincie en het "
        "geprognotiseerde afvalaanbod van deze inrichtingen is gesommeerd. Op basis van verevening "
        "is de heffing uitgerekend. ")));
    writer.paragraph(
        Paragraph(QStringLiteral("Betrokken inrichtingen: ") + levy.rapStortNamen + QStringLiteral(". ")));
    writer.paragraph(Paragraph(QStringLiteral("Gezamenlijk NCW, uitgedrukt in prijspeil ") +
                               QString::number(calculation.jaarPrijspeil()) + QStringLiteral(": ") +
                               euro(levy.DVref)));
}

void levyTable(ReportWriter& writer, const clsHeffing& levy)
{
    const QString control =
        levy.bytObjectGebonden != 0 ? QStringLiteral("doelvermogen") : QStringLiteral("NCW");
    // The document writes its headings in lower case.
    const QStringList headings =
        writer.isDocument() ? QStringList{QStringLiteral("jaar"), QStringLiteral("aantal kTon"),
                                          QStringLiteral("heffing/ton *"), QStringLiteral("heffing *"),
                                          QStringLiteral("controle ") + control}
                            : QStringList{QStringLiteral("Jaar"), QStringLiteral("Aantal kTon"),
                                          QStringLiteral("Heffing/ton *"), QStringLiteral("Heffing *"),
                                          QStringLiteral("Controle ") + control};
    levyLine(writer, headings, true);
    for (int i = 1; i <= levy.intAantaljaren; ++i)
        levyLine(writer, {QString::number(levy.rapJaar(i)), QString::number(levy.rapAantalKtonPerJaar(i)),
                          formats::number(levy.rapHeffingPerTonInJaar(i), QStringLiteral("€ #,##0.00")),
                          euro(levy.rapHeffingInJaar(i)), euro(levy.rapControleDV(i))});
    levyLine(writer, {writer.isDocument() ? QStringLiteral("Totaal ") : QStringLiteral("Totaal"),
                      QString::number(levy.rapAantalKtonTotaal()),
                      {},
                      {},
                      euro(levy.rapControleDVsom())});
}

} // namespace

bool writeTargetCapital(ReportWriter& writer, Workspace& workspace, const clsDV& calculation,
                        DVGrouping grouping, const Progress& progress)
{
    // The rows are read before anything is written, so that a failure leaves no half section.
    DVReportRows rows(workspace, calculation);
    if (!rows.rapOpenActRecordset(grouping))
        return false;
    return TargetCapitalSection(writer, calculation, rows, grouping).write(progress);
}

void writeLevy(ReportWriter& writer, const clsDV& calculation, const clsHeffing& levy)
{
    levyHeading(writer);
    levyBasis(writer, calculation, levy);
    writer.paragraph(Paragraph(QString()));
    levyTable(writer, levy);
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(Paragraph(
        QStringLiteral(" *) Uitgedrukt in het prijspeil van het jaar waarin de heffing van toepassing is.")));
}

} // namespace dovra::report
