// The storage layer: the database files (password, parameters, typed reads, transactions), the workspace's
// connections, linking, version check, format upgrade and compaction of the user data file, and the places a
// document may be written. A refused or cancelled link leaves the file as it was; a file is replaced only by
// a copy written beside it and renamed.
#include "checklist/clsCL.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/outputtarget.h"
#include "storage/requiredschema.h"
#include "storage/savefailure.h"
#include "storage/schemacatalog.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dovra;

namespace {

const QString LinkTitle = QStringLiteral("Koppeling databestand");
const QString UpgradeTitle = QStringLiteral("Upgraden databestand");

class StorageTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    Workspace& workspace = folder.workspace();

    // The first value sql reads from the file at path.
    static QVariant single(const QString& path, const char* sql, const QVariant& parameter = {})
    {
        Statement query = Database::open(path, Database::OpenMode::ReadOnly)->prepare(QString::fromUtf8(sql));
        if (parameter.isValid())
            query.bind(1, parameter);
        return query.next() ? query.value(0) : QVariant();
    }
    // A file that is no database at all.
    QString textFile(const char* name)
    {
        QFile file(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("geen database") > 0);
        return file.fileName();
    }
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

class DatabaseTest : public StorageTest
{
protected:
    const QString path = folder.filePath(QStringLiteral("t.db"));
    std::unique_ptr<Database> db = Database::open(path, Database::OpenMode::Create);

    void SetUp() override
    {
        ASSERT_TRUE(
            db && db->execScript(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, name "
                                                "VARCHAR(50) COLLATE NOCASE, flag BOOLEAN, amount REAL, day "
                                                "DATETIME)")));
    }
    bool insert(const char* name)
    {
        return db->exec(QStringLiteral("INSERT INTO t (name) VALUES (?)"), {QString::fromUtf8(name)});
    }
};

TEST_F(DatabaseTest, OnlyProtectedFilesOpenWithThePassword)
{
    const QString checklist = folder.filePath(QStringLiteral("dbTALVOCL.mdb"));
    QFile file(checklist);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    QString error;
    EXPECT_FALSE(Database::open(checklist, Database::OpenMode::ReadOnly, "molenvork6", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(Database::open(checklist, Database::OpenMode::ReadOnly));

    // Text, a plain SQLite file, a missing file (not created): refused.
    const QString text = textFile("tekst.mdb");
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
    ASSERT_TRUE(insert("Stortplaats Écluse") && insert("O'Brien \"de\" stort"));
    const char* find = "SELECT printf('%d %d', count(*), sum(id)) FROM t WHERE name = ?";
    EXPECT_EQ(single(path, find, QStringLiteral("STORTPLAATS éCLUSE")), "1 1");
    EXPECT_EQ(single(path, find, QStringLiteral("o'brien \"DE\" STORT")), "1 2");
    EXPECT_EQ(single(path, find, QStringLiteral("Stortplaats Ecluse")), "0 0");
}

TEST_F(DatabaseTest, TypedValuesRoundTrip)
{
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (name, flag, amount, day) VALUES (?, ?, ?, ?)"),
                         {QString(), true, QVariant(5.06f), QDate(2030, 1, 16)}));
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (flag) VALUES (?)"), {false}));
    // True is stored as -1, a single as the decimal it stands for, a date as its ISO text. An empty text
    // reads as not entered, just like Null.
    EXPECT_EQ(single(path, "SELECT group_concat(name || flag || ' ' || amount || ' ' || day) FROM t"),
              "-1 5.06 2030-01-16");
    Statement rows = db->prepare(QStringLiteral("SELECT name, flag, amount, day FROM t ORDER BY id"));
    ASSERT_TRUE(rows.next());
    EXPECT_TRUE(!rows.text(0) && rows.boolean(1) == true && rows.date(3) == QDate(2030, 1, 16));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.boolean(1), false);
    EXPECT_FALSE(rows.real(2).has_value() || rows.date(3).has_value() || rows.next() || rows.failed());

    // Where the C library reads "4.5" as 4 (a Dutch desktop), every single still keeps its fraction.
    const test::NumericLocale dutch("nl_NL.UTF-8");
    ASSERT_TRUE(dutch.active) << "nl_NL.UTF-8 is not generated (scripts/install-deps)";
    const float entered[] = {4.5f, 25.5f, 52.5f, 0.11f, 195904.81f, -0.75f};
    for (const float value : entered)
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t (amount) VALUES (?)"), {QVariant(value)}));
    Statement amounts =
        db->prepare(QStringLiteral("SELECT amount FROM t WHERE amount IS NOT NULL AND id > 2"));
    for (const float value : entered) {
        ASSERT_TRUE(amounts.next());
        EXPECT_EQ(float(amounts.real(0).value_or(0)), value);
    }

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
    EXPECT_EQ(single(path, "SELECT group_concat(name) FROM t"), "blijft");

    EXPECT_FALSE(db->exec(QStringLiteral("INSERT INTO bestaatniet VALUES (1)")));
    EXPECT_TRUE(db->lastError().contains(QLatin1String("bestaatniet")));
    Statement invalid = db->prepare(QStringLiteral("SELEKT"));
    EXPECT_TRUE(!invalid.next() && invalid.failed());
}

// A workspace keeps one connection per file, opened on first use, until the file is closed under any
// spelling of its path; another workspace opens connections of its own.
TEST_F(StorageTest, WorkspaceKeepsOneConnectionPerFileUntilItIsClosed)
{
    ASSERT_TRUE(folder.linkDemoData());
    const auto checklist = workspace.checklistDatabase();
    const auto data = workspace.dataDatabase();
    EXPECT_TRUE(checklist->readOnly() && !data->readOnly());
    EXPECT_EQ(workspace.checklistDatabase(), checklist);

    Workspace other(folder.paths());
    other.setDataFile(workspace.dataFilePath());
    EXPECT_TRUE(other.checklistDatabase() != checklist && other.dataDatabase() != data);

    workspace.closeFile(folder.filePath(QStringLiteral("db00.mdb")));
    EXPECT_EQ(workspace.checklistDatabase(), checklist);
    workspace.closeFile(folder.path() + QStringLiteral("/./dbTALVOCL.mdb"));
    EXPECT_NE(workspace.checklistDatabase(), checklist);
    EXPECT_EQ(workspace.dataDatabase(), data);
    workspace.closeFile(folder.path() + QStringLiteral("/./dbTALVOdata_1.mdb"));
    EXPECT_NE(workspace.dataDatabase(), data);
    EXPECT_FALSE(workspace.dataDatabase()->readOnly());
}

// A checklist file replaced under the workspace (an update) is read again, versions included.
TEST_F(StorageTest, AReplacedChecklistFileIsReadAgain)
{
    clsCL before(workspace);
    ASSERT_TRUE(before.initializeCL(1));
    EXPECT_NE(before.strVersie(), u"bijgewerkt");
    workspace.closeFile(workspace.checklistFilePath());
    ASSERT_TRUE(Database::open(workspace.checklistFilePath(), Database::OpenMode::ReadWrite)
                    ->exec(QStringLiteral("UPDATE tblCL SET strVersie = 'bijgewerkt' WHERE intCL_ID = 1")));
    clsCL after(workspace);
    ASSERT_TRUE(after.initializeCL(1));
    EXPECT_EQ(after.strVersie(), u"bijgewerkt");
}

// name|whether valid
TEST_F(StorageTest, NameIsThePrefixAndSomethingMore)
{
    for (const char* c :
         {"/data/DBTALVODATA_x.mdb|1", "dbtalvodata_Provincie Zeeland|1", "/data/dbTALVOdata_.mdb|0",
          "dbTALVOdata_abcd|0", "/dbTALVOdata_map/data.mdb|0", "|0", "talvo_dbTALVOdata_x.mdb|0"}) {
        recorder.clear();
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        EXPECT_EQ(ValidDataFileName(fields[0]), fields[1] == u"1") << c;
        EXPECT_EQ(recorder.titles().join(u','), fields[1] == u"1" ? "" : "Instellen bestandskoppeling") << c;
    }
}

TEST_F(StorageTest, CurrentFileLinksUnchangedAndANewOneIsTheTemplate)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    const QByteArray before = contents(path);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, false));
    EXPECT_EQ(recorder.texts(), QStringList{"Koppeling aan " + path + " is ingesteld."});
    EXPECT_EQ(workspace.dataFilePath(), path);
    workspace.closeFile(path);
    EXPECT_EQ(contents(path), before);

    // A new file replaces any file of that name.
    ASSERT_TRUE(LinkDataFile(workspace, path, true, true));
    EXPECT_EQ(single(path, "SELECT (SELECT count(*) FROM tblStort) || ' ' || count(*) FROM tblProv"), "0 13");
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
    // Its folder is made when missing; ".mdb" is added when it is not typed, and the user told what was made.
    recorder.clear();
    EXPECT_TRUE(
        LinkDataFile(workspace, folder.filePath(QStringLiteral("nieuw/dbTALVOdata_test")), true, false));
    const QString made = folder.filePath(QStringLiteral("nieuw/dbTALVOdata_test.mdb"));
    EXPECT_EQ(recorder.texts(), QStringList{"Databestand " + made + " is aangemaakt.\nKoppeling aan " + made +
                                            " is ingesteld."});
}

TEST_F(StorageTest, OldFormatIsUpgradedOnceWhenTheUserAgrees)
{
    const QString path = folder.createDatabase("dbTALVOdata_oud.mdb", {"datafile_v20.sql"});
    const QByteArray before = contents(path);
    recorder.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
    EXPECT_EQ(recorder.titles(), (QStringList{UpgradeTitle, LinkTitle}));
    EXPECT_EQ(recorder.texts()[1], QStringLiteral("Koppeling is geannuleerd."));
    EXPECT_FALSE(workspace.isDataFileLinked());
    EXPECT_EQ(contents(path), before);

    recorder.clear();
    recorder.answerNext(MessageAnswer::Ok);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_EQ(recorder.titles(), (QStringList{UpgradeTitle, UpgradeTitle}));
    auto db = workspace.dataDatabase();
    EXPECT_EQ(DataFileVersion(*db), 30);
    // The new columns of existing rows hold their defaults.
    EXPECT_EQ(
        single(path,
               "SELECT group_concat(dtmAanvangNazorg || ' ' || sngAppKostenPerc || ' ' || sngRapEvalPerHa "
               "|| ' ' || sngOnvoorzien || ' ' || sngOntwerpdirectie || ' ' || memStandaardExportDir "
               "|| ' ' || sngRapEvalMin || ' ' || sngRapEvalMax || ' ' || bytRapEval, '; ') FROM tblStort"),
        "2012-01-01 3.0 225 10.0 12.0 c:\\ 3500 9000 0; 2015-01-01 3.0 225 10.0 12.0 c:\\ 3500 9000 0");
    // Every table and column of the current format is there; the unit column, rebuilt to 50 characters,
    // kept its values and the counter of the ids.
    SchemaCatalog catalog(*db);
    EXPECT_EQ(RequiredSchema::fromScriptFile(":/schema/datafile_schema.sql").firstGap(catalog), std::nullopt);
    EXPECT_EQ(catalog.column(QStringLiteral("tblAct"), QStringLiteral("strEenheid"))->declaredSize(), 50);
    EXPECT_EQ(single(path, "SELECT group_concat(strEenheid) FROM tblAct"), "m2,stuks");
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct) VALUES ('Nieuw')")));
    EXPECT_EQ(db->lastInsertId(), 4);

    const QVariant schema = single(path, "SELECT group_concat(sql, ';') FROM sqlite_master");
    recorder.clear();
    ASSERT_TRUE(UpgradeDataFile(workspace));
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(single(path, "SELECT group_concat(sql, ';') FROM sqlite_master"), schema);
}

// text|version, none when empty
TEST(FormatVersionText, OnlyAWholeNumberWithin32BitsIsAVersion)
{
    for (const char* c :
         {"30|30", " 29\t|29", "007|7", "0|0", "2147483647|2147483647", "2147483648|",
          "99999999999999999999|", "1e30|", "30.9|", "-1|", "+30|", "3 0|", "30abc|", "abc|", "|"}) {
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        const std::optional<int> version = formatVersionFromText(fields[0]);
        EXPECT_EQ(version ? QString::number(*version) : QString(), fields[1]) << c;
    }
}

// The cases: tests/data/refused_datafiles.txt.
TEST_F(StorageTest, RefusedFilesAreLeftAsTheyWereAndTheLinkStays)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));
    for (const QStringList& c : test::readCases(QStringLiteral("refused_datafiles.txt"))) {
        SCOPED_TRACE(c[1].toStdString());
        const QString path = folder.createDatabase("dbTALVOdata_fout.mdb", {c[0], c[1]});
        const QByteArray before = contents(path);
        recorder.clear();
        EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
        EXPECT_EQ(recorder.titles().join(u','),
                  c[2] == u"1" ? "Beschadigd databestand," + LinkTitle : LinkTitle);
        EXPECT_TRUE(recorder.texts().last().contains(c[3])) << recorder.texts().last().toStdString();
        EXPECT_EQ(workspace.dataFilePath(), linked);
        EXPECT_EQ(contents(path), before);
    }

    // No database, or one under another password: neither linked nor compacted.
    const QString text = textFile("dbTALVOdata_tekst.mdb");
    const QString wrongKey = folder.filePath(QStringLiteral("dbTALVOdata_anderwachtwoord.mdb"));
    ASSERT_TRUE(Database::open(wrongKey, Database::OpenMode::Create, "geheim")
                    ->execScript(test::readScript(QStringLiteral("data/datafile_schema.sql"))));
    for (const QString& path : {text, wrongKey}) {
        recorder.clear();
        const QByteArray before = contents(path);
        EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
        EXPECT_FALSE(CompactDataFile(workspace, path));
        EXPECT_EQ(recorder.titles(), QStringList{LinkTitle});
        EXPECT_TRUE(recorder.texts()[0].contains(QLatin1String("kan niet worden geopend als databestand")));
        EXPECT_EQ(workspace.dataFilePath(), linked);
        EXPECT_EQ(contents(path), before);
    }
}

// A file the program cannot write is linked for reading with the start-up's warning; a change that cannot be
// stored names its cause and is tried again or discarded as the user chooses, and the file stays untouched.
TEST_F(StorageTest, UnwritableFileIsToldAndAFailedChangeIsRetriedOrDiscarded)
{
    ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("alleenlezen"))));
    const QString path = folder.copyDemoData(QStringLiteral("alleenlezen/dbTALVOdata_1.mdb"));
    const QByteArray before = contents(path);
    int discarded = 0;
    const auto change = [&] {
        return storeOrDiscard(
            workspace, [&] { return workspace.dataDatabase()->exec(QStringLiteral("DELETE FROM tblAct")); },
            [&] { ++discarded; });
    };
    {
        test::ReadOnlyFolder readOnly(folder.filePath(QStringLiteral("alleenlezen")));
        if (!readOnly.active)
            GTEST_SKIP() << "no read-only folder can be made here";
        ASSERT_TRUE(LinkDataFile(workspace, path, false, false));
        EXPECT_EQ(recorder.titles(), (QStringList{QStringLiteral("Schrijffout"), LinkTitle}));
        recorder.clear();
        recorder.answerNext(MessageAnswer::Retry);
        recorder.answerNext(MessageAnswer::Discard);
        EXPECT_FALSE(change());
        EXPECT_EQ(discarded, 1);
        ASSERT_EQ(recorder.texts().size(), 2);
        EXPECT_TRUE(recorder.texts()[1].contains(u"het bestand is alleen-lezen"))
            << recorder.texts()[1].toStdString();
        workspace.closeFile(path);
    }
    EXPECT_EQ(contents(path), before);

    // A file removed while linked would swallow the change.
    ASSERT_TRUE(QFile::remove(path));
    recorder.answerNext(MessageAnswer::Discard);
    EXPECT_FALSE(change());
    EXPECT_TRUE(recorder.texts().last().contains(u"het bestand bestaat niet meer"))
        << recorder.texts().last().toStdString();
}

// A copy that cannot be written beside the file leaves the original.
TEST_F(StorageTest, CompactionKeepsPasswordDataAndCounters)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    {
        auto db = Database::open(path, Database::OpenMode::ReadWrite);
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(db->exec("INSERT INTO tblAct (strOpm) VALUES (?)", {QString(500, u'x')}));
        ASSERT_TRUE(db->execScript(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID > 1")));
    }
    const QByteArray before = contents(path);
    const QString beside = path + QStringLiteral("new");
    ASSERT_TRUE(QDir().mkpath(beside + QStringLiteral("/inhoud")));
    EXPECT_FALSE(CompactDataFile(workspace, path));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Schrijffout")});
    EXPECT_EQ(contents(path), before);

    ASSERT_TRUE(QDir(beside).removeRecursively());
    recorder.clear();
    ASSERT_TRUE(CompactDataFile(workspace, path));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(recorder.busyDepth(), 0);
    EXPECT_LT(contents(path).size(), before.size());
    EXPECT_FALSE(QFile::exists(beside) || contents(path).startsWith("SQLite format 3"));
    EXPECT_EQ(single(path, "SELECT strStortNaam FROM tblStort WHERE idrStort_ID = 1"),
              "Stortplaats De Kragge");
    const qint64 lastId = single(path, "SELECT seq FROM sqlite_sequence WHERE name = 'tblAct'").toLongLong();
    auto db = Database::open(path, Database::OpenMode::ReadWrite);
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct) VALUES ('Na compactie')")));
    EXPECT_EQ(db->lastInsertId(), lastId + 1);
    EXPECT_GT(lastId, 200);
}

// A document goes only into a new file in a usable folder or a writable file of the user's, never a folder,
// a link, a special file or one of the program's databases, whatever the path is called: the targets of
// tests/data/output_targets.txt.
TEST_F(StorageTest, OutputTargetRefusesEverythingButAUsableFile)
{
    ASSERT_TRUE(folder.linkDemoData());
    const QDir dir(folder.path());
    const auto at = [&dir](const char* name) {
        return QFile::encodeName(dir.filePath(QLatin1String(name)));
    };
    for (const char* name : {"oud.docx", "alleen-lezen.docx", "dbTALVOdata_instellingen.mdb"})
        ASSERT_TRUE(QFile(dir.filePath(QLatin1String(name))).open(QIODevice::WriteOnly));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("map")) && dir.mkdir(QStringLiteral("dicht")));
    ASSERT_EQ(chmod(at("alleen-lezen.docx").constData(), 0444) | chmod(at("dicht").constData(), 0555) |
                  symlink("oud.docx", at("link.docx").constData()) |
                  symlink("weg.docx", at("los.docx").constData()) | symlink(".", at("ook").constData()) |
                  mkfifo(at("fifo.docx").constData(), 0600) |
                  link(at("dbTALVOCL.mdb").constData(), at("kopie.docx").constData()),
              0);
    // The data file the settings link, which is not the one linked now.
    const QStringList databases = programDatabaseFiles(
        folder.workspace(), dir.filePath(QStringLiteral("dbTALVOdata_instellingen.mdb")));

    for (const QStringList& fields : test::readCases(QStringLiteral("output_targets.txt"))) {
        // Permissions do not bind root.
        if (geteuid() == 0 && (fields[0].startsWith(u"alleen") || fields[0].startsWith(u"dicht")))
            continue;
        const QString path = fields[0].isEmpty() ? QString() : dir.absoluteFilePath(fields[0]);
        EXPECT_EQ(outputTargetProblem(path, databases).value_or(QString()),
                  QString(fields[1])
                      .replace(QLatin1String("{f}"), dir.path())
                      .replace(QLatin1String("{own}"),
                               QLatin1String(" is een database die het programma gebruikt.")))
            << fields.join(u'|').toStdString();
    }
}

} // namespace
