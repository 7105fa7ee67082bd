#pragma once

#include <QString>

namespace dovra {

// Where the program's own files lie: the checklist file and the data file template live in the
// program folder, which is the executable's folder in a build and the installed data folder otherwise.
// An installed program cannot write its folder, so what the user gets newer or makes goes to the user's
// folder instead.
class ProgramPaths
{
public:
    // userDir: the user's own DOVRA folder; by default "DOVRA" in the user's data folder.
    explicit ProgramPaths(const QString& programDir, const QString& userDir = defaultUserDir());
    // The folder of the running executable when it holds the checklist file, the installed data
    // folder otherwise.
    static ProgramPaths detect();
    static QString defaultUserDir();

    const QString& programDir() const { return m_programDir; }
    // The checklist file in use: the user's when the program folder cannot be written and an update put
    // one there, the program folder's otherwise.
    QString checklistFile() const;
    // Where a downloaded checklist file is installed: over the program folder's when that folder can be
    // written, in the user's folder otherwise.
    QString checklistInstallFile() const;
    QString templateFile() const;
    // The data file looked for when none was linked before: next to the program when that
    // folder can be written, in the user's folder otherwise.
    QString defaultDataFile() const;
    // Where the dialogs that pick or create a data file start: the folder of dataFile. The user's folder is
    // made when it is that folder and missing: an installed program's first start has none, and the dialogs
    // show only folders that exist.
    QString dataFileFolder(const QString& dataFile) const;

private:
    bool programDirWritable() const;
    QString programFile(const QString& name) const;
    QString userFile(const QString& name) const;

    QString m_programDir;
    QString m_userDir;
};

} // namespace dovra
