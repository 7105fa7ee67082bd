// dovra-cli as scripts use it: the whole output of each command per demo facility against golden files
// (the figures themselves are the calculation tests'), and against bad arguments, damaged files and hostile
// stored values: every run ends in time with its exit status and message, shows no non-finite figure and
// leaves every file it should not write as it was.
#include "storage/database.h"
#include "support/cliprocess.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dovra;

namespace {

struct CliCase
{
    const char* name;
    const char* sql; // a change to the copied demo data file; empty for none
    // Split at spaces; {files} stands for --data {data} --checklist {checklist}, {data}, {checklist} and
    // {folder} for the test's paths.
    const char* arguments;
    int exitCode;
    const char* shows; // a part of stderr on failure, of stdout on success
    void (*prepare)(const QString& folder) = nullptr;
};

// What can be seen of each path without following it: its type and inode, and the contents of a file.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> prints;
    QDirIterator entries(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        struct stat info;
        EXPECT_EQ(lstat(QFile::encodeName(path).constData(), &info), 0);
        QByteArray& print = prints[path] =
            QByteArray::number(info.st_mode) + ' ' + QByteArray::number(info.st_ino);
        QFile file(path);
        if (S_ISREG(info.st_mode) && file.open(QIODevice::ReadOnly))
            print += ' ' + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    }
    return prints;
}

class CliTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    QTemporaryDir home;
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    const QString demoData = folder.copyDemoData();

    // A run on the checklist file and data (the demo data file when empty).
    test::CliRun run(const QStringList& arguments, const QString& data = {})
    {
        const QStringList files{QStringLiteral("--data"), data.isEmpty() ? demoData : data,
                                QStringLiteral("--checklist"), checklist};
        test::CliRun result = test::runCli(arguments + files, home.path());
        EXPECT_TRUE(result.finished);
        return result;
    }
};

class HostileTest : public CliTest, public ::testing::WithParamInterface<CliCase>
{
};

TEST_P(HostileTest, ExitsWithItsStatusAndChangesNothingItShouldNot)
{
    const CliCase& c = GetParam();
    const QString& data = demoData;
    if (*c.sql) {
        std::unique_ptr<Database> db = Database::open(data, Database::OpenMode::ReadWrite);
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execScript(QString::fromUtf8(c.sql))) << db->lastError().toStdString();
    }
    if (c.prepare)
        c.prepare(folder.path());
    const QString arguments =
        QString::fromUtf8(c.arguments)
            .replace(QLatin1String("{files}"), QLatin1String("--data {data} --checklist {checklist}"))
            .replace(QLatin1String("{data}"), data)
            .replace(QLatin1String("{checklist}"), checklist)
            .replace(QLatin1String("{folder}"), folder.path());
    const QMap<QString, QByteArray> before = snapshot(folder.path());

    const test::CliRun run = test::runCli(arguments.split(u' ', Qt::SkipEmptyParts), home.path());
    ASSERT_TRUE(run.finished) << "dovra-cli did not end normally within a minute: " << run.err.toStdString();
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    const QString shows = QString::fromUtf8(c.shows).replace(QLatin1String("{folder}"), folder.path());
    EXPECT_TRUE((c.exitCode == 0 ? run.out : run.err).contains(shows)) << shows.toStdString();
    // Refused before anything is calculated: nothing on stdout.
    if (c.exitCode == 2) {
        EXPECT_EQ(run.out, QString());
    }
    const QRegularExpression nonFinite(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(nonFinite.match(run.out + run.err).hasMatch());

    // A failed run leaves everything as it was; a run that succeeds only adds what it was asked to write.
    const QMap<QString, QByteArray> after = snapshot(folder.path());
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    if (c.exitCode != 0) {
        EXPECT_EQ(after.keys(), before.keys());
    }
}

std::string caseName(const ::testing::TestParamInfo<CliCase>& info)
{
    return info.param.name;
}

// The program's own template, which the test folder does not hold, under a name in the test folder.
void hardLinkTemplate(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder + QStringLiteral("/sjabloon.docx"));
    ASSERT_EQ(link(DOVRA_TEST_PROGRAM_DIR "/db00.mdb", name.constData()), 0);
}

const char* const OwnDatabase = "is een database die het programma gebruikt";
#define VERSION(text) "UPDATE tblSYS SET strSYSvalue = " text " WHERE strSYS_ID = 'versie'"
#define FIRST_ITEM_OF_1 " WHERE idrAct_ID = (SELECT MIN(idrAct_ID) FROM tblAct WHERE lngStort_REF = 1)"
#define HUGE_RISK "UPDATE tblStort SET sngAlgRisicoBedrag = 3e38 WHERE idrStort_ID = 1"
#define LARGEST_SUPPLIES "UPDATE tblTonnage SET lngTonnage = 2000000000"
#define NO_VERSION "UPDATE tblStort SET intCL_REF = 99 WHERE idrStort_ID = 1"

const CliCase Cases[] = {
    // Stored values the calculation, the levy and the reports meet.
    {"EndlessSchedule",
     "UPDATE tblAct SET bytEindBA = 1, intEindBA = 100000000, bytOptieFreq = 3, intFreqX = 1" FIRST_ITEM_OF_1,
     "rapport --id 1 --scherm {files}", 1, "Overloop"},
    {"EndYearBeyondAnyNumber",
     "UPDATE tblAct SET bytEindBA = 1, intEindBA = 1e30, bytOptieFreq = 2, intFreqX = 1" FIRST_ITEM_OF_1,
     "heffing --id 2 {files}", 1, "Overloop"},
    {"RiskAmountBeyondSingles", HUGE_RISK, "doelvermogen --json --id 1 {files}", 1, "Overloop"},
    {"ForecastYearBeyondTheScreen", "UPDATE tblTonnage SET intKalJaar = 99999 WHERE intKalJaar = 2029",
     "heffing --id 1 {files}", 1, "ongeldig jaartal ('99999')"},
    {"SupplyBeyondAnyNumber", "UPDATE tblTonnage SET lngTonnage = 1e30 WHERE intKalJaar = 2029",
     "heffing --json --id 1 {files}", 1, "ongeldige hoeveelheid ('1e+30')"},
    {"LargestSuppliesAddUp", LARGEST_SUPPLIES, "heffing --id 1 {files}", 0, "Totaal: 16000000000 kton"},
    {"LargestSuppliesInTheReport", LARGEST_SUPPLIES, "rapport --id 1 --scherm --secties heffing {files}", 0,
     "16000000000"},
    {"NoAftercareArea", "UPDATE tblStort SET sngNazorgOpp = 0 WHERE idrStort_ID = 2",
     "doelvermogen --id 2 {files}", 1,
     "Invoer onvolledig bij Stortplaats Vlagheide: Er is geen (geldig) nazorgoppervlak ingevoerd"},
    {"TargetCapitalWithoutVersion", NO_VERSION, "doelvermogen --id 1 {files}", 1, "nieuwere versie"},
    {"InputReportWithoutVersion", NO_VERSION, "invoerrapport --id 1 {files} --out {folder}/r.docx", 1,
     "nieuwere versie"},
    // Damaged, newer, missing or wrong files: refused with a message and left as they were.
    {"VersionWithExponent", VERSION("'1e30'"), "doelvermogen --id 1 --data {data}", 2,
     "Beschadigd databestand"},
    {"NewerVersion", VERSION("'40'"), "info {files}", 2,
     "Koppeling databestand: Dit databestand is van een latere versie dan DOVRA. Koppeling kan niet worden "
     "gelegd.\n"},
    // SQLite of this build cannot drop a column: renaming it in the stored schema takes it away as well.
    {"NoCostTotalColumn",
     "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, 'sngKostenTotaal', 'x') WHERE "
     "tbl_name = 'tblAct'",
     "rapport --id 1 --scherm --data {data}", 2,
     "kan niet worden gebruikt: de kolom 'sngKostenTotaal' van tabel 'tblAct' ontbreekt."},
    {"DataFileAsChecklist", "", "doelvermogen --id 1 --data {data} --checklist {data}", 2,
     "kan niet worden gebruikt: de tabel 'tblStortType' ontbreekt."},
    {"NoDataFile", "", "info --data {folder}/dbTALVOdata_geen.mdb --checklist {checklist}", 2,
     "is niet gevonden"},
    {"NoChecklistFile", "", "info --data {data} --checklist {folder}/ontbreekt.mdb", 2,
     "Controle checklistbestand: "},
    // Arguments, refused before any file is used; the places --out may not write are the output target's
    // tests, here only whether the report command asks it.
    {"NoCommand", "", "", 2, "gebruik: dovra-cli"},
    {"UnknownOption", "", "info --datum", 2, "Onbekende optie: --datum"},
    {"MissingValue", "", "rapport --id 1 {files} --out", 2, "Na de optie --out ontbreekt de waarde."},
    {"FlagWithAValue", "", "doelvermogen --id 1 {files} --json=ja", 2, "De optie --json heeft geen waarde."},
    {"NoFacility", "", "doelvermogen {files}", 2, "Geef de inrichting op met --facility of met --id."},
    {"UnknownFacility", "", "doelvermogen --facility Onbekend {files}", 2,
     "Inrichting niet gevonden: Onbekend"},
    {"IdBeyond32Bits", "", "doelvermogen --id 5000000000 {files}", 2, "Het id van de inrichting"},
    {"IdZero", "", "heffing --id 0 {files}", 2, "Het id van de inrichting"},
    {"VatNan", "", "doelvermogen --id 1 {files} --btw nan", 2, "Het BTW-percentage"},
    {"VatAboveThirty", "", "doelvermogen --id 1 {files} --btw 31", 2, "Het BTW-percentage"},
    {"ReportNeitherFileNorScreen", "", "rapport --id 1 {files}", 2, "gebruik: dovra-cli"},
    {"UnknownSection", "", "rapport --id 1 {files} --scherm --secties voorblad,inhoud", 2,
     "Onbekende sectie in: voorblad,inhoud"},
    {"UnknownGrouping", "", "rapport --id 1 {files} --scherm --indeling alfabet", 2,
     "Onbekende indeling: alfabet"},
    {"OutIsTheDataFile", "", "rapport --id 1 {files} --out {data}", 2, OwnDatabase},
    {"OutIsTheTemplate", "", "rapport --id 1 {files} --out {folder}/sjabloon.docx", 2, OwnDatabase,
     hardLinkTemplate},
    // Refused before the facility is opened.
    {"OutInAMissingFolder", "", "invoerrapport --id 99 {files} --out {folder}/geen/r.docx", 2,
     "De rapportage kan niet worden opgeslagen: de map '{folder}/geen' bestaat niet.\n"},
};

INSTANTIATE_TEST_SUITE_P(Cli, HostileTest, ::testing::ValuesIn(Cases), caseName);

TEST_F(CliTest, InfoPrintsTheLinkedFilesAndLeavesTheSettings)
{
    const test::CliRun result = run({QStringLiteral("info")});
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
    const test::CliRun result =
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
            const test::CliRun result = run(QString::fromUtf8(arguments).split(u' ') +
                                            QStringList{QStringLiteral("--id"), QLatin1String(id)});
            EXPECT_TRUE(
                test::matchesGolden(golden, result.out + QStringLiteral("--- stderr\n") + result.err +
                                                QStringLiteral("--- exit %1\n").arg(result.exitCode)));
        }
    }
}

// The documents of the facility named are written where asked, with the sections chosen; their contents
// are the report tests'.
// The document of the facility named is written where asked, with the sections chosen; its contents are
// the report tests'.
TEST_F(CliTest, DocumentHoldsTheChosenSections)
{
    const QString input = folder.filePath(QStringLiteral("invoer.docx"));
    const test::CliRun written =
        run({QStringLiteral("invoerrapport"), QStringLiteral("--out=") + input, QStringLiteral("--secties"),
             QStringLiteral("kostenposten"), QStringLiteral("--facility"),
             QStringLiteral("Baggerdepot Hollandsch Diep")});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QStringList lines =
        test::readDocx(test::readDocxPart(input, QStringLiteral("word/document.xml"))).lines();
    EXPECT_TRUE(lines.contains(QStringLiteral(">>  Kostenposten")));
    EXPECT_FALSE(lines.contains(QStringLiteral(">>  Voorzieningen")));
}

} // namespace
