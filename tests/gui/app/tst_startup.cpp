// The start-up routine and when it runs the update check (what the check does with an offer is
// tests/core/update/tst_startupupdate's). Which data files are refused or converted, and the
// messages, are the data file link's (tests/core/storage/tst_storage).
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "app/startup.h"
#include "support/fakeupdates.h"
#include "support/guiprogramfolder.h"

#include <QLockFile>
#include <QSignalSpy>

#include <climits>

using namespace dovra;
using test::storedSettings;

namespace {

class StartupTest : public test::WindowTest
{
protected:
    StartupEnvironment environment()
    {
        StartupEnvironment environment;
        environment.paths = folder.paths();
        environment.instanceLockPath = lockDir.filePath(QStringLiteral("dovra.lock"));
        environment.updates = &updates;
        return environment;
    }

    // Starts with the data file configured (none: the program folder's default), every earlier window gone.
    StartupResult start(const QString& dataFile = {}, std::optional<StartupEnvironment> environment = {})
    {
        if (startup)
            delete startup->mainWindow();
        test::deletePending();
        recorder.clear();
        if (!dataFile.isEmpty()) {
            appState().settings().setDataFileName(dataFile);
            appState().settings().sync();
        }
        startup = std::make_unique<Startup>(environment.value_or(this->environment()));
        return startup->Main();
    }

    frmMDI_main* window() const { return startup->mainWindow(); }

    test::FakeUpdates updates;
    QTemporaryDir lockDir;
    std::unique_ptr<Startup> startup;
};

// Each way start-up ends before the main window: the message, and whether the setting is reset.
TEST_F(StartupTest, EndsWithoutAUsableDataFile)
{
    folder.copyDemoData();

    for (const QString& path :
         {folder.filePath(QStringLiteral("db00.mdb/dbTALVOdata_x.mdb")),
          folder.filePath("dbTALVOdata_" + QString(NAME_MAX, QLatin1Char('x')) + ".mdb")}) {
        EXPECT_EQ(start(path), StartupResult::Ended);
        EXPECT_EQ(recorder.texts(), QStringList({"Datafile " + path +
                                                 " kan niet worden gevonden. DOVRA zal worden afgesloten. "
                                                 "Start DOVRA vervolgens opnieuw op."}));
        EXPECT_EQ(storedSettings().dataFileName(), u"?");
    }

    for (const QString& path : {folder.createDatabase(QStringLiteral("dbTALVOdata_nieuwer.mdb"),
                                                      {QStringLiteral("data/datafile_schema.sql"),
                                                       QStringLiteral("versie_40.sql")}),
                                folder.copyDemoData(QStringLiteral("data.mdb"))}) {
        EXPECT_EQ(start(path), StartupResult::Ended);
        EXPECT_EQ(recorder.recorded().size(), 1);
        EXPECT_FALSE(appState().isDataFileLinked());
        EXPECT_EQ(storedSettings().dataFileName(), path);
        EXPECT_EQ(recorder.busyDepth(), 0);
    }

    // An old file that the user does not let convert.
    const QString old =
        folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"), {QStringLiteral("datafile_v20.sql")});
    recorder.answerNext(MessageAnswer::Cancel);
    EXPECT_EQ(start(old), StartupResult::Ended);
    EXPECT_EQ(window(), nullptr);

    // A program with an invalid version number (its settings are another version's: last).
    StartupEnvironment badVersion = environment();
    badVersion.version = ProgramVersion{3, 10, 0};
    EXPECT_EQ(start({}, badVersion), StartupResult::Ended);
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
    // Once the other instance is gone the program starts and holds the lock itself.
    other.unlock();
    EXPECT_EQ(start(), StartupResult::Splash);
    EXPECT_FALSE(QLockFile(environment().instanceLockPath).tryLock(0));
}

TEST_F(StartupTest, MissingDataFileOpensTheConfiguration)
{
    // The program folder's default data file, then a configured one.
    const QString configured = folder.filePath(QStringLiteral("weg/dbTALVOdata_1.mdb"));
    for (const auto& [setting, path] :
         {std::pair{QString(), folder.paths().defaultDataFile()}, std::pair{configured, configured}}) {
        EXPECT_EQ(start(setting), StartupResult::Configuration);
        EXPECT_EQ(recorder.titles(), QStringList({"Koppeling aan databestand"}));
        auto* config = window()->findChild<frmConfig*>();
        ASSERT_TRUE(config);
        EXPECT_TRUE(config->isVisible());
        EXPECT_EQ(test::child<QLineEdit>(config, "txtDataLocatie")->text(), path);
        EXPECT_FALSE(appState().isDataFileLinked());
    }
}

// A good file (or an old one the user lets convert) shows the splash, which hands over to the facility list
// after three seconds.
TEST_F(StartupTest, GoodFileShowsTheSplashThenTheFacilityList)
{
    const QString old =
        folder.createDatabase(QStringLiteral("dbTALVOdata_oud.mdb"), {QStringLiteral("datafile_v20.sql")});
    recorder.answerNext(MessageAnswer::Ok);
    EXPECT_EQ(start(old), StartupResult::Splash);
    EXPECT_EQ(appState().dataFilePath(), old);

    EXPECT_EQ(start(folder.copyDemoData()), StartupResult::Splash);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(appState().workspace().checklistSequence(), 14);
    EXPECT_TRUE(window()->isVisible());
    QPointer<frmSplash> splash = window()->findChild<frmSplash*>();
    ASSERT_TRUE(splash);
    EXPECT_EQ(splash->mode(), frmSplash::Mode::Startup);
    int listShown = 0;
    window()->setCommand(QStringLiteral("open_inrichting"), [&listShown] { ++listShown; });
    QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
    EXPECT_FALSE(finished.wait(2000));
    EXPECT_TRUE(finished.wait(1500));
    EXPECT_EQ(listShown, 1);
    test::deletePending();
    EXPECT_FALSE(splash);
}

TEST_F(StartupTest, UpdateCheckRunsOnlyWhenWanted)
{
    const QString path = folder.copyDemoData();
    updates.offer.checklistStatus = 1;
    EXPECT_EQ(start(), StartupResult::Splash);
    EXPECT_EQ(updates.checks, 0);

    appState().settings().setAutoUpdateOnStart(true);
    appState().settings().setProxySetting(2);
    appState().settings().setProxyName(QStringLiteral("proxy.voorbeeld.nl"));
    appState().settings().setProxyPort(8080);
    recorder.answerNext(MessageAnswer::No);
    EXPECT_EQ(start(), StartupResult::Splash);
    EXPECT_EQ(updates.checks, 1);
    const auto& proxy = updates.askedWith;
    EXPECT_EQ(QStringLiteral("%1 %2:%3").arg(proxy.mode).arg(proxy.host).arg(proxy.port),
              u"2 proxy.voorbeeld.nl:8080");
    EXPECT_EQ(appState().dataFilePath(), path);

    // Accepting the offer hands over to the download before the data file is linked.
    updates.offer.checklistStatus = 0;
    updates.offer.programStatus = 1;
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(start(), StartupResult::Downloading);
    EXPECT_EQ(recorder.titles(), QStringList({"Updaten programma"}));
    EXPECT_FALSE(appState().isDataFileLinked());
}

} // namespace
