#pragma once

#include "base/programpaths.h"
#include "base/programversion.h"
#include "storage/database.h"

#include <QHash>
#include <QString>

#include <memory>

namespace dovra {

class clsCL;

// The files one piece of work runs on: the program's own folder and version, the data file and the
// checklist file with one connection each, and the checklist versions read from that checklist file.
// Everything that reads or writes a file is given a workspace, so two of them (an import into a
// scratch file, a batch over several data files) can be open side by side.
class Workspace
{
public:
    explicit Workspace(ProgramPaths paths, ProgramVersion version = {});
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const ProgramPaths& paths() const { return m_paths; }
    const ProgramVersion& version() const { return m_version; }

    // The data file; empty while none is linked.
    const QString& dataFilePath() const { return m_dataFilePath; }
    bool isDataFileLinked() const { return !m_dataFilePath.isEmpty(); }
    // Uses path as the data file; connection, when given, is one already open on it.
    void setDataFile(const QString& path, std::shared_ptr<Database> connection = nullptr);
    // The data file's connection, opened on first use (null when unlinked or unreadable).
    std::shared_ptr<Database> dataDatabase(QString* error = nullptr) const;

    const QString& checklistFilePath() const { return m_checklistFilePath; }
    // Uses path as the checklist file, forgetting the versions read from the previous one.
    void setChecklistFile(const QString& path);
    std::shared_ptr<Database> checklistDatabase(QString* error = nullptr) const;

    // Closes this workspace's connection to path, if it has one, before the file is replaced. The
    // next use opens it again.
    void closeFile(const QString& path);

    // The checklist file's system values, as last read.
    qint16 checklistSequence() const { return m_checklistSequence; }
    qint16 checklistProgramMinimum() const { return m_checklistProgramMinimum; }
    void setChecklistSystemValues(qint16 sequence, qint16 programMinimum);

    // A checklist version read before from the current checklist file; null when not read yet.
    // The file is published and only read, so a version read once stays valid.
    std::shared_ptr<const clsCL> checklistVersion(int versionId) const;
    void keepChecklistVersion(int versionId, std::shared_ptr<const clsCL> version);

private:
    std::shared_ptr<Database> connection(std::shared_ptr<Database>& held, const QString& path,
                                         Database::OpenMode mode, QString* error) const;

    ProgramPaths m_paths;
    ProgramVersion m_version;
    QString m_dataFilePath;
    QString m_checklistFilePath;
    mutable std::shared_ptr<Database> m_data;
    mutable std::shared_ptr<Database> m_checklist;
    qint16 m_checklistSequence = 0;
    qint16 m_checklistProgramMinimum = 0;
    QHash<int, std::shared_ptr<const clsCL>> m_checklistVersions;
};

} // namespace dovra
