// The database layer: password protection, parameters, typed reads, transactions, connections.
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/testfiles.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

class DatabaseTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    std::unique_ptr<Database> db;

    void SetUp() override
    {
        db = Database::open(folder.filePath(QStringLiteral("t.db")), Database::OpenMode::Create);
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execScript(QStringLiteral(
            "CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name VARCHAR(50) COLLATE NOCASE, "
            "flag BOOLEAN, amount REAL, day DATETIME)")));
    }

    QVariant single(const QString& sql, const QVariant& parameter = {})
    {
        Statement query = db->prepare(sql);
        if (parameter.isValid())
            query.bind(1, parameter);
        return query.next() ? query.value(0) : QVariant();
    }
};

// The files are encrypted with the program's password.
TEST_F(DatabaseTest, OnlyProtectedFilesOpenWithThePassword)
{
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    QFile file(checklist);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    QString error;
    EXPECT_FALSE(
        Database::open(checklist, Database::OpenMode::ReadOnly, QStringLiteral("molenvork6"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(Database::open(checklist, Database::OpenMode::ReadOnly));

    // Text, a plain SQLite file, a missing file (not created): refused.
    const QString text = folder.createTextFile(QStringLiteral("tekst.mdb"), "Dit is geen database.\n");
    const QString plain = folder.filePath(QStringLiteral("plain.db"));
    ASSERT_TRUE(Database::open(plain, Database::OpenMode::Create, QString())
                    ->execScript(QStringLiteral("CREATE TABLE x (a INTEGER)")));
    const QString missing = folder.filePath(QStringLiteral("ontbreekt.mdb"));
    for (const QString& path : {text, plain, missing})
        EXPECT_FALSE(Database::open(path, Database::OpenMode::ReadWrite)) << path.toStdString();
    EXPECT_FALSE(QFile::exists(missing));
}

// Parameters are data, never SQL; text compares without case, also beyond ASCII.
TEST_F(DatabaseTest, ParametersAreDataAndCompareWithoutCase)
{
    for (const char* name : {"Stortplaats Écluse", "O'Brien \"de\" stort"})
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name) VALUES (?)"), {QString::fromUtf8(name)}));
    const QString find = QStringLiteral("SELECT group_concat(id) FROM t WHERE name = ?");
    EXPECT_EQ(single(find, QStringLiteral("STORTPLAATS éCLUSE")).toInt(), 1);
    EXPECT_EQ(single(find, QStringLiteral("o'brien \"DE\" STORT")).toInt(), 2);
    EXPECT_EQ(single(find, QStringLiteral("Stortplaats Ecluse")).toInt(), 0);
    EXPECT_EQ(single(QStringLiteral("SELECT count(*) FROM t")).toInt(), 2);
}

TEST_F(DatabaseTest, TypedValuesRoundTrip)
{
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name, flag, amount, day) VALUES (?, ?, ?, ?)"),
                         {QString(), true, QVariant(5.06f), QDate(2030, 1, 16)}));
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (flag) VALUES (?)"), {false}));
    // True is stored as -1, a single as the decimal it stands for, a date as its ISO text. An empty text
    // reads as not entered, just like Null.
    EXPECT_EQ(single(QStringLiteral("SELECT group_concat(name || flag || ' ' || amount || ' ' || day) "
                                    "FROM t")),
              QStringLiteral("-1 5.06 2030-01-16"));
    Statement rows = db->prepare(QStringLiteral("SELECT name, flag, amount, day FROM t ORDER BY id"));
    ASSERT_TRUE(rows.next());
    EXPECT_FALSE(rows.text(0).has_value());
    EXPECT_EQ(rows.boolean(1), true);
    EXPECT_EQ(rows.date(3), QDate(2030, 1, 16));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.boolean(1), false);
    EXPECT_FALSE(rows.real(2).has_value() || rows.date(3).has_value() || rows.next() || rows.failed());

    // A real is read as a whole number by cutting it off, and only while the 64-bit range can hold it.
    Statement values = db->prepare(QStringLiteral("SELECT 2.9, -2.9, 9.2e18, 1e30, -1e30, 'abc'"));
    ASSERT_TRUE(values.next());
    EXPECT_EQ(values.integer(0), 2);
    EXPECT_EQ(values.integer(1), -2);
    EXPECT_EQ(values.integer(2), qint64(9.2e18));
    for (const int column : {3, 4, 5})
        EXPECT_FALSE(values.integer(column).has_value()) << column;
}

// An inner transaction is a savepoint: rolled back on its own, and with the outer one.
TEST_F(DatabaseTest, TransactionsRollBackUnlessCommitted)
{
    const auto insert = [this](const char* name) {
        return db->exec(QStringLiteral("INSERT INTO t (name) VALUES (?)"), {QString::fromUtf8(name)});
    };
    {
        Transaction transaction(*db);
        ASSERT_TRUE(insert("weg"));
        Transaction inner(*db);
        ASSERT_TRUE(insert("ook weg"));
        EXPECT_TRUE(inner.commit());
    }
    {
        Transaction transaction(*db);
        ASSERT_TRUE(insert("blijft"));
        {
            Transaction inner(*db);
            ASSERT_TRUE(insert("teruggedraaid"));
        }
        EXPECT_TRUE(transaction.commit());
    }
    EXPECT_EQ(single(QStringLiteral("SELECT group_concat(name) FROM t")), QStringLiteral("blijft"));

    EXPECT_FALSE(db->exec(QStringLiteral("INSERT INTO bestaatniet VALUES (1)")));
    EXPECT_TRUE(db->lastError().contains(QLatin1String("bestaatniet")));
    Statement invalid = db->prepare(QStringLiteral("SELEKT"));
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
    EXPECT_TRUE(checklist->readOnly());
    EXPECT_FALSE(data->readOnly());
    EXPECT_EQ(workspace.checklistDatabase(), checklist);

    Workspace other(folder.paths());
    other.setDataFile(workspace.dataFilePath());
    EXPECT_NE(other.checklistDatabase(), checklist);
    EXPECT_NE(other.dataDatabase(), data);

    workspace.closeFile(folder.filePath(QStringLiteral("db00.mdb")));
    EXPECT_EQ(workspace.checklistDatabase(), checklist);
    workspace.closeFile(folder.path() + QStringLiteral("/./dbTALVOCL.mdb"));
    EXPECT_NE(workspace.checklistDatabase(), checklist);
    EXPECT_EQ(workspace.dataDatabase(), data);
    workspace.closeFile(folder.path() + QStringLiteral("/./dbTALVOdata_1.mdb"));
    EXPECT_NE(workspace.dataDatabase(), data);
    EXPECT_FALSE(workspace.dataDatabase()->readOnly());
}

} // namespace
