// The surcharges of the aftercare phase driven through the screen's controls. The rules behind them
// (defaults, option, deviations, reading values, the area) are the core's: tests/core/calc/tst_surcharges.
#include "facility/clsStort.h"
#include "facility/frmAlgNazKosten.h"
#include "support/guiprogramfolder.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace dovra;
using test::child;
using test::enter;

namespace {

// Landfills of the built checklist file: 1 on the 2007 version (fixed design/direction rate), 2 on the 2013
// version (differentiated surcharges), 3 with an area stored before the reporting/evaluation option existed.
class SurchargeScreenTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDataFile(QStringLiteral(
            "INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, bytProv_REF, "
            "sngNazorgOpp, bytRapEval) VALUES (1, 'Stort 2007', 1, 1, 120, NULL, 0), "
            "(2, 'Stort 2013', 1, 3, 120, NULL, 0), (3, 'Stort oud', 1, 1, 120, 20, 0);")));
    }

    // Shown and active, so that the focus can be followed.
    void open(int id)
    {
        delete screen;
        ASSERT_TRUE(appState().openFacility(id));
        recorder.clear();
        screen = new frmAlgNazKosten;
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }

    QLineEdit* box(const char* name) const { return child<QLineEdit>(screen, name); }

    clsStort stored()
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(appState().facility().id));
        return stort;
    }

    // The checked reporting/evaluation option and which of the three amounts may be edited: "2 -x-".
    QString option() const
    {
        QString shown;
        for (int option = 0; option <= 3; ++option) {
            if (child<QRadioButton>(screen, qPrintable(QStringLiteral("optRapEval%1").arg(option)))
                    ->isChecked())
                shown = QString::number(option) + u' ';
        }
        for (const char* name : {"txtRapEvalMin", "txtRapEvalPerHa", "txtRapEvalMax"})
            shown += box(name)->isEnabled() ? u'x' : u'-';
        return shown;
    }

    QPointer<frmAlgNazKosten> screen;
};

// Opening stores the defaults; a checklist with differentiated surcharges has no design rate.
TEST_F(SurchargeScreenTest, OpeningStoresTheDefaultsAndShowsTheDesignRateOfItsVersion)
{
    const struct
    {
        int id;
        bool differentiated;
        float base;
    } cases[] = {{1, false, 15000}, {2, true, 16500}};
    for (const auto& c : cases) {
        open(c.id);
        EXPECT_FLOAT_EQ(stored().AppKostenBasis(), c.base);
        EXPECT_EQ(box("txtOntwerpdirectie")->isHidden(), c.differentiated);
        EXPECT_EQ(child<QLabel>(screen, "lblOntwerpdirectieUitleg")->isHidden(), !c.differentiated);
        EXPECT_TRUE(recorder.recorded().isEmpty());
    }
}

// The area stores the option that follows from it (up to the limit of 34,44 ha option 2); only that option's
// amount may be edited, and the option buttons only tell so.
TEST_F(SurchargeScreenTest, AreaChecksTheOptionAndEnablesItsAmount)
{
    open(1);
    EXPECT_EQ(option(), QStringLiteral("0 ---"));
    const std::pair<const char*, const char*> cases[] = {{"5", "1 x--"}, {"40", "3 --x"}, {"34,44", "2 -x-"}};
    for (const auto& [area, shown] : cases) {
        enter(box("txtNazorgOpp"), QLatin1String(area));
        EXPECT_EQ(option(), QLatin1String(shown)) << area;
        EXPECT_EQ(stored().OptieRapEval(), option().left(1).toInt()) << area;
    }
    EXPECT_EQ(box("txtNazorgOpp")->text(), QStringLiteral("34,44"));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    child<QRadioButton>(screen, "optRapEval3")->click();
    EXPECT_EQ(option(), QStringLiteral("2 -x-"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Toeslag rapportage/evaluatie")});
}

// Leaving a box stores what it reads and shows it again formatted, or keeps the focus and the stored value.
TEST_F(SurchargeScreenTest, LeavingABoxStoresItsValueAndMarksADeviation)
{
    open(1);
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
        enter(box(c.box), QString::fromUtf8(c.entered));
        EXPECT_EQ(stored().single(QLatin1String(c.field)), c.value) << c.entered;
        EXPECT_EQ(box(c.box)->text(), QString::fromUtf8(c.shown)) << c.entered;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());

    auto* mark = child<QLabel>(screen, "lblAfwijkingAppKostenBasis");
    for (const auto& [base, deviates] : {std::pair{"4999", true}, std::pair{"25000", false}}) {
        enter(box("txtAppKostenBasis"), QLatin1String(base));
        EXPECT_EQ(!mark->isHidden(), deviates) << base;
    }
    enter(box("txtAppKostenBasis"), QStringLiteral("veel"));
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Basisbedrag apparaatskosten")});
    EXPECT_TRUE(box("txtAppKostenBasis")->hasFocus());
    EXPECT_EQ(stored().single(QStringLiteral("sngAlgAppKostenBasis")), 25000.0f);
}

// Closing checks the area, typed but not yet left, and keeps the screen open without one above 0; so does
// a stored area of 0.
TEST_F(SurchargeScreenTest, ClosingNeedsAnAreaAboveZero)
{
    open(1);
    for (const char* typed : {"", "0", "12,5"}) {
        recorder.clear();
        box("txtNazorgOpp")->setText(QLatin1String(typed));
        child<QPushButton>(screen, "cmdSluiten")->click();
        test::deletePending();
        if (QLatin1String(typed) == QLatin1String("12,5"))
            break;
        EXPECT_TRUE(screen->isVisible()) << typed;
        EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")}) << typed;
        EXPECT_TRUE(box("txtNazorgOpp")->hasFocus()) << typed;
    }
    EXPECT_FALSE(screen);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_FLOAT_EQ(stored().NazorgOpp(), 12.5f);

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
    EXPECT_TRUE(option().startsWith(u'0'));
}

} // namespace
