// Every screen's widget tree in its opening state on the demo data (facility 1 open where the screen needs
// one), compared with its golden file: the captions, menus, shortcuts, control names, initial texts and
// states and the tab order.
#include "app/appstate.h"
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmAlgNazKosten.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "facility/frmTonnage.h"
#include "reports/frmDoelverm.h"
#include "reports/frmRapVoorz.h"
#include "support/golden.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/widgetdump.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <functional>

using namespace dovra;

namespace {

class ScreenTreeTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true)); }

    void TearDown() override
    {
        delete window;
        test::deletePending();
    }

    // The screen's tree with the temporary program folder written as <programmamap>.
    QString dump(const QWidget* screen) const
    {
        return test::dumpWidgetTree(screen).replace(folder.path(), QStringLiteral("<programmamap>"));
    }

    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QPointer<frmMDI_main> window = new frmMDI_main;
};

TEST_F(ScreenTreeTest, MainWindowAsStartedWithoutFacility)
{
    window->ReadChecklistSystemValues();
    window->writeProgramVersionPanel();
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("gui/mainwindow.txt"), dump(window)));
}

TEST_F(ScreenTreeTest, ScreensWithoutFacility)
{
    const QList<std::pair<const char*, std::function<QWidget*()>>> screens = {
        {"facilitylist.txt",
         [this] {
             return openFacilityList(window, [] {});
         }},
        {"newfacility.txt",
         [this] {
             return openNewFacilityDialog(window, [] {});
         }},
        {"configuration.txt",
         [this] {
             window->runCommand(QStringLiteral("Configuratie"));
             return window->findChild<frmConfig*>();
         }},
        {"splash.txt",
         [this] {
             return new frmSplash(frmSplash::Mode::Startup, window);
         }},
    };
    for (const auto& [name, open] : screens) {
        SCOPED_TRACE(name);
        QPointer<QWidget> screen = open();
        ASSERT_TRUE(screen);
        EXPECT_TRUE(test::matchesGolden(QStringLiteral("gui/") + QLatin1String(name), dump(screen)));
        delete screen;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
}

TEST_F(ScreenTreeTest, ScreensOfTheOpenFacility)
{
    ASSERT_TRUE(appState().openFacility(1));
    recorder.clear();
    const QList<std::pair<const char*, std::function<QWidget*()>>> screens = {
        {"generaldata.txt",
         [this] {
             return new frmAlgemeen(window);
         }},
        {"surcharges.txt",
         [this] {
             return new frmAlgNazKosten(window);
         }},
        {"forecast.txt",
         [this] {
             return new frmTonnage(1, window);
         }},
        {"targetcapitalreport.txt",
         [this] {
             return new frmDoelverm(window);
         }},
        {"inputreport.txt",
         [this] {
             return new frmRapVoorz(window);
         }},
    };
    for (const auto& [name, open] : screens) {
        SCOPED_TRACE(name);
        QPointer<QWidget> screen = open();
        screen->show();
        EXPECT_TRUE(test::matchesGolden(QStringLiteral("gui/") + QLatin1String(name), dump(screen)));
        delete screen;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
}

} // namespace
