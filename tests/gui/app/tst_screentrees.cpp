// Every screen's widget tree in its opening state on the demo data (facility 1 open where the screen needs
// one), compared with its golden file: the captions, menus, shortcuts, control names, initial texts and
// states and the tab order.
#include "app/frmConfig.h"
#include "app/frmMDI_main.h"
#include "app/frmSplash.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmAlgNazKosten.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "facility/frmOpenInrConfirm.h"
#include "facility/frmTonnage.h"
#include "reports/frmDoelverm.h"
#include "reports/frmRapScherm.h"
#include "reports/frmRapVoorz.h"
#include "support/golden.h"
#include "support/guiprogramfolder.h"
#include "support/widgetdump.h"

using namespace dovra;

namespace {

class ScreenTreeTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        recorder.clear();
    }

    // No screen says anything.
    void TearDown() override
    {
        EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
        WindowTest::TearDown();
    }

    // The screen's tree, the temporary program folder written as <programmamap>; the screen is deleted after.
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
    expectTree("surcharges.txt", new frmAlgNazKosten(window));
    expectTree("forecast.txt", new frmTonnage(1, window));
    expectTree("targetcapitalreport.txt", new frmDoelverm(window));
    expectTree("inputreport.txt", new frmRapVoorz(window));
}

} // namespace
