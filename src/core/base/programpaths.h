#pragma once

#include <QString>

namespace dovra {

// Where the program's own files lie: the checklist file and the data file template live in the
// program folder, which is the executable's folder in a build and the installed data folder otherwise.
class ProgramPaths
{
public:
    explicit ProgramPaths(const QString& programDir);
    // The folder of the running executable when it holds the checklist file, the installed data
    // folder otherwise.
    static ProgramPaths detect();

    const QString& programDir() const { return m_programDir; }
    QString checklistFile() const;
    QString templateFile() const;
    // The data file looked for when none was linked before: next to the program when that
    // folder can be written, in the user's data folder otherwise.
    QString defaultDataFile() const;

private:
    QString m_programDir;
};

} // namespace dovra
