#pragma once

#include "base/programpaths.h"
#include "base/programversion.h"
#include "base/settings.h"
#include "storage/database.h"

#include <QObject>

#include <memory>

namespace dovra {

// The facility the user works on.
struct OpenFacilityState
{
    int id = 0; // 0 while none has been opened
    QString name;
    int type = 0;
    int checklistVersion = 0;
    QString checklistYear;     // year of the version's date, shown as "checklistversie"
    double aftercareStart = 0; // aftercare start as a decimal year
};

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

struct ProxyPreferences
{
    quint8 mode = 0;
    QString host;
    qint16 port = 0;
    bool autoUpdateOnStart = false;
};

// The process-wide state every part of the program shares: the linked data file, the checklist
// file's system values, the open facility, the settings and two flags.
class AppState : public QObject
{
    Q_OBJECT
public:
    // (Re)starts the state for a program folder and version, dropping any linked file.
    void configure(const ProgramPaths& paths, const ProgramVersion& version = {});

    const ProgramVersion& version() const { return m_version; }
    const ProgramPaths& paths() const { return m_paths; }
    Settings& settings() { return *m_settings; }

    // The linked data file; empty while none is linked.
    const QString& dataFilePath() const { return m_dataFilePath; }
    bool isDataFileLinked() const { return !m_dataFilePath.isEmpty(); }
    void setDataFilePath(const QString& path);
    // The one shared connection to the linked data file (null when unlinked or unreadable).
    std::shared_ptr<Database> dataDatabase(QString* error = nullptr) const;

    QString checklistFilePath() const { return m_checklistFilePath; }
    void setChecklistFilePath(const QString& path) { m_checklistFilePath = path; }
    std::shared_ptr<Database> checklistDatabase(QString* error = nullptr) const;

    qint16 checklistSequence() const { return m_checklistSequence; }
    qint16 checklistProgramMinimum() const { return m_checklistProgramMinimum; }
    void setChecklistSystemValues(qint16 sequence, qint16 programMinimum);

    const OpenFacilityState& facility() const { return m_facility; }
    void setFacility(const OpenFacilityState& facility) { m_facility = facility; }

    ViewPreferences& view() { return m_view; }
    ProxyPreferences& proxy() { return m_proxy; }
    void loadViewPreferences();
    void loadProxyPreferences();

    bool editorOpen() const { return m_editorOpen; }
    void setEditorOpen(bool open) { m_editorOpen = open; }
    bool confirmationShowing() const { return m_confirmationShowing; }
    void setConfirmationShowing(bool showing) { m_confirmationShowing = showing; }
    bool testBuild() const { return m_version.isTestBuild(); }

    // Asks the main window to switch its facility commands on or off.
    void SetFacilityOpenState(bool isOpen);
    // Whether the facility commands are on: off until a facility whose checklist version is
    // installed has been opened.
    bool facilityCommandsEnabled() const { return m_facilityCommandsEnabled; }

signals:
    void facilityOpenStateChanged(bool isOpen);
    void checklistSystemValuesChanged();
    void dataFileLinked(const QString& path);

private:
    ProgramVersion m_version;
    ProgramPaths m_paths{QString()};
    std::unique_ptr<Settings> m_settings;
    QString m_dataFilePath;
    QString m_checklistFilePath;
    qint16 m_checklistSequence = 0;
    qint16 m_checklistProgramMinimum = 0;
    OpenFacilityState m_facility;
    ViewPreferences m_view;
    ProxyPreferences m_proxy;
    bool m_editorOpen = false;
    bool m_confirmationShowing = false;
    bool m_facilityCommandsEnabled = false;
};

AppState& appState();

} // namespace dovra
