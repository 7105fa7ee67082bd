#include "storage/outputtarget.h"

#include "storage/workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

namespace dovra {

namespace {

QString quoted(const QString& path)
{
    return u'\'' + QDir::toNativeSeparators(path) + u'\'';
}

bool sameFile(const struct stat& target, const QString& other)
{
    struct stat info;
    return !other.isEmpty() && stat(QFile::encodeName(other).constData(), &info) == 0 &&
           info.st_dev == target.st_dev && info.st_ino == target.st_ino;
}

// A document is saved beside its target and renamed over it: the folder must take new files.
std::optional<QString> folderProblem(const QString& folder)
{
    struct stat info;
    if (stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return QStringLiteral("de map ") + quoted(folder) + QStringLiteral(" bestaat niet.");
    if (access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("in de map ") + quoted(folder) + QStringLiteral(" kan niet worden geschreven.");
    return std::nullopt;
}

// Saving replaces what is at path: only a regular file of the user's may be replaced.
std::optional<QString> existingFileProblem(const QString& path, const struct stat& info,
                                           const QStringList& databaseFiles)
{
    if (S_ISLNK(info.st_mode))
        return quoted(path) + QStringLiteral(" is een symbolische koppeling.");
    if (S_ISDIR(info.st_mode))
        return quoted(path) + QStringLiteral(" is een map.");
    if (!S_ISREG(info.st_mode))
        return quoted(path) + QStringLiteral(" is geen gewoon bestand.");
    if (std::any_of(databaseFiles.cbegin(), databaseFiles.cend(),
                    [&info](const QString& file) { return sameFile(info, file); }))
        return quoted(path) + QStringLiteral(" is een database die het programma gebruikt.");
    if (access(QFile::encodeName(path).constData(), W_OK) != 0)
        return quoted(path) + QStringLiteral(" is alleen-lezen.");
    return std::nullopt;
}

} // namespace

QStringList programDatabaseFiles(const Workspace& workspace, const QString& configuredDataFile)
{
    return {workspace.dataFilePath(), configuredDataFile, workspace.checklistFilePath(),
            workspace.paths().checklistFile(), workspace.paths().templateFile()};
}

std::optional<QString> outputTargetProblem(const QString& path, const QStringList& databaseFiles)
{
    if (path.isEmpty())
        return QStringLiteral("er is geen bestandsnaam opgegeven.");
    const QString absolute = QFileInfo(path).absoluteFilePath();
    struct stat info;
    if (lstat(QFile::encodeName(absolute).constData(), &info) == 0) {
        if (std::optional<QString> problem = existingFileProblem(absolute, info, databaseFiles))
            return problem;
    }
    return folderProblem(QFileInfo(absolute).absolutePath());
}

} // namespace dovra
