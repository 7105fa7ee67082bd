// The facility list, the new facility dialog and the notice of the opened facility, alone and
// as the main window opens them.
#include "app/appstate.h"
#include "app/frmMDI_main.h"
#include "app/screenregistration.h"
#include "facility/facilitymanagement.h"
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
#include <QGroupBox>
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

    // Each row as its column texts joined by "|".
    QStringList rows() const
    {
        QStringList result;
        QTreeWidget* widget = tree();
        for (int row = 0; row < widget->topLevelItemCount(); ++row) {
            QStringList columns;
            for (int column = 0; column < widget->columnCount(); ++column)
                columns.append(widget->topLevelItem(row)->text(column));
            result.append(columns.join(QLatin1Char('|')));
        }
        return result;
    }

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

TEST_F(FacilityScreensTest, ListShowsTheFacilitiesInNameOrder)
{
    openList();
    EXPECT_EQ(list->objectName(), u"frmOpenInr");
    EXPECT_EQ(list->windowTitle(), u"Open inrichting");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);

    QTreeWidget* widget = tree();
    EXPECT_FALSE(widget->rootIsDecorated());
    QStringList headers;
    QList<int> widths;
    for (int column = 0; column < widget->columnCount(); ++column) {
        headers.append(widget->headerItem()->text(column));
        widths.append(widget->columnWidth(column));
    }
    EXPECT_EQ(headers, QStringList({"Naam", "RIVM-nr", "Inrichting", "Provincie", "Checklist"}));
    // At least the widths of old, wider where the texts need it.
    const QList<int> minimum{200, 67, 80, 133, 67};
    for (int column = 0; column < widths.size(); ++column)
        EXPECT_GE(widths[column], minimum[column]);
    EXPECT_GT(widths[2], widget->fontMetrics().horizontalAdvance(QStringLiteral("baggerdepot")));

    // Name order without regard to case; the facility of an unknown province is left out.
    EXPECT_EQ(rows(), QStringList({"Afgedankte versie||stortplaats|??|?",
                                   "Baggerdepot 't Slik||baggerdepot|Zeeland|2007",
                                   "Depot Échelle|a-7|baggerdepot|Utrecht|2013",
                                   "stortplaats Zuid|ZH-01|stortplaats|Zuid-Holland|2013",
                                   "Zonder soort|Q-5|?|Gelderland|2007"}));
    QList<int> ids;
    for (int row = 0; row < widget->topLevelItemCount(); ++row)
        ids.append(widget->topLevelItem(row)->data(0, Qt::UserRole).toInt());
    EXPECT_EQ(ids, QList<int>({4, 2, 6, 1, 5}));

    const QList<std::pair<const char*, const char*>> buttons = {{"cmdOK", "OK"},
                                                                {"cmdAnnuleren", "&Annuleren"},
                                                                {"cmdNieuw", "&Nieuw..."},
                                                                {"cmdVerwijderen", "&Verwijderen..."},
                                                                {"cmdImporteer", "&Importeer..."}};
    for (const auto& [name, text] : buttons) {
        auto* button = child<QPushButton>(list, name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(text));
        // Importing comes later.
        EXPECT_EQ(button->isEnabled(), qstrcmp(name, "cmdImporteer") != 0) << name;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());

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
    EXPECT_EQ(appState().facility().name, u"Baggerdepot 't Slik");
    EXPECT_EQ(appState().settings().currentFacilityId(), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    ASSERT_EQ(notices().size(), 1);
    frmOpenInrConfirm* notice = notices()[0];
    EXPECT_EQ(notice->objectName(), u"frmOpenInrConfirm");
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
    click(list, "cmdVerwijderen");
    EXPECT_EQ(recorder.texts(),
              QStringList({"Weet u zeker dat u inrichting 'stortplaats Zuid' wilt verwijderen "
                           "uit de database?"}));
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

    // Until the list is empty.
    for (int remaining = 4; remaining > 0; --remaining) {
        recorder.answerNext(MessageAnswer::Yes);
        click(list, "cmdVerwijderen");
    }
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(child<QPushButton>(list, "cmdVerwijderen")->isEnabled());
    // Only the facility of the unknown province is left.
    EXPECT_EQ(facilityCount(), 1);
}

TEST_F(FacilityScreensTest, DeletingTheOpenFacilityDisablesItsCommands)
{
    createWindow();
    ASSERT_TRUE(appState().openFacility(1));
    EXPECT_TRUE(action("Algemeen")->isEnabled());

    window->runCommand(QStringLiteral("open_inrichting"));
    list = window->findChild<frmOpenInr*>();
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(currentName(), u"stortplaats Zuid");

    // The list counts as an open screen.
    window->runCommand(QStringLiteral("Nieuwe_inrichting"));
    EXPECT_EQ(window->findChild<frmInrNieuwDialog*>(), nullptr);
    EXPECT_EQ(recorder.texts(), QStringList({"Sluit eerst alle geopende schermen."}));

    recorder.answerNext(MessageAnswer::Yes);
    click(list, "cmdVerwijderen");
    EXPECT_FALSE(action("Algemeen")->isEnabled());
    EXPECT_FALSE(action("frmAlgemeen")->isEnabled());
    EXPECT_EQ(window->statusPanel(1)->text(), u"<geen inrichting geopend>");
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_EQ(tree()->topLevelItemCount(), 4);
}

TEST_F(FacilityScreensTest, OpeningWithAMissingChecklistKeepsTheCommandsOff)
{
    createWindow();
    window->runCommand(QStringLiteral("open_inrichting"));
    list = window->findChild<frmOpenInr*>();
    ASSERT_TRUE(list);
    select(QStringLiteral("Afgedankte versie"));
    click(list, "cmdOK");
    deletePending();
    EXPECT_FALSE(list);

    EXPECT_EQ(appState().facility().id, 4);
    EXPECT_EQ(recorder.titles(), QStringList({"Verificatie beschikbaarheid checklist"}));
    EXPECT_FALSE(action("Algemeen")->isEnabled());
    ASSERT_EQ(notices().size(), 1);
    EXPECT_EQ(notices()[0]->bericht(), u"Geopend: Afgedankte versie");

    // With a checklist that is installed the commands come on.
    window->runCommand(QStringLiteral("open_inrichting"));
    list = window->findChild<frmOpenInr*>();
    ASSERT_TRUE(list);
    select(QStringLiteral("stortplaats Zuid"));
    click(list, "cmdOK");
    EXPECT_EQ(appState().facility().id, 1);
    EXPECT_TRUE(action("Algemeen")->isEnabled());
    EXPECT_EQ(recorder.recorded().size(), 1);
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
    EXPECT_EQ(dialog->objectName(), u"frmInrNieuwDialog");
    EXPECT_EQ(dialog->windowTitle(), u"Aanmaken nieuwe inrichting");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(child<QLabel>(dialog, "lblNaam")->text(), u"Voer de naam van de  inrichting in:");
    EXPECT_EQ(child<QLabel>(dialog, "lblLetOp")->text(), u"Let op: U kunt dit later niet meer wijzigen.");
    EXPECT_EQ(child<QGroupBox>(dialog, "fraSoort")->title(), u"Voer de soort inrichting in.");
    EXPECT_EQ(child<QRadioButton>(dialog, "optStortplaats")->text(), u"Stortplaats");
    EXPECT_EQ(child<QRadioButton>(dialog, "optBaggerdepot")->text(), u"Baggerdepot");
    EXPECT_EQ(child<QPushButton>(dialog, "cmdOK")->text(), u"OK");
    EXPECT_EQ(child<QPushButton>(dialog, "cmdAnnuleren")->text(), u"&Annuleren");

    // The name field of the file holds 50 characters.
    auto* name = child<QLineEdit>(dialog, "txtNaam");
    QTest::keyClicks(name, QString(60, QLatin1Char('x')));
    EXPECT_EQ(name->text().size(), 50);

    EXPECT_FALSE(child<QRadioButton>(dialog, "optStortplaats")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(dialog, "optBaggerdepot")->isChecked());
    EXPECT_FALSE(okEnabled());
    name->clear();
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

    Statement row = appState().workspace().dataDatabase()->prepare(QStringLiteral(
        "SELECT idrStort_ID, intStortType, bytProv_REF, sngRentePerc, sngInflPerc, bytBedrijfsGebonden, "
        "bytObjectGebonden, dtmAanvangNazorg, intCL_REF FROM tblStort WHERE strStortNaam = 'Nieuwe stort'"));
    ASSERT_TRUE(row.next());
    const int id = int(row.integer(0).value_or(0));
    EXPECT_GT(id, 6);
    EXPECT_EQ(row.integer(1), 1);
    EXPECT_EQ(row.integer(2), 0);
    EXPECT_FLOAT_EQ(float(row.real(3).value_or(0)), 5.06f);
    EXPECT_FLOAT_EQ(float(row.real(4).value_or(0)), 2.0f);
    EXPECT_EQ(row.integer(5), 1);
    EXPECT_EQ(row.integer(6), 1);
    EXPECT_EQ(row.date(7), QDate(2030, 1, 1));
    EXPECT_EQ(row.integer(8), NewestChecklistVersion(appState().workspace(), 1));
    EXPECT_EQ(NewestChecklistVersion(appState().workspace(), 1), 3);

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

    // The new facility is listed with its province unknown.
    openList();
    EXPECT_EQ(currentName(), u"Nieuwe stort");
    EXPECT_EQ(rows()[3], u"Nieuwe stort||stortplaats|??|2013");
}

TEST_F(NewFacilityTest, TakenNamesAreRefused)
{
    const QList<std::pair<QString, const char*>> cases = {
        {QStringLiteral("stortplaats Zuid"), "optStortplaats"},
        {QStringLiteral("STORTPLAATS ZUID"), "optBaggerdepot"},
        {QStringLiteral("depot échelle"), "optBaggerdepot"},
        {QStringLiteral("DEPOT ÉCHELLE"), "optStortplaats"},
    };
    ASSERT_TRUE(openDialog());
    for (const auto& [name, type] : cases) {
        SCOPED_TRACE(name.toStdString());
        recorder.clear();
        enter(name, type);
        click(dialog, "cmdOK");
        EXPECT_EQ(recorder.texts(),
                  QStringList(
                      {"De naam " + name + " komt reeds voor in uw databestand. Voer een andere naam in."}));
        EXPECT_EQ(recorder.titles(), QStringList({"Aanmaken nieuwe inrichting"}));
        EXPECT_EQ(facilityCount(), 6);
        deletePending();
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->isVisible());
    }
    EXPECT_EQ(appState().facility().id, 0);
    EXPECT_TRUE(notices().isEmpty());
    EXPECT_TRUE(ran.isEmpty());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);

    // A free name then goes through from the same dialog.
    enter(QStringLiteral("Depot Echelle"), "optBaggerdepot");
    click(dialog, "cmdOK");
    EXPECT_EQ(facilityCount(), 7);
    EXPECT_EQ(appState().facility().name, u"Depot Echelle");
    EXPECT_EQ(appState().facility().checklistVersion, NewestChecklistVersion(appState().workspace(), 2));
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

TEST_F(FacilityScreensTest, NoticeLetsACommandThroughAndLeavesAfterThreeSeconds)
{
    createWindow();
    QElapsedTimer shown;
    shown.start();
    QPointer<frmOpenInrConfirm> notice = showOpenedNotice(QStringLiteral("stortplaats Zuid"), window);
    ASSERT_TRUE(notice);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->timerActive());
    EXPECT_TRUE(appState().confirmationShowing());
    EXPECT_EQ(ScreenRegistration::loadedScreens(), 1);
    EXPECT_TRUE(window->CheckScreensClosed());
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // Any other screen besides it blocks.
    {
        ScreenRegistration other;
        EXPECT_FALSE(window->CheckScreensClosed());
    }

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
