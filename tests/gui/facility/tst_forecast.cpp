// The forecast window: its grid's keys and editors, the total and the ways it may close. The forecast's
// rules and the grid model are the core's (tests/core/facility/tst_tonnage); its columns are in its dump.
#include "facility/clsTonnage.h"
#include "facility/frmTonnage.h"
#include "facility/tonnagemodel.h"
#include "support/guiprogramfolder.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace dovra;
using test::deletePending;

namespace {

using Cell = std::pair<int, int>;

class ForecastScreenTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDataFile(QStringLiteral(
            "INSERT INTO tblTonnage (idrTonnage_ID, lngStort_REF, intKalJaar, lngTonnage) VALUES "
            "(1, 1, 2026, 230), (2, 1, 2025, 1000), (3, 1, 2027, NULL);")));
        screen = new frmTonnage(1);
        screen->show();
        grid = test::child<QTableView>(screen, "grdTonnage");
        ASSERT_TRUE(grid);
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

    QString total() const { return test::child<QLabel>(screen, "lblTotaal")->text(); }
    Cell current() const { return {grid->currentIndex().row(), grid->currentIndex().column()}; }
    void select(int row, int column) { grid->setCurrentIndex(grid->model()->index(row, column)); }

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
        select(row, column);
        grid->edit(grid->currentIndex());
        QLineEdit* edit = editor();
        ASSERT_TRUE(edit);
        edit->setText(text);
    }

    void clickOk() { test::child<QPushButton>(screen, "cmdOK")->click(); }

    QPointer<frmTonnage> screen;
    QTableView* grid = nullptr;
};

// Enter, Return and Down move on like Tab, skipping the hidden facility column; with a modifier Down is the
// ordinary move down.
TEST_F(ForecastScreenTest, NextCellKeysMoveLikeTab)
{
    grid->setFocus();
    select(0, TonnageModel::YearColumn);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Cell then;
    } keys[] = {{Qt::Key_Return, {}, {0, 1}},
                {Qt::Key_Down, {}, {1, 0}},
                {Qt::Key_Enter, Qt::KeypadModifier, {1, 1}},
                {Qt::Key_Down, Qt::ShiftModifier, {2, 1}}};
    for (const auto& k : keys) {
        QTest::keyClick(grid, k.key, k.modifiers);
        EXPECT_EQ(current(), k.then) << k.key;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ForecastScreenTest, EnterInAnEditorCommitsMovesOnAndUpdatesTheTotal)
{
    type(0, TonnageModel::KilotonnesColumn, QStringLiteral("1.500"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(stored(), QStringList({"2025=1500", "2026=230", "2027=?"}));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
    // Editing goes on in the next cell, as after Tab.
    EXPECT_EQ(current(), Cell(1, 0));
    QLineEdit* next = editor();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->text(), QStringLiteral("2026"));
    next->setText(QStringLiteral("2030"));
    QTest::keyClick(next, Qt::Key_Down);
    EXPECT_EQ(stored(), QStringList({"2025=1500", "2027=?", "2030=230"}));
    EXPECT_EQ(current(), Cell(1, 1));

    // A refused value is not written and the total stays.
    QLineEdit* amount = editor();
    ASSERT_TRUE(amount);
    amount->setText(QStringLiteral("-5"));
    QTest::keyClick(amount, Qt::Key_Return);
    EXPECT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(stored(), QStringList({"2025=1500", "2027=?", "2030=230"}));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
}

// A year typed on the empty line and left open is stored, then the years are checked: a gap or a repeat
// keeps the window open.
TEST_F(ForecastScreenTest, CloseButtonChecksTheYears)
{
    for (const auto& [year, closes] :
         {std::pair{"2029", false}, std::pair{"2027", false}, std::pair{"2028", true}}) {
        recorder.clear();
        type(3, TonnageModel::YearColumn, QLatin1String(year));
        clickOk();
        deletePending();
        EXPECT_EQ(!screen, closes) << year;
        EXPECT_EQ(recorder.titles(), closes ? QStringList() : QStringList{QStringLiteral("Controle invoer")})
            << year;
    }
    EXPECT_EQ(stored().last(), QStringLiteral("2028=?"));
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
    select(1, TonnageModel::KilotonnesColumn);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(recorder.texts(),
              QStringList{QStringLiteral("Wilt u het jaar 2026 verwijderen uit de prognose?")});
    EXPECT_EQ(stored().size(), 3);

    recorder.answerNext(MessageAnswer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(stored(), QStringList({"2025=1000", "2027=?"}));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.000"));

    // The empty line has no year to delete.
    recorder.clear();
    select(2, TonnageModel::YearColumn);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace
