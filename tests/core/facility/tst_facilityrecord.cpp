// The facility record: typed fields, derived values, the rules of the general data and what is kept of the
// facility the user opens; the facility list, the newest checklist version of a type, and deleting a
// facility. The waste supply forecast: the year rule, amounts and totals, edits and failed writes, and the
// grid model with its cell checks.
#include "facility/clsStort.h"
#include "facility/clsTonnage.h"
#include "facility/facilitymanagement.h"
#include "facility/generaldata.h"
#include "facility/tonnagemodel.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace dovra;

namespace {

// A data file of the given scripts (after the schema), linked.
class DataFileTest : public ::testing::Test
{
protected:
    void link(const QString& name, const QStringList& scripts)
    {
        const QString path = folder.createDatabase(name, QStringList{"data/datafile_schema.sql"} + scripts);
        ASSERT_TRUE(LinkDataFile(folder.workspace(), path, false, true));
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
};

class FacilityRecordTest : public DataFileTest
{
protected:
    Workspace& workspace = folder.workspace();
    clsStort stort{workspace};

    void SetUp() override { link("dbTALVOdata_record.mdb", {"facilities.sql", "facilityrecord_data.sql"}); }

    float startOf(const char* storedDate)
    {
        stort.setField(QStringLiteral("dtmAanvangNazorg"),
                       storedDate ? QVariant(QLatin1String(storedDate)) : QVariant());
        return stort.AanvangNazorgGebrokenJaar();
    }

    // The facility's rows in the tables that hold it.
    int rowsOf(int facility)
    {
        Statement query = workspace.dataDatabase()->prepare(
            QStringLiteral("SELECT (SELECT count(*) FROM tblStort WHERE idrStort_ID = ?1) + "
                           "(SELECT count(*) FROM tblInrichting WHERE lngStort_REF = ?1) + "
                           "(SELECT count(*) FROM tblAct WHERE lngStort_REF = ?1) + "
                           "(SELECT count(*) FROM tblTonnage WHERE lngStort_REF = ?1)"));
        query.bind(1, facility);
        return query.next() ? int(query.integer(0).value_or(-1)) : -1;
    }
};

TEST_F(FacilityRecordTest, DerivedValues)
{
    ASSERT_TRUE(stort.initializeStort(1));
    ASSERT_TRUE(stort.GetInfoChecklist());
    EXPECT_EQ(
        QStringList({stort.ProvNaam(), QString::number(stort.rente()), QString::number(stort.inflatie()),
                     stort.Bedrijfs_Objectgebonden(), stort.strStortType, stort.strChecklistJaar,
                     QString::number(stort.intChecklistPrijspeil)})
            .join(u'|'),
        QStringLiteral("Zuid-Holland|0.0506|0.02|De inrichting is niet-bedrijfsgebonden en objectgebonden. "
                       "|stortplaats|2013|2012"));
    EXPECT_FALSE(stort.single(QStringLiteral("sngNazorgOpp")).has_value()); // not entered: absent, not zero
    EXPECT_EQ(stort.chosenProvince(), 120);

    // A company-bound facility is object-bound: no forecast, no choice.
    stort.setField(QStringLiteral("bytObjectGebonden"), 0);
    EXPECT_TRUE(stort.ObjectGebondenWijzigbaar() && stort.PrognoseNodig());
    stort.setBedrijfsGebonden(1);
    EXPECT_EQ(stort.bytObjectGebonden(), 1);
    EXPECT_FALSE(stort.ObjectGebondenWijzigbaar() || stort.PrognoseNodig());
    // A dredging depot never chooses.
    ASSERT_TRUE(stort.initializeStort(2));
    stort.setBedrijfsGebonden(0);
    EXPECT_FALSE(stort.ObjectGebondenWijzigbaar());
    EXPECT_FALSE(stort.initializeStort(99));
}

TEST_F(FacilityRecordTest, AftercareStartAsDecimalYear)
{
    ASSERT_TRUE(stort.initializeStort(1));
    EXPECT_FLOAT_EQ(startOf("2030-01-01"), 2030.0f);
    EXPECT_FLOAT_EQ(startOf("2010-07-16"), float(2010 + 6.0 / 12 + 1.0 / 24));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    // A stored 15th is used as the 1st of that month, after a warning; no date as 2030.
    EXPECT_FLOAT_EQ(startOf("2030-03-15"), float(2030 + 2.0 / 12));
    EXPECT_FLOAT_EQ(startOf(nullptr), 2030.0f);
    EXPECT_EQ(recorder.titles(), QStringList({"Ongeldige datum aanvang nazorg", "Datum nazorg onbekend"}));
    EXPECT_TRUE(
        recorder.texts().value(0).contains(QStringLiteral("Er zal nu worden gerekend met 1-3-2030.")));

    // Only the 1st and the 16th are start dates.
    recorder.clear();
    EXPECT_TRUE(clsStort::checkDatumAanvangNazorg(QDate(2030, 1, 1)));
    EXPECT_TRUE(clsStort::checkDatumAanvangNazorg(QDate(2030, 1, 16)));
    EXPECT_FALSE(clsStort::checkDatumAanvangNazorg(QDate(2030, 1, 15)));
    EXPECT_FALSE(clsStort::checkDatumAanvangNazorg(std::nullopt));
    EXPECT_EQ(recorder.titles(),
              QStringList({"Ongeldige datum aanvang nazorg", "Invoer datum aanvang nazorg"}));
}

// What the rate and aftercare start boxes of the general data read (a start date as the box shows it back),
// or the title of the refusal. (The type captions are the facility list's, below, and the screen dump's.)
TEST_F(FacilityRecordTest, GeneralDataEntries)
{
    QStringList read;
    const auto shown = [&](const std::optional<QString>& value) {
        read << value.value_or(recorder.titles().join(u'|'));
        recorder.clear();
    };
    for (const char* text : {"4,5", " 3 ", "2.5", "1.000", ""}) {
        const std::optional<float> rate = generaldata::enteredRate(QLatin1String(text));
        shown(rate ? std::optional(QString::number(*rate)) : std::nullopt);
    }
    for (const char* text :
         {"1-7-2031", "16-1-29", "1-1-30", "16/3/2030", "2030-03-01", "15-1-2030", "1 juli"}) {
        const std::optional<QDate> date = generaldata::enteredStartDate(QLatin1String(text));
        shown(date ? std::optional(generaldata::startDateText(*date)) : std::nullopt);
    }
    EXPECT_EQ(read.join(u','), "4.5,3,Ongeldige invoer,Ongeldige invoer,Ongeldige invoer,1-7-2031,16-1-2029,"
                               "1-1-1930,16-3-2030,1-3-2030,Ongeldige datum aanvang nazorg,Invoer datum "
                               "aanvang nazorg");
    EXPECT_EQ(generaldata::objectBoundCaption(2), u"Objectgebonden (per definitie voor baggerdepots)");
}

TEST_F(FacilityRecordTest, NamesAreUniqueWithoutRegardToCase)
{
    ASSERT_TRUE(stort.initializeStort(1));
    EXPECT_FALSE(stort.StortnaamBestaatAl(QStringLiteral("stortplaats Zuid"))); // its own
    EXPECT_TRUE(stort.StortnaamBestaatAl(QStringLiteral("BAGGERDEPOT 'T SLIK")));
    EXPECT_FALSE(stort.StortnaamBestaatAl(QStringLiteral("Depot Echelle")));
    EXPECT_TRUE(stort.checkNaamStort(QStringLiteral("Nieuwe naam")));
    EXPECT_FALSE(stort.checkNaamStort(QString()));
    EXPECT_FALSE(stort.checkNaamStort(QStringLiteral("DEPOT ÉCHELLE")));
    EXPECT_EQ(recorder.texts(),
              QStringList({"Voer de naam van de inrichting in.",
                           "Deze naam komt al voor in het momenteel actieve databestand."}));
}

TEST_F(FacilityRecordTest, ChangesReachTheFileOnlyOnMove0)
{
    ASSERT_TRUE(stort.initializeStort(1));
    stort.setField(QStringLiteral("strVergNaam"), QStringLiteral("Afvalzorg 'Zuid' B.V."));
    stort.setField(QStringLiteral("strRIVMnr"), QString());
    clsStort other(workspace);
    ASSERT_TRUE(other.initializeStort(1));
    EXPECT_EQ(other.VergHouderNaam(), QString());

    ASSERT_TRUE(stort.Move0());
    EXPECT_FALSE(stort.hasPendingChanges());
    ASSERT_TRUE(other.initializeStort(1));
    EXPECT_EQ(other.VergHouderNaam(), QStringLiteral("Afvalzorg 'Zuid' B.V."));
    EXPECT_TRUE(other.field(QStringLiteral("strRIVMnr")).isNull()); // an emptied text: not entered
}

TEST_F(FacilityRecordTest, StateOfTheFacilityToOpen)
{
    const std::optional<OpenFacilityState> open = readOpenFacility(workspace, 1);
    ASSERT_TRUE(open);
    EXPECT_EQ(QStringLiteral("%1|%2|%3").arg(open->name).arg(open->type).arg(open->checklistYear),
              QStringLiteral("stortplaats Zuid|1|2013"));
    EXPECT_DOUBLE_EQ(open->aftercareStart, double(float(2030 + 1.0 / 24)));
    // A version the installed checklist file lacks: readable, without its year.
    const std::optional<OpenFacilityState> unknownVersion = readOpenFacility(workspace, 4);
    ASSERT_TRUE(unknownVersion);
    EXPECT_TRUE(unknownVersion->checklistVersion == 99 && unknownVersion->checklistYear.isEmpty());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_FALSE(readOpenFacility(workspace, 99));
}

TEST_F(FacilityRecordTest, NewFacilityDefaults)
{
    const int id = CreateFacility(workspace, QStringLiteral("Stortplaats O'Neill"), 2);
    ASSERT_GT(id, 6);
    ASSERT_TRUE(stort.initializeStort(id));
    // The newest version of its type, 5.06 % interest, 2 % inflation, company- and object-bound.
    EXPECT_EQ(
        QStringList({stort.NaamStort(), QString::number(stort.checklist_ID()), stort.ProvNaam(),
                     QString::number(*stort.single(QStringLiteral("sngRentePerc"))),
                     QString::number(*stort.single(QStringLiteral("sngInflPerc"))),
                     QString::number(stort.bytBedrijfsGebonden()), QString::number(stort.bytObjectGebonden()),
                     stort.DatumAanvangNazorg()->toString(Qt::ISODate)})
            .join(u'|'),
        QStringLiteral("Stortplaats O'Neill|4|??|5.06|2|1|1|2030-01-01"));
    EXPECT_TRUE(stort.field(QStringLiteral("intJaarPrijspeil")).isNull());
    EXPECT_FALSE(stort.chosenProvince()); // the user must choose one
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // Taken names are refused before anything is written, whatever their letter case.
    EXPECT_EQ(CreateFacility(workspace, QStringLiteral("DEPOT ÉCHELLE"), 1), 0);
    EXPECT_EQ(
        recorder.texts(),
        QStringList({"De naam DEPOT ÉCHELLE komt reeds voor in uw databestand. Voer een andere naam in."}));
    EXPECT_EQ(readFacilityList(workspace)->size(), 6);
}

TEST_F(FacilityRecordTest, ListShowsKnownProvincesInNameOrder)
{
    const auto list = readFacilityList(workspace);
    ASSERT_TRUE(list);
    QStringList rows;
    for (const FacilityListEntry& entry : *list)
        rows.append(QStringList{QString::number(entry.id), entry.name, entry.rivmNumber, entry.province,
                                entry.typeName, entry.checklistYear}
                        .join(u'|'));
    // Sorted without regard to case; the facility with an unknown province is not listed.
    EXPECT_EQ(rows, QStringList({"4|Afgedankte versie||??|stortplaats|?",
                                 "2|Baggerdepot 't Slik||Zeeland|baggerdepot|2007",
                                 "6|Depot Échelle||Limburg|baggerdepot|2013",
                                 "1|stortplaats Zuid|ZH-01|Zuid-Holland|stortplaats|2013",
                                 "5|Zonder soort|Q-5|Gelderland|?|2007"}));
    EXPECT_EQ(recorder.busyDepth(), 0);
    // Opened, the list selects the remembered facility, else its first.
    const QList<int> listed{4, 2, 6, 1, 5};
    EXPECT_EQ(
        (QList<qsizetype>{facilityToSelect(listed, std::nullopt), facilityToSelect(listed, 1),
                          facilityToSelect(listed, 0), facilityToSelect(listed, 3), facilityToSelect({}, 1)}),
        (QList<qsizetype>{0, 3, 0, 0, -1}));
}

TEST_F(FacilityRecordTest, NewestChecklistVersionPerType)
{
    EXPECT_EQ(NewestChecklistVersion(workspace, 1), 5);
    EXPECT_EQ(NewestChecklistVersion(workspace, 2), 4);
    EXPECT_EQ(NewestChecklistVersion(workspace, 3), 0);
}

TEST_F(FacilityRecordTest, DeleteAsksFirstAndRemovesEveryRow)
{
    EXPECT_FALSE(DeleteFacility(workspace, 1, QStringLiteral("stortplaats Zuid")));
    EXPECT_EQ(
        recorder.texts(),
        QStringList({"Weet u zeker dat u inrichting 'stortplaats Zuid' wilt verwijderen uit de database?"}));
    EXPECT_EQ(recorder.recorded()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(recorder.recorded()[0].answer, MessageAnswer::No);
    EXPECT_EQ(rowsOf(1), 1 + 1 + 2 + 2);

    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteFacility(workspace, 1, QStringLiteral("stortplaats Zuid")));
    EXPECT_EQ(rowsOf(1), 0);
    EXPECT_EQ(rowsOf(2), 1 + 1 + 1 + 1); // other facilities keep their rows
}

TEST_F(FacilityRecordTest, FailedDeleteLeavesTheFacilityWhole)
{
    // The last statement fails after the cost items, provisions and forecast were deleted.
    ASSERT_TRUE(workspace.dataDatabase()->execScript(QStringLiteral(
        "CREATE TRIGGER weigerStort BEFORE DELETE ON tblStort BEGIN SELECT RAISE(ABORT, 'geweigerd'); END")));
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_FALSE(DeleteFacility(workspace, 1, QStringLiteral("stortplaats Zuid")));
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[1].icon, MessageIcon::Critical);
    EXPECT_EQ(rowsOf(1), 1 + 1 + 2 + 2);
}

class ForecastTest : public DataFileTest
{
protected:
    clsTonnage forecast{folder.workspace()};

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(link("dbTALVOdata_prognose.mdb", {"tonnage_data.sql"}));
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

// What is typed into row 0 (the 2025 row, the second in the file): the row as stored, or the message with its
// icon and the file left as it was. The entries: tests/data/forecast_cells.txt.
TEST_F(ForecastModelTest, CellsAcceptWholeYearsFrom1900To3000AndWholeAmountsWithinALong)
{
    QString outcomes;
    for (const QStringList& entry : test::readCases(QStringLiteral("forecast_cells.txt"))) {
        recorder.clear();
        const QStringList before = fileRows(1);
        const QString typed = entry[1].mid(1, entry[1].size() - 2);
        outcomes += QStringLiteral("%1 '%2': ").arg(entry[0], typed);
        const int column = entry[0] == u"year" ? TonnageModel::YearColumn : TonnageModel::KilotonnesColumn;
        if (model->setData(model->index(0, column), typed))
            outcomes += QStringLiteral("stored ") + fileRows(1).value(1);
        else
            EXPECT_EQ(fileRows(1), before) << entry.join(u'|').toStdString();
        for (const MessageRecorder::Message& m : recorder.recorded())
            outcomes += QStringLiteral("%1: %2 (%3)").arg(m.title, m.text).arg(int(m.icon));
        outcomes += u'\n';
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/forecast-cells.txt"), outcomes));
    EXPECT_EQ(shown(0, TonnageModel::KilotonnesColumn), QStringLiteral("1.200"));
    EXPECT_EQ(shown(0, TonnageModel::KilotonnesColumn, Qt::EditRole), QStringLiteral("1200"));
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
