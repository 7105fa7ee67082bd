// The reports open in a real word processor: LibreOffice lays them out and prints them to PDF, with the
// page set-up of every section and the page fields filled in.
#include "base/formats.h"
#include "calc/clsDV.h"
#include "reports/reportrun.h"
#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

struct Page
{
    bool landscape = false;
    bool a4 = false;
    QString text;
};

QString run(const QString& program, const QStringList& arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

class ReportPdfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            GTEST_SKIP() << "LibreOffice or poppler-utils is not installed";
        ASSERT_TRUE(folder.linkDemoData());
    }

    // The document converted by LibreOffice, page by page; empty when the conversion failed.
    QList<Page> pagesOf(const QString& docx)
    {
        // A profile of its own, so a LibreOffice the user has open does not take the job.
        const QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                                        QUrl::fromLocalFile(profile.path()).toString(),
                                    QStringLiteral("--headless"),
                                    QStringLiteral("--convert-to"),
                                    QStringLiteral("pdf"),
                                    QStringLiteral("--outdir"),
                                    output.path(),
                                    docx};
        run(QStringLiteral("soffice"), arguments, 180000);
        const QString pdf = output.filePath(QFileInfo(docx).completeBaseName() + QStringLiteral(".pdf"));
        const QString info =
            run(QStringLiteral("pdfinfo"), QStringList{QStringLiteral("-f"), QStringLiteral("1"),
                                                       QStringLiteral("-l"), QStringLiteral("9999"), pdf});
        QList<Page> pages;
        static const QRegularExpression size(
            QStringLiteral(R"(Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+) pts(.*))"));
        for (const QRegularExpressionMatch& match : size.globalMatch(info)) {
            Page page;
            page.landscape = match.captured(2).toDouble() > match.captured(3).toDouble();
            page.a4 = match.captured(4).contains(QLatin1String("A4"));
            const QString number = match.captured(1);
            page.text = run(QStringLiteral("pdftotext"),
                            QStringList{QStringLiteral("-layout"), QStringLiteral("-f"), number,
                                        QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
            pages.append(page);
        }
        return pages;
    }

    // Every page's footer counts the pages of the whole document.
    static void expectPageNumbers(const QList<Page>& pages)
    {
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const QString footer = QStringLiteral("pag. %1 van %2").arg(i + 1).arg(pages.size());
            EXPECT_TRUE(pages[i].text.contains(footer))
                << "page " << i + 1 << ": " << pages[i].text.toStdString();
            EXPECT_TRUE(pages[i].a4) << "page " << i + 1;
        }
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    QTemporaryDir profile;
    QTemporaryDir output;
};

TEST_F(ReportPdfTest, TargetCapitalReportHasLandscapeCalculationPages)
{
    report::TargetCapitalReportOptions options;
    options.voorblad = options.doelvermogen = options.checklistposten = options.heffing = true;
    options.vat = 21;
    report::TargetCapitalReportRun run(folder.workspace(), 1, options);
    ASSERT_TRUE(run.calculate());
    const QString path = output.filePath(QStringLiteral("Rapportage Stortplaats De Kragge.docx"));
    ASSERT_TRUE(run.writeDocument(path, report::reportContext(folder.workspace(), 1, QString())));

    const QList<Page> pages = pagesOf(path);
    ASSERT_GE(pages.size(), 4);
    expectPageNumbers(pages);

    // Cover and levy portrait; every page of the calculation landscape.
    EXPECT_FALSE(pages.first().landscape);
    EXPECT_TRUE(pages.first().text.contains(QLatin1String("Stortplaats De Kragge")));
    const QString target =
        formats::number(double(run.calculation().DoelvermogenMetRisicoFonds()), QStringLiteral("€ #,#0"));
    bool calculationSeen = false;
    bool targetSeen = false;
    bool levySeen = false;
    bool inCalculation = false;
    for (const Page& page : pages) {
        if (page.text.contains(QLatin1String("Rapportage doelvermogen")))
            inCalculation = true;
        if (page.text.contains(QLatin1String("Overzicht niet geselecteerde checklistposten")) ||
            page.text.contains(QLatin1String("Rapportage heffingen")))
            inCalculation = false;
        if (inCalculation) {
            calculationSeen = true;
            EXPECT_TRUE(page.landscape) << page.text.toStdString();
        } else {
            EXPECT_FALSE(page.landscape) << page.text.toStdString();
        }
        if (page.text.contains(QLatin1String("DOELVERMOGEN")) && page.text.contains(target))
            targetSeen = true;
        if (page.text.contains(QLatin1String("Rapportage heffingen")))
            levySeen = true;
    }
    EXPECT_TRUE(calculationSeen);
    EXPECT_TRUE(targetSeen) << target.toStdString();
    EXPECT_TRUE(levySeen);
}

TEST_F(ReportPdfTest, InputDataReportIsPortrait)
{
    const QString path = output.filePath(QStringLiteral("Rapp invoer.docx"));
    ASSERT_TRUE(report::writeInputReportDocument(report::InputReportOptions{}, path,
                                                 report::reportContext(folder.workspace(), 3, QString())));
    const QList<Page> pages = pagesOf(path);
    ASSERT_GE(pages.size(), 4);
    expectPageNumbers(pages);
    for (const Page& page : pages)
        EXPECT_FALSE(page.landscape);
    EXPECT_TRUE(pages.first().text.contains(QLatin1String("Baggerdepot Hollandsch Diep")));
    EXPECT_TRUE(pages.first().text.contains(QLatin1String("Rapportage DOVRA: ingevoerde data")));
}

} // namespace
