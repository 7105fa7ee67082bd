// The provisions and cost items of a facility: lookups, additions from the user and from the
// checklist, phases, renaming, price level changes and the test against the checklist.
#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "storage/database.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

constexpr long Zuid = 1;

// The facilities, provisions, cost items and checklist items: tests/data/costitems_*.sql.
class CostItemsTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("costitems_checklist.sql"), QStringLiteral("costitems_data.sql"));
    }

    Workspace& workspace() { return folder.workspace(); }

    // Fields of a row as the file holds them, joined by '|' ("-" for not entered).
    QString row(long id, const char* fields, const char* table = "tblAct", const char* key = "idrAct_ID")
    {
        Statement query = workspace().dataDatabase()->prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(fields, table, key));
        query.bind(1, qint64(id));
        if (!query.next())
            return QStringLiteral("<no row>");
        QStringList values;
        for (int i = 0; i < query.columnCount(); ++i)
            values.append(query.isNull(i) ? QStringLiteral("-") : query.value(i).toString());
        return values.join(u'|');
    }
};

TEST_F(CostItemsTest, ProvisionsInCategoryOrderAndTheirLookup)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    QStringList seen;
    for (; !provisions.EOF_(); provisions.moveNext())
        seen.append(provisions.VoorzieningNaam() + u'/' + provisions.ObjectCat());
    EXPECT_EQ(seen, QStringList({"Bovenafdichting/Bovenafdichting",
                                 "Peilbuis 'A'/Grondwatermonitoringssysteem", "Hekwerk/Overig"}));

    // Names compare without regard to case, within the category and the facility.
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("PEILBUIS 'a'")), 2);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(2, QStringLiteral("Peilbuis 'A'")), 0);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis")), 0);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(3, QStringLiteral("Peilbuis%")), 0);
    EXPECT_EQ(provisions.ZoekIDvanVoorz(5, QStringLiteral("Gasbron 'Noord'")), 0);

    const long added = provisions.VoegVoorzieningToe(5, QStringLiteral("Gasbron 'Noord'"));
    ASSERT_GT(added, 4);
    EXPECT_EQ(provisions.AantalRecords(), 4);
    EXPECT_EQ(VoorzieningVanChecklistItem(workspace(), Zuid, 5, QStringLiteral("GASBRON 'NOORD'")), added);
    EXPECT_GT(VoorzieningVanChecklistItem(workspace(), Zuid, 1, QStringLiteral("Algemeen")), added);
    EXPECT_EQ(row(2, "COUNT(*)", "tblInrichting", "lngStort_REF"), QStringLiteral("1"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(CostItemsTest, RenamingActivatingAndDeletingAProvision)
{
    clsVoorz provisions(workspace(), Zuid);
    ASSERT_TRUE(provisions.initialize());
    ASSERT_TRUE(provisions.ActiveerID(2));
    EXPECT_FALSE(provisions.HernoemVoorzNaam(QStringLiteral("  ")));
    EXPECT_EQ(recorder.texts(), QStringList({"Ongeldige naam. Wijziging niet doorgevoerd."}));
    ASSERT_TRUE(provisions.HernoemVoorzNaam(QStringLiteral("Peilbuis 'B'")));
    EXPECT_EQ(row(2, "strObject", "tblInrichting", "idrInrichting_ID"), QStringLiteral("Peilbuis 'B'"));

    // Added through another list after this one was read: read again once.
    clsVoorz other(workspace(), Zuid);
    ASSERT_TRUE(other.initialize());
    ASSERT_TRUE(provisions.ActiveerID(other.VoegVoorzieningToe(6, QStringLiteral("Pompput"))));
    EXPECT_EQ(provisions.VoorzieningNaam(), QStringLiteral("Pompput"));
    // Facility 2's provision is not among facility 1's.
    recorder.clear();
    EXPECT_FALSE(provisions.ActiveerID(3));
    EXPECT_EQ(recorder.texts(), QStringList({"EOF-fout in ActiveerID in clsVoorz (lngIDVoorz=3)"}));

    ASSERT_TRUE(provisions.ActiveerID(2));
    ASSERT_TRUE(provisions.verwijderVoorz());
    EXPECT_EQ(provisions.AantalRecords(), 3);
    EXPECT_EQ(provisions.idrVoorz_ID(), 1);
    EXPECT_EQ(row(2, "strObject", "tblInrichting", "idrInrichting_ID"), QStringLiteral("<no row>"));
}

TEST_F(CostItemsTest, CostItemOfTheUsersOwnStartsWithDefaults)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    // A replacement is paid once every X years, other work X times a year.
    for (const auto& [rubric, frequency] : {std::pair(5, 3), std::pair(4, 2)}) {
        const long id = items.VoegToe_CustomAct(QStringLiteral("Eigen post 'x'"), 2, rubric);
        ASSERT_GT(id, 20);
        EXPECT_EQ(items.idrAct_ID(), id);
        EXPECT_EQ(row(id,
                      "strAct, bytRubriek_REF, bytOptieFreq, lngStort_REF, lngInrichting_REF, bytOptieStart, "
                      "intStartRel, bytOptieEind, bytOptieKosten, sngKostenTotaal, bytStartBA, bytEindBA, "
                      "bytIsTALVO, bytTypeVervangingsToeslag, bytCombineer"),
                  QStringLiteral("Eigen post 'x'|%1|%2|1|2|2|1|3|2|-|0|0|0|0|0").arg(rubric).arg(frequency));
        EXPECT_GE(QDateTime::fromString(row(id, "dtmMut"), Qt::ISODate), before);
        EXPECT_FALSE(items.verify_ansich(false)); // the amount is still to be entered
    }
    EXPECT_EQ(items.AantalRecords(), 9);
    // Names compare without regard to case, within their provision.
    EXPECT_TRUE(items.ActiviteitBestaatAl(QStringLiteral("EIGEN POST 'X'"), 2));
    EXPECT_FALSE(items.ActiviteitBestaatAl(QStringLiteral("Maaien"), 2));
    EXPECT_FALSE(items.ActiviteitBestaatAl(QStringLiteral("Maai"), 1));
}

TEST_F(CostItemsTest, APhaseCopiesEverythingButItsYears)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(12));
    const long copy = items.Dupliceer_Act(2);
    ASSERT_GT(copy, 20);
    EXPECT_EQ(items.idrAct_ID(), copy);

    // Every other column as the original's.
    const QStringList own{"idrAct_ID", "dtmMut", "intStartRel", "intStartAbs", "intEindRel", "intEindAbs"};
    Statement all = workspace().dataDatabase()->prepare(QStringLiteral("SELECT * FROM tblAct"));
    QStringList copied;
    for (int i = 0; i < all.columnCount(); ++i)
        if (!own.contains(all.columnName(i)))
            copied.append(all.columnName(i));
    ASSERT_GT(copied.size(), 20);
    EXPECT_EQ(row(copy, qPrintable(copied.join(u','))), row(12, qPrintable(copied.join(u','))));
    EXPECT_EQ(row(copy, "intStartRel, intStartAbs, intEindRel, intEindAbs"), QStringLiteral("-|-|-|-"));
    EXPECT_NE(row(copy, "dtmMut"), row(12, "dtmMut"));
}

TEST_F(CostItemsTest, RenamingCoversEveryPhaseOfTheProvisionOnly)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_TRUE(items.ActiveerID(13));
    EXPECT_FALSE(items.pfunHernoemActNaamOfRubriek(QString(), 4));
    EXPECT_EQ(recorder.texts(), QStringList({"Ongeldige naam. Wijziging niet doorgevoerd."}));
    const char* const fields = "strAct, bytRubriek_REF, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc";
    EXPECT_EQ(row(13, fields), QStringLiteral("Pomp vervangen|5|3|7"));

    // Staying among the replacements keeps the surcharge.
    ASSERT_TRUE(items.pfunHernoemActNaamOfRubriek(QStringLiteral("Pompen 'vervangen'")));
    EXPECT_EQ(items.idrAct_ID(), 13);
    EXPECT_EQ(items.strActHuidig(), QStringLiteral("Pompen 'vervangen'"));
    EXPECT_EQ(row(12, fields), QStringLiteral("Pompen 'vervangen'|5|2|12"));
    EXPECT_EQ(row(13, fields), QStringLiteral("Pompen 'vervangen'|5|3|7"));
    EXPECT_EQ(row(14, "strAct"), QStringLiteral("Bemonsteren"));

    // Leaving them drops it. The same name under another provision is another cost item.
    ASSERT_TRUE(items.pfunHernoemActNaamOfRubriek(QStringLiteral("Pomp vervangen"), 4));
    EXPECT_EQ(items.Rubriek(), QStringLiteral("Onderhoud"));
    EXPECT_EQ(row(12, fields), QStringLiteral("Pomp vervangen|4|0|-"));
    EXPECT_EQ(row(13, fields), QStringLiteral("Pomp vervangen|4|0|-"));
    EXPECT_EQ(row(15, fields), QStringLiteral("Pomp vervangen|5|2|12"));
}

TEST_F(CostItemsTest, ChecklistReferencesChecklistProvisionsAndPriceLevelChange)
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
    EXPECT_EQ(row(14, "bytIsTALVO"), QStringLiteral("0"));
    EXPECT_FALSE(items.IsTALVOvoorziening(2));

    clsAct none(workspace(), 3);
    ASSERT_TRUE(none.initialize());
    EXPECT_EQ(none.strAlleChecklistRefs(), QStringLiteral("|"));

    // A price level change multiplies the amount of each item's cost option.
    const float factor = 1.1f;
    for (items.moveFirst(); !items.EOF_(); items.moveNext())
        ASSERT_TRUE(items.psubVermenigvuldigKostenMet(factor)) << items.idrAct_ID();
    // Share of an investment: the investment changes, the percentage not. Not entered stays so; another
    // facility's is left alone.
    EXPECT_EQ(row(10, "sngKostenTotaal").toFloat(), 1000.0f * factor);
    EXPECT_EQ(row(13, "sngKostenPE").toFloat(), 3.3f * factor);
    EXPECT_EQ(row(14, "sngKostenInvest").toFloat(), 4000.0f * factor);
    EXPECT_EQ(row(14, "sngPercInvest") + u'|' + row(12, "sngKostenPE") + u'|' + row(20, "sngKostenTotaal"),
              QStringLiteral("2.5|-|800"));
}

TEST_F(CostItemsTest, TheCurrentCostItem)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    // Changes wait for UpdateNu; moving away drops them.
    ASSERT_TRUE(items.ActiveerID(10));
    items.setField(QStringLiteral("STROPM"), QStringLiteral("jaarlijks"));
    EXPECT_EQ(row(10, "strOpm"), QStringLiteral("-"));
    items.moveNext();
    ASSERT_TRUE(items.ActiveerID(10));
    EXPECT_FALSE(items.hasPendingChanges());
    items.setField(QStringLiteral("strOpm"), QStringLiteral("jaarlijks"));
    items.setField(QStringLiteral("sngKostenTotaal"), QString()); // an emptied box: not entered
    items.ForceDirty();
    ASSERT_TRUE(items.UpdateNu());
    EXPECT_EQ(row(10, "strOpm, sngKostenTotaal"), QStringLiteral("jaarlijks|-"));
    EXPECT_NE(row(10, "dtmMut"), QStringLiteral("2020-05-01T10:00:00"));
    EXPECT_EQ(row(11, "dtmMut"), QStringLiteral("2020-05-01T10:00:00"));

    // The last one stays current; another facility's is not found.
    ASSERT_TRUE(items.ActiveerID(16));
    items.MoveVolgendeOfLaatste();
    EXPECT_FALSE(items.ActiveerID(20));
    EXPECT_EQ(recorder.texts(), QStringList({"EOF-fout in ActiveerID(lngIDAct as long)"}));
    EXPECT_EQ(items.idrAct_ID(), 16);
    // Deleting one makes the next current.
    ASSERT_TRUE(items.ActiveerID(11));
    ASSERT_TRUE(items.verwijderAct());
    EXPECT_EQ(items.idrAct_ID(), 12);
    EXPECT_EQ(row(11, "idrAct_ID"), QStringLiteral("<no row>"));
}

TEST_F(CostItemsTest, ChecklistItemCreatesItsProvisionAndTakesTypicalValues)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    const char* const fields =
        "lngInrichting_REF, lngStort_REF, strAct, bytRubriek_REF, bytIsTALVO, lngClitem_REF, "
        "bytOptieStart, intStartRel, intStartBA, intEindRel, intEindBA, bytOptieKosten, "
        "sngKostenPE, sngAantal, strEenheid, sngPercInvest, sngKostenInvest, sngKostenTotaal, "
        "intFreqX, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc, bytCombineer";
    // The provision is created (not facility 2's of that name); the surcharge is the middle of 10 and 16.
    const long id = items.VoegToe_CLitem(101);
    ASSERT_GT(id, 20);
    EXPECT_EQ(items.idrAct_ID(), id);
    const long provision = row(id, "lngInrichting_REF").toLong();
    EXPECT_GT(provision, 4);
    EXPECT_EQ(row(id, fields),
              QStringLiteral("%1|1|Vervangen pompen|5|1|101|2|10|-|30|-|3|150|3|st|-|-|-|12|2|13|0")
                  .arg(provision));
    EXPECT_TRUE(items.verify_ansich(true));
    // The next item of that provision uses it.
    EXPECT_EQ(row(items.VoegToe_CLitem(102), fields),
              QStringLiteral("%1|1|Vervangen leidingen|5|1|102|1|-|3|-|-|1|-|-|-|3|2000|-|1|3|7.5|0")
                  .arg(provision));
    // An existing provision found in other letter case; no surcharge outside the replacements.
    EXPECT_EQ(row(items.VoegToe_CLitem(103), fields),
              QStringLiteral("1|1|Herstel toplaag|4|1|103|2|1|-|-|20|2|-|-|-|-|-|600|2|0|-|0"));
    EXPECT_EQ(row(1, "COUNT(*)", "tblInrichting", "lngStort_REF"), QStringLiteral("4"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(recorder.busyDepth(), 0);

    // An inactive one adds nothing.
    ASSERT_TRUE(items.ActiveerID(14));
    EXPECT_EQ(items.VoegToe_CLitem(104), 0);
    EXPECT_EQ(recorder.texts(), QStringList({"Fout bij VoegToe_CLitem(104)"}));
    EXPECT_EQ(recorder.busyDepth(), 0);
    EXPECT_EQ(items.idrAct_ID(), 14);
    EXPECT_EQ(row(1, "COUNT(*)", "tblAct", "lngStort_REF"), QStringLiteral("10"));
}

TEST_F(CostItemsTest, TestAgainstTheChecklistRunsEveryCheck)
{
    clsAct items(workspace(), Zuid);
    ASSERT_TRUE(items.initialize());
    ASSERT_GT(items.VoegToe_CLitem(101), 0);
    clsCL checklist(workspace());
    ASSERT_TRUE(checklist.initializeCL(7));
    ASSERT_TRUE(checklist.GaNaarItem(101));
    const double aftercareStart = 2030;
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, aftercareStart), 1);
    items.setField(QStringLiteral("sngKostenPE"), 250.0f);
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, aftercareStart), 2);
    items.setField(QStringLiteral("sngKostenPE"), 200.0f);
    items.setField(QStringLiteral("intStartRel"), 11);
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, aftercareStart), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    // The frequency check still runs after the start check failed, and reports its missing value.
    items.setField(QStringLiteral("intFreqX"), QVariant());
    EXPECT_EQ(items.ToetsAanNieuweCL(checklist, aftercareStart), 2);
    EXPECT_FALSE(recorder.recorded().isEmpty());
}

} // namespace
