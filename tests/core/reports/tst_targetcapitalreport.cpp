// The reports' sections over small scenarios of their own, compared with golden files: the target capital
// and levy sections in a document and in the report window (layout, grouping, progress), and the section
// left out when its rows cannot be had; the input data report's sections, its header, and a facility that is
// not there; the cost item rows of both reports over a finished calculation. The word-processing document:
// every feature the reports use, read back from its XML, form protection, saving as a zip of well-formed
// parts. The demo facilities' whole reports, opened by LibreOffice too, below.
#include "base/formats.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "reports/clsActRapInvoer.h"
#include "reports/costitemrows.h"
#include "reports/dvreportrows.h"
#include "reports/formats/docxdocument.h"
#include "reports/formats/pdfdocument.h"
#include "reports/formats/screenreport.h"
#include "reports/inputreport.h"
#include "reports/reportrun.h"
#include "reports/targetcapitalreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/qtprinting.h"
#include "support/screendump.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

using namespace dovra;
using namespace dovra::report;
// Inside a test body, Run names the test's own member function.
using TextRun = dovra::report::Run;

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

const QStringList Parts{"[Content_Types].xml", "_rels/.rels",       "word/document.xml",
                        "word/styles.xml",     "word/settings.xml", "word/header1.xml",
                        "word/footer1.xml",    "word/footer2.xml",  "word/_rels/document.xml.rels"};

// Two sections with their own page set-up (a portrait one with odd margins, a landscape one), runs of
// every look, symbols, tab stops, tabs, a line break and characters XML cannot hold, a page break, a
// table with a short row (a unit that stays on one line), a rule and an italic and a right-aligned cell
// ending the first section, the last two rows kept together, a bordered table ending the document, and
// fields in header and footer, the page number on a tab stop at the right margin of each section.
void fill(ReportDocument& document)
{
    TextRun italic = TextRun::plain(QStringLiteral("schuin"));
    TextRun underlined = TextRun::plain(QStringLiteral("onderstreept"));
    TextRun blue = TextRun::plain(QStringLiteral("blauw"));
    italic.italic = underlined.underline = true;
    blue.colour = 0x0000FF;
    blue.sizePt = 12;
    document.beginSection(PageSetup{21.0, 29.7, 2.0, 1.5, 2.2, 1.8, 0.9, 0.8});
    Paragraph looks({TextRun::boldText("vet"), italic, underlined, blue, TextRun::symbol(252),
                     TextRun::plain(" binnen"), TextRun::symbol(214)},
                    9);
    looks.tabs = {TabStop{5.0, TabStop::Align::Right}, TabStop{7.5}};
    looks.alignment = Alignment::Centre;
    document.paragraph(looks);
    document.paragraph(Paragraph(QStringLiteral("a\tb\t c\nregel 2\x01\x0B\x1F <&>\"")));
    document.pageBreak();
    document.beginTable(TableLayout{{0.5, 8.2, 1.3, 2.75}, {}, 7, false});
    document.tableRow({Cell("1"), Cell({italic}), Cell("3"), Cell("12,50", Alignment::Right)});
    document.beginKeepTogether();
    document.tableRow({Cell(QStringLiteral("kort")), Cell(), Cell(QStringLiteral("x €0.26/m2"))});
    document.tableRule();
    document.endKeepTogether();
    document.endTable();
    document.beginSection(PageSetup{29.7, 21.0, 1.4, 1.4, 2.4, 2.4, 1.0, 0.7});
    document.beginTable(TableLayout{{2.0, 2.0}, {}, 8, true});
    document.tableRow({Cell(QStringLiteral("a")), Cell(QStringLiteral("b"))});
    document.endTable();
    TextRun date = TextRun::fieldRun(FieldKind::Date, QStringLiteral("d-MMM-yyyy H:mm"));
    date.bold = true;
    document.setHeader({Paragraph({TextRun::plain("Rapport "), date})});
    Paragraph footer({TextRun::plain("\tpag. "), TextRun::fieldRun(FieldKind::Page), TextRun::plain(" van "),
                      TextRun::fieldRun(FieldKind::NumPages)});
    footer.tabs = {TabStop::atRightMargin()};
    document.setFooter({footer});
}

// --- the report runs over the demo facilities: the whole reports compared line by line with golden files
// (the report window's paragraphs and the target capital report per grouping, the input data report per
// facility), the sections chosen alone, what happens when input fails, and LibreOffice laying a report out
// ---

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
            ASSERT_TRUE(run.writeDocument(path, DocumentFormat::Word, contextOf(id)));
            EXPECT_TRUE(test::matchesGolden(golden(QLatin1String(name) + QStringLiteral("-docx")),
                                            dumpDocument(path)));
        }
        ASSERT_TRUE(
            writeInputReportDocument(InputReportOptions{}, path, DocumentFormat::Word, contextOf(id)));
        EXPECT_TRUE(test::matchesGolden(golden(QStringLiteral("invoer-docx")), dumpDocument(path)));
    }
    ASSERT_TRUE(writeInputReportDocument(InputReportOptions{false, false, false, false}, path,
                                         DocumentFormat::Word, contextOf(2)));
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
        ASSERT_TRUE(run.writeDocument(path, DocumentFormat::Word, contextOf(facility)));
        const test::DocxContent content = test::readDocx(test::readDocxPart(path, "word/document.xml"));
        ASSERT_EQ(content.sections.size(), 1);
        EXPECT_EQ(content.lines().value(0), QLatin1String(opening));
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

// The text of each page of a PDF, "landscape" before the text of a landscape page. Every page is A4 and its
// footer counts the pages of the whole document.
QStringList pagesOf(const QString& pdf)
{
    static const QRegularExpression size(
        QStringLiteral(R"(Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+) pts(.*))"));
    QStringList pages = outputOf(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}).split(u'\f');
    pages.removeLast(); // after the last page's form feed
    qsizetype page = 0;
    for (const QRegularExpressionMatch& match :
         size.globalMatch(outputOf(QStringLiteral("pdfinfo"), {"-f", "1", "-l", "9999", pdf}))) {
        EXPECT_TRUE(match.captured(4).contains(QLatin1String("A4"))) << "page " << page + 1;
        if (page < pages.size() && match.captured(2).toDouble() > match.captured(3).toDouble())
            pages[page].prepend(QStringLiteral("landscape\n"));
        ++page;
    }
    EXPECT_EQ(page, pages.size());
    for (qsizetype i = 0; i < pages.size(); ++i)
        EXPECT_TRUE(pages[i].contains(QStringLiteral("pag. %1 van %2").arg(i + 1).arg(pages.size())))
            << pages[i].toStdString();
    return pages;
}

// The document printed to PDF by LibreOffice, page by page.
QStringList pagesOfDocx(const QString& docx)
{
    QTemporaryDir profile; // of its own, so a LibreOffice the user has open does not take the job
    outputOf(QStringLiteral("soffice"),
             {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
              "--convert-to", "pdf", "--outdir", QFileInfo(docx).path(), docx});
    return pagesOf(docx.chopped(4) + QStringLiteral("pdf"));
}

// The lines of pages without their spacing, and without the symbols, which the word processor takes from
// its symbol font and the PDF from a free one; the moments in header and footer differ.
QStringList linesOf(const QStringList& pages)
{
    static const QRegularExpression symbols(
        QStringLiteral("[\\x{2713}\\x{2326}\\x{25AB}\\x{F000}-\\x{F0FF}]"));
    QStringList lines;
    for (const QString& page : pages) {
        for (QString line : page.split(u'\n')) {
            line = line.remove(symbols).simplified();
            if (!line.isEmpty() && !line.contains(QLatin1String("Afgedrukt d.d.")))
                lines.append(line);
        }
    }
    return lines;
}

bool needsPdfTools()
{
    return QStandardPaths::findExecutable("soffice").isEmpty() ||
           QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

// Both reports of De Kragge as .docx, laid out by LibreOffice, and as PDF: the same number of pages,
// landscape the same ones (the calculation of the target capital report, none of the input data report), the
// facility on the first. The target capital report's PDF has the calculation's lines, the target capital as
// calculated, its title and creator. (A file name with spaces, as the program proposes them.)
TEST_F(ReportRunTest, WordProcessorAndPdfLayTheReportsOutAlike)
{
    if (needsPdfTools())
        GTEST_SKIP() << "LibreOffice or poppler-utils is not installed";
    const QString docx = output.filePath(QStringLiteral("Rapportage Stortplaats De Kragge.docx"));
    const QString pdf = output.filePath(QStringLiteral("Rapportage De Kragge.pdf"));
    const auto landscape = [](const QString& page) {
        return page.startsWith(QLatin1String("landscape"));
    };
    // LibreOffice's pages of the report `write` makes, and the PDF's.
    const auto pagesOfBoth = [&](const std::function<bool(const QString&, DocumentFormat)>& write) {
        EXPECT_TRUE(write(docx, DocumentFormat::Word) && write(pdf, DocumentFormat::Pdf));
        const std::pair pages{pagesOfDocx(docx), pagesOf(pdf)};
        EXPECT_EQ(pages.second.size(), pages.first.size());
        for (qsizetype i = 0; i < std::min(pages.first.size(), pages.second.size()); ++i)
            EXPECT_EQ(landscape(pages.second[i]), landscape(pages.first[i])) << "page " << i + 1;
        EXPECT_TRUE(pages.second.value(0).contains(QLatin1String("Stortplaats De Kragge")));
        return pages;
    };

    TargetCapitalReportRun run(
        workspace(), 1, TargetCapitalReportOptions{true, true, true, true, DVGrouping::Voorziening, 21});
    ASSERT_TRUE(run.calculate());
    const auto [pages, pdfPages] = pagesOfBoth([&](const QString& path, DocumentFormat format) {
        return run.writeDocument(path, format, contextOf(1));
    });
    ASSERT_GE(pages.size(), 4);
    bool inCalculation = false;
    for (const QString& page : pages) {
        if (page.contains(QLatin1String("Rapportage doelvermogen")))
            inCalculation = true;
        if (page.contains(QLatin1String("Overzicht niet geselecteerde checklistposten")) ||
            page.contains(QLatin1String("Rapportage heffingen")))
            inCalculation = false;
        EXPECT_EQ(landscape(page), inCalculation) << page.toStdString();
    }
    const QString targetCapital =
        formats::number(run.calculation().DoelvermogenMetRisicoFonds(), QStringLiteral("€ #,#0"));
    EXPECT_TRUE(
        pdfPages.value(0).contains(QRegularExpression(QStringLiteral("Doelvermogen +") + targetCapital)))
        << targetCapital.toStdString();
    const auto section = [](const QStringList& lines) {
        const qsizetype start = lines.indexOf(QStringLiteral("Rapportage doelvermogen"));
        return lines.mid(start,
                         lines.indexOf(QStringLiteral("Rapportage DOVRA: ingevoerde data"), start) - start);
    };
    const QStringList expected = section(linesOf(pages));
    EXPECT_GT(expected.size(), 60);
    EXPECT_EQ(section(linesOf(pdfPages)).join(u'\n'), expected.join(u'\n'));
    const QString info = outputOf(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +Stortplaats De Kragge\n"))) &&
                info.contains(QRegularExpression(QStringLiteral("Creator: +DOVRA\n"))))
        << info.toStdString();

    const QStringList inputPages =
        pagesOfBoth([&](const QString& path, DocumentFormat format) {
            return writeInputReportDocument(InputReportOptions{}, path, format, contextOf(1));
        }).second;
    EXPECT_FALSE(inputPages.join(QString()).contains(QLatin1String("landscape")));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << messages().toStdString();
}

TEST(ProposedReportName, CharactersNoFileNameCanHoldAreReplaced)
{
    EXPECT_EQ(proposedReportName("Rapp invoer", "Noord/Zuid: \"A\"", QDate(2026, 3, 9), DocumentFormat::Word),
              u"Rapp invoer Noord_Zuid_ _A_ 09-03-2026.docx");
    EXPECT_EQ(proposedReportName("Rapportage", "Zuid", QDate(2026, 3, 9), DocumentFormat::Pdf),
              u"Rapportage Zuid 09-03-2026.pdf");
}

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

// A row added after the calculation (the rows test below has its message), then rows that cannot be read: no
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
    // Aftercare from 1 July 2028, from the construction in 2029 every 2 years to its 30th year: the payments
    // of July 2029 to 2057 fall in aftercare years 2 to 30; these columns show the whole years before them.
    change("UPDATE tblStort SET dtmAanvangNazorg = '2028-07-01' WHERE idrStort_ID = 1");
    change("UPDATE tblAct SET bytOptieStart = 1, intStartAbs = 2029, bytStartBA = 1, intStartBA = 1, "
           "bytEindBA = 1, "
           "intEindBA = 30, bytOptieFreq = 3, intFreqX = 2 WHERE idrAct_ID = 50");
    ASSERT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
    dumpRows(QStringLiteral(", aftercare from July 2028, item 50 from the construction"), DVGrouping::Talvo);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/rows.txt"), lines.join(u'\n') + u'\n'));
}

TEST(DocxDocument, EveryFeatureMatchesItsGoldenFile)
{
    DocxDocument document;
    fill(document);
    QString dump;
    for (const QString part : {"word/document.xml", "word/header1.xml", "word/footer1.xml"})
        dump += QStringLiteral("=== ") + part + u'\n' + test::dumpDocx(test::readDocx(document.part(part)));
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/docx-features.txt"), dump));

    // What the dump leaves out (tab stops and alignment in twips, spaces kept at the ends of a text, the page
    // set-up in twips, a new page for every section, the fixed table layout and the borders asked for, header
    // and footer shown by both sections, the default look): the XML itself, one element a line.
    QString xml;
    for (const QString part :
         {"word/document.xml", "word/_rels/document.xml.rels", "word/styles.xml", "word/footer2.xml"})
        xml += QStringLiteral("=== ") + part + u'\n' +
               QString::fromUtf8(document.part(part)).replace(QStringLiteral("><"), QStringLiteral(">\n<")) +
               u'\n';
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/docx-features-xml.txt"), xml));
}

// Word's own output for the password "johnjohn" with this salt (SHA-512, 100000 rounds); without a salt
// every document gets 16 random bytes of its own.
TEST(DocxDocument, FormProtectionHashesThePasswordAsWordDoes)
{
    DocxDocument word;
    word.protectForForms(QStringLiteral("johnjohn"), QByteArray::fromBase64("pH1TDVHSfGBxkd3Q88UNhQ=="));
    EXPECT_TRUE(
        word.part("word/settings.xml")
            .contains(R"(<w:documentProtection w:edit="forms" w:enforcement="1" )"
                      R"(w:cryptProviderType="rsaAES" w:cryptAlgorithmClass="hash" )"
                      R"(w:cryptAlgorithmType="typeAny" w:cryptAlgorithmSid="14" w:cryptSpinCount="100000" )"
                      R"(w:hash="pVjR9ktO9vlxijXcMPlH+4PLwD4Xwy1aqbNQOFmWaSpvBjipNh//T8S3nBhq6HRoRVfWL6s/)"
                      R"(+NdUCPTxUr0vZw==" w:salt="pH1TDVHSfGBxkd3Q88UNhQ=="/>)"));

    DocxDocument first, second;
    first.protectForForms(QStringLiteral("geheim"));
    second.protectForForms(QStringLiteral("geheim"));
    const QString settings = QString::fromUtf8(first.part(QStringLiteral("word/settings.xml")));
    EXPECT_TRUE(settings.contains(QRegularExpression(QStringLiteral(R"x(w:salt="[A-Za-z0-9+/]{22}==")x"))));
    EXPECT_NE(settings, QString::fromUtf8(second.part(QStringLiteral("word/settings.xml"))));
    EXPECT_FALSE(DocxDocument().part(QStringLiteral("word/settings.xml")).contains("documentProtection"));
}

// Whole or nothing: a folder that does not exist, a folder in the way or a file where a folder should be
// leave everything as it was; an existing file is replaced by a zip of every part, well-formed.
TEST(DocxDocument, SavesAZipOfWellFormedPartsOrNothing)
{
    QTemporaryDir dir;
    DocxDocument document;
    fill(document);
    QFile old(dir.filePath(QStringLiteral("rapport.docx")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("oud") == 3);
    old.close();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("map.docx/binnen")));
    for (const char* target : {"nergens/rapport.docx", "map.docx", "rapport.docx/nieuw.docx"}) {
        QString error;
        EXPECT_FALSE(document.save(dir.filePath(QLatin1String(target)), &error)) << target;
        EXPECT_FALSE(error.isEmpty()) << target;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"map.docx", "rapport.docx"}));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("map.docx/binnen"))).isDir());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "oud");
    old.close();

    QString error;
    ASSERT_TRUE(document.save(old.fileName(), &error)) << error.toStdString();
    for (const QString& part : Parts) {
        EXPECT_EQ(test::readDocxPart(old.fileName(), part), document.part(part)) << part.toStdString();
        EXPECT_TRUE(!document.part(part).isEmpty() &&
                    test::readDocx(document.part(part)).parseError.isEmpty())
            << part.toStdString();
    }
    EXPECT_TRUE(QString::fromUtf8(document.part(Parts[0]))
                    .contains(QRegularExpression(
                        "PartName=\"/word/document.xml\".*/word/styles.xml.*/word/settings.xml.*"
                        "/word/header1.xml.*/word/footer1.xml")));
    EXPECT_TRUE(document.part(QStringLiteral("word/nothing.xml")).isEmpty());
    EXPECT_TRUE(DocxDocument().part(QStringLiteral("word/header1.xml")).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"rapport.docx"}));
}

// The same features laid out on pages: each section's page size and orientation, the text as it stands on
// the page (tabs, alignment, symbols, fields filled in per page), the title and creator.
TEST(PdfDocument, EveryFeatureMatchesItsGoldenFile)
{
    if (needsPdfTools())
        GTEST_SKIP() << "poppler-utils is not installed";
    PdfDocument document(QStringLiteral("Titel <&>"));
    fill(document);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("features.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(document.render(QDateTime(QDate(2026, 12, 6), QTime(9, 5))));
    file.close();
    QString dump;
    static const QRegularExpression properties(QStringLiteral("^(Title|Creator|Pages|Page +\\d+ size):.*$"),
                                               QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& match :
         properties.globalMatch(outputOf(QStringLiteral("pdfinfo"), {"-f", "1", "-l", "9", file.fileName()})))
        dump += match.captured(0) + u'\n';
    dump +=
        outputOf(QStringLiteral("pdftotext"), {"-layout", file.fileName(), "-"}).replace(u'\f', "=== page\n");
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/pdf-features.txt"), dump));
}

// Wherever a page ends, a paragraph leaves no single line behind and carries none over alone, a table row
// stays whole, and so does a row kept together with the paragraph after it: the item is written after more
// and more lines until it crosses the end of the first page.
TEST(PdfDocument, PagesEndBetweenLinesAsInTheWordProcessor)
{
    if (needsPdfTools())
        GTEST_SKIP() << "poppler-utils is not installed";
    const auto write = [](ReportDocument& document, int item) {
        if (item >= 2) {
            document.beginKeepTogether();
            document.beginTable(TableLayout{{3.0, 3.0}, {}, 8, true});
            document.tableRow({Cell(item == 2 ? QStringLiteral("r1\nr2") : QStringLiteral("r1")),
                               Cell(QStringLiteral("rechts"))});
            document.endTable();
            if (item == 3)
                document.paragraph(Paragraph(QStringLiteral("r2")));
            document.endKeepTogether();
        } else {
            document.paragraph(
                Paragraph(item == 0 ? QStringLiteral("r1\nr2\nr3") : QStringLiteral("r1\nr2\nr3\nr4")));
        }
    };
    // The pages of each marked line "rN", for the splits that are allowed.
    const QList<QStringList> allowed{{"111", "222"}, {"1111", "1122", "2222"}, {"11", "22"}, {"11", "22"}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.pdf"));
    for (int item = 0; item < allowed.size(); ++item) {
        QSet<QString> seen;
        for (int before = 68; before < 82; ++before) {
            PdfDocument document(QString{});
            for (int i = 0; i < before; ++i)
                document.paragraph(Paragraph(QStringLiteral("regel %1").arg(i)));
            write(document, item);
            QString error;
            ASSERT_TRUE(document.save(path, &error)) << error.toStdString();
            const QStringList pages = outputOf(QStringLiteral("pdftotext"), {path, "-"}).split(u'\f');
            QString split;
            for (int line = 1; line <= allowed[item].first().size(); ++line) {
                for (qsizetype page = 0; page < pages.size(); ++page) {
                    if (pages[page].contains(QRegularExpression(QStringLiteral("^r%1$").arg(line),
                                                                QRegularExpression::MultilineOption)))
                        split += QString::number(page + 1);
                }
            }
            EXPECT_TRUE(allowed[item].contains(split))
                << item << " after " << before << ": " << split.toStdString();
            seen.insert(split);
        }
        EXPECT_EQ(seen.size(), allowed[item].size()) << item; // every allowed split was met
    }
}
