// Linking, version check, format upgrade and compaction of the user data file.
#include "base/programversion.h"
#include "base/settings.h"
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

#include <climits>

using namespace dovra;

namespace {

const QString LinkTitle = QStringLiteral("Koppeling databestand");

class DataFileTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    Workspace& workspace = folder.workspace();

    // The format version of the file, read through a connection of its own.
    static std::optional<long> versionOf(const QString& path)
    {
        auto db = Database::open(path, Database::OpenMode::ReadOnly);
        return db ? DataFileVersion(*db) : std::nullopt;
    }

    QString oldFormatFile(const QString& name = QStringLiteral("dbTALVOdata_oud.mdb"))
    {
        return folder.createDatabase(name, {QStringLiteral("datafile_v20.sql")});
    }

    static QVariant single(const QString& path, const QString& sql)
    {
        auto db = Database::open(path, Database::OpenMode::ReadOnly);
        if (!db)
            return QStringLiteral("<geen database>");
        Statement query = db->prepare(sql);
        return query.next() ? query.value(0) : QVariant();
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(DataFileTest, NameRule)
{
    EXPECT_FALSE(ValidDataFileName(QStringLiteral("/data/dbTALVOdata_.mdb")));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Instellen bestandskoppeling"));
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral(
                  "De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan uit 'dbTALVOdata_' plus "
                  "een door de gebruiker in te voeren tekst."));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);

    recorder.clear();
    EXPECT_TRUE(ValidDataFileName(QStringLiteral("/data/DBTALVODATA_x.mdb")));
    EXPECT_TRUE(ValidDataFileName(QStringLiteral("dbtalvodata_Provincie Zeeland")));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    // The extension plays no part; the folder name does not count.
    EXPECT_FALSE(ValidDataFileName(QStringLiteral("/dbTALVOdata_map/data.mdb")));
    EXPECT_FALSE(ValidDataFileName(QString()));
    EXPECT_FALSE(ValidDataFileName(QStringLiteral("talvo_dbTALVOdata_x.mdb")));
}

TEST_F(DataFileTest, CurrentFileLinksWithoutQuestions)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    const QByteArray before = contents(path);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(workspace.dataFilePath(), path);
    EXPECT_EQ(versionOf(path), 30);
    // The link is not stored in the settings: that is the windowed program's choice.
    EXPECT_EQ(Settings(ProgramVersion().settingsSection(), QStringLiteral("<standaard>")).dataFileName(),
              QStringLiteral("<standaard>"));
    // Linking a current file does not write to it.
    workspace.closeFile(path);
    EXPECT_EQ(contents(path), before);
}

TEST_F(DataFileTest, NotSilentLinkTells)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, path, false, false));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Koppeling aan {") + path + QStringLiteral("} is ingesteld. "));
    EXPECT_EQ(recorder.recorded()[0].title, LinkTitle);
    EXPECT_EQ(workspace.dataFilePath(), path);
}

TEST_F(DataFileTest, NewFileIsACopyOfTheTemplate)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));

    // An existing file of that name is overwritten by the blank template.
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_nieuw.mdb"));
    recorder.clear();
    ASSERT_TRUE(LinkDataFile(workspace, path, true, false));
    ASSERT_EQ(recorder.texts(),
              QStringList{QStringLiteral("Koppeling aan {") + path + QStringLiteral("} is ingesteld. ")});
    EXPECT_EQ(workspace.dataFilePath(), path);
    EXPECT_EQ(single(path, QStringLiteral("SELECT count(*) FROM tblStort")).toInt(), 0);
    EXPECT_EQ(single(path, QStringLiteral("SELECT count(*) FROM tblProv")).toInt(), 13);
    EXPECT_EQ(single(path, QStringLiteral("SELECT strObjectCat FROM tblObjectCat WHERE bytObjectCat_ID = 5")),
              QStringLiteral("Stortgasonttrekking"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
}

TEST_F(DataFileTest, NewFileWithoutTemplateKeepsTheLink)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));
    QFile::remove(folder.filePath(QStringLiteral("db00.mdb")));
    const QString path = folder.filePath(QStringLiteral("dbTALVOdata_nieuw.mdb"));
    EXPECT_FALSE(LinkDataFile(workspace, path, true, false));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(workspace.dataFilePath(), linked);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(DataFileTest, OldFormatCancelledChangesNothing)
{
    const QString path = oldFormatFile();
    const QByteArray before = contents(path);
    recorder.answerNext(MessageAnswer::Cancel);
    EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Upgraden databestand"));
    EXPECT_EQ(recorder.recorded()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Databestand '") + path +
                  QStringLiteral(
                      "' staat in het format van een vorige versie van DOVRA.\n\nHet bestand zal nu "
                      "worden omgezet voor gebruik met de huidige versie van DOVRA.\n\nLET OP: Na omzetting "
                      "kan het databestand niet meer worden gebruikt met de vorige versie van DOVRA."));
    EXPECT_EQ(recorder.recorded()[1].text, QStringLiteral("Koppeling is geannuleerd."));
    EXPECT_EQ(recorder.recorded()[1].icon, MessageIcon::Information);
    EXPECT_FALSE(workspace.isDataFileLinked());
    EXPECT_EQ(contents(path), before);
}

TEST_F(DataFileTest, OldFormatIsUpgraded)
{
    const QString path = oldFormatFile();
    recorder.answerNext(MessageAnswer::Ok);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_EQ(recorder.titles(),
              (QStringList{QStringLiteral("Upgraden databestand"), QStringLiteral("Upgraden databestand")}));
    EXPECT_EQ(recorder.texts().last(),
              QStringLiteral("Het databestand is bijgewerkt naar het format van de huidige DOVRA versie."));
    EXPECT_EQ(versionOf(path), 30);

    auto db = workspace.dataDatabase();
    ASSERT_TRUE(db);
    Statement stort = db->prepare(QStringLiteral(
        "SELECT dtmAanvangNazorg, sngAppKostenPerc, sngRapEvalPerHa, sngOnvoorzien, sngOntwerpdirectie, "
        "memStandaardExportDir, sngRapEvalMin, sngRapEvalMax, bytRapEval, strStortNaam FROM tblStort ORDER "
        "BY "
        "idrStort_ID"));
    ASSERT_TRUE(stort.next());
    EXPECT_EQ(stort.date(0), QDate(2012, 1, 1));
    EXPECT_EQ(stort.real(1), 3);
    EXPECT_EQ(stort.real(2), 225);
    EXPECT_EQ(stort.real(3), 10);
    EXPECT_EQ(stort.real(4), 12);
    EXPECT_EQ(stort.text(5), QStringLiteral("c:\\"));
    EXPECT_EQ(stort.real(6), 3500);
    EXPECT_EQ(stort.real(7), 9000);
    EXPECT_EQ(stort.integer(8), 0);
    EXPECT_EQ(stort.text(9), QStringLiteral("Stortplaats 't Veen"));
    ASSERT_TRUE(stort.next());
    EXPECT_EQ(stort.date(0), QDate(2015, 1, 1));

    // Every table and column of the current format is there now.
    SchemaCatalog catalog(*db);
    EXPECT_EQ(
        RequiredSchema::fromScriptFile(QStringLiteral(":/schema/datafile_schema.sql")).firstGap(catalog),
        std::nullopt);

    // The unit column now holds 50 characters and kept every value.
    EXPECT_EQ(catalog.column(QStringLiteral("tblAct"), QStringLiteral("strEenheid"))->declaredSize(), 50);
    EXPECT_EQ(catalog.columns(QStringLiteral("tblAct")).last().name,
              QStringLiteral("sngVervangingsToeslagPerc"));
    Statement acts = db->prepare(QStringLiteral(
        "SELECT idrAct_ID, strAct, strEenheid, strOpm, bytCombineer, bytTypeVervangingsToeslag, "
        "sngVervangingsToeslagPerc, sngAantal FROM tblAct ORDER BY idrAct_ID"));
    ASSERT_TRUE(acts.next());
    EXPECT_EQ(acts.integer(0), 1);
    EXPECT_EQ(acts.text(1), QStringLiteral("Maaien"));
    EXPECT_EQ(acts.text(2), QStringLiteral("m2"));
    EXPECT_EQ(acts.text(3), QStringLiteral("twee keer per jaar"));
    EXPECT_EQ(acts.integer(4), 0);
    EXPECT_EQ(acts.integer(5), 0);
    EXPECT_FALSE(acts.real(6).has_value());
    EXPECT_EQ(acts.real(7), 34500);
    ASSERT_TRUE(acts.next());
    EXPECT_EQ(acts.text(2), QStringLiteral("stuks"));
    EXPECT_FALSE(acts.next());

    // The index survived the rebuild, the id of the deleted item is not given out again,
    // and new rows get the defaults of the new columns.
    EXPECT_EQ(
        single(path, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'idxActStort'")).toInt(),
        1);
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct, strEenheid) VALUES (?, ?)"),
                         {QStringLiteral("Nieuw"), QStringLiteral("meter damwand langs de noordzijde")}));
    EXPECT_EQ(db->lastInsertId(), 4);
    EXPECT_EQ(single(path, QStringLiteral("SELECT bytCombineer FROM tblAct WHERE idrAct_ID = 4")).toInt(), 0);
}

TEST_F(DataFileTest, UpgradeIsIdempotent)
{
    const QString path = oldFormatFile();
    recorder.answerNext(MessageAnswer::Ok);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    auto db = workspace.dataDatabase();
    const QString schemaBefore =
        single(path, QStringLiteral("SELECT group_concat(sql, ';') FROM sqlite_master")).toString();

    recorder.clear();
    ASSERT_TRUE(UpgradeDataFile(workspace));
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(single(path, QStringLiteral("SELECT group_concat(sql, ';') FROM sqlite_master")).toString(),
              schemaBefore);
}

TEST_F(DataFileTest, UnitColumnOfOtherSizeIsLeftAlone)
{
    const QString path = folder.createDatabase(
        QStringLiteral("dbTALVOdata_eenheid.mdb"),
        {QStringLiteral("data/datafile_schema.sql"),
         QStringLiteral("UPDATE tblSYS SET strSYSvalue = '29';"
                        "INSERT INTO tblAct (strAct, strEenheid) VALUES ('Peilbuizen', 'stuks');")});
    recorder.answerNext(MessageAnswer::Ok);
    ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    const QString schema =
        single(path, QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'tblAct'")).toString();
    // Still in its place in the middle of the table, not rebuilt.
    EXPECT_LT(schema.indexOf(QLatin1String("strEenheid")), schema.indexOf(QLatin1String("bytCombineer")));
    EXPECT_EQ(single(path, QStringLiteral("SELECT strEenheid FROM tblAct")), QStringLiteral("stuks"));
}

TEST_F(DataFileTest, DamagedFileIsRefused)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));
    const QString path =
        folder.createDatabase(QStringLiteral("dbTALVOdata_kapot.mdb"),
                              {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("no_versie.sql")});
    EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Beschadigd databestand"));
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Fout in databestand. Sluit DOVRA af en neem contact op met de helpdesk"));
    EXPECT_EQ(recorder.recorded()[1].text,
              QStringLiteral(
                  "Dit databestand is van een latere versie dan DOVRA. Koppeling kan niet worden gelegd."));
    EXPECT_EQ(workspace.dataFilePath(), linked);
}

TEST_F(DataFileTest, NewerFileIsRefused)
{
    const QString path =
        folder.createDatabase(QStringLiteral("dbTALVOdata_nieuwer.mdb"),
                              {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("versie_40.sql")});
    EXPECT_EQ(versionOf(path), 40);
    EXPECT_FALSE(LinkDataFile(workspace, path, false, true));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, LinkTitle);
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(workspace.isDataFileLinked());
}

TEST(FormatVersionText, OnlyAWholeNumberWithin32BitsIsAVersion)
{
    const struct
    {
        const char* text;
        std::optional<int> version;
    } cases[] = {
        {"30", 30},
        {" 29\t", 29},
        {"007", 7},
        {"0", 0},
        {"2147483647", INT_MAX},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"1e30", std::nullopt},
        {"30.9", std::nullopt},
        {"-1", std::nullopt},
        {"+30", std::nullopt},
        {"3 0", std::nullopt},
        {"30abc", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatVersionFromText(QString::fromUtf8(c.text)), c.version) << c.text;
}

TEST_F(DataFileTest, VersionThatIsNoWholeNumberMakesTheFileDamaged)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));
    for (const char* stored : {"'1e30'", "NULL"}) {
        SCOPED_TRACE(stored);
        const QString path = folder.createDatabase(
            QStringLiteral("dbTALVOdata_versie.mdb"),
            {QStringLiteral("data/datafile_schema.sql"),
             QStringLiteral("UPDATE tblSYS SET strSYSvalue = %1 WHERE strSYS_ID = 'versie'")
                 .arg(QLatin1String(stored))});
        const QByteArray before = contents(path);
        recorder.clear();
        EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
        EXPECT_EQ(recorder.titles(), (QStringList{QStringLiteral("Beschadigd databestand"), LinkTitle}));
        EXPECT_EQ(workspace.dataFilePath(), linked);
        EXPECT_EQ(contents(path), before);
    }
}

TEST_F(DataFileTest, FileWithoutATableOrColumnIsRefusedUntouched)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));
    const struct
    {
        const char* script;
        const char* cut;   // taken out of the script
        const char* after; // run after it
        const char* gap;
    } cases[] = {
        {"data/datafile_schema.sql", "", "DROP TABLE tblTonnage", "de tabel 'tblTonnage' ontbreekt."},
        {"data/datafile_schema.sql", "    sngKostenTotaal REAL,\n", "",
         "de kolom 'sngKostenTotaal' van tabel 'tblAct' ontbreekt."},
        {"data/datafile_schema.sql", "    bytObjectCat_REF TINYINT,\n", "",
         "de kolom 'bytObjectCat_REF' van tabel 'tblInrichting' ontbreekt."},
        {"data/datafile_schema.sql", "    sngRentePerc REAL,\n", "",
         "de kolom 'sngRentePerc' van tabel 'tblStort' ontbreekt."},
        {"data/datafile_schema.sql", "    intKalJaar SMALLINT,\n", "",
         "de kolom 'intKalJaar' van tabel 'tblTonnage' ontbreekt."},
        // An older file is refused before the user is asked to convert it.
        {"datafile_v20.sql", "intFreqX SMALLINT, ", "", "de kolom 'intFreqX' van tabel 'tblAct' ontbreekt."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gap);
        const QString script = test::readScript(QLatin1String(c.script));
        ASSERT_TRUE(script.contains(QLatin1String(c.cut)));
        const QString path =
            folder.createDatabase(QStringLiteral("dbTALVOdata_onvolledig.mdb"),
                                  {QString(script).remove(QLatin1String(c.cut)), QLatin1String(c.after)});
        const QByteArray before = contents(path);
        recorder.clear();
        EXPECT_FALSE(LinkDataFile(workspace, path, false, false));
        ASSERT_EQ(recorder.recorded().size(), 1);
        EXPECT_EQ(recorder.recorded()[0].title, LinkTitle);
        EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Het databestand ") + path +
                                                   QStringLiteral(" kan niet worden gebruikt: ") +
                                                   QLatin1String(c.gap));
        EXPECT_EQ(workspace.dataFilePath(), linked);
        EXPECT_EQ(contents(path), before);
    }
}

TEST_F(DataFileTest, UnusableFilesAreRefusedWithAMessage)
{
    const QString linked = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    ASSERT_TRUE(LinkDataFile(workspace, linked, false, true));

    const QString text = folder.createTextFile(QStringLiteral("dbTALVOdata_tekst.mdb"), "geen database");
    EXPECT_FALSE(LinkDataFile(workspace, text, false, false));

    const QString wrongKey = folder.filePath(QStringLiteral("dbTALVOdata_anderwachtwoord.mdb"));
    {
        auto db = Database::open(wrongKey, Database::OpenMode::Create, QStringLiteral("geheim"));
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execScript(test::readScript(QStringLiteral("data/datafile_schema.sql"))));
    }
    EXPECT_FALSE(LinkDataFile(workspace, wrongKey, false, false));

    ASSERT_EQ(recorder.recorded().size(), 2);
    for (const auto& message : recorder.recorded()) {
        EXPECT_EQ(message.title, LinkTitle);
        EXPECT_EQ(message.icon, MessageIcon::Critical);
        EXPECT_TRUE(message.text.contains(QLatin1String("kan niet worden geopend als databestand")));
    }
    EXPECT_EQ(workspace.dataFilePath(), linked);
    EXPECT_EQ(contents(text), QByteArray("geen database"));
}

TEST_F(DataFileTest, CompactionKeepsPasswordDataAndCounters)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    qint64 lastId = 0;
    {
        auto db = Database::open(path, Database::OpenMode::ReadWrite);
        ASSERT_TRUE(db);
        for (int i = 0; i < 200; ++i)
            ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct, strOpm) VALUES (?, ?)"),
                                 {QStringLiteral("Post %1").arg(i), QString(500, QLatin1Char('x'))}));
        lastId = db->lastInsertId();
        ASSERT_TRUE(db->execScript(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID > 1")));
    }
    const qint64 sizeBefore = QFileInfo(path).size();

    ASSERT_TRUE(CompactDataFile(workspace, path));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(recorder.busyDepth(), 0);
    EXPECT_LT(QFileInfo(path).size(), sizeBefore);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("new")));
    EXPECT_FALSE(contents(path).startsWith("SQLite format 3"));

    auto db = Database::open(path, Database::OpenMode::ReadWrite);
    ASSERT_TRUE(db);
    EXPECT_EQ(single(path, QStringLiteral("SELECT count(*) FROM tblStort")).toInt(), 3);
    EXPECT_EQ(single(path, QStringLiteral("SELECT strStortNaam FROM tblStort WHERE idrStort_ID = 1")),
              QStringLiteral("Stortplaats De Kragge"));
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO tblAct (strAct) VALUES ('Na compactie')")));
    EXPECT_EQ(db->lastInsertId(), lastId + 1);
}

TEST_F(DataFileTest, FailedCompactionLeavesTheOriginal)
{
    const QString path = folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"));
    const QByteArray before = contents(path);
    // Something that cannot be cleared away stands where the compacted copy must go.
    const QString blocker = path + QStringLiteral("new");
    ASSERT_TRUE(QDir().mkpath(blocker + QStringLiteral("/inhoud")));

    EXPECT_FALSE(CompactDataFile(workspace, path));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Schrijffout"));
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Er zijn onvoldoende schrijfrechten voor databestand \"") + path +
                  QStringLiteral(
                      "\". Verplaats dit databestand naar een andere locatie, bij voorkeur op het netwerk."));
    EXPECT_EQ(recorder.busyDepth(), 0);
    EXPECT_EQ(contents(path), before);
    EXPECT_TRUE(LinkDataFile(workspace, path, false, true));
}

TEST_F(DataFileTest, CompactionLeavesAFileThatIsNoDatabaseToTheLink)
{
    const QString path = folder.createTextFile(QStringLiteral("dbTALVOdata_tekst.mdb"), "geen database");
    EXPECT_FALSE(CompactDataFile(workspace, path));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(contents(path), QByteArray("geen database"));
}

} // namespace
