#include "base/programpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace dovra {

namespace {
const QString ChecklistFileName = QStringLiteral("dbTALVOCL.mdb");
const QString TemplateFileName = QStringLiteral("db00.mdb");
const QString DefaultDataFileName = QStringLiteral("dbTALVOdata_1.mdb");
} // namespace

ProgramPaths::ProgramPaths(const QString& programDir, const QString& userDir)
    : m_programDir(QDir::cleanPath(programDir)), m_userDir(QDir::cleanPath(userDir))
{
}

ProgramPaths ProgramPaths::detect()
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(QDir(executableDir).filePath(ChecklistFileName)))
        return ProgramPaths(executableDir);
    return ProgramPaths(QStringLiteral(DOVRA_INSTALL_DATADIR));
}

QString ProgramPaths::defaultUserDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/DOVRA");
}

QString ProgramPaths::checklistFile() const
{
    const QString own = userFile(ChecklistFileName);
    if (!programDirWritable() && QFileInfo::exists(own))
        return own;
    return programFile(ChecklistFileName);
}

QString ProgramPaths::checklistInstallFile() const
{
    return programDirWritable() ? programFile(ChecklistFileName) : userFile(ChecklistFileName);
}

QString ProgramPaths::templateFile() const
{
    return programFile(TemplateFileName);
}

QString ProgramPaths::defaultDataFile() const
{
    return programDirWritable() ? programFile(DefaultDataFileName) : userFile(DefaultDataFileName);
}

QString ProgramPaths::dataFileFolder(const QString& dataFile) const
{
    const QString folder = QFileInfo(dataFile).absolutePath();
    if (QDir::cleanPath(folder) == m_userDir)
        QDir().mkpath(m_userDir);
    return folder;
}

bool ProgramPaths::programDirWritable() const
{
    const QFileInfo dir(m_programDir);
    return dir.isDir() && dir.isWritable();
}

QString ProgramPaths::programFile(const QString& name) const
{
    return QDir(m_programDir).filePath(name);
}

QString ProgramPaths::userFile(const QString& name) const
{
    return QDir(m_userDir).filePath(name);
}

} // namespace dovra
