// The general data screen driven through its controls.
#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmTonnage.h"
#include "storage/datafilelink.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

class GeneralDataTest : public ::testing::Test
{
protected:
    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QPointer<frmAlgemeen> screen;

    void SetUp() override
    {
        const QString path = folder.createDatabase(
            QStringLiteral("dbTALVOdata_algemeen.mdb"),
            {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("facilities.sql"),
             QStringLiteral(
                 "UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16', sngRentePerc = 5.06, sngInflPerc = 2, "
                 "bytBedrijfsGebonden = 0, bytObjectGebonden = 0;")});
        ASSERT_TRUE(appState().linkDataFile(path, false, true));
    }

    void TearDown() override { delete screen; }

    void open(int id)
    {
        ASSERT_TRUE(appState().openFacility(id));
        recorder.clear();
        screen = new frmAlgemeen;
        screen->show();
    }

    template <typename T> T* control(const char* name)
    {
        T* found = screen->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    // Types a value and leaves the field, as the user does.
    void enter(const char* name, const QString& text)
    {
        QLineEdit* edit = control<QLineEdit>(name);
        edit->setText(text);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &leave);
    }

    clsStort stored(int id)
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(id));
        return stort;
    }
};

TEST_F(GeneralDataTest, ShowsTheFacilityAndStoresItsPriceLevel)
{
    open(1);
    EXPECT_EQ(control<QLineEdit>("txtAanvangNazorg")->text(), QStringLiteral("16-1-2030"));
    EXPECT_EQ(control<QListWidget>("lstProv")->currentItem()->text(), QStringLiteral("Zuid-Holland"));
    // The price level follows the checklist version and is stored with the facility.
    EXPECT_EQ(control<QLineEdit>("txtPrijspeil")->text(), QStringLiteral("2012"));
    EXPECT_EQ(stored(1).JaarPrijsPeil(), 2012);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// Leaving a field stores a value the facility record accepts and keeps one it refuses; the rules and
// their messages are the record's (tests/core/facility/tst_facilityrecord).
TEST_F(GeneralDataTest, LeavingAFieldStoresAnAcceptedValue)
{
    open(1);
    enter("txtLocatieNaam", QStringLiteral("BAGGERDEPOT 'T SLIK"));
    enter("txtAanvangNazorg", QStringLiteral("15-1-2030"));
    enter("txtInflatie", QStringLiteral("2.5"));
    EXPECT_EQ(recorder.recorded().size(), 3);
    const clsStort unchanged = stored(1);
    EXPECT_EQ(unchanged.NaamStort(), QStringLiteral("stortplaats Zuid"));
    EXPECT_EQ(unchanged.DatumAanvangNazorg(), QDate(2030, 1, 16));
    EXPECT_FLOAT_EQ(unchanged.inflatie(), 0.02f);

    recorder.clear();
    enter("txtLocatieNaam", QStringLiteral("Stortplaats Zuid-West"));
    enter("txtAanvangNazorg", QStringLiteral("1-7-2031"));
    enter("txtRente", QStringLiteral("4,5"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    const clsStort changed = stored(1);
    EXPECT_EQ(changed.NaamStort(), QStringLiteral("Stortplaats Zuid-West"));
    EXPECT_EQ(appState().facility().name, QStringLiteral("Stortplaats Zuid-West"));
    EXPECT_EQ(changed.DatumAanvangNazorg(), QDate(2031, 7, 1));
    EXPECT_FLOAT_EQ(changed.rente(), 0.045f);
    EXPECT_EQ(control<QLineEdit>("txtRente")->text(), QStringLiteral("4,50"));

    // The decimal key of the numeric keypad types the decimal comma.
    QLineEdit* inflation = control<QLineEdit>("txtInflatie");
    inflation->clear();
    QTest::keyClick(inflation, Qt::Key_3);
    QTest::keyClick(inflation, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(inflation, Qt::Key_5);
    EXPECT_EQ(inflation->text(), QStringLiteral("3,5"));
}

// That company-bound means object-bound is the record's (tests/core/facility/tst_facilityrecord); the screen
// ticks and locks the box and turns the forecast off.
TEST_F(GeneralDataTest, CompanyBoundLocksObjectBoundAndTheForecast)
{
    open(1);
    auto* objectBound = control<QCheckBox>("chkObjectGebonden");
    auto* forecast = control<QPushButton>("cmdAfvalprognose");
    objectBound->click();
    EXPECT_EQ(stored(1).bytObjectGebonden(), 1);
    objectBound->click();
    EXPECT_EQ(stored(1).bytObjectGebonden(), 0);

    control<QRadioButton>("optBedrijfsGebonden1")->click();
    EXPECT_TRUE(objectBound->isChecked());
    EXPECT_FALSE(objectBound->isEnabled());
    EXPECT_FALSE(forecast->isEnabled());
    EXPECT_EQ(stored(1).bytBedrijfsGebonden(), 1);

    control<QRadioButton>("optBedrijfsGebonden0")->click();
    EXPECT_TRUE(objectBound->isEnabled());
    EXPECT_TRUE(forecast->isEnabled());
    EXPECT_EQ(stored(1).bytBedrijfsGebonden(), 0);

    // A dredging depot is object-bound by definition.
    delete screen;
    open(2);
    EXPECT_FALSE(control<QCheckBox>("chkObjectGebonden")->isEnabled());
}

TEST_F(GeneralDataTest, ProvinceMustBeChosen)
{
    // Facility 5 is in Gelderland; make its province unknown to the list.
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET bytProv_REF = 25 WHERE idrStort_ID = 5")));
    open(5);
    auto* provinces = control<QListWidget>("lstProv");
    EXPECT_EQ(provinces->selectedItems().size(), 0);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(provinces, &leave);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Selectie provincie")});

    QListWidgetItem* limburg = provinces->findItems(QStringLiteral("Limburg"), Qt::MatchExactly).value(0);
    ASSERT_TRUE(limburg);
    provinces->setCurrentItem(limburg);
    QTest::mouseClick(provinces->viewport(), Qt::LeftButton, {}, provinces->visualItemRect(limburg).center());
    EXPECT_EQ(stored(5).prov_id(), 60);
}

TEST_F(GeneralDataTest, PriceLevelInformation)
{
    open(1);
    emit control<QLabel>("lblInfoPrijspeil")->linkActivated(QStringLiteral("info"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Informatie prijspeil")});
}

TEST_F(GeneralDataTest, ClosingChecksTheFieldBeingEdited)
{
    open(1);
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    QLineEdit* name = control<QLineEdit>("txtLocatieNaam");
    name->setFocus();
    ASSERT_TRUE(name->hasFocus());
    name->setText(QString());
    control<QPushButton>("cmdApply")->click();
    EXPECT_TRUE(screen->isVisible());
    // The record's message on leaving, the screen's on closing.
    EXPECT_EQ(recorder.texts(), (QStringList{QStringLiteral("Voer de naam van de inrichting in."),
                                             QStringLiteral("Ongeldige invoer")}));

    recorder.clear();
    name->setText(QStringLiteral("Stortplaats Noord"));
    control<QPushButton>("cmdApply")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(appState().facility().name, QStringLiteral("Stortplaats Noord"));
}

TEST_F(GeneralDataTest, ClosingWarnsOfAStoredInvalidDateButCloses)
{
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg = '2030-01-15' WHERE idrStort_ID = 1")));
    open(1);
    screen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    // Once on closing, once more as the open facility is reloaded with the 1st of the month.
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Ongeldige datum aanvang nazorg")));
    EXPECT_DOUBLE_EQ(appState().facility().aftercareStart, 2030.0);
}

TEST_F(GeneralDataTest, OpenForecastKeepsTheProgramOpen)
{
    frmMDI_main window;
    window.show();
    ASSERT_TRUE(appState().openFacility(1));
    window.runCommand(QStringLiteral("Algemeen"));
    screen = window.findChild<frmAlgemeen*>();
    ASSERT_TRUE(screen);
    recorder.clear();
    control<QPushButton>("cmdAfvalprognose")->click();
    auto* forecast = window.findChild<frmTonnage*>(QStringLiteral("frmTonnage"));
    ASSERT_TRUE(forecast);
    EXPECT_TRUE(forecast->isVisible());

    // The forecast must be closed with its own button, which checks the years first.
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(forecast->isVisible());
    EXPECT_EQ(recorder.texts(),
              QStringList{QStringLiteral(
                  "Gebruik in verband met de datavalidatie de OK-knop om het venster te sluiten")});

    control<QPushButton>("cmdOK")->click();
    EXPECT_TRUE(window.close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
}

} // namespace
