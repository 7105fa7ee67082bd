// The cost item rows of the two reports over a finished calculation, compared with a golden file: the
// cell texts of the input data report in both orders and the rows of the target capital report in every
// grouping with their present values and conformity checks, also after the data changed under the
// calculation.
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

// Walks all rows from the first and collects one value of each.
template <typename Rows, typename Value> auto collect(Rows& rows, Value value)
{
    QStringList values;
    for (bool more = rows.GaNaarEersteRecord(); more; more = rows.GaNaarVolgendeRecord())
        values.append(value());
    return values;
}

// Cells as one line of the golden file.
template <typename... Cells> QString row(const Cells&... cells)
{
    return QStringList{cells...}.join(QStringLiteral(" | "));
}

const char* const Icons[] = {"critical", "exclamation", "information", "question"};

class ReportRowsTest : public test::SqlFilesTest
{
protected:
    // The rows do not need the checks before a calculation (item 8 would not pass them).
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(useFiles(ChecklistSql, DataSql));
        ASSERT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
        recorder.clear();
    }

    // A title, the rows, and the messages their reading gave.
    void dump(QStringList& lines, const QString& title, const QStringList& rows)
    {
        lines.append(title);
        lines += rows;
        for (const MessageRecorder::Message& message : recorder.recorded())
            lines.append(QStringLiteral("message (%1) %2: %3")
                             .arg(QLatin1String(Icons[int(message.icon)]), message.title, message.text));
        recorder.clear();
    }

    clsDV dv{folder.workspace()};
};

} // namespace

// The input data report in both orders (an unknown order keeps the one chosen before), the target capital
// report in every grouping; then, calculated again, with item 6 outside its checklist item's timing and
// frequency too; with the checklist item gone (reported, not checked), and with a row the calculation has not
// seen (reported, the others still found).
TEST_F(ReportRowsTest, RowsOfBothReportsMatchTheirGoldenFile)
{
    QStringList lines;
    clsActRapInvoer input(folder.workspace());
    for (const QString& order :
         {QStringLiteral("ObjCat"), QStringLiteral("Rubriek"), QStringLiteral("rubriek")}) {
        input.rapSorteerOp(order);
        EXPECT_TRUE(input.OpenRecordset(1));
        dump(lines, QStringLiteral("input data report by %1, %2 rows").arg(order).arg(input.count()),
             collect(input, [&] {
                 return row(input.rapKostenpost(),
                            QString::number(input.objectCategorie()) + u' ' + input.strObjectCat(),
                            input.rapVoorz() + QStringLiteral(" (%1)").arg(input.provisionId()),
                            QString::number(input.rapIsTALVO()), input.rapTstart(), input.rapTeind(),
                            input.rapFreq(), input.rapPrijsPerKeer(), input.rapVerwijzingNazorgplan(),
                            input.rapOpmerkingen());
             }));
    }
    DVReportRows rows(folder.workspace(), dv);
    const auto dumpRows = [&](const QString& title, DVGrouping grouping) {
        EXPECT_TRUE(rows.rapOpenActRecordset(grouping));
        const float total = dv.DoelvermogenZonderRisicoFonds();
        dump(
            lines,
            QStringLiteral("target capital report by %1%2, %3 rows")
                .arg(DVReportRows::rapSorteerVeldNaam(grouping), title)
                .arg(rows.count()),
            collect(rows, [&] {
                const bool found = rows.rapActiveerDV_ID();
                EXPECT_EQ(rows.rapFractieVanTotaalDV(), rows.rapNCW() / total);
                // The conformity code, then which checks failed: start, end, cost, frequency.
                const QString checks = QStringLiteral("%1 %2")
                                           .arg(rows.rapIsTALVO())
                                           .arg(int(rows.failedStart()) * 1000 + int(rows.failedEnd()) * 100 +
                                                    int(rows.failedCost()) * 10 + int(rows.failedFrequency()),
                                                4, 10, QLatin1Char('0'));
                return row(
                    rows.rapKostenpost() + (rows.isCombined() ? QStringLiteral(" (deelpost)") : QString()) +
                        (found ? QString() : QStringLiteral(" (not in the calculation)")),
                    QString::number(rows.rapSorteerVeldwaardeID()) + u' ' + rows.rapSorteerVeldwaardeString(),
                    rows.rapVoorz(), checks, rows.rapKalJaarAanlegBA(), rows.rapTstart(), rows.rapTeind(),
                    rows.rapFreq(), rows.rapPrijsPerKeer(), QString::number(rows.rapNCWFactorX()),
                    QString::number(rows.rapNCW(), 'f', 2));
            }));
    };
    for (DVGrouping grouping : {DVGrouping::Voorziening, DVGrouping::Rubriek, DVGrouping::Talvo})
        dumpRows(QString(), grouping);

    const auto change = [&](const char* sql) {
        EXPECT_TRUE(folder.workspace().dataDatabase()->exec(QLatin1String(sql)));
    };
    change("UPDATE tblAct SET intStartRel = 3, bytOptieEind = 2, intEindRel = 40, intFreqX = 5, "
           "sngKostenTotaal = 600 WHERE idrAct_ID = 6");
    ASSERT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
    dumpRows(QStringLiteral(", item 6 late, ending and too often"), DVGrouping::Talvo);
    change("UPDATE tblAct SET lngClitem_REF = 999 WHERE idrAct_ID = 6");
    dumpRows(QStringLiteral(", item 6's checklist item gone"), DVGrouping::Talvo);
    change(
        "INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, bytRubriek_REF, "
        "bytOptieKosten, sngKostenTotaal) VALUES (50, 1, 12, 0, 'Nieuw', 4, 2, 500)");
    dumpRows(QStringLiteral(", item 50 added"), DVGrouping::Voorziening);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/rows.txt"), lines.join(u'\n') + u'\n'));
}
