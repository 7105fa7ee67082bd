// Speed of the target capital and levy report: all four sections of a facility of 1 000 cost items,
// from the calculation to the saved .docx, PDF or workbook (which holds the figures of two of them), and
// the same report for the report window.
#include "benchdata.h"

#include "reports/formats/screenreport.h"
#include "reports/reportrun.h"
#include "support/messagerecorder.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

dovra::report::TargetCapitalReportOptions allSections()
{
    dovra::report::TargetCapitalReportOptions options;
    options.voorblad = true;
    options.doelvermogen = true;
    options.checklistposten = true;
    options.heffing = true;
    options.vat = 21;
    return options;
}

void TargetCapitalReportFile1000Items(benchmark::State& state, dovra::report::DocumentFormat format,
                                      const QString& name)
{
    dovra::MessageRecorder quiet;
    dovra::bench::BenchFiles files(1, 1000);
    const long id = files.ids().first();
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const dovra::report::ReportContext context =
        dovra::report::reportContext(files.workspace(), id, QString());
    for (auto _ : state) {
        dovra::report::TargetCapitalReportRun run(files.workspace(), id, allSections());
        if (!run.calculate() || !run.writeDocument(path, format, context))
            state.SkipWithError("report failed");
    }
}
BENCHMARK_CAPTURE(TargetCapitalReportFile1000Items, Document, dovra::report::DocumentFormat::Word,
                  QStringLiteral("Rapportage.docx"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TargetCapitalReportFile1000Items, Pdf, dovra::report::DocumentFormat::Pdf,
                  QStringLiteral("Rapportage.pdf"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TargetCapitalReportFile1000Items, Workbook, dovra::report::DocumentFormat::Workbook,
                  QStringLiteral("Rapportage.xlsx"))
    ->Unit(benchmark::kMillisecond);

void TargetCapitalReportScreen1000Items(benchmark::State& state)
{
    dovra::MessageRecorder quiet;
    dovra::bench::BenchFiles files(1, 1000);
    const long id = files.ids().first();
    const dovra::report::ReportContext context =
        dovra::report::reportContext(files.workspace(), id, QString());
    {
        // Every section is written, the levy too (the facility is equalised over itself).
        dovra::report::TargetCapitalReportRun run(files.workspace(), id, allSections());
        dovra::report::ScreenReport screen;
        if (!run.calculate() || !run.write(screen, context) ||
            !screen.plainText().contains(QLatin1String("Rapportage heffingen:")))
            state.SkipWithError("the report misses a section");
    }
    for (auto _ : state) {
        dovra::report::TargetCapitalReportRun run(files.workspace(), id, allSections());
        dovra::report::ScreenReport screen;
        if (!run.calculate() || !run.write(screen, context))
            state.SkipWithError("report failed");
        benchmark::DoNotOptimize(screen.paragraphs().size());
    }
}
BENCHMARK(TargetCapitalReportScreen1000Items)->Unit(benchmark::kMillisecond);

} // namespace

DOVRA_BENCHMARK_MAIN()
