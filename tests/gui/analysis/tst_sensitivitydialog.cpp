// The sensitivity dialog driven through its controls on the demo data: its modes, the slider's selection,
// the rate boxes' check on leaving, and the report window it fills with the report and its chart. The
// analysis and which rates a run takes or refuses are the core's (tests/core/calc/tst_computetargetcapital);
// captions and starting states are in the screen's dump.
#include "analysis/frmGevoelAna.h"
#include "app/frmMDI_main.h"
#include "reports/frmRapScherm.h"
#include "support/guiprogramfolder.h"
#include "widgets/rangeslider.h"

#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

using namespace dovra;
using test::child;
using test::deletePending;

namespace {

class SensitivityDialogTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        ASSERT_TRUE(appState().openFacility(1));
        window->runMenuCommand(QStringLiteral("gev_ana"));
        dialog = window->findChild<frmGevoelAna*>();
        ASSERT_TRUE(dialog && dialog->isVisible());
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        recorder.clear();
    }

    template <typename T = QWidget> T* control(const char* name) const { return child<T>(dialog, name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    QString report() const
    {
        const frmRapScherm* shown = window->findChild<frmRapScherm*>();
        return shown ? child<QTextEdit>(shown, "txtRap")->toPlainText() : QString();
    }

    QPointer<frmMDI_main> window = new frmMDI_main;
    QPointer<frmGevoelAna> dialog;
};

// From the opening state of the screen's dump (tests/golden/gui/sensitivity.txt).
TEST_F(SensitivityDialogTest, ModesSwitchBetweenTheSliderAndTheRateBoxes)
{
    const auto enabled = [this] {
        QString states;
        for (const char* name : {"Slider1", "Combo1", "txtRente", "txtInflatie"})
            states += control(name)->isEnabled() ? u'1' : u'0';
        return states;
    };
    click("opt1_1");
    EXPECT_EQ(enabled(), u"0011");
    click("opt1_3");
    EXPECT_EQ(enabled(), u"1100");
    control<RangeSlider>("Slider1")->setSelection(4, 10);
    EXPECT_EQ(control<QLabel>("lblSelectie")->text(), u"2,00 % – 7,00 %");
}

TEST_F(SensitivityDialogTest, RatesAreCheckedOnLeavingAndNeededForTheAlternative)
{
    click("opt1_1");
    click("cmdOK");
    EXPECT_EQ(recorder.texts(), QStringList{"Voer waarden voor inflatie en rente in."});
    recorder.clear();
    auto* interest = control<QLineEdit>("txtRente");
    interest->setFocus();
    test::enter(interest, QStringLiteral("0,5"));
    QTest::qWait(10);
    EXPECT_EQ(recorder.texts(),
              QStringList{"Ongeldige waarde voor rente ingevoerd (voer waarde in tussen 1 en 8)."});
    EXPECT_TRUE(interest->hasFocus());
    recorder.clear();
    test::enter(interest, QStringLiteral("1,5"));
    test::enter(control<QLineEdit>("txtInflatie"), QStringLiteral("7,25"));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    EXPECT_EQ(interest->text(), u"1,50");
    click("cmdOK");
    deletePending();
    EXPECT_FALSE(dialog);
    EXPECT_TRUE(report().contains(u"Bij rente van 1,50 % en inflatie van 7,25 %: "))
        << report().toStdString();
    // One pair: no chart.
    EXPECT_FALSE(window->findChild<QTabWidget*>());
}

TEST_F(SensitivityDialogTest, SeriesShowsItsChart)
{
    control<RangeSlider>("Slider1")->setSelection(6, 4);
    control<QComboBox>("Combo1")->setCurrentText(QStringLiteral("3"));
    click("cmdOK");
    deletePending();
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    const QStringList lines = report().split(u'\n');
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines.mid(6, 3).join(u'|').section(u'\t', 0, 0), u"3,00 %");
    // The three steps and the base case at the facility's own 5,06 %, marked apart.
    const QChartView* chart = window->findChild<QChartView*>();
    ASSERT_TRUE(chart);
    const auto* marked = qobject_cast<QScatterSeries*>(chart->chart()->series().at(1));
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->count(), 1);
    EXPECT_NEAR(marked->at(0).x(), 5.06, 1e-4);
}

} // namespace
