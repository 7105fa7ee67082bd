// Completeness of cost items: the bounds of each rule and the check of a whole facility before a
// calculation; and the narrative that says what a cost item does.
#include "costitems/completeness.h"
#include "costitems/narrative.h"
#include "facility/facilityvalidation.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/golden.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

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
