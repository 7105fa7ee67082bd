#include "storage/workspace.h"

#include <QFileInfo>

namespace dovra {

namespace {

// Another spelling of a path ("a/./b", a symlink) names the same file.
QString fileKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool sameFile(const QString& a, const QString& b)
{
    return !a.isEmpty() && fileKey(a) == fileKey(b);
}

} // namespace

Workspace::Workspace(ProgramPaths paths, ProgramVersion version)
    : m_paths(std::move(paths)), m_version(std::move(version)), m_checklistFilePath(m_paths.checklistFile())
{
}

Workspace::~Workspace() = default;

void Workspace::setDataFile(const QString& path, std::shared_ptr<Database> connection)
{
    m_dataFilePath = path;
    m_data = std::move(connection);
}

std::shared_ptr<Database> Workspace::dataDatabase(QString* error) const
{
    return connection(m_data, m_dataFilePath, Database::OpenMode::ReadWrite, error);
}

void Workspace::setChecklistFile(const QString& path)
{
    m_checklistFilePath = path;
    m_checklist.reset();
    m_checklistVersions.clear();
}

std::shared_ptr<Database> Workspace::checklistDatabase(QString* error) const
{
    return connection(m_checklist, m_checklistFilePath, Database::OpenMode::ReadOnly, error);
}

void Workspace::closeFile(const QString& path)
{
    if (sameFile(m_dataFilePath, path))
        m_data.reset();
    if (sameFile(m_checklistFilePath, path)) {
        m_checklist.reset();
        m_checklistVersions.clear();
    }
}

void Workspace::setChecklistSystemValues(qint16 sequence, qint16 programMinimum)
{
    m_checklistSequence = sequence;
    m_checklistProgramMinimum = programMinimum;
}

std::shared_ptr<const clsCL> Workspace::checklistVersion(int versionId) const
{
    return m_checklistVersions.value(versionId);
}

void Workspace::keepChecklistVersion(int versionId, std::shared_ptr<const clsCL> version)
{
    m_checklistVersions.insert(versionId, std::move(version));
}

std::shared_ptr<Database> Workspace::connection(std::shared_ptr<Database>& held, const QString& path,
                                                Database::OpenMode mode, QString* error) const
{
    if (path.isEmpty())
        return nullptr;
    if (!held)
        held = Database::open(path, mode, error);
    return held;
}

} // namespace dovra
