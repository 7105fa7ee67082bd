// dovra-cli as scripts use it: the whole output of each command per demo facility against golden files
// (the figures themselves are the calculation tests'), and against bad arguments, damaged files and hostile
// stored values: every run ends in time with its exit status and message, shows no non-finite figure and
// leaves every file it should not write as it was.
#include "storage/database.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/localhttpserver.h"
#include "support/testfiles.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dovra;

namespace {

struct CliRun
{
    int exitCode; // -1 when it was stopped after a minute
    QString out, err;
};

// A run of tests/data/cli_hostile.txt.
struct CliCase
{
    std::string name;
    QByteArray sql;       // a change to the copied demo data file; empty for none
    QByteArray arguments; // as CliTest::cli takes them
    int exitCode;
    QByteArray shows; // a part of stderr on failure, of stdout on success
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
    QString locale = QStringLiteral("nl_NL.UTF-8");

    // {files} stands for --data {data} --checklist {checklist}, {data}, {checklist}, {folder} and {testdata}
    // (tests/data) for the test's paths.
    QString expand(const QByteArray& text) const
    {
        return QString::fromUtf8(text)
            .replace(QLatin1String("{files}"), QLatin1String("--data {data} --checklist {checklist}"))
            .replace(QLatin1String("{data}"), demoData)
            .replace(QLatin1String("{checklist}"), checklist)
            .replace(QLatin1String("{folder}"), folder.path())
            .replace(QLatin1String("{testdata}"), QStringLiteral(DOVRA_TEST_DATA_DIR));
    }

    // A run of the built dovra-cli on arguments split at spaces (then more), with its settings and temporary
    // files under home (away from the user's), in the locale (the Dutch one of the program's users) whatever
    // the machine's, and as a script from cron or root runs it: without a runtime folder.
    CliRun cli(const QByteArray& arguments, const QStringList& more = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.insert(QStringLiteral("TMPDIR"), home.path());
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(DOVRA_TEST_PROGRAM_DIR "/dovra-cli"),
                      expand(arguments).split(u' ', Qt::SkipEmptyParts) + more);
        const bool finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        EXPECT_TRUE(finished) << "dovra-cli did not end normally within a minute: " << arguments.constData();
        if (!finished)
            process.kill();
        process.waitForFinished();
        return {finished ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
};

class HostileTest : public CliTest, public ::testing::WithParamInterface<CliCase>
{
};

TEST_P(HostileTest, ExitsWithItsStatusAndChangesNothingItShouldNot)
{
    const CliCase& c = GetParam();
    if (!c.sql.isEmpty()) {
        std::unique_ptr<Database> db = Database::open(demoData, Database::OpenMode::ReadWrite);
        ASSERT_TRUE(db && db->execScript(QString::fromUtf8(c.sql))) << db->lastError().toStdString();
    }
    // The program's own template, which the test folder does not hold, under a name in the test folder.
    ASSERT_EQ(link(DOVRA_TEST_PROGRAM_DIR "/db00.mdb",
                   QFile::encodeName(folder.filePath("sjabloon.docx")).constData()),
              0);
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    const CliRun run = cli(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
    const QString shows = expand(c.shows);
    EXPECT_TRUE((c.exitCode == 0 ? run.out : run.err).contains(shows)) << shows.toStdString();
    // Refused before anything is calculated: nothing on stdout.
    EXPECT_TRUE(c.exitCode != 2 || run.out.isEmpty()) << run.out.toStdString();
    const QRegularExpression nonFinite(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(nonFinite.match(run.out + run.err).hasMatch());

    // A failed run leaves everything as it was; a run that succeeds only adds what it was asked to write.
    const QMap<QString, QByteArray> after = snapshot(folder.path());
    for (auto it = before.begin(); it != before.end(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_TRUE(c.exitCode == 0 || after.keys() == before.keys());
    // The headless program never writes the user's settings.
    EXPECT_TRUE(snapshot(home.path()).isEmpty());
}

std::vector<CliCase> hostileCases()
{
    std::vector<CliCase> cases;
    for (QStringList c : test::readCases("cli_hostile.txt"))
        cases.push_back({c[0].toStdString(), c[1].toUtf8(), c[2].toUtf8(), c[3].toInt(),
                         c[4].replace(QLatin1String("\\n"), QLatin1String("\n")).toUtf8()});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cli, HostileTest, ::testing::ValuesIn(hostileCases()),
                         [](const auto& info) { return info.param.name; });

// Every figure and screen report command per demo facility (two landfills of one province and a dredging
// depot without forecast).
TEST_F(CliTest, OutputOfEveryDemoFacility)
{
    // golden file|arguments
    const char* const commands[] = {
        "doelvermogen.json|doelvermogen --json --btw=19",
        "doelvermogen.txt|doelvermogen --btw 0",
        "heffing.json|heffing --json",
        "heffing.txt|heffing",
        "rapport-voorziening.txt|rapport --scherm",
        "rapport-rubriek.txt|rapport --scherm --secties doelvermogen,heffing --indeling rubriek",
        "rapport-talvo.txt|rapport --scherm --indeling=talvo"};
    for (const char* id : {"1", "2", "3"}) {
        for (const char* command : commands) {
            const QList<QByteArray> fields = QByteArray(command).split('|');
            const QString golden = "cli/facility" + QLatin1String(id) + '-' + QString::fromUtf8(fields[0]);
            SCOPED_TRACE(golden.toStdString());
            const CliRun result = cli(fields[1] + " --id " + id + " {files}");
            EXPECT_TRUE(
                test::matchesGolden(golden, result.out + QStringLiteral("--- stderr\n") + result.err +
                                                QStringLiteral("--- exit %1\n").arg(result.exitCode)));
        }
    }
}

// The demo landfill compared with the other one: its JSON, whose figures of each are those doelvermogen and
// heffing give.
TEST_F(CliTest, ComparisonOfTheDemoLandfills)
{
    const CliRun run = cli("vergelijk --id 1 --met-id 2 --json {files}");
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("cli/facility1-vergelijk-2.json"),
                                    run.out + QStringLiteral("--- stderr\n") + run.err +
                                        QStringLiteral("--- exit %1\n").arg(run.exitCode)));
    const auto json = [this](const QByteArray& arguments) {
        return QJsonDocument::fromJson(cli(arguments + " --json {files}").out.toUtf8()).object();
    };
    const QJsonObject totals =
        QJsonDocument::fromJson(run.out.toUtf8()).object()[QLatin1String("totalen")].toObject();
    for (const auto& [state, id] : {std::pair{"eerder", " --id 2"}, std::pair{"nu", " --id 1"}}) {
        const QJsonObject figures = totals[QLatin1String(state)].toObject();
        const QJsonObject targetCapital = json(QByteArray("doelvermogen") + id);
        EXPECT_EQ(figures[QLatin1String("somA")], targetCapital[QLatin1String("somA_inclOnvoorzien")]);
        EXPECT_EQ(figures[QLatin1String("somB")], targetCapital[QLatin1String("somB_inclDirectievoering")]);
        EXPECT_EQ(figures[QLatin1String("somC")], targetCapital[QLatin1String("somC")]);
        EXPECT_EQ(figures[QLatin1String("DoelvermogenMetRisicoFonds")],
                  targetCapital[QLatin1String("DoelvermogenMetRisicoFonds")]);
        EXPECT_EQ(figures[QLatin1String("HeffingPerTon_prijspeil_tRef")],
                  json(QByteArray("heffing") + id)[QLatin1String("HeffingPerTon_prijspeil_tRef")]);
    }
}

// The overview of the demo data file as JSON, as CSV of the depots and as text of one province.
TEST_F(CliTest, OverviewOfTheDemoData)
{
    QString text;
    for (const char* command :
         {"overzicht --json", "overzicht --csv --type depot", "overzicht --provincie noord-brabant"}) {
        const CliRun result = cli(QByteArray(command) + " {files}");
        text += QStringLiteral("=== %1 (exit %2)\n").arg(QLatin1String(command)).arg(result.exitCode) +
                result.out + result.err;
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("cli/overzicht.txt"), text));
}

// The overview as a spreadsheet: the totals are formulas over the rows with the figures computed cached, and
// LibreOffice reads every sheet and shows each cell in its format (here in Dutch).
TEST_F(CliTest, OverviewAsWorkbook)
{
    const QString workbook = folder.filePath(QStringLiteral("overzicht.xlsx"));
    const CliRun written = cli("overzicht --out {folder}/overzicht.xlsx {files}");
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(test::readDocxPart(workbook, QStringLiteral("xl/worksheets/sheet2.xml")))
                    .contains(QLatin1String("<f>SUMIF('Inrichtingen'!D2:D4,A2,'Inrichtingen'!N2:N4)</f>"
                                            "<v>42156175</v>")));
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir profile; // of its own, so a LibreOffice the user has open does not take the job
    QProcess soffice;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("nl_NL.UTF-8"));
    soffice.setProcessEnvironment(environment);
    soffice.start(QStringLiteral("soffice"),
                  {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(), "--headless",
                   "--convert-to",
                   "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true,false,false,-1", "--outdir",
                   folder.path(), workbook});
    ASSERT_TRUE(soffice.waitForFinished(120000));
    QString text;
    for (const char* sheet : {"Inrichtingen", "Totalen"}) {
        QFile csv(folder.filePath(QStringLiteral("overzicht-%1.csv").arg(QLatin1String(sheet))));
        EXPECT_TRUE(csv.open(QIODevice::ReadOnly)) << sheet;
        text += QString::fromUtf8(csv.readAll());
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("cli/overzicht-xlsx.txt"), text));
}

// The landfill on the 2007 checklist: the versions on offer with the comparison with the newest, and the
// 2013 version applied; the one on the 2013 checklist moved to its revised edition at the same price level.
TEST_F(CliTest, VersionChangeOfTheDemoLandfills)
{
    const char* const commands[] = {
        "2-checklistversie.txt|checklistversie --id 2",
        "2-checklistversie-2013.json|checklistversie --id 2 --naar 3 --toepassen --json",
        "1-checklistversie-2014.txt|checklistversie --toepassen --id 1"};
    for (const char* command : commands) {
        const QList<QByteArray> fields = QByteArray(command).split('|');
        const QString golden = "cli/facility" + QString::fromUtf8(fields[0]);
        SCOPED_TRACE(golden.toStdString());
        const CliRun result = cli(fields[1] + " {files}");
        EXPECT_TRUE(test::matchesGolden(golden, result.out + QStringLiteral("--- stderr\n") + result.err +
                                                    QStringLiteral("--- exit %1\n").arg(result.exitCode)));
    }
}

// The sensitivity analysis of each mode, the expenditure schedule as text and CSV and the uncertainty
// analysis as text and JSON, of the landfill on the 2013 checklist.
TEST_F(CliTest, AnalysesOfADemoLandfill)
{
    QString text;
    for (const char* command :
         {"gevoeligheid --rente --van 1,5 --tot 4",
          "gevoeligheid --inflatie --van 1 "
          "--tot 3 --stappen 3 --json",
          "gevoeligheid --alternatief --rente 3 --inflatie=2,5", "uitgavenschema --jaren 12",
          "uitgavenschema --csv --jaren 3",
          "onzekerheid --rente-verdeling normaal --rente-sd 0.5 --inflatie-verdeling driehoek "
          "--inflatie-van 1.5 --inflatie-tot 3 --correlatie -0.3 --kosten-spreiding 4:-10:25 "
          "--kosten-spreiding 5:-5:30:uniform --trekkingen 500 --zaad 7",
          "onzekerheid --rente-verdeling uniform --rente-van 4 --rente-tot 6 --json"}) {
        const CliRun result = cli(QByteArray(command) + " --id 1 {files}");
        text += QStringLiteral("=== %1 (exit %2)\n").arg(QLatin1String(command)).arg(result.exitCode) +
                result.out + result.err;
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("cli/facility1-analyses.txt"), text));
}

// A facility exported and imported again: a taken name refuses without asking, --naam gives another.
TEST_F(CliTest, ExportAndImportOfADemoFacility)
{
    const CliRun exported = cli("export --id 2 --out {folder}/vlagheide.xml {files}");
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, expand("geëxporteerd: {folder}/vlagheide.xml\n"));
    const CliRun taken = cli("import {folder}/vlagheide.xml {files}");
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_EQ(taken.err, u"De naam 'Stortplaats Vlagheide' komt reeds voor in uw databestand.\n");
    const CliRun imported = cli("import {folder}/vlagheide.xml {files} --naam", {"Vlagheide 2"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, u"geïmporteerd: idrStort_ID 4\n");
    // The same figures up to the cost items, which have other ids.
    const auto figures = [](const CliRun& run) {
        return run.out.section(u',', 2).section(QStringLiteral("\"items\""), 0, 0);
    };
    EXPECT_EQ(figures(cli("doelvermogen {files} --json --facility", {"Vlagheide 2"})),
              figures(cli("doelvermogen --id 2 {files} --json")));
}

// What scripts and other programs read is the same in every locale: JSON and CSV (with the Dutch texts in
// them), and every value that a version change converts and stores (seen in the facility's exchange file).
TEST_F(CliTest, DataIsTheSameInEveryLocale)
{
    const char* const commands[] = {
        "doelvermogen --json --btw 19,5 --id 2",
        "heffing --json --id 1",
        "overzicht --json",
        "onzekerheid --inflatie-verdeling normaal --inflatie-sd 0.5 --trekkingen 200 --json --id 1",
        "gevoeligheid --inflatie --van 1,5 --tot 3 --stappen 3 --json --id 1",
        "uitgavenschema --csv --jaren 5 --id 2",
        "checklistversie --id 2 --naar 3 --toepassen --json",
        "export --id 2 --out {folder}/vlagheide.xml"};
    QMap<QString, QByteArray> outputs;
    for (const QString& name : {QStringLiteral("C.UTF-8"), QStringLiteral("nl_NL.UTF-8")}) {
        locale = name;
        QFile::remove(demoData);
        ASSERT_EQ(folder.copyDemoData(), demoData);
        QByteArray& output = outputs[name];
        for (const char* command : commands) {
            const CliRun run = cli(QByteArray(command) + " {files}");
            EXPECT_EQ(run.exitCode, 0) << command << ' ' << run.err.toStdString();
            output += run.out.toUtf8();
        }
        QFile exported(folder.filePath(QStringLiteral("vlagheide.xml")));
        ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
        output += exported.readAll();
    }
    EXPECT_EQ(outputs.first().split('\n'), outputs.last().split('\n'));
    // The converted risk amount keeps its cents.
    EXPECT_TRUE(outputs.first().contains("sngAlgRisicoBedrag='195904.81"))
        << outputs.first().right(3000).constData();
}

// A change refused halfway leaves the facility's records as they were (an encrypted file rolled back need
// not keep its bytes, so its contents are compared).
TEST_F(CliTest, RefusedVersionChangeChangesNoRecord)
{
    const auto records = [this] {
        std::unique_ptr<Database> db = Database::open(demoData, Database::OpenMode::ReadWrite);
        return test::queryRows(*db, QStringLiteral("SELECT * FROM tblStort")) +
               test::queryRows(*db, QStringLiteral("SELECT * FROM tblInrichting")) +
               test::queryRows(*db, QStringLiteral("SELECT * FROM tblAct"));
    };
    {
        std::unique_ptr<Database> db = Database::open(demoData, Database::OpenMode::ReadWrite);
        ASSERT_TRUE(
            db->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblAct WHEN old.idrAct_ID = "
                                    "40 BEGIN SELECT RAISE(ABORT, 'geweigerd'); END")));
    }
    const QStringList before = records();
    const CliRun run = cli("checklistversie --id 2 --toepassen {files}");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Het wijzigen van de checklistversie is mislukt. Er is niets gewijzigd.\n"
                             "geweigerd\n"));
    EXPECT_EQ(records(), before);
}

// The document of the facility named is written where asked, with the sections chosen, as .docx or PDF; its
// contents are the report tests'.
TEST_F(CliTest, DocumentHoldsTheChosenSections)
{
    const CliRun written =
        cli("invoerrapport --out={folder}/invoer.docx --secties kostenposten {files} --facility",
            {"Baggerdepot Hollandsch Diep"});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QString path = folder.filePath(QStringLiteral("invoer.docx"));
    const QStringList lines = test::readDocx(test::readDocxPart(path, "word/document.xml")).lines();
    EXPECT_TRUE(lines.contains(QStringLiteral(">>  Kostenposten")));
    EXPECT_FALSE(lines.contains(QStringLiteral(">>  Voorzieningen")));

    // A name ending in .pdf (in any case) gets a PDF.
    for (const char* command : {"invoerrapport --id 3 {files} --out {folder}/r.PDF",
                                "rapport --id 1 {files} --secties heffing --out {folder}/r.PDF"}) {
        const CliRun pdf = cli(command);
        EXPECT_EQ(pdf.exitCode, 0);
        // Nothing said on stderr, nothing left behind in the temporary folder.
        EXPECT_TRUE(pdf.err.isEmpty()) << pdf.err.toStdString();
        EXPECT_TRUE(snapshot(home.path()).isEmpty());
        QFile file(folder.filePath(QStringLiteral("r.PDF")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(5) == "%PDF-") << command;
    }
}

// update against a local server: the check as scripts read it with its exit status, and a newer checklist
// file installed over the given one only when it arrived whole and validly signed. The downloads themselves
// are the core's.
TEST_F(CliTest, UpdateChecksAndInstallsTheChecklist)
{
    const QByteArray offered = folder.offeredChecklist(15);
    test::LocalHttpServer server({{"updateinfo_isinonderhoud.txt", "0"},
                                  {"updateinfo_prog.txt", "31,1-3-2027,dovra,5"},
                                  {"updateinfo_cl.txt", "14,1-1-2026,dbTALVOCL.mdb,2048"},
                                  {"dbTALVOCL.mdb", offered},
                                  {"dbTALVOCL.mdb.sig", test::sign(offered + 'x')}});
    // The update folder also without its final "/".
    const QByteArray files =
        "--adres " + server.base().toEncoded().chopped(1) + " --checklistbestand {checklist}";
    CliRun run = cli("update --controleer " + files);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, u"onderhoud: 0\nchecklist-status: 0\nprogramma-status: 1\ninformatie:\n"
                       u"- programmaversie: 3.1\n- datum: 1-3-2027\n");
    server.setPage(QStringLiteral("updateinfo_prog.txt"), "30,1-1-2026,dovra,5");
    EXPECT_EQ(cli("update --checklist " + files).out, u"checklist-volgnummer: 14 (actueel)\n");

    const QByteArray before = snapshot(folder.path()).value(checklist);
    server.setPage(QStringLiteral("updateinfo_cl.txt"), "15,1-2-2027,dbTALVOCL.mdb,2048");
    run = cli("update --checklist " + files);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"Het aantal bytes dat gedownload is klopt niet.")) << run.err.toStdString();
    EXPECT_EQ(snapshot(folder.path()).value(checklist), before);

    server.setPage(QStringLiteral("updateinfo_cl.txt"),
                   "15,1-2-2027,dbTALVOCL.mdb," + QByteArray::number(offered.size()));
    run = cli("update --checklist " + files);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(u"De handtekening van dbTALVOCL.mdb is ongeldig")) << run.err.toStdString();
    EXPECT_EQ(snapshot(folder.path()).value(checklist), before);
    server.setSignedPage(QStringLiteral("dbTALVOCL.mdb"), offered);
    run = cli("update --checklist " + files);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u"checklist-volgnummer: 15 (geïnstalleerd)\n");
    EXPECT_EQ(cli("update --controleer " + files).exitCode, 0);

    // Nobody listens on port 1: no information; a wrong address or command line is refused before anything
    // is fetched.
    const std::pair<QByteArray, const char*> refused[] = {
        {"update --controleer --adres http://127.0.0.1:1/", "checklist-status: 9"},
        {"update --controleer --adres http://127.0.0.1:1/",
         "Oorzaak: de server 127.0.0.1 weigert de verbinding."},
        {"update --checklist --adres ftp://127.0.0.1/", "http- of https-adres"},
        {"update --controleer --checklist", "Geef --controleer of --checklist op."},
        {"update --controleer --checklist=x", "De optie --checklist heeft geen waarde."}};
    for (const auto& [arguments, shows] : refused) {
        run = cli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.constData();
        EXPECT_TRUE(QString(run.out + run.err).contains(QString::fromUtf8(shows))) << run.err.toStdString();
    }
}

} // namespace
