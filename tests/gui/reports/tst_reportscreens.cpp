// The report dialogs (target capital and levy, input data) and the report window, driven through their
// controls on the demo data, with the desktop's open action replaced. What the reports hold, and which places
// are refused, are the core's (tests/core/reports); captions and starting states are in the screens' dumps.
#include "app/frmMDI_main.h"
#include "costitems/frmAct.h"
#include "facility/clsStort.h"
#include "reports/formats/screenreport.h"
#include "reports/frmDoelverm.h"
#include "reports/frmOverzicht.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"
#include "reports/frmVergelijk.h"
#include "support/docxinspect.h"
#include "support/guiprogramfolder.h"
#include "widgets/opendocument.h"

#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableView>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include <string_view>

using namespace dovra;
using test::child;
using test::deletePending;

namespace {

QString documentText(const QString& path)
{
    return test::readDocx(test::readDocxPart(path, QStringLiteral("word/document.xml"))).lines().join(u'\n');
}

// Demo facility 1 open with an export directory of its own, and files "opened" into a list instead of a
// program; the user chooses files in another directory.
class ReportScreensTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        ASSERT_TRUE(appState().openFacility(1));
        previousOpener = setDocumentOpener([this](const QUrl& target) {
            opened.append(target.toLocalFile());
            return true;
        });
        clsStort stort(appState().workspace());
        ASSERT_TRUE(stort.initializeStort(1));
        stort.setStandaardExportDir(exportDir.path());
        ASSERT_TRUE(stort.Move0());
        dialog = new frmDoelverm;
        dialog->show();
        recorder.clear();
    }

    void TearDown() override
    {
        setDocumentOpener(previousOpener);
        WindowTest::TearDown();
    }

    void click(const char* name) { child<QAbstractButton>(dialog, name)->click(); }
    void tick(const char* name, bool on)
    {
        if (checked(name) != on)
            click(name);
    }
    bool checked(const char* name) { return child<QAbstractButton>(dialog, name)->isChecked(); }
    bool enabled(const char* name) { return child(dialog, name)->isEnabled(); }
    QString chosen(const QString& name) const { return QDir(chosenDir.path()).filePath(name); }

    // The save dialog asked once, proposing "<prefix> <facility> <today>.docx" (or .pdf) in the directory.
    void expectFileRequest(const QString& prefix, const QString& dir, bool pdf = false)
    {
        ASSERT_EQ(recorder.fileRequests().size(), 1);
        const FileDialogRequest& request = recorder.fileRequests().constFirst();
        EXPECT_EQ(request.filter, pdf ? QStringLiteral("PDF bestanden (*.pdf)|*.pdf|")
                                      : QStringLiteral("Word bestanden (*.docx)|*.docx|"));
        EXPECT_EQ(request.proposed, QDir(dir).filePath(prefix + QStringLiteral(" Stortplaats De Kragge ") +
                                                       QDate::currentDate().toString(u"dd-MM-yyyy") +
                                                       (pdf ? u".pdf" : u".docx")));
        EXPECT_TRUE(request.overwritePrompt);
    }

    QTemporaryDir exportDir;
    QTemporaryDir chosenDir;
    QStringList opened;
    DocumentOpener previousOpener;
    QPointer<frmDoelverm> dialog;
};

TEST_F(ReportScreensTest, EnablingRulesFollowEveryClick)
{
    // Nothing to write: no OK.
    click("chkRapDV");
    EXPECT_FALSE(enabled("OKButton"));
    click("chkRapHef");
    EXPECT_TRUE(enabled("OKButton"));

    // The cover and the checklist list exist in a document (.docx or PDF) only, not on the screen or in a
    // workbook.
    const char* documentOnly[] = {"chkVoorblad", "chkRapUnselectedCLitems"};
    for (const char* name : documentOnly)
        click(name);
    for (const char* output : {"optRapNaar1", "optRapNaar2", "optRapNaar4", "optRapNaar3"}) {
        click(output);
        const bool toDocument =
            output == std::string_view("optRapNaar2") || output == std::string_view("optRapNaar3");
        for (const char* name : documentOnly) {
            EXPECT_FALSE(checked(name)) << name;
            EXPECT_EQ(enabled(name), toDocument) << name;
        }
    }

    // A grouping asks for the target capital section.
    click("chkRapHef");
    EXPECT_FALSE(enabled("OKButton"));
    click("optRapSort3");
    EXPECT_TRUE(checked("chkRapDV"));
    EXPECT_TRUE(enabled("OKButton"));

    click("CancelButton");
    deletePending();
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// Leaving the box takes a percentage up to 30 (empty keeps the last one); a refused one keeps the focus,
// without a message, and is not reported on either.
TEST_F(ReportScreensTest, VatBoxTakesPercentagesUpToThirtyOnLeaving)
{
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* box = child<QLineEdit>(dialog, "txtBTWperc");
    const std::tuple<const char*, bool, float> cases[] = {{"35", true, 19},  {"30,5", true, 19},
                                                          {"21", false, 21}, {"12,5", false, 12.5f},
                                                          {"30", false, 30}, {"", false, 30}};
    for (const auto& [text, refused, stored] : cases) {
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, QLatin1String(text));
        if (!*text)
            QTest::keyClick(box, Qt::Key_Delete);
        child(dialog, "chkRapHef")->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget() == box, refused) << text;
        EXPECT_FLOAT_EQ(appState().view().vatPercentage, stored) << text;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());

    box->setText(QStringLiteral("40"));
    click("OKButton");
    EXPECT_TRUE(dialog);
    EXPECT_TRUE(recorder.fileRequests().isEmpty());
}

// OK writes the ticked sections with the VAT lines of the percentage in the box (none for 0) where the user
// chose, proposes that folder for the next report and opens the document on Yes. The next dialog offers the
// sections chosen last.
TEST_F(ReportScreensTest, DocumentIsSavedWhereChosenAndOpenedOnYes)
{
    const std::tuple<const char*, MessageAnswer, bool, const char*> cases[] = {
        {"19", MessageAnswer::Yes, true, "Omzetbelasting (19,0%)"}, {"0", MessageAnswer::No, false, ""}};
    for (const auto& [vat, answer, levy, vatLine] : cases) {
        SCOPED_TRACE(vat);
        const QString path = chosen(QStringLiteral("doelvermogen %1.docx").arg(QLatin1String(vat)));
        EXPECT_EQ(checked("chkVoorblad") && checked("chkRapHef"), !levy);
        tick("chkVoorblad", true);
        tick("chkRapHef", levy);
        child<QLineEdit>(dialog, "txtBTWperc")->setText(QLatin1String(vat));
        recorder.answerNextFile(path);
        recorder.answerNext(answer);
        click("OKButton");

        expectFileRequest(QStringLiteral("Rapportage"), levy ? exportDir.path() : chosenDir.path());
        EXPECT_EQ(
            recorder.titles().join(u'|') + u": " + recorder.texts().join(u'|'),
            u"Rapportage doelvermogen & heffing: De rapportage is gereed.\r\nWilt u nu het rapport openen?");
        EXPECT_EQ(opened, answer == MessageAnswer::Yes ? QStringList{path} : QStringList());
        EXPECT_EQ(recorder.busyDepth(), 0);

        const QString text = documentText(path);
        EXPECT_EQ(text.contains(QStringLiteral("Rapportage heffingen")), levy);
        EXPECT_TRUE(text.contains(QLatin1String(vatLine)));
        EXPECT_EQ(text.contains(QStringLiteral("Omzetbelasting")), *vatLine != 0);
        deletePending();
        EXPECT_FALSE(dialog);
        dialog = new frmDoelverm;
        recorder.clear();
        opened.clear();
    }
}

// A place the core refuses is told and asked for again; a cancelled dialog writes nothing and closes.
TEST_F(ReportScreensTest, TheFileDialogAsksUntilAPlaceIsGoodOrCancelled)
{
    recorder.answerNextFile(appState().dataFilePath());
    recorder.answerNextFile(chosen(QStringLiteral("doelvermogen.docx")));
    click("OKButton");
    EXPECT_EQ(recorder.fileRequests().size(), 2);
    EXPECT_EQ(recorder.titles(), QStringList({"Rapportage", "Rapportage doelvermogen & heffing"}));

    deletePending();
    ASSERT_FALSE(dialog);
    dialog = new frmDoelverm;
    recorder.clear();
    click("optRapNaar3");
    click("OKButton");
    expectFileRequest(QStringLiteral("Rapportage"), chosenDir.path(), true);
    EXPECT_EQ(QDir(chosenDir.path()).entryList(QDir::Files), QStringList{"doelvermogen.docx"}); // nothing new
    EXPECT_TRUE(recorder.recorded().isEmpty());
    deletePending();
    EXPECT_FALSE(dialog);

    // A workbook is asked for as one.
    dialog = new frmDoelverm;
    recorder.clear();
    click("optRapNaar4");
    recorder.answerNextFile(chosen(QStringLiteral("doelvermogen.xlsx")));
    recorder.answerNext(MessageAnswer::No);
    click("OKButton");
    EXPECT_EQ(recorder.fileRequests().value(0).filter, u"Excel bestanden (*.xlsx)|*.xlsx|");
    EXPECT_TRUE(recorder.fileRequests().value(0).proposed.endsWith(u".xlsx"));
    QFile workbook(chosen(QStringLiteral("doelvermogen.xlsx")));
    EXPECT_TRUE(workbook.open(QIODevice::ReadOnly) && workbook.read(2) == "PK");
}

TEST_F(ReportScreensTest, InputReportWritesTheTickedSections)
{
    QPointer<frmRapVoorz> input = new frmRapVoorz;
    input->show();
    // Cancelled: nothing written, the dialog stays.
    child<QPushButton>(input, "cmdRapporteer")->click();
    expectFileRequest(QStringLiteral("Rapp invoer"), exportDir.path());
    EXPECT_TRUE(QDir(chosenDir.path()).isEmpty());

    child<QAbstractButton>(input, "chkAlg")->click();
    recorder.answerNextFile(chosen(QStringLiteral("invoer.docx")));
    child<QPushButton>(input, "cmdRapporteer")->click();
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Rapportage ingevoerde gegevens")});
    const QString text = documentText(chosen(QStringLiteral("invoer.docx")));
    EXPECT_FALSE(text.contains(QStringLiteral(">> Algemene gegevens")));
    EXPECT_TRUE(text.contains(QStringLiteral(">>  Kostenposten")));

    // As PDF: asked for with its own filter and name.
    recorder.clear();
    child<QAbstractButton>(input, "optRapNaar3")->click();
    recorder.answerNextFile(chosen(QStringLiteral("invoer.pdf")));
    child<QPushButton>(input, "cmdRapporteer")->click();
    expectFileRequest(QStringLiteral("Rapp invoer"), chosenDir.path(), true);
    QFile pdf(chosen(QStringLiteral("invoer.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");

    child<QPushButton>(input, "cmdSluiten")->click();
    deletePending();
    EXPECT_FALSE(input);
    input = new frmRapVoorz;
    EXPECT_TRUE(child<QAbstractButton>(input, "optRapNaar3")->isChecked());
    EXPECT_FALSE(child<QAbstractButton>(input, "chkAlg")->isChecked());
}

// Output to the screen fills a report window of the main window that outlives the dialog.
TEST_F(ReportScreensTest, ScreenOutputFillsAReportWindowOfTheMainWindow)
{
    delete dialog;
    auto* window = new frmMDI_main;
    ASSERT_TRUE(appState().openFacility(1));
    window->runMenuCommand(QStringLiteral("Doelvermogen"));
    dialog = window->findChild<frmDoelverm*>();
    ASSERT_TRUE(dialog);
    click("optRapNaar1");
    click("chkRapHef");
    click("OKButton");
    deletePending();
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(recorder.fileRequests().isEmpty());
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();

    QPointer<frmRapScherm> report = window->findChild<frmRapScherm*>();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->isVisible());
    const QString shown = child<QTextEdit>(report, "txtRap")->toPlainText();
    EXPECT_TRUE(shown.contains(u"Beheer en administratie") && shown.contains(u"Rapportage heffingen:"));
    // Beside it the expenditure schedule of 100 years per rubric; the first year's outlays are those
    // dovra-cli uitgavenschema prints (tests/golden/cli/facility1-analyses.txt).
    auto* tabs = child<QTabWidget>(report, "tabRap");
    EXPECT_EQ(tabs->tabText(0) + u'|' + tabs->tabText(1), u"Rapport|Uitgavenschema");
    const auto* bars =
        qobject_cast<QStackedBarSeries*>(report->findChild<QChartView*>()->chart()->series().at(0));
    ASSERT_TRUE(bars);
    double firstYear = 0;
    for (const QBarSet* set : bars->barSets()) {
        EXPECT_EQ(set->count(), 100);
        firstYear += set->at(0);
    }
    EXPECT_EQ(bars->count(), 6);
    EXPECT_EQ(firstYear, 472334.0);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
    // The schedule saved as a workbook where the user chooses.
    recorder.answerNextFile(chosen(QStringLiteral("schema.xlsx")));
    child<QPushButton>(report, "cmdExporterenExcel")->click();
    EXPECT_GT(QFileInfo(chosen(QStringLiteral("schema.xlsx"))).size(), 0);
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    child<QPushButton>(report, "cmdSluiten")->click();
    deletePending();
    EXPECT_FALSE(report);
}

TEST(OpenDocumentTest, TellsWhenNoProgramOpensTheFileOrTheAddress)
{
    MessageRecorder recorder;
    const DocumentOpener previous = setDocumentOpener([](const QUrl&) { return false; });
    EXPECT_FALSE(OpenDocument(QDir::temp().filePath(QStringLiteral("rapport.docx"))));
    EXPECT_FALSE(OpenWebAddress(QUrl(QStringLiteral("https://www.ipo.nl/"))));
    EXPECT_EQ(
        recorder.texts().join(u'|'),
        u"Er is geen programma gevonden waarmee 'rapport.docx' geopend kan worden.|Er is geen webbrowser "
        u"gevonden waarmee 'https://www.ipo.nl/' geopend kan worden.");
    setDocumentOpener(previous);
}

// The report window alone: each run's look, the tab stops in centimetres, a second report replacing the
// first; a caption running past the stops of empty columns gives them up, so its amount keeps its own.
TEST(ReportWindowTest, ShowsRunsWithTheirLookOnTabStopsInCentimetres)
{
    QPointer<frmRapScherm> window = new frmRapScherm;
    report::Paragraph columns({report::Run::symbol(252),
                               report::Run::plain(QStringLiteral("\t")),
                               {.text = QStringLiteral("post"), .bold = true, .colour = 0x0000FF},
                               {.text = QStringLiteral("\t\t"), .underline = true},
                               {.text = QStringLiteral("niet conform"), .sizePt = 10, .italic = true}});
    columns.tabs = {{0.5, report::TabStop::Align::Left}, {7.9, report::TabStop::Align::Right}};
    report::Paragraph right(QStringLiteral("rechts"), 15);
    right.alignment = report::Alignment::Right;
    report::Paragraph caption(QStringLiteral("\tSubtotaal grondwatermonitoringssysteem: \t\t\t€ 660.048"));
    caption.tabs = {{0.5}, {1.0}, {2.0}, {10.0, report::TabStop::Align::Right}};
    report::ScreenReport earlier;
    earlier.paragraph(report::Paragraph(QStringLiteral("eerder")));
    window->show(earlier);
    report::ScreenReport written;
    written.paragraph(columns);
    written.paragraph(report::Paragraph());
    written.paragraph(right);
    written.paragraph(caption);
    window->show(written);

    // A line a block (its alignment and tab stops in cm, "r" right-aligned), then one a run of one look.
    QTextEdit* text = child<QTextEdit>(window, "txtRap");
    EXPECT_EQ(text->textCursor().position(), 0);
    QStringList shown;
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        QString line = block.blockFormat().alignment() & Qt::AlignRight ? QStringLiteral("right")
                                                                        : QStringLiteral("left");
        for (const QTextOption::Tab& tab : block.blockFormat().tabPositions())
            line += u' ' + QString::number(qRound(tab.position) * 2.54 / window->logicalDpiX(), 'f', 1) +
                    (tab.type == QTextOption::RightTab ? u"r" : u"");
        shown << line;
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QTextCharFormat look = run.fragment().charFormat();
            shown << QStringLiteral("  \"%1\" %2 %3%4%5%6%7")
                         .arg(run.fragment().text(), look.fontFamilies().toStringList().join(u','))
                         .arg(look.fontPointSize())
                         .arg(look.fontWeight() == QFont::Bold ? " b" : "", look.fontItalic() ? " i" : "",
                              look.fontUnderline() ? " u" : "",
                              look.foreground().style() == Qt::NoBrush
                                  ? QString()
                                  : u' ' + look.foreground().color().name());
        }
    }
    EXPECT_EQ(shown, QStringList({"left 0.5 7.9r", "  \"" + report::symbolLookAlike(252) + "\t\" Arial 8",
                                  "  \"post\" Arial 8 b #0000ff", "  \"\t\t\" Arial 8 u",
                                  "  \"niet conform\" Arial 10 i", "left", "right", "  \"rechts\" Arial 15",
                                  "left 0.5 10.0r",
                                  "  \"\tSubtotaal grondwatermonitoringssysteem: \t€ 660.048\" Arial 8"}));

    child<QPushButton>(window, "cmdSluiten")->click();
    deletePending();
    EXPECT_FALSE(window);
}

// The overview of the demo data without an open facility: one province chosen leaves its rows, totals and
// bars, which are what is exported; a double-click opens the facility. The figures are the core's
// (tests/core/overview).
using OverviewWindowTest = test::WindowTest;

TEST_F(OverviewWindowTest, FilterFollowsTheProvinceAndADoubleClickOpens)
{
    ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
    QPointer<frmMDI_main> window = new frmMDI_main;
    window->runMenuCommand(QStringLiteral("overzicht"));
    QPointer<frmOverzicht> overview = window->findChild<frmOverzicht*>();
    ASSERT_TRUE(overview);
    auto* rows = child<QTableView>(overview, "tblInrichtingen");
    ASSERT_TRUE(QTest::qWaitFor([rows] { return rows->model()->rowCount() == 3; }, 20000));
    child<QComboBox>(overview, "cboProvincie")->setCurrentText(QStringLiteral("Zuid-Holland"));
    ASSERT_EQ(rows->model()->rowCount(), 1);
    EXPECT_EQ(child<QTableWidget>(overview, "tblTotalen")->item(0, 1)->text(), u"1");
    const auto* bars = qobject_cast<QStackedBarSeries*>(
        child<QChartView>(overview, "chtDoelvermogen")->chart()->series().at(0));
    ASSERT_EQ(bars->count(), 1);
    EXPECT_EQ(bars->barSets().at(0)->label(), u"Zuid-Holland");
    // The rows shown go into the spreadsheet.
    const QString workbook = folder.filePath(QStringLiteral("overzicht.xlsx"));
    recorder.answerNextFile(workbook);
    recorder.answerNext(MessageAnswer::No);
    child<QPushButton>(overview, "cmdExporteren")->click();
    const QString cells =
        QString::fromUtf8(test::readDocxPart(workbook, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(cells.contains(QLatin1String("Hollandsch Diep")) &&
                !cells.contains(QLatin1String("Vlagheide")));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Overzicht inrichtingen")});
    emit rows->doubleClicked(rows->model()->index(0, 0));
    EXPECT_EQ(appState().facility().id, 3);
    deletePending();
    EXPECT_FALSE(overview);
}

} // namespace

// The demo landfill compared with the other one: a double click on a changed cost item shows it in the
// editor.
TEST_F(ReportScreensTest, ComparisonOpensACostItemInTheEditor)
{
    delete dialog;
    auto* window = new frmMDI_main;
    ASSERT_TRUE(appState().openFacility(1));
    window->runMenuCommand(QStringLiteral("vergelijken"));
    auto* comparison = window->findChild<frmVergelijk*>();
    ASSERT_TRUE(comparison);
    auto* other = child<QComboBox>(comparison, "cboInrichting");
    other->setCurrentIndex(other->findText(QStringLiteral("Stortplaats Vlagheide")));
    child<QAbstractButton>(comparison, "optInrichting")->click();
    child<QAbstractButton>(comparison, "cmdVergelijk")->click();
    auto* tree = child<QTreeWidget>(comparison, "tvwVerschillen");
    const QList<QTreeWidgetItem*> found =
        tree->findItems(QStringLiteral("Vastleggen nulsituatie bij aanvang nazorg"), Qt::MatchExactly, 2);
    ASSERT_EQ(found.size(), 1);
    emit tree->itemDoubleClicked(found.front(), 2);
    auto* editor = window->findChild<frmAct*>();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->tree().selectedPostTitle(),
              QStringLiteral("Vastleggen nulsituatie bij aanvang nazorg"));
}
