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

using ReportRowsTest = test::SqlFilesTest;

} // namespace

// Over tests/data/reportrows_*.sql (which says what each row is for): the input data report in both orders
// (an unknown order keeps the one chosen before), the target capital report in every grouping; then,
// calculated again, with item 6 outside its checklist item's timing and frequency too; with the checklist
// item gone (reported, not checked), and with a row the calculation has not seen (reported, the others
// still found). The rows do not need the checks before a calculation (item 8 would not pass them).
TEST_F(ReportRowsTest, RowsOfBothReportsMatchTheirGoldenFile)
{
    ASSERT_NO_FATAL_FAILURE(useScripts("reportrows_checklist.sql", "reportrows_data.sql"));
    clsDV dv(folder.workspace());
    ASSERT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
    recorder.clear();
    QStringList lines;
    // A title, the rows, and the messages their reading gave.
    const auto dump = [&](const QString& title, const QStringList& rows) {
        lines.append(title);
        lines += rows;
        for (const MessageRecorder::Message& message : recorder.recorded())
            lines.append(QStringLiteral("message (%1) %2: %3")
                             .arg(QLatin1String(Icons[int(message.icon)]), message.title, message.text));
        recorder.clear();
    };
    clsActRapInvoer input(folder.workspace());
    for (const QString order : {"ObjCat", "Rubriek", "rubriek"}) {
        input.rapSorteerOp(order);
        EXPECT_TRUE(input.OpenRecordset(1));
        dump(QStringLiteral("input data report by %1, %2 rows").arg(order).arg(input.count()),
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
        dump(QStringLiteral("target capital report by %1%2, %3 rows")
                 .arg(DVReportRows::rapSorteerVeldNaam(grouping), title)
                 .arg(rows.count()),
             collect(rows, [&] {
                 const bool found = rows.rapActiveerDV_ID();
                 EXPECT_EQ(rows.rapFractieVanTotaalDV(), rows.rapNCW() / total);
                 // The conformity code, then which checks its computing failed: start, end, cost, frequency.
                 const int code = rows.rapIsTALVO();
                 const QString checks =
                     QString::asprintf("%d %d%d%d%d", code, int(rows.failedStart()), int(rows.failedEnd()),
                                       int(rows.failedCost()), int(rows.failedFrequency()));
                 return row(rows.rapKostenpost() +
                                (rows.isCombined() ? QStringLiteral(" (deelpost)") : QString()) +
                                (found ? QString() : QStringLiteral(" (not in the calculation)")),
                            QString::number(rows.rapSorteerVeldwaardeID()) + u' ' +
                                rows.rapSorteerVeldwaardeString(),
                            rows.rapVoorz(), checks, rows.rapKalJaarAanlegBA(), rows.rapTstart(),
                            rows.rapTeind(), rows.rapFreq(), rows.rapPrijsPerKeer(),
                            QString::number(rows.rapNCWFactorX()), QString::number(rows.rapNCW(), 'f', 2));
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
