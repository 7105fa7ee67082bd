// Decimals as a Dutch user types them, key by key with a decimal comma, into every kind of box of the demo
// facility that stores one: each is stored as the number typed, read back from the data file, and shown in
// its screen's format. (The VAT box and the sensitivity rates, which are not stored, are their screens'
// tests.)
#include "app/frmMDI_main.h"
#include "costitems/frmAct.h"
#include "storage/database.h"
#include "support/guiprogramfolder.h"

#include <QAbstractButton>
#include <QTest>

using namespace dovra;

namespace {

struct DecimalBox
{
    const char* command; // of the main window
    const char* screen;  // the screen it opens
    const char* option;  // a button that shows the box first, or nullptr
    const char* box;
    const char* typed;
    const char* table; // the stored field, of the facility or of the selected cost item
    const char* field;
    double stored;
    const char* shown;
};

class DecimalEntryTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dutch.active());
        ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true));
        ASSERT_TRUE(appState().openFacility(1));
    }

    // The C library's numbers as on a Dutch desktop, whatever the locale the suite runs in.
    const test::NumericLocale dutch{"nl_NL.UTF-8"};
    QPointer<frmMDI_main> window = new frmMDI_main;
};

TEST_F(DecimalEntryTest, ADecimalCommaIsStoredAsTheNumberTyped)
{
    const DecimalBox boxes[] = {
        {"Algemeen", "frmAlgemeen", nullptr, "txtRente", "4,5", "tblStort", "sngRentePerc", 4.5, "4,50"},
        {"Algemeen", "frmAlgemeen", nullptr, "txtInflatie", "2,25", "tblStort", "sngInflPerc", 2.25, "2,25"},
        {"AlgNazKosten", "frmAlgNazKosten", nullptr, "txtNazorgOpp", "25,5", "tblStort", "sngNazorgOpp", 25.5,
         "25,5"},
        {"AlgNazKosten", "frmAlgNazKosten", nullptr, "txtCommunicatie", "2500,75", "tblStort",
         "sngAlgCommunicatieKosten", 2500.75, "€ 2.501"},
        {"AlgNazKosten", "frmAlgNazKosten", nullptr, "txtAppKostenPerc", "2,5", "tblStort",
         "sngAppKostenPerc", 2.5, "2,5"},
        {"AlgNazKosten", "frmAlgNazKosten", nullptr, "txtOnvoorzien", "4,5", "tblStort", "sngOnvoorzien", 4.5,
         "4,5"},
        {"AlgNazKosten", "frmAlgNazKosten", nullptr, "txtRisicobedrag", "150000,5", "tblStort",
         "sngAlgRisicoBedrag", 150000.5, "€ 150.001"},
        {"Act_en_KostPost", "frmAct", "optKosten3", "txtKostenPE", "52,50", "tblAct", "sngKostenPE", 52.5,
         "52,50"},
        {"Act_en_KostPost", "frmAct", "optKosten3", "txtAantal", "25,5", "tblAct", "sngAantal", 25.5, "25,5"},
        {"Act_en_KostPost", "frmAct", "optKosten2", "txtKostenTotaal", "1.250,25", "tblAct",
         "sngKostenTotaal", 1250.25, "1.250,25"},
        {"Act_en_KostPost", "frmAct", "optKosten1", "txtKostenPerc", "4,5", "tblAct", "sngPercInvest", 4.5,
         "4,50"},
        {"Act_en_KostPost", "frmAct", "optKosten1", "txtKostenInvest", "10000,5", "tblAct", "sngKostenInvest",
         10000.5, "10.000,50"},
    };
    Database& data = *appState().workspace().dataDatabase();
    const qint64 costItem =
        test::queryRows(data, QStringLiteral("SELECT min(idrAct_ID) FROM tblAct WHERE lngStort_REF = 1"))
            .value(0)
            .toLongLong();
    QPointer<QWidget> screen;
    for (const DecimalBox& c : boxes) {
        SCOPED_TRACE(c.box);
        if (!screen || screen->objectName() != QLatin1String(c.screen)) {
            if (screen)
                screen->close();
            test::deletePending();
            window->runMenuCommand(QLatin1String(c.command));
            screen = window->findChild<QWidget*>(QLatin1String(c.screen));
            ASSERT_TRUE(screen);
            if (auto* editor = qobject_cast<frmAct*>(screen)) {
                ASSERT_TRUE(editor->pRefreshSubscherm(QStringLiteral("act%1").arg(costItem)));
            }
        }
        if (c.option) { // as by the mouse, which takes the focus from the last box first
            auto* option = test::child<QAbstractButton>(screen, c.option);
            option->setFocus(Qt::MouseFocusReason);
            option->click();
        }
        auto* box = test::child<QLineEdit>(screen, c.box);
        ASSERT_TRUE(box && !box->isHidden() && box->isEnabled());
        box->setFocus();
        test::enter(box, QLatin1String(c.typed));
        QCoreApplication::processEvents();
        EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
        const bool ofFacility = QLatin1String(c.table) == u"tblStort";
        Statement read = data.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                          .arg(QLatin1String(c.field), QLatin1String(c.table),
                                               ofFacility ? u"idrStort_ID" : u"idrAct_ID"));
        read.bind(1, ofFacility ? 1 : costItem);
        ASSERT_TRUE(read.next());
        EXPECT_EQ(float(read.real(0).value_or(-1)), float(c.stored));
        EXPECT_EQ(box->text(), QString::fromUtf8(c.shown));
    }
    screen->close();
    test::deletePending();
    EXPECT_FALSE(screen);
}

} // namespace
