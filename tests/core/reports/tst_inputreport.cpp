// The sections of the input data report, written into a document and read back from its XML, compared
// with golden files per facility of a scenario of their own; the header's version, and a facility that is
// not there. (The cover of the target capital report is in the demo facilities' golden files.)
#include "reports/docxdocument.h"
#include "reports/inputreport.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::report;

namespace {

ReportContext contextOf(Workspace& workspace, long facilityId)
{
    return {&workspace,
            facilityId,
            QStringLiteral("/data/nazorg.mdb"),
            QDateTime(QDate(2026, 12, 6), QTime(14, 5)),
            {}};
}

test::DocxContent bodyOf(const DocxDocument& document)
{
    return test::readDocx(document.part(QStringLiteral("word/document.xml")));
}

using InputReportTest = test::SqlFilesTest;

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
        EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/invoer-%1.txt").arg(id),
                                        test::dumpDocx(bodyOf(document))));
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
    EXPECT_TRUE(bodyOf(document).lines().isEmpty());
}

} // namespace
