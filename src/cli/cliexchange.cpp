#include "cliexchange.h"

#include "cli.h"
#include "exchange/facilityexchange.h"

#include <QFileInfo>

namespace dovra {

int exportFacilityFile(Workspace& workspace, long facilityId, const QString& path, QTextStream& out)
{
    const QString error = exchange::exportFacility(workspace, facilityId, path);
    if (!error.isEmpty())
        return fail(out, error, CliFailed);
    out << "geëxporteerd: " << path << '\n';
    return CliOk;
}

int importFacilityFile(Workspace& workspace, const QString& path, const std::optional<QString>& name,
                       QTextStream& out)
{
    if (!QFileInfo(path).isFile())
        return fail(out, QStringLiteral("Het bestand '") + path + QStringLiteral("' is niet gevonden."));
    QString taken;
    const exchange::ImportOutcome outcome = exchange::importFacility(
        workspace, path,
        [&taken](const QString& name) {
            taken = name;
            return QString();
        },
        name);
    switch (outcome.status) {
    case exchange::ImportOutcome::Status::Imported:
        out << "geïmporteerd: idrStort_ID " << outcome.facilityId << '\n';
        return CliOk;
    case exchange::ImportOutcome::Status::Cancelled:
        return fail(
            out, QStringLiteral("De naam '") + taken + QStringLiteral("' komt reeds voor in uw databestand."),
            CliFailed);
    case exchange::ImportOutcome::Status::Failed:
        break;
    }
    return fail(out, exchange::importFailed(outcome.error), CliFailed);
}

} // namespace dovra
