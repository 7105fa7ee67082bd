// Speed of the uncertainty analysis: 10 000 draws of a facility of 1 000 cost items with interest, inflation
// and the costs of every rubric uncertain, on one thread and on two.
#include "benchdata.h"

#include "calc/targetcapitalinputs.h"
#include "calc/uncertainty.h"
#include "support/messagerecorder.h"

#include <benchmark/benchmark.h>

namespace {

using namespace dovra;

void Uncertainty10000Draws1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(1, 1000);
    const std::optional<TargetCapitalInputs> inputs =
        uncertaintyInputs(files.workspace(), files.ids().first());
    if (!inputs) {
        state.SkipWithError("inputs not read");
        return;
    }
    UncertaintySettings settings;
    settings.interest = {RateDistribution::Normal, 0.5};
    settings.inflation = {RateDistribution::Normal, 0.5};
    for (int rubric = 1; rubric <= 6; ++rubric)
        settings.costs.push_back({rubric, -10, 25, true});
    for (auto _ : state) {
        const std::optional<UncertaintyAnalysis> analysis =
            analyseUncertainty(*inputs, settings, int(state.range(0)));
        benchmark::DoNotOptimize(analysis->percentiles);
    }
}
BENCHMARK(Uncertainty10000Draws1000Items)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

DOVRA_BENCHMARK_MAIN()
