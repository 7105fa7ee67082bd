// The provisions and cost items of a facility: lookups, additions from the user and from the
// checklist, phases, renaming, price level changes and the test against the checklist.
#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// Version 7 sets surcharges per item. Item 101 needs a provision the facility lacks (facility 2 has one
// of that name), item 102 shares it, item 103 belongs to an existing provision written in other
// letter case, item 104 is no longer active.
const char* const ChecklistSql = R"(
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngOntwerpdirectie,
    sngVervangingstoeslagKleineWerken, sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax)
    VALUES (7, 'test', '2020-01-01', 1, 2020, -999, 7.5, 10, 16);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, intStartJaar, bytStartBA, intEINDJAAR, bytOptieEind, bytEindBA, bytOptieFreq, sngFreqXMin,
    sngFreqXMax, bytOptieKosten, sngPrijsPEmin, sngPrijsPEmax, sngPercInvestMIN, sngPercInvestMAX,
    sngKostenInvestMIN, sngKostenInvestMAX, sngKostenTotaalMIN, sngKostenTotaalMAX, strEenheid, sngAantalMIN,
    sngAantalMAX, bytTypeVervangingsToeslag) VALUES
    (101, 7, -1, 5, 'Gasbron ''Noord''', 'Vervangen pompen', 5, 10, 0, 30, 2, 0, 3, 10, 14, 3, 100, 200,
        NULL, NULL, NULL, NULL, NULL, NULL, 'st', 2, 4, 2),
    (102, 7, -1, 5, 'Gasbron ''Noord''', 'Vervangen leidingen', 5, 3, 1, NULL, 3, 0, 2, 1, 1, 1, NULL, NULL,
        2, 4, 1000, 3000, NULL, NULL, NULL, NULL, NULL, 3),
    (103, 7, -1, 2, 'BOVENAFDICHTING', 'Herstel toplaag', 4, 1, 0, 20, 2, 1, 2, 1, 2, 2, NULL, NULL,
        NULL, NULL, NULL, NULL, 500, 700, NULL, NULL, NULL, NULL),
    (104, 7, 0, 2, 'Bovenafdichting', 'Vervallen post', 4, 1, 0, NULL, 3, 0, 1, NULL, NULL, 2, NULL, NULL,
        NULL, NULL, NULL, NULL, 1, 2, NULL, NULL, NULL, 0);
)";

const char* const DataSql = R"(
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, dtmAanvangNazorg) VALUES
    (1, 'Zuid', 120, 1, 7, '2030-01-01'), (2, 'Noord', 120, 1, 7, '2030-01-01'),
    (3, 'Leeg', 120, 1, 7, '2030-01-01');
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 3, 'Peilbuis ''A'''), (3, 2, 5, 'Gasbron ''Noord'''),
    (4, 1, 7, 'Hekwerk');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartAbs, intStartRel, bytStartBA, bytOptieEind, intEindAbs, intEindRel,
    bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngPercInvest, sngKostenInvest, sngKostenTotaal,
    sngKostenPE, sngAantal, strEenheid, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc, strOpm,
    strNazorgplanRef, dtmMut) VALUES
    (10, 1, 1, 55, 1, 'Maaien', 4, 2, NULL, 1, 0, 3, NULL, NULL, 0, 2, 2, 2, NULL, NULL, 1000, NULL, NULL,
        NULL, 0, NULL, NULL, NULL, '2020-05-01T10:00:00'),
    (11, 1, 1, 56, 1, 'Maaien', 4, 2, NULL, 10, 0, 3, NULL, NULL, 0, 2, 2, 2, NULL, NULL, 1000, NULL, NULL,
        NULL, 0, NULL, NULL, NULL, '2020-05-01T10:00:00'),
    (12, 1, 2, NULL, 0, 'Pomp vervangen', 5, 1, 2035, 6, 1, 1, 2060, 31, 0, 3, 15, 3, NULL, NULL, NULL,
        NULL, 2, 'st', 2, 12, 'fase 1', 'NP 4.2', '2020-05-01T10:00:00'),
    (13, 1, 2, NULL, 0, 'Pomp vervangen', 5, 2, NULL, 20, 0, 3, NULL, NULL, 0, 3, 15, 3, NULL, NULL, NULL,
        3.3, 2, 'st', 3, 7, NULL, NULL, '2020-05-01T10:00:00'),
    (14, 1, 2, 57, 2, 'Bemonsteren', 2, 2, NULL, 1, 0, 3, NULL, NULL, 0, 2, 4, 1, 2.5, 4000, NULL, NULL,
        NULL, NULL, 0, NULL, NULL, NULL, '2020-05-01T10:00:00'),
    (15, 1, 1, NULL, 0, 'Pomp vervangen', 5, 2, NULL, 1, 0, 3, NULL, NULL, 0, 3, 15, 2, NULL, NULL, 900,
        NULL, NULL, NULL, 2, 12, NULL, NULL, '2020-05-01T10:00:00'),
    (16, 1, 4, NULL, 0, 'Schilderen', 4, 2, NULL, 1, 0, 3, NULL, NULL, 0, 3, 5, 2, NULL, NULL, 400,
        NULL, NULL, NULL, 0, NULL, NULL, NULL, '2020-05-01T10:00:00'),
    (20, 2, 3, 101, 1, 'Maaien', 4, 2, NULL, 1, 0, 3, NULL, NULL, 0, 2, 2, 2, NULL, NULL, 800, NULL, NULL,
        NULL, 0, NULL, NULL, NULL, '2020-05-01T10:00:00');
)";

// The facility the cost items and provisions are of, and its aftercare start.
constexpr long Zuid = 1;
constexpr double ZuidAftercareStart = 2030;

class CostItemsTest : public test::SqlFilesTest
{
protected:
    void SetUp() override { useFiles(ChecklistSql, DataSql); }

    Workspace& workspace() { return folder.workspace(); }

    // A row as the file holds it, by field name.
    QVariant stored(long id, const char* field)
    {
        Statement row = workspace().dataDatabase()->prepare(
            QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID = ?").arg(QLatin1String(field)));
        row.bind(1, qint64(id));
        return row.next() ? row.value(0) : QVariant(QStringLiteral("<no row>"));
    }

    qint64 count(const QString& sql)
    {
        Statement query = workspace().dataDatabase()->prepare(sql);
        return query.next() ? query.integer(0).value_or(-1) : -1;
    }
};

// --- provisions ---

TEST_F(CostItemsTest, ProvisionsOfTheFacilityInCategoryOrder)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    ASSERT_EQ(provisions.AantalRecords(), 3);
    EXPECT_EQ(provisions.VoorzieningNaam(), QStringLiteral("Bovenafdichting"));
    EXPECT_EQ(provisions.ObjectCat(), QStringLiteral("Bovenafdichting"));
    provisions.moveNext();
    EXPECT_EQ(provisions.VoorzieningNaam(), QStringLiteral("Peilbuis 'A'"));
    EXPECT_EQ(provisions.bytObjectCat_ID(), 3);
    EXPECT_EQ(provisions.ObjectCat(), QStringLiteral("Grondwatermonitoringssysteem"));
    provisions.moveNext();
    EXPECT_EQ(provisions.ObjectCat(), QStringLiteral("Overig"));
    provisions.moveNext();
    EXPECT_TRUE(provisions.EOF_());
}

TEST_F(CostItemsTest, ProvisionLookupComparesNamesAsTheFileDoes)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis 'A'")), 2);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("PEILBUIS 'a'")), 2);
    // Another category, a part of the name, and another facility's provision are no match.
    EXPECT_EQ(provisions.ZoekIDvanVoorz(2, QStringLiteral("Peilbuis 'A'")), 0);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis")), 0);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis%")), 0);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(5, QStringLiteral("Gasbron 'Noord'")), 0);
}

TEST_F(CostItemsTest, AddingAProvisionAndFindingOrCreatingOne)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    const long added = provisions.VoegVoorzieningToe(5, QStringLiteral("Gasbron 'Noord'"));
    ASSERT_GT(added, 4);
    EXPECT_EQ(provisions.idrVoorz_ID(), added);
    EXPECT_EQ(provisions.AantalRecords(), 4);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(5, QStringLiteral("gasbron 'noord'")), added);

    EXPECT_EQ(VoorzieningVanChecklistItem(workspace(), Zuid, 5, QStringLiteral("GASBRON 'NOORD'")), added);
    const long general = VoorzieningVanChecklistItem(workspace(), Zuid, 1, QStringLiteral("Algemeen"));
    EXPECT_GT(general, added);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblInrichting WHERE lngStort_REF = 1")), 5);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblInrichting WHERE lngStort_REF = 2")), 1);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(CostItemsTest, RenamingAndDeletingAProvision)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    ASSERT_TRUE(provisions.ActiveerID(2));

    EXPECT_FALSE(provisions.HernoemVoorzNaam(QString()));
    EXPECT_FALSE(provisions.HernoemVoorzNaam(QStringLiteral("  ")));
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Bewerking ongeldig"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(provisions.VoorzieningNaam(), QStringLiteral("Peilbuis 'A'"));

    ASSERT_TRUE(provisions.HernoemVoorzNaam(QStringLiteral("Peilbuis 'B'")));
    clsVoorz reread(workspace(), Zuid);
    ASSERT_TRUE(reread.initialize());
    EXPECT_EQ(reread.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis 'B'")), 2);
    EXPECT_EQ(reread.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis 'A'")), 0);

    ASSERT_TRUE(provisions.verwijderVoorz());
    EXPECT_EQ(provisions.AantalRecords(), 2);
    EXPECT_EQ(provisions.idrVoorz_ID(), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblInrichting WHERE idrInrichting_ID = 2")), 0);
}

TEST_F(CostItemsTest, ActivatingAProvisionRereadsOnceThenReports)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    ASSERT_TRUE(provisions.ActiveerID(2));

    // Added through another list after this one was read.
    clsVoorz other(workspace(), Zuid);
    ASSERT_TRUE(other.initialize());
    const long added = other.VoegVoorzieningToe(6, QStringLiteral("Pompput"));
    ASSERT_TRUE(provisions.ActiveerID(added));
    EXPECT_EQ(provisions.VoorzieningNaam(), QStringLiteral("Pompput"));
    ASSERT_TRUE(provisions.ActiveerID(2));

    // Facility 2's provision is not among facility 1's.
    EXPECT_FALSE(provisions.ActiveerID(3));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("EOF-fout in ActiveerID in clsVoorz (lngIDVoorz=3)"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(provisions.idrVoorz_ID(), 2);
}

// --- cost items ---

TEST_F(CostItemsTest, CostItemOfTheUsersOwnStartsWithDefaults)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    for (const int rubric : {5, 4}) {
        SCOPED_TRACE(rubric);
        const long id = items.VoegToe_CustomAct(QStringLiteral("Eigen post 'x'"), 2, rubric);
        ASSERT_GT(id, 20);
        EXPECT_EQ(items.idrAct_ID(), id);
        EXPECT_EQ(stored(id, "strAct"), QStringLiteral("Eigen post 'x'"));
        EXPECT_EQ(stored(id, "bytRubriek_REF"), rubric);
        EXPECT_EQ(stored(id, "bytOptieFreq"), rubric == 5 ? 3 : 2);
        EXPECT_EQ(stored(id, "lngStort_REF"), 1);
        EXPECT_EQ(stored(id, "lngInrichting_REF"), 2);
        EXPECT_EQ(stored(id, "bytOptieStart"), 2);
        EXPECT_EQ(stored(id, "intStartRel"), 1);
        EXPECT_EQ(stored(id, "bytOptieEind"), 3);
        EXPECT_EQ(stored(id, "bytOptieKosten"), 2);
        EXPECT_TRUE(stored(id, "sngKostenTotaal").isNull());
        for (const char* zero :
             {"bytStartBA", "bytEindBA", "bytIsTALVO", "bytTypeVervangingsToeslag", "bytCombineer"})
            EXPECT_EQ(stored(id, zero), 0) << zero;
        EXPECT_GE(QDateTime::fromString(stored(id, "dtmMut").toString(), Qt::ISODate), before);
        // The amount is still to be entered.
        EXPECT_FALSE(items.verify_ansich(false));
    }
    EXPECT_EQ(items.AantalRecords(), 9);
}

TEST_F(CostItemsTest, CostItemNamesCompareWithinTheirProvision)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    EXPECT_TRUE(items.ActiviteitBestaatAl(QStringLiteral("MAAIEN"), 1));
    EXPECT_FALSE(items.ActiviteitBestaatAl(QStringLiteral("Maaien"), 2));
    EXPECT_FALSE(items.ActiviteitBestaatAl(QStringLiteral("Maai"), 1));
    items.VoegToe_CustomAct(QStringLiteral("Pomp 'x'"), 2, 4);
    EXPECT_TRUE(items.ActiviteitBestaatAl(QStringLiteral("pomp 'X'"), 2));
}

TEST_F(CostItemsTest, APhaseCopiesEverythingButItsYears)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(12));
    const long copy = items.Dupliceer_Act(2);
    ASSERT_GT(copy, 20);
    EXPECT_EQ(items.idrAct_ID(), copy);

    Statement both = workspace().dataDatabase()->prepare(
        QStringLiteral("SELECT * FROM tblAct WHERE idrAct_ID IN (12, ?) ORDER BY idrAct_ID"));
    both.bind(1, qint64(copy));
    ASSERT_TRUE(both.next());
    QVariantList original;
    for (int i = 0; i < both.columnCount(); ++i)
        original.append(both.value(i));
    ASSERT_TRUE(both.next());
    for (int i = 0; i < both.columnCount(); ++i) {
        const QString name = both.columnName(i);
        SCOPED_TRACE(name.toStdString());
        if (name == QLatin1String("idrAct_ID") || name == QLatin1String("dtmMut"))
            EXPECT_NE(both.value(i), original[i]);
        else if (QStringList{"intStartRel", "intStartAbs", "intEindRel", "intEindAbs"}.contains(name))
            EXPECT_TRUE(both.isNull(i));
        else
            EXPECT_EQ(both.value(i), original[i]);
    }
}

TEST_F(CostItemsTest, RenamingCoversEveryPhaseOfTheProvisionOnly)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(13));

    EXPECT_FALSE(items.pfunHernoemActNaamOfRubriek(QString(), 4));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Bewerking ongeldig"));
    EXPECT_EQ(stored(13, "bytRubriek_REF"), 5);

    ASSERT_TRUE(items.pfunHernoemActNaamOfRubriek(QStringLiteral("Pompen 'vervangen'")));
    EXPECT_EQ(items.idrAct_ID(), 13);
    EXPECT_EQ(items.strActHuidig(), QStringLiteral("Pompen 'vervangen'"));
    for (const long id : {12, 13}) {
        EXPECT_EQ(stored(id, "strAct"), QStringLiteral("Pompen 'vervangen'"));
        EXPECT_EQ(stored(id, "bytRubriek_REF"), 5);
    }
    EXPECT_EQ(stored(14, "strAct"), QStringLiteral("Bemonsteren"));
    // The same name under another provision is another cost item.
    EXPECT_EQ(stored(15, "strAct"), QStringLiteral("Pomp vervangen"));

    // Staying among the replacements keeps the surcharge.
    ASSERT_TRUE(items.pfunHernoemActNaamOfRubriek(QStringLiteral("Pompen"), 5));
    EXPECT_EQ(stored(12, "bytTypeVervangingsToeslag"), 2);
    EXPECT_EQ(stored(13, "sngVervangingsToeslagPerc"), 7.0);
}

TEST_F(CostItemsTest, LeavingTheReplacementsDropsTheSurcharge)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(12));
    ASSERT_TRUE(items.pfunHernoemActNaamOfRubriek(QStringLiteral("Pomp vervangen"), 4));
    for (const long id : {12, 13}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(stored(id, "bytRubriek_REF"), 4);
        EXPECT_EQ(stored(id, "bytTypeVervangingsToeslag"), 0);
        EXPECT_TRUE(stored(id, "sngVervangingsToeslagPerc").isNull());
    }
    EXPECT_EQ(items.bytRubriek_REF(), 4);
    EXPECT_EQ(items.Rubriek(), QStringLiteral("Onderhoud"));
    EXPECT_EQ(stored(15, "bytTypeVervangingsToeslag"), 2);
    EXPECT_EQ(stored(15, "bytRubriek_REF"), 5);
}

TEST_F(CostItemsTest, ChecklistReferencesAndChecklistProvisions)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    EXPECT_EQ(items.strAlleChecklistRefs(), QStringLiteral("|55|56|57|"));
    EXPECT_TRUE(items.IsTALVOvoorziening(1));
    EXPECT_TRUE(items.IsTALVOvoorziening(2)); // through an item outside the criteria
    EXPECT_FALSE(items.IsTALVOvoorziening(4));

    ASSERT_TRUE(items.ActiveerID(14));
    ASSERT_TRUE(items.LetbytIsTALVO(0));
    EXPECT_EQ(items.strAlleChecklistRefs(), QStringLiteral("|55|56|"));
    EXPECT_EQ(stored(14, "bytIsTALVO"), 0);
    EXPECT_FALSE(items.IsTALVOvoorziening(2));

    clsAct none(workspace(), 3);
    ASSERT_TRUE(none.initialize());
    EXPECT_EQ(none.AantalRecords(), 0);
    EXPECT_EQ(none.strAlleChecklistRefs(), QStringLiteral("|"));
}

TEST_F(CostItemsTest, PriceLevelChangeMultipliesTheAmountOfTheCostOption)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    const float factor = 1.1f;
    for (items.moveFirst(); !items.EOF_(); items.moveNext())
        ASSERT_TRUE(items.psubVermenigvuldigKostenMet(factor)) << items.idrAct_ID();

    EXPECT_EQ(float(stored(10, "sngKostenTotaal").toDouble()), 1000.0f * factor);
    EXPECT_EQ(float(stored(13, "sngKostenPE").toDouble()), 3.3f * factor);
    // Percentage of an investment: the investment changes, the percentage not.
    EXPECT_EQ(float(stored(14, "sngKostenInvest").toDouble()), 4000.0f * factor);
    EXPECT_EQ(stored(14, "sngPercInvest"), 2.5);
    // Not entered stays not entered.
    EXPECT_TRUE(stored(12, "sngKostenPE").isNull());
    // Another facility's cost items are left alone.
    EXPECT_EQ(stored(20, "sngKostenTotaal"), 800);
}

TEST_F(CostItemsTest, FieldChangesWaitForUpdateNu)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(10));
    items.setField(QStringLiteral("STROPM"), QStringLiteral("jaarlijks 'twee keer'"));
    items.setField(QStringLiteral("sngKostenTotaal"), QString());
    EXPECT_EQ(items.field(QStringLiteral("strOpm")), QStringLiteral("jaarlijks 'twee keer'"));
    EXPECT_TRUE(stored(10, "strOpm").isNull());

    // Moving away drops them.
    items.moveNext();
    ASSERT_TRUE(items.ActiveerID(10));
    EXPECT_FALSE(items.hasPendingChanges());
    EXPECT_EQ(stored(10, "sngKostenTotaal"), 1000);

    items.setField(QStringLiteral("strOpm"), QStringLiteral("jaarlijks"));
    items.setField(QStringLiteral("sngKostenTotaal"), QString());
    items.ForceDirty();
    ASSERT_TRUE(items.UpdateNu());
    EXPECT_EQ(stored(10, "strOpm"), QStringLiteral("jaarlijks"));
    // An emptied box is stored as not entered.
    EXPECT_TRUE(stored(10, "sngKostenTotaal").isNull());
    EXPECT_NE(stored(10, "dtmMut"), QStringLiteral("2020-05-01T10:00:00"));
    EXPECT_EQ(stored(11, "dtmMut"), QStringLiteral("2020-05-01T10:00:00"));
}

TEST_F(CostItemsTest, NavigationActivationAndDeletion)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    EXPECT_EQ(items.AantalRecords(), 7);
    ASSERT_TRUE(items.ActiveerID(16));
    items.MoveVolgendeOfLaatste();
    EXPECT_EQ(items.idrAct_ID(), 16);

    EXPECT_FALSE(items.ActiveerID(20));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("EOF-fout in ActiveerID(lngIDAct as long)"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(items.idrAct_ID(), 16);

    clsAct other(workspace(), Zuid);
    ASSERT_TRUE(other.initialize());
    const long added = other.VoegToe_CustomAct(QStringLiteral("Later"), 4, 6);
    EXPECT_TRUE(items.ActiveerID(added));

    ASSERT_TRUE(items.ActiveerID(11));
    ASSERT_TRUE(items.verwijderAct());
    EXPECT_EQ(items.idrAct_ID(), 12);
    EXPECT_EQ(items.AantalRecords(), 7);
    EXPECT_EQ(stored(11, "idrAct_ID"), QStringLiteral("<no row>"));
    EXPECT_EQ(stored(10, "idrAct_ID"), 10);
}

// --- from the checklist ---

TEST_F(CostItemsTest, ChecklistItemCreatesItsProvisionAndTakesTypicalValues)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    const long id = items.VoegToe_CLitem(101);
    ASSERT_GT(id, 20);
    EXPECT_EQ(items.idrAct_ID(), id);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(recorder.busyDepth(), 0);

    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    const long provision = provisions.ZoekIDvanVoorz(5, QStringLiteral("Gasbron 'Noord'"));
    ASSERT_GT(provision, 4); // not facility 2's provision of that name
    EXPECT_EQ(stored(id, "lngInrichting_REF"), qint64(provision));
    EXPECT_EQ(stored(id, "lngStort_REF"), 1);
    EXPECT_EQ(stored(id, "strAct"), QStringLiteral("Vervangen pompen"));
    EXPECT_EQ(stored(id, "bytRubriek_REF"), 5);
    EXPECT_EQ(stored(id, "bytIsTALVO"), 1);
    EXPECT_EQ(stored(id, "lngClitem_REF"), 101);
    EXPECT_EQ(stored(id, "bytOptieStart"), 2);
    EXPECT_EQ(stored(id, "intStartRel"), 10);
    EXPECT_TRUE(stored(id, "intStartBA").isNull());
    EXPECT_EQ(stored(id, "intEindRel"), 30);
    EXPECT_TRUE(stored(id, "intEindBA").isNull());
    EXPECT_EQ(stored(id, "bytOptieKosten"), 3);
    EXPECT_EQ(stored(id, "sngKostenPE"), 150);
    EXPECT_EQ(stored(id, "sngAantal"), 3);
    EXPECT_EQ(stored(id, "strEenheid"), QStringLiteral("st"));
    EXPECT_EQ(stored(id, "intFreqX"), 12);
    EXPECT_EQ(stored(id, "bytTypeVervangingsToeslag"), 2);
    EXPECT_EQ(stored(id, "sngVervangingsToeslagPerc"), 13); // middle of 10 and 16
    EXPECT_EQ(stored(id, "bytCombineer"), 0);
    EXPECT_TRUE(items.verify_ansich(true));

    // The next item of that provision uses it.
    const long second = items.VoegToe_CLitem(102);
    EXPECT_EQ(stored(second, "lngInrichting_REF"), qint64(provision));
    EXPECT_EQ(stored(second, "bytOptieStart"), 1);
    EXPECT_EQ(stored(second, "intStartBA"), 3);
    EXPECT_TRUE(stored(second, "intStartRel").isNull());
    EXPECT_TRUE(stored(second, "intEindRel").isNull());
    EXPECT_TRUE(stored(second, "intEindBA").isNull());
    EXPECT_EQ(stored(second, "sngPercInvest"), 3);
    EXPECT_EQ(stored(second, "sngKostenInvest"), 2000);
    EXPECT_EQ(stored(second, "intFreqX"), 1);
    EXPECT_EQ(stored(second, "bytTypeVervangingsToeslag"), 3);
    EXPECT_EQ(stored(second, "sngVervangingsToeslagPerc"), 7.5);

    // An existing provision found in other letter case; no surcharge outside the replacements.
    const long third = items.VoegToe_CLitem(103);
    EXPECT_EQ(stored(third, "lngInrichting_REF"), 1);
    EXPECT_EQ(stored(third, "intEindBA"), 20);
    EXPECT_TRUE(stored(third, "intEindRel").isNull());
    EXPECT_EQ(stored(third, "sngKostenTotaal"), 600);
    EXPECT_EQ(stored(third, "bytTypeVervangingsToeslag"), 0);
    EXPECT_TRUE(stored(third, "sngVervangingsToeslagPerc").isNull());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblInrichting WHERE lngStort_REF = 1")), 4);
}

TEST_F(CostItemsTest, UnknownChecklistItemAddsNothing)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(14));
    EXPECT_EQ(items.VoegToe_CLitem(104), 0);
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Fout bij VoegToe_CLitem(104)"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(recorder.busyDepth(), 0);
    EXPECT_EQ(items.idrAct_ID(), 14);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblAct")), 8);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM tblInrichting")), 4);
}

TEST_F(CostItemsTest, TestAgainstTheChecklistRunsEveryCheck)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_GT(items.VoegToe_CLitem(101), 0);
    clsCL checklist(workspace());
    ASSERT_TRUE(checklist.initializeCL(7));
    ASSERT_TRUE(checklist.GaNaarItem(101));
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, ZuidAftercareStart), 1);

    items.setField(QStringLiteral("sngKostenPE"), 250.0f);
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, ZuidAftercareStart), 2);
    items.setField(QStringLiteral("sngKostenPE"), 200.0f);
    items.setField(QStringLiteral("intStartRel"), 11);
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, ZuidAftercareStart), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // The frequency check still runs after the start check failed, and reports its missing value.
    items.setField(QStringLiteral("intFreqX"), QVariant());
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, ZuidAftercareStart), 2);
    EXPECT_FALSE(recorder.recorded().isEmpty());
}

} // namespace
