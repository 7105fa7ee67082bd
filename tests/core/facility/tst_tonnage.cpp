// The waste supply forecast: the year rule, amounts and totals, edits and failed writes, and the grid
// model with its cell checks.
#include "facility/clsTonnage.h"
#include "facility/tonnagemodel.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace dovra;

namespace {

class ForecastTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsTonnage forecast{folder.workspace()};

    void SetUp() override
    {
        const QString path = folder.createDatabase(
            QStringLiteral("dbTALVOdata_prognose.mdb"),
            {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("tonnage_data.sql")});
        ASSERT_TRUE(LinkDataFile(folder.workspace(), path, false, true));
        ASSERT_TRUE(forecast.psubInitialiseer(1));
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
            rows.append(text(query.integer(0)) + u':' + text(query.integer(1)));
        return rows;
    }

    // Makes every write to tblTonnage fail.
    void refuseWrites()
    {
        for (const char* when : {"INSERT", "UPDATE", "DELETE"})
            ASSERT_TRUE(folder.workspace().dataDatabase()->execScript(
                QStringLiteral("CREATE TRIGGER weiger%1 BEFORE %1 ON tblTonnage BEGIN SELECT RAISE(ABORT, "
                               "'geweigerd'); END;")
                    .arg(QLatin1String(when))));
    }
};

TEST_F(ForecastTest, YearsMustFormOneUnbrokenRun)
{
    // Facilities 10 to 16 of tests/data/tonnage_data.sql: only 10 and 15 (no rows) are valid.
    for (const auto& [facility, valid] :
         {std::pair(10, true), {11, false}, {12, false}, {13, false}, {14, false}, {15, true}, {16, false}}) {
        clsTonnage other(folder.workspace());
        ASSERT_TRUE(other.psubInitialiseer(facility));
        EXPECT_EQ(other.pfunValideerIngevoerdeData(), valid) << facility;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastTest, AmountsTotalsAndReportingInYearOrder)
{
    EXPECT_EQ(forecast.TonnageInJaar(2025), 1000.0f);
    EXPECT_EQ(forecast.TonnageInJaar(2027), 0.0f);  // the row is there, its amount is not
    EXPECT_EQ(forecast.TonnageInJaar(2028), -9.0f); // facility 2's year
    QStringList seen;
    for (forecast.moveFirst(); !forecast.EOF_(); forecast.move_NEXT())
        seen.append(forecast.rapJaartalTonnage() + u'=' + forecast.rapAantalKton());
    EXPECT_EQ(seen, QStringList({"2025=1000", "2026=230", "2027=?"}));
    // Totalling in between does not lose the report's place.
    forecast.moveFirst();
    forecast.move_NEXT();
    EXPECT_EQ(forecast.TotaalTonnage(), 1230);
    EXPECT_EQ(forecast.rapJaartalTonnage(), QStringLiteral("2026"));

    clsTonnage empty(folder.workspace());
    ASSERT_TRUE(empty.psubInitialiseer(15));
    EXPECT_EQ(empty.TotaalTonnage(), 0);
    EXPECT_TRUE(empty.BOF() && empty.EOF_());
    EXPECT_EQ(empty.rapJaartalTonnage() + empty.rapAantalKton(), QStringLiteral("??"));
}

TEST_F(ForecastTest, EditsReachTheFileAtOnce)
{
    ASSERT_TRUE(forecast.addRow(2028, std::nullopt));
    ASSERT_TRUE(forecast.setKilotonnes(3, 40));
    ASSERT_TRUE(forecast.setYear(2, 2029)); // the row of 2027
    ASSERT_TRUE(forecast.removeRow(0));     // the row of 2025, the current one: the next becomes current
    EXPECT_EQ(forecast.rapJaartalTonnage(), QStringLiteral("2026"));
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2029:-", "2028:40"}));
    EXPECT_EQ(forecast.TotaalTonnage(), 270);
    EXPECT_EQ(fileRows(2), QStringList({"2025:5", "2028:7"}));
    // Rows entered out of order are judged by their years, not by their order.
    EXPECT_FALSE(forecast.pfunValideerIngevoerdeData()); // 2027 is missing
    ASSERT_TRUE(forecast.addRow(2027, 1));
    EXPECT_TRUE(forecast.pfunValideerIngevoerdeData());
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

class ForecastModelTest : public ForecastTest
{
protected:
    std::unique_ptr<TonnageModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester; // fails the test at once on a broken model rule

    void SetUp() override
    {
        ForecastTest::SetUp();
        model = std::make_unique<TonnageModel>(forecast);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    QString shown(int row, int column, int role = Qt::DisplayRole) const
    {
        return model->data(model->index(row, column), role).toString();
    }
};

TEST_F(ForecastModelTest, CellsAcceptWholeYearsFrom1900To3000AndWholeAmountsWithinALong)
{
    const QString incomplete = QStringLiteral("Onvolledige invoer: Invoer is niet volledig"),
                  invalid = QStringLiteral("Invoer prognose afvalaanbod: Ongeldige invoer");
    constexpr int Year = TonnageModel::YearColumn, Kt = TonnageModel::KilotonnesColumn;
    // What is typed into row 0 (the 2025 row, the second in the file): the message, or the stored row.
    const std::tuple<int, const char*, QString> entries[] = {
        {Year, "1899", "DOVRA: Jaartal 1899 wordt niet geaccepteerd."},
        {Year, "3001", "DOVRA: Jaartal 3001 wordt niet geaccepteerd."},
        {Year, "   ", incomplete},
        {Year, "abc", invalid},
        {Year, "2.025", invalid},
        {Year, "2025,5", invalid},
        {Year, "1900", "1900:1000"},
        {Year, " 3000 ", "3000:1000"},
        {Kt, "-1", "DOVRA: -1 wordt niet geaccepteerd."},
        {Kt, "2147483648", "DOVRA: 2147483648 wordt niet geaccepteerd."},
        {Kt, "99999999999999999999", "DOVRA: 99999999999999999999 wordt niet geaccepteerd."},
        {Kt, "", incomplete},
        {Kt, "1,5", invalid},
        {Kt, "12.00", invalid},
        {Kt, "0", "3000:0"},
        {Kt, "2147483647", "3000:2147483647"},
        {Kt, "1.200", "3000:1200"}};
    for (const auto& [column, typed, expected] : entries) {
        SCOPED_TRACE(typed);
        recorder.clear();
        const QStringList before = fileRows(1);
        const bool accepted = !expected.contains(u' ');
        EXPECT_EQ(model->setData(model->index(0, column), QString::fromUtf8(typed)), accepted);
        if (accepted) {
            EXPECT_EQ(fileRows(1).value(1), expected);
        } else {
            ASSERT_EQ(recorder.recorded().size(), 1);
            EXPECT_EQ(recorder.titles()[0] + QStringLiteral(": ") + recorder.texts()[0], expected);
            EXPECT_EQ(recorder.recorded()[0].icon, expected.startsWith(QStringLiteral("DOVRA"))
                                                       ? MessageIcon::Information
                                                       : MessageIcon::Exclamation);
            EXPECT_EQ(fileRows(1), before);
        }
    }
    EXPECT_EQ(shown(0, Kt), QStringLiteral("1.200"));
    EXPECT_EQ(shown(0, Kt, Qt::EditRole), QStringLiteral("1200"));
}

TEST_F(ForecastModelTest, ShowsTheRowsAndAnEmptyLineToTypeOn)
{
    EXPECT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kalenderjaar"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Aantal kiloton"));
    EXPECT_EQ(shown(0, TonnageModel::YearColumn) + u'|' + shown(0, TonnageModel::KilotonnesColumn) + u'|' +
                  shown(0, TonnageModel::FacilityColumn),
              QStringLiteral("2025|1.000|1"));
    EXPECT_EQ(shown(2, TonnageModel::KilotonnesColumn), QString());
    EXPECT_FALSE(model->setData(model->index(0, TonnageModel::FacilityColumn), QStringLiteral("2")));
    QSignalSpy edited(model.get(), &TonnageModel::forecastEdited);

    // Leaving the empty line empty is no edit; a refused value adds nothing.
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_TRUE(model->setData(model->index(3, TonnageModel::YearColumn), QString()));
    EXPECT_FALSE(model->setData(model->index(3, TonnageModel::YearColumn), QStringLiteral("1800")));
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(edited.count(), 0);
    ASSERT_TRUE(model->setData(model->index(3, TonnageModel::KilotonnesColumn), QStringLiteral("75")));
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(shown(3, TonnageModel::FacilityColumn), QStringLiteral("1"));
    ASSERT_TRUE(model->setData(model->index(3, TonnageModel::YearColumn), QStringLiteral("2028")));
    ASSERT_TRUE(model->setData(model->index(4, TonnageModel::YearColumn), QStringLiteral("2029")));
    EXPECT_EQ(model->rowCount(), 6);
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2025:1000", "2027:-", "2028:75", "2029:-"}));
    EXPECT_EQ(forecast.TotaalTonnage(), 1305);

    ASSERT_TRUE(model->removeRows(0, 2));
    EXPECT_FALSE(model->removeRows(3, 1)); // the empty line
    EXPECT_EQ(shown(0, TonnageModel::YearColumn), QStringLiteral("2027"));
    EXPECT_EQ(edited.count(), 4);
    EXPECT_EQ(fileRows(1), QStringList({"2027:-", "2028:75", "2029:-"}));
}

TEST_F(ForecastModelTest, FailedWritesChangeNeitherFileNorMemoryNorGrid)
{
    refuseWrites();
    EXPECT_FALSE(forecast.addRow(2028, 1) || forecast.setYear(0, 2024) || forecast.setKilotonnes(0, 1));
    EXPECT_FALSE(forecast.removeRow(0) || model->removeRows(0, 1));
    EXPECT_FALSE(model->setData(model->index(0, TonnageModel::YearColumn), QStringLiteral("2024")));
    EXPECT_FALSE(model->setData(model->index(3, TonnageModel::YearColumn), QStringLiteral("2028")));
    EXPECT_EQ(fileRows(1), QStringList({"2026:230", "2025:1000", "2027:-"}));
    EXPECT_EQ(forecast.AantalRecords(), 3);
    EXPECT_EQ(forecast.TotaalTonnage(), 1230);
    EXPECT_EQ(model->rowCount(), 4);
    EXPECT_EQ(shown(0, TonnageModel::YearColumn), QStringLiteral("2025"));
    EXPECT_EQ(
        recorder.texts(),
        QStringList(7, QStringLiteral("De prognose kon niet worden opgeslagen. Er is niets gewijzigd.")));
}

} // namespace
