// What the windows' state does when the user links a data file, opens a facility or deletes one: the open
// facility, the facility commands and the settings that remember the choice.
#include "facility/clsStort.h"
#include "storage/database.h"
#include "support/guiprogramfolder.h"

#include <QSignalSpy>

using namespace dovra;

namespace {

// The facilities of tests/data/facilities.sql, their aftercare starting in 2030: facility 4 is of a
// checklist version the installed checklist file lacks.
class AppStateTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            folder.linkDataFile(test::readScript(QStringLiteral("facilities.sql")) +
                                QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16';")));
    }

    // The open facility's id, name and checklist year, whether its commands are on, and what
    // facilityOpenStateChanged said since the last call: "1 stortplaats Zuid 2013 on [true]".
    QString state()
    {
        const OpenFacilityState& open = appState().facility();
        QStringList signalled;
        for (const QList<QVariant>& arguments : std::as_const(openState))
            signalled << arguments.value(0).toString();
        openState.clear();
        return QStringLiteral("%1 %2 %3 %4 [%5]")
            .arg(open.id)
            .arg(open.name, open.checklistYear,
                 appState().facilityCommandsEnabled() ? QStringLiteral("on") : QStringLiteral("off"),
                 signalled.join(u' '));
    }

    QSignalSpy openState{&appState(), &AppState::facilityOpenStateChanged};
};

TEST_F(AppStateTest, OpeningMakesTheFacilityTheOpenOne)
{
    ASSERT_TRUE(appState().openFacility(1));
    EXPECT_EQ(state(), u"1 stortplaats Zuid 2013 on [true]");
    EXPECT_EQ(appState().settings().currentFacilityId(), 1);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A version the installed checklist file lacks: opened, but its commands stay off.
    ASSERT_TRUE(appState().openFacility(4));
    EXPECT_EQ(state(), u"4 Afgedankte versie  off [false]");
    EXPECT_EQ(appState().settings().currentFacilityId(), 4);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Verificatie beschikbaarheid checklist")});

    // A facility that is gone leaves the open one as it was.
    EXPECT_FALSE(appState().openFacility(99));
    EXPECT_EQ(state(), u"4 Afgedankte versie  off []");
    EXPECT_EQ(appState().settings().currentFacilityId(), 4);
}

TEST_F(AppStateTest, ReloadingReadsTheOpenFacilityAgain)
{
    ASSERT_TRUE(appState().openFacility(1));
    const auto exec = [](const char* sql) {
        return appState().workspace().dataDatabase()->exec(QLatin1String(sql));
    };
    ASSERT_TRUE(exec("UPDATE tblStort SET strStortNaam = 'Zuid hernoemd' WHERE idrStort_ID = 1"));
    ASSERT_TRUE(appState().reloadFacility());
    EXPECT_EQ(appState().facility().name, QStringLiteral("Zuid hernoemd"));
    // Gone from the file: the state stays as last read.
    ASSERT_TRUE(exec("DELETE FROM tblStort WHERE idrStort_ID = 1"));
    EXPECT_FALSE(appState().reloadFacility());
    EXPECT_EQ(state(), u"1 Zuid hernoemd 2013 on [true]");
}

// Deleting a facility while facility 1 is open closes it only when it is the open one and gone.
TEST_F(AppStateTest, DeletingClosesTheFacilityOnlyWhenItIsTheOpenOneAndGone)
{
    const struct
    {
        int facility;
        MessageAnswer answer;
        bool refusedByTheFile; // the data file refuses to delete the facility's row
        bool deleted;
        const char* after;
    } cases[] = {{1, MessageAnswer::No, false, false, "1 stortplaats Zuid 2013 on []"},
                 {1, MessageAnswer::Yes, true, false, "1 stortplaats Zuid 2013 on []"},
                 {2, MessageAnswer::Yes, false, true, "1 stortplaats Zuid 2013 on []"},
                 {1, MessageAnswer::Yes, false, true, "0   off [false]"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        ASSERT_TRUE(appState().workspace().dataDatabase()->execScript(
            c.refusedByTheFile ? QStringLiteral("CREATE TRIGGER weigerStort BEFORE DELETE ON tblStort BEGIN "
                                                "SELECT RAISE(ABORT, 'geweigerd'); END")
                               : QStringLiteral("DROP TRIGGER IF EXISTS weigerStort")));
        ASSERT_TRUE(appState().openFacility(1));
        state();
        recorder.answerNext(c.answer);
        EXPECT_EQ(appState().deleteFacility(c.facility, QStringLiteral("naam")), c.deleted);
        EXPECT_EQ(readOpenFacility(appState().workspace(), c.facility).has_value(), !c.deleted);
        EXPECT_EQ(state(), QLatin1String(c.after));
    }
}

// Linking a data file while facility 1 is open stores the link for the next start, and closes the facility
// when the user linked; a refused file changes nothing.
TEST_F(AppStateTest, LinkingStoresTheLinkAndClosesTheFacilityWhenTheUserLinked)
{
    const struct
    {
        QString path;
        bool silent;
        bool linked;
        const char* after;
    } cases[] = {
        {folder.createTextFile(QStringLiteral("dbTALVOdata_tekst.mdb"), "geen database"), false, false,
         "1 stortplaats Zuid 2013 on []"},
        {folder.copyDemoData(QStringLiteral("dbTALVOdata_stil.mdb")), true, true,
         "1 stortplaats Zuid 2013 on []"},
        {folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb")), false, true, "0   off [false]"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ASSERT_TRUE(folder.linkDataFile(test::readScript(QStringLiteral("facilities.sql"))));
        ASSERT_TRUE(appState().openFacility(1));
        state();
        const QString before = appState().dataFilePath();
        EXPECT_EQ(appState().linkDataFile(c.path, false, c.silent), c.linked);
        EXPECT_EQ(appState().dataFilePath(), c.linked ? c.path : before);
        EXPECT_EQ(appState().settings().dataFileName(), c.linked ? c.path : folder.paths().defaultDataFile());
        EXPECT_EQ(state(), QLatin1String(c.after));
    }
}

} // namespace
