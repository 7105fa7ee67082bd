// dovra-cli as scripts use it: exact output, messages on stderr, exit statuses.
#include "storage/database.h"
#include "support/cliprocess.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <QFileInfo>
#include <QRegularExpression>
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

    CliRun run(const QStringList& arguments)
    {
        CliRun result = test::runCli(arguments, home.path());
        EXPECT_TRUE(result.finished);
        return result;
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

// The output of every figure and screen report command per demo facility (two landfills of one province
// and a dredging depot without forecast), with its messages and exit status.
TEST_F(CliTest, OutputOfEveryDemoFacility)
{
    const QStringList files{QStringLiteral("--data"), folder.copyDemoData(), QStringLiteral("--checklist"),
                            folder.filePath(QStringLiteral("dbTALVOCL.mdb"))};
    const struct
    {
        const char* name;
        QStringList arguments;
    } commands[] = {
        {"doelvermogen.json",
         {QStringLiteral("doelvermogen"), QStringLiteral("--json"), QStringLiteral("--btw=19")}},
        {"doelvermogen.txt", {QStringLiteral("doelvermogen"), QStringLiteral("--btw"), QStringLiteral("0")}},
        {"heffing.json", {QStringLiteral("heffing"), QStringLiteral("--json")}},
        {"heffing.txt", {QStringLiteral("heffing")}},
        {"rapport-voorziening.txt", {QStringLiteral("rapport"), QStringLiteral("--scherm")}},
        {"rapport-rubriek.txt",
         {QStringLiteral("rapport"), QStringLiteral("--scherm"), QStringLiteral("--secties"),
          QStringLiteral("doelvermogen,heffing"), QStringLiteral("--indeling"), QStringLiteral("rubriek")}},
        {"rapport-talvo.txt",
         {QStringLiteral("rapport"), QStringLiteral("--scherm"), QStringLiteral("--indeling=talvo")}},
    };
    for (const QString& id : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
        for (const auto& command : commands) {
            const QString golden = QStringLiteral("cli/facility%1-%2").arg(id, QLatin1String(command.name));
            SCOPED_TRACE(golden.toStdString());
            const CliRun result = run(command.arguments + QStringList{QStringLiteral("--id"), id} + files);
            EXPECT_TRUE(
                test::matchesGolden(golden, result.out + QStringLiteral("--- stderr\n") + result.err +
                                                QStringLiteral("--- exit %1\n").arg(result.exitCode)));
        }
    }
}

TEST_F(CliTest, NumbersReadBackAsTheValuesHeld)
{
    const CliRun run =
        this->run({QStringLiteral("doelvermogen"), QStringLiteral("--json"), QStringLiteral("--id"),
                   QStringLiteral("1"), QStringLiteral("--data"), folder.copyDemoData(),
                   QStringLiteral("--checklist"), folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    ASSERT_EQ(run.exitCode, 0);
    // q is a double, written with the digits of a double; sums are singles, with the digits of a single.
    const QRegularExpression qValue(QStringLiteral("\"q\":([0-9.e+-]+)"));
    const QString q = qValue.match(run.out).captured(1);
    EXPECT_NEAR(q.toDouble(), 1.02 / 1.0506, 1e-7) << q.toStdString();
    EXPECT_GT(q.size(), 12) << q.toStdString();
    const QRegularExpression total(QStringLiteral("\"DoelvermogenMetRisicoFonds\":([0-9.e+-]+)"));
    const QString dv = total.match(run.out).captured(1);
    EXPECT_LE(dv.size(), 12) << dv.toStdString();
    EXPECT_EQ(float(dv.toDouble()), dv.toFloat());
}

TEST_F(CliTest, FailedCalculationExitsWithOne)
{
    const QString data = folder.copyDemoData();
    {
        auto db = Database::open(data, Database::OpenMode::ReadWrite);
        ASSERT_TRUE(db->exec(QStringLiteral("UPDATE tblStort SET sngNazorgOpp = 0 WHERE idrStort_ID = 2")));
    }
    const CliRun run = this->run({QStringLiteral("doelvermogen"), QStringLiteral("--id"), QStringLiteral("2"),
                                  QStringLiteral("--data"), data, QStringLiteral("--checklist"),
                                  folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.startsWith(QLatin1String("Invoer onvolledig bij Stortplaats Vlagheide: Er is geen (geldig) "
                                         "nazorgoppervlak ingevoerd")));
}

// Arguments that are refused before any file is used: exit status 2, nothing written.
TEST_F(CliTest, BadArgumentsExitWithTwo)
{
    const QStringList files{QStringLiteral("--data"), folder.copyDemoData(), QStringLiteral("--checklist"),
                            folder.filePath(QStringLiteral("dbTALVOCL.mdb"))};
    const QStringList facility = QStringList{QStringLiteral("--id"), QStringLiteral("1")} + files;
    const QString out = folder.filePath(QStringLiteral("r.docx"));
    const QString nowhere = folder.filePath(QStringLiteral("geen map/r.docx"));
    const struct
    {
        QStringList arguments;
        QString err; // text stderr holds, if any
    } cases[] = {
        {{}, {}},
        {{QStringLiteral("onbekend")}, {}},
        {{QStringLiteral("info"), QStringLiteral("--datum")}, QStringLiteral("gebruik: dovra-cli")},
        {QStringList{QStringLiteral("doelvermogen")} + files, {}},
        {QStringList{QStringLiteral("doelvermogen"), QStringLiteral("--facility"),
                     QStringLiteral("Onbekend")} +
             files,
         {}},
        {QStringList{QStringLiteral("doelvermogen"), QStringLiteral("--btw"), QStringLiteral("31")} +
             facility,
         {}},
        // Neither a file nor the screen, an unknown section, an unknown grouping.
        {QStringList{QStringLiteral("rapport")} + facility, {}},
        {QStringList{QStringLiteral("rapport"), QStringLiteral("--out"), out, QStringLiteral("--secties"),
                     QStringLiteral("voorblad,inhoud")} +
             facility,
         {}},
        {QStringList{QStringLiteral("rapport"), QStringLiteral("--out"), out, QStringLiteral("--indeling"),
                     QStringLiteral("alfabet")} +
             facility,
         {}},
        {QStringList{QStringLiteral("invoerrapport")} + facility, {}},
        // A place no document can be saved: refused before the facility is opened.
        {QStringList{QStringLiteral("invoerrapport"), QStringLiteral("--out"), nowhere} + facility,
         QStringLiteral("De rapportage kan niet worden opgeslagen: de map '") +
             folder.filePath(QStringLiteral("geen map")) + QStringLiteral("' bestaat niet.\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, QString());
        EXPECT_TRUE(result.err.contains(c.err)) << result.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

// The documents of the facility named are written where asked, with the sections chosen; their contents
// are the report tests'.
TEST_F(CliTest, DocumentsHoldTheChosenSections)
{
    const QString name = QStringLiteral("Baggerdepot Hollandsch Diep");
    const QStringList facility{
        QStringLiteral("--facility"),  name,
        QStringLiteral("--data"),      folder.copyDemoData(),
        QStringLiteral("--checklist"), folder.filePath(QStringLiteral("dbTALVOCL.mdb"))};
    const QString report = folder.filePath(QStringLiteral("rapport.docx"));
    // The depot has no forecast: the levy tells why it is left out, the rest is written.
    const CliRun written =
        run(QStringList{QStringLiteral("rapport"), QStringLiteral("--out"), report} + facility);
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QStringList lines =
        test::readDocx(test::readDocxPart(report, QStringLiteral("word/document.xml"))).lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("R a p p o r t a g e   D O V R A")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Inrichting: ") + name));

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
