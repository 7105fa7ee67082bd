#pragma once

#include <QString>

namespace dovra {

// How the update service reaches the network, and whether it is asked at start-up.
struct ProxyPreferences
{
    quint8 mode = 0;
    QString host;
    qint16 port = 0;
    bool autoUpdateOnStart = false;
};

// What the update server offers. A status is 0 (nothing new), 1 (a newer version is available)
// or 9 (no valid update information came back).
struct UpdateOffer
{
    bool serverInMaintenance = false;
    QString information;
    int checklistStatus = 0;
    int programStatus = 0;
};

// The update service as start-up uses it.
class UpdateService
{
public:
    virtual ~UpdateService();
    virtual UpdateOffer check(const ProxyPreferences& proxy) = 0;
    virtual void closeWindow() = 0;
    // Hands over to the download of new files.
    virtual void startDownload(bool checklist, bool program) = 0;
};

enum class StartupUpdateOutcome
{
    Continue,
    DownloadStarted
};

// Asks the service at start-up and acts on its answer; failures never stop the start-up.
StartupUpdateOutcome runStartupUpdateCheck(UpdateService& service, const ProxyPreferences& proxy);

} // namespace dovra
