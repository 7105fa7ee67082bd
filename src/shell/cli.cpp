#include "shell/cli.h"

#include "checklist/checklistsystem.h"
#include "shell/appstate.h"
#include "shell/clifigures.h"
#include "shell/clireports.h"
#include "store/database.h"
#include "store/datafilelink.h"
#include "store/facilitymanagement.h"

#include <QCommandLineParser>
#include <QFileInfo>

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

struct Options
{
    QCommandLineOption data{QStringLiteral("data"), QStringLiteral("Het databestand."),
                            QStringLiteral("BESTAND")};
    QCommandLineOption checklist{QStringLiteral("checklist"), QStringLiteral("Het checklistbestand."),
                                 QStringLiteral("BESTAND")};
    QCommandLineOption facility{QStringLiteral("facility"), QStringLiteral("De naam van de inrichting."),
                                QStringLiteral("NAAM")};
    QCommandLineOption id{QStringLiteral("id"), QStringLiteral("Het id van de inrichting."),
                          QStringLiteral("N")};
    QCommandLineOption vat{QStringLiteral("btw"), QStringLiteral("Het BTW-percentage (0 tot en met 30)."),
                           QStringLiteral("PCT")};
    QCommandLineOption json{QStringLiteral("json"), QStringLiteral("Uitvoer als JSON.")};
    QCommandLineOption out{QStringLiteral("out"), QStringLiteral("Het rapport (.docx)."),
                           QStringLiteral("BESTAND")};
    QCommandLineOption sections{QStringLiteral("secties"), QStringLiteral("De secties van het rapport."),
                                QStringLiteral("LIJST")};
    QCommandLineOption grouping{QStringLiteral("indeling"),
                                QStringLiteral("De indeling van de kostenposten."),
                                QStringLiteral("INDELING")};
    QCommandLineOption screen{QStringLiteral("scherm"), QStringLiteral("De schermrapportage als tekst.")};
};

int fail(QTextStream& out, const QString& text, int status = CliUnusable)
{
    out.flush();
    QTextStream err(stderr);
    err << text << Qt::endl;
    return status;
}

// Prepares the application state as start-up does, without windows: checklist values read,
// data file linked silently (an older file is upgraded).
bool linkFiles(const QCommandLineParser& parser, const Options& options, QTextStream& out)
{
    AppState& state = appState();
    if (parser.isSet(options.checklist))
        state.setChecklistFilePath(QFileInfo(parser.value(options.checklist)).absoluteFilePath());
    if (!ReadChecklistSystemValues())
        return false;

    const QString dataFile =
        parser.isSet(options.data) ? parser.value(options.data) : state.settings().dataFileName();
    if (!QFileInfo(dataFile).isFile()) {
        fail(out, QStringLiteral("Koppeling databestand: het databestand ") + dataFile +
                      QStringLiteral(" is niet gevonden."));
        return false;
    }
    return LinkDataFile(dataFile, false, true);
}

// The facility named by --facility or --id; 0 (after telling) when there is no such facility.
int chosenFacility(const QCommandLineParser& parser, const Options& options, QTextStream& out)
{
    std::shared_ptr<Database> data = appState().dataDatabase();
    Statement query =
        parser.isSet(options.id)
            ? data->prepare(QStringLiteral("SELECT idrStort_ID FROM tblStort WHERE idrStort_ID = ?"))
            : data->prepare(QStringLiteral("SELECT idrStort_ID FROM tblStort WHERE strStortNaam = ?"));
    query.bind(1, parser.isSet(options.id) ? QVariant(parser.value(options.id).toLongLong())
                                           : QVariant(parser.value(options.facility)));
    if (!query.next()) {
        fail(out, QStringLiteral("Inrichting niet gevonden: ") +
                      (parser.isSet(options.id) ? parser.value(options.id) : parser.value(options.facility)));
        return 0;
    }
    return int(query.integer(0).value_or(0));
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

// The VAT percentage of --btw, or the settings' one; empty (after telling) when it is out of range.
std::optional<float> chosenVat(const QCommandLineParser& parser, const Options& options, QTextStream& out)
{
    if (!parser.isSet(options.vat))
        return appState().settings().vatPercentage();
    bool ok = false;
    const float vat =
        QString(parser.value(options.vat)).replace(QLatin1Char(','), QLatin1Char('.')).toFloat(&ok);
    if (!ok || vat < 0 || vat > 30) {
        fail(out, QStringLiteral("Het BTW-percentage moet een getal van 0 tot en met 30 zijn."));
        return std::nullopt;
    }
    return vat;
}

// Opens the facility of --facility or --id; false (after telling) when there is none.
bool openChosenFacility(const QCommandLineParser& parser, const Options& options, QTextStream& out)
{
    if (parser.isSet(options.facility) == parser.isSet(options.id)) {
        fail(out, QStringLiteral("Geef de inrichting op met --facility of met --id.\n") + Usage);
        return false;
    }
    const int id = chosenFacility(parser, options, out);
    return id != 0 && OpenFacility(id);
}

int figures(const QString& command, const QCommandLineParser& parser, const Options& options,
            QTextStream& out)
{
    const std::optional<float> vat = chosenVat(parser, options, out);
    if (!vat || !openChosenFacility(parser, options, out))
        return CliUnusable;
    const bool json = parser.isSet(options.json);
    return command == QLatin1String("heffing") ? printLevy(json, out) : printTargetCapital(*vat, json, out);
}

int targetCapitalReport(const QCommandLineParser& parser, const Options& options, QTextStream& out)
{
    const bool screen = parser.isSet(options.screen);
    if (screen == parser.isSet(options.out))
        return fail(out, QStringLiteral("Geef het rapport op met --out of kies --scherm.\n") + Usage);
    const std::optional<report::TargetCapitalReportOptions> sections = targetCapitalSections(
        parser.isSet(options.sections) ? parser.value(options.sections)
                                       : QStringLiteral("voorblad,doelvermogen,checklist,heffing"));
    if (!sections)
        return fail(out, QStringLiteral("Onbekende sectie in: ") + parser.value(options.sections));
    const std::optional<DVGrouping> grouping = reportGrouping(
        parser.isSet(options.grouping) ? parser.value(options.grouping) : QStringLiteral("voorziening"));
    if (!grouping)
        return fail(out, QStringLiteral("Onbekende indeling: ") + parser.value(options.grouping));
    const std::optional<float> vat = chosenVat(parser, options, out);
    if (!vat || !openChosenFacility(parser, options, out))
        return CliUnusable;
    report::TargetCapitalReportOptions chosen = *sections;
    chosen.grouping = *grouping;
    // As in the dialog: a VAT of 0 leaves the VAT lines off the cover.
    chosen.showVat = *vat != 0;
    appState().view().vatPercentage = *vat;
    return writeTargetCapitalReport(chosen, screen, parser.value(options.out), out);
}

int inputReport(const QCommandLineParser& parser, const Options& options, QTextStream& out)
{
    if (!parser.isSet(options.out))
        return fail(out, QStringLiteral("Geef het rapport op met --out.\n") + Usage);
    const std::optional<report::InputReportOptions> sections = inputReportSections(
        parser.isSet(options.sections) ? parser.value(options.sections)
                                       : QStringLiteral("algemeen,voorzieningen,kostenposten,checklist"));
    if (!sections)
        return fail(out, QStringLiteral("Onbekende sectie in: ") + parser.value(options.sections));
    if (!openChosenFacility(parser, options, out))
        return CliUnusable;
    return writeInputReport(*sections, parser.value(options.out));
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out)
{
    QCommandLineParser parser;
    Options options;
    parser.addOptions({options.data, options.checklist, options.facility, options.id, options.vat,
                       options.json, options.out, options.sections, options.grouping, options.screen});
    parser.addPositionalArgument(QStringLiteral("opdracht"),
                                 QStringLiteral("info, doelvermogen, heffing, rapport of invoerrapport"));

    if (!parser.parse(QStringList{QStringLiteral("dovra-cli")} + arguments))
        return fail(out, parser.errorText() + QLatin1Char('\n') + Usage);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return fail(out, Usage);
    const QString command = positional.first();
    const QStringList known{QStringLiteral("info"), QStringLiteral("doelvermogen"), QStringLiteral("heffing"),
                            QStringLiteral("rapport"), QStringLiteral("invoerrapport")};
    if (!known.contains(command))
        return fail(out, QStringLiteral("Onbekende opdracht: ") + command + QLatin1Char('\n') + Usage);
    if (!linkFiles(parser, options, out))
        return CliUnusable;
    if (command == QLatin1String("info"))
        return info(out);
    if (command == QLatin1String("rapport"))
        return targetCapitalReport(parser, options, out);
    if (command == QLatin1String("invoerrapport"))
        return inputReport(parser, options, out);
    return figures(command, parser, options, out);
}

} // namespace dovra
