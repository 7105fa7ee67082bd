#include "update/startupupdate.h"

#include "base/messageservice.h"

namespace dovra {

UpdateService::~UpdateService() = default;

namespace {
constexpr int NewVersion = 1;
constexpr int NoInformation = 9;
} // namespace

StartupUpdateOutcome runStartupUpdateCheck(UpdateService& service, const ProxyPreferences& proxy)
{
    const UpdateOffer offer = service.check(proxy);
    const bool anyNew = offer.checklistStatus == NewVersion || offer.programStatus == NewVersion;

    if (offer.checklistStatus <= 0 && offer.programStatus <= 0) {
        service.closeWindow();
        return StartupUpdateOutcome::Continue;
    }
    if (!anyNew) {
        service.closeWindow();
        if (offer.checklistStatus == NoInformation || offer.programStatus == NoInformation) {
            messages().inform(
                QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is "
                               "(tijdelijk) niet beschikbaar. Controleer uw internetverbinding of "
                               "proxy-instellingen."),
                QStringLiteral("Fout bij controle op updates"), MessageIcon::Exclamation);
        }
        return StartupUpdateOutcome::Continue;
    }
    if (offer.serverInMaintenance) {
        service.closeWindow();
        messages().inform(
            QStringLiteral("Er is een update opgeleverd, maar door onderhoudsactiviteiten op de server is "
                           "deze tijdelijk niet beschikbaar. Probeert u het later nog eens. Excuses voor "
                           "het ongemak."),
            QStringLiteral("Update niet beschikbaar"), MessageIcon::Exclamation);
        return StartupUpdateOutcome::Continue;
    }
    const bool download =
        messages().askYesNo(QStringLiteral("Er is een update beschikbaar.\n") + offer.information +
                                QStringLiteral("\n\nNu downloaden?"),
                            QStringLiteral("Updaten programma"), MessageIcon::Question, MessageAnswer::Yes);
    if (!download) {
        service.closeWindow();
        return StartupUpdateOutcome::Continue;
    }
    service.startDownload(offer.checklistStatus == NewVersion, offer.programStatus == NewVersion);
    return StartupUpdateOutcome::DownloadStarted;
}

} // namespace dovra
