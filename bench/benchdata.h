#pragma once

// Builds the files the benchmarks run on: a checklist file from the project's SQL and a data file
// with generated facilities, in a temporary program folder.
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/workspace.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include <stdexcept>

namespace dovra::bench {

inline QString sqlFile(const char* name)
{
    QFile file(QDir(QStringLiteral(DOVRA_SOURCE_DIR "/data")).filePath(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("cannot read ") + name);
    return QString::fromUtf8(file.readAll());
}

inline void build(const QString& path, const QStringList& scripts)
{
    auto db = Database::open(path, Database::OpenMode::Create);
    if (!db)
        throw std::runtime_error("cannot create database");
    Transaction transaction(*db);
    for (const QString& script : scripts) {
        if (!db->execScript(script))
            throw std::runtime_error(db->lastError().toStdString());
    }
    transaction.commit();
}

// Adds a landfill of version 1 with the given number of cost items of mixed options; returns its id.
inline long addFacility(Database& db, const QString& name, int items)
{
    db.exec(
        QStringLiteral(
            "INSERT INTO tblStort (strStortNaam, bytProv_REF, intStortType, sngRentePerc, sngInflPerc, "
            "dtmAanvangNazorg, intJaarPrijspeil, intCL_REF, bytBedrijfsGebonden, bytObjectGebonden, "
            "sngNazorgOpp, bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, "
            "sngAlgCommunicatieKosten, sngAlgAppKostenBasis, sngAppKostenPerc, sngOnvoorzien, "
            "sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES (?, 70, 1, 4, 2, '2030-01-01', 2006, 1, 0, 0, "
            "25, 2, 3500, 225, 9000, 5000, 15000, 3, 10, 12, 250000)"),
        {name});
    const qint64 facility = db.lastInsertId();
    db.exec(QStringLiteral(
                "INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject) VALUES (?, 2, ?)"),
            {facility, QStringLiteral("Bovenafdichting")});
    const qint64 provision = db.lastInsertId();
    Statement insert = db.prepare(QStringLiteral(
        "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, bytRubriek_REF, "
        "bytOptieStart, "
        "intStartAbs, intStartRel, bytStartBA, bytOptieEind, intEindRel, bytEindBA, bytOptieFreq, intFreqX, "
        "bytOptieKosten, sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal, "
        "strEenheid, "
        "bytCombineer, bytTypeVervangingsToeslag) VALUES (?, ?, 0, ?, ?, ?, 2031, 1, 0, ?, 60, 0, ?, ?, ?, "
        "2.5, "
        "80000, 1500, 0.12, 30000, 'm2', 0, 0)"));
    for (int i = 0; i < items; ++i) {
        insert.reset();
        insert.bindAll({facility, provision, QStringLiteral("Post %1").arg(i), 1 + i % 6, 1 + i % 2,
                        2 + i % 2, 1 + i % 3, 1 + i % 7, 1 + i % 3});
        insert.exec();
    }
    for (int year = 2030; year < 2060; ++year)
        db.exec(QStringLiteral(
                    "INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (?, ?, 100)"),
                {facility, year});
    return long(facility);
}

// A program folder with the checklist file and a data file holding `facilities` landfills of
// `items` cost items each, linked in a workspace on the folder.
class BenchFiles
{
public:
    BenchFiles(int facilities, int items)
    {
        const QString checklist = m_dir.filePath(QStringLiteral("dbTALVOCL.mdb"));
        build(checklist, {sqlFile("checklist_schema.sql"), sqlFile("checklist_data.sql"),
                          sqlFile("checklist_items.sql")});
        const QString data = m_dir.filePath(QStringLiteral("dbTALVOdata_bench.mdb"));
        build(data, {sqlFile("datafile_schema.sql")});
        {
            auto db = Database::open(data, Database::OpenMode::ReadWrite);
            Transaction transaction(*db);
            for (int f = 0; f < facilities; ++f)
                m_ids.append(addFacility(*db, QStringLiteral("Stortplaats %1").arg(f), items));
            transaction.commit();
        }
        if (!LinkDataFile(m_workspace, data, false, true))
            throw std::runtime_error("cannot link the data file");
    }
    const QList<long>& ids() const { return m_ids; }
    Workspace& workspace() { return m_workspace; }

private:
    QTemporaryDir m_dir;
    Workspace m_workspace{ProgramPaths(m_dir.path())};
    QList<long> m_ids;
};

} // namespace dovra::bench

// The main() of a benchmark program: the core needs a Qt application, with fonts for PDF reports.
#define DOVRA_BENCHMARK_MAIN()                                                                               \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        QGuiApplication app(argc, argv);                                                                     \
        benchmark::Initialize(&argc, argv);                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                 \
        benchmark::Shutdown();                                                                               \
        return 0;                                                                                            \
    }
