#pragma once

#include "base/programpaths.h"
#include "base/programversion.h"
#include "base/settings.h"
#include "facility/clsStort.h"
#include "storage/workspace.h"
#include "update/startupupdate.h"

#include <QObject>

#include <memory>

namespace dovra {

// Display and calculation preferences read from the settings at start-up.
struct ViewPreferences
{
    ColourValue provisionColour = Settings::DefaultProvisionColour;
    ColourValue costItemColour = Settings::DefaultCostItemColour;
    bool treeSingleSelect = false;
    bool treeLines = true;
    bool treePlusMinus = false;
    float vatPercentage = Settings::DefaultVatPercentage;
};

// What the windows share: the workspace of the linked files, the open facility, the settings and two
// flags. The core is handed the workspace and the facility id; it never reads this state.
class AppState : public QObject
{
    Q_OBJECT
public:
    // (Re)starts the state for a program folder and version, with a new workspace without a data file.
    void configure(const ProgramPaths& paths, const ProgramVersion& version = {});

    Workspace& workspace() { return *m_workspace; }
    const ProgramVersion& version() const { return m_workspace->version(); }
    const ProgramPaths& paths() const { return m_workspace->paths(); }
    Settings& settings() { return *m_settings; }

    // The linked data file; empty while none is linked.
    const QString& dataFilePath() const { return m_workspace->dataFilePath(); }
    bool isDataFileLinked() const { return m_workspace->isDataFileLinked(); }
    // Links the data file (see LinkDataFile) and stores the link in the settings. A link the user
    // made (not silent) closes the open facility.
    bool linkDataFile(const QString& path, bool isNew, bool silent);

    // Reads the checklist file's system values into the workspace and tells the windows.
    bool readChecklistSystemValues();

    const OpenFacilityState& facility() const { return m_facility; }
    void setFacility(const OpenFacilityState& facility) { m_facility = facility; }
    // Makes the facility the open one: its state, the HUIDIGSTORT_ID setting, and the facility
    // commands, which are enabled only when its checklist version is installed. False when the
    // facility could not be read; the open one then stays open.
    bool openFacility(int id);
    // Reads the open facility's state again from its row; false when it is gone.
    bool reloadFacility();
    // Deletes a facility after the user confirmed (see DeleteFacility); closes it when it is open.
    bool deleteFacility(int id, const QString& name);

    ViewPreferences& view() { return m_view; }
    ProxyPreferences& proxy() { return m_proxy; }
    void loadViewPreferences();
    void loadProxyPreferences();
    // Keeps the preferences and writes them to the settings.
    void storeProxyPreferences(const ProxyPreferences& proxy);

    bool editorOpen() const { return m_editorOpen; }
    void setEditorOpen(bool open) { m_editorOpen = open; }
    bool confirmationShowing() const { return m_confirmationShowing; }
    void setConfirmationShowing(bool showing) { m_confirmationShowing = showing; }
    bool testBuild() const { return version().isTestBuild(); }

    // Asks the main window to switch its facility commands on or off.
    void SetFacilityOpenState(bool isOpen);
    // Whether the facility commands are on: off until a facility whose checklist version is
    // installed has been opened.
    bool facilityCommandsEnabled() const { return m_facilityCommandsEnabled; }

signals:
    void facilityOpenStateChanged(bool isOpen);
    void checklistSystemValuesChanged();

private:
    void closeFacility();

    std::unique_ptr<Workspace> m_workspace = std::make_unique<Workspace>(ProgramPaths(QString()));
    std::unique_ptr<Settings> m_settings;
    OpenFacilityState m_facility;
    ViewPreferences m_view;
    ProxyPreferences m_proxy;
    bool m_editorOpen = false;
    bool m_confirmationShowing = false;
    bool m_facilityCommandsEnabled = false;
};

AppState& appState();

} // namespace dovra
