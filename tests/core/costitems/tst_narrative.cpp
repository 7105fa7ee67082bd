// The cost item narrative: the Dutch paragraph that says what a cost item does.
#include "costitems/narrative.h"
#include "support/golden.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

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
    // as
    // counted from the construction, not from the aftercare start).
    TopLiner + "start=1; intStartAbs=2012",
    TopLiner + "intStartRel=4",
    TopLiner + "intStartRel=1; intStartBA=1",
    // A one-off share of an investment, in the user's locale.
    "name=Afsluiten bronnen; start=1; intStartAbs=2015; freq=1; cost=1; sngPercInvest=2.5; "
    "sngKostenInvest=80000",
    "name=Afsluiten bronnen; start=1; intStartAbs=2015; freq=1; cost=1; sngPercInvest=2.5; "
    "sngKostenInvest=80000; "
    "locale=en_US",
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
