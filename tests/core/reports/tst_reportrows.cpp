// The cost item rows of the two reports: the record set both read, the cell texts of the input data
// report, and the rows of the target capital report over a finished calculation with their groups,
// texts, conformity checks and messages.
#include "calc/clsDV.h"
#include "reports/clsActRapInvoer.h"
#include "reports/costitemrows.h"
#include "reports/dvreportrows.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/golden.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace dovra;

namespace {

// Checklist item 10 asks for a yearly cost from aftercare year 1 for ever, once or twice a year, of 500
// to 5000 euro in total.
const char* const ChecklistSql = R"(
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngCommunicatieMIN,
    sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN,
    sngAppKostenBasisMAX, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken,
    sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax) VALUES
    (1, 'vast', '2007-03-01', 1, 2006, 2000, -999, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12, 0, 0, 0);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, blnIsCombinatiePost, blnCombinatieMogelijk,
    bytObjectCat_REF, strVoorz, strOmschrijving, bytRubriek_REF, intStartJaar, bytStartBA, bytOptieEind, bytEindBA,
    bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX,
    bytTypeVervangingsToeslag) VALUES
    (10, 1, -1, 0, -1, 1, 'Algemeen', 'Peilbuizen', 2, 1, 0, 3, 0, 2, 1, 2, 2, 500, 5000, 0);
)";

// Facility 1 starts its aftercare on 1 January 2010 at the price level of 2010 and without rates, so a
// present value factor counts the occurrences. Without regard to case provision "bovenafdichting oost"
// sorts before "Bovenafdichting West" and item "afvoer" before "Zaaien"; in binary order they would not.
// Items 4 and 8 lack calendar years; item 9 belongs to another facility. Aftercare year 6 is calendar
// year 2015. Drainage (4) counts from the top liner built in aftercare year 4: it starts in year 5 and its
// ten years end in year 13, so its last occurrence falls in year 10. Folie vervangen (3), built in 2012
// (year 3), is done once in its third year: year 5. Only the cost of Peilbuizen (6) lies outside the range
// of its checklist item.
const char* const DataSql = R"(
INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, sngRentePerc, sngInflPerc,
    dtmAanvangNazorg, intJaarPrijspeil, sngNazorgOpp, bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax,
    sngAlgCommunicatieKosten, sngAlgAppKostenBasis, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie,
    sngAlgRisicoBedrag) VALUES
    (1, 'Zuid', 1, 1, 0, 0, '2010-01-01', 2010, 20, 1, 0, 225, 9000, 0, 0, 0, 0, 0, 0),
    (2, 'Noord', 1, 1, 0, 0, '2010-01-01', 2010, 20, 1, 0, 225, 9000, 0, 0, 0, 0, 0, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (10, 1, 2, 'bovenafdichting oost'), (11, 1, 2, 'Bovenafdichting West'), (12, 1, 1, 'Terrein'),
    (20, 2, 1, 'Elders');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct, bytRubriek_REF,
    bytOptieStart, intStartAbs, intStartRel, bytStartBA, intStartBA, bytOptieEind, intEindAbs, intEindRel, bytEindBA,
    intEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE,
    sngAantal, strEenheid, bytCombineer, strNazorgplanRef, strOpm) VALUES
    (1, 1, 10, NULL, 0, 'Zaaien', 4, 2, NULL, 1, 0, NULL, 2, NULL, 30, 0, NULL, 2, 1, 2, NULL, NULL, 1234.5, NULL,
        NULL, NULL, 0, 'H3.2', 'jaarlijks'),
    (2, 1, 10, 10, 1, 'afvoer', 4, 1, 2015, NULL, 0, NULL, 1, 2020, NULL, 0, NULL, 3, 5, 3, NULL, NULL, NULL, 1234.5,
        2.5, 'm2', 0, NULL, ''),
    (3, 1, 11, NULL, 0, 'Folie vervangen', 5, 1, 2012, NULL, 1, 3, 3, NULL, NULL, 0, NULL, 1, NULL, 1, 2.5, 100000,
        NULL, NULL, NULL, NULL, 0, NULL, NULL),
    (4, 1, 11, NULL, 0, 'Drainage', 5, 2, NULL, 4, 1, 2, 1, NULL, NULL, 1, 10, 3, 5, 2, NULL, NULL, 1000, NULL,
        NULL, NULL, 0, NULL, NULL),
    (5, 1, 12, 10, 1, 'Deelpost', 2, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 1000, NULL,
        NULL, NULL, 1, NULL, NULL),
    (6, 1, 12, 10, 2, 'Peilbuizen', 2, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 9000, NULL,
        NULL, NULL, 0, NULL, NULL),
    (7, 1, 12, 10, 2, 'Peilbuizen meten', 2, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 2, 2, NULL, NULL, 1000,
        NULL, NULL, NULL, 0, NULL, NULL),
    (8, 1, 12, NULL, 0, 'Onbekend', 6, 1, NULL, NULL, 0, NULL, 1, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 10, NULL,
        NULL, NULL, 0, NULL, NULL),
    (9, 2, 20, NULL, 0, 'Vreemd', 4, 2, NULL, 1, 0, NULL, 3, NULL, NULL, 0, NULL, 2, 1, 2, NULL, NULL, 10, NULL,
        NULL, NULL, 0, NULL, NULL);
)";

// The order by object category: category 1 (Terrein) before category 2, whose provision
// "bovenafdichting oost" comes before "Bovenafdichting West" without regard to case.
const QStringList ByCategory{QStringLiteral("Deelpost"),         QStringLiteral("Peilbuizen"),
                             QStringLiteral("Peilbuizen meten"), QStringLiteral("Onbekend"),
                             QStringLiteral("afvoer"),           QStringLiteral("Zaaien"),
                             QStringLiteral("Drainage"),         QStringLiteral("Folie vervangen")};
// Walks all rows from the first and collects one value of each.
template <typename Rows, typename Value> auto collect(Rows& rows, Value value)
{
    QList<decltype(value())> values;
    for (bool more = rows.GaNaarEersteRecord(); more; more = rows.GaNaarVolgendeRecord())
        values.append(value());
    return values;
}

class ReportRowsTest : public test::SqlFilesTest
{
protected:
    // The rows do not need the checks before a calculation (item 8 would not pass them).
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(useFiles(ChecklistSql, DataSql));
        ASSERT_TRUE(dv.initializeDV(1));
        ASSERT_TRUE(dv.BerekenAlles());
        recorder.clear();
    }

    Workspace& workspace() { return folder.workspace(); }

    void change(const char* sql) { ASSERT_TRUE(workspace().dataDatabase()->exec(QLatin1String(sql))); }

    // Opens the target capital rows and activates each row while walking them.
    QList<QString> dvColumn(DVReportRows& rows, DVGrouping grouping, const std::function<QString()>& value)
    {
        EXPECT_TRUE(rows.rapOpenActRecordset(grouping));
        return collect(rows, [&] {
            EXPECT_TRUE(rows.rapActiveerDV_ID());
            return value();
        });
    }

    void expectOnlyMessage(const QString& text, const QString& title) const
    {
        ASSERT_EQ(recorder.recorded().size(), 1) << recorder.texts().join(u'\n').toStdString();
        EXPECT_EQ(recorder.recorded()[0].text, text);
        EXPECT_EQ(recorder.recorded()[0].title, title);
        EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    }

    clsDV dv{folder.workspace()};
};

// The demo data file with the program's own checklist file.
class DemoRowsTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
};

} // namespace

// --- the record set ---

TEST_F(ReportRowsTest, RecordSetHoldsTheFacilitysRowsWithTheirProvisionAndCategory)
{
    CostItemRows rows;
    ASSERT_TRUE(rows.open(*workspace().dataDatabase(), 1, QStringLiteral("idrAct_ID")));
    EXPECT_EQ(rows.count(), 8);

    ASSERT_TRUE(rows.GaNaarEersteRecord());
    // Field names compare without regard to case; values are as stored.
    EXPECT_EQ(rows.field(QStringLiteral("IDRACT_ID")), QVariant(qint64(1)));
    EXPECT_EQ(rows.text(QStringLiteral("strobject")), QStringLiteral("bovenafdichting oost"));
    EXPECT_EQ(rows.text(QStringLiteral("strObjectCat")), QStringLiteral("Bovenafdichting"));
    EXPECT_EQ(rows.whole(QStringLiteral("bytObjectCat_REF")), 2);
    EXPECT_EQ(rows.field(QStringLiteral("sngKostenTotaal")).toDouble(), 1234.5);
    EXPECT_TRUE(rows.isEmpty(QStringLiteral("intStartAbs")));
    EXPECT_EQ(rows.whole(QStringLiteral("intStartAbs")), 0);
    EXPECT_TRUE(rows.field(QStringLiteral("geenVeld")).isNull());

    ASSERT_TRUE(rows.GaNaarVolgendeRecord());
    // An empty text counts as not entered, like Null.
    EXPECT_TRUE(rows.isEmpty(QStringLiteral("strOpm")));
    EXPECT_FALSE(rows.isEmpty(QStringLiteral("strEenheid")));

    int walked = 2;
    while (rows.GaNaarVolgendeRecord())
        ++walked;
    EXPECT_EQ(walked, 8);
    EXPECT_TRUE(rows.EOF_());
    EXPECT_TRUE(rows.field(QStringLiteral("idrAct_ID")).isNull());
    EXPECT_EQ(rows.text(QStringLiteral("strAct")), QString());
    EXPECT_FALSE(rows.GaNaarVolgendeRecord());

    ASSERT_TRUE(rows.GaNaarEersteRecord());
    EXPECT_EQ(rows.whole(QStringLiteral("idrAct_ID")), 1);

    // A facility without items, and an order the file cannot sort by.
    EXPECT_TRUE(rows.open(*workspace().dataDatabase(), 3, QStringLiteral("idrAct_ID")));
    EXPECT_EQ(rows.count(), 0);
    EXPECT_FALSE(rows.GaNaarEersteRecord());
    EXPECT_FALSE(rows.open(*workspace().dataDatabase(), 1, QStringLiteral("geenVeld")));
    EXPECT_EQ(rows.count(), 0);
}

// --- the rows of both reports ---

// The cells of the input data report in both orders and the rows of the target capital report in every
// grouping, with their present values and the checks of checklist items outside their criteria.
TEST_F(ReportRowsTest, RowsOfBothReportsMatchTheirGoldenFile)
{
    QStringList lines;
    clsActRapInvoer input(workspace());
    for (const QString& order : {QStringLiteral("ObjCat"), QStringLiteral("Rubriek")}) {
        input.rapSorteerOp(order);
        EXPECT_TRUE(input.OpenRecordset(1));
        lines.append(QStringLiteral("input data report by %1, %2 rows").arg(order).arg(input.count()));
        lines += collect(input, [&] {
            return QStringList{input.rapKostenpost(),
                               QString::number(input.objectCategorie()) + u' ' + input.strObjectCat(),
                               input.rapVoorz() + QStringLiteral(" (%1)").arg(input.provisionId()),
                               QString::number(input.rapIsTALVO()),
                               input.rapTstart(),
                               input.rapTeind(),
                               input.rapFreq(),
                               input.rapPrijsPerKeer(),
                               input.rapVerwijzingNazorgplan(),
                               input.rapOpmerkingen()}
                .join(QStringLiteral(" | "));
        });
    }
    DVReportRows rows(workspace(), dv);
    const float total = dv.DoelvermogenZonderRisicoFonds();
    for (DVGrouping grouping : {DVGrouping::Voorziening, DVGrouping::Rubriek, DVGrouping::Talvo}) {
        EXPECT_TRUE(rows.rapOpenActRecordset(grouping));
        lines.append(QStringLiteral("target capital report by %1, %2 rows")
                         .arg(DVReportRows::rapSorteerVeldNaam(grouping))
                         .arg(rows.count()));
        lines += collect(rows, [&] {
            EXPECT_TRUE(rows.rapActiveerDV_ID());
            EXPECT_EQ(rows.rapFractieVanTotaalDV(), rows.rapNCW() / total);
            // The conformity code, then which checks failed: start, end, cost, frequency.
            const QString checks = QStringLiteral("%1 %2%3%4%5")
                                       .arg(rows.rapIsTALVO())
                                       .arg(int(rows.failedStart()))
                                       .arg(int(rows.failedEnd()))
                                       .arg(int(rows.failedCost()))
                                       .arg(int(rows.failedFrequency()));
            return QStringList{
                rows.rapKostenpost() + (rows.isCombined() ? QStringLiteral(" (deelpost)") : QString()),
                QString::number(rows.rapSorteerVeldwaardeID()) + u' ' + rows.rapSorteerVeldwaardeString(),
                rows.rapVoorz(),
                checks,
                rows.rapKalJaarAanlegBA(),
                rows.rapTstart(),
                rows.rapTeind(),
                rows.rapFreq(),
                rows.rapPrijsPerKeer(),
                QString::number(rows.rapNCWFactorX()),
                QString::number(rows.rapNCW(), 'f', 2)}
                .join(QStringLiteral(" | "));
        });
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/rows.txt"), lines.join(u'\n') + u'\n'));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

TEST_F(ReportRowsTest, UnknownInputReportOrderKeepsTheOneChosenBefore)
{
    clsActRapInvoer report(workspace());
    report.rapSorteerOp(QStringLiteral("Rubriek"));
    ASSERT_TRUE(report.OpenRecordset(1));
    const QList<QString> byRubric = collect(report, [&] { return report.rapKostenpost(); });
    report.rapSorteerOp(QStringLiteral("rubriek"));
    ASSERT_TRUE(report.OpenRecordset(1));
    EXPECT_EQ(collect(report, [&] { return report.rapKostenpost(); }), byRubric);
    report.rapSorteerOp(QStringLiteral("ObjCat"));
    ASSERT_TRUE(report.OpenRecordset(1));
    EXPECT_NE(collect(report, [&] { return report.rapKostenpost(); }), byRubric);
}

// --- target capital report: conformity of checklist items outside their criteria ---

TEST_F(ReportRowsTest, FailedChecksAreRecordedPerRowOutsideTheCriteria)
{
    // Timing and frequency outside the criteria, the cost within them.
    ASSERT_NO_FATAL_FAILURE(
        change("UPDATE tblAct SET intStartRel = 3, bytOptieEind = 2, intEindRel = 40, intFreqX = 5, "
               "sngKostenTotaal = 600 WHERE idrAct_ID = 6"));
    DVReportRows rows(workspace(), dv);
    const QList<QString> flags = dvColumn(rows, DVGrouping::Talvo, [&] {
        const int code = rows.rapIsTALVO();
        return QStringLiteral("%1 %2%3%4%5")
            .arg(code)
            .arg(int(rows.failedStart()))
            .arg(int(rows.failedEnd()))
            .arg(int(rows.failedCost()))
            .arg(int(rows.failedFrequency()));
    });
    // Flags as "code start end cost frequency"; the conforming row after it is clear throughout.
    EXPECT_EQ(flags, (QList<QString>{"2 1101", "2 0000", "1 0000", "1 0000", "0 0000", "0 0000", "0 0000",
                                     "0 0000"}));

    // Moving on clears the flags of the row left behind.
    ASSERT_TRUE(rows.GaNaarEersteRecord());
    EXPECT_EQ(rows.rapIsTALVO(), 2);
    EXPECT_TRUE(rows.failedStart());
    ASSERT_TRUE(rows.GaNaarEersteRecord());
    EXPECT_FALSE(rows.failedStart());
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

TEST_F(ReportRowsTest, ChecklistItemNoLongerInTheChecklistIsReportedAndNotChecked)
{
    ASSERT_NO_FATAL_FAILURE(change("UPDATE tblAct SET lngClitem_REF = 999 WHERE idrAct_ID = 6"));
    DVReportRows rows(workspace(), dv);
    ASSERT_TRUE(rows.rapOpenActRecordset(DVGrouping::Talvo));
    ASSERT_TRUE(rows.GaNaarEersteRecord());
    ASSERT_EQ(rows.rapKostenpost(), QStringLiteral("Peilbuizen"));
    EXPECT_EQ(rows.rapIsTALVO(), 2);
    expectOnlyMessage(QStringLiteral("Checklistpost 999 is niet (meer) aanwezig in de checklist."),
                      applicationTitle());
    EXPECT_FALSE(rows.failedStart() || rows.failedEnd() || rows.failedCost() || rows.failedFrequency());

    // The next row's item is still there and is checked.
    recorder.clear();
    ASSERT_TRUE(rows.GaNaarVolgendeRecord());
    EXPECT_EQ(rows.rapIsTALVO(), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ReportRowsTest, RowMissingFromTheCalculationIsReported)
{
    // Added after the calculation ran.
    ASSERT_NO_FATAL_FAILURE(
        change("INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, bytIsTALVO, "
               "strAct, bytRubriek_REF, bytOptieKosten, sngKostenTotaal) "
               "VALUES (50, 1, 12, 0, 'Nieuw', 4, 2, 500)"));
    DVReportRows rows(workspace(), dv);
    ASSERT_TRUE(rows.rapOpenActRecordset(DVGrouping::Voorziening));
    QStringList found;
    for (bool more = rows.GaNaarEersteRecord(); more; more = rows.GaNaarVolgendeRecord()) {
        if (rows.rapActiveerDV_ID())
            found.append(rows.rapKostenpost());
        else
            EXPECT_EQ(rows.rapNCW(), 0.0f);
    }
    EXPECT_EQ(found, ByCategory);
    expectOnlyMessage(QStringLiteral("Doelvermogen-ID 50 niet gevonden."),
                      QStringLiteral("Fout in rapActiveerDV_ID Zuid"));
}

// --- demo data ---

TEST_F(DemoRowsTest, EveryRowOfEveryFacilityIsInItsCalculation)
{
    Workspace& workspace = folder.workspace();
    ASSERT_TRUE(folder.linkDemoData());
    Statement facilities =
        workspace.dataDatabase()->prepare(QStringLiteral("SELECT idrStort_ID FROM tblStort"));
    int facilityCount = 0;
    while (facilities.next()) {
        const long id = long(facilities.integer(0).value_or(0));
        SCOPED_TRACE(id);
        ++facilityCount;
        clsDV calculation(workspace);
        ASSERT_TRUE(calculation.initializeDV(id));
        ASSERT_TRUE(calculation.VerifyBeforeBerekening2());
        ASSERT_TRUE(calculation.BerekenAlles());
        ASSERT_GT(calculation.AantalKostenposten(), 0);

        std::multiset<float> calculated;
        for (int index = 0; index < calculation.AantalKostenposten(); ++index)
            calculated.insert(calculation.itemNCW(index));

        clsActRapInvoer input(workspace);
        ASSERT_TRUE(input.OpenRecordset(id));
        EXPECT_EQ(input.count(), calculation.AantalKostenposten());

        for (DVGrouping grouping : {DVGrouping::Voorziening, DVGrouping::Rubriek, DVGrouping::Talvo}) {
            DVReportRows rows(workspace, calculation);
            ASSERT_TRUE(rows.rapOpenActRecordset(grouping));
            EXPECT_EQ(rows.count(), calculation.AantalKostenposten());
            // Every row finds its own item: together they hold every present value once.
            std::multiset<float> found;
            for (bool more = rows.GaNaarEersteRecord(); more; more = rows.GaNaarVolgendeRecord()) {
                EXPECT_TRUE(rows.rapActiveerDV_ID());
                found.insert(rows.rapNCW());
            }
            EXPECT_EQ(found, calculated);
        }
    }
    EXPECT_EQ(facilityCount, 3);
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}
