// The provisions and cost items of a facility: lookups, additions from the user and from the checklist,
// phases, renaming, price level changes and the test against the checklist; the completeness of cost items
// (each rule's bounds and the check of a whole facility before a calculation) and the narrative that says
// what a cost item does.
#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "costitems/completeness.h"
#include "costitems/narrative.h"
#include "facility/facilityvalidation.h"
#include "storage/database.h"
#include "support/golden.h"
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
        return test::queryRows(*workspace().dataDatabase(),
                               QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(fields, table, key),
                               {qint64(id)})
            .value(0, QStringLiteral("<no row>"));
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

const QVariant n; // not entered

using V = CostItemValues;
using Changes = QList<std::pair<QVariant V::*, QVariant>>;

// Changes to a complete cost item (aftercare year 1, perpetual, a total amount, one-off), whether it is
// then complete, and whether the version sets surcharges per item.
struct Case
{
    Changes changes;
    bool complete;
    bool gediffToeslag = false;
};

const Changes Complete{{&V::bytOptieStart, 2},  {&V::bytStartBA, 0},
                       {&V::intStartRel, 1},    {&V::bytOptieEind, 3},
                       {&V::bytEindBA, 0},      {&V::bytOptieFreq, 1},
                       {&V::bytOptieKosten, 2}, {&V::sngKostenTotaal, 100},
                       {&V::bytRubriek_REF, 4}, {&V::bytTypeVervangingsToeslag, 0},
                       {&V::bytCombineer, 0}};

bool complete(const Changes& changes, bool gediffToeslag)
{
    V item;
    for (const auto& [field, value] : Complete + changes)
        item.*field = value;
    return verify_ansich(item, gediffToeslag);
}

const Case Cases[] = {
    // Calendar years from 1970 to 2300, also as typed into the box.
    {{{&V::bytOptieStart, 1}, {&V::intStartAbs, 1969}}, false},
    {{{&V::bytOptieStart, 1}, {&V::intStartAbs, 1970}}, true},
    {{{&V::bytOptieStart, 1}, {&V::intStartAbs, 2300}}, true},
    {{{&V::bytOptieStart, 1}, {&V::intStartAbs, 2301}}, false},
    {{{&V::bytOptieStart, 1}, {&V::intStartAbs, "2030"}}, true},
    {{{&V::bytOptieStart, 1}, {&V::intStartAbs, "twintig"}}, false},
    // Aftercare years from 1 to 1000.
    {{{&V::intStartRel, 0}}, false},
    {{{&V::intStartRel, 1000}}, true},
    {{{&V::intStartRel, 1001}}, false},
    // Counted from the construction: an end needs only its number of years, 0 included; a start lies in
    // year 1 or later.
    {{{&V::bytOptieEind, 2}, {&V::bytEindBA, 1}, {&V::intEindBA, 0}}, true},
    {{{&V::bytOptieEind, 2}, {&V::bytEindBA, 1}, {&V::intEindBA, ""}}, false},
    {{{&V::bytStartBA, 1}, {&V::intStartBA, 1}}, true},
    {{{&V::bytStartBA, 1}, {&V::intStartBA, 0}}, false},
    // The amounts of each cost option.
    {{{&V::sngKostenTotaal, 0}}, true},
    {{{&V::sngKostenTotaal, n}}, false},
    {{{&V::bytOptieKosten, 3}, {&V::sngKostenPE, 12.5}, {&V::strEenheid, "m"}, {&V::sngAantal, 4}}, true},
    {{{&V::bytOptieKosten, 3}, {&V::sngKostenPE, 12.5}, {&V::strEenheid, "m"}, {&V::sngAantal, 0}}, false},
    {{{&V::bytOptieKosten, 3}, {&V::sngKostenPE, 0}, {&V::strEenheid, "m"}, {&V::sngAantal, 4}}, false},
    {{{&V::bytOptieKosten, 3}, {&V::sngKostenPE, 12.5}, {&V::strEenheid, ""}, {&V::sngAantal, 4}}, false},
    {{{&V::bytOptieKosten, 1}, {&V::sngKostenInvest, 25000}, {&V::sngPercInvest, 100}}, true},
    {{{&V::bytOptieKosten, 1}, {&V::sngKostenInvest, 25000}, {&V::sngPercInvest, 0}}, false},
    {{{&V::bytOptieKosten, 1}, {&V::sngKostenInvest, 25000}, {&V::sngPercInvest, 100.5}}, false},
    {{{&V::bytOptieKosten, 1}, {&V::sngKostenInvest, 0}, {&V::sngPercInvest, 5}}, false},
    // A surcharge only for replacements, when the version sets it per item.
    {{{&V::bytRubriek_REF, 5}}, true},
    {{{&V::bytRubriek_REF, 5}}, false, true},
    {{{&V::bytRubriek_REF, 5}, {&V::bytTypeVervangingsToeslag, 1}}, true, true},
    {{{&V::bytRubriek_REF, 5}, {&V::bytTypeVervangingsToeslag, 2}}, false, true},
    {{{&V::bytRubriek_REF, 5}, {&V::bytTypeVervangingsToeslag, 2}, {&V::sngVervangingsToeslagPerc, 6}},
     true,
     true},
    {{{&V::bytTypeVervangingsToeslag, 7}}, true, true},
};

TEST(Completeness, OfOneCostItem)
{
    MessageRecorder recorder;
    for (const Case& c : Cases)
        EXPECT_EQ(complete(c.changes, c.gediffToeslag), c.complete) << "case " << &c - Cases;
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // Part of a combination post: needs nothing else.
    Changes combined{{&V::bytCombineer, 1}, {&V::bytOptieKosten, 3}};
    for (QVariant V::*field : {&V::bytRubriek_REF, &V::bytOptieStart, &V::intStartRel, &V::bytStartBA,
                               &V::bytOptieEind, &V::bytEindBA, &V::sngKostenTotaal, &V::bytOptieFreq})
        combined.append({field, n});
    EXPECT_TRUE(complete(combined, true));
    EXPECT_TRUE(complete({{&V::bytRubriek_REF, 5}, {&V::bytTypeVervangingsToeslag, 9}}, true));
    EXPECT_EQ(recorder.texts(), QStringList({"Onbekende conditie vervangingstoeslag"}));
    EXPECT_EQ(recorder.titles(), QStringList({"Controle invoer vervangingstoeslag"}));
}

// --- a whole facility ---

// The facilities, one per case: tests/data/completeness_*.sql.
class FacilityValidationTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("completeness_checklist.sql"), QStringLiteral("completeness_data.sql"));
        // A data file in the current format is linked without a question.
        EXPECT_TRUE(recorder.recorded().isEmpty());
    }

    // Validates the facility; the text of its message, if any.
    QString validate(long facility, const QString& name, bool valid)
    {
        recorder.clear();
        EXPECT_EQ(ValidateFacilityInput(folder.workspace(), facility, name), valid) << facility;
        EXPECT_LE(recorder.recorded().size(), 1);
        return recorder.texts().value(0);
    }
};

TEST_F(FacilityValidationTest, NoCostItemsOrTheFirstIncompleteOne)
{
    EXPECT_EQ(validate(1, QStringLiteral("Leeg"), false),
              QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."));
    EXPECT_EQ(recorder.titles(), QStringList({"Validatie invoer inrichting 'Leeg'"}));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(
        validate(2, QStringLiteral("Half 'n half"), false),
        QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood stopbord' in "
                       "formulier 'Voorzieningen en kostenposten').\r\n\r\nKostenpost: \r\n\tPeilbuis 'A' "
                       "--> Analyse 'zware' metalen\r\n\r\nVoer de gegevens van de kostenposten eerst "
                       "volledig in."));
    EXPECT_EQ(recorder.titles(), QStringList({"Validatie invoer inrichting 'Half 'n half'"}));
    EXPECT_EQ(validate(3, QStringLiteral("Klaar"), true), QString());
    // The same replacement without surcharge type: incomplete under version 7, which sets surcharges per
    // item, complete under version 8.
    EXPECT_TRUE(
        validate(4, QStringLiteral("Nieuw"), false).contains(QStringLiteral("\tGasbron --> Pomp\r\n")));
    EXPECT_EQ(validate(5, QStringLiteral("Oud"), true), QString());

    // A per-unit cost with a quantity that is text, or empty text, or without its unit is not complete.
    for (const char* update : {"sngAantal = 'veel'", "sngAantal = ''", "sngAantal = 1000, strEenheid = ''"}) {
        ASSERT_TRUE(folder.workspace().dataDatabase()->exec(
            QStringLiteral("UPDATE tblAct SET %1 WHERE lngStort_REF = 3").arg(QLatin1String(update))));
        EXPECT_FALSE(validate(3, QStringLiteral("Klaar"), false).isEmpty()) << update;
    }
}

// --- the narrative: the Dutch paragraph that says what a cost item does ---

using N = NarrativeInput;

// Yearly mowing from the first aftercare year on, for ever, 1 500 euro a time, aftercare from 2010, with
// "key=value" changes on top. Options: start 1 calendar / 2 aftercare year; end the same or 3 perpetual;
// freq 1 one-off, 2 times a year, 3 once every X years; cost 1 share of an investment, 2 total, 3 per unit.
// fromConstruction counts start and end from the top liner's construction.
N item(const QString& changes, QLocale& locale)
{
    N in;
    const QStringList options{"start", "end", "freq", "cost"};
    int N::*const optionFields[] = {&N::startOption, &N::endOption, &N::frequencyOption, &N::costOption};
    const QStringList values{"intStartAbs",     "intStartRel",     "intStartBA",  "intEindAbs",
                             "intEindRel",      "intEindBA",       "intFreqX",    "sngPercInvest",
                             "sngKostenInvest", "sngKostenTotaal", "sngKostenPE", "sngAantal"};
    QVariant N::*const valueFields[] = {&N::intStartAbs,     &N::intStartRel,   &N::intStartBA,
                                        &N::intEindAbs,      &N::intEindRel,    &N::intEindBA,
                                        &N::intFreqX,        &N::sngPercInvest, &N::sngKostenInvest,
                                        &N::sngKostenTotaal, &N::sngKostenPE,   &N::sngAantal};
    const QString mowing = QStringLiteral("name=Maaien; start=2; intStartRel=1; end=3; freq=2; intFreqX=1; "
                                          "cost=2; sngKostenTotaal=1500; aftercareStart=2010;");
    for (const QString& change : QString(mowing + changes).split(u';', Qt::SkipEmptyParts)) {
        const QString key = change.section(u'=', 0, 0).trimmed(), value = change.section(u'=', 1);
        if (options.contains(key))
            in.*optionFields[options.indexOf(key)] = value.toInt();
        else if (values.contains(key))
            in.*valueFields[values.indexOf(key)] = value.toDouble();
        else if (key == "aftercareStart")
            in.aftercareStart = value.toFloat();
        else if (key == "name")
            in.name = value;
        else if (key == "fromConstruction")
            in.startFromConstruction = in.endFromConstruction = true;
        else if (key == "incomplete")
            in.complete = false;
        else if (key == "combined")
            in.combined = true;
        else if (key == "locale")
            locale = QLocale(value);
        else
            ADD_FAILURE() << "unknown key " << key.toStdString();
    }
    return in;
}

// A top liner renewed every 5 years, 1000 m2 at 12,50 euro.
const QString TopLiner =
    QStringLiteral("name=Vernieuwen toplaag; fromConstruction; intStartBA=3; intEindBA=10; "
                   "freq=3; intFreqX=5; cost=3; sngAantal=1000; sngKostenPE=12.5; ");

const QString Items[] = {
    // From a calendar year; aftercare from 1 July 2012: the July expense of 2012 is its very first one.
    "start=1; intStartAbs=2012",
    "start=1; intStartAbs=2012; aftercareStart=2012.5",
    // Aftercare from 1 October 2012, 2.25 years after the first expense; every 5 years moves on by 5.
    "start=1; intStartAbs=2010; aftercareStart=2012.75",
    "start=1; intStartAbs=2010; aftercareStart=2012.75; freq=3; intFreqX=5",
    "start=1; intStartAbs=2010; aftercareStart=2012.75; freq=1",
    // From the first aftercare year: the second occurrence in the last year of the run is a second payment.
    "",
    "end=2; intEindRel=30; freq=3; intFreqX=5",
    "end=2; intEindRel=6; freq=3; intFreqX=5",
    "end=2; intEindRel=5; freq=3; intFreqX=5",
    // Items that say nothing of their costs.
    "intStartRel=10; end=2; intEindRel=5",
    "start=1; intStartAbs=2011; aftercareStart=2010.75; end=1; intEindAbs=2010",
    "incomplete",
    "incomplete; combined",
    // Counted from the construction: built in 2012, in aftercare year 4 and in aftercare year 1 (still told
    // as counted from the construction, not from the aftercare start).
    TopLiner + "start=1; intStartAbs=2012",
    TopLiner + "intStartRel=4",
    TopLiner + "intStartRel=1; intStartBA=1",
    // A one-off share of an investment, in the user's locale.
    "name=Afsluiten bronnen; start=1; intStartAbs=2015; freq=1; cost=1; sngPercInvest=2.5; "
    "sngKostenInvest=80000",
    "name=Afsluiten bronnen; start=1; intStartAbs=2015; freq=1; cost=1; sngPercInvest=2.5; "
    "sngKostenInvest=80000; locale=en_US",
};

TEST(NarrativeTest, Items)
{
    QString text;
    for (const QString& changes : Items) {
        QLocale locale(QLocale::Dutch, QLocale::Netherlands);
        text += changes + QStringLiteral("\n  → ") + CostItemNarrative(item(changes, locale), locale) + u'\n';
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/narratives.txt"), text));
}

} // namespace
