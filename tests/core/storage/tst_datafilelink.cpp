// Linking, version check, format upgrade and compaction of the user data file. A refused or cancelled
// link leaves the file as it was; a file is replaced only by a copy written beside it and renamed.
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/requiredschema.h"
#include "storage/schemacatalog.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

const QString LinkTitle = QStringLiteral("Koppeling databestand");
const QString UpgradeTitle = QStringLiteral("Upgraden databestand");

class DataFileTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    Workspace& workspace = folder.workspace();

    static QVariant single(const QString& path, const QString& sql)
    {
        auto db = Database::open(path, Database::OpenMode::ReadOnly);
        Statement query = db->prepare(sql);
        return query.next() ? query.value(0) : QVariant();
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// name|whether valid
TEST_F(DataFileTest, NameIsThePrefixAndSomethingMore)
{
    const QStringList told{QStringLiteral("Instellen bestandskoppeling")};
    for (const char* c :
         {"/data/DBTALVODATA_x.mdb|1", "dbtalvodata_Provincie Zeeland|1", "/data/dbTALVOdata_.mdb|0",
          "dbTALVOdata_abcd|0", "/dbTALVOdata_map/data.mdb|0", "|0", "talvo_dbTALVOdata_x.mdb|0"}) {
        recorder.clear();
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        EXPECT_EQ(ValidDataFileName(fields[0]), fields[1] == u"1") << c;
        EXPECT_EQ(recorder.titles(), fields[1] == u"1" ? QStringList() : told) << c;
    }
}

TEST_F(DataFileTest, CurrentFileLinksUnchanged)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    const QByteArray before = contents(path);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, false));
    EXPECT_EQ(recorder.texts(),
              QStringList{QStringLiteral("Koppeling aan {") + path + QStringLiteral("} is ingesteld. ")});
    EXPECT_EQ(workspace.dataFilePath(), path);
    workspace.closeFile(path);
    EXPECT_EQ(contents(path), before);
}

TEST_F(DataFileTest, NewFileReplacesAnyFileOfThatNameByTheTemplate)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_nieuw.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, path, true, true));
    EXPECT_EQ(workspace.dataFilePath(), path);
    EXPECT_EQ(single(path, QStringLiteral("SELECT count(*) FROM tblStort")).toInt(), 0);
    EXPECT_EQ(single(path, QStringLiteral("SELECT count(*) FROM tblProv")).toInt(), 13);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
}

TEST_F(DataFileTest, OldFormatCancelledChangesNothing)
{
    const QString path =
        folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"), {QStringLiteral("datafile_v20.sql")});
    const QByteArray before = contents(path);
    recorder.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
    EXPECT_EQ(recorder.titles(), (QStringList{UpgradeTitle, LinkTitle}));
    EXPECT_EQ(recorder.texts()[1], QStringLiteral("Koppeling is geannuleerd."));
    EXPECT_FALSE(workspace.isDataFileLinked());
    EXPECT_EQ(contents(path), before);
}

TEST_F(DataFileTest, OldFormatIsUpgradedOnce)
{
    const QString path =
        folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"), {QStringLiteral("datafile_v20.sql")});
    recorder.answerNext(MessageAnswer::Ok);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_EQ(recorder.titles(), (QStringList{UpgradeTitle, UpgradeTitle}));
    auto db = workspace.dataDatabase();
    EXPECT_EQ(DataFileVersion(*db), 30);

    // The new columns of existing rows hold their defaults.
    EXPECT_EQ(
        single(path,
               QStringLiteral("SELECT group_concat(dtmAanvangNazorg || ' ' || sngAppKostenPerc || ' ' || "
                              "sngRapEvalPerHa || ' ' || sngOnvoorzien || ' ' || sngOntwerpdirectie || ' ' "
                              "|| memStandaardExportDir || ' ' || sngRapEvalMin || ' ' || sngRapEvalMax || "
                              "' ' || bytRapEval, '; ') FROM tblStort")),
        QStringLiteral(
            "2012-01-01 3.0 225 10.0 12.0 c:\\ 3500 9000 0; 2015-01-01 3.0 225 10.0 12.0 c:\\ 3500 9000 0"));

    // Every table and column of the current format is there; the unit column, rebuilt to 50 characters,
    // kept its values and the counter of the ids.
    SchemaCatalog catalog(*db);
    EXPECT_EQ(
        RequiredSchema::fromScriptFile(QStringLiteral(":/schema/datafile_schema.sql")).firstGap(catalog),
        std::nullopt);
    EXPECT_EQ(catalog.column(QStringLiteral("tblAct"), QStringLiteral("strEenheid"))->declaredSize(), 50);
    EXPECT_EQ(single(path, QStringLiteral("SELECT group_concat(strEenheid) FROM tblAct")),
              QStringLiteral("m2,stuks"));
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct) VALUES ('Nieuw')")));
    EXPECT_EQ(db->lastInsertId(), 4);

    // A second upgrade changes nothing.
    const QVariant schema = single(path, QStringLiteral("SELECT group_concat(sql, ';') FROM sqlite_master"));
    recorder.clear();
    ASSERT_TRUE(UpgradeDataFile(workspace));
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(single(path, QStringLiteral("SELECT group_concat(sql, ';') FROM sqlite_master")), schema);
}

// text|version, none when empty
TEST(FormatVersionText, OnlyAWholeNumberWithin32BitsIsAVersion)
{
    for (const char* c :
         {"30|30", " 29\t|29", "007|7", "0|0", "2147483647|2147483647", "2147483648|",
          "99999999999999999999|", "1e30|", "30.9|", "-1|", "+30|", "3 0|", "30abc|", "abc|", "|"}) {
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        EXPECT_EQ(formatVersionFromText(fields[0]),
                  fields[1].isEmpty() ? std::nullopt : std::optional<int>(fields[1].toInt()))
            << c;
    }
}

// SQLite of this build cannot drop a column: renaming it in the stored schema takes it away just as well.
#define WITHOUT_COLUMN(table, column)                                                                        \
    "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, '" column "', '" column        \
    "Weg') WHERE tbl_name = '" table "'"
#define VERSION(text) "UPDATE tblSYS SET strSYSvalue = " text " WHERE strSYS_ID = 'versie'"
#define CURRENT "data/datafile_schema.sql"

TEST_F(DataFileTest, RefusedFilesAreLeftAsTheyWereAndTheLinkStays)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));
    const struct
    {
        const char* schema;
        const char* sql;
        bool damaged;     // told first that the file is damaged
        const char* text; // a part of the last message
    } cases[] = {
        {CURRENT, "no_versie.sql", true, "latere versie"},
        {CURRENT, VERSION("NULL"), true, "latere versie"},
        {CURRENT, "versie_40.sql", false, "latere versie"},
        {CURRENT, "DROP TABLE tblTonnage", false,
         "kan niet worden gebruikt: de tabel 'tblTonnage' ontbreekt."},
        {CURRENT, WITHOUT_COLUMN("tblInrichting", "bytObjectCat_REF"), false,
         "kan niet worden gebruikt: de kolom 'bytObjectCat_REF' van tabel 'tblInrichting' ontbreekt."},
        // An older file is refused before the user is asked to convert it.
        {"datafile_v20.sql", WITHOUT_COLUMN("tblAct", "intFreqX"), false,
         "kan niet worden gebruikt: de kolom 'intFreqX' van tabel 'tblAct' ontbreekt."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        const QString path = folder.createDatabase(QStringLiteral("dbTALVOdata_fout.mdb"),
                                                   {QLatin1String(c.schema), QString::fromUtf8(c.sql)});
        const QByteArray before = contents(path);
        recorder.clear();
        EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
        EXPECT_EQ(recorder.titles().join(u','),
                  c.damaged ? QStringLiteral("Beschadigd databestand,") + LinkTitle : LinkTitle);
        EXPECT_TRUE(recorder.texts().last().contains(QString::fromUtf8(c.text)))
            << recorder.texts().last().toStdString();
        EXPECT_EQ(workspace.dataFilePath(), linked);
        EXPECT_EQ(contents(path), before);
    }

    // No database, or one under another password: neither linked nor compacted.
    const QString text = folder.createTextFile(QStringLiteral("dbTALVOdata_tekst.mdb"), "geen database");
    const QString wrongKey = folder.filePath(QStringLiteral("dbTALVOdata_anderwachtwoord.mdb"));
    ASSERT_TRUE(Database::open(wrongKey, Database::OpenMode::Create, QStringLiteral("geheim"))
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

// Compaction writes a copy beside the file and renames it over the file: a copy that cannot be written
// leaves the original.
TEST_F(DataFileTest, CompactionKeepsPasswordDataAndCounters)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    {
        auto db = Database::open(path, Database::OpenMode::ReadWrite);
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strOpm) VALUES (?)"),
                                 {QString(500, QLatin1Char('x'))}));
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
    EXPECT_FALSE(QFile::exists(beside));
    EXPECT_FALSE(contents(path).startsWith("SQLite format 3"));
    auto db = Database::open(path, Database::OpenMode::ReadWrite);
    EXPECT_EQ(single(path, QStringLiteral("SELECT strStortNaam FROM tblStort WHERE idrStort_ID = 1")),
              QStringLiteral("Stortplaats De Kragge"));
    const qint64 lastId =
        single(path, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'tblAct'")).toLongLong();
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct) VALUES ('Na compactie')")));
    EXPECT_EQ(db->lastInsertId(), lastId + 1);
    EXPECT_GT(lastId, 200);
}

} // namespace
