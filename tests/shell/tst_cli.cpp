// dovra-cli as scripts use it: exact output, messages on stderr, exit statuses.
#include "store/database.h"
#include "support/testfiles.h"

#include <QDir>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class CliTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    QTemporaryDir home;

    CliRun run(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The program's own settings, away from the user's.
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        process.setProcessEnvironment(environment);
        process.start(QDir(QStringLiteral(DOVRA_TEST_PROGRAM_DIR)).filePath(QStringLiteral("dovra-cli")),
                      arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString storedDataFile()
    {
        QSettings stored(home.filePath(QStringLiteral("QUARVEL-TALVO.conf")), QSettings::IniFormat);
        return stored.value(QStringLiteral("DOVRA3_0/ConDATAfilenaam")).toString();
    }
};

TEST_F(CliTest, InfoPrintsTheLinkedFiles)
{
    const QString data = folder.copyDemoData();
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    const CliRun result = run(
        {QStringLiteral("info"), QStringLiteral("--data"), data, QStringLiteral("--checklist"), checklist});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("programmaversie: 30\nchecklist: ") + checklist +
                              QStringLiteral("\nchecklist-volgnummer: 14\nprogvermin: 30\ndatabestand: ") +
                              data + QStringLiteral("\ndatabestand-versie: 30\n"));
    EXPECT_EQ(result.err, QString());
    // The headless program never changes the user's link.
    EXPECT_EQ(storedDataFile(), QString());
}

TEST_F(CliTest, InfoUpgradesAnOldFile)
{
    const QString data =
        folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"), {QStringLiteral("datafile_v20.sql")});
    const CliRun result =
        run({QStringLiteral("info"), QStringLiteral("--data"), data, QStringLiteral("--checklist"),
             folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.endsWith(QLatin1String("databestand-versie: 30\n")));
    EXPECT_TRUE(result.err.contains(QLatin1String(
        "Upgraden databestand: Het databestand is bijgewerkt naar het format van de huidige DOVRA versie.")));
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 2);
}

TEST_F(CliTest, RefusedFilesExitWithTwo)
{
    const QString newer =
        folder.createDatabase(QStringLiteral("dbTALVOdata_nieuwer.mdb"),
                              {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("versie_40.sql")});
    CliRun result = run({QStringLiteral("info"), QStringLiteral("--data"), newer,
                         QStringLiteral("--checklist"), folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, QString());
    EXPECT_EQ(result.err,
              QStringLiteral("Koppeling databestand: Dit databestand is van een latere versie dan DOVRA. "
                             "Koppeling kan niet worden gelegd.\n"));

    result = run({QStringLiteral("info"), QStringLiteral("--data"),
                  folder.filePath(QStringLiteral("dbTALVOdata_geen.mdb")), QStringLiteral("--checklist"),
                  folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QLatin1String("is niet gevonden")));

    result = run({QStringLiteral("info"), QStringLiteral("--data"), folder.copyDemoData(),
                  QStringLiteral("--checklist"), folder.filePath(QStringLiteral("ontbreekt.mdb"))});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.startsWith(QLatin1String("Controle checklistbestand: ")));
}

TEST_F(CliTest, BadArgumentsExitWithTwo)
{
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("onbekend")}).exitCode, 2);
    const CliRun result = run({QStringLiteral("info"), QStringLiteral("--datum")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QLatin1String("gebruik: dovra-cli")));
}

} // namespace
