// Speed of the overview of a data file of 50 landfills of 200 cost items each (one equalisation group): in
// process, every facility read from the file and calculated once with its levy; and as whole dovra-cli
// processes, one overview against the 50 runs of the target capital command it replaces.
#include "benchdata.h"

#include "overview/facilityoverview.h"

#include <QCoreApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

namespace {

void Overview50Facilities(benchmark::State& state)
{
    dovra::bench::BenchFiles files(50, 200);
    for (auto _ : state) {
        const std::optional<dovra::FacilityOverview> overview =
            dovra::makeFacilityOverview(files.workspace());
        if (!overview || overview->rows.size() != 50 || !overview->rows.back().levyPerTon)
            state.SkipWithError("overview incomplete");
        benchmark::DoNotOptimize(overview);
    }
}
BENCHMARK(Overview50Facilities)->Unit(benchmark::kMillisecond);

// The built dovra-cli beside the benchmark, on the files; false when it does not end with exit 0.
bool runCli(dovra::bench::BenchFiles& files, QStringList arguments)
{
    QProcess cli;
    arguments << QStringLiteral("--data") << files.workspace().dataFilePath() << QStringLiteral("--checklist")
              << files.workspace().checklistFilePath();
    cli.start(QCoreApplication::applicationDirPath() + QStringLiteral("/dovra-cli"), arguments);
    return cli.waitForFinished(60000) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
}

void CliOverview50Facilities(benchmark::State& state)
{
    dovra::bench::BenchFiles files(50, 200);
    for (auto _ : state) {
        if (!runCli(files, {QStringLiteral("overzicht"), QStringLiteral("--json")}))
            state.SkipWithError("dovra-cli overzicht failed");
    }
}
BENCHMARK(CliOverview50Facilities)->Unit(benchmark::kMillisecond)->UseRealTime();

void CliTargetCapitalOf50Facilities(benchmark::State& state)
{
    dovra::bench::BenchFiles files(50, 200);
    for (auto _ : state) {
        for (const long id : files.ids()) {
            if (!runCli(files, {QStringLiteral("doelvermogen"), QStringLiteral("--json"),
                                QStringLiteral("--id"), QString::number(id)}))
                state.SkipWithError("dovra-cli doelvermogen failed");
        }
    }
}
BENCHMARK(CliTargetCapitalOf50Facilities)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

DOVRA_BENCHMARK_MAIN()
