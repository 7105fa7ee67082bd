#include "shell/cli.h"

#include "checklist/checklistsystem.h"
#include "shell/appstate.h"
#include "store/datafilelink.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace dovra {

namespace {

const QString Usage = QStringLiteral("gebruik: dovra-cli info [--data BESTAND] [--checklist BESTAND]");

struct CommonOptions
{
    QCommandLineOption data{QStringLiteral("data"), QStringLiteral("Het databestand."),
                            QStringLiteral("BESTAND")};
    QCommandLineOption checklist{QStringLiteral("checklist"), QStringLiteral("Het checklistbestand."),
                                 QStringLiteral("BESTAND")};
};

void fail(QTextStream& out, const QString& text)
{
    out.flush();
    QTextStream err(stderr);
    err << text << Qt::endl;
}

// Prepares the application state as start-up does, without windows: checklist values read,
// data file linked silently (an older file is upgraded).
bool linkFiles(const QCommandLineParser& parser, const CommonOptions& options, QTextStream& out)
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

int info(const QCommandLineParser& parser, const CommonOptions& options, QTextStream& out)
{
    if (!linkFiles(parser, options, out))
        return CliUnusable;
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

} // namespace

int runCli(const QStringList& arguments, QTextStream& out)
{
    QCommandLineParser parser;
    CommonOptions options;
    parser.addOption(options.data);
    parser.addOption(options.checklist);
    parser.addPositionalArgument(QStringLiteral("opdracht"), QStringLiteral("info"));

    if (!parser.parse(QStringList{QStringLiteral("dovra-cli")} + arguments)) {
        fail(out, parser.errorText() + QLatin1Char('\n') + Usage);
        return CliUnusable;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        fail(out, Usage);
        return CliUnusable;
    }
    const QString command = positional.first();
    if (command == QLatin1String("info"))
        return info(parser, options, out);
    fail(out, QStringLiteral("Onbekende opdracht: ") + command + QLatin1Char('\n') + Usage);
    return CliUnusable;
}

} // namespace dovra
