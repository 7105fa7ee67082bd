// The cost item narrative: the Dutch paragraph that says what a cost item does.
#include "costitems/narrative.h"
#include "model/options.h"
#include "support/qtprinting.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

const QLocale Dutch(QLocale::Dutch, QLocale::Netherlands);
const QString Mowing =
    QStringLiteral(" een uitgave aan 'Maaien' plaats. De kosten per keer bedragen € 1.500. ");

// Yearly mowing from the first aftercare year on, for ever, 1 500 euro a time.
NarrativeInput mowing(float aftercareStart = 2010)
{
    NarrativeInput in;
    in.name = QStringLiteral("Maaien");
    in.startOption = StartOption::AftercareYear;
    in.intStartRel = 1;
    in.endOption = EndOption::Perpetual;
    in.frequencyOption = FrequencyOption::TimesPerYear;
    in.intFreqX = 1;
    in.costOption = CostOption::TotalAmount;
    in.sngKostenTotaal = 1500.0f;
    in.aftercareStart = aftercareStart;
    return in;
}

NarrativeInput fromCalendarYear(int year, float aftercareStart)
{
    NarrativeInput in = mowing(aftercareStart);
    in.startOption = StartOption::CalendarYear;
    in.intStartAbs = year;
    return in;
}

TEST(NarrativeTest, FromACalendarYear)
{
    EXPECT_EQ(CostItemNarrative(fromCalendarYear(2012, 2010), Dutch),
              "Vanaf juli 2012 (nazorgjaar 3) vindt jaarlijks" + Mowing);
    // Aftercare from 1 July 2012: the July expenditure of 2012 is its very first one.
    EXPECT_EQ(CostItemNarrative(fromCalendarYear(2012, 2012.5f), Dutch),
              "Vanaf juli 2012 (nazorgjaar 1) vindt jaarlijks" + Mowing);

    // Aftercare from 1 October 2012; the first expenditure in July 2010 lies 2.25 years before.
    NarrativeInput in = fromCalendarYear(2010, 2012.75f);
    const QString note =
        QStringLiteral("De eerste uitgave in juli 2010 ligt 2,25 jr voor de datum aanvang nazorg. "
                       "Uitgaven voor datum aanvang nazorg worden niet opgenomen in de "
                       "doelvermogenberekening. ");
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              note + "Vanaf juli 2013 (valt in nazorgjaar 1) vindt jaarlijks" + Mowing);
    // Every five years the series moves on by whole steps of five.
    in.frequencyOption = FrequencyOption::OnceEveryXYears;
    in.intFreqX = 5;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              note + "Vanaf juli 2015 (valt in nazorgjaar 3) vindt iedere 5 jaar" + Mowing);
    in.frequencyOption = FrequencyOption::OneOff;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              QStringLiteral(
                  "Het jaar waarin deze eenmalige uitgave van toepassing is, valt vóór aanvang nazorg."));
}

TEST(NarrativeTest, FromTheFirstAftercareYear)
{
    NarrativeInput in = mowing();
    EXPECT_EQ(CostItemNarrative(in, Dutch), "Gedurende de gehele nazorgperiode vindt jaarlijks" + Mowing);
    in.endOption = EndOption::AftercareYear;
    in.frequencyOption = FrequencyOption::OnceEveryXYears;
    in.intFreqX = 5;
    // The second occurrence falls in the last year of the run: two payments.
    for (const int end : {30, 6}) {
        in.intEindRel = end;
        EXPECT_EQ(CostItemNarrative(in, Dutch),
                  QStringLiteral("Vanaf aanvang nazorg t/m nazorgjaar %1 vindt iedere 5 jaar").arg(end) +
                      Mowing);
    }
    // The run ends before a second occurrence.
    in.intEindRel = 5;
    EXPECT_EQ(
        CostItemNarrative(in, Dutch),
        "Slechts eenmalig (als gevolg van de looptijd van de kostenpost in relatie tot de aanvang van de "
        "nazorgfase) vindt in nazorgjaar 1" +
            Mowing);
}

TEST(NarrativeTest, ItemsThatSayNothingOfTheirCosts)
{
    NarrativeInput in = mowing();
    in.intStartRel = 10;
    in.endOption = EndOption::AftercareYear;
    in.intEindRel = 5;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              QStringLiteral("Deze kostenpost is niet van toepassing in de nazorgfase."));
    // Aftercare from 1 October 2010: an end in calendar year 2010 is over before it starts.
    in = fromCalendarYear(2011, 2010.75f);
    in.endOption = EndOption::CalendarYear;
    in.intEindAbs = 2010;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              QStringLiteral(
                  "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg "
                  "begint."));
    in = mowing();
    in.complete = false;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              QStringLiteral("Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen."));
    in.combined = true;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              QStringLiteral("De kostenpost wordt ondergebracht in de daartoe bestemde "
                             "combinatiekostenpost uit de TALVO-checklist."));
}

TEST(NarrativeTest, CountedFromTheTopLinerConstruction)
{
    NarrativeInput in = fromCalendarYear(2012, 2010);
    in.name = QStringLiteral("Vernieuwen toplaag");
    in.startFromConstruction = in.endFromConstruction = true;
    in.intStartBA = 3;
    in.intEindBA = 10;
    in.frequencyOption = FrequencyOption::OnceEveryXYears;
    in.intFreqX = 5;
    in.costOption = CostOption::PerUnit;
    in.sngAantal = 1000.0f;
    in.sngKostenPE = 12.5f;
    const QString tail =
        QStringLiteral(" vindt iedere 5 jaar een uitgave aan 'Vernieuwen toplaag' plaats. De kosten "
                       "per keer bedragen 1000 x € 12,50 = € 12.500,00. ");
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              "Vanaf 3e jr na aanleg bovenafd (valt in 2014 = nazorgjaar 5) t/m 10e "
              "jr na aanleg bovenafd (valt in 2021 = nazorgjaar 12)" +
                  tail);
    // Built in aftercare year 4: the third year after it is aftercare year 6.
    in.startOption = StartOption::AftercareYear;
    in.intStartRel = 4;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              "Vanaf 3e jr na aanleg bovenafd (valt in nazorgjaar 6) t/m 10e jr na "
              "aanleg bovenafd (valt in nazorgjaar 13)" +
                  tail);
    // Built in the first aftercare year and counted from then on: still told as counted from the
    // construction, not as from the aftercare start.
    in.intStartRel = 1;
    in.intStartBA = 1;
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              "Vanaf 1e jr na aanleg bovenafd (valt in nazorgjaar 1) t/m 10e jr na "
              "aanleg bovenafd (valt in nazorgjaar 10)" +
                  tail);
}

TEST(NarrativeTest, OneOffShareOfAnInvestmentInTheUsersLocale)
{
    NarrativeInput in = fromCalendarYear(2015, 2010);
    in.name = QStringLiteral("Afsluiten bronnen");
    in.frequencyOption = FrequencyOption::OneOff;
    in.costOption = CostOption::PercentageOfInvestment;
    in.sngPercInvest = 2.5f;
    in.sngKostenInvest = 80000.0f;
    const QString when = QStringLiteral(
        "In juli 2015 (nazorgjaar 6) vindt eenmalig een uitgave aan 'Afsluiten bronnen' plaats. ");
    EXPECT_EQ(CostItemNarrative(in, Dutch),
              when + "De kosten per keer bedragen 2,5% van de investeringskosten à € 80.000 = € 2000. ");
    EXPECT_EQ(CostItemNarrative(in, QLocale(QLocale::English, QLocale::UnitedStates)),
              when + "De kosten per keer bedragen 2.5% van de investeringskosten à € 80,000 = € 2000. ");
}

} // namespace
