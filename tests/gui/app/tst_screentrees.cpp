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

#include <functional>

using namespace dovra;

namespace {

class ScreenTreeTest : public test::WindowTest
{
protected:
    void SetUp() override { ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true)); }

    // Each screen's tree, the temporary program folder written as <programmamap>; no screen says anything.
    void expectTrees(const QList<std::pair<const char*, std::function<QWidget*()>>>& screens)
    {
        recorder.clear();
        for (const auto& [name, open] : screens) {
            SCOPED_TRACE(name);
            QPointer<QWidget> screen = open();
            ASSERT_TRUE(screen);
            if (screen != window)
                screen->show(); // the main window as before it is shown
            const QString tree =
                test::dumpWidgetTree(screen).replace(folder.path(), QStringLiteral("<programmamap>"));
            EXPECT_TRUE(test::matchesGolden(QStringLiteral("gui/") + QLatin1String(name), tree));
            if (screen != window)
                delete screen.data();
        }
        EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    }

    QPointer<frmMDI_main> window = new frmMDI_main;
};

TEST_F(ScreenTreeTest, ScreensWithoutFacility)
{
    window->ReadChecklistSystemValues();
    window->writeProgramVersionPanel();
    expectTrees({
        {"mainwindow.txt",
         [this] {
             return window.data();
         }},
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
        {"notice.txt",
         [] {
             return showOpenedNotice(QStringLiteral("Stortplaats De Kragge"), nullptr);
         }},
        {"reportwindow.txt",
         [this] {
             return new frmRapScherm(window);
         }},
    });
}

TEST_F(ScreenTreeTest, ScreensOfTheOpenFacility)
{
    ASSERT_TRUE(appState().openFacility(1));
    expectTrees({
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
    });
}

} // namespace
