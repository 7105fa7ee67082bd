// Binding a facility to a newer checklist version: the price-level correction of every amount, the
// checklist's names, demotion and conformity, all in one transaction.
#include "checklist/versionchange.h"
#include "reports/screenreport.h"
#include "reports/versioncomparison.h"
#include "storage/database.h"
#include "support/golden.h"
#include "support/screendump.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

// Facility 1 on version 10 at price level 2005: tests/data/versionchange_*.sql.
class VersionChangeTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("versionchange_checklist.sql"), QStringLiteral("versionchange_data.sql"));
    }

    QStringList rows(const char* sql)
    {
        return test::queryRows(*folder.workspace().dataDatabase(), QString::fromUtf8(sql));
    }
    QStringList facility()
    {
        return rows(
            "SELECT intCL_REF, intJaarPrijspeil, round(sngAlgRisicoBedrag, 2), "
            "round(sngAlgCommunicatieKosten, 2), round(sngAlgAppKostenBasis, 2), round(sngRapEvalPerHa, 3) "
            "FROM tblStort");
    }
    QStringList costItems()
    {
        return rows(
            "SELECT idrAct_ID, strAct, bytIsTALVO, ifnull(lngClitem_REF, '-'), round(sngKostenTotaal, 2), "
            "sngPercInvest, round(sngKostenInvest, 2) FROM tblAct ORDER BY idrAct_ID");
    }
};

TEST_F(VersionChangeTest, ConvertsEveryAmountOnceAndJudgesItemsAgain)
{
    const VersionChange change = applyVersionChange(folder.workspace(), 1, 11);
    ASSERT_TRUE(change.applied) << change.failure.toStdString();
    // 1.02 × 1.03 in single precision, as the amounts it multiplies.
    EXPECT_FLOAT_EQ(change.factor, 1.0506f);
    EXPECT_EQ(facility(), QStringList{"11|2007|105059.99|2101.2|5253|210.12"});
    EXPECT_EQ(costItems(),
              QStringList({
                  "10|Inspecteren|1|301|157.59|-|-",
                  "11|Vervallen post|0|302|157.59|-|-",     // gone: the user's own, its reference kept
                  "12|Strenger|2|303|157.59|-|-",           // no longer within the criteria
                  "13|Ruimer|1|304|525.3|-|-",              // now within them, and complete
                  "14|Ruimer onvolledig|2|306|525.3|-|-",   // within them, but incomplete
                  "15|Eigen post|0|-|-|2.5|4202.4",         // only the investment is converted
                  "16|Maaien en afvoeren|1|305|157.59|-|-", // the checklist's names
                  "17|Teruggekeerd|1|307|157.59|-|-",       // a checklist item again
                  "18|Maaien en afvoeren|2|305|157.59|-|-", // its phase from year 30: too late
                  "19|Nulmeting|1|308|157.59|-|-",          // one-off: its end is not judged
                  "20|Inspecteren|2|301|204.87|-|-",        // above the bound once converted
              }));
    EXPECT_EQ(rows("SELECT strObject FROM tblInrichting ORDER BY idrInrichting_ID"),
              QStringList({"Bovenafdichting", "Afdeklaag"}));
    ASSERT_EQ(change.costItems.size(), 11u);
    EXPECT_EQ(QStringList({change.costItems[2].oldAmount.toString(),
                           QString::number(change.costItems[2].oldConformity),
                           QString::number(change.costItems[2].newConformity)}),
              QStringList({"150", "1", "2"}));

    // Right after, a version at the same price level year: no second correction.
    const VersionChange again = applyVersionChange(folder.workspace(), 1, 12);
    ASSERT_TRUE(again.applied);
    EXPECT_EQ(again.factor, 1.0f);
    EXPECT_EQ(facility(), QStringList{"12|2007|105059.99|2101.2|5253|210.12"});
    EXPECT_EQ(costItems().first(), QStringLiteral("10|Inspecteren|1|301|157.59|-|-"));
}

TEST_F(VersionChangeTest, AFailureHalfwayChangesNothing)
{
    const QStringList before = facility() + costItems() + rows("SELECT strObject FROM tblInrichting");
    // The fifth cost item's update is refused, after the facility and four items were converted.
    ASSERT_TRUE(folder.workspace().dataDatabase()->exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblAct WHEN old.idrAct_ID = 14 "
                       "BEGIN SELECT RAISE(ABORT, 'geweigerd'); END")));
    const VersionChange change = applyVersionChange(folder.workspace(), 1, 11);
    EXPECT_FALSE(change.applied);
    EXPECT_TRUE(change.failure.contains(u"geweigerd")) << change.failure.toStdString();
    EXPECT_EQ(facility() + costItems() + rows("SELECT strObject FROM tblInrichting"), before);
    EXPECT_FALSE(applyVersionChange(folder.workspace(), 1, 99).applied);
}

// The newer versions on offer, the comparison with two of them and with a version after the first change:
// every part with its looks (tests/golden/core/version-comparison.txt).
TEST_F(VersionChangeTest, ComparisonReportsWhatTheChangeWillDo)
{
    const std::optional<QList<ChecklistVersionEntry>> versions =
        newerChecklistVersions(folder.workspace(), 1, 10);
    ASSERT_TRUE(versions);
    QString text;
    const auto compare = [&](const ChecklistVersionEntry& version) {
        report::ScreenReport changed, added, removed, consequences;
        const report::VersionComparison comparison = report::writeVersionComparison(
            folder.workspace(), 1, version.id, {changed, added, removed, consequences});
        const report::ComparisonCaptions captions = report::comparisonCaptions(version.text);
        text += QStringLiteral("==== %1 %2, factor %3%4\n")
                    .arg(version.key(), version.text)
                    .arg(double(comparison.factor), 0, 'f', 7)
                    .arg(comparison.failure);
        text += captions.changed + u'\n' + test::dumpScreen(changed) + captions.added + u'\n' +
                test::dumpScreen(added) + captions.removed + u'\n' + test::dumpScreen(removed) +
                QStringLiteral("-- gevolgen\n") + test::dumpScreen(consequences);
    };
    // Newest release first; 12 has 11's items, so of those two only 11 is compared before the change.
    for (const ChecklistVersionEntry& version : *versions)
        text += version.key() + u' ' + version.text + u'\n';
    compare(versions->at(1));
    compare(versions->at(2));
    ASSERT_TRUE(applyVersionChange(folder.workspace(), 1, 11).applied);
    compare({12, QStringLiteral("2008 (herzien)")});
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/version-comparison.txt"), text));
}

} // namespace
