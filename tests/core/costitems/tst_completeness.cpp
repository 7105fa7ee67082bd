// Completeness of cost items: the bounds of each rule, and the check of a whole facility before a
// calculation.
#include "costitems/completeness.h"
#include "facility/facilityvalidation.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QHash>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// A cost item as the editor holds it; starts complete: aftercare year 1, perpetual, a total amount, one-off.
class Item : public FieldSource
{
public:
    Item()
    {
        set("bytCombineer", 0);
        set("bytRubriek_REF", 4);
        set("bytOptieStart", 2);
        set("intStartRel", 1);
        set("bytStartBA", 0);
        set("bytOptieEind", 3);
        set("bytEindBA", 0);
        set("bytOptieKosten", 2);
        set("sngKostenTotaal", 100);
        set("bytOptieFreq", 1);
        set("bytTypeVervangingsToeslag", 0);
    }
    Item& set(const char* name, const QVariant& value)
    {
        m_fields.insert(QString::fromLatin1(name).toLower(), value);
        return *this;
    }
    QVariant field(const QString& name) const override { return m_fields.value(name.toLower()); }

private:
    QHash<QString, QVariant> m_fields;
};

bool complete(const Item& item, bool gediffToeslag = false)
{
    return verify_ansich(item, gediffToeslag);
}

TEST(Completeness, CalendarYearsFrom1970To2300)
{
    Item item;
    item.set("bytOptieStart", 1).set("intStartRel", QVariant());
    for (const int year : {1969, 2301})
        EXPECT_FALSE(complete(item.set("intStartAbs", year))) << year;
    for (const int year : {1970, 2300})
        EXPECT_TRUE(complete(item.set("intStartAbs", year))) << year;
    // As typed into the box.
    EXPECT_TRUE(complete(item.set("intStartAbs", QStringLiteral("2030"))));
    EXPECT_FALSE(complete(item.set("intStartAbs", QStringLiteral("twintig"))));
}

TEST(Completeness, AftercareYearsFrom1To1000)
{
    Item item;
    for (const int year : {0, 1001})
        EXPECT_FALSE(complete(item.set("intStartRel", year))) << year;
    for (const int year : {1, 1000})
        EXPECT_TRUE(complete(item.set("intStartRel", year))) << year;
}

TEST(Completeness, PartOfACombinationNeedsNothingElse)
{
    Item combined;
    for (const char* name :
         {"bytRubriek_REF", "bytOptieStart", "intStartRel", "bytStartBA", "bytOptieEind", "bytEindBA",
          "bytOptieKosten", "sngKostenTotaal", "bytOptieFreq", "bytTypeVervangingsToeslag"})
        combined.set(name, QVariant());
    EXPECT_FALSE(complete(Item(combined).set("bytOptieKosten", 3)));
    EXPECT_TRUE(complete(combined.set("bytCombineer", 1)));
}

TEST(Completeness, YearsCountedFromTheConstruction)
{
    // An end counted from the construction needs only its number of years, 0 included.
    EXPECT_TRUE(complete(Item().set("bytOptieEind", 2).set("bytEindBA", 1).set("intEindBA", 0)));
    EXPECT_FALSE(complete(Item().set("bytOptieEind", 2).set("bytEindBA", 1).set("intEindBA", QString())));
    // A start counted from the construction must lie in year 1 or later.
    EXPECT_FALSE(complete(Item().set("bytStartBA", 1).set("intStartBA", 0)));
    EXPECT_TRUE(complete(Item().set("bytStartBA", 1).set("intStartBA", 1)));
}

TEST(Completeness, AmountsPerCostOption)
{
    EXPECT_TRUE(complete(Item().set("sngKostenTotaal", 0)));
    EXPECT_FALSE(complete(Item().set("sngKostenTotaal", QVariant())));

    Item perUnit;
    perUnit.set("bytOptieKosten", 3)
        .set("sngKostenPE", 12.5)
        .set("strEenheid", QStringLiteral("m"))
        .set("sngAantal", 4);
    EXPECT_TRUE(complete(perUnit));
    EXPECT_FALSE(complete(Item(perUnit).set("sngAantal", 0)));
    EXPECT_FALSE(complete(Item(perUnit).set("sngKostenPE", 0)));
    EXPECT_FALSE(complete(Item(perUnit).set("strEenheid", QString())));

    Item share;
    share.set("bytOptieKosten", 1).set("sngKostenInvest", 25000);
    EXPECT_TRUE(complete(share.set("sngPercInvest", 100)));
    EXPECT_FALSE(complete(share.set("sngPercInvest", 0)));
    EXPECT_FALSE(complete(share.set("sngPercInvest", 100.5)));
    EXPECT_FALSE(complete(share.set("sngPercInvest", 5).set("sngKostenInvest", 0)));
}

TEST(Completeness, SurchargeOnlyWhenTheVersionDifferentiates)
{
    MessageRecorder recorder;
    Item replacement;
    replacement.set("bytRubriek_REF", 5);
    EXPECT_TRUE(complete(replacement, false));
    EXPECT_FALSE(complete(replacement, true));
    EXPECT_TRUE(complete(Item(replacement).set("bytTypeVervangingsToeslag", 1), true));
    EXPECT_FALSE(complete(Item(replacement).set("bytTypeVervangingsToeslag", 2), true));
    EXPECT_TRUE(complete(
        Item(replacement).set("bytTypeVervangingsToeslag", 2).set("sngVervangingsToeslagPerc", 6), true));
    // Other rubrics have none.
    EXPECT_TRUE(complete(Item().set("bytTypeVervangingsToeslag", 7), true));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    EXPECT_TRUE(complete(Item(replacement).set("bytTypeVervangingsToeslag", 9), true));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Onbekende conditie vervangingstoeslag"));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Controle invoer vervangingstoeslag"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
}

// --- a whole facility ---

// Version 7 sets surcharges per item, version 8 does not. Facility 1 has a provision without cost
// items; facility 2 an incomplete cost item behind a complete one; facility 3 only complete ones;
// facilities 4 (version 7) and 5 (version 8) a replacement without surcharge type.
const char* const ChecklistSql = R"(
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, sngOntwerpdirectie) VALUES
    (7, 'per post', '2020-01-01', 1, -999), (8, 'vast', '2015-01-01', 1, 12);
)";

const char* const DataSql = R"(
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF) VALUES
    (1, 'Leeg', 120, 1, 7), (2, 'Half', 120, 1, 7), (3, 'Klaar', 120, 1, 7), (4, 'Nieuw', 120, 1, 7),
    (5, 'Oud', 120, 1, 8);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 2, 3, 'Peilbuis ''A'''), (3, 3, 2, 'Bovenafdichting'),
    (4, 4, 5, 'Gasbron'), (5, 5, 5, 'Gasbron');
INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, strAct, bytRubriek_REF, bytOptieStart, intStartRel,
    bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngKostenTotaal, sngKostenPE,
    sngAantal, strEenheid, bytTypeVervangingsToeslag) VALUES
    (2, 2, 'Bemonsteren', 2, 2, 1, 0, 3, 0, 2, 4, 2, 0, NULL, NULL, NULL, 0),
    (2, 2, 'Analyse ''zware'' metalen', 2, 2, 1, 0, 3, 0, 2, 4, 3, NULL, 80, 0, 'st', 0),
    (3, 3, 'Maaien', 4, 2, 1, 0, 3, 0, 2, 2, 2, 1500, NULL, NULL, NULL, 0),
    (3, 3, 'Toplaag', 5, 2, 10, 0, 3, 0, 3, 25, 3, NULL, 12.5, 1000, 'm2', 1),
    (4, 4, 'Pomp', 5, 2, 10, 0, 3, 0, 3, 15, 2, 900, NULL, NULL, NULL, 0),
    (5, 5, 'Pomp', 5, 2, 10, 0, 3, 0, 3, 15, 2, 900, NULL, NULL, NULL, 0);
)";

class FacilityValidationTest : public test::SqlFilesTest
{
protected:
    void SetUp() override { useFiles(ChecklistSql, DataSql); }
};

TEST_F(FacilityValidationTest, ProvisionsWithoutCostItemsAreNoInput)
{
    EXPECT_FALSE(ValidateFacilityInput(folder.workspace(), 1, QStringLiteral("Leeg")));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Validatie invoer inrichting 'Leeg'"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
}

TEST_F(FacilityValidationTest, FirstIncompleteCostItemIsNamedWithItsProvision)
{
    EXPECT_FALSE(ValidateFacilityInput(folder.workspace(), 2, QStringLiteral("Half 'n half")));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood stopbord' in "
                       "formulier 'Voorzieningen en kostenposten').\r\n\r\nKostenpost: \r\n\tPeilbuis 'A' "
                       "--> Analyse 'zware' metalen\r\n\r\nVoer de gegevens van de kostenposten eerst "
                       "volledig in."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Validatie invoer inrichting 'Half 'n half'"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
}

TEST_F(FacilityValidationTest, CompleteFacilityPassesSilently)
{
    EXPECT_TRUE(ValidateFacilityInput(folder.workspace(), 3, QStringLiteral("Klaar")));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(FacilityValidationTest, StoredTextThatIsNoNumberIsNoValue)
{
    // A per-unit cost with a quantity that is text, or empty text, or without its unit is not complete.
    std::shared_ptr<Database> data = folder.workspace().dataDatabase();
    for (const char* update :
         {"UPDATE tblAct SET sngAantal = 'veel' WHERE lngStort_REF = 3",
          "UPDATE tblAct SET sngAantal = '' WHERE lngStort_REF = 3",
          "UPDATE tblAct SET sngAantal = 1000, strEenheid = '' WHERE lngStort_REF = 3"}) {
        ASSERT_TRUE(data->exec(QString::fromUtf8(update)));
        recorder.clear();
        EXPECT_FALSE(ValidateFacilityInput(folder.workspace(), 3, QStringLiteral("Klaar"))) << update;
        EXPECT_EQ(recorder.recorded().size(), 1) << update;
    }
    ASSERT_TRUE(data->exec(QStringLiteral("UPDATE tblAct SET strEenheid = 'm2' WHERE lngStort_REF = 3")));
    EXPECT_TRUE(ValidateFacilityInput(folder.workspace(), 3, QStringLiteral("Klaar")));
}

TEST_F(FacilityValidationTest, SurchargeTypeFollowsTheFacilitysOwnVersion)
{
    // The same replacement without surcharge type: incomplete under version 7, which sets surcharges per
    // item, complete under version 8.
    EXPECT_FALSE(ValidateFacilityInput(folder.workspace(), 4, QStringLiteral("Nieuw")));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_TRUE(recorder.recorded()[0].text.contains(QStringLiteral("\tGasbron --> Pomp\r\n")));

    recorder.clear();
    EXPECT_TRUE(ValidateFacilityInput(folder.workspace(), 5, QStringLiteral("Oud")));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace
