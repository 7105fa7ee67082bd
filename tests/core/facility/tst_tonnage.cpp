// The waste supply forecast: the year rule, amounts and totals, edits and failed writes, and the grid
// model with its cell checks.
#include "facility/clsTonnage.h"
#include "facility/tonnagemodel.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace dovra;

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
    test::ProgramFolder folder;
    MessageRecorder recorder;

    void SetUp() override
    {
        const QString path =
            folder.createDatabase(QStringLiteral("dbTALVOdata_prognose.mdb"),
                                  {QStringLiteral("data/datafile_schema.sql"), ForecastRows});
        ASSERT_TRUE(LinkDataFile(folder.workspace(), path, false, true));
    }

    // The facility's rows as the file holds them, in id order: "year:kilotonnes" ("-" for null).
    QStringList fileRows(int facility)
    {
        Statement query = folder.workspace().dataDatabase()->prepare(QStringLiteral(
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
    void refuseWrites()
    {
        ASSERT_TRUE(folder.workspace().dataDatabase()->execScript(QStringLiteral(
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
        clsTonnage forecast(folder.workspace());
        ASSERT_TRUE(forecast.psubInitialiseer(facility));
        EXPECT_EQ(forecast.pfunValideerIngevoerdeData(), valid);
    }

    // Rows entered out of order are judged by their years, not by their order.
    clsTonnage entered(folder.workspace());
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
    clsTonnage forecast(folder.workspace());
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
    clsTonnage forecast(folder.workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(1));
    EXPECT_EQ(forecast.AantalRecords(), 3);
    EXPECT_EQ(forecast.TonnageInJaar(2025), 1000.0f);
    EXPECT_EQ(forecast.TonnageInJaar(2026), 230.0f);
    EXPECT_EQ(forecast.TonnageInJaar(2027), 0.0f);  // the row is there, its amount is not
    EXPECT_EQ(forecast.TonnageInJaar(2028), -9.0f); // facility 2's year
    EXPECT_EQ(forecast.TotaalTonnage(), 1230);

    clsTonnage other(folder.workspace());
    ASSERT_TRUE(other.psubInitialiseer(2));
    EXPECT_EQ(other.AantalRecords(), 2);
    EXPECT_EQ(other.TonnageInJaar(2025), 5.0f);
    EXPECT_EQ(other.TotaalTonnage(), 12);
}

TEST_F(ForecastTest, ReportNavigationInYearOrder)
{
    clsTonnage forecast(folder.workspace());
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
    clsTonnage forecast(folder.workspace());
    ASSERT_TRUE(forecast.psubInitialiseer(1));
    ASSERT_TRUE(forecast.addRow(2028, std::nullopt));
    ASSERT_TRUE(forecast.setKilotonnes(3, 40));
    ASSERT_TRUE(forecast.setYear(2, 2029)); // the row of 2027
    ASSERT_TRUE(forecast.removeRow(0));     // the row of 2025, the current one: the next becomes current
    EXPECT_EQ(forecast.rapJaartalTonnage(), QStringLiteral("2026"));
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2029:-", "2028:40"}));
    EXPECT_EQ(forecast.TotaalTonnage(), 270);

    clsTonnage reread(folder.workspace());
    ASSERT_TRUE(reread.psubInitialiseer(1));
    EXPECT_EQ(reread.TotaalTonnage(), 270);
    EXPECT_EQ(reread.TonnageInJaar(2028), 40.0f);
    EXPECT_EQ(fileRows(2), QStringList({"2025:5", "2028:7"}));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastTest, FailedWritesChangeNeitherFileNorMemory)
{
    clsTonnage forecast(folder.workspace());
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
    clsTonnage forecast{folder.workspace()};
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

    clsTonnage reread(folder.workspace());
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

} // namespace
