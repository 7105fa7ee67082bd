// Speed of the calculations: one facility of 1 000 cost items end to end from the open data file and
// computed alone from its inputs held in memory, and the levy equalised over 50 facilities of 200 cost items
// each.
#include "benchdata.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"
#include "support/messagerecorder.h"

#include <benchmark/benchmark.h>

namespace {

void TargetCapital1000Items(benchmark::State& state)
{
    dovra::MessageRecorder quiet;
    dovra::bench::BenchFiles files(1, 1000);
    for (auto _ : state) {
        dovra::clsDV dv(files.workspace());
        const bool ok =
            dv.initializeDV(files.ids().first()) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles();
        if (!ok)
            state.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(dv.DoelvermogenMetRisicoFonds());
    }
}
BENCHMARK(TargetCapital1000Items)->Unit(benchmark::kMillisecond);

void TargetCapital1000ItemsInMemory(benchmark::State& state)
{
    dovra::MessageRecorder quiet;
    dovra::bench::BenchFiles files(1, 1000);
    dovra::TargetCapitalInputs inputs;
    if (!dovra::readTargetCapitalInputs(files.workspace(), files.ids().first(), inputs)) {
        state.SkipWithError("inputs not read");
        return;
    }
    for (auto _ : state) {
        const dovra::TargetCapital dv = dovra::computeTargetCapital(inputs);
        if (!dv.success)
            state.SkipWithError("calculation failed");
        benchmark::DoNotOptimize(dovra::TargetCapitalSums(inputs, dv).metRisicoFonds());
    }
}
BENCHMARK(TargetCapital1000ItemsInMemory)->Unit(benchmark::kMillisecond);

void Equalisation50Facilities(benchmark::State& state)
{
    dovra::MessageRecorder quiet;
    dovra::bench::BenchFiles files(50, 200);
    dovra::clsDV own(files.workspace());
    own.initializeDV(files.ids().first());
    own.VerifyBeforeBerekening2();
    own.BerekenAlles();
    for (auto _ : state) {
        dovra::clsHeffing levy(files.workspace(), files.ids().first());
        levy.psubBerekenHeffingPerTon(own.DoelvermogenMetRisicoFonds());
        if (!levy.ValidatieOK)
            state.SkipWithError("equalisation failed");
        benchmark::DoNotOptimize(levy.HeffingPerTon_prijspeil_tRef);
    }
}
BENCHMARK(Equalisation50Facilities)->Unit(benchmark::kMillisecond);

} // namespace

DOVRA_BENCHMARK_MAIN()
