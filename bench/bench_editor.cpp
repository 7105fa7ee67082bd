// Speed of the cost item editor on a facility of 1 000 cost items in 60 provisions: opening it (tree built,
// first node selected), selecting another cost item (panel, markings and narrative refreshed), and opening
// the checklist picker on a version of 1 000 items.
#include "benchdata.h"

#include "app/appstate.h"
#include "costitems/frmAct.h"
#include "costitems/frmAct_AddCLitem.h"
#include "support/messagerecorder.h"

#include <QApplication>
#include <QStandardPaths>

namespace {

using namespace dovra;

// The demo checklist with 1 000 more items in version 1, and one facility of version 1 whose 1 000 cost items
// lie in 60 provisions over the seven categories, every eighth a further phase of an item before it; the
// facility is open in the program's state.
class EditorFiles
{
public:
    EditorFiles()
    {
        const QString checklist = m_dir.filePath(QStringLiteral("dbTALVOCL.mdb"));
        bench::build(checklist, {bench::sqlFile("checklist_schema.sql"), bench::sqlFile("checklist_data.sql"),
                                 bench::sqlFile("checklist_items.sql")});
        {
            auto db = Database::open(checklist, Database::OpenMode::ReadWrite);
            Transaction transaction(*db);
            Statement insert = db->prepare(QStringLiteral(
                "INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, "
                "strOmschrijving, bytRubriek_REF, intSortNr, blnIsCombinatiePost, bytOptieFreq, bytOptieKosten) "
                "VALUES (?, 1, -1, ?, ?, ?, ?, ?, ?, 2, 2)"));
            for (int i = 0; i < 1000; ++i) {
                insert.reset();
                insert.bindAll({100000 + i, 1 + i % 7, QStringLiteral("Voorziening %1").arg(i % 40),
                                QStringLiteral("Checklistpost %1").arg(i), 1 + i % 6, i, i % 50 == 0 ? -1 : 0});
                insert.exec();
            }
            transaction.commit();
        }
        const QString data = m_dir.filePath(QStringLiteral("dbTALVOdata_bench.mdb"));
        bench::build(data, {bench::sqlFile("datafile_schema.sql")});
        {
            auto db = Database::open(data, Database::OpenMode::ReadWrite);
            Transaction transaction(*db);
            m_facility = bench::addFacility(*db, QStringLiteral("Stortplaats"), 0);
            QList<qint64> provisions;
            for (int p = 0; p < 60; ++p) {
                db->exec(QStringLiteral("INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject) "
                                        "VALUES (?, ?, ?)"),
                         {qint64(m_facility), 1 + p % 7, QStringLiteral("Voorziening %1").arg(p)});
                provisions.append(db->lastInsertId());
            }
            Statement insert = db->prepare(QStringLiteral(
                "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct, "
                "bytRubriek_REF, bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, "
                "intFreqX, bytOptieKosten, sngKostenTotaal, bytCombineer, bytTypeVervangingsToeslag) "
                "VALUES (?, ?, ?, ?, ?, ?, 2, 1, 0, 3, 0, 2, 1, 2, 1500, 0, 0)"));
            for (int i = 0; i < 1000; ++i) {
                const int item = i % 8 == 7 ? i - 60 : i; // a further phase of an item of the same provision
                const bool fromChecklist = item % 3 == 0;
                insert.reset();
                insert.bindAll({qint64(m_facility), provisions[item % 60],
                                fromChecklist ? QVariant(100000 + item) : QVariant(), fromChecklist ? 1 : 0,
                                QStringLiteral("Post %1").arg(item), 1 + item % 6});
                insert.exec();
            }
            transaction.commit();
        }
        appState().configure(ProgramPaths(m_dir.path()));
        if (!appState().linkDataFile(data, false, true) || !appState().openFacility(int(m_facility)))
            throw std::runtime_error("cannot open the facility");
    }

private:
    QTemporaryDir m_dir;
    long m_facility = 0;
};

void EditorOpen1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    EditorFiles files;
    for (auto _ : state) {
        frmAct editor(nullptr);
        benchmark::DoNotOptimize(editor.tree().selected());
    }
}
BENCHMARK(EditorOpen1000Items)->Unit(benchmark::kMillisecond);

void EditorSelectCostItem(benchmark::State& state)
{
    MessageRecorder quiet;
    EditorFiles files;
    frmAct editor(nullptr);
    const QString keys[] = {QStringLiteral("act10"), QStringLiteral("act500")};
    int next = 0;
    for (auto _ : state) {
        if (!editor.pRefreshSubscherm(keys[next++ % 2]))
            state.SkipWithError("not selected");
    }
}
BENCHMARK(EditorSelectCostItem)->Unit(benchmark::kMillisecond);

void PickerOpen1000Items(benchmark::State& state)
{
    MessageRecorder quiet;
    EditorFiles files;
    frmAct editor(nullptr);
    for (auto _ : state) {
        frmAct_AddCLitem* picker = editor.openPicker();
        delete picker;
    }
}
BENCHMARK(PickerOpen1000Items)->Unit(benchmark::kMillisecond);

} // namespace

// The screens need a widget application; they are not shown.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
