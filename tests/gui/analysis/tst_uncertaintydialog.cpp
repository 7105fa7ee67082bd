// The uncertainty dialog driven through its controls on the demo data: a typed value that is no number, a
// run that is stopped and shows nothing, and a run whose report window shows the report with its two
// charts. The analysis itself is the core's (tests/core/calc/tst_uncertainty); captions and starting states
// are in the screen's dump.
#include "analysis/frmOnzekerAna.h"
#include "app/frmMDI_main.h"
#include "reports/frmRapScherm.h"
#include "support/guiprogramfolder.h"

#include <QChartView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

using namespace dovra;
using test::child;

namespace {

class UncertaintyDialogTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        ASSERT_TRUE(appState().openFacility(1));
        window->runMenuCommand(QStringLiteral("onz_ana"));
        dialog = window->findChild<frmOnzekerAna*>();
        ASSERT_TRUE(dialog && dialog->isVisible());
        recorder.clear();
    }

    template <typename T = QWidget> T* control(const char* name) const { return child<T>(dialog, name); }
    void run(const char* draws)
    {
        control<QLineEdit>("txtTrekkingen")->setText(QLatin1String(draws));
        control<QPushButton>("cmdOK")->click();
    }

    QPointer<frmMDI_main> window = new frmMDI_main;
    QPointer<frmOnzekerAna> dialog;
};

TEST_F(UncertaintyDialogTest, ATypedValueMustBeANumber)
{
    control<QLineEdit>("txtRenteSd")->setText(QStringLiteral("0.5"));
    run("200");
    EXPECT_EQ(recorder.texts(),
              QStringList{"Ongeldige waarde voor de standaardafwijking van de rente ingevoerd."});
    EXPECT_FALSE(control("cmdAfbreken")->isEnabled());
}

TEST_F(UncertaintyDialogTest, AStoppedRunShowsNothing)
{
    run("1000000");
    EXPECT_TRUE(control("cmdAfbreken")->isEnabled());
    EXPECT_FALSE(control("fraRente")->isEnabled());
    control<QPushButton>("cmdAfbreken")->click();
    EXPECT_TRUE(QTest::qWaitFor([this] { return control("cmdOK")->isEnabled(); }, 10000));
    EXPECT_FALSE(window->findChild<frmRapScherm*>());
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
}

TEST_F(UncertaintyDialogTest, ARunShowsTheReportWithItsCharts)
{
    run("500");
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->findChild<frmRapScherm*>() != nullptr; }, 20000));
    test::deletePending();
    EXPECT_FALSE(dialog);
    const auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_TRUE(tabs);
    EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
              QStringList({"Rapport", "Histogram", "Cumulatief"}));
    EXPECT_TRUE(window->findChild<QTextEdit*>("txtRap")->toPlainText().contains(u"trekkingen\t500 (zaad 1)"));
    EXPECT_EQ(window->findChildren<QChartView*>().size(), 2);
}

} // namespace
