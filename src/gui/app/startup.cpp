#include "app/startup.h"

#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "app/instancelock.h"
#include "base/messageservice.h"
#include "storage/datafilelink.h"
#include "update/frmUpdateCheck.h"
#include "update/startupupdate.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace dovra {

namespace {

enum class FileLookup
{
    Exists,
    Missing,
    Unexaminable
};

// Tells a missing file from a path that cannot be examined at all (an unreachable folder,
// a file used as a folder, a name too long for the system).
FileLookup lookUp(const QString& path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0)
        return S_ISREG(info.st_mode) ? FileLookup::Exists : FileLookup::Unexaminable;
    return errno == ENOENT ? FileLookup::Missing : FileLookup::Unexaminable;
}

} // namespace

Startup::Startup(StartupEnvironment environment) : m_environment(std::move(environment)) {}

Startup::~Startup() = default;

frmMDI_main* Startup::mainWindow() const
{
    return m_mainWindow;
}

StartupResult Startup::end()
{
    messages().clearBusy();
    if (m_mainWindow) {
        m_mainWindow->close();
        delete m_mainWindow;
    }
    return StartupResult::Ended;
}

StartupResult Startup::Main()
{
    AppState& state = appState();
    state.configure(m_environment.paths, m_environment.version);

    if (!state.version().isValid()) {
        messages().inform(
            QStringLiteral("De applicatie heeft een ongeldig versienr. Neem contact op met de helpdesk."),
            QStringLiteral("Check versienr"), MessageIcon::Critical);
        return StartupResult::Ended;
    }

    m_lock = std::make_unique<InstanceLock>(m_environment.instanceLockPath);
    if (!m_lock->acquire()) {
        messages().inform(QStringLiteral("Het programma is reeds geopend"), applicationTitle(),
                          MessageIcon::Information);
        return StartupResult::Ended;
    }

    m_mainWindow = new frmMDI_main;
    m_mainWindow->show();
    messages().setBusy(true);

    const QString dataFile = state.settings().dataFileName();
    m_mainWindow->ReadChecklistSystemValues();
    // Loaded before the update check: closing the main window writes them back, also after a download.
    state.loadViewPreferences();
    state.loadProxyPreferences();

    if (state.proxy().autoUpdateOnStart) {
        // The update window is asked unseen; it closes itself unless the program ends.
        UpdateService* updates = m_environment.updates;
        if (!updates)
            updates = new frmUpdateCheck([window = m_mainWindow] { window->close(); });
        if (runStartupUpdateCheck(*updates, state.proxy()) == StartupUpdateOutcome::ProgramEnds) {
            messages().clearBusy();
            return StartupResult::Downloading;
        }
    }

    m_mainWindow->SetFacilityOpenState(false);
    m_mainWindow->writeProgramVersionPanel();

    switch (lookUp(dataFile)) {
    case FileLookup::Unexaminable:
        messages().inform(
            QStringLiteral("Datafile ") + dataFile +
                QStringLiteral(" kan niet worden gevonden. DOVRA zal worden afgesloten. Start DOVRA "
                               "vervolgens opnieuw op."),
            QStringLiteral("Controle databestand"), MessageIcon::Critical);
        state.settings().setDataFileName(QStringLiteral("?"));
        state.settings().sync();
        return end();
    case FileLookup::Exists: {
        CompactDataFile(state.workspace(), dataFile);
        if (!state.linkDataFile(dataFile, false, true))
            return end();
        auto* splash = new frmSplash(frmSplash::Mode::Startup, m_mainWindow);
        QObject::connect(splash, &frmSplash::startupFinished, m_mainWindow.data(),
                         &frmMDI_main::showStartupFacilityList);
        splash->start();
        return StartupResult::Splash;
    }
    case FileLookup::Missing:
        messages().clearBusy();
        // A first start: the folder of the first data file is made now, so that the dialogs show it.
        state.workspace().paths().dataFileFolder(dataFile);
        m_mainWindow->openConfiguration();
        messages().inform(QStringLiteral("Het databestand ") + dataFile +
                              QStringLiteral(" is niet gevonden. Wijzig de bestandslocatie of maak een nieuw "
                                             "databestand aan."),
                          QStringLiteral("Koppeling aan databestand"), MessageIcon::Exclamation);
        return StartupResult::Configuration;
    }
    return end();
}

} // namespace dovra
