// Speed of exporting a facility of 1 000 cost items to an exchange file and of importing that file.
#include "benchdata.h"

#include "exchange/facilityexchange.h"
#include "support/messagerecorder.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace dovra;

void Export1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(1, 1000);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.xml"));
    for (auto _ : state) {
        if (!exchange::exportFacility(files.workspace(), files.ids().first(), path).isEmpty())
            state.SkipWithError("not exported");
    }
}
BENCHMARK(Export1000Items)->Unit(benchmark::kMillisecond);

void Import1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(1, 1000);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.xml"));
    if (!exchange::exportFacility(files.workspace(), files.ids().first(), path).isEmpty()) {
        state.SkipWithError("not exported");
        return;
    }
    int copy = 0;
    for (auto _ : state) {
        const QString name = QStringLiteral("Kopie %1").arg(++copy);
        const exchange::ImportOutcome outcome =
            exchange::importFacility(files.workspace(), path, [name](const QString&) { return name; });
        if (outcome.status != exchange::ImportOutcome::Status::Imported)
            state.SkipWithError("not imported");
    }
}
BENCHMARK(Import1000Items)->Unit(benchmark::kMillisecond);

} // namespace

DOVRA_BENCHMARK_MAIN()
