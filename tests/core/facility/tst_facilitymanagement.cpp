// The facility list, the newest checklist version of a type, and deleting a facility.
#include "facility/facilitymanagement.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

class FacilityManagementTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    Workspace& workspace = folder.workspace();

    void SetUp() override
    {
        const QString path = folder.createDatabase(
            QStringLiteral("dbTALVOdata_lijst.mdb"),
            {QStringLiteral("data/datafile_schema.sql"), QStringLiteral("facilities.sql")});
        ASSERT_TRUE(LinkDataFile(workspace, path, false, true));
    }

    int count(const QString& table, int facility)
    {
        const QString key = table == QLatin1String("tblStort") ? QStringLiteral("idrStort_ID")
                                                               : QStringLiteral("lngStort_REF");
        Statement query =
            workspace.dataDatabase()->prepare(QStringLiteral("SELECT count(*) FROM ") + table +
                                              QStringLiteral(" WHERE ") + key + QStringLiteral(" = ?"));
        query.bind(1, facility);
        return query.next() ? int(query.integer(0).value_or(-1)) : -1;
    }

    int rowsOf(int facility)
    {
        return count(QStringLiteral("tblStort"), facility) +
               count(QStringLiteral("tblInrichting"), facility) + count(QStringLiteral("tblAct"), facility) +
               count(QStringLiteral("tblTonnage"), facility);
    }
};

TEST_F(FacilityManagementTest, ListShowsKnownProvincesInNameOrder)
{
    const auto list = readFacilityList(workspace);
    ASSERT_TRUE(list);
    QStringList names;
    for (const FacilityListEntry& entry : *list)
        names.append(entry.name);
    // Sorted without regard to case; the facility with an unknown province is not listed.
    EXPECT_EQ(names, (QStringList{QStringLiteral("Afgedankte versie"), QStringLiteral("Baggerdepot 't Slik"),
                                  QStringLiteral("stortplaats Zuid"), QStringLiteral("Zonder soort")}));

    const FacilityListEntry& missingVersion = (*list)[0];
    EXPECT_EQ(missingVersion.id, 4);
    EXPECT_EQ(missingVersion.province, QStringLiteral("??"));
    EXPECT_EQ(missingVersion.checklistYear, QStringLiteral("?"));
    EXPECT_EQ(missingVersion.rivmNumber, QString());

    const FacilityListEntry& depot = (*list)[1];
    EXPECT_EQ(depot.typeName, QStringLiteral("baggerdepot"));
    EXPECT_EQ(depot.province, QStringLiteral("Zeeland"));
    EXPECT_EQ(depot.checklistYear, QStringLiteral("2007"));

    const FacilityListEntry& landfill = (*list)[2];
    EXPECT_EQ(landfill.id, 1);
    EXPECT_EQ(landfill.rivmNumber, QStringLiteral("ZH-01"));
    EXPECT_EQ(landfill.typeName, QStringLiteral("stortplaats"));
    EXPECT_EQ(landfill.checklistYear, QStringLiteral("2013"));

    EXPECT_EQ((*list)[3].typeName, QStringLiteral("?"));
    EXPECT_EQ(recorder.busyDepth(), 0);
}

TEST_F(FacilityManagementTest, NewestChecklistVersionPerType)
{
    EXPECT_EQ(NewestChecklistVersion(workspace, 1), 3);
    EXPECT_EQ(NewestChecklistVersion(workspace, 2), 4);
    EXPECT_EQ(NewestChecklistVersion(workspace, 3), 0);
}

TEST_F(FacilityManagementTest, DeleteAsksFirstAndRemovesEveryRow)
{
    EXPECT_FALSE(DeleteFacility(workspace, 1, QStringLiteral("stortplaats Zuid")));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("Weet u zeker dat u inrichting 'stortplaats Zuid' wilt verwijderen uit de database?"));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Verwijderen inrichting"));
    EXPECT_EQ(recorder.recorded()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(recorder.recorded()[0].answer, MessageAnswer::No);
    EXPECT_EQ(rowsOf(1), 1 + 1 + 2 + 2);

    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_TRUE(DeleteFacility(workspace, 1, QStringLiteral("stortplaats Zuid")));
    EXPECT_EQ(rowsOf(1), 0);
    // Other facilities keep their rows.
    EXPECT_EQ(rowsOf(2), 1 + 1 + 1 + 1);
}

TEST_F(FacilityManagementTest, FailedDeleteLeavesTheFacilityWhole)
{
    // The last statement fails after the cost items, provisions and forecast were deleted.
    ASSERT_TRUE(workspace.dataDatabase()->execScript(QStringLiteral(
        "CREATE TRIGGER weigerStort BEFORE DELETE ON tblStort BEGIN SELECT RAISE(ABORT, 'geweigerd'); END")));
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_FALSE(DeleteFacility(workspace, 1, QStringLiteral("stortplaats Zuid")));
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[1].icon, MessageIcon::Critical);
    EXPECT_EQ(rowsOf(1), 1 + 1 + 2 + 2);
}

} // namespace
