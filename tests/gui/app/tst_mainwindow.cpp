// The main window (menus, toolbar, command gates, status bar), the configuration window and the splash.
#include "app/appstate.h"
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "app/screenregistration.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"
#include "widgets/colours.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace dovra;
using test::deletePending;

namespace {

Settings storedSettings()
{
    return Settings(appState().version().settingsSection(), QStringLiteral("<standaard>"));
}

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(ScreenRegistration::loadedScreens(), 0); }

    void TearDown() override
    {
        deletePending();
        // Windows left open by a test would keep counting as loaded screens in the next one.
        delete window;
        deletePending();
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    }

    QAction* action(const char* name) const
    {
        auto* found = window->findChild<QAction*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no action " << name;
        return found;
    }

    bool enabled(const char* name) const
    {
        QAction* found = action(name);
        return found && found->isEnabled();
    }

    // Registers a handler for each command that records its name when it runs.
    void recordCommands(const QStringList& names)
    {
        for (const QString& name : names)
            window->setCommand(name, [this, name] { ran.append(name); });
    }

    void openFacility()
    {
        OpenFacilityState facility;
        facility.id = 3;
        facility.name = QStringLiteral("Stortplaats Het Veen");
        facility.checklistYear = QStringLiteral("2009");
        appState().setFacility(facility);
        appState().SetFacilityOpenState(true);
    }

    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QPointer<frmMDI_main> window = new frmMDI_main;
    QStringList ran;
};

TEST_F(MainWindowTest, MenusToolbarAndPopupCarryTheirNames)
{
    const QList<std::pair<const char*, QStringList>> menus = {
        {"Bestand",
         {"Nieuwe_inrichting", "open_inrichting", "importInrichting", "exportInrichting", "Afsluiten"}},
        {"Invoer", {"Algemeen", "AlgNazKosten", "Act_en_KostPost"}},
        {"Berekeningen", {"Doelvermogen", "gev_ana", "rap_invoer"}},
        {"Extra", {"check_updates", "Configuratie"}},
        {"Help", {"online_support", "Info"}},
    };
    QStringList menuNames;
    for (const QAction* menuAction : window->menuBar()->actions())
        menuNames.append(menuAction->menu() ? menuAction->menu()->objectName() : QString());
    EXPECT_EQ(menuNames, QStringList({"Bestand", "Invoer", "Berekeningen", "Extra", "Help"}));
    for (const auto& [menuName, items] : menus) {
        SCOPED_TRACE(menuName);
        auto* menu = window->findChild<QMenu*>(QLatin1String(menuName));
        ASSERT_NE(menu, nullptr);
        QStringList names;
        for (const QAction* item : menu->actions())
            if (!item->isSeparator())
                names.append(item->objectName());
        EXPECT_EQ(names, items);
    }

    auto* toolBar = window->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    ASSERT_NE(toolBar, nullptr);
    QStringList buttons;
    for (const QAction* button : toolBar->actions())
        if (!button->isSeparator())
            buttons.append(button->objectName());
    EXPECT_EQ(buttons, QStringList({"New", "Open", "frmAlgemeen", "frmAlgNazKosten", "OpenFrmAct", "Doelverm",
                                    "GevAnalyse", "rapIngevoerdeData"}));

    // The ampersand of the caption is doubled in the menu and shows single in the tooltip.
    EXPECT_EQ(action("Doelvermogen")->text(), u"&Doelvermogen && heffing");
    EXPECT_EQ(action("Doelverm")->toolTip(), u"Doelvermogen & heffing");
    EXPECT_EQ(action("rapIngevoerdeData")->toolTip(), u"Rapportage ingevoerde data");

    QStringList popupItems;
    for (const QAction* item : window->popupAct()->actions())
        if (!item->isSeparator())
            popupItems.append(item->objectName());
    EXPECT_EQ(popupItems, QStringList({"mnuPopupAddClitem", "mnuPopUpaddVoorz", "mnuPopUpaddAct",
                                       "mnuPopUpaddFase", "mnuPopUpnaamwijzigen", "mnuPopUpverwijder"}));
    EXPECT_EQ(window->popupAct()->objectName(), u"popupAct");
}

TEST_F(MainWindowTest, CommandsWithoutHandlerStayDisabled)
{
    EXPECT_TRUE(enabled("Afsluiten"));
    EXPECT_TRUE(enabled("Configuratie"));
    EXPECT_TRUE(enabled("Info"));
    EXPECT_TRUE(enabled("Nieuwe_inrichting"));
    EXPECT_TRUE(enabled("open_inrichting"));
    for (const char* name : {"gev_ana", "check_updates", "online_support", "importInrichting"})
        EXPECT_FALSE(enabled(name)) << name;

    openFacility();
    for (const char* name : {"gev_ana", "GevAnalyse"})
        EXPECT_FALSE(enabled(name)) << name;
    // The reports are built: enabled with a facility open.
    for (const char* name : {"Doelvermogen", "Doelverm", "rap_invoer", "rapIngevoerdeData"})
        EXPECT_TRUE(enabled(name)) << name;

    // A disabled button does nothing when triggered.
    action("GevAnalyse")->trigger();
    EXPECT_TRUE(ran.isEmpty());
}

TEST_F(MainWindowTest, FacilityBoundCommandsFollowTheOpenFacility)
{
    recordCommands({"Algemeen", "rap_invoer"});
    EXPECT_FALSE(enabled("Algemeen"));
    EXPECT_FALSE(enabled("rap_invoer"));
    EXPECT_FALSE(enabled("frmAlgemeen"));
    EXPECT_TRUE(enabled("rapIngevoerdeData"));
    EXPECT_EQ(window->statusPanel(1)->text(), u"<geen inrichting geopend>");

    action("frmAlgemeen")->trigger();
    EXPECT_TRUE(ran.isEmpty());
    action("rapIngevoerdeData")->trigger();
    EXPECT_EQ(ran, QStringList({"rap_invoer"}));

    openFacility();
    for (const char* name : {"Algemeen", "rap_invoer", "frmAlgemeen", "rapIngevoerdeData"})
        EXPECT_TRUE(enabled(name)) << name;
    EXPECT_EQ(window->statusPanel(1)->text(), u"Geopend: Stortplaats Het Veen (checklistversie 2009)");

    appState().SetFacilityOpenState(false);
    EXPECT_FALSE(enabled("Algemeen"));
    EXPECT_FALSE(enabled("frmAlgemeen"));
    EXPECT_TRUE(enabled("rapIngevoerdeData"));
    EXPECT_EQ(window->statusPanel(1)->text(), u"<geen inrichting geopend>");
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirCommands)
{
    recordCommands({"Nieuwe_inrichting", "open_inrichting", "Algemeen", "AlgNazKosten", "Act_en_KostPost",
                    "Doelvermogen", "gev_ana", "rap_invoer"});
    openFacility();
    for (const char* key : {"New", "Open", "frmAlgemeen", "frmAlgNazKosten", "OpenFrmAct", "Doelverm",
                            "GevAnalyse", "rapIngevoerdeData"})
        action(key)->trigger();
    EXPECT_EQ(ran, QStringList({"Nieuwe_inrichting", "open_inrichting", "Algemeen", "AlgNazKosten",
                                "Act_en_KostPost", "Doelvermogen", "gev_ana", "rap_invoer"}));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    window->runToolbarButton(QStringLiteral("Onbekend"));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, u"Fout in toolbarmenu");
    EXPECT_EQ(recorder.recorded()[0].text, u"Onbekend is niet herkend");
    EXPECT_EQ(ran.size(), 8);
}

TEST_F(MainWindowTest, OtherLoadedScreensBlockCommands)
{
    recordCommands({"Algemeen", "check_updates"});
    openFacility();
    const QString blocked = QStringLiteral("Sluit eerst alle geopende schermen.");
    {
        ScreenRegistration screen;
        action("Algemeen")->trigger();
        window->runCommand(QStringLiteral("check_updates"));
        EXPECT_TRUE(ran.isEmpty());
        EXPECT_EQ(recorder.texts(), QStringList({blocked, blocked}));
        EXPECT_EQ(recorder.titles(), QStringList({"Openen scherm", "Openen scherm"}));

        // A single extra screen is allowed while it is the confirmation notice.
        appState().setConfirmationShowing(true);
        window->runCommand(QStringLiteral("Algemeen"));
        EXPECT_EQ(ran, QStringList({"Algemeen"}));

        ScreenRegistration second;
        recorder.clear();
        window->runCommand(QStringLiteral("Algemeen"));
        EXPECT_EQ(ran.size(), 1);
        EXPECT_EQ(recorder.texts(), QStringList({blocked}));
        appState().setConfirmationShowing(false);
    }
    recorder.clear();
    window->runCommand(QStringLiteral("Algemeen"));
    EXPECT_EQ(ran, QStringList({"Algemeen", "Algemeen"}));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(MainWindowTest, OutdatedProgramBlocksScreenCommands)
{
    recordCommands({"Algemeen", "check_updates"});
    openFacility();

    // The installed checklist file asks for this program version.
    window->ReadChecklistSystemValues();
    EXPECT_EQ(appState().workspace().checklistProgramMinimum(), 30);
    EXPECT_EQ(window->statusPanel(3)->text(), u" volgnr. bestand checklists: 14 ");
    window->runCommand(QStringLiteral("Algemeen"));
    EXPECT_EQ(ran, QStringList({"Algemeen"}));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A checklist file for a newer program.
    {
        auto checklist =
            Database::open(appState().workspace().checklistFilePath(), Database::OpenMode::ReadWrite);
        ASSERT_TRUE(checklist);
        ASSERT_TRUE(checklist->execScript(test::readScript(QStringLiteral("checklist_progvermin_31.sql"))));
    }
    window->ReadChecklistSystemValues();
    EXPECT_EQ(appState().workspace().checklistProgramMinimum(), 31);
    action("Algemeen")->trigger();
    EXPECT_EQ(ran.size(), 1);
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, u"Verouderd programmabestand");
    EXPECT_EQ(recorder.recorded()[0].text,
              u"Om met het geïnstalleerde TALVO-checklistbestand te kunnen werken dient u eerst de meest "
              u"recente versie van DOVRA te downloaden.");

    // The update check only waits for other screens: it is the way to a newer program.
    window->runCommand(QStringLiteral("check_updates"));
    EXPECT_EQ(ran, QStringList({"Algemeen", "check_updates"}));

    appState().workspace().setChecklistSystemValues(14, 30);
    window->runCommand(QStringLiteral("Algemeen"));
    EXPECT_EQ(ran.size(), 3);
    EXPECT_EQ(recorder.recorded().size(), 1);
}

TEST_F(MainWindowTest, InfoIsNeverGated)
{
    appState().workspace().setChecklistSystemValues(14, 31);
    ScreenRegistration screen;
    action("Info")->trigger();
    EXPECT_TRUE(recorder.recorded().isEmpty());
    QPointer<frmSplash> splash = window->findChild<frmSplash*>();
    ASSERT_TRUE(splash);
    EXPECT_EQ(splash->mode(), frmSplash::Mode::Info);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_FALSE(splash->timerActive());
    auto* close = splash->findChild<QPushButton*>(QStringLiteral("cmdSluiten"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    close->click();
    deletePending();
    EXPECT_FALSE(splash);
}

TEST_F(MainWindowTest, ClosingStoresTheVatPercentage)
{
    EXPECT_FLOAT_EQ(storedSettings().vatPercentage(), 19.0f);
    appState().view().vatPercentage = 21;
    window->close();
    EXPECT_FLOAT_EQ(storedSettings().vatPercentage(), 21.0f);
}

TEST_F(MainWindowTest, StatusPanelShowsTheProgramVersion)
{
    window->writeProgramVersionPanel();
    EXPECT_EQ(window->statusPanel(2)->text(), u" DOVRA programmaversie: 3.0 ");
}

TEST(KeepOnTop, TogglesTheHintInPlace)
{
    QWidget shown;
    shown.setGeometry(140, 120, 320, 200);
    shown.show();
    const QRect geometry = shown.geometry();

    frmMDI_main::KeepOnTop(&shown, true);
    EXPECT_TRUE(shown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.geometry(), geometry);

    frmMDI_main::KeepOnTop(&shown, false);
    EXPECT_FALSE(shown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.geometry(), geometry);

    QWidget hidden;
    hidden.setGeometry(10, 20, 200, 100);
    frmMDI_main::KeepOnTop(&hidden, true);
    EXPECT_TRUE(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(hidden.isVisible());
    EXPECT_EQ(hidden.geometry(), QRect(10, 20, 200, 100));
}

// The configuration window as the menu opens it, with the demo file linked.
class ConfigTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        linked = folder.copyDemoData();
        ASSERT_TRUE(appState().linkDataFile(linked, false, true));
        window->runCommand(QStringLiteral("Configuratie"));
        config = window->findChild<frmConfig*>();
        ASSERT_TRUE(config);
        recorder.clear();
    }

    template <typename T> T* widget(const char* name) const
    {
        auto* found = config->findChild<T*>(QLatin1String(name));
        if (!found)
            ADD_FAILURE() << "no widget " << name;
        return found;
    }

    QString shownPath() const { return widget<QLineEdit>("txtDataLocatie")->text(); }
    void clickOk() { widget<QPushButton>("OKButton")->click(); }

    // Opens the window again once the closed one is gone.
    void reopen()
    {
        deletePending();
        ASSERT_FALSE(config);
        window->openConfiguration();
        config = window->findChild<frmConfig*>();
        ASSERT_TRUE(config);
    }

    QString linked;
    QPointer<frmConfig> config;
};

TEST_F(ConfigTest, OpensOnTopShowingTheLinkedFile)
{
    EXPECT_TRUE(config->isVisible());
    EXPECT_TRUE(config->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(shownPath(), linked);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);

    clickOk();
    deletePending();
    EXPECT_FALSE(config);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
}

TEST_F(ConfigTest, WithoutLinkStartsFromTheConfiguredFile)
{
    clickOk();
    const QString missing = folder.filePath(QStringLiteral("elders/dbTALVOdata_weg.mdb"));
    appState().configure(folder.paths());
    appState().settings().setDataFileName(missing);
    reopen();
    EXPECT_EQ(shownPath(), missing);

    widget<QPushButton>("cmdDataLocatie")->click();
    widget<QPushButton>("cmdNew")->click();
    ASSERT_EQ(recorder.fileRequests().size(), 2);
    EXPECT_EQ(recorder.fileRequests()[0].proposed, folder.filePath(QStringLiteral("elders")));
    EXPECT_EQ(recorder.fileRequests()[1].proposed, folder.filePath(QStringLiteral("elders/dbTALVOdata_")));
}

TEST_F(ConfigTest, RelinksToAnExistingFile)
{
    openFacility();
    const QString other = folder.copyDemoData(QStringLiteral("dbTALVOdata_ander.mdb"));
    recorder.answerNextFile(other);
    widget<QPushButton>("cmdDataLocatie")->click();

    ASSERT_EQ(recorder.fileRequests().size(), 1);
    const FileDialogRequest& request = recorder.fileRequests()[0];
    EXPECT_EQ(request.title, u"Koppelen aan bestaand databestand...");
    EXPECT_EQ(request.filter, u"databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|");
    EXPECT_TRUE(request.mustExist);
    EXPECT_EQ(request.proposed, folder.path());

    EXPECT_EQ(recorder.texts(), QStringList({"Koppeling aan {" + other + "} is ingesteld. "}));
    EXPECT_EQ(recorder.titles(), QStringList({"Koppeling databestand"}));
    EXPECT_EQ(shownPath(), other);
    EXPECT_EQ(appState().dataFilePath(), other);
    EXPECT_EQ(storedSettings().dataFileName(), other);
    // The facility of the previous file is closed.
    EXPECT_EQ(window->statusPanel(1)->text(), u"<geen inrichting geopend>");
    EXPECT_EQ(appState().facility().id, 0);
}

TEST_F(ConfigTest, CancelledRequestsChangeNothing)
{
    widget<QPushButton>("cmdDataLocatie")->click();
    widget<QPushButton>("cmdNew")->click();
    widget<QPushButton>("cmdKleur")->click();
    EXPECT_EQ(recorder.fileRequests().size(), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(shownPath(), linked);
    EXPECT_EQ(appState().dataFilePath(), linked);
    clickOk();
    EXPECT_EQ(storedSettings().provisionColour(), Settings::DefaultProvisionColour);
    EXPECT_EQ(storedSettings().dataFileName(), linked);
}

TEST_F(ConfigTest, CreatesANewFileFromTheTemplate)
{
    const QString created = folder.filePath(QStringLiteral("dbTALVOdata_nieuw.mdb"));
    recorder.answerNextFile(created);
    widget<QPushButton>("cmdNew")->click();

    ASSERT_EQ(recorder.fileRequests().size(), 1);
    const FileDialogRequest& request = recorder.fileRequests()[0];
    EXPECT_EQ(request.title, u"Maak nieuw databestand...");
    EXPECT_EQ(request.filter, u"databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.proposed, folder.filePath(QStringLiteral("dbTALVOdata_")));

    // A new file is in the current format: no conversion question.
    EXPECT_EQ(recorder.texts(), QStringList({"Koppeling aan {" + created + "} is ingesteld. "}));
    EXPECT_EQ(shownPath(), created);
    EXPECT_EQ(appState().dataFilePath(), created);
    EXPECT_EQ(storedSettings().dataFileName(), created);
    EXPECT_EQ(DataFileVersion(*appState().workspace().dataDatabase()), 30);
    EXPECT_FALSE(QFileInfo::exists(created + QStringLiteral(".part")));
}

TEST_F(ConfigTest, NewFileMustFollowTheNameRule)
{
    const QString badName = folder.filePath(QStringLiteral("nieuw.mdb"));
    recorder.answerNextFile(badName);
    widget<QPushButton>("cmdNew")->click();

    EXPECT_EQ(recorder.texts(), QStringList({"De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan "
                                             "uit 'dbTALVOdata_' plus een door de gebruiker in te voeren "
                                             "tekst."}));
    EXPECT_EQ(recorder.titles(), QStringList({"Instellen bestandskoppeling"}));
    EXPECT_FALSE(QFileInfo::exists(badName));
    EXPECT_EQ(shownPath(), linked);
    EXPECT_EQ(appState().dataFilePath(), linked);
    EXPECT_EQ(storedSettings().dataFileName(), linked);
}

TEST_F(ConfigTest, ColoursCanBeChosenAndReset)
{
    const ColourValue green = 0x00FF00;
    recorder.answerNextColour(green);
    widget<QPushButton>("cmdKleur")->click();
    EXPECT_TRUE(widget<QPushButton>("cmdKleur")->styleSheet().contains(toQColor(green).name()));
    clickOk();
    EXPECT_EQ(appState().view().provisionColour, green);
    EXPECT_EQ(storedSettings().provisionColour(), green);
    EXPECT_EQ(storedSettings().costItemColour(), Settings::DefaultCostItemColour);

    const ColourValue blue = 0xFF0000;
    appState().view().costItemColour = blue;
    reopen();
    EXPECT_TRUE(widget<QPushButton>("Command2")->styleSheet().contains(toQColor(blue).name()));
    EXPECT_TRUE(widget<QPushButton>("cmdKleur")->styleSheet().contains(toQColor(green).name()));
    widget<QPushButton>("Command3")->click();
    clickOk();
    EXPECT_EQ(storedSettings().costItemColour(), 128u);
    EXPECT_EQ(storedSettings().provisionColour(), 16384u);
    EXPECT_EQ(appState().view().costItemColour, 128u);
}

TEST_F(ConfigTest, ClosingStoresTheTreeOptions)
{
    EXPECT_FALSE(widget<QCheckBox>("chkSingleSel")->isChecked());
    EXPECT_FALSE(widget<QCheckBox>("chkPlusMin")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("chkLines")->isChecked());

    widget<QCheckBox>("chkSingleSel")->setChecked(true);
    widget<QCheckBox>("chkPlusMin")->setChecked(true);
    widget<QCheckBox>("chkLines")->setChecked(false);
    QSignalSpy saved(config.data(), &frmConfig::viewPreferencesSaved);
    clickOk();
    EXPECT_EQ(saved.count(), 1);

    const Settings settings = storedSettings();
    EXPECT_TRUE(settings.treeSingleSelect());
    EXPECT_TRUE(settings.treePlusMinus());
    EXPECT_FALSE(settings.treeLines());
    EXPECT_EQ(settings.provisionColour(), Settings::DefaultProvisionColour);
    EXPECT_EQ(settings.costItemColour(), Settings::DefaultCostItemColour);
    EXPECT_TRUE(appState().view().treeSingleSelect);
    EXPECT_FALSE(appState().view().treeLines);
}

TEST_F(ConfigTest, OpenEditorIsReopenedWithTheNewOptions)
{
    recordCommands({"Act_en_KostPost"});
    QPointer<QWidget> editor = new QWidget(window);
    editor->setObjectName(QStringLiteral("frmAct"));
    appState().setEditorOpen(true);
    clickOk();
    EXPECT_FALSE(editor);
    EXPECT_EQ(ran, QStringList({"Act_en_KostPost"}));

    // Without an open editor nothing is reopened.
    appState().setEditorOpen(false);
    reopen();
    clickOk();
    EXPECT_EQ(ran.size(), 1);
}

class SplashTest : public MainWindowTest
{
};

TEST_F(SplashTest, StartupSplashHandsOverAfterTheDelay)
{
    QPointer<frmSplash> splash = new frmSplash(frmSplash::Mode::Startup, window);
    QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
    auto* version = splash->findChild<QLabel*>(QStringLiteral("lblVersie"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), u"versie 3.0");
    EXPECT_FALSE(splash->findChild<QPushButton*>(QStringLiteral("cmdSluiten"))->isVisibleTo(splash));

    splash->start();
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_FALSE(finished.wait(2000));
    EXPECT_TRUE(splash);
    EXPECT_TRUE(finished.wait(1500));
    EXPECT_EQ(finished.count(), 1);
    deletePending();
    EXPECT_FALSE(splash);
}

TEST_F(SplashTest, TestBuildReportsItselfAndHandsOverAtOnce)
{
    appState().configure(folder.paths(), ProgramVersion{3, 0, 999});
    recorder.setBusy(true);
    QPointer<frmSplash> splash = new frmSplash(frmSplash::Mode::Startup, window);
    QSignalSpy finished(splash.data(), &frmSplash::startupFinished);
    splash->start();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(recorder.texts(), QStringList({"revision=999"}));
    EXPECT_EQ(recorder.titles(), QStringList({"DOVRA"}));
    EXPECT_EQ(recorder.busyDepth(), 0);
    deletePending();
    EXPECT_FALSE(splash);
}

} // namespace
