#include "app/appstate.h"

#include "checklist/checklistsystem.h"
#include "facility/facilitymanagement.h"
#include "storage/datafilelink.h"

namespace dovra {

AppState& appState()
{
    static AppState state;
    return state;
}

void AppState::configure(const ProgramPaths& paths, const ProgramVersion& version)
{
    m_workspace = std::make_unique<Workspace>(paths, version);
    m_settings = std::make_unique<Settings>(version.settingsSection(), paths.defaultDataFile());
    m_facility = {};
    m_view = {};
    m_proxy = {};
    m_editorOpen = false;
    m_confirmationShowing = false;
    m_facilityCommandsEnabled = false;
}

bool AppState::linkDataFile(const QString& path, bool isNew, bool silent)
{
    if (!LinkDataFile(*m_workspace, path, isNew, silent))
        return false;
    if (!silent)
        closeFacility();
    m_settings->setDataFileName(m_workspace->dataFilePath());
    m_settings->sync();
    return true;
}

bool AppState::readChecklistSystemValues()
{
    const bool read = ReadChecklistSystemValues(*m_workspace);
    emit checklistSystemValuesChanged();
    return read;
}

bool AppState::openFacility(int id)
{
    const std::optional<OpenFacilityState> facility = readOpenFacility(*m_workspace, id);
    if (!facility)
        return false;
    m_facility = *facility;
    m_settings->setCurrentFacilityId(id);
    m_settings->sync();
    SetFacilityOpenState(checklistBestaat(*m_workspace, m_facility.checklistVersion));
    return true;
}

bool AppState::reloadFacility()
{
    const std::optional<OpenFacilityState> facility = readOpenFacility(*m_workspace, m_facility.id);
    if (!facility)
        return false;
    // Every view of the open facility (the status bar among them) shows it as it is now.
    m_facility = *facility;
    SetFacilityOpenState(checklistBestaat(*m_workspace, m_facility.checklistVersion));
    return true;
}

bool AppState::deleteFacility(int id, const QString& name)
{
    if (!DeleteFacility(*m_workspace, id, name))
        return false;
    if (m_facility.id == id)
        closeFacility();
    return true;
}

void AppState::closeFacility()
{
    m_facility = {};
    SetFacilityOpenState(false);
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

void AppState::storeProxyPreferences(const ProxyPreferences& proxy)
{
    m_proxy = proxy;
    m_settings->setProxySetting(proxy.mode);
    m_settings->setProxyName(proxy.host);
    m_settings->setProxyPort(proxy.port);
    m_settings->setAutoUpdateOnStart(proxy.autoUpdateOnStart);
    m_settings->sync();
}

void AppState::SetFacilityOpenState(bool isOpen)
{
    m_facilityCommandsEnabled = isOpen;
    emit facilityOpenStateChanged(isOpen);
}

} // namespace dovra
