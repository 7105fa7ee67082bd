// The sections of the reports over small scenarios of their own, compared with golden files: the target
// capital and levy sections in a document and in the report window (layout, grouping, progress), and the
// section left out when its rows cannot be had; the input data report's sections in a document, its header,
// and a facility that is not there. (The demo facilities' whole reports are in tst_reportrun.)
#include "reports/targetcapitalreport.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "reports/docxdocument.h"
#include "reports/inputreport.h"
#include "reports/screenreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/qtprinting.h"
#include "support/screendump.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace dovra;
using namespace dovra::report;

namespace {

// The facilities and what each is for: tests/data/targetcapitalreport_*.sql.
class TargetCapitalReportTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("targetcapitalreport_checklist.sql"),
                   QStringLiteral("targetcapitalreport_data.sql"));
    }

    void calculate(int id)
    {
        ASSERT_TRUE(dv.initializeDV(id));
        ASSERT_TRUE(dv.VerifyBeforeBerekening2());
        ASSERT_TRUE(dv.BerekenAlles());
        ASSERT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    }

    Workspace& workspace() { return folder.workspace(); }

    clsDV dv{folder.workspace()};
};

QString dumpOf(const DocxDocument& document)
{
    return test::dumpDocx(test::readDocx(document.part(QStringLiteral("word/document.xml"))));
}

ReportContext contextOf(Workspace& workspace, long facilityId)
{
    const QDateTime written(QDate(2026, 12, 6), QTime(14, 5));
    return {&workspace, facilityId, QStringLiteral("/data/nazorg.mdb"), written, {}};
}

using InputReportTest = test::SqlFilesTest;

} // namespace

// Zuid in every grouping (a checklist item outside its criteria by its cost alone, one within, user-defined
// items over three categories), Noord by rubric without replacements: the section in the document, with the
// progress it reported, and on screen.
TEST_F(TargetCapitalReportTest, SectionPerGroupingMatchesItsGoldenFile)
{
    for (const auto& [id, grouping, golden] :
         {std::tuple{1, DVGrouping::Voorziening, "reports/zuid-voorziening.txt"},
          std::tuple{1, DVGrouping::Rubriek, "reports/zuid-rubriek.txt"},
          std::tuple{1, DVGrouping::Talvo, "reports/zuid-talvo.txt"},
          std::tuple{2, DVGrouping::Rubriek, "reports/noord-rubriek.txt"}}) {
        SCOPED_TRACE(golden);
        ASSERT_NO_FATAL_FAILURE(calculate(id));
        DocxDocument document;
        QStringList progress;
        ASSERT_TRUE(report::writeTargetCapital(document, workspace(), dv, grouping,
                                               [&](int done) { progress.append(QString::number(done)); }));
        ScreenReport screen;
        ASSERT_TRUE(report::writeTargetCapital(screen, workspace(), dv, grouping));
        EXPECT_TRUE(test::matchesGolden(QLatin1String(golden),
                                        QStringLiteral("=== document, progress ") + progress.join(u' ') +
                                            u'\n' + dumpOf(document) + QStringLiteral("=== screen\n") +
                                            test::dumpScreen(screen)));
    }
}

// Eigen put is object-bound: its own levy, in the document; Zuid's is equalised with Noord's, on screen.
TEST_F(TargetCapitalReportTest, LevyMatchesItsGoldenFile)
{
    for (const auto& [id, golden] :
         {std::pair{3, "reports/eigenput-heffing.txt"}, std::pair{1, "reports/zuid-heffing.txt"}}) {
        ASSERT_NO_FATAL_FAILURE(calculate(id));
        clsHeffing levy(workspace(), id);
        levy.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
        ASSERT_TRUE(levy.ValidatieOK) << recorder.texts().join(u'|').toStdString();
        DocxDocument document;
        ScreenReport screen;
        report::writeLevy(document, dv, levy);
        report::writeLevy(screen, dv, levy);
        EXPECT_TRUE(test::matchesGolden(QLatin1String(golden),
                                        id == 3 ? dumpOf(document) : test::dumpScreen(screen)));
    }
}

// A row added after the calculation (tst_reportrows has its message), then rows that cannot be read: no
// section, and nothing written.
TEST_F(TargetCapitalReportTest, NoSectionWithoutTheRowsOfTheCalculation)
{
    ASSERT_NO_FATAL_FAILURE(calculate(2));
    ASSERT_TRUE(workspace().dataDatabase()->exec(
        QStringLiteral("INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, "
                       "bytRubriek_REF) VALUES (40, 2, 4, 0, 'Nieuw', 4)")));
    ScreenReport screen;
    EXPECT_FALSE(report::writeTargetCapital(screen, workspace(), dv, DVGrouping::Voorziening));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Doelvermogen-ID 40 niet gevonden.")});

    ASSERT_TRUE(workspace().dataDatabase()->exec(QStringLiteral("DROP TABLE tblAct")));
    DocxDocument document;
    EXPECT_FALSE(report::writeTargetCapital(document, workspace(), dv, DVGrouping::Rubriek));
    EXPECT_EQ(dumpOf(document), QStringLiteral("section 21.00 x 29.70 cm, margins top 2.50 bottom 2.50 left "
                                               "2.50 right 2.50, header 1.25 footer 1.25\n"));
}

// Every section per facility of tests/data/inputreport_*.sql, which says what each facility is for.
TEST_F(InputReportTest, EverySectionPerFacilityMatchesItsGoldenFile)
{
    ASSERT_NO_FATAL_FAILURE(
        useScripts(QStringLiteral("inputreport_checklist.sql"), QStringLiteral("inputreport_data.sql")));
    for (long id : {1, 2, 3, 4}) {
        SCOPED_TRACE(id);
        DocxDocument document;
        const ReportContext context = contextOf(folder.workspace(), id);
        ASSERT_TRUE(writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt, context));
        ASSERT_TRUE(writeProvisions(document, context));
        ASSERT_TRUE(writeCostItems(document, context));
        ASSERT_TRUE(writeUnselectedChecklistItems(document, false, context));
        EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/invoer-%1.txt").arg(id), dumpOf(document)));
    }
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();

    // The header names the version of the workspace; a facility that is not there writes nothing.
    DocxDocument document;
    Workspace workspace(folder.paths(), ProgramVersion{3, 9, 0});
    writeHeaderFooter(document, contextOf(workspace, 1));
    EXPECT_EQ(test::readDocx(document.part(QStringLiteral("word/header1.xml"))).lines(),
              QStringList({QStringLiteral("DOVRA 3.9")}));
    EXPECT_FALSE(writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt,
                                  contextOf(folder.workspace(), 99)));
    EXPECT_FALSE(writeUnselectedChecklistItems(document, false, contextOf(folder.workspace(), 99)));
    EXPECT_TRUE(test::readDocx(document.part(QStringLiteral("word/document.xml"))).lines().isEmpty());
}
