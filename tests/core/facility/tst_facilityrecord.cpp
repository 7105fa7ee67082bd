// The facility record: typed fields, derived values, the rules of the general data and what is kept of the
// facility the user opens; the facility list, the newest checklist version of a type, and deleting a
// facility.
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/workspace.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

class FacilityRecordTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    Workspace& workspace = folder.workspace();
    clsStort stort{workspace};

    void SetUp() override
    {
        const QString path = folder.createDatabase(QStringLiteral("dbTALVOdata_record.mdb"),
                                                   {QStringLiteral("data/datafile_schema.sql"),
                                                    QStringLiteral("facilities.sql"),
                                                    QStringLiteral("facilityrecord_data.sql")});
        ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    }

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
}

TEST_F(FacilityRecordTest, NewestChecklistVersionPerType)
{
    EXPECT_EQ(NewestChecklistVersion(workspace, 1), 3);
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

} // namespace
