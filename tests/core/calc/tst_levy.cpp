// The levy per ton of supplied waste: an object-bound facility's own levy, the company-bound refusal,
// a missing forecast, and the equalisation over a province's facilities of one type.
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace dovra;

namespace {

const QString LevyStopped = QStringLiteral("Berekening heffing afgebroken");

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
        EXPECT_EQ(levy.HeffingPerTon_prijspeil_tRef, 0.0);
        EXPECT_EQ(levy.intAantaljaren, 0);
        EXPECT_EQ(levy.rapAantalKtonTotaal(), 0);
        EXPECT_EQ(levy.rapControleDVsom(), 0.0);
    }
};

// --- the facility's own levy ---

TEST_F(LevyTest, ObjectBoundFacilityRaisesItsOwnTargetCapitalFromItsOwnForecast)
{
    clsHeffing levy(workspace(), 10);
    const double D = 10'000'000;
    levy.psubBerekenHeffingPerTon(float(D));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << told().toStdString();
    EXPECT_TRUE(levy.ValidatieOK);
    EXPECT_FLOAT_EQ(levy.sngTref, 2010.0f);
    EXPECT_FLOAT_EQ(levy.DVref, float(D));
    EXPECT_EQ(levy.rapStortNamen, QString());

    // 100 kton a year from 2010 to 2019, each year's levy grown by inflation and discounted to 2010.
    double T = 0;
    for (int j = 2010; j <= 2019; ++j)
        T += 100 * std::pow(1.02, j - 2010) / std::pow(1.05, j - 2010);
    const double perTon = D / (T * 1000);
    EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, perTon, perTon * 1e-6);
    ASSERT_EQ(levy.intAantaljaren, 10);
    EXPECT_EQ(levy.rapAantalKtonTotaal(), 1000);
    for (int i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const int year = 2009 + i;
        EXPECT_EQ(levy.rapJaar(i), year);
        EXPECT_EQ(levy.rapAantalKtonPerJaar(i), 100);
        const double inYear = perTon * std::pow(1.02, year - 2010);
        EXPECT_NEAR(levy.rapHeffingPerTonInJaar(i), inYear, inYear * 1e-6);
        EXPECT_NEAR(levy.rapHeffingInJaar(i), inYear * 100'000, inYear * 100'000 * 1e-6);
        const double discounted = inYear * 100'000 / std::pow(1.05, year - 2010);
        EXPECT_NEAR(levy.rapControleDV(i), discounted, discounted * 1e-6);
    }
    // The discounted levies raise exactly the target capital: to within one unit of a single at 10 million.
    EXPECT_NEAR(levy.rapControleDVsom(), D, 1.0);
}

TEST_F(LevyTest, EqualInterestAndInflationLeaveTheSupplyUnweighed)
{
    // Aftercare from 16 July 2010: 2010 + 6/12 + 1/24. Years in entry order 2014, 2012, 2013 (supply not
    // entered: counts as none), no year (left out), 2015. Calculated after a levy of other rates, start
    // and forecast on the same object, which must not show through.
    clsHeffing levy(workspace(), 11);
    ASSERT_NO_FATAL_FAILURE(calculateAsObjectBound(levy, 11));
    const double D = 2'500'000;
    levy.psubBerekenHeffingPerTon(float(D));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_TRUE(levy.ValidatieOK);
    const double S = 2010 + 6.0 / 12 + 1.0 / 24;
    EXPECT_FLOAT_EQ(levy.sngTref, float(S));
    EXPECT_EQ(levy.DatumAanvangNazorg(), QDate(2010, 7, 16));
    ASSERT_EQ(levy.intAantaljaren, 4);
    const int years[] = {2012, 2013, 2014, 2015};
    const int supplies[] = {25, 0, 40, 35};
    EXPECT_EQ(levy.rapAantalKtonTotaal(), 100);
    // The weighing cancels out: the levy at tRef is the target capital over the total supply.
    EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, D / 100'000, 1e-9);
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(levy.rapJaar(i), years[i - 1]);
        EXPECT_EQ(levy.rapAantalKtonPerJaar(i), supplies[i - 1]);
        // The reference year is kept in single precision; a difference of its last bit would show here.
        const double inYear = D / 100'000 * std::pow(1.03, years[i - 1] - double(float(S)));
        EXPECT_NEAR(levy.rapHeffingPerTonInJaar(i), inYear, inYear * 1e-6);
        EXPECT_NEAR(levy.rapHeffingInJaar(i), inYear * supplies[i - 1] * 1000,
                    inYear * supplies[i - 1] * 1e-3);
    }
    EXPECT_NEAR(levy.rapControleDVsom(), D, 0.25);
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
        EXPECT_EQ(recorder.texts(),
                  QStringList{QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het "
                                             "afvalaanbod. De heffing kan niet berekend worden.")});
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
    ASSERT_EQ(group.rapJaar(2), 2011);
    EXPECT_EQ(group.rapAantalKtonPerJaar(2), 2 * qint64(2147483647));
    EXPECT_GT(group.HeffingPerTon_prijspeil_tRef, 0.0);
}

// --- equalisation ---

TEST_F(LevyTest, EqualisationSharesTheGroupsTargetCapitalsAtThePriceLevelYear)
{
    const auto [noordhoek, noordhoekStart] = ownFigures(1);
    const auto [zuidkamp, zuidkampStart] = ownFigures(2);
    ASSERT_EQ(noordhoekStart, 2010.0);
    ASSERT_EQ(zuidkampStart, 2012.5);
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
    ASSERT_EQ(levy.intAantaljaren, 4);
    const int years[] = {2010, 2011, 2012, 2013};
    const int supplies[] = {100, 150, 70, 0};
    double T = 0;
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(levy.rapJaar(i), years[i - 1]);
        EXPECT_EQ(levy.rapAantalKtonPerJaar(i), supplies[i - 1]);
        T += supplies[i - 1] * std::pow(1.02 / 1.05, years[i - 1] - 2008);
    }
    EXPECT_EQ(levy.rapAantalKtonTotaal(), 320);
    const double perTon = dvRef / (T * 1000);
    EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, perTon, perTon * 2e-6);
    EXPECT_NEAR(levy.rapHeffingPerTonInJaar(2), perTon * std::pow(1.02, 3), perTon * 1e-5);
    EXPECT_NEAR(levy.rapControleDVsom(), levy.DVref, levy.DVref * 1e-7);

    // Calculated for the other member, the group and its figures are the same.
    clsHeffing fromOther(workspace(), 2);
    fromOther.psubBerekenHeffingPerTon(float(zuidkamp));
    EXPECT_TRUE(fromOther.ValidatieOK);
    EXPECT_EQ(fromOther.rapStortNamen, levy.rapStortNamen);
    EXPECT_FLOAT_EQ(fromOther.DVref, levy.DVref);
    EXPECT_DOUBLE_EQ(fromOther.HeffingPerTon_prijspeil_tRef, levy.HeffingPerTon_prijspeil_tRef);
    EXPECT_EQ(fromOther.DatumAanvangNazorg(), QDate(2012, 7, 1));
}

TEST_F(LevyTest, TheGroupIsTheFacilitysProvinceAndTypeOnly)
{
    // Province 30's landfill and province 120's depot are each alone in their group, at 7 % interest, with
    // 999 kton in 2011.
    for (const auto& [facility, names] :
         {std::pair{4, QStringLiteral(", Elders")}, std::pair{5, QStringLiteral(", Slibdepot")}}) {
        SCOPED_TRACE(facility);
        const double own = ownFigures(facility).first;
        clsHeffing levy(workspace(), facility);
        levy.psubBerekenHeffingPerTon(float(own));
        EXPECT_TRUE(recorder.recorded().isEmpty()) << told().toStdString();
        EXPECT_EQ(levy.rapStortNamen, names);
        const double dvRef = own / std::pow(1.07, 2010 - 2008);
        EXPECT_NEAR(levy.DVref, dvRef, dvRef * 1e-6);
        ASSERT_EQ(levy.intAantaljaren, 1);
        EXPECT_EQ(levy.rapAantalKtonPerJaar(1), 999);
        const double perTon = dvRef / (999'000 * std::pow(1.02 / 1.07, 2011 - 2008));
        EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, perTon, perTon * 2e-6);
    }
}

// --- refusals ---

// Refused with one message and nothing calculated, even after an earlier levy on the same object.
TEST_F(LevyTest, RefusedLeviesShowNothing)
{
    const QString forecast = QStringLiteral("De prognose van het afvalaanbod bevat ");
    const QString year = QStringLiteral("'). Een jaartal ligt tussen 1900 en 3000.");
    const QString amount =
        QStringLiteral("'). Een hoeveelheid is een geheel aantal kiloton van 0 tot en met 2147483647.");
    const QString in2015 = forecast + QStringLiteral("voor het jaar 2015 een ongeldige hoeveelheid ('");
    const auto otherRates = [](const char* other, const char* name) -> QString {
        return QStringLiteral("Bij inrichting '") + QLatin1String(other) +
               QStringLiteral("' heeft u andere rente en/of inflatie ingevoerd dan bij inrichting '") +
               QLatin1String(name) +
               QStringLiteral(
                   "'.\r\nDe verevening kan alleen berekend worden bij gelijke rente en inflatie per "
                   "provincie.");
    };
    const QString levyTitle = QStringLiteral("Berekening heffingen"), stopped = LevyStopped;
    const auto E = MessageIcon::Exclamation;
    struct Case
    {
        int facility;
        const char* change;
        QString text;
        QString title;
        MessageIcon icon;
    };
    const Case cases[] = {
        {12, "",
         QStringLiteral("Bij objectgebonden inrichtingen is de (eenmalige) heffing gelijk aan het "
                        "doelvermogen.\r\nEr wordt geen heffingsrapportage opgesteld."),
         QStringLiteral("Rapportage heffing"), MessageIcon::Information},
        {13, "", QStringLiteral("Fout bij berekening heffing bedrijfsgebonden inrichting"),
         QStringLiteral("Heffing"), MessageIcon::Critical},
        // A forecast the forecast screen would not take.
        {11, "UPDATE tblTonnage SET intKalJaar = 99999 WHERE intKalJaar = 2015",
         forecast + QStringLiteral("een ongeldig jaartal ('99999") + year, levyTitle, E},
        {11, "UPDATE tblTonnage SET intKalJaar = 1899 WHERE intKalJaar = 2015",
         forecast + QStringLiteral("een ongeldig jaartal ('1899") + year, levyTitle, E},
        {11, "UPDATE tblTonnage SET intKalJaar = 'twee' WHERE intKalJaar = 2015",
         forecast + QStringLiteral("een ongeldig jaartal ('twee") + year, levyTitle, E},
        {11, "UPDATE tblTonnage SET lngTonnage = 2147483648 WHERE intKalJaar = 2015",
         in2015 + "2147483648" + amount, levyTitle, E},
        {11, "UPDATE tblTonnage SET lngTonnage = -1 WHERE intKalJaar = 2015", in2015 + "-1" + amount,
         levyTitle, E},
        {11, "UPDATE tblTonnage SET lngTonnage = 2.5 WHERE intKalJaar = 2015", in2015 + "2.5" + amount,
         levyTitle, E},
        {11, "UPDATE tblTonnage SET lngTonnage = 'veel' WHERE intKalJaar = 2015", in2015 + "veel" + amount,
         levyTitle, E},
        // Nor is a forecast that cannot be read at all taken as none.
        {11, "ALTER TABLE tblTonnage RENAME TO tblWeg",
         QStringLiteral("De prognose afvalaanbod kon niet worden gelezen uit het databestand."), levyTitle,
         MessageIcon::Critical},
        // An inflation far beyond any real one grows the supplies beyond any number.
        {10, "UPDATE tblStort SET sngInflPerc = 3e38 WHERE idrStort_ID = 10",
         QStringLiteral(
             "Overloop bij berekening van de heffing.\r\nPas rente- en/of inflatiepercentages aan of "
             "controleer de prognose van het afvalaanbod."),
         levyTitle, E},
        // The equalisation stops at another interest or inflation; the first member that differs from the
        // facility calculated is named first. Not entered is another rate than 2 %.
        {1, "UPDATE tblStort SET sngRentePerc = 4 WHERE idrStort_ID = 2", otherRates("Zuidkamp", "Noordhoek"),
         stopped, E},
        {2, "UPDATE tblStort SET sngRentePerc = 4 WHERE idrStort_ID = 2", otherRates("Noordhoek", "Zuidkamp"),
         stopped, E},
        {1, "UPDATE tblStort SET sngInflPerc = 2.5 WHERE idrStort_ID = 2",
         otherRates("Zuidkamp", "Noordhoek"), stopped, E},
        {1, "UPDATE tblStort SET sngInflPerc = NULL WHERE idrStort_ID = 2",
         otherRates("Zuidkamp", "Noordhoek"), stopped, E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        SCOPED_TRACE(c.facility);
        clsHeffing levy(workspace(), c.facility);
        // 10 is the facility those figures come from.
        if (c.facility != 10) {
            ASSERT_NO_FATAL_FAILURE(calculateAsObjectBound(levy, c.facility));
        }
        Transaction undo(*workspace().dataDatabase());
        if (*c.change)
            change(c.change);
        recorder.clear();
        levy.psubBerekenHeffingPerTon(1'000'000);
        EXPECT_FALSE(levy.ValidatieOK);
        expectNoLevy(levy);
        ASSERT_EQ(recorder.recorded().size(), 1) << told().toStdString();
        EXPECT_EQ(recorder.recorded()[0].text, c.text);
        EXPECT_EQ(recorder.recorded()[0].title, c.title);
        EXPECT_EQ(recorder.recorded()[0].icon, c.icon);
    }
}

TEST_F(LevyTest, EqualisationStopsWhenAMembersTargetCapitalCannotBeCalculated)
{
    // The first two are refused before the calculation; the others pass the checks but the calculation
    // fails: with the reporting option not set it still yields a (partial) target capital, which must not
    // be shared out as if it were complete.
    for (const char* sql : {"UPDATE tblStort SET sngNazorgOpp = 0 WHERE idrStort_ID = 2",
                            "UPDATE tblAct SET intFreqX = 0 WHERE lngStort_REF = 2",
                            "UPDATE tblStort SET bytRapEval = 0 WHERE idrStort_ID = 2",
                            "UPDATE tblAct SET sngKostenTotaal = 3e38 WHERE lngStort_REF = 2"}) {
        SCOPED_TRACE(sql);
        Transaction undo(*workspace().dataDatabase());
        change(sql);
        recorder.clear();
        clsHeffing levy(workspace(), 1);
        levy.psubBerekenHeffingPerTon(1'000'000);
        EXPECT_FALSE(levy.ValidatieOK);
        expectNoLevy(levy);
        EXPECT_EQ(levy.rapStortNamen, QStringLiteral(", Noordhoek, Zuidkamp"));
        // Only the member's own message: no levy message follows.
        ASSERT_EQ(recorder.recorded().size(), 1) << told().toStdString();
        EXPECT_NE(recorder.recorded()[0].title, QStringLiteral("Berekening heffingen"));
        EXPECT_NE(recorder.recorded()[0].title, LevyStopped);
    }
}

} // namespace
