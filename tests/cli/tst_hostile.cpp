// dovra-cli against damaged files, hostile stored values and bad arguments: every run ends in time, says
// what failed, shows no non-finite figure and leaves every file it should not write as it was.
#include "storage/database.h"
#include "support/cliprocess.h"
#include "support/testfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dovra;

namespace {

struct HostileCase
{
    const char* name;
    // A change to the copied demo data file; empty for none.
    const char* sql;
    // "{data}", "{checklist}", "{template}" and "{folder}" stand for the paths of the test's files.
    std::vector<const char*> arguments;
    int exitCode;
    // A part of stderr on failure, of stdout on success; empty for no check.
    const char* shows = "";
    // Prepares the test folder (targets of --out, odd files) before the run.
    void (*prepare)(const QString& folder) = nullptr;
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

// What can be seen of a path without following it: its type, and its contents for a regular file.
QByteArray fingerprint(const QString& path)
{
    struct stat info;
    if (lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QByteArrayLiteral("missing");
    QByteArray print = QByteArray::number(info.st_mode) + ' ' + QByteArray::number(quint64(info.st_ino));
    if (S_ISREG(info.st_mode)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            print += ' ' + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    } else if (S_ISLNK(info.st_mode)) {
        print += ' ' + QFile::encodeName(QFileInfo(path).symLinkTarget());
    }
    return print;
}

QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> prints;
    QDirIterator entries(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        prints.insert(path, fingerprint(path));
    }
    prints.insert(QStringLiteral("/dev/null"), fingerprint(QStringLiteral("/dev/null")));
    return prints;
}

class HostileTest : public ::testing::TestWithParam<HostileCase>
{
protected:
    test::ProgramFolder folder;
    QTemporaryDir home;
};

TEST_P(HostileTest, EndsInTimeAndChangesNothingItShouldNot)
{
    const HostileCase& c = GetParam();
    const QString data = folder.copyDemoData();
    if (*c.sql) {
        std::unique_ptr<Database> db = Database::open(data, Database::OpenMode::ReadWrite);
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execScript(QString::fromUtf8(c.sql))) << db->lastError().toStdString();
    }
    if (c.prepare)
        c.prepare(folder.path());

    QStringList arguments;
    for (const char* argument : c.arguments) {
        arguments << QString::fromUtf8(argument)
                         .replace(QLatin1String("{data}"), data)
                         .replace(QLatin1String("{checklist}"),
                                  folder.filePath(QStringLiteral("dbTALVOCL.mdb")))
                         .replace(QLatin1String("{template}"), folder.filePath(QStringLiteral("db00.mdb")))
                         .replace(QLatin1String("{folder}"), folder.path());
    }
    const QMap<QString, QByteArray> before = snapshot(folder.path());

    const test::CliRun run = test::runCli(arguments, home.path());
    ASSERT_TRUE(run.finished) << "dovra-cli did not end normally within a minute: " << run.err.toStdString();
    const QString& out = run.out;
    const QString& err = run.err;
    EXPECT_EQ(run.exitCode, c.exitCode) << err.toStdString() << out.toStdString();
    if (c.exitCode != 0) {
        EXPECT_FALSE(err.trimmed().isEmpty());
    }
    if (*c.shows) {
        EXPECT_TRUE((c.exitCode == 0 ? out : err).contains(QString::fromUtf8(c.shows)))
            << "expected: " << c.shows << "\nstdout: " << out.toStdString()
            << "\nstderr: " << err.toStdString();
    }
    const QRegularExpression nonFinite(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(nonFinite.match(out).hasMatch()) << out.toStdString();
    EXPECT_FALSE(nonFinite.match(err).hasMatch()) << err.toStdString();

    // A failed run leaves everything as it was; a run that succeeds only adds what it was asked to write.
    const QMap<QString, QByteArray> after = snapshot(folder.path());
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    if (c.exitCode != 0) {
        EXPECT_EQ(after.keys(), before.keys());
    }
}

std::string caseName(const ::testing::TestParamInfo<HostileCase>& info)
{
    return info.param.name;
}

// Stored values the calculation, the levy and the reports meet.
#define FIRST_ITEM_OF_1 " WHERE idrAct_ID = (SELECT MIN(idrAct_ID) FROM tblAct WHERE lngStort_REF = 1)"
#define ENDLESS_SCHEDULE                                                                                     \
    "UPDATE tblAct SET bytEindBA = 1, intEindBA = 100000000, bytOptieFreq = 3, intFreqX = 1" FIRST_ITEM_OF_1
#define HUGE_RISK "UPDATE tblStort SET sngAlgRisicoBedrag = 3e38 WHERE idrStort_ID = 1"
#define FILES "--data", "{data}", "--checklist", "{checklist}"

const HostileCase StoredValueCases[] = {
    {"EndlessScheduleTargetCapital", ENDLESS_SCHEDULE, {"doelvermogen", "--id", "1", FILES}, 1, "Overloop"},
    {"EndlessScheduleLevy", ENDLESS_SCHEDULE, {"heffing", "--id", "2", FILES}, 1, "Overloop"},
    {"EndlessScheduleReport", ENDLESS_SCHEDULE, {"rapport", "--id", "1", "--scherm", FILES}, 1, "Overloop"},
    {"EndYearBeyondAnyNumber",
     "UPDATE tblAct SET bytEindBA = 1, intEindBA = 1e30, bytOptieFreq = 2, intFreqX = 1" FIRST_ITEM_OF_1,
     {"doelvermogen", "--id", "1", FILES},
     1,
     "Overloop"},
    {"RiskAmountBeyondSingles", HUGE_RISK, {"doelvermogen", "--id", "1", FILES}, 1, "Overloop"},
    {"RiskAmountBeyondSinglesJson", HUGE_RISK, {"doelvermogen", "--json", "--id", "1", FILES}, 1, "Overloop"},
    {"RiskAmountBeyondSinglesReport", HUGE_RISK, {"rapport", "--id", "1", "--scherm", FILES}, 1, "Overloop"},
    {"InterestAsText",
     "UPDATE tblStort SET sngRentePerc = 'abc' WHERE idrStort_ID = 1",
     {"doelvermogen", "--id", "1", FILES},
     1,
     "'sngRentePerc'"},
    {"AmountAsText",
     "UPDATE tblAct SET sngKostenTotaal = 'veel', bytOptieKosten = 2" FIRST_ITEM_OF_1,
     {"doelvermogen", "--id", "1", FILES},
     1,
     ""},
    {"ForecastYearBeyondTheScreen",
     "UPDATE tblTonnage SET intKalJaar = 99999 WHERE intKalJaar = 2029",
     {"heffing", "--id", "1", FILES},
     1,
     "ongeldig jaartal ('99999')"},
    {"SupplyBeyondAnyNumber",
     "UPDATE tblTonnage SET lngTonnage = 1e30 WHERE intKalJaar = 2029",
     {"heffing", "--json", "--id", "1", FILES},
     1,
     "ongeldige hoeveelheid ('1e+30')"},
    {"LargestSuppliesAddUp",
     "UPDATE tblTonnage SET lngTonnage = 2000000000",
     {"heffing", "--id", "1", FILES},
     0,
     "Totaal: 16000000000 kton"},
    {"LargestSuppliesInTheReport",
     "UPDATE tblTonnage SET lngTonnage = 2000000000",
     {"rapport", "--id", "1", "--scherm", "--secties", "heffing", FILES},
     0,
     "16000000000"},
};

INSTANTIATE_TEST_SUITE_P(StoredValues, HostileTest, ::testing::ValuesIn(StoredValueCases), caseName);

// Damaged data files and a wrong checklist file: refused with a message and left as they were.
#define VERSION(text) "UPDATE tblSYS SET strSYSvalue = " text " WHERE strSYS_ID = 'versie'"
// SQLite of this build cannot drop a column: renaming it in the stored schema takes it away just as well.
#define WITHOUT_COLUMN(table, column)                                                                        \
    "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, '" column "', '" column        \
    "Weg') WHERE tbl_name = '" table "'"
const HostileCase FileCases[] = {
    {"VersionWithExponent",
     VERSION("'1e30'"),
     {"doelvermogen", "--id", "1", "--data", "{data}"},
     2,
     "Beschadigd databestand"},
    {"VersionBeyond64Bits",
     VERSION("'99999999999999999999'"),
     {"heffing", "--id", "1", "--data", "{data}"},
     2,
     "Beschadigd databestand"},
    {"VersionBeyond32Bits",
     VERSION("'4294967326'"),
     {"info", "--data", "{data}"},
     2,
     "Beschadigd databestand"},
    {"VersionWithFraction", VERSION("'30.9'"), {"info", "--data", "{data}"}, 2, "Beschadigd databestand"},
    {"VersionText",
     VERSION("'abc'"),
     {"rapport", "--id", "1", "--scherm", "--data", "{data}"},
     2,
     "Beschadigd databestand"},
    {"VersionEmpty", VERSION("''"), {"info", "--data", "{data}"}, 2, "Beschadigd databestand"},
    {"VersionNull",
     VERSION("NULL"),
     {"doelvermogen", "--id", "1", "--data", "{data}"},
     2,
     "Beschadigd databestand"},
    {"VersionNegative", VERSION("'-20'"), {"info", "--data", "{data}"}, 2, "Beschadigd databestand"},
    {"NoCostTotalColumn",
     WITHOUT_COLUMN("tblAct", "sngKostenTotaal"),
     {"doelvermogen", "--id", "1", "--data", "{data}"},
     2,
     "kan niet worden gebruikt: de kolom 'sngKostenTotaal' van tabel 'tblAct' ontbreekt."},
    {"NoFrequencyColumn",
     WITHOUT_COLUMN("tblAct", "intFreqX"),
     {"heffing", "--id", "1", "--data", "{data}"},
     2,
     "de kolom 'intFreqX' van tabel 'tblAct' ontbreekt."},
    {"NoProvisionLinkColumn",
     WITHOUT_COLUMN("tblAct", "lngInrichting_REF"),
     {"rapport", "--id", "1", "--scherm", "--data", "{data}"},
     2,
     "de kolom 'lngInrichting_REF' van tabel 'tblAct' ontbreekt."},
    {"NoProvisionNameColumn",
     WITHOUT_COLUMN("tblInrichting", "strObject"),
     {"rapport", "--id", "1", "--scherm", "--data", "{data}"},
     2,
     "de kolom 'strObject' van tabel 'tblInrichting' ontbreekt."},
    {"NoInterestColumn",
     WITHOUT_COLUMN("tblStort", "sngRentePerc"),
     {"doelvermogen", "--id", "1", "--data", "{data}"},
     2,
     "de kolom 'sngRentePerc' van tabel 'tblStort' ontbreekt."},
    {"NoTonnageColumn",
     WITHOUT_COLUMN("tblTonnage", "lngTonnage"),
     {"heffing", "--id", "1", "--data", "{data}"},
     2,
     "de kolom 'lngTonnage' van tabel 'tblTonnage' ontbreekt."},
    {"NoForecastTable",
     "DROP TABLE tblTonnage",
     {"heffing", "--id", "1", "--data", "{data}"},
     2,
     "kan niet worden gebruikt: de tabel 'tblTonnage' ontbreekt."},
    {"NoCategoryTable",
     "DROP TABLE tblObjectCat",
     {"rapport", "--id", "1", "--scherm", "--data", "{data}"},
     2,
     "de tabel 'tblObjectCat' ontbreekt."},
    // An old file that lacks more than its upgrade adds is not upgraded.
    {"OldFileWithoutColumn",
     VERSION("'20'") ";" WITHOUT_COLUMN("tblAct", "sngKostenPE"),
     {"info", "--data", "{data}"},
     2,
     "de kolom 'sngKostenPE' van tabel 'tblAct' ontbreekt."},
    {"DataFileAsChecklistInfo",
     "",
     {"info", "--data", "{data}", "--checklist", "{data}"},
     2,
     "kan niet worden gebruikt: de tabel 'tblStortType' ontbreekt."},
    {"DataFileAsChecklist",
     "",
     {"doelvermogen", "--id", "1", "--data", "{data}", "--checklist", "{data}"},
     2,
     "kan niet worden gebruikt: de tabel 'tblStortType' ontbreekt."},
    {"TemplateAsChecklist",
     "",
     {"heffing", "--id", "1", "--data", "{data}", "--checklist", "{template}"},
     2,
     "kan niet worden gebruikt: de tabel 'tblStortType' ontbreekt."},
};
#undef VERSION
#undef WITHOUT_COLUMN

INSTANTIATE_TEST_SUITE_P(Files, HostileTest, ::testing::ValuesIn(FileCases), caseName);

#define TARGET_CAPITAL "doelvermogen", "--id", "1", FILES
#define REPORT "rapport", "--id", "1", FILES
#define INPUT_REPORT "invoerrapport", "--id", "1", FILES

void makeFifo(const QString& folder)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + QStringLiteral("/fifo.docx")).constData(), 0600), 0);
}

void linkToAReport(const QString& folder)
{
    QFile report(folder + QStringLiteral("/rapport.docx"));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(QStringLiteral("rapport.docx"), folder + QStringLiteral("/link.docx")));
}

// The folder once more under another name.
void aliasFolder(const QString& folder)
{
    ASSERT_TRUE(QFile::link(folder, folder + QStringLiteral("/ook")));
}

// The program's own template, which the test folder does not hold, under a name in the test folder.
void hardLinkTemplate(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder + QStringLiteral("/sjabloon.docx"));
    ASSERT_EQ(link(DOVRA_TEST_PROGRAM_DIR "/db00.mdb", name.constData()), 0);
}

const char* const OwnDatabase = "is een database die het programma gebruikt";
const char* const NoVersion = "UPDATE tblStort SET intCL_REF = 99 WHERE idrStort_ID = 1";

// Arguments, and the places --out may not write.
const HostileCase ArgumentCases[] = {
    {"OutIsTheDataFile", "", {REPORT, "--out", "{data}"}, 2, OwnDatabase},
    {"OutIsTheDataFileAlias",
     "",
     {REPORT, "--out", "{folder}/ook/dbTALVOdata_1.mdb"},
     2,
     OwnDatabase,
     aliasFolder},
    {"InputReportOutIsTheDataFile", "", {INPUT_REPORT, "--out", "{data}"}, 2, OwnDatabase},
    {"OutIsTheChecklistFile", "", {REPORT, "--out", "{checklist}"}, 2, OwnDatabase},
    {"OutIsTheTemplate", "", {REPORT, "--out", "{folder}/sjabloon.docx"}, 2, OwnDatabase, hardLinkTemplate},
    {"OutIsASymlink", "", {REPORT, "--out", "{folder}/link.docx"}, 2, "symbolische koppeling", linkToAReport},
    {"OutIsAFifo", "", {REPORT, "--out", "{folder}/fifo.docx"}, 2, "is geen gewoon bestand", makeFifo},
    {"OutIsADevice", "", {REPORT, "--out", "/dev/null"}, 2, "'/dev/null' is geen gewoon bestand"},
    {"OutIsAFolder", "", {REPORT, "--out", "{folder}"}, 2, "is een map"},
    {"OutInAMissingFolder", "", {REPORT, "--out", "{folder}/geen map/r.docx"}, 2, "bestaat niet"},
    {"OutIsEmpty", "", {REPORT, "--out="}, 2, "er is geen bestandsnaam opgegeven"},
    {"NoSections", "", {REPORT, "--out", "{folder}/r.docx", "--secties", ""}, 2, "ten minste één sectie"},
    {"OnlyAComma", "", {INPUT_REPORT, "--out", "{folder}/r.docx", "--secties", ","}, 2, "één sectie"},
    {"VatNan", "", {TARGET_CAPITAL, "--btw", "nan"}, 2, "Het BTW-percentage"},
    {"VatInfinite", "", {TARGET_CAPITAL, "--btw", "inf"}, 2, "Het BTW-percentage"},
    {"VatBeyondDoubles", "", {REPORT, "--scherm", "--btw", "1e400"}, 2, "Het BTW-percentage"},
    {"VatNegative", "", {TARGET_CAPITAL, "--btw", "-1"}, 2, "Het BTW-percentage"},
    {"VatAboveThirty", "", {TARGET_CAPITAL, "--btw", "31"}, 2, "Het BTW-percentage"},
    {"IdBeyond32Bits", "", {"doelvermogen", "--id", "5000000000", FILES}, 2, "Het id van de inrichting"},
    {"IdZero", "", {"heffing", "--id", "0", FILES}, 2, "Het id van de inrichting"},
    {"IdNegative", "", {"doelvermogen", "--id", "-1", FILES}, 2, "Het id van de inrichting"},
    {"IdNotANumber", "", {"doelvermogen", "--id", "abc", FILES}, 2, "Het id van de inrichting"},
    {"IdNotWhole", "", {"doelvermogen", "--id", "1.5", FILES}, 2, "Het id van de inrichting"},
    {"UnknownOption", "", {TARGET_CAPITAL, "--frob"}, 2, "Onbekende optie: --frob"},
    {"MissingValue", "", {REPORT, "--out"}, 2, "Na de optie --out ontbreekt de waarde."},
    {"FlagWithAValue", "", {TARGET_CAPITAL, "--json=ja"}, 2, "De optie --json heeft geen waarde."},
    {"TargetCapitalWithoutVersion", NoVersion, {TARGET_CAPITAL}, 1, "nieuwere versie"},
    {"LevyWithoutVersion", NoVersion, {"heffing", "--id", "1", FILES}, 1, "nieuwere versie"},
    {"ReportWithoutVersion", NoVersion, {REPORT, "--out", "{folder}/r.docx"}, 1, "nieuwere versie"},
    {"InputReportWithoutVersion",
     NoVersion,
     {INPUT_REPORT, "--out", "{folder}/r.docx"},
     1,
     "nieuwere versie"},
};

#undef INPUT_REPORT
#undef REPORT
#undef TARGET_CAPITAL

INSTANTIATE_TEST_SUITE_P(Arguments, HostileTest, ::testing::ValuesIn(ArgumentCases), caseName);

} // namespace
