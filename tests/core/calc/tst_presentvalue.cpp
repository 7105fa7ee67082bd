// Present values of single cost items as read from a data file: the cost options, calendar years and years
// counted from the top liner, the price level uplift and the subtotals the items add to. The factors per
// frequency on values held in memory: tst_computetargetcapital.
#include "calc/clsDV.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dovra;

namespace {

const char* const ChecklistSql = R"(
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngRapEvalMin,
    sngOntwerpdirectie) VALUES (1, 'vast', '2008-01-01', 1, 2008, 3500, 0.12);
)";

// Rates in percent, as entered.
struct Facility
{
    double rente = 4;
    double inflatie = 2;
    QString start = QStringLiteral("2010-01-01");
    int prijspeil = 2010;
};

// One row of tblAct; empty values are stored as Null.
struct Post
{
    int id = 0;
    int rubric = 4;
    int optieStart = 2;
    QVariant startAbs;
    QVariant startRel = 1;
    int startBA = 0;
    QVariant intStartBA;
    int optieEind = 3;
    QVariant eindAbs;
    QVariant eindRel;
    int eindBA = 0;
    QVariant intEindBA;
    int optieFreq = 2;
    QVariant freqX = 1;
    int optieKosten = 2;
    QVariant kostenTotaal = 1000;
    QVariant percInvest;
    QVariant kostenInvest;
    QVariant kostenPE;
    QVariant aantal;
    int combineer = 0;
    int provision = 1;
    int isTalvo = 0;
};

QString sql(const QVariant& value)
{
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}

QString dataSql(const Facility& f, const std::vector<Post>& posts)
{
    QString text =
        QStringLiteral("INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, "
                       "dtmAanvangNazorg, intJaarPrijspeil, sngRentePerc, sngInflPerc, bytRapEval) "
                       "VALUES (1, 'Zuid', 1, 1, '%1', %2, %3, %4, 1);\n")
            .arg(f.start)
            .arg(f.prijspeil)
            .arg(f.rente)
            .arg(f.inflatie);
    text += QStringLiteral(
        "INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) "
        "VALUES (1, 1, 2, 'Bovenafdichting'), (2, 1, 7, 'Hekwerk');\n");
    for (const Post& p : posts) {
        const QVariantList values{p.id,       p.provision,   p.isTalvo,      p.rubric,     p.optieStart,
                                  p.startAbs, p.startRel,    p.startBA,      p.intStartBA, p.optieEind,
                                  p.eindAbs,  p.eindRel,     p.eindBA,       p.intEindBA,  p.optieFreq,
                                  p.freqX,    p.optieKosten, p.kostenTotaal, p.percInvest, p.kostenInvest,
                                  p.kostenPE, p.aantal,      p.combineer};
        QStringList fields;
        for (const QVariant& value : values)
            fields.append(sql(value));
        text += QStringLiteral(
                    "INSERT INTO tblAct (idrAct_ID, lngInrichting_REF, bytIsTALVO, bytRubriek_REF, "
                    "bytOptieStart, "
                    "intStartAbs, intStartRel, bytStartBA, intStartBA, bytOptieEind, intEindAbs, intEindRel, "
                    "bytEindBA, intEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngKostenTotaal, "
                    "sngPercInvest, sngKostenInvest, sngKostenPE, sngAantal, bytCombineer, lngStort_REF, "
                    "strAct) VALUES (") +
                fields.join(QStringLiteral(", ")) + QStringLiteral(", 1, 'Post %1');\n").arg(p.id);
    }
    return text;
}

// The discount factor summed year by year: year k is discounted over k − 0.5 years.
double yearsSum(double q, int first, int last)
{
    double sum = 0;
    for (int k = first; k <= last; ++k)
        sum += std::pow(q, k - 0.5);
    return sum;
}

class PresentValueTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsDV dv{folder.workspace()};

    void SetUp() override { folder.useChecklist(QString::fromUtf8(ChecklistSql)); }

    // Links a file with the facility and its items and calculates it.
    void calculate(const Facility& facility, const std::vector<Post>& posts)
    {
        ASSERT_TRUE(folder.linkDataFile(dataSql(facility, posts)));
        ASSERT_TRUE(dv.initializeDV(1));
        ASSERT_TRUE(dv.BerekenAlles()) << recorder.texts().join(u'\n').toStdString();
        ASSERT_EQ(dv.AantalKostenposten(), int(posts.size()));
    }

    int index(long id) const
    {
        for (int i = 0; i < dv.AantalKostenposten(); ++i) {
            if (dv.itemId(i) == id)
                return i;
        }
        ADD_FAILURE() << "no item " << id;
        return 0;
    }
    float factor(long id) const { return dv.itemFactor(index(id)).toFloat(); }
    QVariant first(long id) const { return dv.itemEersteJaar(index(id)); }
    QVariant last(long id) const { return dv.itemLaatsteJaar(index(id)); }
};

const double Q = 1.02 / 1.04;

// Float results against double sums: the single keeps about 7 significant digits.
void expectNear(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, std::abs(expected) * 2e-7 + 1e-30);
}

} // namespace

TEST_F(PresentValueTest, CostOptionsGiveTheAmountPerOccurrence)
{
    ASSERT_NO_FATAL_FAILURE(calculate(
        Facility{},
        {
            {.id = 1, .optieKosten = 1, .kostenTotaal = QVariant(), .percInvest = 2.5, .kostenInvest = 4000},
            {.id = 2, .optieKosten = 3, .kostenTotaal = QVariant(), .kostenPE = 12.5, .aantal = 3},
            {.id = 3, .optieKosten = 2, .kostenTotaal = 1000},
            // An amount not entered counts as 0.
            {.id = 4, .optieKosten = 3, .kostenTotaal = QVariant(), .kostenPE = 12.5},
        }));
    const float perpetual = factor(3);
    EXPECT_EQ(dv.itemNCW(index(1)), 100 * perpetual);
    EXPECT_EQ(dv.itemNCW(index(2)), 37.5f * perpetual);
    EXPECT_EQ(dv.itemNCW(index(3)), 1000 * perpetual);
    EXPECT_EQ(dv.itemNCW(index(4)), 0.0f);
}

TEST_F(PresentValueTest, EqualRatesCountYearsWithoutDiscount)
{
    ASSERT_NO_FATAL_FAILURE(calculate(Facility{.rente = 3, .inflatie = 3},
                                      {
                                          {.id = 1, .optieEind = 2, .eindRel = 30, .kostenTotaal = 250},
                                          {.id = 2},
                                      }));
    EXPECT_EQ(dv.q(), 1.0);
    EXPECT_EQ(factor(1), 30.0f);
    EXPECT_EQ(dv.itemNCW(index(1)), 7500.0f);
    EXPECT_EQ(factor(2), 1000.0f);
    EXPECT_EQ(dv.perpetualFactor(), 1000.0f);
}

TEST_F(PresentValueTest, PriceLevelUpliftFromThePriceLevelYearToTheStart)
{
    // Start 1 July 2010: a one-off cost in calendar year 2010 lies half a year after the start, in the
    // middle of aftercare year 1, and is not discounted.
    ASSERT_NO_FATAL_FAILURE(
        calculate(Facility{.start = QStringLiteral("2010-07-01"), .prijspeil = 2008},
                  {
                      {.id = 1, .optieStart = 1, .startAbs = 2010, .startRel = QVariant(), .optieFreq = 1},
                      {.id = 2, .optieEind = 2, .eindRel = 30},
                  }));
    EXPECT_EQ(dv.aanvangNazorg(), 2010.5f);
    expectNear(dv.F(), std::pow(1.02, 2.5));
    EXPECT_NEAR(dv.F(), 1.050753, 1e-6);

    EXPECT_EQ(factor(1), dv.F());
    EXPECT_EQ(first(1), 1);
    EXPECT_EQ(last(1), QStringLiteral("-"));
    EXPECT_EQ(dv.itemNCW(index(1)), 1000 * dv.F());

    expectNear(factor(2), yearsSum(Q, 1, 30) * std::pow(1.02, 2.5));
    // The uplift also applies to the general yearly surcharges, not to the perpetual factor itself.
    expectNear(dv.perpetualFactor(), yearsSum(Q, 1, 1000));
}

TEST_F(PresentValueTest, CalendarYearsOfAStartLateInTheYear)
{
    // Start 1 October 2010: calendar year 2010 lies a quarter year after the start. A one-off cost then
    // falls before the middle of year 1 and is left out; a recurring one counts from that quarter year.
    ASSERT_NO_FATAL_FAILURE(
        calculate(Facility{.start = QStringLiteral("2010-10-01"), .prijspeil = 2010},
                  {
                      {.id = 1, .optieStart = 1, .startAbs = 2010, .startRel = QVariant(), .optieFreq = 1},
                      {.id = 2,
                       .optieStart = 1,
                       .startAbs = 2010,
                       .startRel = QVariant(),
                       .optieEind = 1,
                       .eindAbs = 2020,
                       .optieFreq = 3,
                       .freqX = 5},
                  }));
    EXPECT_EQ(dv.aanvangNazorg(), 2010.75f);
    EXPECT_EQ(dv.itemNCW(index(1)), 0.0f);
    EXPECT_EQ(first(1), QStringLiteral("nvt"));
    EXPECT_EQ(last(1), QStringLiteral("-"));

    const double uplift = std::pow(1.02, 0.75);
    expectNear(factor(2), (std::pow(Q, -0.25) + std::pow(Q, 4.75) + std::pow(Q, 9.75)) * uplift);
    EXPECT_EQ(first(2), 0);
    EXPECT_EQ(last(2), 10);
}

TEST_F(PresentValueTest, YearsCountedFromTheConstructionOfTheTopLiner)
{
    // Built in 2012, aftercare year 3; the costs start in the 3rd year after construction (year 5) and
    // last 5 years counted from the construction year, so up to year 7.
    ASSERT_NO_FATAL_FAILURE(calculate(Facility{}, {
                                                      {.id = 1,
                                                       .optieStart = 1,
                                                       .startAbs = 2012,
                                                       .startRel = QVariant(),
                                                       .startBA = 1,
                                                       .intStartBA = 3,
                                                       .optieEind = 0,
                                                       .eindBA = 1,
                                                       .intEindBA = 5},
                                                  }));
    expectNear(factor(1), yearsSum(Q, 5, 7));
    EXPECT_EQ(first(1), 5);
    EXPECT_EQ(last(1), 7);
}

TEST_F(PresentValueTest, CombinedItemsAndSubtotals)
{
    // Equal rates and start in the price level year: the present values are whole amounts.
    ASSERT_NO_FATAL_FAILURE(calculate(
        Facility{.rente = 0, .inflatie = 0},
        {
            {.id = 1, .rubric = 4, .optieEind = 2, .eindRel = 10, .kostenTotaal = 100, .isTalvo = 1},
            {.id = 2, .rubric = 5, .optieFreq = 1, .kostenTotaal = 5000, .provision = 2},
            {.id = 3, .rubric = 6, .optieFreq = 1, .kostenTotaal = 70, .isTalvo = 2},
            // Included in a combination post, which carries its costs.
            {.id = 4, .rubric = 4, .kostenTotaal = 123456, .combineer = 1, .isTalvo = 1},
        }));
    EXPECT_EQ(dv.itemNCW(index(4)), 0.0f);
    EXPECT_TRUE(dv.itemFactor(index(4)).isNull());
    EXPECT_TRUE(first(4).isNull());
    EXPECT_TRUE(last(4).isNull());

    EXPECT_EQ(dv.subtotaalRubriek(4), 1000.0f);
    EXPECT_EQ(dv.subtotaalRubriek(5), 5000.0f);
    EXPECT_EQ(dv.subtotaalRubriek(6), 70.0f);
    for (const int rubric : {1, 2, 3})
        EXPECT_EQ(dv.subtotaalRubriek(rubric), 0.0f);

    EXPECT_EQ(dv.subtotaalObjectCategorie(2), 1070.0f);
    EXPECT_EQ(dv.subtotaalObjectCategorie(7), 5000.0f);
    EXPECT_EQ(dv.subtotaalHerkomst(1), 5000.0f);
    EXPECT_EQ(dv.subtotaalHerkomst(2), 1000.0f);
    EXPECT_EQ(dv.subtotaalHerkomst(3), 70.0f);
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::ObjectCategorie, 7), 5000.0f);
    // Grouped by origin the report asks by conformity code: 2 is the third origin.
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Herkomst, 2), 70.0f);
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Herkomst, 0), 5000.0f);
}

TEST_F(PresentValueTest, GivenRatesReplaceTheFacilitysForThisCalculationOnly)
{
    ASSERT_TRUE(folder.linkDataFile(dataSql(Facility{}, {{.id = 1, .optieEind = 2, .eindRel = 30}})));

    ASSERT_TRUE(dv.initializeDV(1, 0.05f, clsDV::OwnRate));
    EXPECT_EQ(dv.rente(), 0.05f);
    EXPECT_EQ(dv.inflatie(), 0.02f);
    ASSERT_TRUE(dv.BerekenAlles());
    EXPECT_EQ(dv.q(), (1 + double(0.02f)) / (1 + double(0.05f)));
    expectNear(dv.itemFactor(0).toFloat(), yearsSum(1.02 / 1.05, 1, 30));

    ASSERT_TRUE(dv.initializeDV(1, clsDV::OwnRate, 0.01f));
    EXPECT_EQ(dv.rente(), 0.04f);
    EXPECT_EQ(dv.inflatie(), 0.01f);

    ASSERT_TRUE(dv.initializeDV(1));
    EXPECT_EQ(dv.rente(), 0.04f);
    EXPECT_EQ(dv.inflatie(), 0.02f);
    ASSERT_TRUE(dv.BerekenAlles());
    expectNear(dv.itemFactor(0).toFloat(), yearsSum(Q, 1, 30));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}
