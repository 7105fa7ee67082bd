// The database layer: password protection, parameters, typed reads, transactions.
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/testfiles.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

class DatabaseTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;

    std::unique_ptr<Database> createWithTable()
    {
        auto db = Database::open(folder.filePath(QStringLiteral("t.db")), Database::OpenMode::Create);
        EXPECT_TRUE(db);
        EXPECT_TRUE(db->execScript(QStringLiteral(
            "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(50) COLLATE NOCASE, "
            "flag BOOLEAN, amount REAL, day DATETIME)")));
        return db;
    }
};

TEST_F(DatabaseTest, FilesAreEncryptedAndNeedThePassword)
{
    const QString path = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // A plain SQLite file starts with this header; an encrypted one does not.
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));

    QString error;
    EXPECT_FALSE(Database::open(path, Database::OpenMode::ReadOnly, QStringLiteral("molenvork6"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(Database::open(path, Database::OpenMode::ReadOnly));
}

TEST_F(DatabaseTest, StockShellsAgreeOnTheEncryption)
{
    const QString path = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    const QString sqlcipher = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (sqlcipher.isEmpty())
        GTEST_SKIP() << "sqlcipher shell not installed";
    QProcess shell;
    shell.start(sqlcipher, {path});
    shell.write("PRAGMA key='molenvork5';\nSELECT strSYSvalue FROM tblSYS WHERE strSYS_ID='versie';\n");
    shell.closeWriteChannel();
    ASSERT_TRUE(shell.waitForFinished());
    EXPECT_EQ(shell.readAllStandardOutput().trimmed(), "14");

    QProcess withoutKey;
    withoutKey.start(sqlcipher, {path, QStringLiteral("SELECT count(*) FROM tblSYS;")});
    ASSERT_TRUE(withoutKey.waitForFinished());
    EXPECT_TRUE(withoutKey.readAllStandardError().contains("not a database"));
}

TEST_F(DatabaseTest, RefusesWhatIsNoProtectedDatabase)
{
    const QString text = folder.createTextFile(QStringLiteral("dbTALVOdata_tekst.mdb"),
                                               "Dit is geen database, maar een tekstbestand.\n");
    EXPECT_FALSE(Database::open(text, Database::OpenMode::ReadWrite));

    // A plain, unprotected SQLite file: an empty key opens it, the password does not.
    const QString plain = folder.filePath(QStringLiteral("plain.db"));
    {
        auto db = Database::open(plain, Database::OpenMode::Create, QString());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execScript(QStringLiteral("CREATE TABLE x (a INTEGER)")));
    }
    EXPECT_FALSE(Database::open(plain, Database::OpenMode::ReadWrite));

    EXPECT_FALSE(
        Database::open(folder.filePath(QStringLiteral("ontbreekt.mdb")), Database::OpenMode::ReadWrite));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("ontbreekt.mdb"))));
}

TEST_F(DatabaseTest, TextComparesWithoutCaseAlsoBeyondAscii)
{
    auto db = createWithTable();
    ASSERT_TRUE(
        db->exec(QStringLiteral("INSERT INTO t (name) VALUES (?)"), {QStringLiteral("Stortplaats Écluse")}));
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name) VALUES (?)"),
                         {QStringLiteral("O'Brien \"de\" stort")}));

    Statement find = db->prepare(QStringLiteral("SELECT count(*) FROM t WHERE name = ?"));
    find.bind(1, QStringLiteral("STORTPLAATS éCLUSE"));
    ASSERT_TRUE(find.next());
    EXPECT_EQ(find.integer(0), 1);

    // Quotes in values are data, never SQL.
    Statement quoted = db->prepare(QStringLiteral("SELECT id FROM t WHERE name = ?"));
    quoted.bind(1, QStringLiteral("o'brien \"DE\" STORT"));
    ASSERT_TRUE(quoted.next());
    EXPECT_EQ(quoted.integer(0), 2);

    Statement differs = db->prepare(QStringLiteral("SELECT count(*) FROM t WHERE name = ?"));
    differs.bind(1, QStringLiteral("Stortplaats Ecluse"));
    ASSERT_TRUE(differs.next());
    EXPECT_EQ(differs.integer(0), 0);
}

TEST_F(DatabaseTest, TypedValuesRoundTrip)
{
    auto db = createWithTable();
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name, flag, amount, day) VALUES (?, ?, ?, ?)"),
                         {QString(), true, QVariant(5.06f), QDate(2030, 1, 16)}));
    ASSERT_TRUE(
        db->exec(QStringLiteral("INSERT INTO t (name, flag) VALUES (?, ?)"), {QStringLiteral("b"), false}));

    Statement rows = db->prepare(QStringLiteral("SELECT name, flag, amount, day FROM t ORDER BY id"));
    ASSERT_TRUE(rows.next());
    // An empty text counts as not entered, just like Null.
    EXPECT_FALSE(rows.text(0).has_value());
    EXPECT_TRUE(rows.isNull(0));
    EXPECT_EQ(rows.integer(1), -1);
    EXPECT_EQ(rows.boolean(1), true);
    EXPECT_EQ(float(*rows.real(2)), 5.06f);
    // Stored as the decimal the single stands for, as a look into the file shows it.
    EXPECT_EQ(*rows.real(2), 5.06);
    EXPECT_EQ(rows.value(3).toString(), QStringLiteral("2030-01-16"));
    EXPECT_EQ(rows.date(3), QDate(2030, 1, 16));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.integer(1), 0);
    EXPECT_FALSE(rows.real(2).has_value());
    EXPECT_FALSE(rows.date(3).has_value());
    EXPECT_FALSE(rows.next());
    EXPECT_FALSE(rows.failed());
}

// A real is read as a whole number by cutting it off, and only while the 64-bit range can hold it.
TEST_F(DatabaseTest, RealsAsWholeNumbers)
{
    auto db = createWithTable();
    Statement values = db->prepare(QStringLiteral("SELECT 2.9, -2.9, 9.2e18, 1e30, -1e30, 'abc'"));
    ASSERT_TRUE(values.next());
    EXPECT_EQ(values.integer(0), 2);
    EXPECT_EQ(values.integer(1), -2);
    EXPECT_EQ(values.integer(2), qint64(9.2e18));
    for (const int column : {3, 4, 5})
        EXPECT_FALSE(values.integer(column).has_value()) << column;
}

TEST_F(DatabaseTest, TransactionsRollBackUnlessCommitted)
{
    auto db = createWithTable();
    {
        Transaction transaction(*db);
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name) VALUES ('weg')")));
        {
            Transaction inner(*db);
            ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name) VALUES ('ook weg')")));
            EXPECT_TRUE(inner.commit());
        }
    }
    {
        Transaction transaction(*db);
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name) VALUES ('blijft')")));
        {
            Transaction inner(*db);
            ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name) VALUES ('teruggedraaid')")));
        }
        EXPECT_TRUE(transaction.commit());
    }
    Statement names = db->prepare(QStringLiteral("SELECT group_concat(name) FROM t"));
    ASSERT_TRUE(names.next());
    EXPECT_EQ(names.text(0), QStringLiteral("blijft"));
}

TEST_F(DatabaseTest, ErrorsAreReportedByResult)
{
    auto db = createWithTable();
    EXPECT_FALSE(db->exec(QStringLiteral("INSERT INTO bestaatniet VALUES (1)")));
    EXPECT_TRUE(db->lastError().contains(QLatin1String("bestaatniet")));
    Statement invalid = db->prepare(QStringLiteral("SELEKT"));
    EXPECT_FALSE(invalid.isValid());
    EXPECT_FALSE(invalid.next());
    EXPECT_TRUE(invalid.failed());
}

// A workspace keeps one connection per file, opened on first use, until the file is closed under any
// spelling of its path; another workspace opens connections of its own.
TEST_F(DatabaseTest, WorkspaceKeepsOneConnectionPerFileUntilItIsClosed)
{
    Workspace& workspace = folder.workspace();
    ASSERT_TRUE(folder.linkDemoData());
    const auto checklist = workspace.checklistDatabase();
    const auto data = workspace.dataDatabase();
    ASSERT_TRUE(checklist);
    ASSERT_TRUE(data);
    EXPECT_TRUE(checklist->readOnly());
    EXPECT_FALSE(data->readOnly());
    EXPECT_EQ(workspace.checklistDatabase(), checklist);
    EXPECT_EQ(workspace.dataDatabase(), data);

    Workspace other(folder.paths());
    other.setDataFile(workspace.dataFilePath());
    EXPECT_NE(other.checklistDatabase(), checklist);
    EXPECT_NE(other.dataDatabase(), data);

    // A file the workspace does not use: both stay open.
    workspace.closeFile(folder.filePath(QStringLiteral("db00.mdb")));
    EXPECT_EQ(workspace.checklistDatabase(), checklist);
    EXPECT_EQ(workspace.dataDatabase(), data);

    workspace.closeFile(folder.path() + QStringLiteral("/./dbTALVOCL.mdb"));
    const auto reopened = workspace.checklistDatabase();
    ASSERT_TRUE(reopened);
    EXPECT_NE(reopened, checklist);
    EXPECT_EQ(workspace.checklistDatabase(), reopened);
    EXPECT_EQ(workspace.dataDatabase(), data);

    workspace.closeFile(folder.path() + QStringLiteral("/./dbTALVOdata_1.mdb"));
    const auto reopenedData = workspace.dataDatabase();
    ASSERT_TRUE(reopenedData);
    EXPECT_NE(reopenedData, data);
    EXPECT_FALSE(reopenedData->readOnly());
    EXPECT_EQ(workspace.checklistDatabase(), reopened);
}

} // namespace
