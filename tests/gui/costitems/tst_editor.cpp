// The cost item editor, its checklist picker and its item dialog driven through their controls. The rules of
// the tree and the panel are the core's (tests/core/costitems/tst_costitems); this file checks that the
// screens carry them out and store what the user does.
#include "app/frmMDI_main.h"
#include "costitems/checklisttreewidget.h"
#include "costitems/frmAct.h"
#include "costitems/frmAct_AddCLitem.h"
#include "costitems/frmAct_AddCustomItem.h"
#include "costitems/provisiontreewidget.h"
#include "costitems/treeimages.h"
#include "storage/database.h"
#include "support/guiprogramfolder.h"
#include "widgets/screenfit.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

using namespace dovra;
using test::child;
using test::enter;

namespace {

// Facility 1 of tests/data/editor_*.sql in the editor, opened from the main window.
class EditorTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        folder.useChecklist(test::readScript(QStringLiteral("editor_checklist.sql")));
        ASSERT_TRUE(folder.linkDataFile(test::readScript(QStringLiteral("editor_data.sql"))));
        main = new frmMDI_main;
        ASSERT_TRUE(appState().openFacility(1));
        main->runMenuCommand(QStringLiteral("Act_en_KostPost"));
        editor = main->findChild<frmAct*>(QStringLiteral("frmAct"));
        ASSERT_TRUE(editor);
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    }

    template <typename T = QLineEdit> T* control(const char* name) const { return child<T>(editor, name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }
    void select(const char* key) { ASSERT_TRUE(editor->pRefreshSubscherm(QString::fromUtf8(key))); }
    QString stored(const char* fields, long id)
    {
        return test::queryRows(
                   *appState().workspace().dataDatabase(),
                   QStringLiteral("SELECT %1 FROM tblAct WHERE idrAct_ID = ?").arg(QString::fromUtf8(fields)),
                   {qint64(id)})
            .value(0);
    }
    long selectedId() const { return ProvisionTree::idOf(editor->tree().selected()->key); }
    QString captionColour(const char* frame)
    {
        return control<QGroupBox>(frame)->styleSheet().section(u' ', -2, -2);
    }
    void drop(const QString& key)
    {
        QMimeData data;
        data.setData(ChecklistNodeMimeType, key.toUtf8());
        editor->dropChecklistNode(data);
    }

    QPointer<frmMDI_main> main;
    QPointer<frmAct> editor;
};

TEST_F(EditorTest, OpensOnTheFirstNodeAndShowsACostItemWhenChosen)
{
    EXPECT_TRUE(appState().editorOpen());
    EXPECT_EQ(control<ProvisionTreeWidget>("tvwAct")->topLevelItemCount(), 7);

    // Choosing a node in the tree selects it.
    auto* tree = control<ProvisionTreeWidget>("tvwAct");
    tree->setCurrentItem(tree->topLevelItem(1)->child(0)->child(1));
    EXPECT_EQ(editor->tree().selected()->key, QStringLiteral("act10"));
    EXPECT_EQ(control<QLabel>("lblPostVet")->text() + u'|' + control<QLabel>("lblRubriek")->text(),
              QStringLiteral("Maaien|Rubriek: Onderhoud"));
    EXPECT_EQ(control<QLabel>("imgTALVO")->toolTip(),
              QStringLiteral("Dit is een post uit de TALVO-Checklist."));
    EXPECT_TRUE(
        control<QTextBrowser>("txtInfoChecklist")->toPlainText().startsWith(u"Checklistitem-ID:\n201"));
    EXPECT_EQ(control("txtKostenTotaal")->text(), QStringLiteral("150,00"));
    EXPECT_FALSE(control<QTextEdit>("txtZin")->toPlainText().isEmpty());

    // A further phase is titled with its phase; an incomplete one shows the stop sign and a red caption.
    select("act15");
    EXPECT_EQ(control<QLabel>("lblPostVet")->text(), QStringLiteral("Bemonsteren {3e fase}"));
    EXPECT_TRUE(control<QLabel>("imgFoutAnSich")->isVisible());
    EXPECT_EQ(captionColour("Frame1"), QStringLiteral("#ff0000;"));
    EXPECT_EQ(tree->currentItem()->foreground(0).color(), QColor(Qt::red));
}

TEST_F(EditorTest, OptionsStoreTheirConsequences)
{
    // A one-off expense switches the end counted from the construction off, and the panel follows (which
    // inputs each option shows is the panel's rule, tst_costitems).
    select("act12");
    click("chkStartBA");
    click("chkEindBA");
    click("optFreq1");
    EXPECT_EQ(stored("bytOptieFreq, bytStartBA, bytEindBA, bytOptieEind", 12), QStringLiteral("1|1|0|3"));
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), QStringLiteral("Jaar eenmalige uitgave"));

    // The top liner surcharge is costed per m2.
    ASSERT_TRUE(editor->pRefreshSubscherm(QStringLiteral("inr3")));
    const QString key = editor->tree().addCustomItem(QStringLiteral("Hekwerk vervangen"), 5);
    select(key.toUtf8().constData());
    click("optKosten1");
    click("optVervangingsToeslag1");
    EXPECT_EQ(stored("bytTypeVervangingsToeslag, bytOptieKosten, strEenheid", selectedId()),
              QStringLiteral("1|3|m2"));
    click("optVervangingsToeslag2");
    EXPECT_EQ(control("txtVervangingsToeslagPerc")->text(), QStringLiteral("6,25"));

    // A refused value is not stored and keeps the focus.
    QLineEdit* amount = control("txtAantal");
    amount->setFocus();
    enter(amount, QString());
    QApplication::processEvents();
    ASSERT_FALSE(recorder.texts().isEmpty());
    EXPECT_TRUE(recorder.texts().last().contains(u"\t---> aantal eenheden\r\n"));
    EXPECT_EQ(recorder.titles().last(), QStringLiteral("Geen of ongeldige invoer"));
    EXPECT_EQ(QApplication::focusWidget(), amount);
    EXPECT_EQ(stored("sngAantal", selectedId()), QStringLiteral("-"));
    enter(amount, QStringLiteral("0,12"));
    EXPECT_EQ(amount->text(), QStringLiteral("0,12"));
}

TEST_F(EditorTest, ChecklistItemsAreMarkedAgainstTheirCriteria)
{
    // Outside the item's amounts: orange, no stop sign, conformity 2.
    select("act10");
    enter(control("txtKostenTotaal"), QStringLiteral("500"));
    EXPECT_EQ(captionColour("Frame5"), QStringLiteral("#ff8000;"));
    EXPECT_FALSE(control<QLabel>("imgFoutAnSich")->isVisible());
    EXPECT_EQ(stored("sngKostenTotaal, bytIsTALVO", 10), QStringLiteral("500|2"));
    EXPECT_TRUE(control<QLabel>("imgTALVO")->toolTip().startsWith(u"Dit is een TALVO-checklistpost, maar"));

    // An item that leaves large or small work open offers only those two.
    drop(QStringLiteral("act203"));
    EXPECT_EQ(control<QLabel>("lblPostVet")->text(), QStringLiteral("Vervangen pomp"));
    EXPECT_FALSE(control<QRadioButton>("optVervangingsToeslag1")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>("optVervangingsToeslag2")->isEnabled() &&
                control<QRadioButton>("optVervangingsToeslag3")->isEnabled());
}

TEST_F(EditorTest, PickerDropsAndTheItemsItMarks)
{
    frmAct_AddCLitem* picker = editor->openPicker();
    auto* items = child<ChecklistTreeWidget>(picker, "tvw1");
    const auto colour = [items](const char* key) {
        return items->itemOfKey(QString::fromUtf8(key))->foreground(0).color().name();
    };
    EXPECT_EQ(colour("act201") + colour("act205"), QStringLiteral("#c0c0c0#800080"));

    // Not an item: nothing is added.
    drop(QStringLiteral("inr204"));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Selecteer een kostenpost")});
    EXPECT_EQ(editor->tree().find(QStringLiteral("inr204")), nullptr);

    // Dragged from the picker onto the tree: its provision is made under its category; the item greys out
    // at once and comes back when deleted.
    const QModelIndexList dragged = items->model()->match(items->model()->index(0, 0), Qt::UserRole,
                                                          QStringLiteral("act205"), 1, Qt::MatchRecursive);
    const std::unique_ptr<QMimeData> data(items->model()->mimeData(dragged));
    QWidget* target = control<ProvisionTreeWidget>("tvwAct")->viewport();
    QDragEnterEvent entered(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &entered);
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    EXPECT_EQ(dropped.dropAction(), Qt::CopyAction); // a move would take it out of the picker
    const ProvisionTree::Node* added = editor->tree().selected();
    EXPECT_EQ(added->parent->text + u'/' + added->parent->parent->key,
              QStringLiteral("Peilbuizen noord/objcat3"));
    EXPECT_EQ(colour("act205"), QStringLiteral("#c0c0c0"));
    EXPECT_EQ(items->currentItem(), items->itemOfKey(QStringLiteral("act205")));
    recorder.answerNext(MessageAnswer::Yes);
    QTest::keyClick(control<ProvisionTreeWidget>("tvwAct"), Qt::Key_Delete);
    EXPECT_EQ(colour("act205"), QStringLiteral("#800080"));

    // Enter on an available item adds it as a drop does; the filter narrows the tree.
    enter(child<QLineEdit>(picker, "txtFilter"), QStringLiteral("toplaag"));
    items->setCurrentItem(items->itemOfKey(QStringLiteral("act202")));
    QTest::keyClick(items, Qt::Key_Return);
    EXPECT_EQ(editor->tree().selected()->text, QStringLiteral("Vervangen toplaag"));
    EXPECT_EQ(items->topLevelItemCount(), 1);
}

// On a small screen (the test platform's is 800 x 600) the editor and the picker beside it open inside it,
// and the editor never needs more height than it has.
TEST_F(EditorTest, WindowsOpenInsideTheScreen)
{
    const QRect screen = editor->screen()->availableGeometry();
    ASSERT_LT(screen.width(), editor->width());
    ScreenFit fit;
    qApp->installEventFilter(&fit);
    editor->hide();
    editor->show();
    frmAct_AddCLitem* picker = editor->openPicker();
    EXPECT_TRUE(screen.contains(editor->frameGeometry())) << editor->frameGeometry().width();
    EXPECT_TRUE(screen.contains(picker->frameGeometry())) << picker->frameGeometry().x();
    // Tall content scrolls, so no item can make the editor taller than the screen.
    EXPECT_LE(editor->minimumSizeHint().height(), screen.height());
    // A window that fits is only moved, also on a screen not at (0, 0).
    EXPECT_EQ(fittedInto({1440 - 30, -10, 300, 200}, {1440, 0, 800, 600}), QRect(1440, 0, 300, 200));
}

TEST_F(EditorTest, ItemDialogChecksTheNameThenRenamesAllPhases)
{
    select("inr2");
    frmAct_AddCustomItem add(editor->tree(), frmAct_AddCustomItem::Add, QString());
    for (const char* name : {"", "A{1}", "BEMONSTEREN"}) {
        child<QLineEdit>(&add, "txtNaam")->setText(QString::fromUtf8(name));
        add.accept();
    }
    EXPECT_EQ(recorder.titles(),
              QStringList({"Ontbrekende gegevens", "Ongeldige naam", "Naam kostenpost instellen"}));
    EXPECT_EQ(add.result(), QDialog::Rejected);

    select("act11");
    frmAct_AddCustomItem rename(editor->tree(), frmAct_AddCustomItem::Rename, QString(),
                                QStringLiteral("Bemonsteren {1e fase}"), 2);
    EXPECT_EQ(child<QLineEdit>(&rename, "txtNaam")->text(), QStringLiteral("Bemonsteren"));
    child<QLineEdit>(&rename, "txtNaam")->setText(QStringLiteral("Klepelen"));
    rename.accept();
    EXPECT_EQ(rename.result(), QDialog::Accepted);
    EXPECT_EQ(editor->tree().find(QStringLiteral("act11"))->text, QStringLiteral("Klepelen {1e fase}"));
    EXPECT_EQ(stored("strAct", 15), QStringLiteral("Klepelen"));
}

TEST_F(EditorTest, PopupMenuFollowsTheSelectionAndClosingSaves)
{
    select("inr2");
    QTest::keyClick(control<ProvisionTreeWidget>("tvwAct"), Qt::Key_Return);
    QMenu* popup = main->popupAct();
    QStringList shown;
    for (QAction* action : popup->actions()) {
        if (!action->isSeparator())
            shown.append((action->isEnabled() ? "+" : "-") + action->text());
    }
    popup->close();
    EXPECT_EQ(shown, QStringList({"+Voeg TALVO-checklistpost toe", "-Voorziening toevoegen",
                                  "+Kostenpost toevoegen aan ' Peilbuizen '", "-Fase toevoegen",
                                  "+naam/rubriek wijzigen", "+verwijder ..."}));

    // F2 where renaming is not allowed.
    select("act13");
    QTest::keyClick(control<ProvisionTreeWidget>("tvwAct"), Qt::Key_F2);
    EXPECT_EQ(recorder.texts().last(), QStringLiteral("U kunt deze naam niet wijzigen."));

    // What is typed in the box that has the focus is stored on closing.
    select("act16");
    QLineEdit* total = control("txtKostenTotaal");
    total->setFocus();
    total->setText(QStringLiteral("75"));
    editor->close();
    EXPECT_EQ(stored("sngKostenTotaal", 16), QStringLiteral("75"));
    test::deletePending();
    EXPECT_FALSE(appState().editorOpen());
}

} // namespace
