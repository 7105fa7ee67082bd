// Decimals as a Dutch user types them, key by key with a decimal comma, into every kind of box of the demo
// facility that stores one (tests/data/decimal_entries.txt): each is stored as the number typed, read back
// from the data file, and shown in its screen's format. The VAT box and the sensitivity rates, which are not
// stored, are their screens' tests.
#include "app/frmMDI_main.h"
#include "costitems/frmAct.h"
#include "storage/database.h"
#include "support/guiprogramfolder.h"

#include <QAbstractButton>

using namespace dovra;

namespace {

class DecimalEntryTest : public test::WindowTest
{
protected:
    // The C library's numbers as on a Dutch desktop, whatever the locale the suite runs in.
    const test::NumericLocale dutch{"nl_NL.UTF-8"};
    QPointer<frmMDI_main> window = new frmMDI_main;
};

TEST_F(DecimalEntryTest, ADecimalCommaIsStoredAsTheNumberTyped)
{
    ASSERT_TRUE(dutch.active);
    ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
    ASSERT_TRUE(appState().openFacility(1));
    Database& data = *appState().workspace().dataDatabase();
    const QString costItem =
        test::queryRows(data, QStringLiteral("SELECT min(idrAct_ID) FROM tblAct WHERE lngStort_REF = 1"))
            .value(0);
    QPointer<QWidget> screen;
    for (const QStringList& c : test::readCases(QStringLiteral("decimal_entries.txt"))) {
        SCOPED_TRACE(c[3].toStdString());
        if (!screen || screen->objectName() != c[1]) {
            if (screen)
                screen->close();
            test::deletePending();
            window->runMenuCommand(c[0]);
            screen = window->findChild<QWidget*>(c[1]);
            ASSERT_TRUE(screen);
            if (auto* editor = qobject_cast<frmAct*>(screen)) {
                ASSERT_TRUE(editor->pRefreshSubscherm(QStringLiteral("act") + costItem));
            }
        }
        if (!c[2].isEmpty()) { // as by the mouse, which takes the focus from the last box first
            auto* option = screen->findChild<QAbstractButton*>(c[2]);
            option->setFocus(Qt::MouseFocusReason);
            option->click();
        }
        auto* box = screen->findChild<QLineEdit*>(c[3]);
        ASSERT_TRUE(box && !box->isHidden() && box->isEnabled());
        box->setFocus();
        test::enter(box, c[4]);
        QCoreApplication::processEvents();
        EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
        const bool ofCostItem = c[1] == u"frmAct";
        const QString sql = ofCostItem ? QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID = ") + costItem
                                       : QStringLiteral("SELECT %1 FROM tblStort WHERE idrStort_ID = 1");
        Statement read = data.prepare(sql.arg(c[5]));
        ASSERT_TRUE(read.next());
        EXPECT_EQ(float(read.real(0).value_or(-1)), c[6].toFloat());
        EXPECT_EQ(box->text(), c[7]);
    }
    screen->close();
    test::deletePending();
    EXPECT_FALSE(screen);
}

} // namespace
