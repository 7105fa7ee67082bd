#include "cli.h"

#include "base/datatext.h"
#include "base/programpaths.h"
#include "base/programversion.h"
#include "base/settings.h"
#include "checklist/checklistsystem.h"
#include "clianalysis.h"
#include "clicompare.h"
#include "cliexchange.h"
#include "clifigures.h"
#include "clioverview.h"
#include "clireports.h"
#include "cliuncertainty.h"
#include "cliupdate.h"
#include "cliversion.h"
#include "facility/clsStort.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/lookups.h"
#include "storage/outputtarget.h"
#include "storage/workspace.h"
#include "update/startupupdate.h"
#include "update/updatecheck.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <limits>

namespace dovra {

namespace {

// The synopsis of every command with a line on what it does; "man dovra-cli" tells the rest.
const QString Usage = QStringLiteral(
    "gebruik: dovra-cli info [--data BESTAND] [--checklist BESTAND]\n"
    "             Drukt de programmaversie en het checklist- en databestand met hun versies af.\n"
    "         dovra-cli doelvermogen (--facility NAAM | --id N) [--btw PCT] [--json] [--data BESTAND] "
    "[--checklist BESTAND]\n"
    "             Berekent het doelvermogen van een inrichting, met de bedragen per kostenpost.\n"
    "         dovra-cli heffing (--facility NAAM | --id N) [--json] [--data BESTAND] [--checklist BESTAND]\n"
    "             Berekent de heffing per ton, met de bedragen per prognosejaar.\n"
    "         dovra-cli rapport (--facility NAAM | --id N) (--out BESTAND.docx | --out BESTAND.pdf | "
    "--out BESTAND.xlsx | --scherm) "
    "[--secties voorblad,doelvermogen,checklist,heffing] [--indeling voorziening|rubriek|talvo] [--btw PCT] "
    "[--data BESTAND] [--checklist BESTAND]\n"
    "             Schrijft het rapport doelvermogen en heffing als Word-document, PDF of Excel-bestand, of "
    "drukt met --scherm de tekst van het rapportvenster af.\n"
    "         dovra-cli invoerrapport (--facility NAAM | --id N) (--out BESTAND.docx | --out BESTAND.pdf) "
    "[--secties algemeen,voorzieningen,kostenposten,checklist] [--data BESTAND] [--checklist BESTAND]\n"
    "             Schrijft het rapport van de ingevoerde gegevens als Word-document of PDF.\n"
    "         dovra-cli overzicht [--provincie NAAM] [--type stortplaats|depot] [--json | --csv | --out "
    "BESTAND.xlsx] [--data BESTAND] [--checklist BESTAND]\n"
    "             Drukt alle inrichtingen van het databestand af met hun doelvermogen en heffing, en de "
    "totalen per provincie, of schrijft ze als Excel-bestand.\n"
    "         dovra-cli checklistversie (--facility NAAM | --id N) [--naar ID] [--toepassen] [--json] "
    "[--data BESTAND] [--checklist BESTAND]\n"
    "             Vergelijkt de checklistversie van een inrichting met een nieuwere, of zet de inrichting "
    "met --toepassen over.\n"
    "         dovra-cli gevoeligheid (--facility NAAM | --id N) (--rente | --inflatie) --van PCT --tot PCT "
    "[--stappen N] [--json] [--data BESTAND] [--checklist BESTAND]\n"
    "             Berekent het doelvermogen bij een reeks rentepercentages of inflatiepercentages.\n"
    "         dovra-cli gevoeligheid (--facility NAAM | --id N) --alternatief --rente PCT --inflatie PCT "
    "[--json] "
    "[--data BESTAND] [--checklist BESTAND]\n"
    "             Berekent het doelvermogen bij \u00e9\u00e9n ander paar van rente en inflatie.\n"
    "         dovra-cli onzekerheid (--facility NAAM | --id N) [--rente-verdeling "
    "normaal|uniform|driehoek|vast] "
    "[--rente-sd PCT | --rente-van PCT --rente-tot PCT] [--inflatie-verdeling ...] [--inflatie-sd PCT | "
    "--inflatie-van PCT --inflatie-tot PCT] [--correlatie R] [--kosten-spreiding RUBRIEK:VAN:TOT ...] "
    "[--trekkingen N] [--zaad S] [--json] [--data BESTAND] [--checklist BESTAND]\n"
    "             Berekent de spreiding van het doelvermogen bij onzekere rente, inflatie en kosten.\n"
    "         dovra-cli uitgavenschema (--facility NAAM | --id N) [--jaren N] [--csv | --out BESTAND.xlsx] "
    "[--data BESTAND] [--checklist BESTAND]\n"
    "             Drukt de uitgaven per nazorgjaar en per rubriek af, of schrijft ze als Excel-bestand.\n"
    "         dovra-cli vergelijk (--facility NAAM | --id N) (--met BESTAND.xml | --met-id N) [--json] "
    "[--data BESTAND] [--checklist BESTAND]\n"
    "             Vergelijkt een inrichting met een eerdere toestand: een uitwisselingsbestand of een andere "
    "inrichting.\n"
    "         dovra-cli export (--facility NAAM | --id N) --out BESTAND.xml [--data BESTAND] [--checklist "
    "BESTAND]\n"
    "             Schrijft een inrichting naar een uitwisselingsbestand.\n"
    "         dovra-cli import BESTAND.xml [--naam NAAM] [--data BESTAND] [--checklist BESTAND]\n"
    "             Voegt de inrichting van een uitwisselingsbestand toe aan het databestand.\n"
    "         dovra-cli update (--controleer | --checklist) [--adres URL] [--checklistbestand BESTAND]\n"
    "             Vraagt de updateserver wat er nieuwer is, of installeert een nieuwer checklistbestand.\n"
    "         dovra-cli (--help | -h | help)\n"
    "             Drukt deze uitleg af.\n"
    "         dovra-cli --version\n"
    "             Drukt de programmaversie af.\n"
    "Zie man dovra-cli voor de opties en de afsluitstatus.");

// The options a command line may hold: those that take a value, those that stand alone, and those that take
// a value only when one follows ("gevoeligheid --rente --van 1" varies the interest, "gevoeligheid
// --alternatief --rente 3" sets it).
struct OptionTable
{
    QStringList values, flags, optionalValues;
};

const OptionTable CommandOptions{{QStringLiteral("data"),
                                  QStringLiteral("checklist"),
                                  QStringLiteral("facility"),
                                  QStringLiteral("id"),
                                  QStringLiteral("btw"),
                                  QStringLiteral("out"),
                                  QStringLiteral("secties"),
                                  QStringLiteral("indeling"),
                                  QStringLiteral("naar"),
                                  QStringLiteral("van"),
                                  QStringLiteral("tot"),
                                  QStringLiteral("stappen"),
                                  QStringLiteral("jaren"),
                                  QStringLiteral("naam"),
                                  QStringLiteral("met"),
                                  QStringLiteral("met-id"),
                                  QStringLiteral("rente-verdeling"),
                                  QStringLiteral("rente-sd"),
                                  QStringLiteral("rente-van"),
                                  QStringLiteral("rente-tot"),
                                  QStringLiteral("inflatie-verdeling"),
                                  QStringLiteral("inflatie-sd"),
                                  QStringLiteral("inflatie-van"),
                                  QStringLiteral("inflatie-tot"),
                                  QStringLiteral("correlatie"),
                                  QStringLiteral("kosten-spreiding"),
                                  QStringLiteral("trekkingen"),
                                  QStringLiteral("zaad"),
                                  QStringLiteral("provincie"),
                                  QStringLiteral("type")},
                                 {QStringLiteral("json"), QStringLiteral("scherm"),
                                  QStringLiteral("toepassen"), QStringLiteral("alternatief"),
                                  QStringLiteral("csv")},
                                 {QStringLiteral("rente"), QStringLiteral("inflatie")}};
// "update --checklist" installs a checklist file; the file itself is --checklistbestand there.
const OptionTable UpdateOptions{{QStringLiteral("adres"), QStringLiteral("checklistbestand")},
                                {QStringLiteral("controleer"), QStringLiteral("checklist")},
                                {}};

// A command line of positional arguments and options "--naam waarde", "--naam=waarde" or "--vlag"; a
// later option of a name wins where only one counts. Read by hand so that every mistake in it is told in
// Dutch.
struct Arguments
{
    QStringList positional;
    QMultiHash<QString, QString> options; // a flag holds an empty value

    bool isSet(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name); }
};

// The arguments; empty (after the message in *error) when the line cannot be read.
std::optional<Arguments> readArguments(const QStringList& line, const OptionTable& table, QString* error)
{
    Arguments read;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QString& argument = line[i];
        if (!argument.startsWith(u'-')) {
            read.positional.append(argument);
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.left(equals).mid(2);
        const bool valueFollows = i + 1 < line.size() && !line[i + 1].startsWith(QLatin1String("--"));
        const bool flag = table.flags.contains(name) ||
                          (table.optionalValues.contains(name) && equals < 0 && !valueFollows);
        if (!argument.startsWith(QLatin1String("--")) ||
            !(flag || table.values.contains(name) || table.optionalValues.contains(name))) {
            *error = QStringLiteral("Onbekende optie: ") + argument.left(equals);
            return std::nullopt;
        }
        if (table.flags.contains(name) && equals >= 0) {
            *error = QStringLiteral("De optie --") + name + QStringLiteral(" heeft geen waarde.");
            return std::nullopt;
        }
        if (!flag && equals < 0 && i + 1 == line.size()) {
            *error = QStringLiteral("Na de optie --") + name + QStringLiteral(" ontbreekt de waarde.");
            return std::nullopt;
        }
        read.options.insert(name, flag ? QString() : equals >= 0 ? argument.mid(equals + 1) : line[++i]);
    }
    return read;
}

// The files and settings of one run: the program's own folder, the user's settings (only read), and the
// data and checklist files of the command line or the settings.
struct Session
{
    Session()
        : workspace(ProgramPaths::detect()),
          settings(workspace.version().settingsSection(), workspace.paths().defaultDataFile())
    {
        settings.setReadOnly(true);
    }

    Workspace workspace;
    Settings settings;
};

// What a command line asks for, with every value checked before any file is opened.
struct Request
{
    QString command;
    int id = 0; // 0: the facility is named
    QString facility;
    float vat = 0;
    bool json = false;
    QString out; // the document; empty for the screen
    report::TargetCapitalReportOptions targetCapital;
    report::InputReportOptions input;
    std::optional<int> targetVersion; // checklistversie --naar
    bool apply = false;               // checklistversie --toepassen
    SensitivityMode sensitivity = SensitivityMode::Interest;
    std::vector<float> rates; // gevoeligheid: the series, or the alternative interest and inflation
    int years = 100;          // uitgavenschema --jaren
    bool csv = false;
    QString earlierFile; // vergelijk --met
    int earlierId = 0;   // vergelijk --met-id
    UncertaintySettings uncertainty;
};

// The data file of --data, or the one the settings link.
QString chosenDataFile(const Arguments& arguments, Settings& settings)
{
    return arguments.isSet(QStringLiteral("data")) ? arguments.value(QStringLiteral("data"))
                                                   : settings.dataFileName();
}

// Prepares the workspace as start-up does, without windows: checklist values read, data file linked
// silently (an older file is upgraded).
bool linkFiles(Session& session, const Arguments& arguments, QTextStream& out)
{
    if (arguments.isSet(QStringLiteral("checklist")))
        session.workspace.setChecklistFile(
            QFileInfo(arguments.value(QStringLiteral("checklist"))).absoluteFilePath());
    if (!ReadChecklistSystemValues(session.workspace))
        return false;

    const QString dataFile = chosenDataFile(arguments, session.settings);
    if (!QFileInfo(dataFile).isFile()) {
        fail(out, QStringLiteral("Koppeling databestand: het databestand ") + dataFile +
                      QStringLiteral(" is niet gevonden."));
        return false;
    }
    return LinkDataFile(session.workspace, dataFile, false, true);
}

// A whole number from min to max (none for text or a number beyond an int), or nothing.
std::optional<int> wholeNumber(const QString& text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

// A finite percentage from min to max, with a decimal point or comma, or nothing.
std::optional<float> percentage(const QString& text, float min, float max)
{
    const std::optional<float> value =
        datatext::toFloat(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
    if (!value || !std::isfinite(*value) || *value < min || *value > max)
        return std::nullopt;
    return value;
}

// The facility and the VAT percentage; the message when one of them is wrong.
std::optional<QString> readFacilityAndVat(const Arguments& arguments, Settings& settings, Request& request)
{
    if (arguments.isSet(QStringLiteral("facility")) == arguments.isSet(QStringLiteral("id")))
        return QStringLiteral("Geef de inrichting op met --facility of met --id.\n") + Usage;
    request.facility = arguments.value(QStringLiteral("facility"));
    if (arguments.isSet(QStringLiteral("id"))) {
        const std::optional<int> id =
            wholeNumber(arguments.value(QStringLiteral("id")), 1, std::numeric_limits<qint32>::max());
        if (!id)
            return QStringLiteral("Het id van de inrichting moet een geheel getal van 1 tot en met %1 zijn.")
                .arg(std::numeric_limits<qint32>::max());
        request.id = *id;
    }
    if (arguments.isSet(QStringLiteral("btw"))) {
        const std::optional<float> vat = percentage(arguments.value(QStringLiteral("btw")), 0, 30);
        if (!vat)
            return QStringLiteral("Het BTW-percentage moet een getal van 0 tot en met 30 zijn.");
        request.vat = *vat;
    } else {
        request.vat = settings.vatPercentage();
    }
    return std::nullopt;
}

// The --secties list of a report command, or all of its sections; the message when it names none or an
// unknown one.
template <typename Sections>
std::optional<QString> readSections(const Arguments& arguments, const QString& all,
                                    std::optional<Sections> (*read)(const QString&), Sections& sections)
{
    const QString list =
        arguments.isSet(QStringLiteral("secties")) ? arguments.value(QStringLiteral("secties")) : all;
    if (namesNoSection(list))
        return QStringLiteral("Geef bij --secties ten minste één sectie op.");
    const std::optional<Sections> named = read(list);
    if (!named)
        return QStringLiteral("Onbekende sectie in: ") + list;
    sections = *named;
    return std::nullopt;
}

// The file of --out, refused before anything is opened when nothing may be saved there; a report unless
// exported is set.
std::optional<QString> readTarget(Session& session, const Arguments& arguments, Request& request,
                                  bool exported = false)
{
    request.out = arguments.value(QStringLiteral("out"));
    const QStringList databases = programDatabaseFiles(session.workspace, session.settings.dataFileName())
                                  << chosenDataFile(arguments, session.settings)
                                  << arguments.value(QStringLiteral("checklist"));
    if (!exported)
        return report::reportTargetProblem(request.out, databases);
    const std::optional<QString> problem = outputTargetProblem(request.out, databases);
    if (!problem)
        return std::nullopt;
    return QStringLiteral("Het exportbestand kan niet worden opgeslagen: ") + *problem;
}

std::optional<QString> readTargetCapitalReport(Session& session, const Arguments& arguments, Request& request)
{
    if (arguments.isSet(QStringLiteral("scherm")) == arguments.isSet(QStringLiteral("out")))
        return QStringLiteral("Geef het rapport op met --out of kies --scherm.\n") + Usage;
    if (std::optional<QString> problem =
            readSections(arguments, QStringLiteral("voorblad,doelvermogen,checklist,heffing"),
                         &targetCapitalSections, request.targetCapital))
        return problem;
    const std::optional<DVGrouping> grouping = reportGrouping(
        arguments.isSet(QStringLiteral("indeling")) ? arguments.value(QStringLiteral("indeling"))
                                                    : QStringLiteral("voorziening"));
    if (!grouping)
        return QStringLiteral("Onbekende indeling: ") + arguments.value(QStringLiteral("indeling"));
    request.targetCapital.grouping = *grouping;
    if (arguments.isSet(QStringLiteral("out")) &&
        report::documentFormatFor(arguments.value(QStringLiteral("out"))) ==
            report::DocumentFormat::Workbook &&
        !request.targetCapital.doelvermogen && !request.targetCapital.heffing)
        return QStringLiteral(
            "Een Excel-bestand bevat de secties doelvermogen en heffing: geef er ten minste "
            "één op bij --secties.");
    // As in the dialog: a VAT of 0 leaves the VAT lines off the cover.
    if (request.vat != 0)
        request.targetCapital.vat = request.vat;
    return arguments.isSet(QStringLiteral("out")) ? readTarget(session, arguments, request) : std::nullopt;
}

std::optional<QString> readInputReport(Session& session, const Arguments& arguments, Request& request)
{
    if (!arguments.isSet(QStringLiteral("out")))
        return QStringLiteral("Geef het rapport op met --out.\n") + Usage;
    if (report::documentFormatFor(arguments.value(QStringLiteral("out"))) == report::DocumentFormat::Workbook)
        return QStringLiteral("Het invoerrapport kan alleen als Word-document of PDF worden opgeslagen.");
    if (std::optional<QString> problem =
            readSections(arguments, QStringLiteral("algemeen,voorzieningen,kostenposten,checklist"),
                         &inputReportSections, request.input))
        return problem;
    return readTarget(session, arguments, request);
}

std::optional<QString> readVersionChange(const Arguments& arguments, Request& request)
{
    request.apply = arguments.isSet(QStringLiteral("toepassen"));
    if (!arguments.isSet(QStringLiteral("naar")))
        return std::nullopt;
    request.targetVersion =
        wholeNumber(arguments.value(QStringLiteral("naar")), 1, std::numeric_limits<qint32>::max());
    if (!request.targetVersion)
        return QStringLiteral("De checklistversie van --naar moet een geheel getal van 1 tot en met %1 zijn.")
            .arg(std::numeric_limits<qint32>::max());
    return std::nullopt;
}

// gevoeligheid: a series over a range of the slider (half percents from 1 to 8) or one alternative pair.
std::optional<QString> readSensitivity(const Arguments& arguments, Request& request)
{
    const QString interest = arguments.value(QStringLiteral("rente"));
    const QString inflation = arguments.value(QStringLiteral("inflatie"));
    if (arguments.isSet(QStringLiteral("alternatief"))) {
        const std::optional<float> r = percentage(interest, 1, 8);
        const std::optional<float> i = percentage(inflation, 1, 8);
        if (!r || !i)
            return QStringLiteral(
                "Geef bij --alternatief de rente en de inflatie op met --rente PCT en --inflatie "
                "PCT, elk van 1 tot en met 8.");
        request.sensitivity = SensitivityMode::Alternative;
        request.rates = {*r / 100, *i / 100};
        return std::nullopt;
    }
    if (arguments.isSet(QStringLiteral("rente")) == arguments.isSet(QStringLiteral("inflatie")) ||
        !interest.isEmpty() || !inflation.isEmpty())
        return QStringLiteral("Geef aan wat varieert: --rente of --inflatie (zonder waarde), of kies "
                              "--alternatief.\n") +
               Usage;
    request.sensitivity =
        arguments.isSet(QStringLiteral("rente")) ? SensitivityMode::Interest : SensitivityMode::Inflation;
    // Slider positions: half percents.
    const auto position = [&](const char* name) -> std::optional<int> {
        const std::optional<float> value = percentage(arguments.value(QLatin1String(name)), 1, 8);
        if (!value || float(qRound(*value * 2)) != *value * 2)
            return std::nullopt;
        return qRound(*value * 2);
    };
    const std::optional<int> from = position("van");
    const std::optional<int> to = position("tot");
    if (!from || !to || *to <= *from)
        return QStringLiteral("Geef het bereik op met --van en --tot: veelvouden van 0,5 van 1 tot en met 8, "
                              "--tot groter dan --van.");
    int steps = 5;
    if (arguments.isSet(QStringLiteral("stappen"))) {
        const std::optional<int> chosen = wholeNumber(arguments.value(QStringLiteral("stappen")), 2, 10);
        if (!chosen)
            return QStringLiteral("Het aantal stappen moet een geheel getal van 2 tot en met 10 zijn.");
        steps = *chosen;
    }
    request.rates = sensitivityRates(*from, *to - *from, steps);
    return std::nullopt;
}

std::optional<QString> readSchedule(Session& session, const Arguments& arguments, Request& request)
{
    request.csv = arguments.isSet(QStringLiteral("csv"));
    if (arguments.isSet(QStringLiteral("jaren"))) {
        const std::optional<int> years = wholeNumber(arguments.value(QStringLiteral("jaren")), 1, 1000);
        if (!years)
            return QStringLiteral("Het aantal jaren moet een geheel getal van 1 tot en met 1000 zijn.");
        request.years = *years;
    }
    if (!arguments.isSet(QStringLiteral("out")))
        return std::nullopt;
    if (request.csv ||
        report::documentFormatFor(arguments.value(QStringLiteral("out"))) != report::DocumentFormat::Workbook)
        return QStringLiteral("Het uitgavenschema wordt met --out als Excel-bestand (.xlsx) opgeslagen, "
                              "zonder --csv.");
    return readTarget(session, arguments, request);
}

// vergelijk: the earlier state, an exchange file or another facility of the data file.
std::optional<QString> readComparison(const Arguments& arguments, Request& request)
{
    if (arguments.isSet(QStringLiteral("met")) == arguments.isSet(QStringLiteral("met-id")))
        return QStringLiteral("Geef de eerdere toestand op met --met of met --met-id.\n") + Usage;
    request.earlierFile = arguments.value(QStringLiteral("met"));
    if (arguments.isSet(QStringLiteral("met")))
        return request.earlierFile.isEmpty()
                   ? std::optional<QString>(QStringLiteral("Geef bij --met een bestand op."))
                   : std::nullopt;
    const std::optional<int> id =
        wholeNumber(arguments.value(QStringLiteral("met-id")), 1, std::numeric_limits<qint32>::max());
    if (!id)
        return QStringLiteral("Het id van --met-id moet een geheel getal van 1 tot en met %1 zijn.")
            .arg(std::numeric_limits<qint32>::max());
    request.earlierId = *id;
    return std::nullopt;
}

// The request of a facility command; empty (after telling) when an argument is wrong.
std::optional<Request> readRequest(Session& session, const QString& command, const Arguments& arguments,
                                   QTextStream& out)
{
    Request request;
    request.command = command;
    request.json = arguments.isSet(QStringLiteral("json"));
    std::optional<QString> problem = readFacilityAndVat(arguments, session.settings, request);
    if (!problem && command == QLatin1String("rapport"))
        problem = readTargetCapitalReport(session, arguments, request);
    if (!problem && command == QLatin1String("invoerrapport"))
        problem = readInputReport(session, arguments, request);
    if (!problem && command == QLatin1String("checklistversie"))
        problem = readVersionChange(arguments, request);
    if (!problem && command == QLatin1String("export"))
        problem =
            arguments.isSet(QStringLiteral("out"))
                ? readTarget(session, arguments, request, true)
                : std::optional<QString>(QStringLiteral("Geef het exportbestand op met --out.\n") + Usage);
    if (!problem && command == QLatin1String("gevoeligheid"))
        problem = readSensitivity(arguments, request);
    if (!problem && command == QLatin1String("uitgavenschema"))
        problem = readSchedule(session, arguments, request);
    if (!problem && command == QLatin1String("vergelijk"))
        problem = readComparison(arguments, request);
    if (!problem && command == QLatin1String("onzekerheid"))
        problem = readUncertaintyOptions([&](const QString& name) { return arguments.options.values(name); },
                                         request.uncertainty);
    if (problem) {
        fail(out, *problem);
        return std::nullopt;
    }
    return request;
}

// The facility asked for; 0 (after telling) when there is no such facility.
int chosenFacility(Workspace& workspace, const Request& request, QTextStream& out)
{
    std::shared_ptr<Database> data = workspace.dataDatabase();
    Statement query =
        request.id != 0
            ? data->prepare(QStringLiteral("SELECT idrStort_ID FROM tblStort WHERE idrStort_ID = ?"))
            : data->prepare(QStringLiteral("SELECT idrStort_ID FROM tblStort WHERE strStortNaam = ?"));
    query.bind(1, request.id != 0 ? QVariant(request.id) : QVariant(request.facility));
    if (!query.next()) {
        fail(out, QStringLiteral("Inrichting niet gevonden: ") +
                      (request.id != 0 ? QString::number(request.id) : request.facility));
        return 0;
    }
    return int(query.integer(0).value_or(0));
}

// Reads the facility asked for into *id; the exit status: 0 when it can be worked on, 2 when there is
// none, 1 when its checklist version is not installed (told; as in the window, its commands stay off).
int openChosenFacility(Workspace& workspace, const Request& request, QTextStream& out, int* id)
{
    *id = chosenFacility(workspace, request, out);
    const std::optional<OpenFacilityState> facility =
        *id != 0 ? readOpenFacility(workspace, *id) : std::nullopt;
    if (!facility)
        return CliUnusable;
    return checklistBestaat(workspace, facility->checklistVersion) ? CliOk : CliFailed;
}

int info(Workspace& workspace, QTextStream& out)
{
    const std::shared_ptr<Database> data = workspace.dataDatabase();
    const std::optional<long> dataVersion = data ? DataFileVersion(*data) : std::nullopt;
    out << "programmaversie: " << workspace.version().number() << '\n';
    out << "checklist: " << workspace.checklistFilePath() << '\n';
    out << "checklist-volgnummer: " << workspace.checklistSequence() << '\n';
    out << "progvermin: " << workspace.checklistProgramMinimum() << '\n';
    out << "databestand: " << workspace.dataFilePath() << '\n';
    out << "databestand-versie: " << dataVersion.value_or(0) << '\n';
    out.flush();
    return CliOk;
}

// import FILE [--naam NAAM]: a given name is checked before any file is opened.
int runImport(Session& session, const Arguments& arguments, QTextStream& out)
{
    std::optional<QString> name;
    if (arguments.isSet(QStringLiteral("naam"))) {
        name = arguments.value(QStringLiteral("naam")).trimmed();
        if (name->isEmpty() || name->size() > 50)
            return fail(out, QStringLiteral("De naam van --naam moet 1 tot en met 50 tekens hebben."));
    }
    if (!linkFiles(session, arguments, out))
        return CliUnusable;
    return importFacilityFile(session.workspace, arguments.positional.at(1), name, out);
}

// update (--controleer | --checklist) [--adres URL] [--checklistbestand BESTAND]: the address is checked
// before anything is fetched; the user's proxy settings apply.
int runUpdateCommand(Session& session, const Arguments& arguments, QTextStream& out)
{
    if (arguments.isSet(QStringLiteral("controleer")) == arguments.isSet(QStringLiteral("checklist")))
        return fail(out, QStringLiteral("Geef --controleer of --checklist op.\n") + Usage);
    const QString address = arguments.isSet(QStringLiteral("adres"))
                                ? arguments.value(QStringLiteral("adres"))
                                : session.settings.updateAddress();
    const QUrl base = updateFolder(address);
    if (base.isEmpty())
        return fail(out,
                    QStringLiteral("Het adres van de updateserver moet een http- of https-adres zijn: ") +
                        address);
    if (arguments.isSet(QStringLiteral("checklistbestand")))
        session.workspace.setChecklistFile(
            QFileInfo(arguments.value(QStringLiteral("checklistbestand"))).absoluteFilePath());
    if (!ReadChecklistSystemValues(session.workspace))
        return CliUnusable;
    const Settings& settings = session.settings;
    const ProxyPreferences proxy{settings.proxySetting(), settings.proxyName(), settings.proxyPort(), false};
    return runUpdate(session.workspace, proxy, base, arguments.isSet(QStringLiteral("checklist")), out);
}

// overzicht [--provincie NAAM] [--type stortplaats|depot] [--json | --csv | --out BESTAND.xlsx]: the filter
// and the file are checked before any file is opened.
int runOverview(Session& session, const Arguments& arguments, QTextStream& out)
{
    OverviewFilter filter;
    if (arguments.isSet(QStringLiteral("provincie"))) {
        filter.province = provinceId(arguments.value(QStringLiteral("provincie")));
        if (!filter.province)
            return fail(out, QStringLiteral("Onbekende provincie: ") +
                                 arguments.value(QStringLiteral("provincie")));
    }
    if (arguments.isSet(QStringLiteral("type"))) {
        filter.type = facilityType(arguments.value(QStringLiteral("type")));
        if (*filter.type == 0)
            return fail(out, QStringLiteral("Het type moet stortplaats of depot zijn."));
    }
    const bool json = arguments.isSet(QStringLiteral("json"));
    const bool csv = arguments.isSet(QStringLiteral("csv"));
    const bool workbook = arguments.isSet(QStringLiteral("out"));
    if (int(json) + int(csv) + int(workbook) > 1)
        return fail(out, QStringLiteral("Kies één van --json, --csv en --out."));
    Request request;
    if (workbook) {
        if (!arguments.value(QStringLiteral("out")).endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
            return fail(
                out, QStringLiteral("Het overzicht wordt met --out als Excel-bestand (.xlsx) geschreven."));
        if (const std::optional<QString> problem = readTarget(session, arguments, request))
            return fail(out, *problem);
    }
    if (!linkFiles(session, arguments, out))
        return CliUnusable;
    const OverviewFormat format = workbook ? OverviewFormat::Workbook
                                  : json   ? OverviewFormat::Json
                                  : csv    ? OverviewFormat::Csv
                                           : OverviewFormat::Text;
    return printOverview(session.workspace, filter, format, QFileInfo(request.out).absoluteFilePath(), out);
}

// Runs a facility command on facility id.
int runFacilityCommand(Session& session, int id, const Request& request, QTextStream& out)
{
    Workspace& workspace = session.workspace;
    if (request.command == QLatin1String("doelvermogen"))
        return printTargetCapital(workspace, id, request.vat, request.json, out);
    if (request.command == QLatin1String("heffing"))
        return printLevy(workspace, id, request.json, out);
    if (request.command == QLatin1String("export"))
        return exportFacilityFile(workspace, id, request.out, out);
    if (request.command == QLatin1String("gevoeligheid"))
        return printSensitivity(workspace, id, request.sensitivity, request.rates, request.json, out);
    if (request.command == QLatin1String("onzekerheid"))
        return printUncertainty(workspace, id, request.uncertainty, request.json, out);
    if (request.command == QLatin1String("uitgavenschema"))
        return request.out.isEmpty()
                   ? printExpenditureSchedule(workspace, id, request.years, request.csv, out)
                   : writeExpenditureSchedule(workspace, id, request.years,
                                              QFileInfo(request.out).absoluteFilePath(), out);
    if (request.command == QLatin1String("vergelijk"))
        return printComparison(workspace, id, request.earlierFile, request.earlierId, request.vat,
                               request.json, out);
    if (request.command == QLatin1String("checklistversie"))
        return runVersionChange(workspace, id, request.targetVersion, request.apply, request.json, out);
    const report::ReportContext context =
        report::reportContext(workspace, id, session.settings.dataFileName());
    if (request.command == QLatin1String("invoerrapport"))
        return writeInputReport(context, request.input, request.out);
    return writeTargetCapitalReport(context, request.targetCapital, request.out.isEmpty(), request.out, out);
}

} // namespace

int fail(QTextStream& out, const QString& text, int status)
{
    out.flush();
    QTextStream err(stderr);
    err << text << Qt::endl;
    return status;
}

int runCli(const QStringList& arguments, QTextStream& out)
{
    const QString first = arguments.value(0);
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        out << Usage << '\n';
        return CliOk;
    }
    if (first == QLatin1String("--version")) {
        const ProgramVersion version;
        out << "dovra-cli " << version.major << '.' << version.minor << '.' << version.revision << '\n';
        return CliOk;
    }
    QString error;
    const bool update = arguments.value(0) == QLatin1String("update");
    const std::optional<Arguments> read =
        readArguments(arguments, update ? UpdateOptions : CommandOptions, &error);
    if (!read)
        return fail(out, error + QLatin1Char('\n') + Usage);
    // Only import names a file of its own.
    const QString command = read->positional.value(0);
    if (read->positional.size() != (command == QLatin1String("import") ? 2 : 1))
        return fail(out, Usage);
    const QStringList known{
        QStringLiteral("info"),         QStringLiteral("doelvermogen"),   QStringLiteral("heffing"),
        QStringLiteral("rapport"),      QStringLiteral("invoerrapport"),  QStringLiteral("checklistversie"),
        QStringLiteral("gevoeligheid"), QStringLiteral("uitgavenschema"), QStringLiteral("export"),
        QStringLiteral("import"),       QStringLiteral("update"),         QStringLiteral("vergelijk"),
        QStringLiteral("onzekerheid"),  QStringLiteral("overzicht")};
    if (!known.contains(command))
        return fail(out, QStringLiteral("Onbekende opdracht: ") + command + QLatin1Char('\n') + Usage);
    Session session;
    if (command == QLatin1String("info"))
        return linkFiles(session, *read, out) ? info(session.workspace, out) : CliUnusable;
    if (command == QLatin1String("import"))
        return runImport(session, *read, out);
    if (update)
        return runUpdateCommand(session, *read, out);
    if (command == QLatin1String("overzicht"))
        return runOverview(session, *read, out);

    const std::optional<Request> request = readRequest(session, command, *read, out);
    if (!request || !linkFiles(session, *read, out))
        return CliUnusable;
    int id = 0;
    const int opened = openChosenFacility(session.workspace, *request, out, &id);
    if (opened != CliOk)
        return opened;
    return runFacilityCommand(session, id, *request, out);
}

} // namespace dovra
