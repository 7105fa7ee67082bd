// dovra-cli as scripts use it: the whole output of each command, on stdout and stderr, with its exit
// status. Refusals are the hostile tests'; the figures themselves the calculation's.
#include "support/cliprocess.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

using test::CliRun;

class CliTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    QTemporaryDir home;
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    const QString demoData = folder.copyDemoData();

    // A run on the checklist file and data (the demo data file when empty).
    CliRun run(const QStringList& arguments, const QString& data = {})
    {
        const QStringList files{QStringLiteral("--data"), data.isEmpty() ? demoData : data,
                                QStringLiteral("--checklist"), checklist};
        CliRun result = test::runCli(arguments + files, home.path());
        EXPECT_TRUE(result.finished);
        return result;
    }
};

TEST_F(CliTest, InfoPrintsTheLinkedFilesAndLeavesTheSettings)
{
    const CliRun result = run({QStringLiteral("info")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("programmaversie: 30\nchecklist: ") + checklist +
                              QStringLiteral("\nchecklist-volgnummer: 14\nprogvermin: 30\ndatabestand: ") +
                              demoData + QStringLiteral("\ndatabestand-versie: 30\n"));
    EXPECT_EQ(result.err, QString());
    // The headless program never changes the user's link.
    QSettings stored(home.filePath(QStringLiteral("QUARVEL-TALVO.conf")), QSettings::IniFormat);
    EXPECT_EQ(stored.value(QStringLiteral("DOVRA3_0/ConDATAfilenaam")), QVariant());
}

TEST_F(CliTest, InfoUpgradesAnOldFileWithoutAsking)
{
    const CliRun result =
        run({QStringLiteral("info")}, folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"),
                                                            {QStringLiteral("datafile_v20.sql")}));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.endsWith(QLatin1String("databestand-versie: 30\n")));
    EXPECT_TRUE(result.err.contains(QLatin1String(
        "Upgraden databestand: Het databestand is bijgewerkt naar het format van de huidige DOVRA versie.")));
    EXPECT_EQ(result.err.count(QLatin1Char('\n')), 2);
}

// Every figure and screen report command per demo facility (two landfills of one province and a dredging
// depot without forecast).
TEST_F(CliTest, OutputOfEveryDemoFacility)
{
    const char* const commands[][2] = {
        {"doelvermogen.json", "doelvermogen --json --btw=19"},
        {"doelvermogen.txt", "doelvermogen --btw 0"},
        {"heffing.json", "heffing --json"},
        {"heffing.txt", "heffing"},
        {"rapport-voorziening.txt", "rapport --scherm"},
        {"rapport-rubriek.txt", "rapport --scherm --secties doelvermogen,heffing --indeling rubriek"},
        {"rapport-talvo.txt", "rapport --scherm --indeling=talvo"},
    };
    for (const char* id : {"1", "2", "3"}) {
        for (const auto& [name, arguments] : commands) {
            const QString golden =
                QStringLiteral("cli/facility%1-%2").arg(QLatin1String(id), QLatin1String(name));
            SCOPED_TRACE(golden.toStdString());
            const CliRun result = run(QString::fromUtf8(arguments).split(u' ') +
                                      QStringList{QStringLiteral("--id"), QLatin1String(id)});
            EXPECT_TRUE(
                test::matchesGolden(golden, result.out + QStringLiteral("--- stderr\n") + result.err +
                                                QStringLiteral("--- exit %1\n").arg(result.exitCode)));
        }
    }
}

// The documents of the facility named are written where asked, with the sections chosen; their contents
// are the report tests'.
TEST_F(CliTest, DocumentsHoldTheChosenSections)
{
    const QStringList facility{QStringLiteral("--facility"), QStringLiteral("Baggerdepot Hollandsch Diep")};
    const QString report = folder.filePath(QStringLiteral("rapport.docx"));
    // The depot has no forecast: the levy tells why it is left out, the rest is written.
    const CliRun written =
        run(QStringList{QStringLiteral("rapport"), QStringLiteral("--out"), report} + facility);
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QStringList lines =
        test::readDocx(test::readDocxPart(report, QStringLiteral("word/document.xml"))).lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("R a p p o r t a g e   D O V R A")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Inrichting: Baggerdepot Hollandsch Diep")));

    const QString input = folder.filePath(QStringLiteral("invoer.docx"));
    const CliRun inputRun = run(QStringList{QStringLiteral("invoerrapport"), QStringLiteral("--out=") + input,
                                            QStringLiteral("--secties"), QStringLiteral("kostenposten")} +
                                facility);
    EXPECT_EQ(inputRun.exitCode, 0) << inputRun.err.toStdString();
    const QStringList inputLines =
        test::readDocx(test::readDocxPart(input, QStringLiteral("word/document.xml"))).lines();
    EXPECT_TRUE(inputLines.contains(QStringLiteral(">>  Kostenposten")));
    EXPECT_FALSE(inputLines.contains(QStringLiteral(">>  Voorzieningen")));
}

} // namespace
