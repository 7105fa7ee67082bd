// The facility record: typed fields, derived values, the rules of the general data, and what is kept of
// the facility the user opens.
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "storage/datafilelink.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

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
        const QString path = folder.createDatabase(
            QStringLiteral("dbTALVOdata_record.mdb"),
            {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("facilities.sql"),
             QStringLiteral(
                 "INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF) "
                 "VALUES (6, 'Depot Échelle', 60, 2, 4);"
                 "UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16', sngRentePerc = 5.06, "
                 "sngInflPerc = 2, bytBedrijfsGebonden = 0, bytObjectGebonden = 1 WHERE idrStort_ID = 1;"
                 "UPDATE tblStort SET dtmAanvangNazorg = '2031-01-01' WHERE idrStort_ID = 4;")});
        ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    }

    float startOf(const char* storedDate)
    {
        stort.setField(QStringLiteral("dtmAanvangNazorg"),
                       storedDate ? QVariant(QLatin1String(storedDate)) : QVariant());
        return stort.AanvangNazorgGebrokenJaar();
    }
};

TEST_F(FacilityRecordTest, FieldsAndDerivedTexts)
{
    ASSERT_TRUE(stort.initializeStort(1));
    EXPECT_EQ(stort.stort_ID(), 1);
    EXPECT_EQ(stort.NaamStort(), QStringLiteral("stortplaats Zuid"));
    EXPECT_EQ(stort.RivmNr(), QStringLiteral("ZH-01"));
    EXPECT_EQ(stort.ProvNaam(), QStringLiteral("Zuid-Holland"));
    EXPECT_FLOAT_EQ(stort.rente(), 0.0506f);
    EXPECT_FLOAT_EQ(stort.inflatie(), 0.02f);
    EXPECT_EQ(stort.checklist_ID(), 3.0f);
    EXPECT_EQ(stort.Bedrijfs_Objectgebonden(),
              QStringLiteral("De inrichting is niet-bedrijfsgebonden en objectgebonden. "));
    // Not entered: absent, not zero.
    EXPECT_FALSE(stort.single(QStringLiteral("sngNazorgOpp")).has_value());

    ASSERT_TRUE(stort.GetInfoChecklist());
    EXPECT_EQ(stort.strStortType, QStringLiteral("stortplaats"));
    EXPECT_EQ(stort.strChecklistJaar, QStringLiteral("2013"));
    EXPECT_EQ(stort.intChecklistPrijspeil, 2012);

    ASSERT_TRUE(stort.initializeStort(2));
    stort.setField(QStringLiteral("bytBedrijfsGebonden"), 1);
    EXPECT_EQ(stort.Bedrijfs_Objectgebonden(),
              QStringLiteral("De inrichting is bedrijfsgebonden en niet-objectgebonden. "));
    EXPECT_FALSE(stort.initializeStort(99));
}

TEST_F(FacilityRecordTest, AftercareStartAsDecimalYear)
{
    ASSERT_TRUE(stort.initializeStort(1));
    EXPECT_FLOAT_EQ(startOf("2030-01-01"), 2030.0f);
    EXPECT_FLOAT_EQ(startOf("2030-01-16"), float(2030 + 1.0 / 24));
    EXPECT_FLOAT_EQ(startOf("2010-07-16"), float(2010 + 6.0 / 12 + 1.0 / 24));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A stored 15th is used as the 1st of that month, after a warning.
    EXPECT_FLOAT_EQ(startOf("2030-03-15"), float(2030 + 2.0 / 12));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Ongeldige datum aanvang nazorg"));
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral(
                  "Ongeldige datum aanvang nazorg (15-3-2030) ingevoerd. De dag van aanvang nazorg dient de "
                  "1e of de 16e te zijn. \nEr zal nu worden gerekend met 1-3-2030.\nPast u de datum aanvang "
                  "nazorg aan via de menu-optie 'Invoer -> Gegevens inrichting'."));

    recorder.clear();
    EXPECT_FLOAT_EQ(startOf(nullptr), 2030.0f);
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Datum nazorg onbekend"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Information);
}

TEST_F(FacilityRecordTest, NameRules)
{
    ASSERT_TRUE(stort.initializeStort(1));
    EXPECT_FALSE(stort.StortnaamBestaatAl(QStringLiteral("stortplaats Zuid")));
    EXPECT_TRUE(stort.StortnaamBestaatAl(QStringLiteral("BAGGERDEPOT 'T SLIK")));
    EXPECT_TRUE(stort.StortnaamBestaatAl(QStringLiteral("depot échelle")));
    EXPECT_FALSE(stort.StortnaamBestaatAl(QStringLiteral("Depot Echelle")));

    EXPECT_TRUE(stort.checkNaamStort(QStringLiteral("Nieuwe naam")));
    EXPECT_FALSE(stort.checkNaamStort(QString()));
    EXPECT_FALSE(stort.checkNaamStort(QStringLiteral("DEPOT ÉCHELLE")));
    EXPECT_EQ(recorder.texts(),
              (QStringList{QStringLiteral("Voer de naam van de inrichting in."),
                           QStringLiteral("Deze naam komt al voor in het momenteel actieve databestand.")}));
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Ongeldige invoer")));
}

TEST_F(FacilityRecordTest, DateRules)
{
    EXPECT_TRUE(clsStort::checkDatumAanvangNazorg(QDate(2030, 1, 1)));
    EXPECT_TRUE(clsStort::checkDatumAanvangNazorg(QDate(2030, 1, 16)));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_FALSE(clsStort::checkDatumAanvangNazorg(QDate(2030, 1, 15)));
    EXPECT_FALSE(clsStort::checkDatumAanvangNazorg(std::nullopt));
    EXPECT_EQ(recorder.titles(), (QStringList{QStringLiteral("Ongeldige datum aanvang nazorg"),
                                              QStringLiteral("Invoer datum aanvang nazorg")}));
}

TEST_F(FacilityRecordTest, ChangesReachTheFileOnlyOnMove0)
{
    ASSERT_TRUE(stort.initializeStort(1));
    stort.setField(QStringLiteral("strVergNaam"), QStringLiteral("Afvalzorg 'Zuid' B.V."));
    stort.setRisicoBedrag(125000.5f);
    stort.setField(QStringLiteral("strRIVMnr"), QString());

    clsStort other(workspace);
    ASSERT_TRUE(other.initializeStort(1));
    EXPECT_EQ(other.VergHouderNaam(), QString());

    ASSERT_TRUE(stort.Move0());
    EXPECT_FALSE(stort.hasPendingChanges());
    ASSERT_TRUE(other.initializeStort(1));
    EXPECT_EQ(other.VergHouderNaam(), QStringLiteral("Afvalzorg 'Zuid' B.V."));
    EXPECT_FLOAT_EQ(other.RisicoBedrag(), 125000.5f);
    // An emptied text is stored as not entered.
    EXPECT_TRUE(other.field(QStringLiteral("strRIVMnr")).isNull());
}

TEST_F(FacilityRecordTest, CompanyBoundMeansObjectBound)
{
    ASSERT_TRUE(stort.initializeStort(1));
    stort.setField(QStringLiteral("bytObjectGebonden"), 0);
    EXPECT_TRUE(stort.ObjectGebondenWijzigbaar());
    EXPECT_TRUE(stort.PrognoseNodig());
    stort.setBedrijfsGebonden(1);
    EXPECT_EQ(stort.bytObjectGebonden(), 1);
    EXPECT_FALSE(stort.ObjectGebondenWijzigbaar());
    EXPECT_FALSE(stort.PrognoseNodig());

    // A dredging depot never chooses.
    ASSERT_TRUE(stort.initializeStort(2));
    stort.setBedrijfsGebonden(0);
    EXPECT_FALSE(stort.ObjectGebondenWijzigbaar());
}

TEST_F(FacilityRecordTest, StateOfTheFacilityToOpen)
{
    const std::optional<OpenFacilityState> open = readOpenFacility(workspace, 1);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->id, 1);
    EXPECT_EQ(open->name, QStringLiteral("stortplaats Zuid"));
    EXPECT_EQ(open->type, 1);
    EXPECT_EQ(open->checklistVersion, 3);
    EXPECT_EQ(open->checklistYear, QStringLiteral("2013"));
    EXPECT_DOUBLE_EQ(open->aftercareStart, double(float(2030 + 1.0 / 24)));

    // A version the installed checklist file lacks: readable, without its year.
    const std::optional<OpenFacilityState> unknownVersion = readOpenFacility(workspace, 4);
    ASSERT_TRUE(unknownVersion);
    EXPECT_EQ(unknownVersion->id, 4);
    EXPECT_EQ(unknownVersion->checklistVersion, 99);
    EXPECT_EQ(unknownVersion->checklistYear, QString());
    EXPECT_TRUE(recorder.recorded().isEmpty());

    EXPECT_FALSE(readOpenFacility(workspace, 99));
}

TEST_F(FacilityRecordTest, NewFacilityDefaults)
{
    const int id = CreateFacility(workspace, QStringLiteral("Stortplaats O'Neill"), 2);
    ASSERT_GT(id, 6);
    ASSERT_TRUE(stort.initializeStort(id));
    EXPECT_EQ(stort.NaamStort(), QStringLiteral("Stortplaats O'Neill"));
    EXPECT_EQ(stort.intStortType(), 2);
    EXPECT_EQ(stort.checklist_ID(), 4.0f);
    EXPECT_EQ(stort.prov_id(), 0);
    EXPECT_EQ(stort.ProvNaam(), QStringLiteral("??"));
    EXPECT_FLOAT_EQ(*stort.single(QStringLiteral("sngRentePerc")), 5.06f);
    EXPECT_FLOAT_EQ(*stort.single(QStringLiteral("sngInflPerc")), 2.0f);
    EXPECT_EQ(stort.bytBedrijfsGebonden(), 1);
    EXPECT_EQ(stort.bytObjectGebonden(), 1);
    EXPECT_EQ(stort.DatumAanvangNazorg(), QDate(2030, 1, 1));
    EXPECT_TRUE(stort.field(QStringLiteral("intJaarPrijspeil")).isNull());
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // Taken names are refused before anything is written, whatever their letter case.
    EXPECT_EQ(CreateFacility(workspace, QStringLiteral("DEPOT ÉCHELLE"), 1), 0);
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("De naam DEPOT ÉCHELLE komt reeds voor in uw databestand. Voer een andere naam in."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Aanmaken nieuwe inrichting"));
    EXPECT_EQ(readFacilityList(workspace)->size(), 6);
}

} // namespace
