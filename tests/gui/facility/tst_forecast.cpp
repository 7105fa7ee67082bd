// The forecast window: its grid's keys and editors, the total and the ways it may close. The forecast's
// rules and the grid model are the core's: tests/core/facility/tst_tonnage.
#include "app/appstate.h"
#include "app/screenregistration.h"
#include "facility/clsTonnage.h"
#include "facility/frmTonnage.h"
#include "facility/tonnagemodel.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace dovra;
using test::deletePending;

namespace {

class ForecastScreenTest : public ::testing::Test
{
protected:
    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QPointer<frmTonnage> screen;
    QTableView* grid = nullptr;

    void SetUp() override
    {
        ASSERT_EQ(ScreenRegistration::loadedScreens(), 0);
        ASSERT_TRUE(folder.linkDataFile(QStringLiteral(
            "INSERT INTO tblTonnage (idrTonnage_ID, lngStort_REF, intKalJaar, lngTonnage) VALUES "
            "(1, 1, 2026, 230), (2, 1, 2025, 1000), (3, 1, 2027, NULL);")));
        screen = new frmTonnage(1);
        screen->show();
        grid = screen->findChild<QTableView*>(QStringLiteral("grdTonnage"));
        ASSERT_TRUE(grid);
    }

    void TearDown() override
    {
        delete screen;
        deletePending();
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    }

    // The forecast as the file now holds it, in year order: "year=kilotonnes" ("?" when not entered).
    QStringList stored() const
    {
        clsTonnage forecast(appState().workspace());
        EXPECT_TRUE(forecast.psubInitialiseer(1));
        QStringList rows;
        for (forecast.moveFirst(); !forecast.EOF_(); forecast.move_NEXT())
            rows.append(forecast.rapJaartalTonnage() + u'=' + forecast.rapAantalKton());
        return rows;
    }

    QString total() const { return screen->findChild<QLabel*>(QStringLiteral("lblTotaal"))->text(); }
    QPushButton* okButton() const { return screen->findChild<QPushButton*>(QStringLiteral("cmdOK")); }
    std::pair<int, int> current() const
    {
        return {grid->currentIndex().row(), grid->currentIndex().column()};
    }

    // The cell editor that is open now.
    QLineEdit* editor() const
    {
        deletePending();
        for (QLineEdit* edit : grid->viewport()->findChildren<QLineEdit*>()) {
            if (!edit->isHidden())
                return edit;
        }
        return nullptr;
    }

    void type(int row, int column, const QString& text)
    {
        grid->setCurrentIndex(grid->model()->index(row, column));
        grid->edit(grid->currentIndex());
        QLineEdit* edit = editor();
        ASSERT_TRUE(edit);
        edit->setText(text);
    }
};

TEST_F(ForecastScreenTest, ShowsTheForecastAndItsTotal)
{
    EXPECT_TRUE(screen->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(grid->isColumnHidden(TonnageModel::FacilityColumn));
    EXPECT_FALSE(grid->isColumnHidden(TonnageModel::KilotonnesColumn));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.230"));
}

TEST_F(ForecastScreenTest, NextCellKeysMoveLikeTab)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, TonnageModel::YearColumn));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(0, 1));
    // The hidden facility column is skipped.
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(1, 0));
    QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(current(), std::make_pair(1, 1));
    // With a modifier Down is the ordinary move down.
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(current(), std::make_pair(2, 1));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastScreenTest, EnterInAnEditorCommitsMovesOnAndUpdatesTheTotal)
{
    type(0, TonnageModel::KilotonnesColumn, QStringLiteral("1.500"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(stored(), QStringList({"2025=1500", "2026=230", "2027=?"}));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
    EXPECT_EQ(current(), std::make_pair(1, 0));
    // Editing goes on in the next cell, as after Tab.
    QLineEdit* next = editor();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->text(), QStringLiteral("2026"));

    next->setText(QStringLiteral("2030"));
    QTest::keyClick(next, Qt::Key_Down);
    EXPECT_EQ(stored(), QStringList({"2025=1500", "2027=?", "2030=230"}));
    EXPECT_EQ(current(), std::make_pair(1, 1));

    // A refused value is not written and the total stays.
    QLineEdit* amount = editor();
    ASSERT_TRUE(amount);
    amount->setText(QStringLiteral("-5"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(stored(), QStringList({"2025=1500", "2027=?", "2030=230"}));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
}

TEST_F(ForecastScreenTest, CloseButtonChecksTheYears)
{
    // 2025, 2026, 2027 plus 2029 typed on the empty line and left open: a gap.
    type(3, TonnageModel::YearColumn, QStringLiteral("2029"));
    okButton()->click();
    EXPECT_EQ(stored().last(), QStringLiteral("2029=?"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Controle invoer")});
    deletePending();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());

    type(3, TonnageModel::YearColumn, QStringLiteral("2028"));
    okButton()->click();
    EXPECT_EQ(recorder.recorded().size(), 1);
    deletePending();
    EXPECT_FALSE(screen);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
}

TEST_F(ForecastScreenTest, OtherWaysToCloseAreRefused)
{
    EXPECT_FALSE(screen->close());
    QTest::keyClick(screen, Qt::Key_Escape);
    deletePending();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(recorder.titles(), QStringList({"Sluiten formulier", "Sluiten formulier"}));

    // The program itself may close it, whatever the years.
    type(3, TonnageModel::YearColumn, QStringLiteral("2040"));
    EXPECT_TRUE(screen->closeByProgram());
    deletePending();
    EXPECT_FALSE(screen);
    EXPECT_EQ(recorder.recorded().size(), 2);
}

TEST_F(ForecastScreenTest, DeleteKeyAsksBeforeRemovingTheYear)
{
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(1, TonnageModel::KilotonnesColumn));
    QTest::keyClick(grid, Qt::Key_Delete);
    ASSERT_EQ(recorder.recorded().size(), 1);
    const MessageRecorder::Message question = recorder.recorded()[0];
    EXPECT_EQ(question.text, QStringLiteral("Wilt u het jaar 2026 verwijderen uit de prognose?"));
    EXPECT_EQ(question.title, QStringLiteral("Verwijderen prognose"));
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.answer, MessageAnswer::No);
    EXPECT_EQ(stored().size(), 3);

    recorder.answerNext(MessageAnswer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(stored(), QStringList({"2025=1000", "2027=?"}));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.000"));

    // The empty line has no year to delete.
    recorder.clear();
    grid->setCurrentIndex(grid->model()->index(2, TonnageModel::YearColumn));
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace
