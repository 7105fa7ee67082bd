// Speed of comparing a facility of 1 000 cost items with a newer checklist version of 1 000 items, and of
// binding it to that version.
#include "benchdata.h"

#include "checklist/versionchange.h"
#include "reports/formats/screenreport.h"
#include "reports/versioncomparison.h"
#include "support/messagerecorder.h"

#include <optional>

namespace {

using namespace dovra;

// The demo checklist with 1 000 items in landfill versions 1 and 3 (ids in common; every tenth renamed and
// stricter in 3, every twentieth gone from it), and a facility on version 1 whose cost items each come from
// one of them, in 60 provisions.
void addItems(Database& checklist)
{
    Statement insert = checklist.prepare(
        QStringLiteral("INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, "
                       "strVoorz, strOmschrijving, "
                       "bytRubriek_REF, intSortNr, intStartJaar, bytStartBA, bytOptieEind, bytEindBA, "
                       "bytOptieFreq, sngFreqXMin, "
                       "sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX) "
                       "VALUES (?, ?, -1, 2, ?, ?, 4, ?, 1, 0, 3, 0, 2, 1, 1, 2, 100, ?)"));
    for (const int version : {1, 3}) {
        for (int i = 0; i < 1000; ++i) {
            if (version == 3 && i % 20 == 19)
                continue;
            const bool changed = version == 3 && i % 10 == 0;
            insert.reset();
            insert.bindAll({200000 + i, version, QStringLiteral("Voorziening %1").arg(i % 60),
                            QString::fromLatin1(changed ? "Nieuwe post %1" : "Post %1").arg(i), i,
                            changed ? 120 : 2000});
            insert.exec();
        }
    }
}

// Each cost item from its checklist item, under that item's provision and with its description.
long prepare(bench::BenchFiles& files)
{
    const long id = files.ids().first();
    auto data = files.workspace().dataDatabase();
    for (int p = 0; p < 60; ++p)
        data->exec(QStringLiteral("INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, "
                                  "bytObjectCat_REF, strObject) VALUES (?, ?, 2, ?)"),
                   {1000 + p, qint64(id), QStringLiteral("Voorziening %1").arg(p)});
    data->exec(QStringLiteral("UPDATE tblAct SET lngClitem_REF = 200000 + idrAct_ID % 1000, bytIsTALVO = 1, "
                              "lngInrichting_REF = 1000 + (idrAct_ID % 1000) % 60, "
                              "strAct = 'Post ' || (idrAct_ID % 1000)"));
    auto checklist = Database::open(files.workspace().paths().checklistFile(), Database::OpenMode::ReadWrite);
    addItems(*checklist);
    return id;
}

void VersionChange1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    // Made and removed while the clock is stopped: removing a data file is no part of the change.
    std::optional<bench::BenchFiles> files;
    for (auto _ : state) {
        state.PauseTiming();
        files.reset();
        files.emplace(1, 1000);
        const long id = prepare(*files);
        state.ResumeTiming();
        if (!applyVersionChange(files->workspace(), id, 3).applied)
            state.SkipWithError("not applied");
    }
}
BENCHMARK(VersionChange1000Items)->Unit(benchmark::kMillisecond)->Iterations(5);

// The comparison report of the same facility and versions, as the version change window builds it.
void VersionComparison1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    bench::BenchFiles files(1, 1000);
    const long id = prepare(files);
    for (auto _ : state) {
        report::ScreenReport changed, added, removed, consequences;
        if (!report::writeVersionComparison(files.workspace(), id, 3, {changed, added, removed, consequences})
                 .failure.isEmpty())
            state.SkipWithError("not written");
        benchmark::DoNotOptimize(consequences.paragraphs().size());
    }
}
BENCHMARK(VersionComparison1000Items)->Unit(benchmark::kMillisecond);

} // namespace

DOVRA_BENCHMARK_MAIN()
