#include "cliupdate.h"

#include "checklist/checklistsystem.h"
#include "cli.h"
#include "storage/workspace.h"
#include "update/httpfetch.h"
#include "update/updatecheck.h"
#include "update/updatedownload.h"

namespace dovra {

namespace {

int printCheck(const UpdateOffer& offer, QTextStream& out)
{
    out << "onderhoud: " << int(offer.serverInMaintenance) << '\n';
    out << "checklist-status: " << offer.checklistStatus << '\n';
    out << "programma-status: " << offer.programStatus << '\n';
    out << "informatie:" << QString(offer.information).replace(QLatin1String("\r\n"), QLatin1String("\n"))
        << '\n';
    out.flush();
    if (updateOfferKind(offer) == UpdateOfferKind::Failed)
        tellUpdateServerUnreachable(offer);
    if (offer.checklistStatus == 1 || offer.programStatus == 1)
        return CliFailed;
    return offer.checklistStatus == 9 || offer.programStatus == 9 ? CliUnusable : CliOk;
}

} // namespace

int runUpdate(Workspace& workspace, const ProxyPreferences& proxy, const QUrl& base, bool installChecklist,
              QTextStream& out)
{
    HttpFetcher fetcher(proxy);
    const UpdateCheck check =
        checkForUpdates(fetcher, base, workspace.version().number(), workspace.checklistSequence());
    const UpdateOffer& offer = check.offer;
    if (!installChecklist)
        return printCheck(offer, out);
    switch (offer.checklistStatus) {
    case 0:
        out << "checklist-volgnummer: " << workspace.checklistSequence() << " (actueel)\n";
        return CliOk;
    case 1:
        break;
    default:
        tellUpdateServerUnreachable(offer);
        return CliUnusable;
    }
    if (offer.serverInMaintenance) {
        tellUpdateInMaintenance();
        return CliFailed;
    }
    const std::optional<TrustedKeys> keys = readTrustedKeys(workspace.paths().programDir());
    if (!keys || !downloadChecklist({fetcher, base, nullptr}, *keys, check, workspace) ||
        !ReadChecklistSystemValues(workspace))
        return CliFailed;
    out << "checklist-volgnummer: " << workspace.checklistSequence() << " (geïnstalleerd)\n";
    return CliOk;
}

} // namespace dovra
