// The waste supply forecast: its rules, the grid's cell checks and the forecast window.
#include "app/appstate.h"
#include "app/screenregistration.h"
#include "facility/clsTonnage.h"
#include "facility/frmTonnage.h"
#include "facility/tonnagemodel.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace dovra;
using test::deletePending;

namespace {

// Facility 1: an ordinary forecast with one amount not entered. Facility 2: another facility's row.
// Facilities 10 to 16: one case each for the year rule.
const QString ForecastRows = QStringLiteral(
    "INSERT INTO tblTonnage (idrTonnage_ID, lngStort_REF, intKalJaar, lngTonnage) VALUES "
    "(1, 1, 2026, 230), (2, 1, 2025, 1000), (3, 1, 2027, NULL), (4, 2, 2025, 5), (5, 2, 2028, 7);"
    "INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES "
    "(10, 2012, 1), (10, 2010, 1), (10, 2011, 1),"
    "(11, 2010, 1), (11, 2012, 1),"
    "(12, 2010, 1), (12, 2010, 1),"
    "(13, 2010, 1), (13, NULL, 1), (13, 2011, 1),"
    "(14, NULL, 1),"
    "(16, 2011, 1), (16, 2011, 1), (16, 2012, 1);");

// Runs Qt's model checks on a model and collects what they find, so a test can expect none.
class ModelChecks
{
public:
    explicit ModelChecks(QAbstractItemModel* model)
        : m_previous(qInstallMessageHandler(&ModelChecks::collect)),
          m_tester(model, QAbstractItemModelTester::FailureReportingMode::Warning)
    {
        failures().clear();
    }
    ~ModelChecks() { qInstallMessageHandler(m_previous); }

    static QStringList& failures()
    {
        static QStringList found;
        return found;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& text)
    {
        if (context.category && QLatin1String(context.category) == QLatin1String("qt.modeltest"))
            failures().append(text);
    }

    QtMessageHandler m_previous;
    QAbstractItemModelTester m_tester;
};

class ForecastTest : public ::testing::Test
{
protected:
    test::GuiProgramFolder folder;
    MessageRecorder recorder;

    void SetUp() override
    {
        const QString path =
            folder.createDatabase(QStringLiteral("dbTALVOdata_prognose.mdb"),
                                  {QStringLiteral("data/datafile_schema.sql"), ForecastRows});
        ASSERT_TRUE(appState().linkDataFile(path, false, true));
    }

    // The facility's rows as the file holds them, in id order: "year:kilotonnes" ("-" for null).
    static QStringList fileRows(int facility)
    {
        Statement query = appState().workspace().dataDatabase()->prepare(QStringLiteral(
            "SELECT intKalJaar, lngTonnage FROM tblTonnage WHERE lngStort_REF = ? ORDER BY idrTonnage_ID"));
        query.bind(1, facility);
        QStringList rows;
        const auto text = [](const std::optional<qint64>& v) {
            return v ? QString::number(*v) : QStringLiteral("-");
        };
        while (query.next())
            rows.append(text(query.integer(0)) + QLatin1Char(':') + text(query.integer(1)));
        EXPECT_FALSE(query.failed());
        return rows;
    }

    // Makes every write to tblTonnage fail.
    static void refuseWrites()
    {
        ASSERT_TRUE(appState().workspace().dataDatabase()->execScript(QStringLiteral(
            "CREATE TRIGGER weigerIn BEFORE INSERT ON tblTonnage BEGIN SELECT RAISE(ABORT, 'geweigerd'); END;"
            "CREATE TRIGGER weigerWijzig BEFORE UPDATE ON tblTonnage BEGIN SELECT RAISE(ABORT, 'geweigerd'); "
            "END;"
            "CREATE TRIGGER weigerUit BEFORE DELETE ON tblTonnage BEGIN SELECT RAISE(ABORT, 'geweigerd'); "
            "END;")));
    }
};

// --- clsTonnage ---

TEST_F(ForecastTest, YearsMustFormOneUnbrokenRun)
{
    const QList<std::pair<int, bool>> cases = {
        {10, true},  // 2010, 2011, 2012 (stored out of order)
        {11, false}, // 2010, 2012: a gap
        {12, false}, // 2010 twice
        {13, false}, // an empty year between valid ones
        {14, false}, // only an empty year
        {15, true},  // no rows
        {16, false}, // a repeat at the start of an otherwise unbroken run
    };
    for (const auto& [facility, valid] : cases) {
        SCOPED_TRACE(facility);
        clsTonnage forecast(appState().workspace());
        ASSERT_TRUE(forecast.psubInitialiseer(facility));
        EXPECT_EQ(forecast.pfunValideerIngevoerdeData(), valid);
    }

    // Rows entered out of order are judged by their years, not by their order.
    clsTonnage entered(appState().workspace());
    ASSERT_TRUE(entered.psubInitialiseer(15));
    ASSERT_TRUE(entered.addRow(2012, 3));
    ASSERT_TRUE(entered.addRow(2010, 1));
    EXPECT_FALSE(entered.pfunValideerIngevoerdeData());
    ASSERT_TRUE(entered.addRow(2011, 2));
    EXPECT_TRUE(entered.pfunValideerIngevoerdeData());
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastTest, EmptyForecast)
{
    clsTonnage forecast(appState().workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(15));
    EXPECT_EQ(forecast.AantalRecords(), 0);
    EXPECT_EQ(forecast.TotaalTonnage(), 0);
    EXPECT_EQ(forecast.TonnageInJaar(2010), -9.0f);
    EXPECT_TRUE(forecast.BOF());
    EXPECT_TRUE(forecast.EOF_());
    EXPECT_EQ(forecast.rapJaartalTonnage(), QStringLiteral("?"));
    EXPECT_EQ(forecast.rapAantalKton(), QStringLiteral("?"));
}

TEST_F(ForecastTest, AmountsPerYearAndTotalOfOneFacility)
{
    clsTonnage forecast(appState().workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(1));
    EXPECT_EQ(forecast.AantalRecords(), 3);
    EXPECT_EQ(forecast.TonnageInJaar(2025), 1000.0f);
    EXPECT_EQ(forecast.TonnageInJaar(2026), 230.0f);
    EXPECT_EQ(forecast.TonnageInJaar(2027), 0.0f);  // the row is there, its amount is not
    EXPECT_EQ(forecast.TonnageInJaar(2028), -9.0f); // facility 2's year
    EXPECT_EQ(forecast.TotaalTonnage(), 1230);

    clsTonnage other(appState().workspace());
    ASSERT_TRUE(other.psubInitialiseer(2));
    EXPECT_EQ(other.AantalRecords(), 2);
    EXPECT_EQ(other.TonnageInJaar(2025), 5.0f);
    EXPECT_EQ(other.TotaalTonnage(), 12);
}

TEST_F(ForecastTest, ReportNavigationInYearOrder)
{
    clsTonnage forecast(appState().workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(1));
    EXPECT_FALSE(forecast.BOF());
    QStringList seen;
    for (forecast.moveFirst(); !forecast.EOF_(); forecast.move_NEXT())
        seen.append(forecast.rapJaartalTonnage() + QLatin1Char('=') + forecast.rapAantalKton());
    EXPECT_EQ(seen, QStringList({"2025=1000", "2026=230", "2027=?"}));
    EXPECT_EQ(forecast.rapJaartalTonnage(), QStringLiteral("?"));

    // Totalling in between does not lose the report's place.
    forecast.moveFirst();
    forecast.move_NEXT();
    EXPECT_EQ(forecast.TotaalTonnage(), 1230);
    EXPECT_EQ(forecast.rapJaartalTonnage(), QStringLiteral("2026"));
}

TEST_F(ForecastTest, EditsReachTheFileAtOnce)
{
    clsTonnage forecast(appState().workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(1));
    ASSERT_TRUE(forecast.addRow(2028, std::nullopt));
    ASSERT_TRUE(forecast.setKilotonnes(3, 40));
    ASSERT_TRUE(forecast.setYear(2, 2029)); // the row of 2027
    ASSERT_TRUE(forecast.removeRow(0));     // the row of 2025
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2029:-", "2028:40"}));
    EXPECT_EQ(forecast.TotaalTonnage(), 270);

    clsTonnage reread(appState().workspace());
    ASSERT_TRUE(reread.psubInitialiseer(1));
    EXPECT_EQ(reread.TotaalTonnage(), 270);
    EXPECT_EQ(reread.TonnageInJaar(2028), 40.0f);
    EXPECT_EQ(fileRows(2), QStringList({"2025:5", "2028:7"}));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastTest, FailedWritesChangeNeitherFileNorMemory)
{
    clsTonnage forecast(appState().workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(1));
    refuseWrites();
    EXPECT_FALSE(forecast.addRow(2028, 1));
    EXPECT_FALSE(forecast.setYear(0, 2024));
    EXPECT_FALSE(forecast.setKilotonnes(0, 1));
    EXPECT_FALSE(forecast.removeRow(0));

    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2025:1000", "2027:-"}));
    EXPECT_EQ(forecast.AantalRecords(), 3);
    EXPECT_EQ(forecast.TonnageInJaar(2025), 1000.0f);
    EXPECT_EQ(forecast.TotaalTonnage(), 1230);
    ASSERT_EQ(recorder.recorded().size(), 4);
    for (const MessageRecorder::Message& message : recorder.recorded()) {
        EXPECT_EQ(message.text,
                  QStringLiteral("De prognose kon niet worden opgeslagen. Er is niets gewijzigd."));
        EXPECT_EQ(message.icon, MessageIcon::Critical);
    }
}

// --- the grid model ---

class ForecastModelTest : public ForecastTest
{
protected:
    clsTonnage forecast{appState().workspace()};
    std::unique_ptr<TonnageModel> model;

    void SetUp() override
    {
        ForecastTest::SetUp();
        ASSERT_TRUE(forecast.psubInitialiseer(1));
        model = std::make_unique<TonnageModel>(forecast);
    }

    QString shown(int row, int column, int role = Qt::DisplayRole) const
    {
        return model->data(model->index(row, column), role).toString();
    }

    struct Entry
    {
        QString typed;
        bool accepted;
        QString text; // message; empty when none is expected
        QString title;
        MessageIcon icon;
    };

    // Types each entry into the cell; only accepted entries may reach the file.
    void check(int column, const QList<Entry>& entries, int facilityRowsBefore)
    {
        for (const Entry& entry : entries) {
            SCOPED_TRACE(entry.typed.toStdString());
            recorder.clear();
            const QStringList before = fileRows(1);
            EXPECT_EQ(model->setData(model->index(0, column), entry.typed), entry.accepted);
            if (entry.text.isEmpty()) {
                EXPECT_TRUE(recorder.recorded().isEmpty());
            } else {
                ASSERT_EQ(recorder.recorded().size(), 1);
                EXPECT_EQ(recorder.recorded()[0].text, entry.text);
                EXPECT_EQ(recorder.recorded()[0].title, entry.title);
                EXPECT_EQ(recorder.recorded()[0].icon, entry.icon);
            }
            if (!entry.accepted) {
                EXPECT_EQ(fileRows(1), before);
            }
            EXPECT_EQ(fileRows(1).size(), facilityRowsBefore);
        }
    }
};

const QString Incomplete = QStringLiteral("Invoer is niet volledig");
const QString IncompleteTitle = QStringLiteral("Onvolledige invoer");
const QString Invalid = QStringLiteral("Ongeldige invoer");
const QString InvalidTitle = QStringLiteral("Invoer prognose afvalaanbod");
const QString Dovra = QStringLiteral("DOVRA");

TEST_F(ForecastModelTest, YearCellAcceptsWholeYearsFrom1900To3000)
{
    // Row 0 is the 2025 row (id 2), the second row in the file.
    check(TonnageModel::YearColumn,
          {
              {"1899", false, "Jaartal 1899 wordt niet geaccepteerd.", Dovra, MessageIcon::Information},
              {"3001", false, "Jaartal 3001 wordt niet geaccepteerd.", Dovra, MessageIcon::Information},
              {"", false, Incomplete, IncompleteTitle, MessageIcon::Exclamation},
              {"   ", false, Incomplete, IncompleteTitle, MessageIcon::Exclamation},
              {"abc", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"2.025", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"2025,5", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"1900", true, {}, {}, MessageIcon::Information},
          },
          3);
    EXPECT_EQ(fileRows(1)[1], QStringLiteral("1900:1000"));
    check(TonnageModel::YearColumn, {{" 3000 ", true, {}, {}, MessageIcon::Information}}, 3);
    EXPECT_EQ(fileRows(1)[1], QStringLiteral("3000:1000"));

    clsTonnage reread(appState().workspace());
    ASSERT_TRUE(reread.psubInitialiseer(1));
    EXPECT_EQ(reread.TonnageInJaar(3000), 1000.0f);
    EXPECT_EQ(reread.TonnageInJaar(2025), -9.0f);
}

TEST_F(ForecastModelTest, KilotonCellAcceptsWholeAmountsWithinALong)
{
    check(TonnageModel::KilotonnesColumn,
          {
              {"-1", false, "-1 wordt niet geaccepteerd.", Dovra, MessageIcon::Information},
              {"2147483648", false, "2147483648 wordt niet geaccepteerd.", Dovra, MessageIcon::Information},
              {"99999999999999999999", false, "99999999999999999999 wordt niet geaccepteerd.", Dovra,
               MessageIcon::Information},
              {"", false, Incomplete, IncompleteTitle, MessageIcon::Exclamation},
              {"abc", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"1,5", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"1.2", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"12.00", false, Invalid, InvalidTitle, MessageIcon::Exclamation},
              {"0", true, {}, {}, MessageIcon::Information},
          },
          3);
    EXPECT_EQ(fileRows(1)[1], QStringLiteral("2025:0"));
    check(TonnageModel::KilotonnesColumn, {{"2147483647", true, {}, {}, MessageIcon::Information}}, 3);
    EXPECT_EQ(fileRows(1)[1], QStringLiteral("2025:2147483647"));
    check(TonnageModel::KilotonnesColumn, {{"1.200", true, {}, {}, MessageIcon::Information}}, 3);
    EXPECT_EQ(fileRows(1)[1], QStringLiteral("2025:1200"));
    EXPECT_EQ(shown(0, TonnageModel::KilotonnesColumn), QStringLiteral("1.200"));
    EXPECT_EQ(shown(0, TonnageModel::KilotonnesColumn, Qt::EditRole), QStringLiteral("1200"));
}

TEST_F(ForecastModelTest, ShowsTheRowsAndAnEmptyLineBelow)
{
    ModelChecks checks(model.get());
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kalenderjaar"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Aantal kiloton"));
    EXPECT_EQ(shown(0, TonnageModel::YearColumn), QStringLiteral("2025"));
    EXPECT_EQ(shown(0, TonnageModel::KilotonnesColumn), QStringLiteral("1.000"));
    EXPECT_EQ(shown(0, TonnageModel::FacilityColumn), QStringLiteral("1"));
    EXPECT_EQ(shown(2, TonnageModel::KilotonnesColumn), QString());
    EXPECT_EQ(shown(3, TonnageModel::YearColumn), QString());
    EXPECT_TRUE(model->flags(model->index(3, TonnageModel::YearColumn)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(0, TonnageModel::FacilityColumn)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->setData(model->index(0, TonnageModel::FacilityColumn), QStringLiteral("2")));
    EXPECT_EQ(fileRows(2).size(), 2);
    EXPECT_EQ(ModelChecks::failures(), QStringList());
}

TEST_F(ForecastModelTest, TypingOnTheEmptyLineAddsARow)
{
    ModelChecks checks(model.get());
    QSignalSpy edited(model.get(), &TonnageModel::forecastEdited);

    // Leaving the empty line empty is no edit; a refused value adds nothing.
    EXPECT_TRUE(model->setData(model->index(3, TonnageModel::YearColumn), QString()));
    EXPECT_FALSE(model->setData(model->index(3, TonnageModel::YearColumn), QStringLiteral("1800")));
    EXPECT_EQ(recorder.texts(), QStringList({"Jaartal 1800 wordt niet geaccepteerd."}));
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(edited.count(), 0);

    ASSERT_TRUE(model->setData(model->index(3, TonnageModel::KilotonnesColumn), QStringLiteral("75")));
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(shown(3, TonnageModel::KilotonnesColumn), QStringLiteral("75"));
    EXPECT_EQ(shown(3, TonnageModel::FacilityColumn), QStringLiteral("1"));
    EXPECT_EQ(shown(4, TonnageModel::KilotonnesColumn), QString());
    ASSERT_TRUE(model->setData(model->index(3, TonnageModel::YearColumn), QStringLiteral("2028")));
    EXPECT_EQ(model->rowCount(), 5);
    ASSERT_TRUE(model->setData(model->index(4, TonnageModel::YearColumn), QStringLiteral("2029")));
    EXPECT_EQ(model->rowCount(), 6);
    EXPECT_EQ(shown(4, TonnageModel::YearColumn), QStringLiteral("2029"));
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2025:1000", "2027:-", "2028:75", "2029:-"}));
    EXPECT_EQ(forecast.TotaalTonnage(), 1305);

    ASSERT_TRUE(model->removeRows(0, 2));
    EXPECT_FALSE(model->removeRows(3, 1)); // the empty line
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(shown(0, TonnageModel::YearColumn), QStringLiteral("2027"));
    EXPECT_EQ(edited.count(), 4);
    EXPECT_EQ(fileRows(1), QStringList({"2027:-", "2028:75", "2029:-"}));
    EXPECT_EQ(ModelChecks::failures(), QStringList());
}

TEST_F(ForecastModelTest, RefusedWriteKeepsTheGridAsTheFile)
{
    refuseWrites();
    EXPECT_FALSE(model->setData(model->index(0, TonnageModel::YearColumn), QStringLiteral("2024")));
    EXPECT_FALSE(model->setData(model->index(3, TonnageModel::YearColumn), QStringLiteral("2028")));
    EXPECT_FALSE(model->removeRows(0, 1));
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(shown(0, TonnageModel::YearColumn), QStringLiteral("2025"));
    EXPECT_EQ(recorder.recorded().size(), 3);
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2025:1000", "2027:-"}));
}

// --- the forecast window ---

class ForecastScreenTest : public ForecastTest
{
protected:
    QPointer<frmTonnage> screen;
    QTableView* grid = nullptr;

    void SetUp() override
    {
        ForecastTest::SetUp();
        ASSERT_EQ(ScreenRegistration::loadedScreens(), 0);
        screen = new frmTonnage(1);
        screen->show();
        grid = screen->findChild<QTableView*>(QStringLiteral("grdTonnage"));
        ASSERT_TRUE(grid);
    }

    void TearDown() override
    {
        delete screen;
        deletePending();
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    }

    QString total() const { return screen->findChild<QLabel*>(QStringLiteral("lblTotaal"))->text(); }
    QPushButton* okButton() const { return screen->findChild<QPushButton*>(QStringLiteral("cmdOK")); }
    std::pair<int, int> current() const
    {
        return {grid->currentIndex().row(), grid->currentIndex().column()};
    }

    // The cell editor that is open now.
    QLineEdit* editor() const
    {
        deletePending();
        for (QLineEdit* edit : grid->viewport()->findChildren<QLineEdit*>()) {
            if (!edit->isHidden())
                return edit;
        }
        return nullptr;
    }

    void type(int row, int column, const QString& text)
    {
        grid->setCurrentIndex(grid->model()->index(row, column));
        grid->edit(grid->currentIndex());
        QLineEdit* edit = editor();
        ASSERT_TRUE(edit);
        edit->setText(text);
    }
};

TEST_F(ForecastScreenTest, ShowsTheForecastAndItsTotal)
{
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmTonnage"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Prognose afvalaanbod"));
    EXPECT_TRUE(screen->testAttribute(Qt::WA_DeleteOnClose));
    bool explained = false;
    for (const QLabel* label : screen->findChildren<QLabel*>())
        explained |= label->text() == QStringLiteral("Voer het geprognotiseerde afvalaanbod in voor die "
                                                     "kalenderjaren waarop de uit te rekenen heffing van "
                                                     "toepassing is.");
    EXPECT_TRUE(explained);
    EXPECT_TRUE(grid->isColumnHidden(TonnageModel::FacilityColumn));
    EXPECT_FALSE(grid->isColumnHidden(TonnageModel::KilotonnesColumn));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.230"));
    EXPECT_EQ(okButton()->text(), QStringLiteral("&Sluiten"));
}

TEST_F(ForecastScreenTest, NextCellKeysMoveLikeTab)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, TonnageModel::YearColumn));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(0, 1));
    // The hidden facility column is skipped.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(1, 0));
    QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(current(), std::make_pair(1, 1));
    // With a modifier Down is the ordinary move down.
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(current(), std::make_pair(2, 1));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastScreenTest, EnterInAnEditorCommitsMovesOnAndUpdatesTheTotal)
{
    type(0, TonnageModel::KilotonnesColumn, QStringLiteral("1.500"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(fileRows(1)[1], QStringLiteral("2025:1500"));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
    EXPECT_EQ(current(), std::make_pair(1, 0));
    // Editing goes on in the next cell, as after Tab.
    QLineEdit* next = editor();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->text(), QStringLiteral("2026"));

    next->setText(QStringLiteral("2030"));
    QTest::keyClick(next, Qt::Key_Down);
    EXPECT_EQ(fileRows(1)[0], QStringLiteral("2030:230"));
    EXPECT_EQ(current(), std::make_pair(1, 1));

    // A refused value is not written and the total stays.
    QLineEdit* amount = editor();
    ASSERT_TRUE(amount);
    amount->setText(QStringLiteral("-5"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(recorder.texts(), QStringList({"-5 wordt niet geaccepteerd."}));
    EXPECT_EQ(fileRows(1)[0], QStringLiteral("2030:230"));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
}

TEST_F(ForecastScreenTest, CloseButtonChecksTheYears)
{
    // 2025, 2026, 2027 plus 2029 typed on the empty line and left open: a gap.
    type(3, TonnageModel::YearColumn, QStringLiteral("2029"));
    okButton()->click();
    EXPECT_EQ(fileRows(1).last(), QStringLiteral("2029:-"));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("U heeft geen aaneengesloten reeks jaartallen opgegeven, een jaartal twee maal "
                       "ingevoerd, of een 'lege waarde' voor een jaartal ingevoerd.\nCorrigeer uw invoer."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Controle invoer"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
    deletePending();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());

    type(3, TonnageModel::YearColumn, QStringLiteral("2028"));
    okButton()->click();
    EXPECT_EQ(recorder.recorded().size(), 1);
    deletePending();
    EXPECT_FALSE(screen);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
}

TEST_F(ForecastScreenTest, OtherWaysToCloseAreRefused)
{
    const QString refused =
        QStringLiteral("Gebruik in verband met de datavalidatie de OK-knop om het venster te sluiten");
    EXPECT_FALSE(screen->close());
    QTest::keyClick(screen, Qt::Key_Escape);
    deletePending();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.texts(), QStringList({refused, refused}));
    EXPECT_EQ(recorder.titles(), QStringList({"Sluiten formulier", "Sluiten formulier"}));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Information);

    // The program itself may close it, whatever the years.
    type(3, TonnageModel::YearColumn, QStringLiteral("2040"));
    EXPECT_TRUE(screen->closeByProgram());
    deletePending();
    EXPECT_FALSE(screen);
    EXPECT_EQ(recorder.recorded().size(), 2);
}

TEST_F(ForecastScreenTest, DeleteKeyAsksBeforeRemovingTheYear)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, TonnageModel::KilotonnesColumn));
    QTest::keyClick(grid, Qt::Key_Delete);
    ASSERT_EQ(recorder.recorded().size(), 1);
    const MessageRecorder::Message question = recorder.recorded()[0];
    EXPECT_EQ(question.text, QStringLiteral("Wilt u het jaar 2026 verwijderen uit de prognose?"));
    EXPECT_EQ(question.title, QStringLiteral("Verwijderen prognose"));
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.answer, MessageAnswer::No);
    EXPECT_EQ(fileRows(1).size(), 3);

    recorder.answerNext(MessageAnswer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(fileRows(1), QStringList({"2025:1000", "2027:-"}));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.000"));

    // The empty line has no year to delete.
    recorder.clear();
    grid->setCurrentIndex(grid->model()->index(2, TonnageModel::YearColumn));
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace
