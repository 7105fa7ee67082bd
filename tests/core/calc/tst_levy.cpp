// The levy per ton of supplied waste: an object-bound facility's own levy, the company-bound refusal,
// a missing forecast, and the equalisation over a province's facilities of one type.
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/golden.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dovra;

namespace {

// A levy's years as year and kton.
using Supplies = std::vector<std::pair<int, qint64>>;

// The facilities and their equalisation group: tests/data/levy_*.sql.
class LevyTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("levy_checklist.sql"), QStringLiteral("levy_data.sql"));
    }

    Workspace& workspace() { return folder.workspace(); }

    void change(const char* sql, const QVariantList& params = {})
    {
        ASSERT_TRUE(workspace().dataDatabase()->exec(QLatin1String(sql), params));
    }

    QString told() const { return recorder.texts().join(QLatin1Char('|')); }

    // Calculates levy (of facility) as if the facility had the binding, rates, aftercare start and ten years
    // of forecast of object-bound facility 10, and undoes that change: figures of an earlier calculation
    // that the next one on the same object must not show.
    void calculateAsObjectBound(clsHeffing& levy, int facility)
    {
        Transaction undo(*workspace().dataDatabase());
        change(
            "UPDATE tblStort SET (bytBedrijfsGebonden, bytObjectGebonden, sngRentePerc, sngInflPerc, "
            "dtmAanvangNazorg) = (SELECT bytBedrijfsGebonden, bytObjectGebonden, sngRentePerc, sngInflPerc, "
            "dtmAanvangNazorg FROM tblStort WHERE idrStort_ID = 10) WHERE idrStort_ID = ?",
            {facility});
        change("DELETE FROM tblTonnage WHERE lngStort_REF = ?", {facility});
        change("UPDATE tblTonnage SET lngStort_REF = ? WHERE lngStort_REF = 10", {facility});
        levy.psubBerekenHeffingPerTon(10'000'000);
        ASSERT_TRUE(levy.ValidatieOK) << told().toStdString();
        ASSERT_EQ(levy.intAantaljaren, 10);
        ASSERT_EQ(levy.DatumAanvangNazorg(), QDate(2010, 1, 1));
    }

    // A facility's own target capital (including risk, excluding VAT) and aftercare start.
    std::pair<double, double> ownFigures(long id)
    {
        clsDV dv(workspace());
        EXPECT_TRUE(dv.initializeDV(id) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles());
        recorder.clear();
        return {dv.DoelvermogenMetRisicoFonds(), dv.aanvangNazorg()};
    }

    // Nothing was calculated and the report has no years.
    static void expectNoLevy(const clsHeffing& levy)
    {
        EXPECT_EQ(std::tuple(levy.HeffingPerTon_prijspeil_tRef, levy.intAantaljaren,
                             levy.rapAantalKtonTotaal(), levy.rapControleDVsom()),
                  std::tuple(0.0, 0, qint64(0), 0.0));
    }

    // The levy of perTon at tRef over the years supplied: in each year the levy per ton grown by inflation
    // i from tRef, that times the year's supply, and that discounted at interest r to tRef. The discounted
    // levies raise exactly the target capital at tRef.
    static void expectYears(const clsHeffing& levy, const Supplies& supplies, double perTon, double i,
                            double r)
    {
        EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, perTon, perTon * 2e-6);
        ASSERT_EQ(levy.intAantaljaren, int(supplies.size()));
        qint64 total = 0;
        for (int k = 1; k <= levy.intAantaljaren; ++k) {
            const auto [year, kton] = supplies[k - 1];
            SCOPED_TRACE(year);
            EXPECT_EQ(std::pair(int(levy.rapJaar(k)), levy.rapAantalKtonPerJaar(k)), supplies[k - 1]);
            const double t = year - double(levy.sngTref), inYear = perTon * std::pow(1 + i, t);
            const double levied = inYear * double(kton) * 1000, tolerance = levied * 4e-6;
            EXPECT_NEAR(levy.rapHeffingPerTonInJaar(k), inYear, inYear * 4e-6);
            EXPECT_NEAR(levy.rapHeffingInJaar(k), levied, tolerance);
            EXPECT_NEAR(levy.rapControleDV(k), levied / std::pow(1 + r, t), tolerance);
            total += kton;
        }
        EXPECT_EQ(levy.rapAantalKtonTotaal(), total);
        EXPECT_NEAR(levy.rapControleDVsom(), levy.DVref, levy.DVref * 1e-7);
    }
};

// --- the facility's own levy ---

// 100 kton a year from 2010 to 2019, at 5 % interest and 2 % inflation from a start in 2010.
TEST_F(LevyTest, ObjectBoundFacilityRaisesItsOwnTargetCapitalFromItsOwnForecast)
{
    clsHeffing levy(workspace(), 10);
    levy.psubBerekenHeffingPerTon(10'000'000);
    EXPECT_TRUE(recorder.recorded().isEmpty()) << told().toStdString();
    EXPECT_TRUE(levy.ValidatieOK);
    EXPECT_EQ(std::tuple(levy.sngTref, levy.DVref, levy.rapStortNamen), std::tuple(2010.0f, 1e7f, QString()));
    Supplies years;
    double T = 0;
    for (int j = 2010; j <= 2019; ++j) {
        years.push_back({j, 100});
        T += 100 * std::pow(1.02 / 1.05, j - 2010);
    }
    expectYears(levy, years, 1e7 / (T * 1000), 0.02, 0.05);
}

TEST_F(LevyTest, EqualInterestAndInflationLeaveTheSupplyUnweighed)
{
    // Aftercare from 16 July 2010, at 3 % both. Years in entry order 2014, 2012, 2013 (supply not entered:
    // counts as none), no year (left out), 2015. Calculated after a levy of other rates, start and forecast
    // on the same object, which must not show through.
    clsHeffing levy(workspace(), 11);
    ASSERT_NO_FATAL_FAILURE(calculateAsObjectBound(levy, 11));
    levy.psubBerekenHeffingPerTon(2'500'000);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_TRUE(levy.ValidatieOK);
    EXPECT_EQ(levy.DatumAanvangNazorg(), QDate(2010, 7, 16));
    // Kept in single precision; the levies grow from it.
    EXPECT_FLOAT_EQ(levy.sngTref, float(2010 + 6.0 / 12 + 1.0 / 24));
    // The weighing cancels out: the levy at tRef is the target capital over the total supply.
    EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, 25, 1e-9);
    expectYears(levy, {{2012, 25}, {2013, 0}, {2014, 40}, {2015, 35}}, 25, 0.03, 0.03);
}

TEST_F(LevyTest, WithoutForecastTheLevyIsZeroAndTheCalculationStillValid)
{
    // Object-bound with a forecast row without year; the equalisation group without any forecast.
    change("DELETE FROM tblTonnage WHERE lngStort_REF IN (1, 2)");
    for (const int facility : {14, 1}) {
        SCOPED_TRACE(facility);
        recorder.clear();
        clsHeffing levy(workspace(), facility);
        levy.psubBerekenHeffingPerTon(1'000'000);
        EXPECT_TRUE(levy.ValidatieOK);
        expectNoLevy(levy);
        EXPECT_GT(levy.DVref, 0.0f);
        EXPECT_EQ(told(), QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het "
                                         "afvalaanbod. De heffing kan niet berekend worden."));
    }
}

// Supplies at the top of their range add up in 64 bits: no total wraps to a negative number or a levy of 0.
TEST_F(LevyTest, LargestSuppliesAddUpWithoutWrapping)
{
    change("UPDATE tblTonnage SET lngTonnage = 2147483647 WHERE lngStort_REF IN (1, 2, 10)");
    clsHeffing own(workspace(), 10);
    own.psubBerekenHeffingPerTon(1'000'000);
    ASSERT_TRUE(own.ValidatieOK);
    EXPECT_EQ(own.rapAantalKtonTotaal(), 10 * qint64(2147483647));
    EXPECT_NEAR(own.rapControleDVsom(), 1'000'000, 1.0);

    // The group shares 2011: both facilities' supplies in that one year.
    clsHeffing group(workspace(), 1);
    group.psubBerekenHeffingPerTon(ownFigures(1).first);
    ASSERT_TRUE(group.ValidatieOK) << told().toStdString();
    EXPECT_EQ(std::pair(int(group.rapJaar(2)), group.rapAantalKtonPerJaar(2)),
              std::pair(2011, 2 * qint64(2147483647)));
    EXPECT_GT(group.HeffingPerTon_prijspeil_tRef, 0.0);
}

// --- equalisation ---

// Each member's target capital discounted at 5 % from its start to the price level year 2008.
TEST_F(LevyTest, EqualisationSharesTheGroupsTargetCapitalsAtThePriceLevelYear)
{
    const auto [noordhoek, noordhoekStart] = ownFigures(1);
    const auto [zuidkamp, zuidkampStart] = ownFigures(2);
    ASSERT_EQ(std::pair(noordhoekStart, zuidkampStart), std::pair(2010.0, 2012.5));
    // Different target capitals, so that a swap of the two shows.
    ASSERT_GT(std::abs(noordhoek - zuidkamp), 1000.0);

    clsHeffing levy(workspace(), 1);
    levy.psubBerekenHeffingPerTon(float(noordhoek));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << told().toStdString();
    EXPECT_TRUE(levy.ValidatieOK);
    EXPECT_FLOAT_EQ(levy.sngTref, 2008.0f);
    EXPECT_EQ(levy.rapStortNamen, QStringLiteral(", Noordhoek, Zuidkamp"));
    const double dvRef = noordhoek / std::pow(1.05, 2) + zuidkamp / std::pow(1.05, 4.5);
    EXPECT_NEAR(levy.DVref, dvRef, dvRef * 1e-6);
    // The group's forecast summed per year; the other facilities' 2011 rows stay out, as does the row
    // without a year. 2013 has no supply entered.
    const Supplies years = {{2010, 100}, {2011, 150}, {2012, 70}, {2013, 0}};
    double T = 0;
    for (const auto& [year, kton] : years)
        T += double(kton) * std::pow(1.02 / 1.05, year - 2008);
    expectYears(levy, years, dvRef / (T * 1000), 0.02, 0.05);

    // Calculated for the other member, the group and its figures are the same.
    clsHeffing fromOther(workspace(), 2);
    fromOther.psubBerekenHeffingPerTon(float(zuidkamp));
    EXPECT_TRUE(fromOther.ValidatieOK);
    EXPECT_EQ(fromOther.rapStortNamen, levy.rapStortNamen);
    EXPECT_FLOAT_EQ(fromOther.DVref, levy.DVref);
    EXPECT_DOUBLE_EQ(fromOther.HeffingPerTon_prijspeil_tRef, levy.HeffingPerTon_prijspeil_tRef);
    EXPECT_EQ(fromOther.DatumAanvangNazorg(), QDate(2012, 7, 1));
}

// Province 30's landfill and province 120's depot are each alone in their group, at 7 % interest, with
// 999 kton in 2011.
TEST_F(LevyTest, TheGroupIsTheFacilitysProvinceAndTypeOnly)
{
    for (const auto& [facility, names] : {std::pair{4, ", Elders"}, std::pair{5, ", Slibdepot"}}) {
        SCOPED_TRACE(facility);
        const double own = ownFigures(facility).first;
        clsHeffing levy(workspace(), facility);
        levy.psubBerekenHeffingPerTon(float(own));
        EXPECT_TRUE(recorder.recorded().isEmpty()) << told().toStdString();
        EXPECT_EQ(levy.rapStortNamen, QLatin1String(names));
        const double dvRef = own / std::pow(1.07, 2010 - 2008);
        EXPECT_NEAR(levy.DVref, dvRef, dvRef * 1e-6);
        expectYears(levy, {{2011, 999}}, dvRef / (999'000 * std::pow(1.02 / 1.07, 2011 - 2008)), 0.02, 0.07);
    }
}

// --- refusals ---

// Refused with one message and nothing calculated, even after an earlier levy on the same object. The
// message and the group of each case: tests/golden/core/levy-refusals.txt.
TEST_F(LevyTest, RefusedLeviesShowNothing)
{
    const std::pair<int, const char*> cases[] = {
        {12, ""}, // object-bound
        {13, ""}, // company-bound
        // A forecast the forecast screen would not take.
        {11, "UPDATE tblTonnage SET intKalJaar = 99999 WHERE intKalJaar = 2015"},
        {11, "UPDATE tblTonnage SET intKalJaar = 1899 WHERE intKalJaar = 2015"},
        {11, "UPDATE tblTonnage SET intKalJaar = 'twee' WHERE intKalJaar = 2015"},
        {11, "UPDATE tblTonnage SET lngTonnage = 2147483648 WHERE intKalJaar = 2015"},
        {11, "UPDATE tblTonnage SET lngTonnage = -1 WHERE intKalJaar = 2015"},
        {11, "UPDATE tblTonnage SET lngTonnage = 2.5 WHERE intKalJaar = 2015"},
        {11, "UPDATE tblTonnage SET lngTonnage = 'veel' WHERE intKalJaar = 2015"},
        // Nor is a forecast that cannot be read at all taken as none.
        {11, "ALTER TABLE tblTonnage RENAME TO tblWeg"},
        // An inflation far beyond any real one grows the supplies beyond any number.
        {10, "UPDATE tblStort SET sngInflPerc = 3e38 WHERE idrStort_ID = 10"},
        // The equalisation stops at another interest or inflation; the first member that differs from the
        // facility calculated is named first. Not entered is another rate than 2 %.
        {1, "UPDATE tblStort SET sngRentePerc = 4 WHERE idrStort_ID = 2"},
        {2, "UPDATE tblStort SET sngRentePerc = 4 WHERE idrStort_ID = 2"},
        {1, "UPDATE tblStort SET sngInflPerc = 2.5 WHERE idrStort_ID = 2"},
        {1, "UPDATE tblStort SET sngInflPerc = NULL WHERE idrStort_ID = 2"},
        // It stops too when a member's target capital cannot be calculated, with only the member's own
        // message: refused before the calculation, or failing in it. With the reporting option not set it
        // still yields a (partial) target capital, which must not be shared out as if it were complete.
        {1, "UPDATE tblStort SET sngNazorgOpp = 0 WHERE idrStort_ID = 2"},
        {1, "UPDATE tblAct SET intFreqX = 0 WHERE lngStort_REF = 2"},
        {1, "UPDATE tblStort SET bytRapEval = 0 WHERE idrStort_ID = 2"},
        {1, "UPDATE tblAct SET sngKostenTotaal = 3e38 WHERE lngStort_REF = 2"},
    };
    QString refusals;
    for (const auto& [facility, sql] : cases) {
        SCOPED_TRACE(testing::Message() << facility << ' ' << sql);
        clsHeffing levy(workspace(), facility);
        // 10 is the facility those figures come from.
        if (facility != 10) {
            ASSERT_NO_FATAL_FAILURE(calculateAsObjectBound(levy, facility));
        }
        Transaction undo(*workspace().dataDatabase());
        if (*sql)
            change(sql);
        recorder.clear();
        levy.psubBerekenHeffingPerTon(1'000'000);
        EXPECT_FALSE(levy.ValidatieOK);
        expectNoLevy(levy);
        ASSERT_EQ(recorder.recorded().size(), 1) << told().toStdString();
        const MessageRecorder::Message& m = recorder.recorded()[0];
        refusals += QStringLiteral("%1 %2\n  %3 | %4 | icon %5\n  group%6\n")
                        .arg(facility)
                        .arg(QLatin1String(sql), m.title,
                             QString(m.text).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")))
                        .arg(int(m.icon))
                        .arg(levy.rapStortNamen);
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/levy-refusals.txt"), refusals));
}

} // namespace
