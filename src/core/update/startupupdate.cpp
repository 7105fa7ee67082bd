#include "update/startupupdate.h"

#include "base/messageservice.h"

namespace dovra {

UpdateService::~UpdateService() = default;

namespace {
constexpr int NewVersion = 1;
constexpr int NoInformation = 9;
} // namespace

std::optional<quint16> proxyPortFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = true;
    const uint port = trimmed.isEmpty() ? 0 : trimmed.toUInt(&ok);
    if (!ok || port > 65535)
        return std::nullopt;
    return quint16(port);
}

ProxyEntryFault checkManualProxy(const QString& host, const QString& portText, const QString& title)
{
    if (host.trimmed().isEmpty()) {
        messages().inform(QStringLiteral("Voer de naam of het adres van de proxyserver in."), title,
                          MessageIcon::Exclamation);
        return ProxyEntryFault::Host;
    }
    const std::optional<quint16> port = proxyPortFromText(portText);
    if (!port || *port == 0) {
        messages().inform(QStringLiteral("Voer als poortnummer een geheel getal van 1 tot en met 65535 in."),
                          title, MessageIcon::Exclamation);
        return ProxyEntryFault::Port;
    }
    return ProxyEntryFault::None;
}

void tellUpdateServerUnreachable(const UpdateOffer& offer)
{
    messages().inform(
        QStringLiteral("Er kan geen verbinding gelegd worden met het internet of de webserver is "
                       "(tijdelijk) niet beschikbaar. Controleer uw internetverbinding of "
                       "proxy-instellingen.\r\n\r\nAdres: ") +
            offer.failedAddress + QStringLiteral("\r\nOorzaak: ") + offer.failureCause + u'.',
        QStringLiteral("Fout bij controle op updates"), MessageIcon::Exclamation);
}

void tellUpdateInMaintenance()
{
    messages().inform(
        QStringLiteral("Er is een update opgeleverd, maar door onderhoudsactiviteiten op de server "
                       "is deze tijdelijk niet beschikbaar. Probeert u het later nog eens. Excuses "
                       "voor het ongemak."),
        QStringLiteral("Update niet beschikbaar"), MessageIcon::Exclamation);
}

bool askToDownloadUpdate(const UpdateOffer& offer)
{
    return messages().askYesNo(QStringLiteral("Er is een update beschikbaar.\r\n") + offer.information +
                                   QStringLiteral("\r\n\r\nNu downloaden?"),
                               QStringLiteral("Updaten programma"), MessageIcon::Question,
                               MessageAnswer::Yes);
}

UpdateOfferKind updateOfferKind(const UpdateOffer& offer)
{
    if (offer.checklistStatus <= 0 && offer.programStatus <= 0)
        return UpdateOfferKind::Current;
    if (offer.checklistStatus != NewVersion && offer.programStatus != NewVersion)
        return UpdateOfferKind::Failed;
    return offer.serverInMaintenance ? UpdateOfferKind::InMaintenance : UpdateOfferKind::Available;
}

StartupUpdateOutcome runStartupUpdateCheck(UpdateService& service, const ProxyPreferences& proxy)
{
    const UpdateOffer offer = service.check(proxy);
    const UpdateOfferKind kind = updateOfferKind(offer);
    if (kind != UpdateOfferKind::Available) {
        service.closeWindow();
        if (kind == UpdateOfferKind::Failed &&
            (offer.checklistStatus == NoInformation || offer.programStatus == NoInformation))
            tellUpdateServerUnreachable(offer);
        if (kind == UpdateOfferKind::InMaintenance)
            tellUpdateInMaintenance();
        return StartupUpdateOutcome::Continue;
    }
    if (!askToDownloadUpdate(offer)) {
        service.closeWindow();
        return StartupUpdateOutcome::Continue;
    }
    const bool ends =
        service.startDownload(offer.checklistStatus == NewVersion, offer.programStatus == NewVersion);
    if (!ends)
        service.closeWindow();
    return ends ? StartupUpdateOutcome::ProgramEnds : StartupUpdateOutcome::Continue;
}

} // namespace dovra
