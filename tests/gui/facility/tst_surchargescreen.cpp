// The surcharges of the aftercare phase driven through the screen's controls. The rules behind them
// (defaults, option, deviations, reading values, the area) are the core's: tests/core/calc/tst_surcharges.
#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "app/screenregistration.h"
#include "facility/clsStort.h"
#include "facility/frmAlgNazKosten.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// Landfills of the built checklist file: 1 on the 2007 version (fixed design/direction rate, no
// communication maximum), 2 on the 2013 version (differentiated surcharges), 3 with an area stored before
// the reporting/evaluation option existed. Every surcharge value is empty unless set here.
const QString Facilities = QStringLiteral(
    "INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, bytProv_REF, sngNazorgOpp, "
    "bytRapEval, sngAlgAppKostenBasis, sngAppKostenPerc, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, "
    "sngAlgCommunicatieKosten, sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES "
    "(1, 'Stort 2007', 1, 1, 120, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
    "(2, 'Stort 2013', 1, 3, 120, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 12, NULL), "
    "(3, 'Stort oud', 1, 1, 120, 20, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 1000);");

class SurchargeScreenTest : public ::testing::Test
{
protected:
    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QPointer<frmAlgNazKosten> screen;

    void SetUp() override { ASSERT_TRUE(folder.linkDataFile(Facilities)); }

    void TearDown() override
    {
        delete screen;
        test::deletePending();
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    }

    void open(int id)
    {
        ASSERT_TRUE(appState().openFacility(id));
        recorder.clear();
        screen = new frmAlgNazKosten;
        screen->show();
    }

    // Shown and active, so that the focus can be followed.
    void openActive(int id)
    {
        open(id);
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }

    template <typename T> T* control(const char* name)
    {
        T* found = screen->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    QString text(const char* name) { return control<QLineEdit>(name)->text(); }
    bool marked(const char* name) { return !control<QLabel>(name)->isHidden(); }

    // Types a value and leaves the box, as the user does.
    void enter(const char* name, const QString& value)
    {
        QLineEdit* box = control<QLineEdit>(name);
        box->setText(value);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &leave);
        QCoreApplication::processEvents();
    }

    clsStort stored(int id)
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(id));
        return stort;
    }

    std::optional<float> storedValue(int id, const char* field)
    {
        return stored(id).single(QLatin1String(field));
    }

    int checkedOption()
    {
        for (int option = 0; option <= 3; ++option) {
            if (control<QRadioButton>(qPrintable(QStringLiteral("optRapEval%1").arg(option)))->isChecked())
                return option;
        }
        return -1;
    }

    QList<bool> enabledAmounts()
    {
        return {control<QLineEdit>("txtRapEvalMin")->isEnabled(),
                control<QLineEdit>("txtRapEvalPerHa")->isEnabled(),
                control<QLineEdit>("txtRapEvalMax")->isEnabled()};
    }
};

TEST_F(SurchargeScreenTest, OpeningStoresAndShowsTheDefaults)
{
    open(1);
    EXPECT_FLOAT_EQ(stored(1).AppKostenBasis(), 15000);
    EXPECT_EQ(text("txtAppKostenBasis"), QStringLiteral("€ 15.000"));
    EXPECT_EQ(text("txtAppKostenPerc"), QStringLiteral("3,0"));
    EXPECT_EQ(text("txtNazorgOpp"), QString());
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(SurchargeScreenTest, DifferentiatedSurchargesHideTheDesignRate)
{
    open(2);
    EXPECT_TRUE(control<QLineEdit>("txtOntwerpdirectie")->isHidden());
    EXPECT_TRUE(control<QLabel>("lblAfwijkingOntwerpdirectie")->isHidden());
    EXPECT_FALSE(control<QLabel>("lblOntwerpdirectieUitleg")->isHidden());
    delete screen;

    open(1);
    EXPECT_FALSE(control<QLineEdit>("txtOntwerpdirectie")->isHidden());
    EXPECT_TRUE(control<QLabel>("lblOntwerpdirectieUitleg")->isHidden());
}

TEST_F(SurchargeScreenTest, AreaChecksTheOptionAndEnablesItsAmount)
{
    open(1);
    EXPECT_EQ(checkedOption(), 0);
    EXPECT_EQ(enabledAmounts(), (QList<bool>{false, false, false}));
    const struct
    {
        const char* area;
        int option;
        QList<bool> enabled;
    } cases[] = {
        {"5", 1, {true, false, false}}, {"20", 2, {false, true, false}}, {"40", 3, {false, false, true}}};
    for (const auto& c : cases) {
        enter("txtNazorgOpp", QLatin1String(c.area));
        EXPECT_EQ(stored(1).OptieRapEval(), c.option) << c.area;
        EXPECT_EQ(checkedOption(), c.option) << c.area;
        EXPECT_EQ(enabledAmounts(), c.enabled) << c.area;
    }
    EXPECT_EQ(text("txtNazorgOpp"), QStringLiteral("40,0"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(SurchargeScreenTest, OptionButtonsCannotBeChosen)
{
    open(1);
    enter("txtNazorgOpp", QStringLiteral("20"));
    control<QRadioButton>("optRapEval3")->click();
    control<QRadioButton>("optRapEval0")->click();
    EXPECT_EQ(checkedOption(), 2);
    EXPECT_EQ(stored(1).OptieRapEval(), 2);
    EXPECT_EQ(enabledAmounts(), (QList<bool>{false, true, false}));
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Toeslag rapportage/evaluatie")));
}

// Leaving a box stores what it reads and shows it again formatted, or keeps the focus and the stored value.
TEST_F(SurchargeScreenTest, LeavingABoxStoresItsValueAndMarksADeviation)
{
    openActive(1);
    const struct
    {
        const char* box;
        const char* entered;
        const char* field;
        float value;
        const char* shown;
    } cases[] = {{"txtRisicobedrag", "1250", "sngAlgRisicoBedrag", 1250, "€ 1.250"},
                 {"txtCommunicatie", "2500,75", "sngAlgCommunicatieKosten", 2500.75f, "€ 2.501"},
                 {"txtAppKostenPerc", "2,5", "sngAppKostenPerc", 2.5f, "2,5"},
                 {"txtOnvoorzien", "0", "sngOnvoorzien", 0, "0,0"}};
    for (const auto& c : cases) {
        enter(c.box, QString::fromUtf8(c.entered));
        EXPECT_EQ(storedValue(1, c.field), c.value) << c.entered;
        EXPECT_EQ(text(c.box), QString::fromUtf8(c.shown)) << c.entered;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());

    EXPECT_FALSE(marked("lblAfwijkingAppKostenBasis"));
    enter("txtAppKostenBasis", QStringLiteral("4999"));
    EXPECT_TRUE(marked("lblAfwijkingAppKostenBasis"));
    enter("txtAppKostenBasis", QStringLiteral("25000"));
    EXPECT_FALSE(marked("lblAfwijkingAppKostenBasis"));

    enter("txtAppKostenBasis", QStringLiteral("veel"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Basisbedrag apparaatskosten")});
    EXPECT_TRUE(control<QLineEdit>("txtAppKostenBasis")->hasFocus());
    EXPECT_EQ(storedValue(1, "sngAlgAppKostenBasis"), 25000.0f);
}

TEST_F(SurchargeScreenTest, ClosingNeedsAnAreaAboveZero)
{
    openActive(1);
    control<QPushButton>("cmdSluiten")->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")});
    QLineEdit* area = control<QLineEdit>("txtNazorgOpp");
    ASSERT_TRUE(area->hasFocus());

    // Typed but not yet left: the close checks it.
    area->setText(QStringLiteral("0"));
    control<QPushButton>("cmdSluiten")->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.recorded().size(), 2);
    EXPECT_FALSE(stored(1).single(QStringLiteral("sngNazorgOpp")));

    recorder.clear();
    area->setText(QStringLiteral("12,5"));
    control<QPushButton>("cmdSluiten")->click();
    test::deletePending();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_FLOAT_EQ(stored(1).NazorgOpp(), 12.5f);
    EXPECT_EQ(stored(1).OptieRapEval(), 2);
}

TEST_F(SurchargeScreenTest, AStoredAreaOfZeroKeepsTheScreenOpen)
{
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET sngNazorgOpp = 0, bytRapEval = 1 WHERE idrStort_ID = 1")));
    open(1);
    screen->close();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")});
}

TEST_F(SurchargeScreenTest, AnAreaWithoutOptionMustBeEnteredAgain)
{
    open(3);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Toeslag Rapportage/evaluatie")});
    EXPECT_EQ(checkedOption(), 0);
}

TEST_F(SurchargeScreenTest, MainWindowOpensTheScreen)
{
    frmMDI_main window;
    window.show();
    ASSERT_TRUE(appState().openFacility(1));
    window.findChild<QAction*>(QStringLiteral("frmAlgNazKosten"))->trigger();
    screen = window.findChild<frmAlgNazKosten*>(QStringLiteral("frmAlgNazKosten"));
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
}

} // namespace
