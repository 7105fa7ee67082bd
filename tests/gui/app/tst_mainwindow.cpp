// The main window (commands, toolbar, command gates, status bar), the configuration window, the splash and
// the file filters of the Qt message service; every screen's widget tree in its opening state on the demo
// data, compared with its golden file (captions, menus, shortcuts, control names, initial texts and states,
// tab order). The start-up routine and when it runs the update check (what the check does with an offer is
// tests/core/base/tst_base's; which data files are refused or converted, and the messages, are the data file
// link's in tests/core/storage/tst_storage).
// Menus, captions and the states without a facility are in the main window's dump.
#include "analysis/frmGevoelAna.h"
#include "analysis/frmOnzekerAna.h"
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "app/startup.h"
#include "costitems/frmAct.h"
#include "costitems/frmAct_AddCLitem.h"
#include "costitems/frmAct_AddCustomItem.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmAlgNazKosten.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "facility/frmOpenInrConfirm.h"
#include "facility/frmTonnage.h"
#include "facility/frmVersiebeheer.h"
#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"
#include "storage/database.h"
#include "support/fakeupdates.h"
#include "support/golden.h"
#include "support/guiprogramfolder.h"
#include "support/widgetdump.h"
#include "widgets/colours.h"
#include "widgets/qtmessages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QSignalSpy>

#include <climits>

using namespace dovra;
using test::child;
using test::deletePending;
using test::storedSettings;

namespace {

// The demo data linked, facility 1 open unless a test closes it.
class MainWindowTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        linked = folder.copyDemoData();
        ASSERT_TRUE(appState().linkDataFile(linked, false, true));
        ASSERT_TRUE(appState().openFacility(1));
        recorder.clear();
    }

    bool enabled(const char* name) const { return child<QAction>(window, name)->isEnabled(); }

    // Each command records its name when it runs instead of opening its screen.
    void recordCommands(const QStringList& names)
    {
        for (const QString& name : names)
            window->setCommand(name, [this, name] { ran.append(name); });
    }

    QString linked;
    QPointer<frmMDI_main> window = new frmMDI_main;
    QStringList ran;
};

TEST_F(MainWindowTest, CommandsOpenTheirScreens)
{
    // "command:screen"
    for (const QString entry :
         {"Nieuwe_inrichting:frmInrNieuwDialog", "open_inrichting:frmOpenInr", "Algemeen:frmAlgemeen",
          "AlgNazKosten:frmAlgNazKosten", "Doelvermogen:frmDoelverm", "rap_invoer:frmRapVoorz",
          "gev_ana:frmGevoelAna", "onz_ana:frmOnzekerAna", "overzicht:frmOverzicht", "Configuratie:frmConfig",
          "Info:frmSplash"}) {
        const QString command = entry.section(u':', 0, 0);
        window->runMenuCommand(command);
        QPointer<QWidget> opened = window->findChild<QWidget*>(entry.section(u':', 1));
        ASSERT_TRUE(opened) << command.toStdString();
        EXPECT_TRUE(opened->isVisible()) << command.toStdString();
        delete opened;
        deletePending();
    }
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
}

// The facility's commands follow its open state, and each toolbar button its command; the update check and
// the data file commands are always enabled.
TEST_F(MainWindowTest, FacilityBoundCommandsFollowTheOpenFacility)
{
    // name, enabled with a facility open, without one
    const std::tuple<const char*, bool, bool> cases[] = {
        {"check_updates", true, true},     {"GevAnalyse", true, false},
        {"Algemeen", true, false},         {"frmAlgemeen", true, false},
        {"Doelvermogen", true, false},     {"rap_invoer", true, false},
        {"Doelverm", true, false},         {"rapIngevoerdeData", true, false},
        {"nieuw_databestand", true, true}, {"databestand_koppelen", true, true},
        {"onz_ana", true, false}};
    for (const bool open : {true, false}) {
        appState().SetFacilityOpenState(open);
        for (const auto& [name, withFacility, without] : cases)
            EXPECT_EQ(enabled(name), open ? withFacility : without) << name;
    }
    EXPECT_EQ(window->statusPanel(1)->text(), u"<geen inrichting geopend>");
    appState().SetFacilityOpenState(true);
    EXPECT_EQ(window->statusPanel(1)->text(), u"Geopend: Stortplaats De Kragge (checklistversie 2013)");
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirCommands)
{
    const QStringList commands = {"Nieuwe_inrichting", "open_inrichting", "Algemeen", "AlgNazKosten",
                                  "Act_en_KostPost",   "Doelvermogen",    "gev_ana",  "rap_invoer"};
    recordCommands(commands);
    for (const char* key : {"New", "Open", "frmAlgemeen", "frmAlgNazKosten", "OpenFrmAct", "Doelverm",
                            "GevAnalyse", "rapIngevoerdeData"})
        child<QAction>(window, key)->trigger();
    EXPECT_EQ(ran, commands);
    window->runToolbarButton(QStringLiteral("Onbekend"));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Onbekend is niet herkend")});
    EXPECT_EQ(ran.size(), 8);
}

// Another loaded screen blocks every command but Info, the short notice of the opened facility excepted; a
// checklist file for a newer program blocks the screens but not the update check.
TEST_F(MainWindowTest, CommandGates)
{
    recordCommands({"Algemeen", "check_updates"});
    const QString blocked = QStringLiteral("Sluit eerst alle geopende schermen.");
    {
        ScreenRegistration screen;
        window->runCommand(QStringLiteral("Algemeen"));
        window->runCommand(QStringLiteral("check_updates"));
        EXPECT_TRUE(ran.isEmpty());
        EXPECT_EQ(recorder.texts(), QStringList({blocked, blocked}));
        window->runCommand(QStringLiteral("Info"));
        EXPECT_EQ(recorder.recorded().size(), 2);
        delete window->findChild<frmSplash*>();

        appState().setConfirmationShowing(true);
        window->runCommand(QStringLiteral("Algemeen"));
        EXPECT_EQ(ran, QStringList({"Algemeen"}));
        ScreenRegistration second;
        window->runCommand(QStringLiteral("Algemeen"));
        EXPECT_EQ(recorder.texts(), QStringList({blocked, blocked, blocked}));
        appState().setConfirmationShowing(false);
    }

    recorder.clear();
    ran.clear();
    window->ReadChecklistSystemValues();
    EXPECT_EQ(appState().workspace().checklistProgramMinimum(), 30);
    {
        auto checklist =
            Database::open(appState().workspace().checklistFilePath(), Database::OpenMode::ReadWrite);
        ASSERT_TRUE(checklist);
        ASSERT_TRUE(checklist->execScript(test::readScript(QStringLiteral("checklist_progvermin_31.sql"))));
    }
    window->ReadChecklistSystemValues();
    window->runCommand(QStringLiteral("Algemeen"));
    window->runCommand(QStringLiteral("check_updates"));
    EXPECT_EQ(ran, QStringList({"check_updates"}));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Verouderd programmabestand")});
}

TEST_F(MainWindowTest, ClosingStoresTheVatPercentage)
{
    appState().view().vatPercentage = 21;
    window->close();
    EXPECT_FLOAT_EQ(storedSettings().vatPercentage(), 21.0f);
}

// The configuration window as the menu opens it.
class ConfigTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        reopen();
    }

    QPushButton* button(const char* name) const { return child<QPushButton>(config, name); }
    QString shownPath() const { return child<QLineEdit>(config, "txtDataLocatie")->text(); }

    void reopen()
    {
        deletePending();
        window->openConfiguration();
        config = window->findChild<frmConfig*>();
        ASSERT_TRUE(config);
    }

    QPointer<frmConfig> config;
};

// Relinking to an existing file or creating one from the template links it, stores it and closes the
// facility; a new file's name must follow the rule. Which files are refused is the data file link's.
TEST_F(ConfigTest, LinksTheChosenFile)
{
    const std::tuple<const char*, QString, const char*, bool> cases[] = {
        {"cmdDataLocatie", folder.copyDemoData(QStringLiteral("dbTALVOdata_ander.mdb")),
         "Koppeling databestand", true},
        {"cmdNew", folder.filePath(QStringLiteral("nieuw.mdb")), "Instellen bestandskoppeling", false},
        {"cmdNew", folder.filePath(QStringLiteral("dbTALVOdata_nieuw.mdb")), "Koppeling databestand", true},
        {"cmdNew", QString(), nullptr, false}};
    QString current = linked;
    for (const auto& [name, answer, title, linked] : cases) {
        SCOPED_TRACE(answer.toStdString());
        recorder.clear();
        if (!answer.isEmpty())
            recorder.answerNextFile(answer);
        button(name)->click();
        ASSERT_EQ(recorder.fileRequests().size(), 1);
        const FileDialogRequest& request = recorder.fileRequests()[0];
        EXPECT_EQ(request.filter, u"databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|");
        EXPECT_EQ(request.mustExist, name == std::string("cmdDataLocatie"));
        EXPECT_EQ(request.overwritePrompt, name == std::string("cmdNew"));
        EXPECT_EQ(recorder.titles(), title ? QStringList{QLatin1String(title)} : QStringList());
        if (linked)
            current = answer;
        EXPECT_EQ(QStringList({shownPath(), appState().dataFilePath(), storedSettings().dataFileName()}),
                  QStringList(3, current));
        EXPECT_EQ(appState().facility().id, 0);
    }
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("nieuw.mdb"))));
}

TEST_F(ConfigTest, WithoutLinkProposesTheConfiguredFolder)
{
    const QString missing = folder.filePath(QStringLiteral("elders/dbTALVOdata_weg.mdb"));
    appState().configure(folder.paths());
    appState().settings().setDataFileName(missing);
    delete config;
    reopen();
    EXPECT_EQ(shownPath(), missing);
    button("cmdDataLocatie")->click();
    button("cmdNew")->click();
    ASSERT_EQ(recorder.fileRequests().size(), 2);
    EXPECT_EQ(recorder.fileRequests()[0].proposed, folder.filePath(QStringLiteral("elders")));
    EXPECT_EQ(recorder.fileRequests()[1].proposed, folder.filePath(QStringLiteral("elders/dbTALVOdata_")));
}

// Colours are chosen, shown on their buttons and reset; closing stores them and the tree options.
TEST_F(ConfigTest, ClosingStoresColoursAndTreeOptions)
{
    recorder.answerNextColour(0x00FF00);
    button("cmdKleur")->click();
    button("Command2")->click(); // cancelled
    EXPECT_TRUE(button("cmdKleur")->styleSheet().contains(toQColor(0x00FF00).name()));
    child<QCheckBox>(config, "chkSingleSel")->setChecked(true);
    child<QCheckBox>(config, "chkLines")->setChecked(false);
    QSignalSpy saved(config.data(), &frmConfig::viewPreferencesSaved);
    button("OKButton")->click();
    EXPECT_EQ(saved.count(), 1);
    // Colours, then single select, plus/minus and lines.
    const auto stored = [] {
        const Settings s = storedSettings();
        return QList<qint64>{s.provisionColour(), s.costItemColour(), s.treeSingleSelect(), s.treePlusMinus(),
                             s.treeLines()};
    };
    EXPECT_EQ(stored(), QList<qint64>({65280, Settings::DefaultCostItemColour, 1, 0, 0}));
    EXPECT_TRUE(appState().view().treeSingleSelect);

    reopen();
    EXPECT_TRUE(button("cmdKleur")->styleSheet().contains(toQColor(0x00FF00).name()));
    button("Command3")->click();
    button("OKButton")->click();
    EXPECT_EQ(stored(), QList<qint64>({16384, 128, 1, 0, 0}));
    EXPECT_EQ(appState().view().provisionColour, 16384u);
}

TEST_F(ConfigTest, OpenEditorIsReopenedWithTheNewOptions)
{
    recordCommands({"Act_en_KostPost"});
    QPointer<QWidget> editor = new QWidget(window);
    editor->setObjectName(QStringLiteral("frmAct"));
    for (const bool open : {true, false}) {
        appState().setEditorOpen(open);
        button("OKButton")->click();
        reopen();
    }
    EXPECT_FALSE(editor);
    EXPECT_EQ(ran, QStringList({"Act_en_KostPost"}));
}

TEST_F(MainWindowTest, TestBuildSplashReportsItselfAndHandsOverAtOnce)
{
    appState().configure(folder.paths(), ProgramVersion{3, 0, 999});
    recorder.setBusy(true);
    auto* splash = new frmSplash(frmSplash::Mode::Startup, window);
    QSignalSpy finished(splash, &frmSplash::startupFinished);
    splash->start();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(recorder.texts(), QStringList({"revision=999"}));
    EXPECT_EQ(recorder.busyDepth(), 0);
}

// Each "description|pattern|" pair becomes "description (patterns)" for Qt, the patterns shown once.
TEST(FileFilterTest, PairsBecomeQtFilters)
{
    EXPECT_EQ(toQtFilter(QStringLiteral("databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|")),
              QStringLiteral("databestand (dbTALVOdata_*.mdb)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Word bestanden (*.docx)|*.docx|XML|*.xml;*.XML|")),
              QStringLiteral("Word bestanden (*.docx);;XML (*.xml *.XML)"));
}

class ScreenTreeTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        recorder.clear();
    }

    // The screen's tree, the temporary program folder written as <programmamap>; the screen is deleted after.
    // No screen says anything.
    void expectTree(const char* name, QWidget* screen)
    {
        SCOPED_TRACE(name);
        ASSERT_TRUE(screen);
        if (screen != window)
            screen->show(); // the main window as before it is shown
        const QString tree =
            test::dumpWidgetTree(screen).replace(folder.path(), QStringLiteral("<programmamap>"));
        EXPECT_TRUE(test::matchesGolden(QStringLiteral("gui/") + QLatin1String(name), tree));
        if (screen != window)
            delete screen;
        EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    }

    QPointer<frmMDI_main> window = new frmMDI_main;
};

TEST_F(ScreenTreeTest, ScreensWithoutFacility)
{
    window->ReadChecklistSystemValues();
    window->writeProgramVersionPanel();
    expectTree("mainwindow.txt", window);
    expectTree("facilitylist.txt", openFacilityList(window, [] {}));
    expectTree("newfacility.txt", openNewFacilityDialog(window, [] {}));
    window->runCommand(QStringLiteral("Configuratie"));
    expectTree("configuration.txt", window->findChild<frmConfig*>());
    expectTree("splash.txt", new frmSplash(frmSplash::Mode::Startup, window));
    expectTree("notice.txt", showOpenedNotice(QStringLiteral("Stortplaats De Kragge"), nullptr));
    expectTree("reportwindow.txt", new frmRapScherm(window));
}

TEST_F(ScreenTreeTest, ScreensOfTheOpenFacility)
{
    ASSERT_TRUE(appState().openFacility(1));
    expectTree("generaldata.txt", new frmAlgemeen(window));
    expectTree("versionchange.txt", new frmVersiebeheer([] { return true; }, window));
    expectTree("surcharges.txt", new frmAlgNazKosten(window));
    expectTree("forecast.txt", new frmTonnage(1, window));
    expectTree("targetcapitalreport.txt", new frmDoelverm(window));
    expectTree("inputreport.txt", new frmRapVoorz(window));
    expectTree("sensitivity.txt", new frmGevoelAna(window));
    expectTree("uncertainty.txt", new frmOnzekerAna(window));
    auto* editor = new frmAct(window->popupAct(), window);
    expectTree("costitempicker.txt", editor->openPicker());
    expectTree("costitemdialog.txt", new frmAct_AddCustomItem(editor->tree(), frmAct_AddCustomItem::Add,
                                                              QStringLiteral("prijspeil"), {}, 1, editor));
    expectTree("costitemeditor.txt", editor);
}

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

    // A file the data file link refuses (which ones: tst_storage), here for its name.
    const QString refused = folder.copyDemoData(QStringLiteral("data.mdb"));
    EXPECT_EQ(start(refused), StartupResult::Ended);
    EXPECT_EQ(recorder.recorded().size(), 1);
    EXPECT_FALSE(appState().isDataFileLinked());
    EXPECT_EQ(storedSettings().dataFileName(), refused);
    EXPECT_EQ(recorder.busyDepth(), 0);

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

    // A download that ends the program comes before the data file is linked.
    updates.offer.checklistStatus = 0;
    updates.offer.programStatus = 1;
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(start(), StartupResult::Downloading);
    EXPECT_EQ(recorder.titles(), QStringList({"Updaten programma"}));
    EXPECT_FALSE(appState().isDataFileLinked());
}

} // namespace
