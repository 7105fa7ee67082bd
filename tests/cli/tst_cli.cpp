// dovra-cli as scripts use it: exact output, messages on stderr, exit statuses.
#include "storage/database.h"
#include "support/cliprocess.h"
#include "support/docxinspect.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

TEST_F(CliTest, BadArgumentsExitWithTwo)
{
    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("onbekend")}).exitCode, 2);
    const CliRun result = run({QStringLiteral("info"), QStringLiteral("--datum")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QLatin1String("gebruik: dovra-cli")));
}

// The demo data file's three facilities: two landfills of one province and a dredging depot.
const QStringList DemoFacilities{QStringLiteral("Stortplaats De Kragge"),
                                 QStringLiteral("Stortplaats Vlagheide"),
                                 QStringLiteral("Baggerdepot Hollandsch Diep")};

QJsonObject jsonOf(const CliRun& run)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    return document.object();
}

TEST_F(CliTest, TargetCapitalOfEveryDemoFacility)
{
    const QString data = folder.copyDemoData();
    for (const QString& name : DemoFacilities) {
        const CliRun run = this->run(
            {QStringLiteral("doelvermogen"), QStringLiteral("--json"), QStringLiteral("--btw"),
             QStringLiteral("19"), QStringLiteral("--facility"), name, QStringLiteral("--data"), data,
             QStringLiteral("--checklist"), folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
        EXPECT_EQ(run.exitCode, 0) << name.toStdString() << run.err.toStdString();
        EXPECT_EQ(run.err, QString());
        const QJsonObject figures = jsonOf(run);
        EXPECT_TRUE(figures.value(QStringLiteral("ok")).toBool());
        EXPECT_EQ(figures.value(QStringLiteral("strStortNaam")).toString(), name);

        // The sums fit together as the report shows them (single precision).
        auto f = [&figures](const char* key) {
            return float(figures.value(QLatin1String(key)).toDouble());
        };
        EXPECT_GT(f("DoelvermogenZonderRisicoFonds"), 0.0f);
        EXPECT_FLOAT_EQ(f("somA_inclOnvoorzien"), f("somA_exclOnvoorzien") + f("toeslagA"));
        EXPECT_FLOAT_EQ(f("somB_inclDirectievoering"), f("somB_exclDirectievoering") + f("toeslagB"));
        EXPECT_FLOAT_EQ(f("somC"), f("sngAppKostenTotaalKAP") + f("sngCommunicatieKostenKAP") +
                                       f("sngRapEvalKostenKAP"));
        EXPECT_FLOAT_EQ(f("DoelvermogenMetRisicoFonds"),
                        f("DoelvermogenZonderRisicoFonds") + f("sngRisicobedragKAP"));
        EXPECT_FLOAT_EQ(f("BTWbedrag"), 0.19f * f("DoelvermogenMetRisicoFonds"));

        const QJsonObject subtotals = figures.value(QStringLiteral("subtotalen")).toObject();
        EXPECT_EQ(subtotals.value(QStringLiteral("rubriek")).toArray().size(), 6);
        EXPECT_EQ(subtotals.value(QStringLiteral("objectcategorie")).toArray().size(), 7);
        EXPECT_EQ(subtotals.value(QStringLiteral("herkomst")).toArray().size(), 3);
        float rubrics14 = 0;
        for (int rubric = 0; rubric < 4; ++rubric)
            rubrics14 += float(subtotals.value(QStringLiteral("rubriek")).toArray().at(rubric).toDouble());
        EXPECT_NEAR(rubrics14, f("somA_exclOnvoorzien"), 1.0f);

        const QJsonArray items = figures.value(QStringLiteral("items")).toArray();
        EXPECT_GT(items.size(), 5);
        for (const QJsonValue& item : items) {
            const QJsonValue first = item.toObject().value(QStringLiteral("eerste"));
            EXPECT_TRUE(first.isDouble() || first.isNull() || first.toString() == QLatin1String("nvt"));
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

TEST_F(CliTest, TargetCapitalAsText)
{
    const CliRun run =
        this->run({QStringLiteral("doelvermogen"), QStringLiteral("--facility"),
                   QStringLiteral("Stortplaats Vlagheide"), QStringLiteral("--btw"), QStringLiteral("0"),
                   QStringLiteral("--data"), folder.copyDemoData(), QStringLiteral("--checklist"),
                   folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QLatin1String("Inrichting: Stortplaats Vlagheide (id 2)\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Doelvermogen met risicofonds: € ")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("BTW 0%: € 0\n")));
}

TEST_F(CliTest, LevyOfTheDemoFacilities)
{
    const QString data = folder.copyDemoData();
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    // The two landfills of Noord-Brabant are equalised.
    for (const QString& name : {DemoFacilities[0], DemoFacilities[1]}) {
        const CliRun run =
            this->run({QStringLiteral("heffing"), QStringLiteral("--json"), QStringLiteral("--facility"),
                       name, QStringLiteral("--data"), data, QStringLiteral("--checklist"), checklist});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject levy = jsonOf(run);
        EXPECT_TRUE(levy.value(QStringLiteral("ValidatieOK")).toBool());
        EXPECT_EQ(levy.value(QStringLiteral("rapStortNamen")).toString(),
                  QStringLiteral(", Stortplaats De Kragge, Stortplaats Vlagheide"));
        EXPECT_EQ(levy.value(QStringLiteral("intAantaljaren")).toInt(), 5);
        EXPECT_GT(levy.value(QStringLiteral("HeffingPerTon_prijspeil_tRef")).toDouble(), 0.0);
        EXPECT_NEAR(levy.value(QStringLiteral("rapControleDVsom")).toDouble(),
                    levy.value(QStringLiteral("DVref")).toDouble(),
                    levy.value(QStringLiteral("DVref")).toDouble() * 1e-6);
        const QJsonArray years = levy.value(QStringLiteral("jaren")).toArray();
        ASSERT_EQ(years.size(), 5);
        EXPECT_EQ(years.at(0).toObject().value(QStringLiteral("jaar")).toInt(), 2025);
        // Supplies of both landfills in 2025: 410 and 220 kton.
        EXPECT_EQ(years.at(0).toObject().value(QStringLiteral("kton")).toInt(), 630);
    }

    // The depot is object-bound and has no forecast: told so, levy 0.
    const CliRun depot = this->run({QStringLiteral("heffing"), QStringLiteral("--json"),
                                    QStringLiteral("--facility"), DemoFacilities[2], QStringLiteral("--data"),
                                    data, QStringLiteral("--checklist"), checklist});
    EXPECT_TRUE(depot.err.contains(QLatin1String("Berekening heffingen: Er zijn geen gegevens beschikbaar")));
    EXPECT_EQ(jsonOf(depot).value(QStringLiteral("HeffingPerTon_prijspeil_tRef")).toDouble(), 0.0);
}

TEST_F(CliTest, FiguresNeedAFacilityAndAValidVat)
{
    const QString data = folder.copyDemoData();
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    const QStringList files{QStringLiteral("--data"), data, QStringLiteral("--checklist"), checklist};
    EXPECT_EQ(run(QStringList{QStringLiteral("doelvermogen")} + files).exitCode, 2);
    EXPECT_EQ(run(QStringList{QStringLiteral("doelvermogen"), QStringLiteral("--facility"),
                              QStringLiteral("Onbekend")} +
                  files)
                  .exitCode,
              2);
    EXPECT_EQ(run(QStringList{QStringLiteral("doelvermogen"), QStringLiteral("--id"), QStringLiteral("1"),
                              QStringLiteral("--btw"), QStringLiteral("31")} +
                  files)
                  .exitCode,
              2);
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

TEST_F(CliTest, ReportsOfEveryDemoFacility)
{
    const QString data = folder.copyDemoData();
    const QStringList files{QStringLiteral("--data"), data, QStringLiteral("--checklist"),
                            folder.filePath(QStringLiteral("dbTALVOCL.mdb"))};
    for (const QString& name : DemoFacilities) {
        const QString report = folder.filePath(name + QStringLiteral(".docx"));
        const CliRun written = run(QStringList{QStringLiteral("rapport"), QStringLiteral("--facility"), name,
                                               QStringLiteral("--out"), report} +
                                   files);
        // The depot has no forecast: the levy tells why it is left out, the rest is written.
        EXPECT_EQ(written.exitCode, 0) << name.toStdString() << written.err.toStdString();
        const QStringList lines =
            test::readDocx(test::readDocxPart(report, QStringLiteral("word/document.xml"))).lines();
        EXPECT_TRUE(lines.contains(QStringLiteral("R a p p o r t a g e   D O V R A")));
        EXPECT_TRUE(lines.contains(QStringLiteral("Inrichting: ") + name));

        const QString input = folder.filePath(name + QStringLiteral(" invoer.docx"));
        const CliRun inputRun = run(QStringList{QStringLiteral("invoerrapport"), QStringLiteral("--facility"),
                                                name, QStringLiteral("--out"), input,
                                                QStringLiteral("--secties"), QStringLiteral("kostenposten")} +
                                    files);
        EXPECT_EQ(inputRun.exitCode, 0) << inputRun.err.toStdString();
        const QStringList inputLines =
            test::readDocx(test::readDocxPart(input, QStringLiteral("word/document.xml"))).lines();
        EXPECT_TRUE(inputLines.contains(QStringLiteral(">>  Kostenposten")));
        EXPECT_FALSE(inputLines.contains(QStringLiteral(">>  Voorzieningen")));
    }
}

TEST_F(CliTest, ScreenReportGoesToStandardOutput)
{
    const CliRun screen = run(
        {QStringLiteral("rapport"), QStringLiteral("--scherm"), QStringLiteral("--id"), QStringLiteral("2"),
         QStringLiteral("--secties"), QStringLiteral("doelvermogen,heffing"), QStringLiteral("--indeling"),
         QStringLiteral("rubriek"), QStringLiteral("--data"), folder.copyDemoData(),
         QStringLiteral("--checklist"), folder.filePath(QStringLiteral("dbTALVOCL.mdb"))});
    ASSERT_EQ(screen.exitCode, 0) << screen.err.toStdString();
    const QStringList lines = screen.out.split(u'\n');
    // Headings on two lines, tab-separated, then block A before the replacements.
    EXPECT_TRUE(lines.value(0).startsWith(
        QLatin1String("\tpost\taanleg\teerste\tlaatste\tfrequentie\tkosten (prijspeil ")))
        << lines.value(0).toStdString();
    EXPECT_TRUE(screen.out.contains(QLatin1String("Jaarlijkse nazorgkosten (A)")));
    EXPECT_LT(screen.out.indexOf(QLatin1String("Jaarlijkse nazorgkosten (A)")),
              screen.out.indexOf(QLatin1String("B: Vervangingskosten")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Rapportage heffingen:")));
    EXPECT_TRUE(screen.out.contains(
        QLatin1String("Betrokken inrichtingen:, Stortplaats De Kragge, Stortplaats Vlagheide. ")));
}

TEST_F(CliTest, ReportArgumentsAreChecked)
{
    const QString data = folder.copyDemoData();
    const QStringList files{QStringLiteral("--id"),        QStringLiteral("1"),
                            QStringLiteral("--data"),      data,
                            QStringLiteral("--checklist"), folder.filePath(QStringLiteral("dbTALVOCL.mdb"))};
    const QString out = folder.filePath(QStringLiteral("r.docx"));
    // Neither a file nor the screen, an unknown section, an unknown grouping: nothing is written.
    EXPECT_EQ(run(QStringList{QStringLiteral("rapport")} + files).exitCode, 2);
    EXPECT_EQ(run(QStringList{QStringLiteral("rapport"), QStringLiteral("--out"), out,
                              QStringLiteral("--secties"), QStringLiteral("voorblad,inhoud")} +
                  files)
                  .exitCode,
              2);
    EXPECT_EQ(run(QStringList{QStringLiteral("rapport"), QStringLiteral("--out"), out,
                              QStringLiteral("--indeling"), QStringLiteral("alfabet")} +
                  files)
                  .exitCode,
              2);
    EXPECT_EQ(run(QStringList{QStringLiteral("invoerrapport")} + files).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(out));

    // A place no document can be saved: refused before the facility is opened, nothing left behind.
    const QString nowhere = folder.filePath(QStringLiteral("geen map/r.docx"));
    const CliRun unsaved =
        run(QStringList{QStringLiteral("invoerrapport"), QStringLiteral("--out"), nowhere} + files);
    EXPECT_EQ(unsaved.exitCode, 2);
    EXPECT_EQ(unsaved.err, QStringLiteral("De rapportage kan niet worden opgeslagen: de map '") +
                               folder.filePath(QStringLiteral("geen map")) +
                               QStringLiteral("' bestaat niet.\n"));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

} // namespace
