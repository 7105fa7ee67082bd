// The provisions and cost items of a facility: lookups, additions from the user and from the checklist,
// phases, renaming, price level changes and the test against the checklist; the completeness of cost items
// (each rule's bounds and the check of a whole facility before a calculation) and the narrative that says
// what a cost item does; the editor's tree of provisions and cost items and the rules of its panel.
#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "costitems/completeness.h"
#include "costitems/editorpanel.h"
#include "costitems/narrative.h"
#include "costitems/provisiontree.h"
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
        ASSERT_TRUE(items.initialize());
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

    clsAct items{folder.workspace(), Zuid}; // facility 1's, read
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
// "key=value" changes on top (their options: tests/data/narrative_items.txt).
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

// The items of tests/data/narrative_items.txt, each with its paragraph: tests/golden/core/narratives.txt.
TEST(NarrativeTest, Items)
{
    QString text;
    for (const QStringList& changes : test::readCases("narrative_items.txt")) {
        QLocale locale(QLocale::Dutch, QLocale::Netherlands);
        text += changes[0] + QStringLiteral("\n  → ") + CostItemNarrative(item(changes[0], locale), locale) +
                u'\n';
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/narratives.txt"), text));
}

// --- the editor's tree of provisions and cost items: how it is built from the records, and what its
// commands do to the nodes and to the file ---

constexpr long Oost = 1;

// Facility 1 with its provisions and phased items: tests/data/editor_*.sql.
class ProvisionTreeTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("editor_checklist.sql"), QStringLiteral("editor_data.sql"));
        data = folder.workspace().dataDatabase();
        ASSERT_TRUE(provisions.initialize() && items.initialize() && tree.build());
    }

    // Every node as "key|text|tag|bold|colour|image", indented by level.
    QStringList dump(const QString& from = {}) const
    {
        QStringList lines;
        const auto walk = [&lines](const auto& self, const ProvisionTree::Node& node, int level) -> void {
            lines.append(QString(level * 2, u' ') +
                         QStringList{node.key, node.text, node.tag, node.bold ? "B" : "",
                                     QString::number(node.colour), QString::number(node.image)}
                             .join(u'|'));
            for (const auto& child : node.children)
                self(self, *child, level + 1);
        };
        if (!from.isEmpty())
            walk(walk, *tree.find(from), 0);
        else
            for (const auto& root : tree.roots())
                walk(walk, *root, 0);
        return lines;
    }
    // The values of a one-column query, joined by ','.
    QString rows(const char* sql) const { return test::queryRows(*data, QString::fromUtf8(sql)).join(u','); }
    QString actRows() const
    {
        return rows("SELECT idrAct_ID || ':' || strAct FROM tblAct WHERE lngStort_REF = 1 "
                    "ORDER BY idrAct_ID");
    }

    std::shared_ptr<Database> data;
    clsVoorz provisions{folder.workspace(), Oost};
    clsAct items{folder.workspace(), Oost};
    ProvisionTree tree{folder.workspace(), provisions, items, {16384, 128}, true};
};

TEST_F(ProvisionTreeTest, BuildsCategoriesProvisionsAndPhases)
{
    // Phase 1 of several takes the cost item colour, further phases black or red by their own completeness;
    // names sort without regard to case: tests/golden/core/provision-tree.txt.
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/provision-tree.txt"), dump().join(u'\n') + u'\n'));
}

// After an edit a cost item's node shows its judgement as the editor's captions do: red while incomplete,
// orange outside the criteria, else the cost item colour (black for a further phase).
TEST_F(ProvisionTreeTest, MarkingColoursTheSelectedNode)
{
    const std::tuple<const char*, bool, int, ColourValue> cases[] = {
        {"act12", true, 1, 128}, {"act12", true, 2, 33023}, {"act12", false, 2, 255},
        {"act14", true, 0, 0},   {"act14", true, 2, 33023}, {"act14", false, 1, 255}};
    for (const auto& [key, complete, conformity, colour] : cases) {
        ASSERT_TRUE(tree.select(QString::fromUtf8(key)));
        tree.setSelectedMarking(complete, conformity);
        EXPECT_EQ(tree.selected()->colour, colour) << key << complete << conformity;
        EXPECT_EQ(tree.selected()->tag, QString::number(conformity));
    }
}

TEST_F(ProvisionTreeTest, ContextMenuFollowsTheSelectedNode)
{
    struct Case
    {
        const char* key;
        const char* expected; // add provision, add cost item, phase, rename, delete; captions
    };
    const Case cases[] = {
        {"objcat2", "10000|Voorziening toevoegen aan ' Bovenafdichting '|Kostenpost toevoegen"},
        // A provision with a checklist item keeps its name.
        {"inr1", "01001|Voorziening toevoegen|Kostenpost toevoegen aan ' Bovenafdichting '"},
        {"inr2", "01011|Voorziening toevoegen|Kostenpost toevoegen aan ' Peilbuizen '"},
        {"act10", "00101|Voorziening toevoegen|Kostenpost toevoegen"},
        {"act11", "00111|Voorziening toevoegen|Kostenpost toevoegen"},
        {"act13", "00001|Voorziening toevoegen|Kostenpost toevoegen"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(tree.select(QString::fromUtf8(c.key)));
        const ProvisionTree::Commands commands = tree.commands();
        QString flags;
        for (const bool on : {commands.addProvision, commands.addCostItem, commands.addPhase, commands.rename,
                              commands.remove})
            flags += on ? u'1' : u'0';
        EXPECT_EQ(QStringList({flags, commands.addProvisionCaption, commands.addCostItemCaption}).join(u'|'),
                  QString::fromUtf8(c.expected))
            << c.key;
    }
    // A black provision colour shows the category in the caption.
    ProvisionTree black{folder.workspace(), provisions, items, {0, 128}, true};
    ASSERT_TRUE(black.build() && black.select(QStringLiteral("inr2")));
    EXPECT_EQ(black.commands().addCostItemCaption,
              QStringLiteral("Kostenpost toevoegen aan ' Grondwatermonitoringssysteem....Peilbuizen '"));
}

// Each delete on the tree as built, answered: the question or refusal, the nodes of the category afterwards
// and the facility's cost items: tests/golden/core/provision-tree-deletes.txt.
TEST_F(ProvisionTreeTest, DeletesAskRemoveAndRelabel)
{
    QString told;
    for (const auto& [key, answer] : {std::pair{"act13", MessageAnswer::Yes},
                                      {"act14", MessageAnswer::Yes},
                                      {"act11", MessageAnswer::Yes},
                                      {"act16", MessageAnswer::No},
                                      {"objcat7", MessageAnswer::Yes},
                                      {"inr2", MessageAnswer::Yes},
                                      {"inr3", MessageAnswer::Yes}}) {
        Transaction undo(*data);
        ASSERT_TRUE(provisions.initialize() && items.initialize() && tree.build());
        const ProvisionTree::Node* category = tree.find(QLatin1String(key));
        while (category->parent)
            category = category->parent;
        const QString categoryKey = category->key;
        ASSERT_TRUE(tree.select(QLatin1String(key)));
        recorder.clear();
        recorder.answerNext(answer);
        tree.psubDeleteItem();
        told += QLatin1String(key) + QStringLiteral("\n  ") + recorder.texts().join(u'/') + u'\n' +
                dump(categoryKey).join(u'\n') + QStringLiteral("\n  ") + actRows() + u'\n';
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/provision-tree-deletes.txt"), told));
}

TEST_F(ProvisionTreeTest, AFailedDeleteOfAPhasedItemLeavesEveryRow)
{
    // The first phase to go is refused: nothing after it may go either.
    ASSERT_TRUE(
        data->exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON tblAct WHEN old.idrAct_ID = 13 "
                                  "BEGIN SELECT RAISE(ABORT, 'kept'); END")));
    const QStringList before = dump();
    ASSERT_TRUE(tree.select(QStringLiteral("act11")));
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(tree.psubDeleteItem(), ProvisionTree::Deleted::Nothing);
    EXPECT_EQ(recorder.texts().last(), QStringLiteral("Fout bij verwijderen kostenpost"));
    EXPECT_EQ(actRows(), QStringLiteral("10:Maaien,11:Bemonsteren,12:Beplanting,13:Bemonsteren,14:Maaien,"
                                        "15:Bemonsteren,16:analyse"));
    EXPECT_EQ(dump(), before);
    ASSERT_TRUE(items.ActiveerID(13));
    EXPECT_EQ(items.strActHuidig(), QStringLiteral("Bemonsteren"));
}

TEST_F(ProvisionTreeTest, AddsAndRenamesProvisions)
{
    ASSERT_TRUE(tree.select(QStringLiteral("objcat7")));
    recorder.answerNextInput(QString(101, u'x'));
    const QString key = tree.psubAddVoorz();
    EXPECT_EQ(tree.selected()->key, key);
    EXPECT_EQ(tree.find(key)->parent->key, QStringLiteral("objcat7"));
    EXPECT_EQ(rows("SELECT length(strObject) FROM tblInrichting WHERE strObject LIKE 'x%'"),
              QStringLiteral("100"));
    // Cancelling adds nothing.
    ASSERT_TRUE(tree.select(QStringLiteral("objcat7")));
    EXPECT_TRUE(tree.psubAddVoorz().isEmpty());
    EXPECT_EQ(tree.find(QStringLiteral("objcat7"))->children.size(), 2u);

    // Braces are asked again until the answer holds none.
    recorder.clear();
    ASSERT_TRUE(tree.select(QStringLiteral("inr3")));
    for (const char* answer : {"Hek{werk}", "Hek}", "Afrastering"})
        recorder.answerNextInput(QString::fromUtf8(answer));
    EXPECT_TRUE(tree.renameProvision());
    EXPECT_EQ(recorder.titles(), QStringList({"Naam wijzigen", "Hernoemen", "Hernoemen"}));
    EXPECT_EQ(recorder.texts().at(1),
              QStringLiteral("Voer een nieuwe naam in: \r\nOngeldige tekens { of } gebruikt."));
    EXPECT_EQ(tree.find(QStringLiteral("inr3"))->text, QStringLiteral("Afrastering"));
    EXPECT_EQ(rows("SELECT strObject FROM tblInrichting WHERE idrInrichting_ID = 3"),
              QStringLiteral("Afrastering"));

    // Not a provision with a checklist item, not even asked.
    recorder.clear();
    ASSERT_TRUE(tree.select(QStringLiteral("inr1")));
    EXPECT_FALSE(tree.renameProvision());
    EXPECT_TRUE(recorder.texts().isEmpty());
}

TEST_F(ProvisionTreeTest, AddsPhasesAndRenamesAllOfThem)
{
    ASSERT_TRUE(tree.select(QStringLiteral("act12")));
    const QString key = tree.psubAddFase();
    EXPECT_NE(key, NewCostItemKey);
    EXPECT_EQ(dump(QStringLiteral("act12")),
              QStringList({"act12|Beplanting {1e fase}|0||128|1", "  " + key + "|{2e fase}|0||128|8"}));
    EXPECT_EQ(items.idrAct_ID(), ProvisionTree::idOf(key));
    EXPECT_EQ(tree.selectedPostTitle(), QStringLiteral("Beplanting {2e fase}"));
    // The copy has its own years to enter.
    EXPECT_EQ(
        rows(qPrintable("SELECT ifnull(intStartRel, '-') || strAct || sngKostenTotaal FROM tblAct WHERE "
                        "idrAct_ID = " +
                        QString::number(ProvisionTree::idOf(key)))),
        QStringLiteral("-Beplanting80.0"));

    // Another item's name is refused, also with another rubric (it would make them phases of one item); the
    // item's own name only with another rubric.
    ASSERT_TRUE(tree.select(QStringLiteral("act11")));
    recorder.clear();
    EXPECT_FALSE(tree.acceptCustomItem(false, QStringLiteral("ANALYSE"), 3));
    EXPECT_FALSE(tree.acceptCustomItem(false, QStringLiteral("Bemonsteren"), 2));
    EXPECT_EQ(recorder.titles(), QStringList({"Naam kostenpost instellen", "Naam kostenpost instellen"}));
    EXPECT_TRUE(tree.acceptCustomItem(false, QStringLiteral("Bemonsteren"), 3));
    EXPECT_TRUE(tree.renameCostItem(QStringLiteral("Klepelen"), 4));
    EXPECT_EQ(dump(QStringLiteral("act11")).first(), QStringLiteral("act11|Klepelen {1e fase}|0||128|4"));
    EXPECT_EQ(rows("SELECT strAct || bytRubriek_REF FROM tblAct WHERE idrAct_ID IN (11, 13, 15)"),
              QStringLiteral("Klepelen4,Klepelen4,Klepelen4"));
}

TEST_F(ProvisionTreeTest, ChecklistAndUserItemsGoUnderTheirProvision)
{
    // Item 205's provision does not exist yet: it is made, under the item's category.
    const QString key = tree.addChecklistItem(205);
    ASSERT_FALSE(key.isEmpty());
    const ProvisionTree::Node* provision = tree.find(key)->parent;
    EXPECT_EQ(provision->parent->key, QStringLiteral("objcat3"));
    EXPECT_EQ(provision->text, QStringLiteral("Peilbuizen noord"));
    EXPECT_EQ(dump(key), QStringList({key + "|Peilbuis vervangen|1||128|5"}));

    ASSERT_TRUE(tree.select(QStringLiteral("inr3")));
    const QString user = tree.addCustomItem(QStringLiteral("Hek schilderen"), 4);
    EXPECT_EQ(tree.selected()->key, user);
    EXPECT_EQ(tree.find(user)->parent->key, QStringLiteral("inr3"));
    EXPECT_EQ(items.strActHuidig(), QStringLiteral("Hek schilderen"));
}

TEST_F(ProvisionTreeTest, SelectingSavesTheEditsOfTheItemLeft)
{
    ASSERT_TRUE(tree.select(QStringLiteral("act16")));
    items.setField(QStringLiteral("sngKostenTotaal"), 45.5);
    ASSERT_TRUE(tree.select(QStringLiteral("inr2")));
    EXPECT_EQ(rows("SELECT sngKostenTotaal FROM tblAct WHERE idrAct_ID = 16"), QStringLiteral("45.5"));
    // Unknown keys select nothing.
    EXPECT_FALSE(tree.select(QStringLiteral("act999")));
    EXPECT_EQ(tree.selected()->key, QStringLiteral("inr2"));
}

// --- the rules of the cost item editor's panel: which inputs each option shows or enables, what choosing an
// option changes, and the checklist information beside the item ---

// Applies changes such as "bytOptieFreq=1 gediff type=7 combine": fields of the item, and of the context
// per-item surcharges, the checklist item's surcharge type and whether it may be combined.
void change(CostItemValues& values, PanelContext& context, const char* changes)
{
    for (const QString& token : QString::fromUtf8(changes).split(u' ', Qt::SkipEmptyParts)) {
        const QString name = token.section(u'=', 0, 0);
        const int value = token.section(u'=', 1).toInt();
        if (name == u"gediff")
            context.gediffToeslag = true;
        else if (name == u"combine")
            context.combinationAllowed = true;
        else if (name == u"type")
            context.checklistSurchargeType = value;
        for (const CostItemField& field : costItemFields()) {
            if (name == QLatin1String(field.name))
                values.*field.value = value;
        }
    }
}

// A user-defined yearly item of rubric 4, from aftercare year 1, perpetual, at a total amount.
CostItemValues yearly()
{
    CostItemValues values;
    PanelContext unused;
    change(values, unused,
           "bytOptieStart=2 bytStartBA=0 bytOptieEind=3 bytEindBA=0 bytOptieFreq=2 bytOptieKosten=2 "
           "bytRubriek_REF=4 bytTypeVervangingsToeslag=0 bytIsTALVO=0 bytCombineer=0");
    return values;
}

// The layout in short: start boxes/captions, end, frequency, cost, surcharge, combination.
QString summary(const PanelLayout& l)
{
    const auto on = [](bool b) {
        return b ? QStringLiteral("1") : QStringLiteral("0");
    };
    return QStringList{on(l.startCalendarBox) + on(l.startAftercareBox) + on(l.startConstructionBox) + u' ' +
                           l.startCaptions[0] + u'/' + l.startCaptions[1] + u'/' + l.startFrameCaption,
                       on(l.endEnabled) + on(l.endOptionsShown) + on(l.endCalendarBox) +
                           on(l.endAftercareBox) + on(l.endConstructionBox) + on(l.endConstructionCheck),
                       on(l.frequencyX) + QString::number(l.frequencyXBeside),
                       on(l.costOptions[0]) + on(l.costOptions[1]) + on(l.costOptions[2]) + on(l.percentage) +
                           on(l.investment) + on(l.total) + on(l.unitPrice) + on(l.unitFrame) + on(l.unitBox),
                       on(l.surchargeEnabled) + on(l.surchargeOptions[0]) + on(l.surchargeOptions[1]) +
                           on(l.surchargeOptions[2]) + on(l.surchargePercentage) +
                           QString::number(l.surchargePercentageBeside) + on(l.unknownSurchargeType),
                       on(l.combineEnabled) + on(l.optionFramesShown)}
        .join(QStringLiteral(" | "));
}

// The layout of each set of changes to the yearly item: tests/golden/core/editor-panel.txt.
TEST(EditorPanel, OptionsShowAndEnableTheirInputs)
{
    const char* const cases[] = {
        "",
        "bytOptieStart=1 bytStartBA=1 bytEindBA=1 bytOptieFreq=3",
        // A one-off expense has no end, not even one counted from the construction.
        "bytOptieFreq=1 bytStartBA=1 bytEindBA=1 bytOptieEind=2",
        "bytOptieKosten=1 bytOptieEind=1",
        "bytRubriek_REF=5 bytTypeVervangingsToeslag=2 gediff",
        "bytRubriek_REF=5 bytTypeVervangingsToeslag=2",
        // The top liner is costed per m2.
        "bytRubriek_REF=5 bytTypeVervangingsToeslag=1 bytOptieKosten=3 gediff type=1",
        "bytRubriek_REF=5 bytTypeVervangingsToeslag=7 gediff type=7",
        "bytRubriek_REF=5 gediff type=0",
        "bytRubriek_REF=5 gediff type=4",
        "bytCombineer=1 bytOptieKosten=3 combine",
    };
    QString layouts;
    for (const char* changes : cases) {
        CostItemValues values = yearly();
        PanelContext context;
        change(values, context, changes);
        layouts += QStringLiteral("yearly%1%2\n  ")
                       .arg(QLatin1String(*changes ? " + " : ""), QLatin1String(changes)) +
                   summary(panelLayout(values, context)) + u'\n';
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/editor-panel.txt"), layouts));
}

TEST(EditorPanel, ChoosingAnOptionChangesWhatDependsOnIt)
{
    CostItemValues v = yearly();
    v.bytStartBA = 1;
    v.bytEindBA = 1;
    v.bytOptieEind = 2;
    chooseFrequency(v, 1);
    EXPECT_EQ(QStringList({v.bytOptieEind.toString(), v.bytEindBA.toString()}).join(u'|'),
              QStringLiteral("3|0"));

    v.bytEindBA = 1;
    chooseStartFromConstruction(v, false);
    EXPECT_EQ(QStringList({v.bytStartBA.toString(), v.bytEindBA.toString()}).join(u'|'),
              QStringLiteral("0|0"));

    const clsCL checklist = clsCL::fromRows(ChecklistVersionRow{.vervangingstoeslagKleineWerken = 5,
                                                                .vervangingstoeslagGroteWerkenMin = 6,
                                                                .vervangingstoeslagGroteWerkenMax = 6.5});
    v.bytOptieKosten = 1;
    chooseSurcharge(v, 1, checklist);
    EXPECT_EQ(QStringList({v.bytOptieKosten.toString(), v.strEenheid.toString()}).join(u'|'),
              QStringLiteral("3|m2"));
    chooseSurcharge(v, 2, checklist);
    EXPECT_FLOAT_EQ(v.sngVervangingsToeslagPerc.toFloat(), 6.25f);
    chooseSurcharge(v, 3, checklist);
    EXPECT_FLOAT_EQ(v.sngVervangingsToeslagPerc.toFloat(), 5.0f);
}

TEST(EditorPanel, ReplacementsExplainTheirSurcharge)
{
    clsCL none;
    CostItemValues v = yearly();
    v.bytRubriek_REF = 5;
    v.bytTypeVervangingsToeslag = 1;
    QStringList texts;
    for (const ChecklistInfoEntry& entry : editorChecklistInformation(none, v, true))
        texts.append(entry.text.left(40));
    EXPECT_EQ(texts, QStringList({"< dit is geen post uit de TALVO-checklis",
                                  "Toeslag vervanging:", " Over deze vervangingspost berekent DOVR"}));
    v.bytTypeVervangingsToeslag = 7;
    EXPECT_TRUE(editorChecklistInformation(none, v, true).last().text.startsWith(" Op deze vervangingspost"));
    EXPECT_EQ(editorChecklistInformation(none, v, false).size(), 1);
}

} // namespace
