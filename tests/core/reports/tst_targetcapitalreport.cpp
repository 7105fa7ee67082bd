// The target capital section and the levy section of the report, written into a document and into the
// report window: layout, grouping, the rows of the cost items and surcharges, and the levy per year.
#include "reports/targetcapitalreport.h"

#include "base/formats.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "reports/docxdocument.h"
#include "reports/screenreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;
using report::DocxDocument;
using report::ScreenReport;

namespace {

// One landfill version with a fixed design and supervision percentage and one mowing item: yearly for ever
// from aftercare year 1, one or two times a year, a total amount of 500 to 5000.
const char* const ChecklistSql = R"(
INSERT INTO tblStortType VALUES (1, 'stortplaats');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngCommunicatieMIN,
    sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken,
    sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax) VALUES
    (1, 'stortplaatsen', '2008-01-01', 1, 2010, 2000, -999, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12,
        0, 0, 0);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, blnIsCombinatiePost, blnCombinatieMogelijk,
    bytObjectCat_REF, strVoorz, strOmschrijving, bytRubriek_REF, intStartJaar, bytStartBA, bytOptieEind, bytEindBA,
    bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX,
    bytTypeVervangingsToeslag) VALUES
    (10, 1, -1, 0, 0, 2, 'Bovenafdichting', 'Maaien', 4, 1, 0, 3, 0, 2, 1, 2, 2, 500, 5000, 0);
)";

// Without interest and inflation, and with the price level year as start year, a yearly cost for ever is
// worth 1000 times its amount and a one-off cost its amount.
// Zuid (1): a checklist item whose cost alone fails (its cost option differs), a conforming one, and
// user-defined items in rubrics 2, 5 and 6, over three object categories; communication below the
// checklist's minimum. Noord (2): one yearly item. Zuid and Noord are equalised; Eigen put (3) is
// object-bound.
const char* const DataSql = R"(
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, bytBedrijfsGebonden,
    bytObjectGebonden, sngRentePerc, sngInflPerc, intJaarPrijspeil, dtmAanvangNazorg, sngNazorgOpp, bytRapEval,
    sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngAlgAppKostenBasis,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES
    (1, 'Zuid', 120, 1, 1, 0, 0, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 1500, 5000, 3, 10, 12, 250000),
    (2, 'Noord', 120, 1, 1, 0, 0, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0),
    (3, 'Eigen put', 120, 1, 1, 0, 1, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 3, 'Peilbuizen'), (3, 1, 7, 'Toegangsweg'),
    (4, 2, 2, 'Bovenafdichting'), (5, 3, 2, 'Bovenafdichting');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX,
    bytOptieKosten, sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, dtmMut) VALUES
    (1, 1, 1, 10, 2, 'Maaien talud en kruin van de bovenafdichting', 4, 2, 1, 0, 3, 0, 2, 1, 3, NULL, 0.25,
        12000, 'm2 talud en kruin (tweemaal maaien)', '2020-01-01T00:00:00'),
    (2, 1, 1, 10, 1, 'Onderhoud grasmat', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (3, 1, 2, NULL, 0, 'Bemonstering grondwater', 2, 2, 1, 0, 3, 0, 2, 1, 2, 500, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (4, 1, 2, NULL, 0, 'Vervangen peilbuizen', 5, 2, 20, 0, 3, 0, 1, NULL, 2, 25000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (5, 1, 3, NULL, 0, 'Onderhoud toegangsweg', 6, 2, 10, 0, 3, 0, 1, NULL, 2, 2000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (6, 2, 4, NULL, 0, 'Maaien dijk', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL, '2020-01-01T00:00:00'),
    (7, 3, 5, NULL, 0, 'Maaien', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL, '2020-01-01T00:00:00');
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES
    (1, 2010, 50), (1, 2011, 60), (2, 2011, 40), (2, 2012, 30), (3, 2010, 100), (3, 2011, 120);
)";

const QString OutsideCriteria = QString(QChar(214));
const QString WithinCriteria = QString(QChar(252));
const QString UserDefined = QString(QChar(250));

// A table row of the document: nine cells, the ones not given empty.
QStringList row(QStringList cells)
{
    cells.resize(9);
    return cells;
}

QStringList amountRow(const QString& label, const QString& amount, const QString& share,
                      const QString& symbol = {})
{
    return {symbol, label, {}, {}, {}, {}, {}, amount, share};
}

const QStringList Blank = row({});

// The document's last rows of Zuid, from block A on; Zuid's target capital without risk is 15,127,340.
QList<QStringList> zuidBlocksAToEnd()
{
    return {
        amountRow(QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), QStringLiteral("€ 4.500.000"),
                  QStringLiteral("(29,7%)")),
        amountRow(QStringLiteral("Toeslag onvoorzien (10,0%)"), QStringLiteral("€ 450.000"),
                  QStringLiteral("(3,0%)"), WithinCriteria),
        amountRow(QStringLiteral("Jaarlijkse nazorgkosten (A)"), QStringLiteral("€ 4.950.000"),
                  QStringLiteral("(32,7%)")),
        Blank,
        amountRow(QStringLiteral("Subtotaal vervangingskosten"), QStringLiteral("€ 25.000"),
                  QStringLiteral("(0,2%)")),
        amountRow(QStringLiteral("Toeslag ontwerp/directie (12,0%)"), QStringLiteral("€ 3.000"),
                  QStringLiteral("(0,0%)"), WithinCriteria),
        amountRow(QStringLiteral("Vervangingskosten (B)"), QStringLiteral("€ 28.000"),
                  QStringLiteral("(0,2%)")),
        Blank,
        Blank, // the rule
        row({{}, QStringLiteral("C: Toeslagen algemene nazorgkosten")}),
        {WithinCriteria,
         QStringLiteral("Rapportage/evaluatie"),
         {},
         QStringLiteral("1"),
         QStringLiteral("oo"),
         QStringLiteral("1x per jr"),
         QStringLiteral("€ 3.500"),
         QStringLiteral("€ 3.500.000"),
         QStringLiteral("(23,1%)")},
        {OutsideCriteria,
         QStringLiteral("Communicatie"),
         {},
         QStringLiteral("1"),
         QStringLiteral("oo"),
         QStringLiteral("1x per jr"),
         QStringLiteral("€ 1.500"),
         QStringLiteral("€ 1.500.000"),
         QStringLiteral("(9,9%)")},
        // 5,000,000 plus 3 % of A + B.
        {WithinCriteria,
         QStringLiteral("Apparaatskosten algemeen"),
         {},
         {},
         {},
         {},
         QStringLiteral("€ 5.000 per jaar plus 3 % van (A+B)"),
         QStringLiteral("€ 5.149.340"),
         QStringLiteral("(34,0%)")},
        amountRow(QStringLiteral("Toeslagen algemene nazorgkosten (C):"), QStringLiteral("€ 10.149.340"),
                  QStringLiteral("(67,1%)")),
        Blank,
        row({{}, QStringLiteral("Berekening doelvermogen")}),
        amountRow(QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"),
                  QStringLiteral("€ 15.127.340"), QStringLiteral("(100,0%)")),
        amountRow(QStringLiteral("Risicobedrag"), QStringLiteral("€ 250.000"), QStringLiteral("(1,7%)")),
        amountRow(QStringLiteral("DOELVERMOGEN "), QStringLiteral("€ 15.377.340"), {}),
        Blank,
        row({{}, QStringLiteral("Verklaring:")}),
        row({WithinCriteria, QStringLiteral(": TALVO-checklistpost, invoer voldoet aan criteria;")}),
        row({OutsideCriteria,
             QStringLiteral(": TALVO-checklistpost, invoer voldoet niet aan criteria (cursief "
                            "weergeven kentallen);")}),
        row({UserDefined, QStringLiteral(": door de gebruiker gedefinieerde kostenpost.")}),
        row({{},
             QStringLiteral(
                 "De kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in.")}),
        row({{},
             QStringLiteral(
                 "De jaren 'eerste uitgave' en 'laatste uitgave' zijn uitgedrukt in jaren na aanvang "
                 "nazorg, waarbij jaar 1= jaar van aanvang nazorg.")}),
        row({{},
             QStringLiteral(
                 "Indien van toepassing, staat daarachter tussen haakjes het kalenderjaar dat ingevoerd "
                 "is.")}),
    };
}

QStringList zuidMowingOutsideCriteria()
{
    return {OutsideCriteria,
            QStringLiteral("Maaien talud en kruin van de bovenafdichting"),
            {},
            QStringLiteral("1"),
            QStringLiteral("oo"),
            QStringLiteral("1x per jr"),
            QStringLiteral("12000 x € 0,25/m2 talud en kruin (tweemaal maaien) = € 3.000"),
            QStringLiteral("€ 3.000.000"),
            QStringLiteral("(19,8%)")};
}

QStringList zuidMowingWithinCriteria()
{
    return {WithinCriteria,
            QStringLiteral("Onderhoud grasmat"),
            {},
            QStringLiteral("1"),
            QStringLiteral("oo"),
            QStringLiteral("1x per jr"),
            QStringLiteral("€ 1.000,00"),
            QStringLiteral("€ 1.000.000"),
            QStringLiteral("(6,6%)")};
}

QStringList zuidSampling()
{
    return {UserDefined,
            QStringLiteral("Bemonstering grondwater"),
            {},
            QStringLiteral("1"),
            QStringLiteral("oo"),
            QStringLiteral("1x per jr"),
            QStringLiteral("€ 500,00"),
            QStringLiteral("€ 500.000"),
            QStringLiteral("(3,3%)")};
}

// One-off items: "eenm." and no last year.
QStringList zuidReplacement()
{
    return {UserDefined,
            QStringLiteral("Vervangen peilbuizen"),
            {},
            QStringLiteral("20"),
            QStringLiteral("-"),
            QStringLiteral("eenm."),
            QStringLiteral("€ 25.000,00"),
            QStringLiteral("€ 25.000"),
            QStringLiteral("(0,2%)")};
}

QStringList zuidRoad()
{
    return {UserDefined,
            QStringLiteral("Onderhoud toegangsweg"),
            {},
            QStringLiteral("10"),
            QStringLiteral("-"),
            QStringLiteral("eenm."),
            QStringLiteral("€ 2.000,00"),
            QStringLiteral("€ 2.000"),
            QStringLiteral("(0,0%)")};
}

QStringList heading(const QString& text)
{
    return row({{}, text});
}

// The section written into a new document, read back.
struct WrittenDocument
{
    bool written = false;
    test::DocxContent content;
};

WrittenDocument documentOf(Workspace& workspace, const clsDV& dv, DVGrouping grouping)
{
    DocxDocument document;
    const bool written = report::writeTargetCapital(document, workspace, dv, grouping);
    return {written, test::readDocx(document.part(QStringLiteral("word/document.xml")))};
}

// The section's one table.
const test::DocxTable* tableOf(const test::DocxContent& content)
{
    if (content.sections.size() != 1)
        return nullptr;
    for (const test::DocxBlock& block : content.sections[0].blocks) {
        if (block.isTable)
            return &block.table;
    }
    return nullptr;
}

QList<QStringList> rowTexts(const test::DocxTable& table)
{
    QList<QStringList> rows;
    for (const test::DocxRow& r : table.rows)
        rows.append(r.texts());
    return rows;
}

// The texts of one column, empty cells left out.
QStringList column(const QList<QStringList>& rows, int index)
{
    QStringList texts;
    for (const QStringList& r : rows) {
        if (index < r.size() && !r[index].isEmpty())
            texts.append(r[index]);
    }
    return texts;
}

QStringList screenLines(const ScreenReport& screen)
{
    QStringList lines = screen.plainText().split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

class TargetCapitalReportTest : public test::SqlFilesTest
{
protected:
    void SetUp() override { useFiles(ChecklistSql, DataSql); }

    void calculate(int id)
    {
        ASSERT_TRUE(dv.initializeDV(id));
        ASSERT_TRUE(dv.VerifyBeforeBerekening2());
        ASSERT_TRUE(dv.BerekenAlles());
        ASSERT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    }

    // The rows of the document's table.
    QList<QStringList> documentRows(DVGrouping grouping)
    {
        const WrittenDocument document = documentOf(workspace(), dv, grouping);
        EXPECT_TRUE(document.written);
        EXPECT_EQ(document.content.parseError, QString());
        const test::DocxTable* table = tableOf(document.content);
        if (!table) {
            ADD_FAILURE() << "no table";
            return {};
        }
        // The table never outgrows the rows the calculation reserves for it.
        EXPECT_LE(table->rows.size(), dv.AantalDVtabelRegels());
        return rowTexts(*table);
    }

    QStringList screenOf(DVGrouping grouping)
    {
        ScreenReport screen;
        EXPECT_TRUE(report::writeTargetCapital(screen, workspace(), dv, grouping));
        return screenLines(screen);
    }

    Workspace& workspace() { return folder.workspace(); }

    clsDV dv{folder.workspace()};
};

} // namespace

// --- the document ---

TEST_F(TargetCapitalReportTest, DocumentSectionIsLandscapeWithTitleAndOneTableOfNineColumns)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    const WrittenDocument document = documentOf(workspace(), dv, DVGrouping::Voorziening);
    ASSERT_TRUE(document.written);
    ASSERT_EQ(document.content.sections.size(), 1);
    const test::DocxSection& section = document.content.sections[0];
    EXPECT_TRUE(section.landscape);
    EXPECT_NEAR(section.widthCm, 29.7, 0.01);
    EXPECT_NEAR(section.heightCm, 21.0, 0.01);
    EXPECT_NEAR(section.topCm, 1.4, 0.01);
    EXPECT_NEAR(section.bottomCm, 1.4, 0.01);
    EXPECT_NEAR(section.leftCm, 2.4, 0.01);
    EXPECT_NEAR(section.rightCm, 2.4, 0.01);
    EXPECT_NEAR(section.headerCm, 1.0, 0.01);
    EXPECT_NEAR(section.footerCm, 0.7, 0.01);

    ASSERT_GE(section.blocks.size(), 3);
    ASSERT_FALSE(section.blocks[0].isTable);
    EXPECT_EQ(section.blocks[0].paragraph.text(), QStringLiteral("Rapportage doelvermogen"));
    ASSERT_FALSE(section.blocks[0].paragraph.runs.isEmpty());
    EXPECT_EQ(section.blocks[0].paragraph.runs[0].sizePt, 15.0);
    EXPECT_EQ(section.blocks[1].paragraph.text(), QStringLiteral("Inrichting: Zuid"));
    EXPECT_EQ(section.blocks[1].paragraph.runs[0].sizePt, 8.0);

    ASSERT_TRUE(section.blocks[2].isTable);
    const test::DocxTable& table = section.blocks[2].table;
    const QList<double> widths{0.5, 8.2, 1.3, 1.5, 1.4, 2.0, 6.0, 2.5, 1.7};
    ASSERT_EQ(table.gridCm.size(), widths.size());
    for (qsizetype i = 0; i < widths.size(); ++i)
        EXPECT_NEAR(table.gridCm[i], widths[i], 0.01) << i;

    // Row 1: the column headings, bold and blue.
    ASSERT_FALSE(table.rows.isEmpty());
    EXPECT_EQ(table.rows[0].texts(), row({{},
                                          QStringLiteral("post"),
                                          QStringLiteral("aanleg afd."),
                                          QStringLiteral("eerste uitgave"),
                                          QStringLiteral("laatste uitgave"),
                                          QStringLiteral("frequentie"),
                                          QStringLiteral("kosten (prijspeil 2010)"),
                                          QStringLiteral("NCW")}));
    for (const test::DocxCell& cell : table.rows[0].cells) {
        for (const test::DocxParagraph& paragraph : cell.paragraphs) {
            for (const test::DocxRun& run : paragraph.runs) {
                EXPECT_TRUE(run.bold) << run.text.toStdString();
                EXPECT_EQ(run.colour, QStringLiteral("0000FF")) << run.text.toStdString();
            }
        }
    }
    // Every line of the section is a row of the table; only the empty paragraph a section ends with may
    // follow.
    for (qsizetype i = 3; i < section.blocks.size(); ++i) {
        EXPECT_FALSE(section.blocks[i].isTable);
        EXPECT_EQ(section.blocks[i].paragraph.text(), QString());
    }
}

TEST_F(TargetCapitalReportTest, DocumentByObjectCategoryEndsTheGroupsWithBlocksAAndB)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    QList<QStringList> expected{
        row({{},
             QStringLiteral("post"),
             QStringLiteral("aanleg afd."),
             QStringLiteral("eerste uitgave"),
             QStringLiteral("laatste uitgave"),
             QStringLiteral("frequentie"),
             QStringLiteral("kosten (prijspeil 2010)"),
             QStringLiteral("NCW")}),
        Blank,
        heading(QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten")),
        Blank,
        heading(QStringLiteral("Bovenafdichting")),
        heading(QStringLiteral("Bovenafdichting")),
        zuidMowingOutsideCriteria(),
        zuidMowingWithinCriteria(),
        amountRow(QStringLiteral("Subtotaal Bovenafdichting: "), QStringLiteral("€ 4.000.000"),
                  QStringLiteral("(26,4%)")),
        Blank,
        heading(QStringLiteral("Grondwatermonitoringssysteem")),
        heading(QStringLiteral("Peilbuizen")),
        zuidSampling(),
        zuidReplacement(),
        amountRow(QStringLiteral("Subtotaal Grondwatermonitoringssysteem: "), QStringLiteral("€ 525.000"),
                  QStringLiteral("(3,5%)")),
        Blank,
        heading(QStringLiteral("Overig")),
        heading(QStringLiteral("Toegangsweg")),
        zuidRoad(),
        // Rubric 6 is shown but is not part of the target capital.
        amountRow(QStringLiteral("Subtotaal Overig: "), QStringLiteral("€ 2.000"), QStringLiteral("(0,0%)")),
        Blank,
    };
    expected += zuidBlocksAToEnd();
    const QList<QStringList> rows = documentRows(DVGrouping::Voorziening);
    ASSERT_EQ(rows.size(), expected.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << "row " << i + 1;
}

TEST_F(TargetCapitalReportTest, DocumentMarksOnlyTheFailingCellsOfAnItemOutsideItsCriteria)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    const WrittenDocument document = documentOf(workspace(), dv, DVGrouping::Voorziening);
    const test::DocxTable* table = tableOf(document.content);
    ASSERT_NE(table, nullptr);
    bool outsideSeen = false;
    bool withinSeen = false;
    for (const test::DocxRow& r : table->rows) {
        ASSERT_EQ(r.cells.size(), 9);
        const QString post = r.cells[1].text();
        for (int c = 0; c < 9; ++c) {
            // Its cost alone fails the check: only the cost cell is in italics.
            const bool italic =
                post == QStringLiteral("Maaien talud en kruin van de bovenafdichting") && c == 6;
            EXPECT_EQ(r.cells[c].anyItalic(), italic) << post.toStdString() << " column " << c;
        }
        outsideSeen = outsideSeen || post == QStringLiteral("Maaien talud en kruin van de bovenafdichting");
        withinSeen = withinSeen || post == QStringLiteral("Onderhoud grasmat");
    }
    EXPECT_TRUE(outsideSeen);
    EXPECT_TRUE(withinSeen);
}

TEST_F(TargetCapitalReportTest, ProvisionHeadingsAreUnderlinedAndBlockTotalsBold)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    const WrittenDocument document = documentOf(workspace(), dv, DVGrouping::Voorziening);
    const test::DocxTable* table = tableOf(document.content);
    ASSERT_NE(table, nullptr);
    const auto cellOf = [table](const QString& post, int column) -> const test::DocxCell* {
        for (const test::DocxRow& r : table->rows) {
            if (r.cells.size() == 9 && r.cells[1].text() == post)
                return &r.cells[column];
        }
        return nullptr;
    };
    const auto firstRun = [](const test::DocxCell* cell) {
        EXPECT_NE(cell, nullptr);
        return cell && !cell->paragraphs.isEmpty() && !cell->paragraphs[0].runs.isEmpty()
                   ? cell->paragraphs[0].runs[0]
                   : test::DocxRun{};
    };
    EXPECT_TRUE(firstRun(cellOf(QStringLiteral("Peilbuizen"), 1)).underline);
    EXPECT_FALSE(firstRun(cellOf(QStringLiteral("Peilbuizen"), 1)).bold);
    EXPECT_TRUE(firstRun(cellOf(QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten"), 1)).bold);
    EXPECT_TRUE(firstRun(cellOf(QStringLiteral("Jaarlijkse nazorgkosten (A)"), 1)).bold);
    EXPECT_TRUE(firstRun(cellOf(QStringLiteral("Vervangingskosten (B)"), 7)).bold);
    EXPECT_TRUE(firstRun(cellOf(QStringLiteral("DOELVERMOGEN "), 7)).bold);
    EXPECT_FALSE(firstRun(cellOf(QStringLiteral("Risicobedrag"), 7)).bold);
    EXPECT_EQ(firstRun(cellOf(QStringLiteral("Onderhoud grasmat"), 0)).font, QStringLiteral("Wingdings"));
    // The rule above the general surcharges.
    const QList<QStringList> rows = rowTexts(*table);
    const qsizetype c = rows.indexOf(heading(QStringLiteral("C: Toeslagen algemene nazorgkosten")));
    ASSERT_GT(c, 0);
    EXPECT_TRUE(table->rows[c - 1].cells[1].bottomBorder);
}

TEST_F(TargetCapitalReportTest, ByRubricBlockAComesOnceBeforeTheReplacements)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    const QList<QStringList> rows = documentRows(DVGrouping::Rubriek);
    EXPECT_EQ(column(rows, 1).mid(1, 21),
              (QStringList{QStringLiteral("A: Jaarlijkse kosten"), QStringLiteral("Controlemetingen"),
                           QStringLiteral("Peilbuizen"), QStringLiteral("Bemonstering grondwater"),
                           QStringLiteral("Subtotaal Controlemetingen: "), QStringLiteral("Onderhoud"),
                           QStringLiteral("Bovenafdichting"),
                           QStringLiteral("Maaien talud en kruin van de bovenafdichting"),
                           QStringLiteral("Onderhoud grasmat"), QStringLiteral("Subtotaal Onderhoud: "),
                           QStringLiteral("Subtotaal jaarlijkse nazorgkosten"),
                           QStringLiteral("Toeslag onvoorzien (10,0%)"),
                           QStringLiteral("Jaarlijkse nazorgkosten (A)"),
                           QStringLiteral("B: Vervangingskosten"), QStringLiteral("Peilbuizen"),
                           QStringLiteral("Vervangen peilbuizen"), QStringLiteral("Subtotaal Vervanging: "),
                           // Rubric 6 follows the replacements under its own heading, before block B.
                           QStringLiteral("Overig"), QStringLiteral("Toegangsweg"),
                           QStringLiteral("Onderhoud toegangsweg"), QStringLiteral("Subtotaal Overig: ")}));
    EXPECT_EQ(rows.count(amountRow(QStringLiteral("Subtotaal Controlemetingen: "),
                                   QStringLiteral("€ 500.000"), QStringLiteral("(3,3%)"))),
              1);
    EXPECT_EQ(rows.count(amountRow(QStringLiteral("Subtotaal Onderhoud: "), QStringLiteral("€ 4.000.000"),
                                   QStringLiteral("(26,4%)"))),
              1);
    EXPECT_EQ(rows.count(amountRow(QStringLiteral("Subtotaal Vervanging: "), QStringLiteral("€ 25.000"),
                                   QStringLiteral("(0,2%)"))),
              1);
    EXPECT_EQ(column(rows, 1).count(QStringLiteral("Jaarlijkse nazorgkosten (A)")), 1);
    EXPECT_EQ(column(rows, 1).count(QStringLiteral("B: Vervangingskosten")), 1);
    // The yearly costs end with a rule.
    const qsizetype b = rows.indexOf(heading(QStringLiteral("B: Vervangingskosten")));
    ASSERT_GT(b, 1);
    EXPECT_EQ(rows[b - 1], Blank);
    // From the replacement block on the rows are those of any other grouping.
    const QList<QStringList> tail = zuidBlocksAToEnd().mid(4);
    EXPECT_EQ(rows.mid(rows.size() - tail.size()), tail);
}

TEST_F(TargetCapitalReportTest, ByRubricWithoutReplacementsStillWritesBlockB)
{
    ASSERT_NO_FATAL_FAILURE(calculate(2));
    const QList<QStringList> rows = documentRows(DVGrouping::Rubriek);
    // Noord: 1,000,000 + 10 %, no replacements, C = 3,500,000 + 2,000,000 + 5,000,000 + 3 % of A.
    const QList<QStringList> expected{
        heading(QStringLiteral("A: Jaarlijkse kosten")),
        Blank,
        heading(QStringLiteral("Onderhoud")),
        heading(QStringLiteral("Bovenafdichting")),
        {UserDefined,
         QStringLiteral("Maaien dijk"),
         {},
         QStringLiteral("1"),
         QStringLiteral("oo"),
         QStringLiteral("1x per jr"),
         QStringLiteral("€ 1.000,00"),
         QStringLiteral("€ 1.000.000"),
         QStringLiteral("(8,6%)")},
        amountRow(QStringLiteral("Subtotaal Onderhoud: "), QStringLiteral("€ 1.000.000"),
                  QStringLiteral("(8,6%)")),
        Blank,
        amountRow(QStringLiteral("Subtotaal jaarlijkse nazorgkosten"), QStringLiteral("€ 1.000.000"),
                  QStringLiteral("(8,6%)")),
        amountRow(QStringLiteral("Toeslag onvoorzien (10,0%)"), QStringLiteral("€ 100.000"),
                  QStringLiteral("(0,9%)"), WithinCriteria),
        amountRow(QStringLiteral("Jaarlijkse nazorgkosten (A)"), QStringLiteral("€ 1.100.000"),
                  QStringLiteral("(9,5%)")),
        Blank,
        Blank, // the rule
        heading(QStringLiteral("B: Vervangingskosten")),
        Blank,
        amountRow(QStringLiteral("Subtotaal vervangingskosten"), QStringLiteral("€ 0"),
                  QStringLiteral("(0,0%)")),
        amountRow(QStringLiteral("Toeslag ontwerp/directie (12,0%)"), QStringLiteral("€ 0"),
                  QStringLiteral("(0,0%)"), WithinCriteria),
        amountRow(QStringLiteral("Vervangingskosten (B)"), QStringLiteral("€ 0"), QStringLiteral("(0,0%)")),
        Blank,
    };
    ASSERT_GE(rows.size(), 2 + expected.size());
    EXPECT_EQ(rows.mid(2, expected.size()), expected);
    EXPECT_TRUE(rows.contains(amountRow(QStringLiteral("Totaal A+B+C (reguliere nazorgactiviteiten)"),
                                        QStringLiteral("€ 11.633.000"), QStringLiteral("(100,0%)"))));
}

TEST_F(TargetCapitalReportTest, ByOriginItemsOutsideTheCriteriaComeFirst)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    const QList<QStringList> rows = documentRows(DVGrouping::Talvo);
    QList<QStringList> expected{
        heading(QStringLiteral("A: Jaarlijkse kosten & B: Vervangingskosten")),
        Blank,
        heading(QStringLiteral("Checklistposten, niet conform criteria")),
        heading(QStringLiteral("Bovenafdichting")),
        zuidMowingOutsideCriteria(),
        amountRow(QStringLiteral("Subtotaal Checklistposten, niet conform criteria: "),
                  QStringLiteral("€ 3.000.000"), QStringLiteral("(19,8%)")),
        Blank,
        heading(QStringLiteral("Checklistposten")),
        heading(QStringLiteral("Bovenafdichting")),
        zuidMowingWithinCriteria(),
        amountRow(QStringLiteral("Subtotaal Checklistposten: "), QStringLiteral("€ 1.000.000"),
                  QStringLiteral("(6,6%)")),
        Blank,
        heading(QStringLiteral("Door gebruiker gedefinieerd")),
        heading(QStringLiteral("Peilbuizen")),
        zuidSampling(),
        zuidReplacement(),
        heading(QStringLiteral("Toegangsweg")),
        zuidRoad(),
        amountRow(QStringLiteral("Subtotaal Door gebruiker gedefinieerd: "), QStringLiteral("€ 527.000"),
                  QStringLiteral("(3,5%)")),
        Blank,
    };
    expected += zuidBlocksAToEnd();
    ASSERT_EQ(rows.size(), 2 + expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[2 + i], expected[i]) << "row " << i + 3;
}

// --- the report window ---

TEST_F(TargetCapitalReportTest, ScreenShowsTheSameLinesShortenedWithoutTitle)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    const QString outside = report::symbolLookAlike(214);
    const QString within = report::symbolLookAlike(252);
    const QString user = report::symbolLookAlike(250);
    const QStringList lines = screenOf(DVGrouping::Voorziening);
    const QStringList expectedStart{
        QStringLiteral("\tpost\taanleg\teerste\tlaatste\tfrequentie\tkosten (prijspeil 2010)\tNCW"),
        QStringLiteral("\t\tafd.\tuitgave\tuitgave"),
        QString(),
        QStringLiteral("\tA: Jaarlijkse kosten & B: Vervangingskosten"),
        QString(),
        QStringLiteral("\tBOVENAFDICHTING"),
        QStringLiteral("\tBovenafdichting"),
        // The post cut at 35 characters, the cost at 40.
        outside + QStringLiteral(
                      "\tMaaien talud en kruin van de bovena\t\t1\too\t1x per jr\t12000 x € 0,25/m2 talud "
                      "en kruin (tweema\t€ 3.000.000\t(19,8%)"),
        within + QStringLiteral("\tOnderhoud grasmat\t\t1\too\t1x per jr\t€ 1.000,00\t€ 1.000.000\t(6,6%)"),
        QStringLiteral("\tSubtotaal bovenafdichting: \t\t\t\t\t\t€ 4.000.000\t(26,4%)"),
        QString(),
        QStringLiteral("\tGRONDWATERMONITORINGSSYSTEEM"),
        QStringLiteral("\tPeilbuizen"),
        user + QStringLiteral("\tBemonstering grondwater\t\t1\too\t1x per jr\t€ 500,00\t€ 500.000\t(3,3%)"),
        user + QStringLiteral("\tVervangen peilbuizen\t\t20\t-\teenm.\t€ 25.000,00\t€ 25.000\t(0,2%)"),
        QStringLiteral("\tSubtotaal grondwatermonitoringssysteem: \t\t\t\t\t\t€ 525.000\t(3,5%)"),
    };
    ASSERT_GE(lines.size(), expectedStart.size());
    EXPECT_EQ(lines.mid(0, expectedStart.size()), expectedStart);

    const QStringList expectedEnd{
        QStringLiteral("\t\t\t\t\t\t\t\t\t"), // the rule
        QStringLiteral("\tC: Toeslagen algemene nazorgkosten"),
        within + QStringLiteral("\tRapportage/evaluatie\t\t1\too\t1x per jr\t€ 3.500\t€ 3.500.000\t(23,1%)"),
        outside + QStringLiteral("\tCommunicatie\t\t1\too\t1x per jr\t€ 1.500\t€ 1.500.000\t(9,9%)"),
        within + QStringLiteral("\tApparaatskosten algemeen\t\t\t\t\t€ 5.000 per jaar plus 3% van (A+B)\t"
                                "€ 5.149.340\t(34,0%)"),
        QStringLiteral("\tToeslagen algemene nazorgkosten (C):\t\t\t\t\t\t€ 10.149.340\t(67,1%)"),
        QString(),
        // No heading above the totals on screen.
        QStringLiteral("\tTotaal A+B+C (reguliere nazorgactiviteiten)\t\t\t\t\t\t€ 15.127.340\t(100,0%)"),
        QStringLiteral("\tRisicobedrag\t\t\t\t\t\t€ 250.000\t(1,7%)"),
        QStringLiteral("\tDOELVERMOGEN \t\t\t\t\t\t€ 15.377.340"),
        QString(),
        QStringLiteral("\tVerklaring:"),
        within + QStringLiteral("\t: TALVO-checklistpost, invoer voldoet aan criteria;"),
        outside + QStringLiteral("\t: TALVO-checklistpost, invoer voldoet niet aan criteria;"),
        user + QStringLiteral("\t: door de gebruiker gedefinieerde kostenpost."),
        QStringLiteral("\tDe kolom 'aanleg afd.' geeft het ingevoerde jaar van aanleg bovenafdichting in."),
        QStringLiteral(
            "\tDe jaren 'eerste uitgave' en 'laatste uitgave' zijn uitgedrukt in jaren na aanvang nazorg, "
            "waarbij jaar 1= jaar van aanvang nazorg."),
        QStringLiteral(
            "\tIndien van toepassing, staat daarachter tussen haakjes het kalenderjaar dat ingevoerd is."),
    };
    EXPECT_EQ(lines.mid(lines.size() - expectedEnd.size()), expectedEnd);
    EXPECT_FALSE(lines.contains(QStringLiteral("Rapportage doelvermogen")));
    EXPECT_FALSE(lines.contains(QStringLiteral("\tBerekening doelvermogen")));
}

TEST_F(TargetCapitalReportTest, ScreenUsesTheTableTabStopsAndNoItalics)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    ScreenReport screen;
    ASSERT_TRUE(report::writeTargetCapital(screen, workspace(), dv, DVGrouping::Rubriek));
    const QList<double> stops{0.5, 5.5, 6.7, 7.9, 9.1, 10.9, 15.6, 17.2};
    ASSERT_FALSE(screen.paragraphs().isEmpty());
    for (const report::Paragraph& paragraph : screen.paragraphs()) {
        ASSERT_EQ(paragraph.tabs.size(), stops.size());
        for (qsizetype i = 0; i < stops.size(); ++i)
            EXPECT_EQ(paragraph.tabs[i].positionCm, stops[i]);
        for (const report::Run& run : paragraph.runs)
            EXPECT_FALSE(run.italic) << run.text.toStdString();
    }
    // The column headings are bold and blue, the section headings bold.
    const report::Run& post = screen.paragraphs()[0].runs[1];
    EXPECT_EQ(post.text, QStringLiteral("post"));
    EXPECT_TRUE(post.bold);
    EXPECT_EQ(post.colour, 0x0000FFu);
    const QStringList lines = screenLines(screen);
    const qsizetype b = lines.indexOf(QStringLiteral("\tB: Vervangingskosten"));
    ASSERT_GT(b, 0);
    EXPECT_TRUE(screen.paragraphs()[b].runs.last().bold);
    // By rubric, the group headings in capitals and the subtotals in lower case.
    EXPECT_TRUE(lines.contains(QStringLiteral("\tCONTROLEMETINGEN")));
    EXPECT_TRUE(lines.contains(QStringLiteral("\tSubtotaal vervanging: \t\t\t\t\t\t€ 25.000\t(0,2%)")));
    EXPECT_EQ(lines.count(QStringLiteral("\tB: Vervangingskosten")), 1);
}

// --- progress and failures ---

TEST_F(TargetCapitalReportTest, ProgressCountsTheCostItems)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    QList<int> steps;
    ScreenReport screen;
    ASSERT_TRUE(report::writeTargetCapital(screen, workspace(), dv, DVGrouping::Talvo,
                                           [&steps](int done) { steps.append(done); }));
    EXPECT_EQ(steps, (QList<int>{1, 2, 3, 4, 5}));
}

TEST_F(TargetCapitalReportTest, NoSectionWhenARowIsNotInTheCalculation)
{
    ASSERT_NO_FATAL_FAILURE(calculate(2));
    // A cost item added after the calculation.
    ASSERT_TRUE(workspace().dataDatabase()->exec(
        QStringLiteral("INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, "
                       "bytRubriek_REF) VALUES (40, 2, 4, 0, 'Nieuw', 4)")));
    ScreenReport screen;
    EXPECT_FALSE(report::writeTargetCapital(screen, workspace(), dv, DVGrouping::Voorziening));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Doelvermogen-ID 40 niet gevonden."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Fout in rapActiveerDV_ID Noord"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
}

TEST_F(TargetCapitalReportTest, NoSectionWhenTheRowsCannotBeRead)
{
    ASSERT_NO_FATAL_FAILURE(calculate(2));
    ASSERT_TRUE(workspace().dataDatabase()->exec(QStringLiteral("DROP TABLE tblAct")));
    DocxDocument document;
    EXPECT_FALSE(report::writeTargetCapital(document, workspace(), dv, DVGrouping::Rubriek));
    // Nothing was written.
    const test::DocxContent content = test::readDocx(document.part(QStringLiteral("word/document.xml")));
    EXPECT_TRUE(content.lines().join(QString()).isEmpty()) << content.lines().join(u'|').toStdString();
}

// --- the levy ---

TEST_F(TargetCapitalReportTest, LevyOfAnObjectBoundFacilityInTheDocument)
{
    ASSERT_NO_FATAL_FAILURE(calculate(3));
    clsHeffing levy(workspace(), 3);
    levy.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(levy.ValidatieOK);
    ASSERT_EQ(levy.intAantaljaren, 2);

    DocxDocument document;
    report::writeLevy(document, dv, levy);
    const test::DocxContent content = test::readDocx(document.part(QStringLiteral("word/document.xml")));
    ASSERT_EQ(content.sections.size(), 1);
    const test::DocxSection& section = content.sections[0];
    EXPECT_FALSE(section.landscape);
    EXPECT_NEAR(section.widthCm, 21.0, 0.01);
    EXPECT_NEAR(section.heightCm, 29.7, 0.01);
    for (double margin : {section.topCm, section.bottomCm, section.leftCm, section.rightCm})
        EXPECT_NEAR(margin, 2.0, 0.01);
    EXPECT_NEAR(section.headerCm, 1.0, 0.01);
    EXPECT_NEAR(section.footerCm, 1.0, 0.01);

    // Eigen put: 1,100,000 + 3,500,000 + 2,000,000 + 5,000,000 + 33,000, raised from 220 kton.
    EXPECT_EQ(
        section.lines(),
        (QStringList{QStringLiteral("Rapportage heffingen"), QStringLiteral("Aanvang nazorg: 01-01-2010"),
                     QStringLiteral("Doelvermogen: € 11.633.000"), QString(),
                     QStringLiteral("jaar\taantal kTon\theffing/ton *\theffing *\tcontrole doelvermogen"),
                     QStringLiteral("2010\t100\t€ 52,88\t€ 5.287.727\t€ 5.287.727"),
                     QStringLiteral("2011\t120\t€ 52,88\t€ 6.345.273\t€ 6.345.273"),
                     QStringLiteral("Totaal \t220\t\t\t€ 11.633.000"), QString(), QString(),
                     QStringLiteral(" *) Uitgedrukt in het prijspeil van het jaar waarin de heffing van "
                                    "toepassing is.")}));
    EXPECT_EQ(section.blocks[0].paragraph.runs[0].sizePt, 15.0);
    EXPECT_EQ(section.blocks[5].paragraph.runs[0].sizePt, 8.0);
}

TEST_F(TargetCapitalReportTest, EqualisedLevyOnScreenNamesTheGroup)
{
    ASSERT_NO_FATAL_FAILURE(calculate(1));
    clsHeffing levy(workspace(), 1);
    levy.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(levy.ValidatieOK) << recorder.texts().join(u'|').toStdString();
    ASSERT_EQ(levy.intAantaljaren, 3);

    ScreenReport screen;
    report::writeLevy(screen, dv, levy);
    // Zuid 15,377,340 and Noord 11,633,000 together, raised from 180 kton: 50 in 2010, 100 in 2011 and 30 in
    // 2012; without interest every year's control is its levy.
    const double perTon = 27'010'340 / 180'000.0;
    const auto yearLine = [perTon](int year, int kton) -> QString {
        const QString levyInYear = formats::number(perTon * kton * 1000, QStringLiteral("€ #,#0"));
        return QString::number(year) + u'\t' + QString::number(kton) + u'\t' +
               formats::number(perTon, QStringLiteral("€ #,##0.00")) + u'\t' + levyInYear + u'\t' +
               levyInYear;
    };
    EXPECT_EQ(yearLine(2011, 100), QStringLiteral("2011\t100\t€ 150,06\t€ 15.005.744\t€ 15.005.744"));
    EXPECT_EQ(
        screenLines(screen),
        (QStringList{QString(), QString(), QString(), QStringLiteral("Rapportage heffingen:"),
                     QStringLiteral("Het doelvermogen van alle niet-objectgebonden inrichtingen in deze "
                                    "provincie en het geprognotiseerde afvalaanbod van deze inrichtingen is "
                                    "gesommeerd. Op basis van verevening is de heffing uitgerekend. "),
                     QStringLiteral("Betrokken inrichtingen:, Zuid, Noord. "),
                     QStringLiteral("Gezamenlijk NCW, uitgedrukt in prijspeil 2010: € 27.010.340"), QString(),
                     QStringLiteral("Jaar\tAantal kTon\tHeffing/ton *\tHeffing *\tControle NCW"),
                     yearLine(2010, 50), yearLine(2011, 100), yearLine(2012, 30),
                     QStringLiteral("Totaal\t180\t\t\t€ 27.010.340"), QString(), QString(),
                     QStringLiteral(" *) Uitgedrukt in het prijspeil van het jaar waarin de heffing van "
                                    "toepassing is.")}));
    // The table's tab stops: the supply left at 2 cm, the amounts right.
    const report::Paragraph& total = screen.paragraphs()[12];
    ASSERT_EQ(total.tabs.size(), 4);
    const QList<std::pair<double, report::TabStop::Align>> stops{{2.0, report::TabStop::Align::Left},
                                                                 {5.7, report::TabStop::Align::Right},
                                                                 {7.8, report::TabStop::Align::Right},
                                                                 {11.4, report::TabStop::Align::Right}};
    for (qsizetype i = 0; i < stops.size(); ++i) {
        EXPECT_EQ(total.tabs[i].positionCm, stops[i].first);
        EXPECT_EQ(total.tabs[i].align, stops[i].second);
    }
}

// --- the demo data ---

class DemoReportTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDemoData()); }

    Workspace& workspace() { return folder.workspace(); }

    test::ProgramFolder folder;
    MessageRecorder recorder;
};

TEST_F(DemoReportTest, EveryFacilityAndGroupingFitsItsTable)
{
    for (int id : {1, 2, 3}) {
        SCOPED_TRACE(id);
        clsDV dv(workspace());
        ASSERT_TRUE(dv.initializeDV(id) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles());
        for (DVGrouping grouping : {DVGrouping::Voorziening, DVGrouping::Rubriek, DVGrouping::Talvo}) {
            SCOPED_TRACE(int(grouping));
            int items = 0;
            DocxDocument document;
            ASSERT_TRUE(report::writeTargetCapital(document, workspace(), dv, grouping,
                                                   [&items](int done) { items = done; }));
            EXPECT_EQ(items, dv.AantalKostenposten());
            const test::DocxContent content =
                test::readDocx(document.part(QStringLiteral("word/document.xml")));
            const test::DocxTable* table = tableOf(content);
            ASSERT_NE(table, nullptr);
            EXPECT_LE(table->rows.size(), dv.AantalDVtabelRegels());
            const QList<QStringList> rows = rowTexts(*table);
            EXPECT_TRUE(rows.contains(
                amountRow(QStringLiteral("DOELVERMOGEN "),
                          formats::number(dv.DoelvermogenMetRisicoFonds(), QStringLiteral("€ #,#0")), {})));
        }
        EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    }
}

TEST_F(DemoReportTest, DifferentiatedReplacementSurchargesAreListedInBlockB)
{
    clsDV dv(workspace());
    ASSERT_TRUE(dv.initializeDV(1) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles());
    ASSERT_TRUE(dv.GebruikGedifferentieerdeToeslagB());
    ASSERT_FALSE(dv.toeslagen().empty());

    DocxDocument document;
    ASSERT_TRUE(report::writeTargetCapital(document, workspace(), dv, DVGrouping::Voorziening));
    const test::DocxContent content = test::readDocx(document.part(QStringLiteral("word/document.xml")));
    const test::DocxTable* table = tableOf(content);
    ASSERT_NE(table, nullptr);
    const QList<QStringList> rows = rowTexts(*table);
    ScreenReport screen;
    ASSERT_TRUE(report::writeTargetCapital(screen, workspace(), dv, DVGrouping::Voorziening));
    const QStringList lines = screenLines(screen);

    const auto euro = [](float amount) {
        return formats::number(amount, QStringLiteral("€ #,#0"));
    };
    const qsizetype first = rows.indexOf(heading(QStringLiteral("Toeslagen vervangingen:")));
    ASSERT_GT(first, 0);
    EXPECT_EQ(rows[first - 1][1], QStringLiteral("Subtotaal vervangingskosten"));
    const qsizetype screenFirst = lines.indexOf(QStringLiteral("\tToeslagen vervangingen:"));
    ASSERT_GT(screenFirst, 0);
    qsizetype i = 0;
    for (const clsToeslag2008& surcharge : dv.toeslagen()) {
        ++i;
        const QString symbol = surcharge.IsTALVO == 1 ? WithinCriteria : OutsideCriteria;
        const QString share = dv.rapPercVanDV(surcharge.ToeslagWaardeNCW);
        EXPECT_EQ(rows[first + i], (QStringList{symbol,
                                                surcharge.ToeslagTekst,
                                                {},
                                                {},
                                                {},
                                                {},
                                                euro(surcharge.ToeslagWaarde),
                                                euro(surcharge.ToeslagWaardeNCW),
                                                share}));
        EXPECT_EQ(lines[screenFirst + i], report::symbolLookAlike(symbol[0].unicode()) + u'\t' +
                                              surcharge.ToeslagTekst.left(35) + QStringLiteral("\t\t\t\t\t") +
                                              euro(surcharge.ToeslagWaarde) + u'\t' +
                                              euro(surcharge.ToeslagWaardeNCW) + u'\t' + share);
    }
    EXPECT_EQ(rows[first + i + 1],
              amountRow(QStringLiteral("Vervangingskosten (B)"), euro(dv.somB_inclDirectievoering()),
                        dv.rapPercVanDV(dv.somB_inclDirectievoering())));
}

TEST_F(DemoReportTest, DemoLandfillsShareOneLevy)
{
    clsDV dv(workspace());
    ASSERT_TRUE(dv.initializeDV(1) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles());
    clsHeffing levy(workspace(), 1);
    levy.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(levy.ValidatieOK) << recorder.texts().join(u'|').toStdString();
    DocxDocument document;
    report::writeLevy(document, dv, levy);
    const QStringList lines = test::readDocx(document.part(QStringLiteral("word/document.xml"))).lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("Betrokken inrichtingen:, Stortplaats De Kragge, Stortplaats "
                                              "Vlagheide. ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("jaar\taantal kTon\theffing/ton *\theffing *\tcontrole NCW")));
    // 2025 to 2029; the supply of both landfills together.
    EXPECT_TRUE(lines.contains(QStringLiteral("Totaal \t2525\t\t\t") +
                               formats::number(levy.rapControleDVsom(), QStringLiteral("€ #,#0"))));
    EXPECT_EQ(formats::number(levy.rapControleDVsom(), QStringLiteral("€ #,#0")),
              formats::number(levy.DVref, QStringLiteral("€ #,#0")));
}
