// The facility list, the new facility dialog and the notice of the opened facility, alone and as the main
// window opens them, and the windows' state as facilities are opened and deleted. The list's rows, the new
// row's values and which names are taken are the core's (tests/core/facility); captions and starting states
// are in the screens' dumps. Linking a data file is the configuration window's test, reloading the open
// facility the general data screen's.
#include "app/frmMDI_main.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "facility/frmOpenInrConfirm.h"
#include "storage/database.h"
#include "support/guiprogramfolder.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace dovra;
using test::child;
using test::deletePending;

namespace {

QList<frmOpenInrConfirm*> notices()
{
    QList<frmOpenInrConfirm*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* notice = qobject_cast<frmOpenInrConfirm*>(widget); notice && notice->isVisible())
            found.append(notice);
    return found;
}

// The facilities of tests/data/facilities.sql and tests/data/facilityscreens.sql.
class FacilityScreensTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDataFile(test::readScript(QStringLiteral("facilities.sql")) +
                                        test::readScript(QStringLiteral("facilityscreens.sql"))));
        window->setCommand(QStringLiteral("Algemeen"), [this] {
            ran.append(QStringLiteral("Algemeen"));
            messagesBeforeGeneralData = int(recorder.recorded().size());
        });
    }

    void TearDown() override
    {
        WindowTest::TearDown();
        EXPECT_FALSE(appState().confirmationShowing());
    }

    frmOpenInr* openList()
    {
        window->runCommand(QStringLiteral("open_inrichting"));
        list = window->findChild<frmOpenInr*>();
        return list;
    }

    QTreeWidget* tree() const { return child<QTreeWidget>(list, "lvwInrichtingen"); }
    void click(QWidget* parent, const char* name) { child<QPushButton>(parent, name)->click(); }
    QString currentName() const { return tree()->currentItem() ? tree()->currentItem()->text(0) : QString(); }

    QStringList column(int index) const
    {
        QStringList result;
        for (int row = 0; row < tree()->topLevelItemCount(); ++row)
            result.append(tree()->topLevelItem(row)->text(index));
        return result;
    }

    QTreeWidgetItem* item(const QString& name) const
    {
        return tree()->findItems(name, Qt::MatchExactly).value(0);
    }

    int facilityCount()
    {
        Statement query =
            appState().workspace().dataDatabase()->prepare(QStringLiteral("SELECT count(*) FROM tblStort"));
        return query.next() ? int(query.integer(0).value_or(-1)) : -1;
    }

    // The open facility's id, name and checklist year, whether its commands are on, what
    // facilityOpenStateChanged said since the last call and the remembered facility:
    // "1 stortplaats Zuid 2013 on [true] 1".
    QString state()
    {
        const OpenFacilityState& open = appState().facility();
        QStringList signalled;
        for (const QList<QVariant>& arguments : std::as_const(openState))
            signalled << arguments.value(0).toString();
        openState.clear();
        return QStringLiteral("%1 %2 %3 %4 [%5] %6")
            .arg(open.id)
            .arg(open.name, open.checklistYear,
                 appState().facilityCommandsEnabled() ? QStringLiteral("on") : QStringLiteral("off"),
                 signalled.join(u' '))
            .arg(appState().settings().currentFacilityId().value_or(0));
    }

    QPointer<frmMDI_main> window = new frmMDI_main;
    QPointer<frmOpenInr> list;
    QStringList ran;
    int messagesBeforeGeneralData = -1;
    QSignalSpy openState{&appState(), &AppState::facilityOpenStateChanged};
};

TEST_F(FacilityScreensTest, ListSelectsTheLastOpenedFacility)
{
    const std::pair<std::optional<int>, const char*> cases[] = {{std::nullopt, "Afgedankte versie"},
                                                                {1, "stortplaats Zuid"},
                                                                {6, "Depot Échelle"},
                                                                {0, "Afgedankte versie"},
                                                                {3, "Afgedankte versie"}}; // 3 is not listed
    for (const auto& [setting, expected] : cases) {
        if (setting)
            appState().settings().setCurrentFacilityId(*setting);
        ASSERT_TRUE(openList());
        EXPECT_EQ(currentName(), QString::fromUtf8(expected));
        EXPECT_EQ(tree()->selectedItems().size(), 1);
        click(list, "cmdAnnuleren");
        deletePending();
        EXPECT_FALSE(list);
    }
    EXPECT_EQ(appState().facility().id, 0);
    openList(); // a column as wide as its texts need
    EXPECT_GT(tree()->columnWidth(2), tree()->fontMetrics().horizontalAdvance(QStringLiteral("baggerdepot")));
}

// A header click sorts case-blind by its column, ascending first, a second click descending; the selected
// facility stays selected, and a refill keeps the order.
TEST_F(FacilityScreensTest, HeaderClicksSortAndToggleTheDirection)
{
    appState().settings().setCurrentFacilityId(1);
    openList();
    const auto clickHeader = [this](int section) {
        QHeaderView* header = tree()->header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    };
    const std::pair<int, QStringList> clicks[] = {
        {1, {"", "", "a-7", "Q-5", "ZH-01"}},
        {3, {"??", "Gelderland", "Utrecht", "Zeeland", "Zuid-Holland"}},
        {0,
         {"Afgedankte versie", "Baggerdepot 't Slik", "Depot Échelle", "stortplaats Zuid", "Zonder soort"}},
        {0,
         {"Zonder soort", "stortplaats Zuid", "Depot Échelle", "Baggerdepot 't Slik", "Afgedankte versie"}}};
    for (const auto& [section, order] : clicks) {
        clickHeader(section);
        EXPECT_EQ(column(section), order) << section;
    }
    EXPECT_EQ(currentName(), u"stortplaats Zuid");
    list->pFillList();
    EXPECT_EQ(column(0).first(), u"Zonder soort");
    EXPECT_EQ(currentName(), u"stortplaats Zuid");
}

// OK or a double click opens the selected facility and shows the notice, which replaces one still showing;
// a facility deleted meanwhile is not opened.
TEST_F(FacilityScreensTest, OkOpensTheSelectedFacility)
{
    openList();
    tree()->setCurrentItem(item(QStringLiteral("Baggerdepot 't Slik")));
    click(list, "cmdOK");
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    ASSERT_EQ(notices().size(), 1);
    frmOpenInrConfirm* notice = notices()[0];
    EXPECT_EQ(notice->bericht(), u"Geopend: Baggerdepot 't Slik"); // the label is in the notice's dump
    EXPECT_TRUE(notice->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(notice->pos(), notice->screen()->geometry().topLeft() + QPoint(33, 33));

    openList();
    const QRect rect = tree()->visualItemRect(item(QStringLiteral("Depot Échelle")));
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 6);
    ASSERT_EQ(notices().size(), 1);
    EXPECT_EQ(notices()[0]->bericht(), u"Geopend: Depot Échelle");
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1); // the notice

    openList();
    tree()->setCurrentItem(item(QStringLiteral("Zonder soort")));
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID = 5")));
    click(list, "cmdOK");
    deletePending();
    ASSERT_TRUE(list);
    EXPECT_EQ(appState().facility().id, 6);
    EXPECT_EQ(tree()->topLevelItemCount(), 4);
    notices()[0]->timerAction();
}

// Delete asks (the question is the core's; No keeps the facility) and refills the list.
TEST_F(FacilityScreensTest, DeleteAsksAndRefillsTheList)
{
    openList();
    tree()->setCurrentItem(item(QStringLiteral("stortplaats Zuid")));
    click(list, "cmdVerwijderen");
    EXPECT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(facilityCount(), 6);
    recorder.answerNext(MessageAnswer::Yes);
    click(list, "cmdVerwijderen");
    EXPECT_EQ(facilityCount(), 5);
    EXPECT_EQ(column(0),
              QStringList({"Afgedankte versie", "Baggerdepot 't Slik", "Depot Échelle", "Zonder soort"}));
    EXPECT_EQ(currentName(), u"Afgedankte versie");
}

// Without facilities (none in the file, or none readable: reported) nothing can be opened or deleted.
TEST_F(FacilityScreensTest, WithoutFacilitiesNothingCanBeOpenedOrDeleted)
{
    appState().workspace().setChecklistFile(folder.filePath(QStringLiteral("weg.mdb")));
    openList();
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Fout 0\nBron: frmOpenInr.pFillList")});
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(child(list, "cmdVerwijderen")->isEnabled());
    click(list, "cmdOK");
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_TRUE(notices().isEmpty());
}

// OK needs a name and a type; it creates the facility, opens it, hands over to the general data and then
// tells so. A taken name keeps the dialog open. The list's New hands over to the dialog.
TEST_F(FacilityScreensTest, NewFacilityIsCreatedOpenedAndHandedOver)
{
    openList();
    click(list, "cmdNieuw");
    deletePending();
    EXPECT_FALSE(list);
    QPointer<frmInrNieuwDialog> dialog = window->findChild<frmInrNieuwDialog*>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    auto* name = child<QLineEdit>(dialog, "txtNaam");
    QWidget* ok = child(dialog, "cmdOK");
    child<QRadioButton>(dialog, "optBaggerdepot")->setChecked(true);
    EXPECT_FALSE(ok->isEnabled());
    QTest::keyClicks(name, QStringLiteral("D"));
    EXPECT_TRUE(ok->isEnabled());
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_FALSE(ok->isEnabled());

    name->setText(QStringLiteral("STORTPLAATS ZUID"));
    click(dialog, "cmdOK");
    EXPECT_EQ(recorder.titles(), QStringList({"Aanmaken nieuwe inrichting"}));
    EXPECT_EQ(facilityCount(), 6);
    deletePending();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ran.isEmpty());

    recorder.clear();
    name->setText(QStringLiteral("Nieuwe stort"));
    click(dialog, "cmdOK");
    EXPECT_EQ(facilityCount(), 7);
    EXPECT_EQ(appState().settings().currentFacilityId(), appState().facility().id);
    // Opened (the status bar), then the general data before any message.
    EXPECT_EQ(window->statusPanel(1)->text() + u' ' + ran.join(u',') + u' ' +
                  QString::number(messagesBeforeGeneralData),
              u"Geopend: Nieuwe stort (checklistversie 2013) Algemeen 0");
    EXPECT_EQ(
        recorder.texts(),
        QStringList{u"De nieuwe inrichting is aangemaakt. Vul in dit scherm de algemene gegevens in.\n"_qs});
    ASSERT_EQ(notices().size(), 1);
    EXPECT_EQ(notices()[0]->bericht(), u"Geopend: Nieuwe stort");
    deletePending();
    EXPECT_FALSE(dialog);
    notices()[0]->timerAction();
}

// The notice leaves after three seconds (a second one replaces it: above). That the main window lets one
// command through while it shows is the main window's test.
TEST_F(FacilityScreensTest, NoticeLeavesAfterThreeSeconds)
{
    QPointer<frmOpenInrConfirm> notice = showOpenedNotice(QStringLiteral("stortplaats Zuid"), nullptr);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(appState().confirmationShowing());
    QSignalSpy gone(notice.data(), &QObject::destroyed);
    EXPECT_FALSE(gone.wait(frmOpenInrConfirm::DisplayMs - 300));
    EXPECT_TRUE(gone.wait(1000));
    EXPECT_FALSE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 0);
}

// Opening makes a facility the open one; deleting one while facility 1 is open closes it only when it is the
// open one and gone. Which deletions the file refuses is the facility record's.
TEST_F(FacilityScreensTest, OpeningAndDeletingChangeTheOpenFacility)
{
    // A version the installed checklist file lacks: opened, but its commands stay off. A facility that is
    // gone leaves the open one as it was.
    const std::tuple<int, const char*, const char*> opened[] = {
        {1, "1 stortplaats Zuid 2013 on [true] 1", ""},
        {4, "4 Afgedankte versie  off [false] 4", "Verificatie beschikbaarheid checklist"},
        {99, "4 Afgedankte versie  off [] 4", "Verificatie beschikbaarheid checklist"}};
    for (const auto& [facility, after, title] : opened) {
        EXPECT_EQ(appState().openFacility(facility), facility != 99);
        EXPECT_EQ(state(), QLatin1String(after));
        EXPECT_EQ(recorder.titles().join(u'|'), QLatin1String(title));
    }

    const std::tuple<int, MessageAnswer, const char*> deleted[] = {
        {1, MessageAnswer::No, "1 stortplaats Zuid 2013 on [] 1"},
        {2, MessageAnswer::Yes, "1 stortplaats Zuid 2013 on [] 1"},
        {1, MessageAnswer::Yes, "0   off [false] 1"}};
    for (const auto& [facility, answer, after] : deleted) {
        ASSERT_TRUE(appState().openFacility(1));
        state();
        recorder.answerNext(answer);
        EXPECT_EQ(appState().deleteFacility(facility, QStringLiteral("naam")), answer == MessageAnswer::Yes);
        EXPECT_EQ(state(), QLatin1String(after));
    }
}

} // namespace
