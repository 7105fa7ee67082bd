// The general data screen driven through its controls. Which values the facility record accepts, and its
// messages, are the record's (tests/core/facility/tst_facilityrecord).
#include "app/frmMDI_main.h"
#include "facility/clsStort.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmTonnage.h"
#include "support/guiprogramfolder.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace dovra;
using test::child;
using test::enter;

namespace {

// The facilities of tests/data/facilities.sql, their aftercare starting on 16-1-2030.
class GeneralDataTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDataFile(
            test::readScript(QStringLiteral("facilities.sql")) +
            QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16', sngRentePerc = 5.06, "
                           "sngInflPerc = 2, bytBedrijfsGebonden = 0, bytObjectGebonden = 0;")));
    }

    void open(int id)
    {
        delete screen;
        ASSERT_TRUE(appState().openFacility(id));
        recorder.clear();
        screen = new frmAlgemeen;
        screen->show();
    }

    template <typename T = QLineEdit> T* control(const char* name) const { return child<T>(screen, name); }

    clsStort stored(int id = 1)
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(id));
        return stort;
    }

    QPointer<frmAlgemeen> screen;
};

// Leaving a field stores a value the record accepts and keeps one it refuses.
TEST_F(GeneralDataTest, LeavingAFieldStoresAnAcceptedValue)
{
    open(1);
    // The price level follows the checklist version and is stored on opening.
    EXPECT_EQ(stored().JaarPrijsPeil(), 2012);

    // Refused: a name another facility has, a date not on the 1st, a number with a point.
    enter(control("txtLocatieNaam"), QStringLiteral("BAGGERDEPOT 'T SLIK"));
    enter(control("txtAanvangNazorg"), QStringLiteral("15-1-2030"));
    enter(control("txtInflatie"), QStringLiteral("2.5"));
    EXPECT_EQ(recorder.recorded().size(), 3);
    EXPECT_EQ(stored().NaamStort(), QStringLiteral("stortplaats Zuid"));
    EXPECT_EQ(stored().DatumAanvangNazorg(), QDate(2030, 1, 16));
    EXPECT_FLOAT_EQ(stored().inflatie(), 0.02f);

    recorder.clear();
    enter(control("txtLocatieNaam"), QStringLiteral("Stortplaats Zuid-West"));
    enter(control("txtAanvangNazorg"), QStringLiteral("1-7-2031"));
    enter(control("txtRente"), QStringLiteral("4,5"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(stored().NaamStort(), QStringLiteral("Stortplaats Zuid-West"));
    EXPECT_EQ(appState().facility().name, QStringLiteral("Stortplaats Zuid-West"));
    EXPECT_EQ(stored().DatumAanvangNazorg(), QDate(2031, 7, 1));
    EXPECT_FLOAT_EQ(stored().rente(), 0.045f);
    EXPECT_EQ(control("txtRente")->text(), QStringLiteral("4,50"));

    // The decimal key of the numeric keypad types the decimal comma.
    QLineEdit* inflation = control("txtInflatie");
    inflation->clear();
    QTest::keyClick(inflation, Qt::Key_3);
    QTest::keyClick(inflation, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(inflation->text(), QStringLiteral("3,"));

    emit control<QLabel>("lblInfoPrijspeil")->linkActivated(QStringLiteral("info"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Informatie prijspeil")});
}

// Company-bound ticks and locks object-bound and turns the forecast off; a dredging depot is always
// object-bound.
TEST_F(GeneralDataTest, CompanyBoundLocksObjectBoundAndTheForecast)
{
    open(1);
    auto* objectBound = control<QCheckBox>("chkObjectGebonden");
    objectBound->click();
    EXPECT_EQ(stored().bytObjectGebonden(), 1);
    objectBound->click();
    EXPECT_EQ(stored().bytObjectGebonden(), 0);

    for (const int companyBound : {1, 0}) {
        control<QRadioButton>(companyBound ? "optBedrijfsGebonden1" : "optBedrijfsGebonden0")->click();
        EXPECT_EQ(stored().bytBedrijfsGebonden(), companyBound);
        EXPECT_TRUE(objectBound->isChecked()); // and stays ticked
        EXPECT_EQ(objectBound->isEnabled(), companyBound == 0);
        EXPECT_EQ(control<QPushButton>("cmdAfvalprognose")->isEnabled(), companyBound == 0);
    }

    open(2);
    EXPECT_FALSE(control<QCheckBox>("chkObjectGebonden")->isEnabled());
}

TEST_F(GeneralDataTest, ProvinceMustBeChosen)
{
    open(3); // its province is unknown to the list
    auto* provinces = control<QListWidget>("lstProv");
    EXPECT_TRUE(provinces->selectedItems().isEmpty());
    test::leave(provinces);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Selectie provincie")});

    QListWidgetItem* limburg = provinces->findItems(QStringLiteral("Limburg"), Qt::MatchExactly).value(0);
    ASSERT_TRUE(limburg);
    provinces->setCurrentItem(limburg);
    QTest::mouseClick(provinces->viewport(), Qt::LeftButton, {}, provinces->visualItemRect(limburg).center());
    EXPECT_EQ(stored(3).prov_id(), 60);
}

// Closing checks the field being edited (refused: the record's message, then the screen's, and it stays
// open), and warns of a stored date that is not on the 1st, but closes.
TEST_F(GeneralDataTest, ClosingChecksTheFieldBeingEditedAndTheStoredDate)
{
    open(1);
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    QLineEdit* name = control("txtLocatieNaam");
    name->setFocus();
    name->setText(QString());
    control<QPushButton>("cmdApply")->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.texts(), (QStringList{QStringLiteral("Voer de naam van de inrichting in."),
                                             QStringLiteral("Ongeldige invoer")}));

    recorder.clear();
    name->setText(QStringLiteral("Stortplaats Noord"));
    control<QPushButton>("cmdApply")->click();
    test::deletePending();
    EXPECT_FALSE(screen);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(appState().facility().name, QStringLiteral("Stortplaats Noord"));

    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg = '2030-01-15' WHERE idrStort_ID = 1")));
    open(1);
    screen->close();
    test::deletePending();
    EXPECT_FALSE(screen);
    // Once on closing, once more as the open facility is reloaded with the 1st of the month.
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Ongeldige datum aanvang nazorg")));
    EXPECT_DOUBLE_EQ(appState().facility().aftercareStart, 2030.0);
}

// The forecast opens from the screen and must be closed with its own button, which checks the years first.
TEST_F(GeneralDataTest, OpenForecastKeepsTheProgramOpen)
{
    frmMDI_main window;
    window.show();
    ASSERT_TRUE(appState().openFacility(1));
    window.runCommand(QStringLiteral("Algemeen"));
    screen = window.findChild<frmAlgemeen*>();
    ASSERT_TRUE(screen);
    control<QPushButton>("cmdAfvalprognose")->click();
    auto* forecast = window.findChild<frmTonnage*>(QStringLiteral("frmTonnage"));
    ASSERT_TRUE(forecast);
    EXPECT_TRUE(forecast->isVisible());

    EXPECT_FALSE(window.close());
    EXPECT_TRUE(forecast->isVisible());
    EXPECT_EQ(recorder.texts(),
              QStringList{QStringLiteral(
                  "Gebruik in verband met de datavalidatie de OK-knop om het venster te sluiten")});
    control<QPushButton>("cmdOK")->click();
    EXPECT_TRUE(window.close());
    test::deletePending();
    EXPECT_FALSE(screen);
}

} // namespace
