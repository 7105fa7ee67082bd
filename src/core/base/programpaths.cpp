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

ProgramPaths::ProgramPaths(const QString& programDir) : m_programDir(QDir::cleanPath(programDir)) {}

ProgramPaths ProgramPaths::detect()
{
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(QDir(executableDir).filePath(ChecklistFileName)))
        return ProgramPaths(executableDir);
    return ProgramPaths(QStringLiteral(DOVRA_INSTALL_DATADIR));
}

QString ProgramPaths::checklistFile() const
{
    return QDir(m_programDir).filePath(ChecklistFileName);
}

QString ProgramPaths::templateFile() const
{
    return QDir(m_programDir).filePath(TemplateFileName);
}

QString ProgramPaths::defaultDataFile() const
{
    const QFileInfo dir(m_programDir);
    if (dir.isDir() && dir.isWritable())
        return QDir(m_programDir).filePath(DefaultDataFileName);
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(userDir).filePath(DefaultDataFileName);
}

} // namespace dovra
