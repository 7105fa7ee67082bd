// The facility list, the new facility dialog and the notice of the opened facility, alone and
// as the main window opens them.
#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "app/screenregistration.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "facility/frmOpenInrConfirm.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dovra;
using test::deletePending;

namespace {

template <typename T> T* child(QWidget* parent, const char* name)
{
    auto* found = parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
    if (!found)
        ADD_FAILURE() << "no widget " << name;
    return found;
}

// The notices now on screen.
QList<frmOpenInrConfirm*> notices()
{
    QList<frmOpenInrConfirm*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* notice = qobject_cast<frmOpenInrConfirm*>(widget); notice && notice->isVisible())
            found.append(notice);
    return found;
}

class FacilityScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(ScreenRegistration::loadedScreens(), 0);
        // Id 6: an accented name, and a lower-case RIVM number for the case-blind sort. Every facility
        // gets an aftercare start, so that opening one asks nothing.
        linkData(QStringLiteral("dbTALVOdata_scherm.mdb"),
                 {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("facilities.sql"),
                  QStringLiteral("INSERT INTO tblStort (idrStort_ID, strStortNaam, strRIVMnr, bytProv_REF, "
                                 "intStortType, intCL_REF) VALUES (6, 'Depot Échelle', 'a-7', 100, 2, 4);"
                                 "UPDATE tblStort SET dtmAanvangNazorg = '2031-01-01';")});
    }

    void TearDown() override
    {
        for (frmOpenInrConfirm* notice : notices())
            notice->close();
        deletePending();
        delete window;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(widget))
                widget->close();
        deletePending();
        // Screens left open would count as loaded in the next test.
        EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
        EXPECT_FALSE(appState().confirmationShowing());
    }

    void linkData(const QString& name, const QStringList& scripts)
    {
        const QString path = folder.createDatabase(name, scripts);
        ASSERT_TRUE(appState().linkDataFile(path, false, true));
    }

    void createWindow()
    {
        window = new frmMDI_main;
        window->setCommand(QStringLiteral("Algemeen"), [this] {
            ran.append(QStringLiteral("Algemeen"));
            messagesBeforeGeneralData = int(recorder.recorded().size());
        });
    }

    QAction* action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }

    frmOpenInr* openList()
    {
        list = openFacilityList(window, [this] { ran.append(QStringLiteral("hook")); });
        return list;
    }

    QTreeWidget* tree() const { return child<QTreeWidget>(list, "lvwInrichtingen"); }

    QStringList column(int index) const
    {
        QStringList result;
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            result.append(tree()->topLevelItem(row)->text(index));
        return result;
    }

    QString currentName() const { return tree()->currentItem() ? tree()->currentItem()->text(0) : QString(); }

    void select(const QString& name)
    {
        const QList<QTreeWidgetItem*> found = tree()->findItems(name, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        tree()->setCurrentItem(found[0]);
    }

    void clickHeader(int section)
    {
        QHeaderView* header = tree()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    }

    void click(QWidget* parent, const char* name)
    {
        if (auto* button = child<QPushButton>(parent, name))
            button->click();
    }

    int facilityCount()
    {
        Statement query =
            appState().workspace().dataDatabase()->prepare(QStringLiteral("SELECT count(*) FROM tblStort"));
        return query.next() ? int(query.integer(0).value_or(-1)) : -1;
    }

    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QPointer<frmMDI_main> window;
    QPointer<frmOpenInr> list;
    QStringList ran;
    int messagesBeforeGeneralData = -1;
};

// The rows and their order are the core's facility list (tests/core/facility/tst_facilitymanagement).
TEST_F(FacilityScreensTest, ListSizesItsColumnsAndCancelOpensNothing)
{
    openList();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
    // At least the widths of old, wider where the texts need it.
    const QList<int> minimum{200, 67, 80, 133, 67};
    for (int column = 0; column < minimum.size(); ++column)
        EXPECT_GE(tree()->columnWidth(column), minimum[column]) << column;
    EXPECT_GT(tree()->columnWidth(2), tree()->fontMetrics().horizontalAdvance(QStringLiteral("baggerdepot")));

    click(list, "cmdAnnuleren");
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_TRUE(notices().isEmpty());
}

TEST_F(FacilityScreensTest, ListSelectsTheLastOpenedFacility)
{
    const QList<std::pair<std::optional<int>, QString>> cases = {
        {std::nullopt, QStringLiteral("Afgedankte versie")},
        {1, QStringLiteral("stortplaats Zuid")},
        {6, QStringLiteral("Depot Échelle")},
        {0, QStringLiteral("Afgedankte versie")},
        // Not listed: its province is unknown.
        {3, QStringLiteral("Afgedankte versie")},
    };
    for (const auto& [setting, expected] : cases) {
        SCOPED_TRACE(setting.value_or(-1));
        if (setting)
            appState().settings().setCurrentFacilityId(*setting);
        openList();
        EXPECT_EQ(currentName(), expected);
        ASSERT_EQ(tree()->selectedItems().size(), 1);
        EXPECT_EQ(tree()->selectedItems()[0]->text(0), expected);
        list->close();
        deletePending();
    }
}

TEST_F(FacilityScreensTest, HeaderClicksSortAndToggleTheDirection)
{
    appState().settings().setCurrentFacilityId(1);
    openList();

    // Case-blind, like the name order: "a-7" before "Q-5".
    clickHeader(1);
    EXPECT_EQ(column(1), QStringList({"", "", "a-7", "Q-5", "ZH-01"}));
    clickHeader(1);
    EXPECT_EQ(column(1), QStringList({"ZH-01", "Q-5", "a-7", "", ""}));
    clickHeader(1);
    EXPECT_EQ(column(1), QStringList({"", "", "a-7", "Q-5", "ZH-01"}));

    // Another column starts ascending.
    clickHeader(3);
    EXPECT_EQ(column(3), QStringList({"??", "Gelderland", "Utrecht", "Zeeland", "Zuid-Holland"}));
    clickHeader(0);
    EXPECT_EQ(column(0), QStringList({"Afgedankte versie", "Baggerdepot 't Slik", "Depot Échelle",
                                      "stortplaats Zuid", "Zonder soort"}));
    clickHeader(0);
    EXPECT_EQ(column(0), QStringList({"Zonder soort", "stortplaats Zuid", "Depot Échelle",
                                      "Baggerdepot 't Slik", "Afgedankte versie"}));
    // Sorting keeps the selected facility.
    EXPECT_EQ(currentName(), u"stortplaats Zuid");

    // A refill keeps the chosen order.
    list->pFillList();
    EXPECT_EQ(column(0).first(), u"Zonder soort");
    EXPECT_EQ(currentName(), u"stortplaats Zuid");
}

TEST_F(FacilityScreensTest, OkOpensTheSelectedFacility)
{
    openList();
    select(QStringLiteral("Baggerdepot 't Slik"));
    click(list, "cmdOK");
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);

    EXPECT_EQ(appState().facility().id, 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    ASSERT_EQ(notices().size(), 1);
    frmOpenInrConfirm* notice = notices()[0];
    EXPECT_EQ(child<QLabel>(notice, "lblBericht")->text(), u"Geopend: Baggerdepot 't Slik");
    EXPECT_TRUE(notice->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(notice->pos(), notice->screen()->geometry().topLeft() + QPoint(33, 33));
    EXPECT_TRUE(appState().confirmationShowing());

    // A double click opens too; its notice replaces the one still showing.
    openList();
    EXPECT_EQ(currentName(), u"Baggerdepot 't Slik");
    QTreeWidgetItem* item = tree()->findItems(QStringLiteral("Depot Échelle"), Qt::MatchExactly, 0).value(0);
    ASSERT_NE(item, nullptr);
    const QRect rect = tree()->visualItemRect(item);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 6);
    ASSERT_EQ(notices().size(), 1);
    EXPECT_EQ(notices()[0]->bericht(), u"Geopend: Depot Échelle");
    EXPECT_TRUE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
}

TEST_F(FacilityScreensTest, FacilityDeletedMeanwhileIsNotOpened)
{
    openList();
    select(QStringLiteral("Zonder soort"));
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID = 5")));
    click(list, "cmdOK");
    deletePending();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_TRUE(notices().isEmpty());
    EXPECT_FALSE(column(0).contains(QStringLiteral("Zonder soort")));
    EXPECT_EQ(tree()->topLevelItemCount(), 4);
}

TEST_F(FacilityScreensTest, EmptyFileOffersNothingToOpenOrDelete)
{
    linkData(QStringLiteral("dbTALVOdata_leeg.mdb"), {QStringLiteral("data/datafile_schema.sql")});
    openList();
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(child<QPushButton>(list, "cmdVerwijderen")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(list, "cmdNieuw")->isEnabled());

    click(list, "cmdOK");
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_EQ(appState().settings().currentFacilityId(), std::nullopt);
    EXPECT_TRUE(notices().isEmpty());
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(FacilityScreensTest, UnreadableFacilitiesAreReported)
{
    appState().workspace().setChecklistFile(folder.filePath(QStringLiteral("weg.mdb")));
    openList();
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(child<QPushButton>(list, "cmdVerwijderen")->isEnabled());
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, u"Fout bij het lezen van de inrichtingen");
    EXPECT_EQ(recorder.recorded()[0].text, u"Fout 0\nBron: frmOpenInr.pFillList");
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
}

TEST_F(FacilityScreensTest, DeleteAsksAndRefillsTheList)
{
    openList();
    select(QStringLiteral("stortplaats Zuid"));
    // The question is the core's (tests/core/facility/tst_facilitymanagement); No keeps the facility.
    click(list, "cmdVerwijderen");
    EXPECT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(tree()->topLevelItemCount(), 5);
    EXPECT_EQ(currentName(), u"stortplaats Zuid");
    EXPECT_EQ(facilityCount(), 6);

    recorder.answerNext(MessageAnswer::Yes);
    click(list, "cmdVerwijderen");
    EXPECT_EQ(facilityCount(), 5);
    EXPECT_EQ(column(0),
              QStringList({"Afgedankte versie", "Baggerdepot 't Slik", "Depot Échelle", "Zonder soort"}));
    EXPECT_EQ(currentName(), u"Afgedankte versie");
    EXPECT_TRUE(list->isVisible());
}

class NewFacilityTest : public FacilityScreensTest
{
protected:
    void SetUp() override
    {
        FacilityScreensTest::SetUp();
        createWindow();
    }

    frmInrNieuwDialog* openDialog()
    {
        window->runCommand(QStringLiteral("Nieuwe_inrichting"));
        dialog = window->findChild<frmInrNieuwDialog*>();
        if (!dialog)
            ADD_FAILURE() << "no dialog";
        return dialog;
    }

    void enter(const QString& name, const char* type)
    {
        child<QLineEdit>(dialog, "txtNaam")->setText(name);
        if (type)
            child<QRadioButton>(dialog, type)->setChecked(true);
    }

    bool okEnabled() const { return child<QPushButton>(dialog, "cmdOK")->isEnabled(); }

    QPointer<frmInrNieuwDialog> dialog;
};

TEST_F(NewFacilityTest, OkNeedsANameAndAType)
{
    ASSERT_TRUE(openDialog());
    EXPECT_TRUE(dialog->isVisible());
    auto* name = child<QLineEdit>(dialog, "txtNaam");
    EXPECT_FALSE(okEnabled());
    child<QRadioButton>(dialog, "optBaggerdepot")->setChecked(true);
    EXPECT_FALSE(okEnabled());
    QTest::keyClicks(name, QStringLiteral("D"));
    EXPECT_TRUE(okEnabled());
    child<QRadioButton>(dialog, "optStortplaats")->setChecked(true);
    EXPECT_TRUE(okEnabled());
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_FALSE(okEnabled());

    // Cancel writes nothing.
    click(dialog, "cmdAnnuleren");
    deletePending();
    EXPECT_FALSE(dialog);
    EXPECT_EQ(facilityCount(), 6);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(NewFacilityTest, CreatesOpensAndHandsOverToTheGeneralData)
{
    ASSERT_TRUE(openDialog());
    enter(QStringLiteral("Nieuwe stort"), "optStortplaats");
    click(dialog, "cmdOK");

    // The new row's values are the core's (tests/core/facility/tst_facilityrecord).
    Statement row = appState().workspace().dataDatabase()->prepare(
        QStringLiteral("SELECT idrStort_ID FROM tblStort WHERE strStortNaam = 'Nieuwe stort'"));
    ASSERT_TRUE(row.next());
    const int id = int(row.integer(0).value_or(0));
    EXPECT_EQ(appState().facility().id, id);
    EXPECT_EQ(appState().settings().currentFacilityId(), id);
    EXPECT_TRUE(action("Algemeen")->isEnabled());
    EXPECT_EQ(window->statusPanel(1)->text(), u"Geopend: Nieuwe stort (checklistversie 2013)");

    // The general data screen opened through its gate before the message came.
    EXPECT_EQ(ran, QStringList({"Algemeen"}));
    EXPECT_EQ(messagesBeforeGeneralData, 0);
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text,
              u"De nieuwe inrichting is aangemaakt. Vul in dit scherm de algemene gegevens in.\n");
    EXPECT_EQ(recorder.recorded()[0].title, u"Aanmaken nieuwe inrichting");
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Information);

    ASSERT_EQ(notices().size(), 1);
    EXPECT_EQ(notices()[0]->bericht(), u"Geopend: Nieuwe stort");
    deletePending();
    EXPECT_FALSE(dialog);

    // The list then selects the new facility.
    openList();
    EXPECT_EQ(currentName(), u"Nieuwe stort");
}

// Which names are taken, and the message, are the core's (tests/core/facility/tst_facilityrecord).
TEST_F(NewFacilityTest, ATakenNameKeepsTheDialogOpen)
{
    ASSERT_TRUE(openDialog());
    enter(QStringLiteral("STORTPLAATS ZUID"), "optBaggerdepot");
    click(dialog, "cmdOK");
    EXPECT_EQ(recorder.titles(), QStringList({"Aanmaken nieuwe inrichting"}));
    EXPECT_EQ(facilityCount(), 6);
    deletePending();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_TRUE(notices().isEmpty());
    EXPECT_TRUE(ran.isEmpty());

    // A free name then goes through from the same dialog.
    enter(QStringLiteral("Depot Echelle"), "optBaggerdepot");
    click(dialog, "cmdOK");
    EXPECT_EQ(facilityCount(), 7);
    EXPECT_EQ(appState().facility().name, u"Depot Echelle");
}

TEST_F(NewFacilityTest, ListHandsOverToTheNewFacilityDialog)
{
    window->runCommand(QStringLiteral("open_inrichting"));
    list = window->findChild<frmOpenInr*>();
    ASSERT_TRUE(list);
    click(list, "cmdNieuw");
    deletePending();
    EXPECT_FALSE(list);
    dialog = window->findChild<frmInrNieuwDialog*>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);

    enter(QStringLiteral("Via de lijst"), "optBaggerdepot");
    click(dialog, "cmdOK");
    EXPECT_EQ(appState().facility().name, u"Via de lijst");
    EXPECT_EQ(ran, QStringList({"Algemeen"}));
}

// That the main window lets one command through while the notice shows is the main window's test.
TEST_F(FacilityScreensTest, NoticeLeavesAfterThreeSeconds)
{
    QElapsedTimer shown;
    shown.start();
    QPointer<frmOpenInrConfirm> notice = showOpenedNotice(QStringLiteral("stortplaats Zuid"), nullptr);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->timerActive());
    EXPECT_TRUE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    QTest::qWait(2500);
    EXPECT_TRUE(notice);
    EXPECT_TRUE(appState().confirmationShowing());

    QSignalSpy gone(notice.data(), &QObject::destroyed);
    EXPECT_TRUE(gone.wait(2000));
    EXPECT_GE(shown.elapsed(), frmOpenInrConfirm::DisplayMs);
    EXPECT_FALSE(notice);
    EXPECT_FALSE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
}

TEST_F(FacilityScreensTest, ReplacedNoticeKeepsTheFlag)
{
    QPointer<frmOpenInrConfirm> first = showOpenedNotice(QStringLiteral("A"), nullptr);
    QPointer<frmOpenInrConfirm> second = showOpenedNotice(QStringLiteral("B"), nullptr);
    EXPECT_FALSE(first);
    ASSERT_TRUE(second);
    EXPECT_TRUE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);

    second->timerAction();
    EXPECT_FALSE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
    deletePending();
    EXPECT_FALSE(second);
}

} // namespace
