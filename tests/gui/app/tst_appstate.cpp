// What the windows' state does when the user opens a facility or deletes one: the open facility, the facility
// commands and the setting that remembers the choice. Linking a data file is the configuration window's test,
// reloading the open facility the general data screen's.
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

// Deleting a facility while facility 1 is open closes it only when it is the open one and gone. Which
// deletions the file refuses is the facility record's.
TEST_F(AppStateTest, DeletingClosesTheFacilityOnlyWhenItIsTheOpenOneAndGone)
{
    const std::tuple<int, MessageAnswer, const char*> cases[] = {
        {1, MessageAnswer::No, "1 stortplaats Zuid 2013 on []"},
        {2, MessageAnswer::Yes, "1 stortplaats Zuid 2013 on []"},
        {1, MessageAnswer::Yes, "0   off [false]"}};
    for (const auto& [facility, answer, after] : cases) {
        ASSERT_TRUE(appState().openFacility(1));
        state();
        recorder.answerNext(answer);
        EXPECT_EQ(appState().deleteFacility(facility, QStringLiteral("naam")), answer == MessageAnswer::Yes);
        EXPECT_EQ(state(), QLatin1String(after));
    }
}

} // namespace
