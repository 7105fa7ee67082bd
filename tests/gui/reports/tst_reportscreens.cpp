// The report dialogs (target capital and levy, input data) and the report window, driven through their
// controls on the demo data, with the desktop's open action replaced.
#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "app/screenregistration.h"
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"
#include "reports/screenreport.h"
#include "storage/datafilelink.h"
#include "support/docxinspect.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"
#include "widgets/opendocument.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace dovra;
using test::deletePending;

namespace {

const QString Facility = QStringLiteral("Stortplaats De Kragge");
const QString Ready = QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?");

template <typename T> T* child(QWidget* parent, const char* name)
{
    auto* found = parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        ADD_FAILURE() << "no widget " << name;
    return found;
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
}

// The report windows now loaded, shown or not.
QList<frmRapScherm*> reportWindows()
{
    QList<frmRapScherm*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<frmRapScherm*>(widget))
            found.append(window);
    return found;
}

bool isZip(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "PK";
}

QStringList documentLines(const QString& path)
{
    return test::readDocx(test::readDocxPart(path, QStringLiteral("word/document.xml"))).lines();
}

bool anyContains(const QStringList& lines, const QString& text)
{
    return std::any_of(lines.cbegin(), lines.cend(),
                       [&](const QString& line) { return line.contains(text); });
}

// Demo facility 1 open, every message recorded, and files "opened" into a list instead of a program.
class ReportScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ScreenRegistration::loadedScreens(), 0);
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        ASSERT_TRUE(appState().openFacility(1));
        previousOpener = setDocumentOpener([this](const QString& path) {
            opened.append(path);
            return true;
        });
        recorder.clear();
    }

    void TearDown() override
    {
        setDocumentOpener(previousOpener);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(widget))
                widget->close();
        delete window;
        deletePending();
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    }

    void openDialog()
    {
        dialog = new frmDoelverm;
        dialog->show();
    }

    template <typename T> T* control(const char* name) { return child<T>(dialog, name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    bool checked(const char* name) { return control<QAbstractButton>(name)->isChecked(); }
    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }

    // The facility's export directory set to a folder of its own; the chosen file lies in another.
    QString prepareExport(const QString& fileName)
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(1));
        stort.setStandaardExportDir(exportDir.path());
        EXPECT_TRUE(stort.Move0());
        return QDir(chosenDir.path()).filePath(fileName);
    }

    QString storedExportDir()
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(1));
        return stort.StandaardExportDir();
    }

    void expectFileRequest(const QString& prefix)
    {
        ASSERT_EQ(recorder.fileRequests().size(), 1);
        const FileDialogRequest& request = recorder.fileRequests().constFirst();
        EXPECT_EQ(request.title, QStringLiteral("Rapportage opslaan als ..."));
        EXPECT_EQ(request.filter, QStringLiteral("Word bestanden (*.docx)|*.docx|"));
        EXPECT_EQ(request.proposed,
                  QDir(exportDir.path())
                      .filePath(prefix + u' ' + Facility + u' ' + today() + QStringLiteral(".docx")));
        EXPECT_TRUE(request.overwritePrompt);
    }

    void expectReadyQuestion(const QString& title)
    {
        ASSERT_FALSE(recorder.recorded().isEmpty());
        const MessageRecorder::Message& question = recorder.recorded().constLast();
        EXPECT_EQ(question.text, Ready);
        EXPECT_EQ(question.title, title);
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    }

    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QTemporaryDir exportDir;
    QTemporaryDir chosenDir;
    QStringList opened;
    DocumentOpener previousOpener;
    QPointer<frmDoelverm> dialog;
    QPointer<frmMDI_main> window;
};

TEST_F(ReportScreensTest, CancelClosesTheDialog)
{
    openDialog();
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
    click("CancelButton");
    deletePending();
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ReportScreensTest, EnablingRulesFollowEveryClick)
{
    openDialog();
    // Nothing to write: no OK.
    click("chkRapDV");
    EXPECT_FALSE(enabled("OKButton"));
    click("chkRapHef");
    EXPECT_TRUE(enabled("OKButton"));

    // The cover and the checklist list exist in the document only.
    click("chkVoorblad");
    click("chkRapUnselectedCLitems");
    click("optRapNaar1");
    for (const char* name : {"chkVoorblad", "chkRapUnselectedCLitems"}) {
        EXPECT_FALSE(checked(name)) << name;
        EXPECT_FALSE(enabled(name)) << name;
    }
    click("optRapNaar2");
    for (const char* name : {"chkVoorblad", "chkRapUnselectedCLitems"}) {
        EXPECT_FALSE(checked(name)) << name;
        EXPECT_TRUE(enabled(name)) << name;
    }

    // A grouping asks for the target capital section.
    click("chkRapHef");
    EXPECT_FALSE(enabled("OKButton"));
    click("optRapSort3");
    EXPECT_TRUE(checked("chkRapDV"));
    EXPECT_TRUE(enabled("OKButton"));
    click("chkRapDV");
    click("optRapSort1");
    EXPECT_TRUE(checked("chkRapDV"));
}

TEST_F(ReportScreensTest, VatBoxTakesPercentagesUpToThirtyOnLeaving)
{
    openDialog();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* box = control<QLineEdit>("txtBTWperc");
    auto* next = control<QCheckBox>("chkRapHef");
    auto leaveWith = [&](const QString& text) {
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, text);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        next->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        return QApplication::focusWidget() == box;
    };

    // Refused: the focus stays, nothing changes and nobody is told.
    EXPECT_TRUE(leaveWith(QStringLiteral("35")));
    EXPECT_TRUE(leaveWith(QStringLiteral("30,5")));
    EXPECT_FLOAT_EQ(appState().view().vatPercentage, 19.0f);

    EXPECT_FALSE(leaveWith(QStringLiteral("21")));
    EXPECT_FLOAT_EQ(appState().view().vatPercentage, 21.0f);
    EXPECT_FALSE(leaveWith(QStringLiteral("12,5")));
    EXPECT_FLOAT_EQ(appState().view().vatPercentage, 12.5f);
    EXPECT_FALSE(leaveWith(QStringLiteral("30")));
    EXPECT_FLOAT_EQ(appState().view().vatPercentage, 30.0f);
    // Empty: the percentage stays.
    EXPECT_FALSE(leaveWith(QString()));
    EXPECT_EQ(box->text(), QString());
    EXPECT_FLOAT_EQ(appState().view().vatPercentage, 30.0f);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A refused value is not reported on either.
    box->setText(QStringLiteral("40"));
    click("OKButton");
    EXPECT_TRUE(dialog);
    EXPECT_TRUE(recorder.fileRequests().isEmpty());
}

// OK writes the ticked sections with the VAT lines of the percentage in the box (none for 0) where the user
// chose, remembers the folder and opens the document on Yes.
TEST_F(ReportScreensTest, DocumentIsSavedWhereChosenAndOpenedOnYes)
{
    const struct
    {
        const char* vat;
        MessageAnswer answer;
        bool levy;
        const char* vatLine;
    } cases[] = {{"19", MessageAnswer::Yes, true, "Omzetbelasting (19,0%)"},
                 {"0", MessageAnswer::No, false, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vat);
        recorder.clear();
        opened.clear();
        const QString path = prepareExport(QStringLiteral("doelvermogen %1.docx").arg(QLatin1String(c.vat)));
        openDialog();
        click("chkVoorblad");
        if (c.levy)
            click("chkRapHef");
        control<QLineEdit>("txtBTWperc")->setText(QLatin1String(c.vat));
        recorder.answerNextFile(path);
        recorder.answerNext(c.answer);
        click("OKButton");

        expectFileRequest(QStringLiteral("Rapportage"));
        expectReadyQuestion(QStringLiteral("Rapportage doelvermogen & heffing"));
        EXPECT_EQ(recorder.recorded().size(), 1) << recorder.texts().join(u'|').toStdString();
        EXPECT_EQ(opened, c.answer == MessageAnswer::Yes ? QStringList{path} : QStringList());
        EXPECT_EQ(storedExportDir(), QDir::toNativeSeparators(chosenDir.path()));
        EXPECT_EQ(recorder.busyDepth(), 0);
        EXPECT_TRUE(control<QProgressBar>("ProgressBar1")->isHidden());

        const QStringList lines = documentLines(path);
        EXPECT_TRUE(anyContains(lines, QStringLiteral("Inrichting: ") + Facility));
        EXPECT_TRUE(anyContains(lines, QStringLiteral("Beheer en administratie")));
        EXPECT_EQ(anyContains(lines, QStringLiteral("Rapportage heffingen")), c.levy);
        EXPECT_EQ(anyContains(lines, QStringLiteral("Omzetbelasting")), c.vatLine != nullptr);
        if (c.vatLine) {
            EXPECT_TRUE(anyContains(lines, QLatin1String(c.vatLine)));
        }
        EXPECT_FALSE(anyContains(lines, QStringLiteral("niet geselecteerde")));
        deletePending();
        EXPECT_FALSE(dialog);
    }
}

TEST_F(ReportScreensTest, ARefusedPlaceIsToldAndAskedForAgain)
{
    const QString path = prepareExport(QStringLiteral("doelvermogen.docx"));
    const QString data = appState().dataFilePath();
    openDialog();
    recorder.answerNextFile(data);
    recorder.answerNextFile(path);
    recorder.answerNext(MessageAnswer::No);
    click("OKButton");

    // Which places are refused, and the message, are the core's (tests/core/reports/tst_reportrun).
    EXPECT_EQ(recorder.fileRequests().size(), 2);
    EXPECT_EQ(recorder.titles(), QStringList({"Rapportage", "Rapportage doelvermogen & heffing"}));
    EXPECT_FALSE(isZip(data));
    EXPECT_TRUE(isZip(path));
    deletePending();
}

TEST_F(ReportScreensTest, CancelledFileDialogWritesNothingAndCloses)
{
    prepareExport(QStringLiteral("niets.docx"));
    openDialog();
    click("OKButton");

    expectFileRequest(QStringLiteral("Rapportage"));
    EXPECT_TRUE(QDir(chosenDir.path()).isEmpty());
    EXPECT_TRUE(QDir(exportDir.path()).isEmpty());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(storedExportDir(), exportDir.path());
    EXPECT_EQ(recorder.busyDepth(), 0);
    deletePending();
    EXPECT_FALSE(dialog);
}

TEST_F(ReportScreensTest, ScreenOutputFillsTheReportWindow)
{
    openDialog();
    click("chkVoorblad");
    click("optRapNaar1");
    click("chkRapHef");
    click("OKButton");

    EXPECT_TRUE(recorder.fileRequests().isEmpty());
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    const QList<frmRapScherm*> windows = reportWindows();
    ASSERT_EQ(windows.size(), 1);
    frmRapScherm* report = windows.constFirst();
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->windowTitle(), QStringLiteral("Rapportage"));
    auto* text = child<QTextEdit>(report, "txtRap");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->textCursor().position(), 0);
    const QString shown = text->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("Beheer en administratie")));
    EXPECT_TRUE(shown.contains(QStringLiteral("Rapportage heffingen:")));
    EXPECT_EQ(child<QPushButton>(report, "cmdSluiten")->text(), QStringLiteral("&Sluiten"));

    deletePending();
    EXPECT_FALSE(dialog);
    // The window is a loaded screen of its own until it is closed.
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
    child<QPushButton>(report, "cmdSluiten")->click();
    deletePending();
    EXPECT_TRUE(reportWindows().isEmpty());
}

TEST_F(ReportScreensTest, InputReportWritesTheTickedSections)
{
    auto* input = new frmRapVoorz;
    input->show();
    QPointer<frmRapVoorz> guard(input);

    // Cancelled: nothing written, the dialog stays. Saving and opening are the target capital dialog's
    // (the same report file steps), tested above.
    const QString path = prepareExport(QStringLiteral("invoer.docx"));
    child<QPushButton>(input, "cmdRapporteer")->click();
    expectFileRequest(QStringLiteral("Rapp invoer"));
    EXPECT_TRUE(QDir(chosenDir.path()).isEmpty());
    EXPECT_TRUE(guard);

    child<QCheckBox>(input, "chkAlg")->click();
    recorder.answerNextFile(path);
    child<QPushButton>(input, "cmdRapporteer")->click();
    expectReadyQuestion(QStringLiteral("Rapportage ingevoerde gegevens"));
    const QStringList lines = documentLines(path);
    EXPECT_FALSE(anyContains(lines, QStringLiteral(">> Algemene gegevens")));
    EXPECT_TRUE(anyContains(lines, QStringLiteral(">>  Kostenposten")));
    EXPECT_TRUE(anyContains(lines, QStringLiteral("Beheer en administratie")));

    child<QPushButton>(input, "cmdSluiten")->click();
    deletePending();
    EXPECT_FALSE(guard);
}

TEST_F(ReportScreensTest, MainWindowCommandsOpenTheDialogs)
{
    window = new frmMDI_main;
    ASSERT_TRUE(appState().openFacility(1));
    for (const char* name : {"Doelvermogen", "rap_invoer"})
        EXPECT_TRUE(child<QAction>(window, name)->isEnabled()) << name;

    window->runMenuCommand(QStringLiteral("Doelvermogen"));
    auto* target = window->findChild<frmDoelverm*>();
    ASSERT_TRUE(target);
    EXPECT_TRUE(target->isVisible());
    // One screen at a time.
    recorder.clear();
    window->runMenuCommand(QStringLiteral("rap_invoer"));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Sluit eerst alle geopende schermen.")});
    EXPECT_FALSE(window->findChild<frmRapVoorz*>());

    // The report window belongs to the main window and outlives the dialog.
    child<QRadioButton>(target, "optRapNaar1")->click();
    child<QPushButton>(target, "OKButton")->click();
    deletePending();
    EXPECT_FALSE(window->findChild<frmDoelverm*>());
    auto* report = window->findChild<frmRapScherm*>();
    ASSERT_TRUE(report);
    report->close();
    deletePending();

    window->runMenuCommand(QStringLiteral("rap_invoer"));
    auto* input = window->findChild<frmRapVoorz*>();
    ASSERT_TRUE(input);
    EXPECT_TRUE(input->isVisible());
}

TEST(OpenDocumentTest, TellsWhenNoProgramOpensTheFile)
{
    MessageRecorder recorder;
    QStringList asked;
    bool succeeds = false;
    const DocumentOpener previous = setDocumentOpener([&](const QString& path) {
        asked.append(path);
        return succeeds;
    });
    const QString path = QDir::temp().filePath(QStringLiteral("rapport.docx"));

    EXPECT_FALSE(OpenDocument(path));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Er is geen programma gevonden waarmee 'rapport.docx' geopend kan worden."));
    EXPECT_EQ(recorder.recorded()[0].title, applicationTitle());
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);

    succeeds = true;
    EXPECT_TRUE(OpenDocument(path));
    EXPECT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(asked, (QStringList{path, path}));
    setDocumentOpener(previous);
}

// The report window alone, on a report written here.
class ReportWindowTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        delete window;
        deletePending();
    }

    int pixels(double cm) const { return qRound(cm / 2.54 * window->logicalDpiX()); }
    QTextEdit* text() const { return child<QTextEdit>(window, "txtRap"); }
    QTextBlock block(int number) const { return text()->document()->findBlockByNumber(number); }

    // The format of the character at offset within a block.
    QTextCharFormat formatAt(int blockNumber, int offset) const
    {
        QTextCursor cursor(block(blockNumber));
        cursor.setPosition(block(blockNumber).position() + offset + 1);
        return cursor.charFormat();
    }

    QPointer<frmRapScherm> window = new frmRapScherm;
};

TEST_F(ReportWindowTest, ShowsRunsWithTheirLookOnTabStopsInCentimetres)
{
    report::ScreenReport written;
    report::Run heading = report::Run::boldText(QStringLiteral("post"));
    heading.colour = 0x0000FF;
    report::Run rule{QStringLiteral("\t\t")};
    rule.underline = true;
    report::Run remark{QStringLiteral("niet conform")};
    remark.italic = true;
    remark.sizePt = 10;
    report::Paragraph columns(
        {report::Run::symbol(252), report::Run::plain(QStringLiteral("\t")), heading, rule, remark});
    columns.tabs = {{0.5, report::TabStop::Align::Left}, {7.9, report::TabStop::Align::Right}};
    written.paragraph(columns);
    written.paragraph(report::Paragraph());
    report::Paragraph right(QStringLiteral("rechts"), 15);
    right.alignment = report::Alignment::Right;
    written.paragraph(right);

    window->show(written);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text()->document()->blockCount(), 3);
    const QString lookAlike = report::symbolLookAlike(252);
    EXPECT_EQ(block(0).text(), lookAlike + QStringLiteral("\tpost\t\tniet conform"));
    EXPECT_EQ(block(1).text(), QString());
    EXPECT_EQ(block(2).text(), QStringLiteral("rechts"));
    EXPECT_EQ(text()->textCursor().position(), 0);

    const QList<QTextOption::Tab> tabs = block(0).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_NEAR(tabs[0].position, pixels(0.5), 1);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_NEAR(tabs[1].position, pixels(7.9), 1);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);

    // The symbol in the text font, the heading bold and blue, the rule underlined, the remark italic.
    const QTextCharFormat symbol = formatAt(0, 0);
    EXPECT_EQ(symbol.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_DOUBLE_EQ(symbol.fontPointSize(), 8);
    const QTextCharFormat bold = formatAt(0, lookAlike.size() + 1);
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_EQ(bold.foreground().color(), QColor(0, 0, 255));
    EXPECT_FALSE(bold.fontUnderline());
    const QTextCharFormat underlined = formatAt(0, lookAlike.size() + 5);
    EXPECT_TRUE(underlined.fontUnderline());
    EXPECT_NE(underlined.fontWeight(), QFont::Bold);
    const QTextCharFormat italic = formatAt(0, lookAlike.size() + 7);
    EXPECT_TRUE(italic.fontItalic());
    EXPECT_DOUBLE_EQ(italic.fontPointSize(), 10);
    EXPECT_DOUBLE_EQ(formatAt(2, 0).fontPointSize(), 15);
    EXPECT_EQ(block(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // A second report replaces the first.
    report::ScreenReport other;
    other.paragraph(report::Paragraph(QStringLiteral("Rapportage heffingen:")));
    window->show(other);
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("Rapportage heffingen:"));
}

TEST_F(ReportWindowTest, TextFillsTheWindowAboveTheButton)
{
    window->show();
    window->resize(pixels(18), pixels(12));
    QCoreApplication::processEvents();
    const QRect box = text()->geometry();
    const QRect button = child<QPushButton>(window, "cmdSluiten")->geometry();
    EXPECT_NEAR(box.width(), window->width() - pixels(0.5), 1);
    EXPECT_NEAR(box.left(), pixels(0.25), 1);
    EXPECT_LE(box.height(), window->height() - pixels(1));
    EXPECT_GE(box.height(), window->height() - pixels(1) - button.height());
    EXPECT_GT(button.top(), box.bottom());
    EXPECT_LE(button.bottom(), window->height());
    EXPECT_EQ(button.right(), box.right());

    child<QPushButton>(window, "cmdSluiten")->click();
    deletePending();
    EXPECT_FALSE(window);
}

} // namespace
