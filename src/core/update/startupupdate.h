#pragma once

#include <QString>

#include <optional>

namespace dovra {

// How the update service reaches the network, and whether it is asked at start-up.
struct ProxyPreferences
{
    quint8 mode = 0;
    QString host;
    quint16 port = 0;
    bool autoUpdateOnStart = false;
};

// A port number as the user typed it: empty is 0; anything but a whole number from 0 to 65535 is none.
std::optional<quint16> proxyPortFromText(const QString& text);

// The entry of a manual proxy server the user must correct, after telling why (with title): none, the host
// (not entered) or the port (not a whole number from 1 to 65535).
enum class ProxyEntryFault
{
    None,
    Host,
    Port
};
ProxyEntryFault checkManualProxy(const QString& host, const QString& portText, const QString& title);

// What the update server offers. A status is 0 (nothing new), 1 (a newer version is available)
// or 9 (no valid update information came back).
struct UpdateOffer
{
    bool serverInMaintenance = false;
    QString information;
    int checklistStatus = 0;
    int programStatus = 0;
    // The first information file that gave none: its address and why, for the message that tells it.
    QString failedAddress;
    QString failureCause;
};

// The update service as start-up uses it.
class UpdateService
{
public:
    virtual ~UpdateService();
    virtual UpdateOffer check(const ProxyPreferences& proxy) = 0;
    virtual void closeWindow() = 0;
    // Downloads the new files; true when the program files went to the updater and the program ends.
    virtual bool startDownload(bool checklist, bool program) = 0;
};

// What an offer comes to, for start-up and the update window alike: nothing newer, no valid information (the
// check failed), an update while the server is in maintenance, or an update to offer.
enum class UpdateOfferKind
{
    Current,
    Failed,
    InMaintenance,
    Available
};
UpdateOfferKind updateOfferKind(const UpdateOffer& offer);

// What start-up and the update window tell of an offer; the unreachable server in one message that names
// the address and the cause.
void tellUpdateServerUnreachable(const UpdateOffer& offer);
void tellUpdateInMaintenance();
// Shows what is new and asks whether to download it now.
bool askToDownloadUpdate(const UpdateOffer& offer);

enum class StartupUpdateOutcome
{
    Continue,
    ProgramEnds // the updater takes over
};

// Asks the service at start-up and acts on its answer; failures never stop the start-up, and neither does a
// download that leaves the program running (a checklist file, or program files that failed).
StartupUpdateOutcome runStartupUpdateCheck(UpdateService& service, const ProxyPreferences& proxy);

} // namespace dovra
