// The facility's input screens driven through their controls: general data, the surcharges of the aftercare
// phase and the waste forecast; the facility list, the new facility dialog and the notice of the opened
// facility, alone and as the main window opens them, and the windows' state as facilities are opened and
// deleted. The rules behind them (the list's rows, the new row's values, which names are taken) are the
// core's (tests/core/facility/tst_facilityrecord, tests/core/calc/tst_computetargetcapital); captions,
// columns and starting states are in the screens' dumps. Linking a data file is the configuration window's
// test.
#include "app/frmMDI_main.h"
#include "facility/clsStort.h"
#include "facility/clsTonnage.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmAlgNazKosten.h"
#include "facility/frmImExportXML.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "facility/frmOpenInrConfirm.h"
#include "facility/frmTonnage.h"
#include "facility/frmVersiebeheer.h"
#include "facility/tonnagemodel.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "support/guiprogramfolder.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

using namespace dovra;
using test::child;
using test::deletePending;
using test::enter;

namespace {

using Cell = std::pair<int, int>;

// The facilities of tests/data/facilities.sql and tests/data/facilityinput.sql.
class FacilityInputTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDataFile(test::readScript(QStringLiteral("facilities.sql")) +
                                        test::readScript(QStringLiteral("facilityinput.sql"))));
    }

    // The screen of the facility, shown and active so that the focus can be followed.
    template <typename T> void open(int id)
    {
        delete screen;
        ASSERT_TRUE(appState().openFacility(id));
        recorder.clear();
        screen = new T;
        screen->show();
        screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }

    template <typename T = QLineEdit> T* control(const char* name) const { return child<T>(screen, name); }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }

    clsStort stored(int id = 0)
    {
        clsStort stort(appState().workspace());
        EXPECT_TRUE(stort.initializeStort(id ? id : appState().facility().id));
        return stort;
    }

    QPointer<QWidget> screen;
};

TEST_F(FacilityInputTest, GeneralDataStoresAnAcceptedValueOnLeaving)
{
    open<frmAlgemeen>(1);
    EXPECT_EQ(stored().JaarPrijsPeil(), 2012); // of the checklist version, stored on opening

    // Refused (what each box accepts is the core's: tst_facilityrecord's GeneralDataEntries).
    enter(control("txtInflatie"), QStringLiteral("2.5"));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Voer een getal in.")});
    const auto shown = [this] {
        clsStort s = stored();
        return QStringList{s.NaamStort(), s.DatumAanvangNazorg().value_or(QDate()).toString(Qt::ISODate),
                           QString::number(s.inflatie()), QString::number(s.rente())}
            .join(u'|');
    };
    EXPECT_EQ(shown(), u"stortplaats Zuid|2030-01-16|0.02|0.0506");

    recorder.clear();
    enter(control("txtLocatieNaam"), QStringLiteral("Stortplaats Zuid-West"));
    enter(control("txtAanvangNazorg"), QStringLiteral("1-7-2031"));
    enter(control("txtRente"), QStringLiteral("4,5"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(shown(), u"Stortplaats Zuid-West|2031-07-01|0.02|0.045");
    EXPECT_EQ(appState().facility().name + u'|' + control("txtRente")->text(), u"Stortplaats Zuid-West|4,50");

    // The decimal key of the numeric keypad types the decimal comma.
    QLineEdit* inflation = control("txtInflatie");
    inflation->clear();
    QTest::keyClick(inflation, Qt::Key_3);
    QTest::keyClick(inflation, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(inflation->text(), QStringLiteral("3,"));

    emit control<QLabel>("lblInfoPrijspeil")->linkActivated(QStringLiteral("info"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Informatie prijspeil")});
}

// Which facility may choose is the record's rule (tst_facilityrecord's DerivedValues).
TEST_F(FacilityInputTest, CompanyBoundLocksObjectBoundAndTheForecast)
{
    open<frmAlgemeen>(1);
    auto* objectBound = control<QCheckBox>("chkObjectGebonden");
    for (const int ticked : {1, 0}) {
        objectBound->click();
        EXPECT_EQ(stored().bytObjectGebonden(), ticked);
    }
    for (const int companyBound : {1, 0}) {
        click(companyBound ? "optBedrijfsGebonden1" : "optBedrijfsGebonden0");
        EXPECT_EQ(stored().bytBedrijfsGebonden(), companyBound);
        EXPECT_TRUE(objectBound->isChecked()); // and stays ticked
        EXPECT_EQ(objectBound->isEnabled(), companyBound == 0);
        EXPECT_EQ(control<QPushButton>("cmdAfvalprognose")->isEnabled(), companyBound == 0);
        EXPECT_EQ(control<QPushButton>("cmdAfvalprognose")->toolTip().contains(u"niet bedrijfsgebonden"),
                  companyBound == 1);
    }
}

TEST_F(FacilityInputTest, ProvinceMustBeChosen)
{
    open<frmAlgemeen>(3); // its province is unknown to the list
    auto* provinces = control<QListWidget>("lstProv");
    EXPECT_TRUE(provinces->selectedItems().isEmpty());
    test::leave(provinces);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Selectie provincie")});

    QListWidgetItem* limburg = provinces->findItems(QStringLiteral("Limburg"), Qt::MatchExactly).value(0);
    ASSERT_TRUE(limburg);
    provinces->setCurrentItem(limburg);
    QTest::mouseClick(provinces->viewport(), Qt::LeftButton, {}, provinces->visualItemRect(limburg).center());
    EXPECT_EQ(stored(3).prov_id(), 60);
}

// Closing checks the field being edited (refused: the record's message, then the screen's, and it stays
// open), and warns of a stored date that is not on the 1st, but closes.
TEST_F(FacilityInputTest, GeneralDataClosingChecksTheFieldBeingEditedAndTheStoredDate)
{
    open<frmAlgemeen>(1);
    QLineEdit* name = control("txtLocatieNaam");
    name->setFocus();
    name->setText(QString());
    click("cmdApply");
    ASSERT_TRUE(screen && screen->isVisible());
    EXPECT_EQ(recorder.texts(), (QStringList{QStringLiteral("Voer de naam van de inrichting in."),
                                             QStringLiteral("Ongeldige invoer")}));

    recorder.clear();
    name->setText(QStringLiteral("Stortplaats Noord"));
    click("cmdApply");
    deletePending();
    EXPECT_FALSE(screen);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(appState().facility().name, QStringLiteral("Stortplaats Noord"));

    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg = '2030-01-15' WHERE idrStort_ID = 1")));
    open<frmAlgemeen>(1);
    screen->close();
    deletePending();
    EXPECT_FALSE(screen);
    // Once on closing, once more as the open facility is reloaded with the 1st of the month.
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Ongeldige datum aanvang nazorg")));
    EXPECT_DOUBLE_EQ(appState().facility().aftercareStart, 2030.0);
}

// On a file the program cannot write, a change is tried again or discarded as the user chooses (the messages
// are the core's): the screen and the program close, and the file is untouched.
TEST_F(FacilityInputTest, UnwritableFileNeverKeepsTheProgramOpen)
{
    const QString dir = folder.filePath(QStringLiteral("alleenlezen"));
    ASSERT_TRUE(QDir().mkpath(dir));
    QFile file(folder.copyDemoData(QStringLiteral("alleenlezen/dbTALVOdata_1.mdb")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    test::ReadOnlyFolder readOnly(dir);
    if (!readOnly.active)
        GTEST_SKIP() << "no read-only folder can be made here";
    ASSERT_TRUE(LinkDataFile(appState().workspace(), file.fileName(), false, true));
    frmMDI_main window;
    window.show();
    ASSERT_TRUE(appState().openFacility(1));
    window.runCommand(QStringLiteral("Algemeen"));
    screen = window.findChild<frmAlgemeen*>();
    ASSERT_TRUE(screen);
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    auto* address = control<QPlainTextEdit>("txtLocatieAdres");
    address->setFocus();
    address->setPlainText(QStringLiteral("Dorpsstraat 1"));
    // Tried again in vain, then dropped as the program closes.
    recorder.clear();
    recorder.answerNext(MessageAnswer::Retry);
    recorder.answerNext(MessageAnswer::Discard);
    EXPECT_TRUE(window.close());
    deletePending();
    EXPECT_FALSE(screen);
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Fout bij het opslaan van de gegevens")));
    appState().workspace().closeFile(file.fileName());
    EXPECT_TRUE(file.seek(0) && file.readAll() == before);
}

// The forecast opens from the screen and must be closed with its own button, which checks the years first.
TEST_F(FacilityInputTest, OpenForecastKeepsTheProgramOpen)
{
    frmMDI_main window;
    window.show();
    ASSERT_TRUE(appState().openFacility(1));
    window.runCommand(QStringLiteral("Algemeen"));
    screen = window.findChild<frmAlgemeen*>();
    ASSERT_TRUE(screen);
    click("cmdAfvalprognose");
    auto* forecast = window.findChild<frmTonnage*>(QStringLiteral("frmTonnage"));
    ASSERT_TRUE(forecast);
    EXPECT_FALSE(window.close());
    ASSERT_TRUE(forecast && forecast->isVisible());
    EXPECT_EQ(recorder.texts().join(u'|'),
              u"Gebruik in verband met de datavalidatie de knop Sluiten om het venster te sluiten");
    child<QPushButton>(forecast, "cmdOK")->click();
    EXPECT_TRUE(window.close());
    deletePending();
    EXPECT_FALSE(screen);
}

// Opening stores the defaults; a checklist with differentiated surcharges has no design rate; an area stored
// without an option must be entered again.
TEST_F(FacilityInputTest, SurchargesOpeningStoresTheDefaults)
{
    for (const auto& [id, differentiated, base] : {std::tuple{11, false, 15000.0f}, {12, true, 16500.0f}}) {
        open<frmAlgNazKosten>(id);
        EXPECT_FLOAT_EQ(stored().AppKostenBasis(), base);
        EXPECT_EQ(control("txtOntwerpdirectie")->isHidden(), differentiated);
        EXPECT_EQ(control<QLabel>("lblOntwerpdirectieUitleg")->isHidden(), !differentiated);
        EXPECT_TRUE(recorder.recorded().isEmpty());
    }
    open<frmAlgNazKosten>(13);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Toeslag Rapportage/evaluatie")});
    EXPECT_TRUE(control<QRadioButton>("optRapEval0")->isChecked());
}

// The area stores the option that follows from it (up to the limit of 34,44 ha option 2); only that option's
// amount may be edited, and the option buttons only tell so.
TEST_F(FacilityInputTest, SurchargeAreaChecksTheOptionAndEnablesItsAmount)
{
    open<frmAlgNazKosten>(11);
    // The checked option and which of the three amounts may be edited: "2 -x-".
    const auto option = [this] {
        QString shown;
        for (int option = 0; option <= 3; ++option)
            if (control<QRadioButton>(qPrintable(QStringLiteral("optRapEval%1").arg(option)))->isChecked())
                shown = QString::number(option) + u' ';
        for (const char* name : {"txtRapEvalMin", "txtRapEvalPerHa", "txtRapEvalMax"})
            shown += control(name)->isEnabled() ? u'x' : u'-';
        return shown;
    };
    EXPECT_EQ(option(), QStringLiteral("0 ---"));
    const std::pair<const char*, const char*> cases[] = {{"5", "1 x--"}, {"40", "3 --x"}, {"34,44", "2 -x-"}};
    for (const auto& [area, shown] : cases) {
        enter(control("txtNazorgOpp"), QLatin1String(area));
        EXPECT_EQ(option(), QLatin1String(shown)) << area;
        EXPECT_EQ(stored().OptieRapEval(), option().left(1).toInt()) << area;
    }
    EXPECT_EQ(control("txtNazorgOpp")->text(), QStringLiteral("34,44"));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    click("optRapEval3");
    EXPECT_EQ(option(), QStringLiteral("2 -x-"));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Toeslag rapportage/evaluatie")});
}

// Leaving a box stores what it reads and shows it again formatted, or keeps the focus and the stored value.
TEST_F(FacilityInputTest, SurchargeBoxStoresItsValueAndMarksADeviation)
{
    open<frmAlgNazKosten>(11);
    const std::tuple<const char*, const char*, const char*, float, const char*> cases[] = {
        {"txtCommunicatie", "2500,75", "sngAlgCommunicatieKosten", 2500.75f, "€ 2.501"},
        {"txtAppKostenPerc", "2,5", "sngAppKostenPerc", 2.5f, "2,5"},
        {"txtOnvoorzien", "0", "sngOnvoorzien", 0, "0,0"}};
    for (const auto& [box, entered, field, value, shown] : cases) {
        enter(control(box), QString::fromUtf8(entered));
        EXPECT_EQ(stored().single(QLatin1String(field)), value) << entered;
        EXPECT_EQ(control(box)->text(), QString::fromUtf8(shown)) << entered;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());

    auto* mark = control<QLabel>("lblAfwijkingAppKostenBasis");
    for (const auto& [base, deviates] : {std::pair{"4999", true}, std::pair{"25000", false}}) {
        enter(control("txtAppKostenBasis"), QLatin1String(base));
        EXPECT_EQ(!mark->isHidden(), deviates) << base;
    }
    enter(control("txtAppKostenBasis"), QStringLiteral("veel"));
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Basisbedrag apparaatskosten")});
    EXPECT_TRUE(control("txtAppKostenBasis")->hasFocus());
    EXPECT_EQ(stored().single(QStringLiteral("sngAlgAppKostenBasis")), 25000.0f);
}

// Closing checks the area, typed but not yet left, and keeps the screen open without one above 0; so does
// a stored area of 0.
TEST_F(FacilityInputTest, SurchargesClosingNeedsAnAreaAboveZero)
{
    open<frmAlgNazKosten>(11);
    for (const char* typed : {"0", "12,5"}) {
        recorder.clear();
        control("txtNazorgOpp")->setText(QLatin1String(typed));
        click("cmdSluiten");
        deletePending();
        if (QLatin1String(typed) == QLatin1String("12,5"))
            break;
        ASSERT_TRUE(screen && screen->isVisible()) << typed;
        EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")}) << typed;
        EXPECT_TRUE(control("txtNazorgOpp")->hasFocus()) << typed;
    }
    EXPECT_FALSE(screen);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_FLOAT_EQ(stored().NazorgOpp(), 12.5f);

    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET sngNazorgOpp = 0, bytRapEval = 1 WHERE idrStort_ID = 11")));
    open<frmAlgNazKosten>(11);
    screen->close();
    ASSERT_TRUE(screen && screen->isVisible());
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")});
}

// The forecast window of facility 11 alone.
class ForecastTest : public FacilityInputTest
{
protected:
    void SetUp() override
    {
        FacilityInputTest::SetUp();
        forecast = new frmTonnage(11);
        forecast->show();
        screen = forecast;
        grid = control<QTableView>("grdTonnage");
        ASSERT_TRUE(grid);
    }

    // The forecast as the file now holds it, in year order: "year=kilotonnes" ("?" when not entered).
    QStringList years() const
    {
        clsTonnage forecast(appState().workspace());
        EXPECT_TRUE(forecast.psubInitialiseer(11));
        QStringList rows;
        for (forecast.moveFirst(); !forecast.EOF_(); forecast.move_NEXT())
            rows.append(forecast.rapJaartalTonnage() + u'=' + forecast.rapAantalKton());
        return rows;
    }

    QString total() const { return control<QLabel>("lblTotaal")->text(); }
    Cell current() const { return {grid->currentIndex().row(), grid->currentIndex().column()}; }
    void select(int row, int column) { grid->setCurrentIndex(grid->model()->index(row, column)); }

    QLineEdit* editor() const
    {
        deletePending();
        for (QLineEdit* edit : grid->viewport()->findChildren<QLineEdit*>())
            if (!edit->isHidden())
                return edit;
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

    QPointer<frmTonnage> forecast;
    QTableView* grid = nullptr;
};

// Enter, Return and Down move on like Tab, skipping the hidden facility column; with a modifier Down is the
// ordinary move down.
TEST_F(ForecastTest, NextCellKeysMoveLikeTab)
{
    grid->setFocus();
    select(0, TonnageModel::YearColumn);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, Cell> keys[] = {
        {Qt::Key_Return, {}, {0, 1}},
        {Qt::Key_Down, {}, {1, 0}},
        {Qt::Key_Enter, Qt::KeypadModifier, {1, 1}},
        {Qt::Key_Down, Qt::ShiftModifier, {2, 1}}};
    for (const auto& [key, modifiers, then] : keys) {
        QTest::keyClick(grid, key, modifiers);
        EXPECT_EQ(current(), then) << key;
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// A refused value changes neither the file nor the total: the model's rule (tst_facilityrecord's
// ForecastModelTest).
TEST_F(ForecastTest, EnterInAnEditorCommitsMovesOnAndUpdatesTheTotal)
{
    type(0, TonnageModel::KilotonnesColumn, QStringLiteral("1.500"));
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(years(), QStringList({"2025=1500", "2026=230", "2027=?"}));
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.730"));
    // Editing goes on in the next cell, as after Tab.
    EXPECT_EQ(current(), Cell(1, 0));
    QLineEdit* next = editor();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->text(), QStringLiteral("2026"));
    next->setText(QStringLiteral("2030"));
    QTest::keyClick(next, Qt::Key_Down);
    EXPECT_EQ(years(), QStringList({"2025=1500", "2027=?", "2030=230"}));
    EXPECT_EQ(current(), Cell(1, 1));
}

// A year typed on the empty line and left open is stored, then the years are checked: years that break the
// run (the record's rule) keep the window open.
TEST_F(ForecastTest, CloseButtonChecksTheYears)
{
    for (const auto& [year, closes] : {std::pair{"2029", false}, {"2028", true}}) {
        recorder.clear();
        type(3, TonnageModel::YearColumn, QLatin1String(year));
        click("cmdOK");
        deletePending();
        EXPECT_EQ(!forecast, closes) << year;
        EXPECT_EQ(recorder.titles(), closes ? QStringList() : QStringList{QStringLiteral("Controle invoer")})
            << year;
    }
    EXPECT_EQ(years().last(), QStringLiteral("2028=?"));
}

// The close button is refused and Esc checks like Sluiten; the program itself may close it, whatever the
// years.
TEST_F(ForecastTest, EscapeChecksLikeSluitenAndOtherWaysAreRefused)
{
    EXPECT_FALSE(forecast->close());
    // Esc does what Sluiten does: a gap keeps the window open.
    type(3, TonnageModel::YearColumn, QStringLiteral("2040"));
    QTest::keyClick(forecast, Qt::Key_Escape);
    deletePending();
    ASSERT_TRUE(forecast && forecast->isVisible());
    EXPECT_EQ(recorder.titles(), QStringList({"Sluiten formulier", "Controle invoer"}));
    EXPECT_TRUE(forecast->closeByProgram());
    deletePending();
    EXPECT_FALSE(forecast);
    EXPECT_EQ(recorder.recorded().size(), 2);
}

TEST_F(ForecastTest, DeleteKeyAsksBeforeRemovingTheYear)
{
    grid->setFocus();
    select(1, TonnageModel::KilotonnesColumn);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(recorder.texts().join(u'|'), u"Wilt u het jaar 2026 verwijderen uit de prognose?");
    EXPECT_EQ(years().size(), 3);

    recorder.answerNext(MessageAnswer::Yes);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(years(), QStringList({"2025=1000", "2027=?"}));
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(total(), QStringLiteral("Totaal (kTon): 1.000"));

    // The empty line has no year to delete.
    recorder.clear();
    select(2, TonnageModel::YearColumn);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

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

// Which facility the list selects is the core's (tst_facilityrecord's ListShowsKnownProvincesInNameOrder).
TEST_F(FacilityScreensTest, ListSelectsTheLastOpenedFacility)
{
    appState().settings().setCurrentFacilityId(6);
    ASSERT_TRUE(openList());
    EXPECT_EQ(currentName(), u"Depot Échelle");
    EXPECT_EQ(tree()->selectedItems().size(), 1);
    // A column as wide as its texts need.
    EXPECT_GT(tree()->columnWidth(2), tree()->fontMetrics().horizontalAdvance(QStringLiteral("baggerdepot")));
    click(list, "cmdAnnuleren");
    deletePending();
    EXPECT_FALSE(list);
    EXPECT_EQ(appState().facility().id, 0);
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

// An export tells where the file went. Importing from the list asks for the file and, the name being taken,
// for another; the list then holds it, and the user is told its name. A damaged file is told and adds
// nothing.
TEST_F(FacilityScreensTest, ImportFromTheListAddsTheFacility)
{
    const QString path = folder.filePath(QStringLiteral("zuid.xml"));
    ASSERT_TRUE(appState().openFacility(1));
    recorder.answerNextFile(path);
    frmImExportXML(QStringLiteral("export")).run();
    EXPECT_EQ(recorder.texts(), QStringList{"De inrichting is geëxporteerd naar " + path + "."});
    recorder.clear();
    openList();
    recorder.answerNextFile(path);
    recorder.answerNextInput(QStringLiteral("Zuid uit bestand"));
    click(list, "cmdImporteer");
    EXPECT_EQ(recorder.texts().value(1),
              u"De inrichting 'Zuid uit bestand' is toegevoegd aan het databestand.");
    EXPECT_TRUE(column(0).contains(u"Zuid uit bestand"));
    const int count = facilityCount();

    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<xml>");
    damaged.close();
    recorder.clear();
    recorder.answerNextFile(path);
    click(list, "cmdImporteer");
    EXPECT_EQ(recorder.titles(), QStringList{"Fout bij import"});
    EXPECT_TRUE(recorder.texts().value(0).startsWith(u"Er is een fout opgetreden bij het importeren.\n"));
    EXPECT_EQ(facilityCount(), count);
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
    ASSERT_TRUE(dialog && dialog->isVisible());
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

// The version change from the general data screen of a demo facility: its entry rules, the comparison
// rebuilt per version, the question, and the change with the screens it closes and opens. What the
// comparison says and what the change does are the core's (tests/core/checklist/tst_checklist).
class VersionChangeTest : public test::WindowTest
{
protected:
    void SetUp() override { ASSERT_TRUE(appState().linkDataFile(folder.copyDemoData(), false, true)); }

    // The general data screen of facility id, and its "Actualiseer ..." followed.
    frmVersiebeheer* follow(int id)
    {
        if (appState().facility().id != id) {
            EXPECT_TRUE(appState().openFacility(id));
            general = new frmAlgemeen(&mainWindow);
            general->show();
        }
        recorder.clear();
        emit child<QLabel>(general, "lblChecklistHuidigWijzig")->linkActivated(QStringLiteral("wijzig"));
        deletePending();
        return mainWindow.findChild<frmVersiebeheer*>();
    }
    QStringList stored(const char* sql)
    {
        return test::queryRows(*appState().workspace().dataDatabase(), QString::fromUtf8(sql));
    }

    QWidget mainWindow;
    QPointer<frmAlgemeen> general;
};

TEST_F(VersionChangeTest, EntryRulesComeFirst)
{
    // The depot is on the newest depot version.
    EXPECT_FALSE(follow(3));
    EXPECT_EQ(recorder.texts(),
              QStringList{
                  "De momenteel geselecteerde checklist is de meest recente checklist die beschikbaar is."});
    // Incomplete input: only the validation speaks.
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblAct SET strEenheid = NULL WHERE idrAct_ID = 37")));
    EXPECT_FALSE(follow(2));
    ASSERT_EQ(recorder.titles().size(), 1);
    EXPECT_TRUE(recorder.texts().first().contains(u"Zettingsmetingen"));
    // A facility whose price level was empty when the screen opened.
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET intJaarPrijspeil = NULL WHERE idrStort_ID = 1")));
    EXPECT_FALSE(follow(1));
    EXPECT_EQ(recorder.titles(), QStringList{"Wijzigen checklist nieuwe inrichting"});
}

TEST_F(VersionChangeTest, ChosenVersionIsComparedAndAppliedAfterTheQuestion)
{
    QPointer<frmVersiebeheer> window = follow(2);
    ASSERT_TRUE(window && window->isVisible());
    auto* list = child<QListWidget>(window, "lst1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->data(Qt::UserRole).toString() + u' ' + list->item(1)->text(),
              u"id3 2013 (TALVO-checklist stortplaatsen 2013)");
    const auto caption = [&] {
        return child<QLabel>(window, "lblToegevoegd")->text();
    };
    const auto consequences = [&] {
        return child<QTextEdit>(window, "txtRapAct")->toPlainText();
    };
    EXPECT_TRUE(caption().contains(u"2014 (")) << caption().toStdString();
    list->setCurrentRow(1);
    EXPECT_EQ(caption(),
              u"Checklistposten die in checklistversie 2013 (TALVO-checklist stortplaatsen 2013) zijn "
              u"toegevoegd:");
    EXPECT_TRUE(consequences().contains(u"(factor 1,119456)")) << consequences().toStdString();

    // Unanswered, the question takes its default: No.
    child<QPushButton>(window, "cmdOK")->click();
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded().first().answer, MessageAnswer::No);
    EXPECT_EQ(
        recorder.texts().first(),
        u"Weet u zeker dat u checklistversie 2013 (TALVO-checklist stortplaatsen 2013) van toepassing wilt "
        u"verklaren op inrichting 'Stortplaats Vlagheide' ?\nVanwege de prijspeilcorrectie zullen alle "
        u"ingevoerde kosten (incl. risicobedrag) definitief worden aangepast.\n");
    EXPECT_EQ(stored("SELECT intCL_REF, sngAlgRisicoBedrag FROM tblStort WHERE idrStort_ID = 2"),
              QStringList{"1|175000"});
    EXPECT_TRUE(window->isVisible() && general);

    recorder.clear();
    recorder.answerNext(MessageAnswer::Yes);
    QSignalSpy refreshed(&appState(), &AppState::facilityOpenStateChanged); // the status bar follows it
    child<QPushButton>(window, "cmdOK")->click();
    deletePending();
    EXPECT_FALSE(window);
    EXPECT_FALSE(general);
    EXPECT_EQ(recorder.texts().value(1),
              u"Inrichting 'Stortplaats Vlagheide' valt nu onder checklistversie 2013 "
              u"(TALVO-checklist stortplaatsen 2013); alle ingevoerde kosten zijn omgerekend.");
    EXPECT_EQ(stored("SELECT intCL_REF, intJaarPrijspeil, round(sngAlgRisicoBedrag) FROM tblStort "
                     "WHERE idrStort_ID = 2"),
              QStringList{"3|2012|195905"});
    EXPECT_EQ(appState().facility().checklistYear, u"2013");
    ASSERT_FALSE(refreshed.isEmpty());
    EXPECT_TRUE(refreshed.last().value(0).toBool());
    auto* reopened = mainWindow.findChild<frmAlgemeen*>();
    ASSERT_TRUE(reopened && reopened->isVisible());
    EXPECT_EQ(child<QLabel>(reopened, "lblChecklistHuidig")->text(), u"Checklistversie: 2013");
}

TEST_F(VersionChangeTest, RefusedChangeIsToldAndChangesNothing)
{
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE ON tblAct BEGIN SELECT RAISE(ABORT, 'geweigerd'); END")));
    frmVersiebeheer* window = follow(1);
    ASSERT_TRUE(window);
    recorder.answerNext(MessageAnswer::Yes);
    child<QPushButton>(window, "cmdOK")->click();
    // Equal price level years: no price-level sentence.
    EXPECT_EQ(
        recorder.texts(),
        QStringList({"Weet u zeker dat u checklistversie 2014 (TALVO-checklist stortplaatsen 2013, herziene "
                     "uitgave) van toepassing wilt verklaren op inrichting 'Stortplaats De Kragge' ?\n",
                     "Het wijzigen van de checklistversie is mislukt. Er is niets gewijzigd.\ngeweigerd"}));
    EXPECT_EQ(recorder.recorded().last().icon, MessageIcon::Critical);
    EXPECT_EQ(stored("SELECT intCL_REF FROM tblStort WHERE idrStort_ID = 1"), QStringList{"3"});
}

} // namespace
