// The start-up routine and the update check it runs.
#include "app/appstate.h"
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "app/startup.h"
#include "storage/database.h"
#include "support/fakeupdates.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"
#include "update/startupupdate.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

using namespace dovra;
using test::deletePending;
using test::FakeUpdates;

namespace {

Settings storedSettings()
{
    return Settings(appState().version().settingsSection(), QStringLiteral("<standaard>"));
}

// The format version written in a data file, read without the shared connection.
long storedVersion(const QString& path)
{
    auto db = Database::open(path, Database::OpenMode::ReadOnly);
    if (!db) {
        ADD_FAILURE() << "cannot open " << path.toStdString();
        return -1;
    }
    Statement query =
        db->prepare(QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = 'versie'"));
    return query.next() ? query.value(0).toString().toLong() : -1;
}

class StartupTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (startup)
            delete startup->mainWindow();
        deletePending();
        startup.reset();
    }

    StartupEnvironment environment() const
    {
        StartupEnvironment environment;
        environment.paths = folder.paths();
        environment.instanceLockPath = lockDir.filePath(QStringLiteral("dovra.lock"));
        return environment;
    }

    StartupResult start(StartupEnvironment environment)
    {
        startup = std::make_unique<Startup>(std::move(environment));
        return startup->Main();
    }
    StartupResult start() { return start(environment()); }

    void configureDataFile(const QString& path)
    {
        appState().settings().setDataFileName(path);
        appState().settings().sync();
    }

    frmMDI_main* window() const { return startup ? startup->mainWindow() : nullptr; }

    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QTemporaryDir lockDir;
    std::unique_ptr<Startup> startup;
};

TEST_F(StartupTest, InvalidVersionNumberEnds)
{
    StartupEnvironment environment = this->environment();
    environment.version = ProgramVersion{3, 10, 0};
    folder.copyDemoData();
    EXPECT_EQ(start(environment), StartupResult::Ended);
    EXPECT_EQ(recorder.texts(),
              QStringList({"De applicatie heeft een ongeldig versienr. Neem contact op met de helpdesk."}));
    EXPECT_EQ(recorder.titles(), QStringList({"Check versienr"}));
    EXPECT_EQ(window(), nullptr);
}

TEST_F(StartupTest, OnlyOneInstanceRuns)
{
    folder.copyDemoData();
    QLockFile other(environment().instanceLockPath);
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_EQ(start(), StartupResult::Ended);
    EXPECT_EQ(recorder.texts(), QStringList({"Het programma is reeds geopend"}));
    EXPECT_EQ(recorder.titles(), QStringList({"DOVRA"}));
    EXPECT_EQ(window(), nullptr);

    // Once the other instance is gone the program starts and holds the lock itself.
    other.unlock();
    recorder.clear();
    EXPECT_EQ(start(), StartupResult::Splash);
    QLockFile next(environment().instanceLockPath);
    EXPECT_FALSE(next.tryLock(0));
}

TEST_F(StartupTest, MissingDataFileOpensTheConfiguration)
{
    const QStringList missing = {folder.filePath(QStringLiteral("dbTALVOdata_1.mdb")),
                                 folder.filePath(QStringLiteral("weg/dbTALVOdata_1.mdb"))};
    for (const QString& path : missing) {
        SCOPED_TRACE(path.toStdString());
        recorder.clear();
        // The first is the default data file of the program folder.
        if (path != missing[0])
            configureDataFile(path);
        EXPECT_EQ(start(), StartupResult::Configuration);
        EXPECT_EQ(recorder.texts(),
                  QStringList({"Het databestand " + path +
                               " is niet gevonden. Wijzig de bestandslocatie of maak een nieuw "
                               "databestand aan."}));
        EXPECT_EQ(recorder.titles(), QStringList({"Koppeling aan databestand"}));
        ASSERT_NE(window(), nullptr);
        auto* config = window()->findChild<frmConfig*>();
        ASSERT_NE(config, nullptr);
        EXPECT_TRUE(config->isVisible());
        EXPECT_EQ(config->findChild<QLineEdit*>(QStringLiteral("txtDataLocatie"))->text(), path);
        EXPECT_FALSE(appState().isDataFileLinked());
        EXPECT_EQ(recorder.busyDepth(), 0);
        delete window();
        deletePending();
        startup.reset();
    }
}

TEST_F(StartupTest, UnexaminablePathEndsAndResetsTheSetting)
{
    const QStringList paths = {
        folder.filePath(QStringLiteral("db00.mdb/dbTALVOdata_x.mdb")),
        folder.filePath("dbTALVOdata_" + QString(NAME_MAX, QLatin1Char('x')) + ".mdb")};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.left(80).toStdString());
        recorder.clear();
        configureDataFile(path);
        EXPECT_EQ(start(), StartupResult::Ended);
        EXPECT_EQ(recorder.texts(), QStringList({"Datafile " + path +
                                                 " kan niet worden gevonden. DOVRA zal worden afgesloten. "
                                                 "Start DOVRA vervolgens opnieuw op."}));
        EXPECT_EQ(recorder.titles(), QStringList({"Controle databestand"}));
        EXPECT_EQ(storedSettings().dataFileName(), u"?");
        EXPECT_EQ(window(), nullptr);
        EXPECT_EQ(recorder.busyDepth(), 0);
    }
}

// Which files are refused, and the messages, are the data file link's (tests/core/storage/tst_datafilelink).
TEST_F(StartupTest, RefusedDataFilesEnd)
{
    const QStringList paths = {
        folder.createDatabase(QStringLiteral("dbTALVOdata_nieuwer.mdb"),
                              {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("versie_40.sql")}),
        folder.copyDemoData(QStringLiteral("data.mdb"))};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        recorder.clear();
        configureDataFile(path);
        EXPECT_EQ(start(), StartupResult::Ended);
        EXPECT_FALSE(recorder.recorded().isEmpty());
        EXPECT_EQ(window(), nullptr);
        EXPECT_FALSE(appState().isDataFileLinked());
        EXPECT_EQ(storedSettings().dataFileName(), path);
        EXPECT_EQ(recorder.busyDepth(), 0);
    }
}

// The question and the conversion are the data file link's (tests/core/storage/tst_datafilelink).
TEST_F(StartupTest, OldFormatIsConvertedOnlyWhenConfirmed)
{
    const QString path =
        folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"), {QStringLiteral("datafile_v20.sql")});
    configureDataFile(path);
    recorder.answerNext(MessageAnswer::Cancel);
    EXPECT_EQ(start(), StartupResult::Ended);
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(storedVersion(path), 20);

    recorder.answerNext(MessageAnswer::Ok);
    EXPECT_EQ(start(), StartupResult::Splash);
    EXPECT_EQ(appState().dataFilePath(), path);
    EXPECT_NE(window(), nullptr);
    EXPECT_EQ(storedVersion(path), 30);
}

TEST_F(StartupTest, GoodFileShowsTheSplashThenTheFacilityList)
{
    // The default data file of the program folder; no setting written.
    const QString path = folder.copyDemoData();
    EXPECT_EQ(start(), StartupResult::Splash);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(appState().dataFilePath(), path);
    EXPECT_EQ(appState().workspace().checklistSequence(), 14);
    ASSERT_NE(window(), nullptr);
    EXPECT_TRUE(window()->isVisible());

    QPointer<frmSplash> splash = window()->findChild<frmSplash*>();
    ASSERT_TRUE(splash);
    EXPECT_EQ(splash->mode(), frmSplash::Mode::Startup);
    EXPECT_TRUE(splash->timerActive());

    int listShown = 0;
    window()->setCommand(QStringLiteral("open_inrichting"), [&listShown] { ++listShown; });
    QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
    ASSERT_TRUE(finished.wait(4000));
    EXPECT_EQ(listShown, 1);
    EXPECT_EQ(recorder.busyDepth(), 0);
    deletePending();
    EXPECT_FALSE(splash);
}

TEST_F(StartupTest, UpdateCheckRunsOnlyWhenWanted)
{
    const QString path = folder.copyDemoData();
    FakeUpdates updates;
    updates.offer.checklistStatus = 1;
    StartupEnvironment environment = this->environment();
    environment.updates = &updates;

    EXPECT_EQ(start(environment), StartupResult::Splash);
    EXPECT_EQ(updates.checks, 0);
    delete window();

    appState().settings().setAutoUpdateOnStart(true);
    appState().settings().setProxySetting(2);
    appState().settings().setProxyName(QStringLiteral("proxy.voorbeeld.nl"));
    appState().settings().setProxyPort(8080);
    recorder.answerNext(MessageAnswer::No);
    EXPECT_EQ(start(environment), StartupResult::Splash);
    EXPECT_EQ(updates.checks, 1);
    EXPECT_EQ(updates.askedWith.mode, 2);
    EXPECT_EQ(updates.askedWith.host, u"proxy.voorbeeld.nl");
    EXPECT_EQ(updates.askedWith.port, 8080);
    EXPECT_EQ(updates.closes, 1);
    EXPECT_TRUE(updates.downloads.isEmpty());
    EXPECT_EQ(appState().dataFilePath(), path);
    delete window();

    // Accepting the offer hands over to the download before the data file is linked.
    recorder.clear();
    updates.offer.checklistStatus = 0;
    updates.offer.programStatus = 1;
    appState().settings().setVatPercentage(21);
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(start(environment), StartupResult::Downloading);
    EXPECT_EQ(recorder.titles(), QStringList({"Updaten programma"}));
    EXPECT_EQ(updates.downloads, (QList<std::pair<bool, bool>>{{false, true}}));
    EXPECT_FALSE(appState().isDataFileLinked());
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(recorder.busyDepth(), 0);
    // The download closes the program; the user's preferences survive that.
    window()->close();
    EXPECT_FLOAT_EQ(storedSettings().vatPercentage(), 21.0f);
}

} // namespace
