// The cost item rows of the two reports: the record set both read, the cell texts of the input data
// report, and the rows of the target capital report over a finished calculation with their groups,
// texts, conformity checks and messages.
#include "calc/clsDV.h"
#include "reports/clsActRapInvoer.h"
#include "reports/costitemrows.h"
#include "reports/dvreportrows.h"
#include "storage/database.h"
#include "storage/workspace.h"
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
// Items 4 and 8 lack calendar years; item 9 belongs to another facility.
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

// Category 1 (Terrein) before category 2, whose provision "bovenafdichting oost" comes before
// "Bovenafdichting West" without regard to case.
const QStringList ByCategory{QStringLiteral("Deelpost"),         QStringLiteral("Peilbuizen"),
                             QStringLiteral("Peilbuizen meten"), QStringLiteral("Onbekend"),
                             QStringLiteral("afvoer"),           QStringLiteral("Zaaien"),
                             QStringLiteral("Drainage"),         QStringLiteral("Folie vervangen")};
const QStringList ByRubric{QStringLiteral("Deelpost"),         QStringLiteral("Peilbuizen"),
                           QStringLiteral("Peilbuizen meten"), QStringLiteral("afvoer"),
                           QStringLiteral("Zaaien"),           QStringLiteral("Drainage"),
                           QStringLiteral("Folie vervangen"),  QStringLiteral("Onbekend")};

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

// --- input data report ---

TEST_F(ReportRowsTest, InputReportSortsByCategoryOrByRubric)
{
    clsActRapInvoer report(workspace());
    ASSERT_TRUE(report.OpenRecordset(1));
    EXPECT_EQ(report.count(), 8);
    EXPECT_EQ(collect(report, [&] { return report.rapKostenpost(); }), ByCategory);
    EXPECT_EQ(collect(report, [&] { return report.strObjectCat(); }),
              (QList<QString>(4, QStringLiteral("Algemeen")) +
               QList<QString>(4, QStringLiteral("Bovenafdichting"))));
    EXPECT_EQ(collect(report, [&] { return report.objectCategorie(); }),
              (QList<int>{1, 1, 1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(collect(report, [&] { return report.rapVoorz(); }),
              (QList<QString>{QStringLiteral("Terrein"), QStringLiteral("Terrein"), QStringLiteral("Terrein"),
                              QStringLiteral("Terrein"), QStringLiteral("bovenafdichting oost"),
                              QStringLiteral("bovenafdichting oost"), QStringLiteral("Bovenafdichting West"),
                              QStringLiteral("Bovenafdichting West")}));
    EXPECT_EQ(collect(report, [&] { return report.provisionId(); }),
              (QList<long>{12, 12, 12, 12, 10, 10, 11, 11}));
    EXPECT_EQ(collect(report, [&] { return report.rapIsTALVO(); }), (QList<int>{1, 2, 2, 0, 1, 0, 0, 0}));

    report.rapSorteerOp(QStringLiteral("Rubriek"));
    ASSERT_TRUE(report.OpenRecordset(1));
    EXPECT_EQ(collect(report, [&] { return report.rapKostenpost(); }), ByRubric);

    // An unknown option keeps the order chosen before.
    report.rapSorteerOp(QStringLiteral("rubriek"));
    ASSERT_TRUE(report.OpenRecordset(1));
    EXPECT_EQ(collect(report, [&] { return report.rapKostenpost(); }), ByRubric);
    report.rapSorteerOp(QStringLiteral("ObjCat"));
    ASSERT_TRUE(report.OpenRecordset(1));
    EXPECT_EQ(collect(report, [&] { return report.rapKostenpost(); }), ByCategory);
}

TEST_F(ReportRowsTest, InputReportCellsShowTheStoredValuesInCompactNotation)
{
    struct Cells
    {
        QString post, start, end, freq, cost, reference, remark;
    };
    clsActRapInvoer report(workspace());
    ASSERT_TRUE(report.OpenRecordset(1));
    const QList<Cells> cells = collect(report, [&] {
        return Cells{report.rapKostenpost(), report.rapTstart(),       report.rapTeind(),
                     report.rapFreq(),       report.rapPrijsPerKeer(), report.rapVerwijzingNazorgplan(),
                     report.rapOpmerkingen()};
    });
    const QString none = QStringLiteral("?");
    const QList<Cells> expected{
        // A member of a combination post: its costs are in the combination post.
        {"Deelpost", "-", "-", "-", "zie combinatiepost", none, none},
        {"Peilbuizen", "1", "oo", "1x per jr", " €9000", none, none},
        {"Peilbuizen meten", "1", "oo", "2x per jr", " €1000", none, none},
        // Calendar years not entered.
        {"Onbekend", "? *", "? *", "1x per jr", " €10", none, none},
        {"afvoer", "2015 *", "2020 *", "1x per 5 jr", "2.5 x €1234.5/m2", none, none},
        {"Zaaien", "1", "30", "1x per jr", " €1234.5", "H3.2", "jaarlijks"},
        // Counted from the construction of the top liner.
        {"Drainage", "4 + 2 #", " + 10 #", "1x per 5 jr", " €1000", none, none},
        {"Folie vervangen", "2012 * + 3 #", "-", "eenm.", "2.5 % x €100000", none, none},
    };
    ASSERT_EQ(cells.size(), expected.size());
    for (qsizetype i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(expected[i].post.toStdString());
        EXPECT_EQ(cells[i].post, expected[i].post);
        EXPECT_EQ(cells[i].start, expected[i].start);
        EXPECT_EQ(cells[i].end, expected[i].end);
        EXPECT_EQ(cells[i].freq, expected[i].freq);
        EXPECT_EQ(cells[i].cost, expected[i].cost);
        EXPECT_EQ(cells[i].reference, expected[i].reference);
        EXPECT_EQ(cells[i].remark, expected[i].remark);
    }
}

// --- target capital report: order and groups ---

TEST_F(ReportRowsTest, TargetCapitalRowsFollowTheGrouping)
{
    EXPECT_EQ(DVReportRows::rapSorteerVeldNaam(DVGrouping::Voorziening), QStringLiteral("bytObjectCat_REF"));
    EXPECT_EQ(DVReportRows::rapSorteerVeldNaam(DVGrouping::Rubriek), QStringLiteral("bytRubriek_REF"));
    EXPECT_EQ(DVReportRows::rapSorteerVeldNaam(DVGrouping::Talvo), QStringLiteral("bytIsTALVO"));

    DVReportRows rows(workspace(), dv);
    ASSERT_TRUE(rows.rapOpenActRecordset(DVGrouping::Voorziening));
    EXPECT_EQ(rows.count(), 8);
    EXPECT_EQ(collect(rows, [&] { return rows.rapKostenpost(); }), ByCategory);
    EXPECT_EQ(collect(rows, [&] { return rows.rapSorteerVeldwaardeID(); }),
              (QList<int>{1, 1, 1, 1, 2, 2, 2, 2}));
    EXPECT_EQ(collect(rows, [&] { return rows.rapSorteerVeldwaardeString(); }),
              (QList<QString>(4, QStringLiteral("Algemeen")) +
               QList<QString>(4, QStringLiteral("Bovenafdichting"))));

    ASSERT_TRUE(rows.rapOpenActRecordset(DVGrouping::Rubriek));
    EXPECT_EQ(collect(rows, [&] { return rows.rapKostenpost(); }), ByRubric);
    EXPECT_EQ(collect(rows, [&] { return rows.rapSorteerVeldwaardeID(); }),
              (QList<int>{2, 2, 2, 4, 4, 5, 5, 6}));
    EXPECT_EQ(collect(rows, [&] { return rows.rapSorteerVeldwaardeString(); }),
              (QList<QString>{QStringLiteral("Controlemetingen"), QStringLiteral("Controlemetingen"),
                              QStringLiteral("Controlemetingen"), QStringLiteral("Onderhoud"),
                              QStringLiteral("Onderhoud"), QStringLiteral("Vervanging"),
                              QStringLiteral("Vervanging"), QStringLiteral("Overig")}));

    // Items outside their criteria first, then conforming checklist items, then the user's own.
    ASSERT_TRUE(rows.rapOpenActRecordset(DVGrouping::Talvo));
    EXPECT_EQ(collect(rows, [&] { return rows.rapKostenpost(); }),
              (QList<QString>{QStringLiteral("Peilbuizen"), QStringLiteral("Peilbuizen meten"),
                              QStringLiteral("Deelpost"), QStringLiteral("afvoer"),
                              QStringLiteral("Onbekend"), QStringLiteral("Zaaien"),
                              QStringLiteral("Drainage"), QStringLiteral("Folie vervangen")}));
    EXPECT_EQ(collect(rows, [&] { return rows.rapSorteerVeldwaardeID(); }),
              (QList<int>{2, 2, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(collect(rows, [&] { return rows.rapSorteerVeldwaardeString(); }),
              (QList<QString>(2, QStringLiteral("Checklistposten, niet conform criteria")) +
               QList<QString>(2, QStringLiteral("Checklistposten")) +
               QList<QString>(4, QStringLiteral("Door gebruiker gedefinieerd"))));
    EXPECT_EQ(collect(rows, [&] { return rows.rapVoorz(); }),
              (QList<QString>{QStringLiteral("Terrein"), QStringLiteral("Terrein"), QStringLiteral("Terrein"),
                              QStringLiteral("bovenafdichting oost"), QStringLiteral("Terrein"),
                              QStringLiteral("bovenafdichting oost"), QStringLiteral("Bovenafdichting West"),
                              QStringLiteral("Bovenafdichting West")}));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

// --- target capital report: texts and figures ---

TEST_F(ReportRowsTest, TargetCapitalRowTextsShowTimingFrequencyAndCost)
{
    struct Cells
    {
        QString post, construction, start, end, freq, cost;
    };
    DVReportRows rows(workspace(), dv);
    ASSERT_TRUE(rows.rapOpenActRecordset(DVGrouping::Voorziening));
    const QList<Cells> cells = collect(rows, [&] {
        EXPECT_TRUE(rows.rapActiveerDV_ID());
        return Cells{rows.rapKostenpost(), rows.rapKalJaarAanlegBA(), rows.rapTstart(), rows.rapTeind(),
                     rows.rapFreq(),       rows.rapPrijsPerKeer()};
    });
    // Aftercare starts in 2010, so calendar year 2015 is aftercare year 6. Amounts in the Dutch format.
    const QList<Cells> expected{
        {"Deelpost", "-", "-", "-", "-", "zie combinatiepost"},
        {"Peilbuizen", "", "1", "oo", "1x per jr", "€ 9.000,00"},
        {"Peilbuizen meten", "", "1", "oo", "2x per jr", "€ 1.000,00"},
        // Years before the aftercare start: nothing falls due; the calendar years were not entered.
        {"Onbekend", "", "nvt (?)", "nvt (?)", "1x per jr", "€ 10,00"},
        {"afvoer", "", "6 (2015)", "11 (2020)", "1x per 5 jr", "2,5 x € 1234,50/m2 = € 3.086"},
        {"Zaaien", "", "1", "30", "1x per jr", "€ 1.234,50"},
        // Top liner built in aftercare year 4; counted from there the item starts in year 5 and its
        // ten years end in year 13, so the last occurrence falls in year 10. The end counts from the
        // construction, so the calendar end year it lacks is not shown.
        {"Drainage", "naz.jr. 4", "5", "10", "1x per 5 jr", "€ 1.000,00"},
        // Built in 2012 (year 3), done in its third year: year 5, once.
        {"Folie vervangen", "2012", "5", "-", "eenm.", "2,5% x€ 100.000 = € 2.500"},
    };
    ASSERT_EQ(cells.size(), expected.size());
    for (qsizetype i = 0; i < cells.size(); ++i) {
        SCOPED_TRACE(expected[i].post.toStdString());
        EXPECT_EQ(cells[i].post, expected[i].post);
        EXPECT_EQ(cells[i].construction, expected[i].construction);
        EXPECT_EQ(cells[i].start, expected[i].start);
        EXPECT_EQ(cells[i].end, expected[i].end);
        EXPECT_EQ(cells[i].freq, expected[i].freq);
        EXPECT_EQ(cells[i].cost, expected[i].cost);
    }
    EXPECT_EQ(collect(rows, [&] { return rows.isCombined(); }),
              (QList<bool>{true, false, false, false, false, false, false, false}));
}

TEST_F(ReportRowsTest, TargetCapitalRowsCarryTheItemsPresentValues)
{
    DVReportRows rows(workspace(), dv);
    const float total = dv.DoelvermogenZonderRisicoFonds();
    ASSERT_GT(total, 0.0f);
    const auto figures = [&](DVGrouping grouping) {
        EXPECT_TRUE(rows.rapOpenActRecordset(grouping));
        return collect(rows, [&] {
            EXPECT_TRUE(rows.rapActiveerDV_ID());
            EXPECT_EQ(rows.rapFractieVanTotaalDV(), rows.rapNCW() / total);
            return std::pair{rows.rapNCWFactorX(), rows.rapNCW()};
        });
    };
    // Without rates a factor counts the occurrences: 1000 years, twice a year, 30 years, two in ten.
    EXPECT_EQ(figures(DVGrouping::Voorziening), (QList<std::pair<float, float>>{{0, 0},
                                                                                {1000, 9'000'000},
                                                                                {2000, 2'000'000},
                                                                                {0, 0},
                                                                                {2, 6172.5f},
                                                                                {30, 37035},
                                                                                {2, 2000},
                                                                                {1, 2500}}));
    // The same items in another order keep their own figures.
    EXPECT_EQ(figures(DVGrouping::Rubriek), (QList<std::pair<float, float>>{{0, 0},
                                                                            {1000, 9'000'000},
                                                                            {2000, 2'000'000},
                                                                            {2, 6172.5f},
                                                                            {30, 37035},
                                                                            {2, 2000},
                                                                            {1, 2500},
                                                                            {0, 0}}));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

// --- target capital report: conformity of checklist items outside their criteria ---

TEST_F(ReportRowsTest, FailedChecksAreRecordedPerRowOutsideTheCriteria)
{
    DVReportRows rows(workspace(), dv);
    const auto flags = [&] {
        return dvColumn(rows, DVGrouping::Talvo, [&] {
            const int code = rows.rapIsTALVO();
            return QStringLiteral("%1 %2%3%4%5")
                .arg(code)
                .arg(int(rows.failedStart()))
                .arg(int(rows.failedEnd()))
                .arg(int(rows.failedCost()))
                .arg(int(rows.failedFrequency()));
        });
    };
    // Flags as "code start end cost frequency". Only the cost of "Peilbuizen" lies outside its range; the
    // conforming row after it is clear throughout.
    EXPECT_EQ(flags(), (QList<QString>{"2 0010", "2 0000", "1 0000", "1 0000", "0 0000", "0 0000", "0 0000",
                                       "0 0000"}));

    // Timing and frequency outside the criteria, the cost within them.
    ASSERT_NO_FATAL_FAILURE(
        change("UPDATE tblAct SET intStartRel = 3, bytOptieEind = 2, intEindRel = 40, intFreqX = 5, "
               "sngKostenTotaal = 600 WHERE idrAct_ID = 6"));
    EXPECT_EQ(flags(), (QList<QString>{"2 1101", "2 0000", "1 0000", "1 0000", "0 0000", "0 0000", "0 0000",
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
        for (bool more = input.GaNaarEersteRecord(); more; more = input.GaNaarVolgendeRecord()) {
            EXPECT_FALSE(input.rapTstart().isEmpty());
            EXPECT_FALSE(input.rapPrijsPerKeer().isEmpty());
        }

        for (DVGrouping grouping : {DVGrouping::Voorziening, DVGrouping::Rubriek, DVGrouping::Talvo}) {
            DVReportRows rows(workspace, calculation);
            ASSERT_TRUE(rows.rapOpenActRecordset(grouping));
            EXPECT_EQ(rows.count(), calculation.AantalKostenposten());
            // Every row finds its own item: together they hold every present value once.
            std::multiset<float> found;
            for (bool more = rows.GaNaarEersteRecord(); more; more = rows.GaNaarVolgendeRecord()) {
                EXPECT_TRUE(rows.rapActiveerDV_ID());
                rows.rapIsTALVO();
                EXPECT_FALSE(rows.rapSorteerVeldwaardeString().isEmpty());
                EXPECT_FALSE(rows.rapTstart().isEmpty());
                EXPECT_FALSE(rows.rapFreq().isEmpty());
                EXPECT_FALSE(rows.rapPrijsPerKeer().isEmpty());
                found.insert(rows.rapNCW());
            }
            EXPECT_EQ(found, calculated);
        }
    }
    EXPECT_EQ(facilityCount, 3);
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}
