// The uncertainty analysis on the demo landfill De Kragge (replacement surcharges per item): a draw is the
// target capital calculation at its inputs, and the statistics of many draws against figures derived by
// hand with their sampling error.
#include "calc/uncertainty.h"

#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace dovra;

namespace {

class Uncertainty : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDemoData());
        inputs = uncertaintyInputs(folder.workspace(), 1).value();
    }

    // DoelvermogenMetRisicoFonds at other rates and cost multipliers; none when it fails.
    std::optional<float> capital(float r, float i, std::array<float, 7> costFactors = {1, 1, 1, 1, 1, 1, 1})
    {
        TargetCapitalInputs changed = inputs;
        changed.r = r;
        changed.i = i;
        changed.costFactors = costFactors;
        const TargetCapital figures = computeTargetCapital(changed);
        return figures.success ? std::optional(TargetCapitalSums(changed, figures).metRisicoFonds())
                               : std::nullopt;
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    TargetCapitalInputs inputs;
};

UncertaintySettings normalInterest(int draws, quint64 seed = 1)
{
    UncertaintySettings settings;
    settings.interest = {RateDistribution::Normal, 0.5};
    settings.draws = draws;
    settings.seed = seed;
    return settings;
}

// The standard error of the sample p-quantile of n draws from a normal of standard deviation sd.
double quantileError(double p, double z, double sd, int n)
{
    const double density = std::exp(-z * z / 2) / std::sqrt(2 * M_PI) / sd;
    return std::sqrt(p * (1 - p) / n) / density;
}

} // namespace

// On each demo facility: De Kragge with replacement surcharges per item, Vlagheide with a fixed design and
// supervision percentage, and the dredging depot.
TEST_F(Uncertainty, ADrawIsTheCalculationAtItsInputs)
{
    UncertaintySettings settings;
    settings.interest = {RateDistribution::Normal, 1.5};
    settings.inflation = {RateDistribution::Triangular, 0, 1, 4};
    settings.correlation = 0.5;
    for (int rubric = 1; rubric <= 6; ++rubric)
        settings.costs.push_back({rubric, -10, 25, rubric % 2 == 0});
    for (const long facility : {1, 2, 3}) {
        inputs = uncertaintyInputs(folder.workspace(), facility).value();
        DrawCalculation calculation(inputs);
        std::vector<Draw> draws;
        for (quint64 d = 0; d < 6; ++d)
            draws.push_back(drawInputs(settings, inputs.r, inputs.i, d));
        // One that overflows.
        draws.push_back({0.01f, 0.08f, {1, 3e38f, 1, 1, 1, 1, 1}});
        for (const Draw& draw : draws)
            EXPECT_EQ(calculation.targetCapital(draw),
                      capital(draw.interest, draw.inflation, draw.costFactors))
                << facility;
        EXPECT_EQ(calculation.targetCapital(draws.back()), std::nullopt);
    }
}

TEST_F(Uncertainty, FixedInputsGiveTheBaseCaseInEveryDraw)
{
    UncertaintySettings settings;
    settings.draws = 100;
    const UncertaintyAnalysis fixed = analyseUncertainty(inputs, settings).value();
    EXPECT_EQ(fixed.B0, capital(inputs.r, inputs.i));
    EXPECT_EQ(fixed.mean, double(fixed.B0));
    EXPECT_EQ(fixed.sd, 0);
    for (const float p : fixed.percentiles)
        EXPECT_EQ(p, fixed.B0);
    EXPECT_EQ(std::tuple(fixed.belowB0, fixed.failed, fixed.clipped, fixed.influence.size()),
              std::tuple(0.0, 0, 0, 0u));
}

// The capital falls as the interest rises: its P-th percentile is the capital at the interest's
// (100 − P)-th, r0 + 0.5 z percent; allowed 4 standard errors of that interest quantile times the slope.
TEST_F(Uncertainty, InterestOnlyMirrorsTheInterestsPercentiles)
{
    const int n = 10000;
    const UncertaintyAnalysis analysis = analyseUncertainty(inputs, normalInterest(n)).value();
    const struct
    {
        std::size_t index; // into the percentiles
        double p, z;       // the interest's quantile p and its standard normal z
    } cases[] = {{1, 0.90, 1.2815516}, {3, 0.50, 0}, {5, 0.10, -1.2815516}};
    for (const auto& c : cases) {
        const float rate = float(double(inputs.r) + 0.005 * c.z);
        const double slope =
            (double(*capital(rate + 0.0001f, inputs.i)) - *capital(rate - 0.0001f, inputs.i)) /
            0.02; // per percentage point
        const double tolerance = 4 * quantileError(c.p, c.z, 0.5, n) * std::fabs(slope);
        EXPECT_NEAR(analysis.percentiles[c.index], double(*capital(rate, inputs.i)), tolerance) << c.p;
    }
    ASSERT_EQ(analysis.influence.size(), 1u);
    EXPECT_EQ(analysis.influence[0].input, QStringLiteral("rente"));
    EXPECT_LT(analysis.influence[0].rankCorrelation, -0.999);
    EXPECT_EQ(std::pair(analysis.failed, analysis.clipped), std::pair(0, 0));
}

TEST_F(Uncertainty, SameSeedSameResultsOnAnyNumberOfThreads)
{
    UncertaintySettings settings = normalInterest(3000);
    settings.inflation = {RateDistribution::Uniform, 0, 1.5, 3};
    settings.costs = {{5, -20, 30, true}};
    const UncertaintyAnalysis one = analyseUncertainty(inputs, settings, 1).value();
    for (const int threads : {2, 3, 0}) {
        const UncertaintyAnalysis many = analyseUncertainty(inputs, settings, threads).value();
        EXPECT_EQ(many.sorted, one.sorted);
        EXPECT_EQ(std::tuple(many.mean, many.sd, many.percentiles, many.belowB0, many.clipped),
                  std::tuple(one.mean, one.sd, one.percentiles, one.belowB0, one.clipped));
        for (std::size_t k = 0; k < one.influence.size(); ++k)
            EXPECT_EQ(many.influence[k].rankCorrelation, one.influence[k].rankCorrelation);
    }
    // Another seed draws otherwise; the medians differ by less than 4 standard errors of the difference of
    // two medians of a near-normal result, √2 × 1.2533 sd / √n.
    settings.seed = 2;
    const UncertaintyAnalysis other = analyseUncertainty(inputs, settings).value();
    EXPECT_NE(other.sorted, one.sorted);
    EXPECT_NEAR(other.percentiles[3], one.percentiles[3], 4 * 1.2533 * one.sd / std::sqrt(3000.0) * M_SQRT2);
}

// Only rubric 5 uncertain, uniform from −10 to +25 %: the capital moves linearly with its multiplier m, by
// S5 = B(m = 2) − B0, so its standard deviation is S5 × 0.35 / √12 (allowed 4 standard errors of a sample
// standard deviation of a uniform, √(0.2 / n) relative) and its P5 is B0 + S5 × (−0.10 + 0.35 × 0.05)
// (allowed 4 standard errors of a sample quantile of a uniform, √(p (1 − p) / n) × its width).
TEST_F(Uncertainty, ACostSpreadMovesTheCapitalByItsRubricsShare)
{
    UncertaintySettings settings;
    settings.costs = {{5, -10, 25, false}};
    settings.draws = 4000;
    const UncertaintyAnalysis analysis = analyseUncertainty(inputs, settings).value();
    const double share = double(*capital(inputs.r, inputs.i, {1, 1, 1, 1, 1, 2, 1})) - analysis.B0;
    ASSERT_GT(share, 0);
    const double sd = share * 0.35 / std::sqrt(12.0);
    EXPECT_NEAR(analysis.sd, sd, 4 * std::sqrt(0.2 / settings.draws) * sd);
    EXPECT_NEAR(analysis.percentiles[0], analysis.B0 + share * (-0.10 + 0.35 * 0.05),
                4 * std::sqrt(0.05 * 0.95 / settings.draws) * 0.35 * share);
    EXPECT_GT(analysis.influence.at(0).rankCorrelation, 0.999);
}

TEST_F(Uncertainty, SettingsThatCannotBeRun)
{
    const auto problem = [&](UncertaintySettings settings) {
        return uncertaintySettingsProblem(settings).value_or(
            ownRatesProblem(settings, inputs.r, inputs.i).value_or(QString()));
    };
    UncertaintySettings settings;
    EXPECT_EQ(problem(settings), QString());
    settings.inflation = {RateDistribution::Triangular, 0, 2.5, 4};
    EXPECT_EQ(problem(settings),
              QStringLiteral("De grenzen van de inflatie moeten de eigen waarde van de inrichting (2,00 %) "
                             "insluiten."));
    settings.inflation = {RateDistribution::Uniform, 0, 0.5, 4};
    EXPECT_TRUE(problem(settings).startsWith(QStringLiteral("De grenzen van de inflatie moeten van 1 tot")));
    settings.inflation = {};
    settings.interest = {RateDistribution::Normal, 0};
    EXPECT_TRUE(problem(settings).startsWith(QStringLiteral("De standaardafwijking van de rente")));
    settings.interest = {};
    settings.costs = {{4, 5, 25, true}};
    EXPECT_TRUE(problem(settings).startsWith(QStringLiteral("De kostenspreiding van rubriek 4")));
    settings.costs = {{4, -5, 25, true}, {4, -5, 25, true}};
    EXPECT_TRUE(problem(settings).startsWith(QStringLiteral("Geef de kostenspreiding op")));
    settings.costs = {};
    settings.draws = 99;
    EXPECT_TRUE(problem(settings).startsWith(QStringLiteral("Het aantal trekkingen")));
    settings.draws = 100;
    settings.seed = UncertaintySettings::MaxSeed + 1;
    EXPECT_EQ(problem(settings),
              QStringLiteral("Het zaad moet een geheel getal van 0 tot en met 9007199254740991 zijn."));
}
