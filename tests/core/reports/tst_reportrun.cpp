// The report runs: the sections chosen alone, protection, and what happens when input or saving fails.
// (The whole reports of the demo facilities are in golden files.)
#include "reports/reportrun.h"
#include "reports/screenreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::report;

namespace {

class ReportRunTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDemoData()); }

    static TargetCapitalReportOptions sections(bool cover, bool targetCapital, bool checklist, bool levy)
    {
        TargetCapitalReportOptions options;
        options.voorblad = cover;
        options.doelvermogen = targetCapital;
        options.checklistposten = checklist;
        options.heffing = levy;
        return options;
    }

    // The document of a target capital report run of the facility, read back.
    test::DocxContent targetCapitalDocument(int facility, const TargetCapitalReportOptions& options)
    {
        TargetCapitalReportRun run(workspace(), facility, options);
        EXPECT_TRUE(run.calculate());
        const QString path = output.filePath(QStringLiteral("rapport.docx"));
        EXPECT_TRUE(run.writeDocument(path, contextOf(facility)));
        return test::readDocx(test::readDocxPart(path, QStringLiteral("word/document.xml")));
    }

    Workspace& workspace() { return folder.workspace(); }

    // A report of the facility, naming the linked data file.
    ReportContext contextOf(long facility) { return reportContext(workspace(), facility, QString()); }

    // The first line of every section.
    static QStringList openings(const test::DocxContent& content)
    {
        QStringList first;
        for (const test::DocxSection& section : content.sections)
            first.append(section.lines().value(0));
        return first;
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    QTemporaryDir output;
};

TEST_F(ReportRunTest, TheChecklistListOpeningTheReportHasItsOwnTitle)
{
    const test::DocxContent content = targetCapitalDocument(2, sections(false, false, true, false));
    EXPECT_EQ(openings(content),
              QStringList({QStringLiteral("Overzicht niet geselecteerde checklistposten")}));
}

TEST_F(ReportRunTest, OnlyTheLevyAfterAFullCalculation)
{
    const test::DocxContent content = targetCapitalDocument(1, sections(false, false, false, true));
    EXPECT_EQ(openings(content), QStringList({QStringLiteral("Rapportage heffingen")}));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ReportRunTest, TheDocumentIsProtectedForFormsOnly)
{
    TargetCapitalReportRun run(workspace(), 2, sections(false, true, false, false));
    ASSERT_TRUE(run.calculate());
    const QString path = output.filePath(QStringLiteral("rapport.docx"));
    ASSERT_TRUE(run.writeDocument(path, contextOf(2)));
    const QString settings = QString::fromUtf8(test::readDocxPart(path, QStringLiteral("word/settings.xml")));
    EXPECT_TRUE(settings.contains(QLatin1String("w:edit=\"forms\""))) << settings.toStdString();
    EXPECT_TRUE(settings.contains(QLatin1String("w:enforcement=\"1\"")));
}

TEST_F(ReportRunTest, InvalidInputWritesNothing)
{
    std::shared_ptr<Database> data = workspace().dataDatabase();

    // A failed pre-check has said why; the report adds nothing.
    ASSERT_TRUE(data->exec(QStringLiteral("UPDATE tblStort SET sngNazorgOpp = 0 WHERE idrStort_ID = 1")));
    TargetCapitalReportRun unchecked(workspace(), 1, sections(false, true, false, false));
    EXPECT_FALSE(unchecked.calculate());
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_TRUE(recorder.recorded()[0].text.startsWith(QLatin1String("Er is geen (geldig) nazorgoppervlak")));
    ScreenReport screen;
    EXPECT_FALSE(unchecked.write(screen, contextOf(1)));
    EXPECT_TRUE(screen.paragraphs().isEmpty());

    // A calculation that fails: its own message, then the report's.
    recorder.clear();
    ASSERT_TRUE(data->exec(QStringLiteral("UPDATE tblStort SET sngNazorgOpp = 34.5, sngRentePerc = 0.5, "
                                          "sngInflPerc = 10 WHERE idrStort_ID = 1")));
    TargetCapitalReportRun overflowing(workspace(), 1, sections(false, true, false, false));
    EXPECT_FALSE(overflowing.calculate());
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_TRUE(recorder.recorded()[0].text.startsWith(QLatin1String("Overloop bij berekening")));
    EXPECT_EQ(recorder.recorded()[1].text,
              QStringLiteral("Uw ingevoerde gegevens bevatten fouten. Er wordt geen rapportage opgesteld."));
    EXPECT_EQ(recorder.recorded()[1].title, QStringLiteral("Rapportage"));
    EXPECT_EQ(recorder.recorded()[1].icon, MessageIcon::Exclamation);
}

TEST_F(ReportRunTest, InputReportWithoutSectionsStillHasHeaderAndFooter)
{
    const QString path = output.filePath(QStringLiteral("leeg.docx"));
    ASSERT_TRUE(writeInputReportDocument(InputReportOptions{false, false, false, false}, path, contextOf(2)));
    EXPECT_TRUE(
        test::readDocx(test::readDocxPart(path, QStringLiteral("word/document.xml"))).lines().isEmpty());
    const QString footer = QString::fromUtf8(test::readDocxPart(path, QStringLiteral("word/footer1.xml")));
    EXPECT_TRUE(footer.contains(QLatin1String("PAGE")));
    // Not protected: only the target capital report is.
    EXPECT_FALSE(QString::fromUtf8(test::readDocxPart(path, QStringLiteral("word/settings.xml")))
                     .contains(QLatin1String("documentProtection")));
}

TEST_F(ReportRunTest, SavingOverTheDataFileIsRefusedAndLeavesItAsItWas)
{
    const QString data = workspace().dataFilePath();
    QFile file(data);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    EXPECT_FALSE(writeInputReportDocument(InputReportOptions{}, data, contextOf(2)));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("De rapportage kan niet worden opgeslagen: '") + data +
                  QStringLiteral("' is een database die het programma gebruikt."));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST(ProposedReportName, NameAndDateMakeAFileName)
{
    const QDate day(2026, 3, 9);
    EXPECT_EQ(proposedReportName(QStringLiteral("Rapportage"), QStringLiteral("Stortplaats De Kragge"), day),
              QStringLiteral("Rapportage Stortplaats De Kragge 09-03-2026.docx"));
    // Characters no file name can hold do not end up in one.
    EXPECT_EQ(proposedReportName(QStringLiteral("Rapp invoer"), QStringLiteral("Noord/Zuid: \"A\""), day),
              QStringLiteral("Rapp invoer Noord_Zuid_ _A_ 09-03-2026.docx"));
}

} // namespace
