// The report runs over the demo facilities: the whole reports compared line by line with golden files (the
// report window's paragraphs and the target capital report per grouping, the input data report per
// facility), the sections chosen alone, what happens when input fails, and LibreOffice laying a report out.
#include "calc/clsDV.h"
#include "reports/reportrun.h"
#include "reports/screenreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/qtprinting.h"
#include "support/screendump.h"
#include "support/testfiles.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace dovra;
using namespace dovra::report;

namespace {

class ReportRunTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDemoData()); }

    Workspace& workspace() { return folder.workspace(); }

    // A report of the facility, written at a fixed moment from a data file of a fixed name.
    ReportContext contextOf(long facility)
    {
        ReportContext context = reportContext(workspace(), facility, QString());
        context.dataFile = QStringLiteral("<databestand>");
        context.written = QDateTime(QDate(2026, 12, 6), QTime(14, 5));
        return context;
    }

    // The messages given since the last call.
    QString messages()
    {
        QString text;
        for (const MessageRecorder::Message& message : recorder.recorded())
            text += QStringLiteral("message %1: %2\n").arg(message.title, message.text);
        recorder.clear();
        return text;
    }

    // A saved document's body, header and footer as text, whether it is protected so that only its form
    // fields can be edited, and the messages.
    QString dumpDocument(const QString& path)
    {
        QString text;
        for (const char* part : {"document", "header1", "footer1"}) {
            const QString name = QStringLiteral("word/%1.xml").arg(QLatin1String(part));
            text += QStringLiteral("=== %1\n").arg(name) +
                    test::dumpDocx(test::readDocx(test::readDocxPart(path, name)));
        }
        if (test::readDocxPart(path, QStringLiteral("word/settings.xml"))
                .contains(R"(<w:documentProtection w:edit="forms" w:enforcement="1")"))
            text += QStringLiteral("=== protected: forms only\n");
        return text + messages();
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    QTemporaryDir output;
};

// Per demo facility every section on screen per grouping; the whole document grouped by provision, the
// target capital section alone for the other groupings; the cover has VAT lines except for facility 2.
// The whole input data report, and one without sections.
TEST_F(ReportRunTest, DemoReportsMatchTheirGoldenFiles)
{
    const QString path = output.filePath(QStringLiteral("rapport.docx"));
    for (int id : {1, 2, 3}) {
        const auto golden = [id](const QString& kind) {
            return QStringLiteral("reports/facility%1-%2.txt").arg(id).arg(kind);
        };
        for (const auto& [grouping, name] :
             {std::pair{DVGrouping::Voorziening, "voorziening"}, std::pair{DVGrouping::Rubriek, "rubriek"},
              std::pair{DVGrouping::Talvo, "talvo"}}) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(id).arg(QLatin1String(name)).toStdString());
            const bool whole = grouping == DVGrouping::Voorziening;
            const std::optional<float> vat = id == 2 ? std::nullopt : std::optional<float>(21);
            TargetCapitalReportRun run(workspace(), id,
                                       TargetCapitalReportOptions{whole, true, whole, true, grouping, vat});
            ASSERT_TRUE(run.calculate());
            ScreenReport screen;
            ASSERT_TRUE(run.write(screen, contextOf(id)));
            EXPECT_TRUE(test::matchesGolden(golden(QLatin1String(name) + QStringLiteral("-scherm")),
                                            test::dumpScreen(screen) + messages()));
            ASSERT_TRUE(run.writeDocument(path, contextOf(id)));
            EXPECT_TRUE(test::matchesGolden(golden(QLatin1String(name) + QStringLiteral("-docx")),
                                            dumpDocument(path)));
        }
        ASSERT_TRUE(writeInputReportDocument(InputReportOptions{}, path, contextOf(id)));
        EXPECT_TRUE(test::matchesGolden(golden(QStringLiteral("invoer-docx")), dumpDocument(path)));
    }
    ASSERT_TRUE(writeInputReportDocument(InputReportOptions{false, false, false, false}, path, contextOf(2)));
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/invoer-leeg-docx.txt"), dumpDocument(path)));
}

// The checklist items list opening the report has its own title; the levy alone still has the whole
// calculation behind it.
TEST_F(ReportRunTest, SectionsChosenAloneOpenTheReport)
{
    const QString path = output.filePath(QStringLiteral("rapport.docx"));
    for (const auto& [facility, options, opening] :
         {std::tuple{2, TargetCapitalReportOptions{false, false, true, false},
                     "Overzicht niet geselecteerde checklistposten"},
          std::tuple{1, TargetCapitalReportOptions{false, false, false, true}, "Rapportage heffingen"}}) {
        TargetCapitalReportRun run(workspace(), facility, options);
        ASSERT_TRUE(run.calculate());
        ASSERT_TRUE(run.writeDocument(path, contextOf(facility)));
        const test::DocxContent content = test::readDocx(test::readDocxPart(path, "word/document.xml"));
        ASSERT_EQ(content.sections.size(), 1);
        EXPECT_EQ(content.sections[0].lines().value(0), QLatin1String(opening));
    }
    EXPECT_TRUE(recorder.recorded().isEmpty()) << messages().toStdString();
}

// A failed pre-check has said why and the report adds nothing; a calculation that fails gives its own
// message (its text is the calculation's, tested there), then the report's. Nothing is written.
TEST_F(ReportRunTest, InvalidInputWritesNothing)
{
    for (const char* sql :
         {"UPDATE tblStort SET sngNazorgOpp = 0 WHERE idrStort_ID = 1",
          "UPDATE tblStort SET sngNazorgOpp = 34.5, sngRentePerc = 0.5, sngInflPerc = 10"}) {
        ASSERT_TRUE(workspace().dataDatabase()->exec(QLatin1String(sql)));
        TargetCapitalReportRun run(workspace(), 1, TargetCapitalReportOptions());
        EXPECT_FALSE(run.calculate());
        ScreenReport screen;
        EXPECT_FALSE(run.write(screen, contextOf(1)));
        EXPECT_TRUE(screen.paragraphs().isEmpty());
    }
    const QStringList texts = recorder.texts();
    EXPECT_EQ(
        recorder.titles().join(u'|') + u'|' + texts.value(0) + u'|' + texts.value(2),
        QStringLiteral("Invoer onvolledig bij Stortplaats De Kragge|Doelvermogenberekening inrichting "
                       "'Stortplaats De Kragge' afgebroken|Rapportage|Er is geen (geldig) nazorgoppervlak "
                       "ingevoerd in het scherm 'Toeslagen nazorgfase'.|Uw ingevoerde gegevens bevatten "
                       "fouten. Er wordt geen rapportage opgesteld."));
}

// What a program printed; empty when it failed.
QString outputOf(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(180000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The document printed to PDF by LibreOffice, the text of each page, "landscape" before the text of a
// landscape page. Every page is A4 and its footer counts the pages of the whole document.
QStringList pagesOf(const QString& docx)
{
    QTemporaryDir profile; // of its own, so a LibreOffice the user has open does not take the job
    outputOf(QStringLiteral("soffice"),
             {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
              "--convert-to", "pdf", "--outdir", QFileInfo(docx).path(), docx});
    const QString pdf = docx.chopped(4) + QStringLiteral("pdf");
    static const QRegularExpression size(
        QStringLiteral(R"(Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+) pts(.*))"));
    QStringList pages;
    for (const QRegularExpressionMatch& match :
         size.globalMatch(outputOf(QStringLiteral("pdfinfo"), {"-f", "1", "-l", "9999", pdf}))) {
        const QString number = match.captured(1);
        pages.append(
            (match.captured(2).toDouble() > match.captured(3).toDouble() ? QStringLiteral("landscape\n")
                                                                         : QString()) +
            outputOf(QStringLiteral("pdftotext"), {"-layout", "-f", number, "-l", number, pdf, "-"}));
        EXPECT_TRUE(match.captured(4).contains(QLatin1String("A4"))) << "page " << number.toStdString();
    }
    for (qsizetype i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("pag. %1 van %2").arg(i + 1).arg(pages.size())))
            << pages[i].toStdString();
    return pages;
}

// The target capital report's cover and levy portrait, every page of the calculation landscape (a file name
// with spaces, as the program proposes them). The input data report, portrait throughout, is the same
// writer's output: its golden files show its page set-up.
TEST_F(ReportRunTest, WordProcessorLaysTheReportsOut)
{
    if (QStandardPaths::findExecutable("soffice").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
        GTEST_SKIP() << "LibreOffice or poppler-utils is not installed";
    TargetCapitalReportRun run(
        workspace(), 1, TargetCapitalReportOptions{true, true, true, true, DVGrouping::Voorziening, 21});
    ASSERT_TRUE(run.calculate());
    const QString path = output.filePath(QStringLiteral("Rapportage Stortplaats De Kragge.docx"));
    ASSERT_TRUE(run.writeDocument(path, contextOf(1)));
    const QStringList pages = pagesOf(path);
    ASSERT_GE(pages.size(), 4);
    EXPECT_TRUE(pages.first().contains(QLatin1String("Stortplaats De Kragge")));
    bool inCalculation = false;
    for (const QString& page : pages) {
        if (page.contains(QLatin1String("Rapportage doelvermogen")))
            inCalculation = true;
        if (page.contains(QLatin1String("Overzicht niet geselecteerde checklistposten")) ||
            page.contains(QLatin1String("Rapportage heffingen")))
            inCalculation = false;
        EXPECT_EQ(page.startsWith(QLatin1String("landscape")), inCalculation) << page.toStdString();
    }
}

TEST(ProposedReportName, CharactersNoFileNameCanHoldAreReplaced)
{
    EXPECT_EQ(proposedReportName("Rapp invoer", "Noord/Zuid: \"A\"", QDate(2026, 3, 9)),
              u"Rapp invoer Noord_Zuid_ _A_ 09-03-2026.docx");
}

} // namespace
