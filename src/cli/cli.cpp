#include "cli.h"

#include "base/appstate.h"
#include "checklist/checklistsystem.h"
#include "clifigures.h"
#include "clireports.h"
#include "facility/facilitymanagement.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/outputtarget.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <limits>

namespace dovra {

namespace {

const QString Usage = QStringLiteral(
    "gebruik: dovra-cli info [--data BESTAND] [--checklist BESTAND]\n"
    "         dovra-cli doelvermogen (--facility NAAM | --id N) [--btw PCT] [--json] [--data BESTAND] "
    "[--checklist BESTAND]\n"
    "         dovra-cli heffing (--facility NAAM | --id N) [--json] [--data BESTAND] [--checklist BESTAND]\n"
    "         dovra-cli rapport (--facility NAAM | --id N) (--out BESTAND.docx | --scherm) "
    "[--secties voorblad,doelvermogen,checklist,heffing] [--indeling voorziening|rubriek|talvo] [--btw PCT] "
    "[--data BESTAND] [--checklist BESTAND]\n"
    "         dovra-cli invoerrapport (--facility NAAM | --id N) --out BESTAND.docx "
    "[--secties algemeen,voorzieningen,kostenposten,checklist] [--data BESTAND] [--checklist BESTAND]");

// The options that take a value, and those that stand alone.
const QStringList ValueOptions{QStringLiteral("data"),     QStringLiteral("checklist"),
                               QStringLiteral("facility"), QStringLiteral("id"),
                               QStringLiteral("btw"),      QStringLiteral("out"),
                               QStringLiteral("secties"),  QStringLiteral("indeling")};
const QStringList Flags{QStringLiteral("json"), QStringLiteral("scherm")};

// A command line of positional arguments and options "--naam waarde", "--naam=waarde" or "--vlag"; a
// later option of a name wins. Read by hand so that every mistake in it is told in Dutch.
struct Arguments
{
    QStringList positional;
    QHash<QString, QString> options; // a flag holds an empty value

    bool isSet(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name); }
};

// The arguments; empty (after the message in *error) when the line cannot be read.
std::optional<Arguments> readArguments(const QStringList& line, QString* error)
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
        const bool flag = Flags.contains(name);
        if (!argument.startsWith(QLatin1String("--")) || !(flag || ValueOptions.contains(name))) {
            *error = QStringLiteral("Onbekende optie: ") + argument.left(equals);
            return std::nullopt;
        }
        if (flag && equals >= 0) {
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
};

int fail(QTextStream& out, const QString& text, int status = CliUnusable)
{
    out.flush();
    QTextStream err(stderr);
    err << text << Qt::endl;
    return status;
}

// The data file of --data, or the one the settings link.
QString chosenDataFile(const Arguments& arguments)
{
    return arguments.isSet(QStringLiteral("data")) ? arguments.value(QStringLiteral("data"))
                                                   : appState().settings().dataFileName();
}

// Prepares the application state as start-up does, without windows: checklist values read,
// data file linked silently (an older file is upgraded).
bool linkFiles(const Arguments& arguments, QTextStream& out)
{
    AppState& state = appState();
    if (arguments.isSet(QStringLiteral("checklist")))
        state.setChecklistFilePath(
            QFileInfo(arguments.value(QStringLiteral("checklist"))).absoluteFilePath());
    if (!ReadChecklistSystemValues())
        return false;

    const QString dataFile = chosenDataFile(arguments);
    if (!QFileInfo(dataFile).isFile()) {
        fail(out, QStringLiteral("Koppeling databestand: het databestand ") + dataFile +
                      QStringLiteral(" is niet gevonden."));
        return false;
    }
    return LinkDataFile(dataFile, false, true);
}

// The --id value: a whole number in the range of the facility ids, or nothing.
std::optional<int> facilityId(const QString& text)
{
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (!ok || id < 1 || id > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return int(id);
}

// The --btw value: a finite percentage from 0 to 30, with a decimal point or comma, or nothing.
std::optional<float> vatPercentage(const QString& text)
{
    bool ok = false;
    const float vat = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toFloat(&ok);
    if (!ok || !std::isfinite(vat) || vat < 0 || vat > 30)
        return std::nullopt;
    return vat;
}

// The facility and the VAT percentage; the message when one of them is wrong.
std::optional<QString> readFacilityAndVat(const Arguments& arguments, Request& request)
{
    if (arguments.isSet(QStringLiteral("facility")) == arguments.isSet(QStringLiteral("id")))
        return QStringLiteral("Geef de inrichting op met --facility of met --id.\n") + Usage;
    request.facility = arguments.value(QStringLiteral("facility"));
    if (arguments.isSet(QStringLiteral("id"))) {
        const std::optional<int> id = facilityId(arguments.value(QStringLiteral("id")));
        if (!id)
            return QStringLiteral("Het id van de inrichting moet een geheel getal van 1 tot en met %1 zijn.")
                .arg(std::numeric_limits<qint32>::max());
        request.id = *id;
    }
    if (arguments.isSet(QStringLiteral("btw"))) {
        const std::optional<float> vat = vatPercentage(arguments.value(QStringLiteral("btw")));
        if (!vat)
            return QStringLiteral("Het BTW-percentage moet een getal van 0 tot en met 30 zijn.");
        request.vat = *vat;
    } else {
        request.vat = appState().settings().vatPercentage();
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

// The document of --out, refused before anything is opened when no report may be saved there.
std::optional<QString> readTarget(const Arguments& arguments, Request& request)
{
    request.out = arguments.value(QStringLiteral("out"));
    return report::reportTargetProblem(request.out, programDatabaseFiles()
                                                        << chosenDataFile(arguments)
                                                        << arguments.value(QStringLiteral("checklist")));
}

std::optional<QString> readTargetCapitalReport(const Arguments& arguments, Request& request)
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
    // As in the dialog: a VAT of 0 leaves the VAT lines off the cover.
    if (request.vat != 0)
        request.targetCapital.vat = request.vat;
    return arguments.isSet(QStringLiteral("out")) ? readTarget(arguments, request) : std::nullopt;
}

std::optional<QString> readInputReport(const Arguments& arguments, Request& request)
{
    if (!arguments.isSet(QStringLiteral("out")))
        return QStringLiteral("Geef het rapport op met --out.\n") + Usage;
    if (std::optional<QString> problem =
            readSections(arguments, QStringLiteral("algemeen,voorzieningen,kostenposten,checklist"),
                         &inputReportSections, request.input))
        return problem;
    return readTarget(arguments, request);
}

// The request of a facility command; empty (after telling) when an argument is wrong.
std::optional<Request> readRequest(const QString& command, const Arguments& arguments, QTextStream& out)
{
    Request request;
    request.command = command;
    request.json = arguments.isSet(QStringLiteral("json"));
    std::optional<QString> problem = readFacilityAndVat(arguments, request);
    if (!problem && command == QLatin1String("rapport"))
        problem = readTargetCapitalReport(arguments, request);
    if (!problem && command == QLatin1String("invoerrapport"))
        problem = readInputReport(arguments, request);
    if (problem) {
        fail(out, *problem);
        return std::nullopt;
    }
    return request;
}

// The facility asked for; 0 (after telling) when there is no such facility.
int chosenFacility(const Request& request, QTextStream& out)
{
    std::shared_ptr<Database> data = appState().dataDatabase();
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

// Opens the facility asked for; the exit status: 0 when it is open, 2 when there is none, 1 when its
// checklist version is not installed (told by the opening; its commands stay off, as in the window).
int openChosenFacility(const Request& request, QTextStream& out)
{
    const int id = chosenFacility(request, out);
    if (id == 0 || !OpenFacility(id))
        return CliUnusable;
    return appState().facilityCommandsEnabled() ? CliOk : CliFailed;
}

int info(QTextStream& out)
{
    AppState& state = appState();
    const std::optional<long> dataVersion = DataFileVersion(state.dataFilePath());
    out << "programmaversie: " << state.version().number() << '\n';
    out << "checklist: " << state.checklistFilePath() << '\n';
    out << "checklist-volgnummer: " << state.checklistSequence() << '\n';
    out << "progvermin: " << state.checklistProgramMinimum() << '\n';
    out << "databestand: " << state.dataFilePath() << '\n';
    out << "databestand-versie: " << dataVersion.value_or(0) << '\n';
    out.flush();
    return CliOk;
}

// Runs a facility command on the open facility.
int runFacilityCommand(const Request& request, QTextStream& out)
{
    if (request.command == QLatin1String("doelvermogen"))
        return printTargetCapital(request.vat, request.json, out);
    if (request.command == QLatin1String("heffing"))
        return printLevy(request.json, out);
    if (request.command == QLatin1String("invoerrapport"))
        return writeInputReport(request.input, request.out);
    return writeTargetCapitalReport(request.targetCapital, request.out.isEmpty(), request.out, out);
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out)
{
    QString error;
    const std::optional<Arguments> read = readArguments(arguments, &error);
    if (!read)
        return fail(out, error + QLatin1Char('\n') + Usage);
    if (read->positional.size() != 1)
        return fail(out, Usage);
    const QString command = read->positional.first();
    const QStringList known{QStringLiteral("info"), QStringLiteral("doelvermogen"), QStringLiteral("heffing"),
                            QStringLiteral("rapport"), QStringLiteral("invoerrapport")};
    if (!known.contains(command))
        return fail(out, QStringLiteral("Onbekende opdracht: ") + command + QLatin1Char('\n') + Usage);
    if (command == QLatin1String("info"))
        return linkFiles(*read, out) ? info(out) : CliUnusable;

    const std::optional<Request> request = readRequest(command, *read, out);
    if (!request || !linkFiles(*read, out))
        return CliUnusable;
    const int opened = openChosenFacility(*request, out);
    if (opened != CliOk)
        return opened;
    return runFacilityCommand(*request, out);
}

} // namespace dovra
