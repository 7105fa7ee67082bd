#include "base/appstate.h"

namespace dovra {

AppState& appState()
{
    static AppState state;
    return state;
}

void AppState::configure(const ProgramPaths& paths, const ProgramVersion& version)
{
    if (!m_dataFilePath.isEmpty())
        releaseSharedDatabase(m_dataFilePath);
    if (!m_checklistFilePath.isEmpty())
        releaseSharedDatabase(m_checklistFilePath);
    m_version = version;
    m_paths = paths;
    m_settings = std::make_unique<Settings>(version.settingsSection(), paths.defaultDataFile());
    m_dataFilePath.clear();
    m_checklistFilePath = paths.checklistFile();
    m_checklistSequence = 0;
    m_checklistProgramMinimum = 0;
    m_facility = {};
    m_view = {};
    m_proxy = {};
    m_editorOpen = false;
    m_confirmationShowing = false;
    m_facilityCommandsEnabled = false;
}

void AppState::setDataFilePath(const QString& path)
{
    if (!m_dataFilePath.isEmpty() && m_dataFilePath != path)
        releaseSharedDatabase(m_dataFilePath);
    m_dataFilePath = path;
    emit dataFileLinked(path);
}

std::shared_ptr<Database> AppState::dataDatabase(QString* error) const
{
    if (m_dataFilePath.isEmpty())
        return nullptr;
    return sharedDatabase(m_dataFilePath, Database::OpenMode::ReadWrite, error);
}

std::shared_ptr<Database> AppState::checklistDatabase(QString* error) const
{
    return sharedDatabase(m_checklistFilePath, Database::OpenMode::ReadOnly, error);
}

void AppState::setChecklistSystemValues(qint16 sequence, qint16 programMinimum)
{
    m_checklistSequence = sequence;
    m_checklistProgramMinimum = programMinimum;
    emit checklistSystemValuesChanged();
}

void AppState::loadViewPreferences()
{
    m_view.provisionColour = m_settings->provisionColour();
    m_view.costItemColour = m_settings->costItemColour();
    m_view.treeSingleSelect = m_settings->treeSingleSelect();
    m_view.treeLines = m_settings->treeLines();
    m_view.treePlusMinus = m_settings->treePlusMinus();
    m_view.vatPercentage = m_settings->vatPercentage();
}

void AppState::loadProxyPreferences()
{
    m_proxy.mode = m_settings->proxySetting();
    m_proxy.host = m_settings->proxyName();
    m_proxy.port = m_settings->proxyPort();
    m_proxy.autoUpdateOnStart = m_settings->autoUpdateOnStart();
}

void AppState::SetFacilityOpenState(bool isOpen)
{
    m_facilityCommandsEnabled = isOpen;
    emit facilityOpenStateChanged(isOpen);
}

} // namespace dovra
