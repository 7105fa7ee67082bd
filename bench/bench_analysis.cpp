// Speed of the analyses that rerun the calculation of a facility of 1 000 cost items on its inputs read
// once: the sensitivity analysis in 10 steps, and the expenditure schedule of its first 100 years.
#include "benchdata.h"

#include "calc/expenditureschedule.h"
#include "calc/sensitivity.h"
#include "calc/targetcapitalinputs.h"
#include "support/messagerecorder.h"

#include <benchmark/benchmark.h>

namespace {

using namespace dovra;

// The inputs of the facility of files, read once; empty (the benchmark skipped) when unread.
std::optional<TargetCapitalInputs> readOnce(benchmark::State& state, bench::BenchFiles& files)
{
    TargetCapitalInputs inputs;
    if (!readTargetCapitalInputs(files.workspace(), files.ids().first(), inputs)) {
        state.SkipWithError("inputs not read");
        return std::nullopt;
    }
    return inputs;
}

void Sensitivity10Steps1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(1, 1000);
    const std::optional<TargetCapitalInputs> inputs = readOnce(state, files);
    if (!inputs)
        return;
    const std::vector<float> rates = sensitivityRates(2, 14, 10);
    for (auto _ : state) {
        const SensitivityAnalysis analysis = analyseSensitivity(*inputs, SensitivityMode::Interest, rates);
        benchmark::DoNotOptimize(analysis.steps.back().B);
    }
}
BENCHMARK(Sensitivity10Steps1000Items)->Unit(benchmark::kMillisecond);

void ExpenditureSchedule100Years1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(1, 1000);
    const std::optional<TargetCapitalInputs> inputs = readOnce(state, files);
    if (!inputs)
        return;
    for (auto _ : state) {
        const std::optional<ExpenditureSchedule> schedule = expenditureSchedule(*inputs, 100);
        if (!schedule)
            state.SkipWithError("no schedule");
        benchmark::DoNotOptimize(schedule->perYear.back()[0]);
    }
}
BENCHMARK(ExpenditureSchedule100Years1000Items)->Unit(benchmark::kMillisecond);

} // namespace

DOVRA_BENCHMARK_MAIN()
