// Speed of comparing two states of a facility of 1 000 cost items, read once: the records matched field by
// field and the target capital of each state, with the earlier items at the present rates.
#include "benchdata.h"

#include "calc/facilitycomparison.h"
#include "exchange/facilitystates.h"
#include "support/messagerecorder.h"

#include <benchmark/benchmark.h>

namespace {

using namespace dovra;

void Compare1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(2, 1000);
    // The present state: other interest, ten amounts and a frequency changed, five items gone.
    files.workspace().dataDatabase()->execScript(
        QStringLiteral(
            "UPDATE tblStort SET sngRentePerc = 3.5 WHERE idrStort_ID = %1;"
            "UPDATE tblAct SET sngKostenTotaal = 2000 WHERE lngStort_REF = %1 AND idrAct_ID %% 100 = 7;"
            "UPDATE tblAct SET intFreqX = 9 WHERE lngStort_REF = %1 AND idrAct_ID %% 250 = 3;"
            "DELETE FROM tblAct WHERE lngStort_REF = %1 AND idrAct_ID %% 200 = 11;")
            .arg(files.ids().last()));
    const std::optional<FacilityState> before = readFacilityState(files.workspace(), files.ids().first());
    const std::optional<FacilityState> now = readFacilityState(files.workspace(), files.ids().last());
    if (!before || !now || !before->calculable || !now->calculable) {
        state.SkipWithError("states not read");
        return;
    }
    for (auto _ : state) {
        const FacilityComparison comparison = compareFacilityStates(*before, *now, 19);
        benchmark::DoNotOptimize(comparison.difference);
    }
}
BENCHMARK(Compare1000Items)->Unit(benchmark::kMillisecond);

} // namespace

DOVRA_BENCHMARK_MAIN()
