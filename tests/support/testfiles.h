#pragma once

#include "base/programpaths.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace dovra::test {

// The project's test key pair for signed downloads ("<name>.pem", "<name>.pub"): the program folder of the
// tests trusts it, also in a build configured with a publisher's key.
inline const QString TestKeyPair = QStringLiteral(DOVRA_TEST_DATA_DIR "/../../data/update-test-key");

// A throw-away program folder holding copies of the built checklist file and template and the test key as
// its trusted update key, with a workspace on it and the settings of earlier tests cleared.
class ProgramFolder
{
public:
    ProgramFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    ProgramPaths paths() const { return ProgramPaths(path()); }

    // The workspace the files below are used in: the folder's own, or the one given to useWorkspace.
    Workspace& workspace() { return *m_workspace; }
    void useWorkspace(Workspace& workspace) { m_workspace = &workspace; }

    // A copy of the built demo data file under name.
    QString copyDemoData(const QString& name = QStringLiteral("dbTALVOdata_1.mdb")) const;
    // The bytes of a copy of the built checklist file with another sequence number, as an update server
    // offers a newer one.
    QByteArray offeredChecklist(int sequence) const;
    // A password-protected file built from SQL scripts (file names under tests/data, or SQL text).
    QString createDatabase(const QString& name, const QStringList& scripts) const;
    // A checklist file of the checklist schema and sql, made the workspace's.
    void useChecklist(const QString& sql);
    // A data file of the data file schema and sql, linked in the workspace; false when linking failed.
    bool linkDataFile(const QString& sql);
    // The built demo data file copied under name and linked in the workspace; false when linking failed.
    bool linkDemoData(const QString& name = QStringLiteral("dbTALVOdata_1.mdb"));

private:
    QTemporaryDir m_dir;
    Workspace m_own;
    Workspace* m_workspace = &m_own;
};

// A folder the program cannot write in, for the life of the object: a read-only bind mount of itself when
// running as root (whom permissions do not stop), else its permissions. active is false when neither works.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool active = false;

private:
    QByteArray m_path;
    bool m_mounted = false;
};

// The SQL text of a script in tests/data, or of one in data/ when name starts with "data/".
QString readScript(const QString& name);
// The cases of a file in tests/data: one a line, its fields split by '|'; empty lines and comments (lines
// opening with '#') left out.
QList<QStringList> readCases(const QString& name);

// The C library's numbers in another locale (strtod, printf) for the life of the object; the locale must be
// generated on the machine (scripts/install-deps makes nl_NL.UTF-8).
struct NumericLocale
{
    explicit NumericLocale(const char* name) : active(setlocale(LC_NUMERIC, name) != nullptr) {}
    ~NumericLocale() { setlocale(LC_NUMERIC, previous.c_str()); }
    const std::string previous = setlocale(LC_NUMERIC, nullptr);
    const bool active;
};

// Every row a query returns, its fields joined by '|' ("-" for not entered), with params bound in order.
QStringList queryRows(Database& db, const QString& sql, const QVariantList& params = {});

// A test on a checklist file and a data file of its own, built from SQL on top of the schemas,
// with every message recorded.
class SqlFilesTest : public ::testing::Test
{
protected:
    // The files from scripts in tests/data.
    void useScripts(const QString& checklistScript, const QString& dataScript)
    {
        folder.useChecklist(readScript(checklistScript));
        ASSERT_TRUE(folder.linkDataFile(readScript(dataScript)));
    }

    ProgramFolder folder;
    MessageRecorder recorder;
};

} // namespace dovra::test
