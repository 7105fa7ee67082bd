// What the windows' state does when the user links a data file, opens a facility or deletes one: the open
// facility, the facility commands and the settings that remember the choice.
#include "app/appstate.h"
#include "facility/clsStort.h"
#include "storage/database.h"
#include "support/guiprogramfolder.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// The facilities of tests/data/facilities.sql, their aftercare starting in 2030: facility 4 is of a
// checklist version the installed checklist file lacks.
class AppStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            folder.linkDataFile(test::readScript(QStringLiteral("facilities.sql")) +
                                QStringLiteral("UPDATE tblStort SET dtmAanvangNazorg = '2030-01-16';")));
        openState.clear();
    }

    // The values facilityOpenStateChanged was emitted with, in order.
    QList<bool> signalled() const
    {
        QList<bool> values;
        for (const QList<QVariant>& arguments : openState)
            values.append(arguments.value(0).toBool());
        return values;
    }

    // The open facility is facility id, as read from its row.
    void expectOpen(int id)
    {
        const std::optional<OpenFacilityState> read = readOpenFacility(folder.workspace(), id);
        ASSERT_TRUE(read);
        const OpenFacilityState& open = appState().facility();
        EXPECT_EQ(open.id, id);
        EXPECT_EQ(open.name, read->name);
        EXPECT_EQ(open.type, read->type);
        EXPECT_EQ(open.checklistVersion, read->checklistVersion);
        EXPECT_EQ(open.checklistYear, read->checklistYear);
        EXPECT_EQ(open.aftercareStart, read->aftercareStart);
    }

    test::GuiProgramFolder folder;
    MessageRecorder recorder;
    QSignalSpy openState{&appState(), &AppState::facilityOpenStateChanged};
};

TEST_F(AppStateTest, OpeningMakesTheFacilityTheOpenOne)
{
    ASSERT_TRUE(appState().openFacility(1));
    expectOpen(1);
    EXPECT_EQ(appState().facility().name, QStringLiteral("stortplaats Zuid"));
    EXPECT_EQ(appState().settings().currentFacilityId(), 1);
    EXPECT_TRUE(appState().facilityCommandsEnabled());
    EXPECT_EQ(signalled(), QList<bool>{true});
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A version the installed checklist file lacks: opened, but its commands stay off.
    ASSERT_TRUE(appState().openFacility(4));
    expectOpen(4);
    EXPECT_EQ(appState().facility().checklistYear, QString());
    EXPECT_EQ(appState().settings().currentFacilityId(), 4);
    EXPECT_FALSE(appState().facilityCommandsEnabled());
    EXPECT_EQ(signalled(), (QList<bool>{true, false}));
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Verificatie beschikbaarheid checklist")});

    // A facility that is gone leaves the open one as it was.
    EXPECT_FALSE(appState().openFacility(99));
    expectOpen(4);
    EXPECT_EQ(appState().settings().currentFacilityId(), 4);
    EXPECT_EQ(signalled().size(), 2);
}

TEST_F(AppStateTest, ReloadingReadsTheOpenFacilityAgain)
{
    ASSERT_TRUE(appState().openFacility(1));
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET strStortNaam = 'Zuid hernoemd' WHERE idrStort_ID = 1")));
    ASSERT_TRUE(appState().reloadFacility());
    EXPECT_EQ(appState().facility().name, QStringLiteral("Zuid hernoemd"));
    expectOpen(1);

    // Gone from the file: the state stays as last read.
    ASSERT_TRUE(appState().workspace().dataDatabase()->exec(
        QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID = 1")));
    EXPECT_FALSE(appState().reloadFacility());
    EXPECT_EQ(appState().facility().id, 1);
    EXPECT_EQ(appState().facility().name, QStringLiteral("Zuid hernoemd"));
}

// --- deleting a facility while facility 1 is open ---

struct DeleteCase
{
    const char* name;
    int facility;
    MessageAnswer answer;
    bool refusedByTheFile; // the data file refuses to delete the facility's row
    bool deleted;
    int openAfter; // the open facility afterwards, 0 for none
};

void PrintTo(const DeleteCase& c, std::ostream* os)
{
    *os << c.name;
}

const DeleteCase DeleteCases[] = {
    {"TheOpenFacility", 1, MessageAnswer::Yes, false, true, 0},
    {"AnotherFacility", 2, MessageAnswer::Yes, false, true, 1},
    {"NotConfirmed", 1, MessageAnswer::No, false, false, 1},
    {"FailedInTheFile", 1, MessageAnswer::Yes, true, false, 1},
};

class DeleteTest : public AppStateTest, public ::testing::WithParamInterface<DeleteCase>
{
};

TEST_P(DeleteTest, ClosesTheFacilityOnlyWhenItIsTheOpenOneAndGone)
{
    const DeleteCase& c = GetParam();
    if (c.refusedByTheFile) {
        ASSERT_TRUE(appState().workspace().dataDatabase()->execScript(
            QStringLiteral("CREATE TRIGGER weigerStort BEFORE DELETE ON tblStort BEGIN SELECT RAISE(ABORT, "
                           "'geweigerd'); END")));
    }
    ASSERT_TRUE(appState().openFacility(1));
    openState.clear();
    recorder.answerNext(c.answer);

    EXPECT_EQ(appState().deleteFacility(c.facility, QStringLiteral("naam")), c.deleted);
    EXPECT_EQ(readOpenFacility(appState().workspace(), c.facility).has_value(), !c.deleted);
    if (c.openAfter == 0) {
        EXPECT_EQ(appState().facility().id, 0);
        EXPECT_EQ(appState().facility().name, QString());
        EXPECT_FALSE(appState().facilityCommandsEnabled());
        EXPECT_EQ(signalled(), QList<bool>{false});
    } else {
        expectOpen(c.openAfter);
        EXPECT_TRUE(appState().facilityCommandsEnabled());
        EXPECT_TRUE(signalled().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Deletions, DeleteTest, ::testing::ValuesIn(DeleteCases),
                         [](const ::testing::TestParamInfo<DeleteCase>& info) {
                             return std::string(info.param.name);
                         });

// --- linking a data file while facility 1 is open ---

struct LinkCase
{
    const char* name;
    bool silent;
    bool usable; // the demo data, or a file that is no database
    bool closesTheFacility;
};

void PrintTo(const LinkCase& c, std::ostream* os)
{
    *os << c.name;
}

const LinkCase LinkCases[] = {
    {"Silent", true, true, false},
    {"ByTheUser", false, true, true},
    {"Refused", false, false, false},
};

class LinkTest : public AppStateTest, public ::testing::WithParamInterface<LinkCase>
{
};

TEST_P(LinkTest, StoresTheLinkAndClosesTheFacilityWhenTheUserLinked)
{
    const LinkCase& c = GetParam();
    const QString previous = appState().dataFilePath();
    const QString path =
        c.usable ? folder.copyDemoData(QStringLiteral("dbTALVOdata_demo.mdb"))
                 : folder.createTextFile(QStringLiteral("dbTALVOdata_tekst.mdb"), "geen database");
    ASSERT_TRUE(appState().openFacility(1));
    openState.clear();

    EXPECT_EQ(appState().linkDataFile(path, false, c.silent), c.usable);
    EXPECT_EQ(appState().dataFilePath(), c.usable ? path : previous);
    // Stored for the next start only when linked.
    EXPECT_EQ(appState().settings().dataFileName(), c.usable ? path : folder.paths().defaultDataFile());
    if (c.closesTheFacility) {
        EXPECT_EQ(appState().facility().id, 0);
        EXPECT_FALSE(appState().facilityCommandsEnabled());
        EXPECT_EQ(signalled(), QList<bool>{false});
    } else {
        EXPECT_EQ(appState().facility().id, 1);
        EXPECT_TRUE(appState().facilityCommandsEnabled());
        EXPECT_TRUE(signalled().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Links, LinkTest, ::testing::ValuesIn(LinkCases),
                         [](const ::testing::TestParamInfo<LinkCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
