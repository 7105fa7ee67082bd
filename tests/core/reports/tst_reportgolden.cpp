// The reports of the demo facilities as a whole, compared line by line with golden files: the report
// window's paragraphs and the target capital report per grouping, the input data report per facility.
// (dovra-cli's tests hold the report window's plain text.)
#include "reports/reportrun.h"
#include "reports/screenreport.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/screendump.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::report;

namespace {

struct Grouping
{
    DVGrouping grouping;
    const char* name;
};

const Grouping Groupings[] = {
    {DVGrouping::Voorziening, "voorziening"}, {DVGrouping::Rubriek, "rubriek"}, {DVGrouping::Talvo, "talvo"}};

// A document's body, header and footer as text.
QString dumpDocument(const QString& path)
{
    QString text;
    for (const char* part : {"document", "header1", "footer1"}) {
        const QString name = QStringLiteral("word/%1.xml").arg(QLatin1String(part));
        text += QStringLiteral("=== %1\n").arg(name) +
                test::dumpDocx(test::readDocx(test::readDocxPart(path, name)));
    }
    return text;
}

QString dumpMessages(const MessageRecorder& recorder)
{
    QString text;
    for (const MessageRecorder::Message& message : recorder.recorded())
        text += QStringLiteral("message %1: %2\n").arg(message.title, message.text);
    return text;
}

class ReportGoldenTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDemoData()); }

    ReportContext context() const
    {
        return ReportContext{&folder.workspace(),
                             GetParam(),
                             QStringLiteral("<databestand>"),
                             QDateTime(QDate(2026, 12, 6), QTime(14, 5)),
                             {}};
    }

    QString golden(const QString& kind) const
    {
        return QStringLiteral("reports/facility%1-%2.txt").arg(GetParam()).arg(kind);
    }

    mutable test::ProgramFolder folder;
    MessageRecorder recorder;
    QTemporaryDir output;
};

// Every section on screen per grouping; the whole document grouped by provision, the target capital
// section alone for the other groupings. The cover has VAT lines except for facility 2.
TEST_P(ReportGoldenTest, TargetCapitalReportOnScreenAndAsDocument)
{
    for (const Grouping& grouping : Groupings) {
        SCOPED_TRACE(grouping.name);
        const bool whole = grouping.grouping == DVGrouping::Voorziening;
        const std::optional<float> vat = GetParam() == 2 ? std::nullopt : std::optional<float>(21);
        TargetCapitalReportRun run(
            folder.workspace(), GetParam(),
            TargetCapitalReportOptions{whole, true, whole, true, grouping.grouping, vat});
        ASSERT_TRUE(run.calculate());
        ScreenReport screen;
        ASSERT_TRUE(run.write(screen, context()));
        EXPECT_TRUE(test::matchesGolden(golden(QStringLiteral("%1-scherm").arg(QLatin1String(grouping.name))),
                                        test::dumpScreen(screen) + dumpMessages(recorder)));
        recorder.clear();

        const QString path = output.filePath(QStringLiteral("%1.docx").arg(QLatin1String(grouping.name)));
        ASSERT_TRUE(run.writeDocument(path, context()));
        EXPECT_TRUE(test::matchesGolden(golden(QStringLiteral("%1-docx").arg(QLatin1String(grouping.name))),
                                        dumpDocument(path) + dumpMessages(recorder)));
        recorder.clear();
    }
}

TEST_P(ReportGoldenTest, InputReport)
{
    const QString path = output.filePath(QStringLiteral("invoer.docx"));
    ASSERT_TRUE(writeInputReportDocument(InputReportOptions{}, path, context()));
    EXPECT_TRUE(test::matchesGolden(golden(QStringLiteral("invoer-docx")),
                                    dumpDocument(path) + dumpMessages(recorder)));
}

INSTANTIATE_TEST_SUITE_P(DemoFacilities, ReportGoldenTest, ::testing::Values(1, 2, 3));

} // namespace
