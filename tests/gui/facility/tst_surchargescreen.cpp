// The surcharges of the aftercare phase driven through the screen's controls.
#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "app/screenregistration.h"
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
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
#include <QTabWidget>
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

const QString Refused = QStringLiteral("Vul een waarde in.");

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

TEST_F(SurchargeScreenTest, ShowsItsControls)
{
    open(1);
    EXPECT_EQ(screen->objectName(), QStringLiteral("frmAlgNazKosten"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Toeslagen nazorgfase"));
    auto* tabs = control<QTabWidget>("tabToeslagen");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Algemene nazorgkosten"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Onvoorzien && ontwerp/directie"));
    EXPECT_EQ(control<QPushButton>("cmdSluiten")->text(), QStringLiteral("&Sluiten"));
    EXPECT_EQ(control<QLabel>("lblAfwijkingCommunicatie")->text(),
              QStringLiteral("(wijkt af van TALVO-checklist)"));
}

TEST_F(SurchargeScreenTest, EmptyValuesTakeTheChecklistDefaults)
{
    // Without a communication maximum the minimum is the default.
    open(1);
    const clsStort old = stored(1);
    EXPECT_FLOAT_EQ(old.AppKostenBasis(), 15000);
    EXPECT_FLOAT_EQ(old.AppKostenBasisPerc(), 3);
    EXPECT_FLOAT_EQ(old.Onvoorzien(), 10);
    EXPECT_FLOAT_EQ(old.OntwerpdirectieFixed(), 12);
    EXPECT_FLOAT_EQ(old.RapEvalMin(), 3500);
    EXPECT_FLOAT_EQ(old.RapEvalPerHa(), 225);
    EXPECT_FLOAT_EQ(old.RapEvalMax(), 9000);
    EXPECT_FLOAT_EQ(old.CommunicatieKosten(), 2000);
    EXPECT_FALSE(old.single(QStringLiteral("sngAlgRisicoBedrag")));
    EXPECT_FALSE(old.single(QStringLiteral("sngNazorgOpp")));
    EXPECT_EQ(text("txtAppKostenBasis"), QStringLiteral("€ 15.000"));
    EXPECT_EQ(text("txtAppKostenPerc"), QStringLiteral("3,0"));
    EXPECT_EQ(text("txtOntwerpdirectie"), QStringLiteral("12,0"));
    EXPECT_EQ(text("txtRapEvalMin"), QStringLiteral("€ 3.500"));
    EXPECT_EQ(text("txtRisicobedrag"), QString());
    EXPECT_EQ(text("txtNazorgOpp"), QString());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    delete screen;

    // A new facility takes the newest version; values it already holds stay.
    const int id = CreateFacility(appState().workspace(), QStringLiteral("Nieuwe stort"), 1);
    ASSERT_GT(id, 0);
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET sngRapEvalPerHa = NULL, sngOnvoorzien = 7 WHERE idrStort_ID = ?"),
        {id}));
    open(id);
    const clsStort fresh = stored(id);
    EXPECT_EQ(fresh.checklist_ID(), 3);
    EXPECT_FLOAT_EQ(fresh.AppKostenBasis(), 16500);
    EXPECT_FLOAT_EQ(fresh.CommunicatieKosten(), 26000);
    EXPECT_FLOAT_EQ(fresh.RapEvalPerHa(), 250);
    EXPECT_FLOAT_EQ(fresh.Onvoorzien(), 7);
    EXPECT_FLOAT_EQ(fresh.OntwerpdirectieFixed(), 0);
    EXPECT_EQ(text("txtCommunicatie"), QStringLiteral("€ 26.000"));
}

TEST_F(SurchargeScreenTest, HelpTextsFollowTheChecklistVersion)
{
    open(1);
    EXPECT_EQ(
        control<QLabel>("lblHelpCommunicatie")->text(),
        QStringLiteral("Voer een bedrag voor 'Communicatie' in van ten minste € 2000,- per nazorgjaar.\r\n"
                       "Alleen van toepassing voor complexe gevallen."));
    EXPECT_EQ(
        control<QLabel>("lblHelpAppKosten")->text(),
        QStringLiteral("De apparaatskosten worden berekend als een basisbedrag plus een percentage van de "
                       "som van jaarlijkse en vervangingskosten.\r\n\r\nVoer een basisbedrag in tussen "
                       "€ 5000,- en € 25000,- per nazorgjaar."));
    EXPECT_EQ(control<QLabel>("lblHelpAppKostenPerc")->text(),
              QStringLiteral("Voer een waarde voor het hierboven beschreven percentage in."));
    EXPECT_EQ(
        control<QLabel>("lblHelpRapEval")->text(),
        QStringLiteral("De kosten voor rapportage en evaluatie bedragen € 3500,- per jaar voor de eerste "
                       "10 ha, daarna  € 225,- per ha nazorgoppervlak per jaar tot een maximumbedrag van "
                       "€ 9000,-."));
    EXPECT_EQ(control<QRadioButton>("optRapEval0")->text(), QStringLiteral("onbekend"));
    EXPECT_EQ(control<QRadioButton>("optRapEval1")->text(), QStringLiteral("kleiner dan 10 ha"));
    EXPECT_EQ(control<QRadioButton>("optRapEval2")->text(), QStringLiteral("tussen 10 ha en 34,44 ha"));
    EXPECT_EQ(control<QRadioButton>("optRapEval3")->text(), QStringLiteral("meer dan 34,44 ha"));
    delete screen;

    open(2);
    EXPECT_EQ(control<QLabel>("lblHelpCommunicatie")->text(),
              QStringLiteral("Voer een bedrag voor 'Communicatie' in tussen € 2000,- en € 50000,-\r\n"
                             "per nazorgjaar. Alleen van toepassing voor complexe gevallen."));
    EXPECT_TRUE(
        control<QLabel>("lblHelpAppKosten")
            ->text()
            .endsWith(QStringLiteral("\r\n\r\nVoer een basisbedrag in tussen € 5500,- en € 27500,- per "
                                     "nazorgjaar.")));
    EXPECT_EQ(control<QRadioButton>("optRapEval3")->text(), QStringLiteral("meer dan 34 ha"));
}

TEST_F(SurchargeScreenTest, DifferentiatedSurchargesReplaceTheDesignRate)
{
    open(2);
    EXPECT_FLOAT_EQ(stored(2).OntwerpdirectieFixed(), 0);
    EXPECT_TRUE(control<QLineEdit>("txtOntwerpdirectie")->isHidden());
    EXPECT_TRUE(control<QLabel>("lblAfwijkingOntwerpdirectie")->isHidden());
    auto* explanation = control<QLabel>("lblOntwerpdirectieUitleg");
    EXPECT_FALSE(explanation->isHidden());
    EXPECT_EQ(explanation->text(),
              QStringLiteral("Bij deze checklistversie worden toeslagen voor ontwerp/directie/toezicht per "
                             "vervangingspost bepaald in invoerscherm 'Voorzieningen en kostenposten'.\r\n"
                             "Zie paragraaf 3.4.2 van de handleiding."));
    delete screen;

    open(1);
    EXPECT_FALSE(control<QLineEdit>("txtOntwerpdirectie")->isHidden());
    EXPECT_TRUE(control<QLabel>("lblOntwerpdirectieUitleg")->isHidden());
}

TEST_F(SurchargeScreenTest, AreaDeterminesTheReportingOption)
{
    open(1);
    EXPECT_EQ(checkedOption(), 0);
    EXPECT_EQ(enabledAmounts(), (QList<bool>{false, false, false}));

    const struct
    {
        const char* area;
        int option;
        QList<bool> enabled;
    } cases[] = {{"9,99", 1, {true, false, false}},
                 {"10", 2, {false, true, false}},
                 {"34,44", 2, {false, true, false}},
                 {"34,45", 3, {false, false, true}},
                 {"5", 1, {true, false, false}}};
    for (const auto& c : cases) {
        enter("txtNazorgOpp", QLatin1String(c.area));
        EXPECT_EQ(stored(1).OptieRapEval(), c.option) << c.area;
        EXPECT_EQ(checkedOption(), c.option) << c.area;
        EXPECT_EQ(enabledAmounts(), c.enabled) << c.area;
    }
    EXPECT_FLOAT_EQ(stored(1).NazorgOpp(), 5);
    EXPECT_EQ(text("txtNazorgOpp"), QStringLiteral("5,0"));
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
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral(
                  "De keuze volgt automatisch uit het aantal hectare nazorgoppervlak dat u invult en kan "
                  "niet handmatig ingesteld worden."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Toeslag rapportage/evaluatie"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Information);
}

TEST_F(SurchargeScreenTest, EmptyOrNonNumericValuesAreRefused)
{
    openActive(1);
    enter("txtNazorgOpp", QStringLiteral("20"));
    const struct
    {
        const char* box;
        const char* title;
        const char* field;
    } cases[] = {{"txtAppKostenBasis", "Basisbedrag apparaatskosten", "sngAlgAppKostenBasis"},
                 {"txtAppKostenPerc", "Percentage apparaatskosten", "sngAppKostenPerc"},
                 {"txtCommunicatie", "Communicatiekosten", "sngAlgCommunicatieKosten"},
                 {"txtRapEvalPerHa", "Kosten rapportage/evaluatie", "sngRapEvalPerHa"},
                 {"txtOnvoorzien", "Percentage onvoorzien", "sngOnvoorzien"},
                 {"txtOntwerpdirectie", "Percentage ontwerp/directie", "sngOntwerpdirectie"}};
    auto* tabs = control<QTabWidget>("tabToeslagen");
    for (const auto& c : cases) {
        QLineEdit* box = control<QLineEdit>(c.box);
        tabs->setCurrentIndex(tabs->widget(0)->isAncestorOf(box) ? 0 : 1);
        const std::optional<float> before = storedValue(1, c.field);
        const QString shown = box->text();
        for (const QString& value : {QString(), QStringLiteral("veel"), QStringLiteral("1.5")}) {
            // Back to the stored value, so that moving the focus away is accepted.
            box->setText(shown);
            control<QPushButton>("cmdSluiten")->setFocus();
            recorder.clear();
            enter(c.box, value);
            ASSERT_EQ(recorder.recorded().size(), 1) << c.box << " " << value.toStdString();
            EXPECT_EQ(recorder.recorded()[0].text, Refused);
            EXPECT_EQ(recorder.recorded()[0].title, QLatin1String(c.title));
            EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);
            EXPECT_TRUE(box->hasFocus()) << c.box;
            EXPECT_EQ(storedValue(1, c.field), before) << c.box;
        }
        box->setText(shown);
        control<QPushButton>("cmdSluiten")->setFocus();
        QCoreApplication::processEvents();
    }

    // A risk amount that was never entered is refused on leaving, unchanged as it is.
    tabs->setCurrentIndex(0);
    recorder.clear();
    enter("txtRisicobedrag", QString());
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Risicobedrag")});
    EXPECT_TRUE(control<QLineEdit>("txtRisicobedrag")->hasFocus());
    enter("txtRisicobedrag", QStringLiteral("0"));
    EXPECT_EQ(storedValue(1, "sngAlgRisicoBedrag"), 0.0f);

    // The percentage is refused under its own title while its base amount is no number.
    recorder.clear();
    control<QLineEdit>("txtAppKostenBasis")->setText(QString());
    enter("txtAppKostenPerc", QStringLiteral("4"));
    enter("txtAppKostenPerc", QStringLiteral("3,0"));
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Percentage apparaatskosten")));
    EXPECT_FLOAT_EQ(stored(1).AppKostenBasisPerc(), 3);
}

TEST_F(SurchargeScreenTest, AmountsAndPercentagesAreRead)
{
    open(1);
    const struct
    {
        const char* box;
        const char* entered;
        const char* field;
        float value;
        const char* shown;
    } cases[] = {{"txtRisicobedrag", "€ 3.500", "sngAlgRisicoBedrag", 3500, "€ 3.500"},
                 {"txtRisicobedrag", "1250", "sngAlgRisicoBedrag", 1250, "€ 1.250"},
                 {"txtCommunicatie", "12.000", "sngAlgCommunicatieKosten", 12000, "€ 12.000"},
                 {"txtCommunicatie", "2500,75", "sngAlgCommunicatieKosten", 2500.75f, "€ 2.501"},
                 {"txtAppKostenPerc", "2,5", "sngAppKostenPerc", 2.5f, "2,5"},
                 // Outside the checklist range, but the user's choice.
                 {"txtAppKostenBasis", "100", "sngAlgAppKostenBasis", 100, "€ 100"},
                 {"txtOnvoorzien", "0", "sngOnvoorzien", 0, "0,0"}};
    for (const auto& c : cases) {
        enter(c.box, QString::fromUtf8(c.entered));
        EXPECT_EQ(storedValue(1, c.field), c.value) << c.entered;
        EXPECT_EQ(text(c.box), QString::fromUtf8(c.shown)) << c.entered;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(SurchargeScreenTest, DeviationMarks)
{
    open(1);
    for (const char* mark :
         {"lblAfwijkingAppKostenBasis", "lblAfwijkingAppKostenPerc", "lblAfwijkingOnvoorzien",
          "lblAfwijkingOntwerpdirectie", "lblAfwijkingCommunicatie", "lblAfwijkingRapEvalMin",
          "lblAfwijkingRapEvalPerHa", "lblAfwijkingRapEvalMax"})
        EXPECT_FALSE(marked(mark)) << mark;

    const struct
    {
        const char* box;
        const char* entered;
        const char* mark;
        bool shown;
    } cases[] = {{"txtAppKostenBasis", "4999", "lblAfwijkingAppKostenBasis", true},
                 {"txtAppKostenBasis", "25000", "lblAfwijkingAppKostenBasis", false},
                 {"txtAppKostenBasis", "25001", "lblAfwijkingAppKostenBasis", true},
                 {"txtAppKostenPerc", "3,1", "lblAfwijkingAppKostenPerc", true},
                 {"txtAppKostenPerc", "3", "lblAfwijkingAppKostenPerc", false},
                 {"txtOnvoorzien", "9,5", "lblAfwijkingOnvoorzien", true},
                 {"txtOnvoorzien", "10", "lblAfwijkingOnvoorzien", false},
                 {"txtOntwerpdirectie", "15", "lblAfwijkingOntwerpdirectie", true},
                 {"txtOntwerpdirectie", "12", "lblAfwijkingOntwerpdirectie", false},
                 // Without a maximum only too little deviates.
                 {"txtCommunicatie", "1999", "lblAfwijkingCommunicatie", true},
                 {"txtCommunicatie", "900000", "lblAfwijkingCommunicatie", false}};
    for (const auto& c : cases) {
        enter(c.box, QLatin1String(c.entered));
        EXPECT_EQ(marked(c.mark), c.shown) << c.box << " " << c.entered;
    }

    // Only the amount of the current option counts.
    enter("txtNazorgOpp", QStringLiteral("5"));
    enter("txtRapEvalMin", QStringLiteral("3000"));
    EXPECT_TRUE(marked("lblAfwijkingRapEvalMin"));
    enter("txtNazorgOpp", QStringLiteral("20"));
    EXPECT_FALSE(marked("lblAfwijkingRapEvalMin"));
    EXPECT_FALSE(marked("lblAfwijkingRapEvalPerHa"));
    enter("txtRapEvalPerHa", QStringLiteral("230"));
    EXPECT_TRUE(marked("lblAfwijkingRapEvalPerHa"));
    enter("txtNazorgOpp", QStringLiteral("40"));
    EXPECT_FALSE(marked("lblAfwijkingRapEvalPerHa"));
    EXPECT_FALSE(marked("lblAfwijkingRapEvalMax"));
    delete screen;

    // With a maximum too much deviates too; the design rate never under differentiated surcharges.
    open(2);
    enter("txtCommunicatie", QStringLiteral("50001"));
    EXPECT_TRUE(marked("lblAfwijkingCommunicatie"));
    enter("txtCommunicatie", QStringLiteral("50000"));
    EXPECT_FALSE(marked("lblAfwijkingCommunicatie"));
    EXPECT_FALSE(marked("lblAfwijkingOntwerpdirectie"));
}

TEST_F(SurchargeScreenTest, ClosingNeedsAnAreaAboveZero)
{
    openActive(1);
    control<QPushButton>("cmdSluiten")->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Voer een nazorgoppervlak in.")});
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")});
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);

    QLineEdit* area = control<QLineEdit>("txtNazorgOpp");
    ASSERT_TRUE(area->hasFocus());
    recorder.clear();
    for (const QString& value : {QStringLiteral("0"), QStringLiteral("-2"), QStringLiteral("geen")}) {
        area->setText(value);
        control<QPushButton>("cmdSluiten")->click();
        EXPECT_TRUE(screen->isVisible());
    }
    EXPECT_EQ(recorder.texts(), (QStringList{QStringLiteral("Voer een nazorgoppervlak groter dan 0 in."),
                                             QStringLiteral("Voer een nazorgoppervlak groter dan 0 in."),
                                             QStringLiteral("Voer een nazorgoppervlak in.")}));
    EXPECT_FALSE(stored(1).single(QStringLiteral("sngNazorgOpp")));

    // Leaving the box is refused the same way.
    recorder.clear();
    enter("txtNazorgOpp", QStringLiteral("0"));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Voer een nazorgoppervlak groter dan 0 in.")});
    EXPECT_TRUE(area->hasFocus());

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
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Voer een nazorgoppervlak groter dan 0 in.")});
}

TEST_F(SurchargeScreenTest, AnAreaWithoutOptionMustBeEnteredAgain)
{
    open(3);
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("In deze versie van DOVRA wordt de berekening van de toeslag 'Rapportage en "
                       "evaluatie' anders uitgevoerd. U dient de benodigde gegevens opnieuw in te voeren."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Toeslag Rapportage/evaluatie"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Information);
    EXPECT_EQ(checkedOption(), 0);
    delete screen;

    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET bytRapEval = 2 WHERE idrStort_ID = 3")));
    open(3);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(checkedOption(), 2);
}

TEST_F(SurchargeScreenTest, MainWindowOpensTheScreen)
{
    frmMDI_main window;
    window.show();
    auto* command = window.findChild<QAction*>(QStringLiteral("AlgNazKosten"));
    auto* button = window.findChild<QAction*>(QStringLiteral("frmAlgNazKosten"));
    ASSERT_TRUE(command && button);
    EXPECT_FALSE(command->isEnabled());
    ASSERT_TRUE(appState().openFacility(1));
    EXPECT_TRUE(command->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    button->trigger();
    screen = window.findChild<frmAlgNazKosten*>(QStringLiteral("frmAlgNazKosten"));
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(command->text(), QStringLiteral("&Toeslagen nazorgfase"));
}

} // namespace
