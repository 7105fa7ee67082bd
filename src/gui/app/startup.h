#pragma once

#include "base/programpaths.h"
#include "base/programversion.h"

#include <QPointer>

#include <memory>

namespace dovra {

class frmMDI_main;
class InstanceLock;
class UpdateService;

// What start-up needs from its surroundings; tests supply their own.
struct StartupEnvironment
{
    ProgramPaths paths{QString()};
    ProgramVersion version;
    QString instanceLockPath;
    // Asked at start-up when the user wants that; null: the update window.
    UpdateService* updates = nullptr;
};

// How start-up ended.
enum class StartupResult
{
    Ended,         // no window open: the program ends
    Splash,        // main window and splash, which hands over to the facility list
    Configuration, // main window and configuration window: the data file was not found
    Downloading,   // an update was downloaded and the updater took over: the program ends
};

// The program's start-up: version and instance checks, settings, checklist values, update check,
// data file compaction and link, and the first window.
class Startup
{
public:
    explicit Startup(StartupEnvironment environment);
    ~Startup();

    StartupResult Main();
    frmMDI_main* mainWindow() const;

private:
    StartupResult end();

    StartupEnvironment m_environment;
    std::unique_ptr<InstanceLock> m_lock;
    QPointer<frmMDI_main> m_mainWindow;
};

} // namespace dovra
