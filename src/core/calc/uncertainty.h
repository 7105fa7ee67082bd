#pragma once

#include "calc/itemtiming.h"
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

namespace dovra {

class Workspace;

// The uncertainty analysis: how far the target capital with risk amount (DoelvermogenMetRisicoFonds) may
// move when the interest, the inflation and the costs per rubric are not known exactly. Every draw takes
// its random numbers from a stream of its own, derived from the seed and its number, so the results are
// the same bit for bit whatever the number of threads.

// How a rate is drawn around the facility's own value.
enum class RateDistribution
{
    Fixed,
    Normal,     // standard deviation in percentage points
    Uniform,    // from a lower to an upper bound in percent
    Triangular, // the same bounds, most likely at the facility's own value
};

struct RateUncertainty
{
    RateDistribution distribution = RateDistribution::Fixed;
    double sd = 0;   // Normal
    double from = 0; // Uniform, Triangular
    double to = 0;
};

// One multiplier of the amounts of a rubric per draw: 1 plus a change from `from` to `to` percent, uniform
// or triangular with its top at no change.
struct CostSpread
{
    int rubric = 0; // 1..6
    double from = 0;
    double to = 0;
    bool triangular = true;
};

struct UncertaintySettings
{
    static constexpr int MinDraws = 100;
    static constexpr int MaxDraws = 1000000;
    // Drawn rates stay within what the program accepts as another rate than the facility's own (the
    // sensitivity analysis' 1 to 8 %); a rate drawn outside is set to the nearest bound and counted.
    static constexpr double MinRatePercent = 1;
    static constexpr double MaxRatePercent = 8;
    // The largest seed that JSON readers hold exactly.
    static constexpr quint64 MaxSeed = (quint64(1) << 53) - 1;

    RateUncertainty interest;
    RateUncertainty inflation;
    double correlation = 0; // of interest and inflation, −1..1
    std::vector<CostSpread> costs;
    int draws = 10000;
    quint64 seed = 1;
};

// The message that refuses the settings whatever the facility; none when they can be run.
std::optional<QString> uncertaintySettingsProblem(const UncertaintySettings& settings);
// The message that refuses a triangle that does not hold the facility's own interest r0 or inflation i0
// (fractions) between its bounds.
std::optional<QString> ownRatesProblem(const UncertaintySettings& settings, float r0, float i0);

// The inputs of one draw.
struct Draw
{
    float interest = 0;  // fraction, clipped
    float inflation = 0; // fraction, clipped
    std::array<float, 7> costFactors{1, 1, 1, 1, 1, 1, 1};
    bool clipped = false; // a rate was drawn outside the accepted range
};

// Draw number `draw` of the settings around interest r0 and inflation i0 (fractions).
Draw drawInputs(const UncertaintySettings& settings, float r0, float i0, quint64 draw);

// The target capital with risk amount of many draws of one facility: the parts that do not depend on the
// rates and cost multipliers are read once, so a draw only recomputes the present value factors and adds
// up. Gives what computeTargetCapital gives at the draw's inputs. The base inputs must outlive it and their
// own calculation must succeed.
class DrawCalculation
{
public:
    explicit DrawCalculation(const TargetCapitalInputs& base);
    // A copy shares what was read once and has its own figures, for another thread.
    DrawCalculation(const DrawCalculation&) = default;
    ~DrawCalculation();
    // At the base inputs' own rates and amounts.
    float baseTargetCapital() const;
    // None when the calculation overflows.
    std::optional<float> targetCapital(const Draw& draw);

private:
    struct Prepared;
    std::shared_ptr<const Prepared> m_prepared;
    TargetCapital m_figures;      // the sums' parts of the current draw
    std::vector<float> m_factors; // per distinct timing
    calc::YearPowers m_powers;    // of the current draw
};

// What moves the result: the rank correlation of an uncertain input with the target capital.
struct InputInfluence
{
    QString input; // "rente", "inflatie", "rubriek N"
    double rankCorrelation = 0;
};

struct UncertaintyAnalysis
{
    static constexpr std::array<int, 7> Percentiles{5, 10, 25, 50, 75, 90, 95};

    UncertaintySettings settings;
    float r0 = 0; // the facility's rates, fractions
    float i0 = 0;
    float B0 = 0; // at the facility's own inputs
    double mean = 0;
    double sd = 0;
    std::array<double, 7> percentiles{};   // of Percentiles
    double belowB0 = 0;                    // share of the successful draws
    int failed = 0;                        // overflowed
    int clipped = 0;                       // draws with a rate set to a bound
    std::vector<InputInfluence> influence; // largest first
    std::vector<float> sorted;             // the successful draws' target capitals, ascending
};

// Progress and cancelling of a run on other threads.
struct UncertaintyControl
{
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
};

// The analysis on `threads` threads (0: all cores) of inputs whose own calculation succeeds; none when
// cancelled.
std::optional<UncertaintyAnalysis> analyseUncertainty(const TargetCapitalInputs& inputs,
                                                      const UncertaintySettings& settings, int threads = 0,
                                                      UncertaintyControl* control = nullptr);

// The inputs of facility facilityId after the checks before a calculation and its own calculation at its
// own rates; empty when they fail (the user has been told).
std::optional<TargetCapitalInputs> uncertaintyInputs(Workspace& workspace, long facilityId);

} // namespace dovra
