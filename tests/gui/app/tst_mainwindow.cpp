// The main window (menus, toolbar, command gates, status bar), the configuration window and the splash.
#include "app/appstate.h"
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "app/screenregistration.h"
#include "storage/database.h"
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
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

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

// Enabled without and with an open facility: a command without a handler never, the facility's screens
// only with one, the report buttons of the toolbar always (the report tells there is no facility).
TEST_F(MainWindowTest, FacilityBoundCommandsFollowTheOpenFacility)
{
    recordCommands({"Algemeen", "rap_invoer"});
    const struct
    {
        const char* name;
        bool withFacility;
        bool withoutFacility;
    } cases[] = {{"gev_ana", false, false},    {"GevAnalyse", false, false},     {"Algemeen", true, false},
                 {"frmAlgemeen", true, false}, {"Doelvermogen", true, false},    {"rap_invoer", true, false},
                 {"Doelverm", true, false},    {"rapIngevoerdeData", true, true}};
    action("rapIngevoerdeData")->trigger();
    EXPECT_EQ(ran, QStringList({"rap_invoer"}));

    openFacility();
    for (const auto& c : cases)
        EXPECT_EQ(enabled(c.name), c.withFacility) << c.name;
    EXPECT_EQ(window->statusPanel(1)->text(), u"Geopend: Stortplaats Het Veen (checklistversie 2009)");

    appState().SetFacilityOpenState(false);
    for (const auto& c : cases)
        EXPECT_EQ(enabled(c.name), c.withoutFacility) << c.name;
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

    // The copy of the template and its message are the data file link's
    // (tests/core/storage/tst_datafilelink).
    EXPECT_EQ(recorder.titles(), QStringList({"Koppeling databestand"}));
    EXPECT_EQ(shownPath(), created);
    EXPECT_EQ(appState().dataFilePath(), created);
    EXPECT_EQ(storedSettings().dataFileName(), created);
}

TEST_F(ConfigTest, NewFileMustFollowTheNameRule)
{
    const QString badName = folder.filePath(QStringLiteral("nieuw.mdb"));
    recorder.answerNextFile(badName);
    widget<QPushButton>("cmdNew")->click();

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
    widget<QCheckBox>("chkSingleSel")->setChecked(true);
    widget<QCheckBox>("chkPlusMin")->setChecked(true);
    widget<QCheckBox>("chkLines")->setChecked(false);
    QSignalSpy saved(config.data(), &frmConfig::viewPreferencesSaved);
    clickOk();
    EXPECT_EQ(saved.count(), 1);
    deletePending();
    EXPECT_FALSE(config);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);

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
