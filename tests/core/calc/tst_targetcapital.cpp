// A target capital's inputs as read from the data file: the facility's rates in percent, its aftercare
// start as a decimal year, its surcharges, provisions and cost items, and the stored values that are no
// numbers. The arithmetic on those inputs: tst_computetargetcapital.
#include "calc/clsDV.h"
#include "calc/targetcapitalinputs.h"
#include "storage/database.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// Aftercare from 16 July 2010, two provisions with a cost item each: tests/data/targetcapital_*.sql.
class TargetCapitalTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("targetcapital_checklist.sql"), QStringLiteral("targetcapital_data.sql"));
    }
};

} // namespace

TEST_F(TargetCapitalTest, InputsAsReadFromTheDataFile)
{
    TargetCapitalInputs inputs;
    ASSERT_TRUE(readTargetCapitalInputs(folder.workspace(), 1, inputs));
    EXPECT_EQ(inputs.name, QStringLiteral("Zuid"));
    EXPECT_EQ(inputs.r, 0.04f);
    EXPECT_EQ(inputs.i, 0.02f);
    EXPECT_EQ(inputs.S, float(2010 + 6 / 12.0 + 1 / 24.0));
    EXPECT_EQ(inputs.P, 2008);
    EXPECT_EQ(inputs.checklist.sngRapEvalMin(), 3500.0f);
    const FacilitySurcharges& s = inputs.surcharges;
    EXPECT_EQ((std::vector<float>{s.area, float(s.optieRapEval), s.rapEvalMin, s.rapEvalPerHa, s.rapEvalMax,
                                  s.communicatie, s.appBasis, s.appPerc, s.onvoorzien, s.ontwerpdirectie,
                                  s.risico}),
              (std::vector<float>{22.5f, 2, 3000, 200, 9000, 2000, 5000, 3, 10, 12, 250000}));
    EXPECT_EQ(inputs.provisions, 2);
    ASSERT_EQ(inputs.costItems.size(), 2u);
    const StoredCostItem& replacement = inputs.costItems[1];
    EXPECT_EQ(replacement.id, 2);
    EXPECT_EQ(replacement.act, QStringLiteral("Vervangen"));
    EXPECT_EQ(replacement.object, QStringLiteral("Hekwerk"));
    EXPECT_EQ(replacement.objectCat, 7);
    EXPECT_EQ(replacement.values.intStartRel.value(), 10.0);
    EXPECT_EQ(replacement.values.sngKostenTotaal.value(), 5000.0);
    EXPECT_FALSE(replacement.values.intFreqX.isEntered());
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A calculation of the facility is one on these inputs; given rates replace its own for that
    // calculation only.
    clsDV dv(folder.workspace());
    ASSERT_TRUE(dv.initializeDV(1));
    ASSERT_TRUE(dv.BerekenAlles());
    const TargetCapital figures = computeTargetCapital(inputs);
    EXPECT_EQ(dv.itemNCW(0), figures.items[0].ncw);
    EXPECT_EQ(dv.DoelvermogenMetRisicoFonds(), TargetCapitalSums(inputs, figures).metRisicoFonds());
    ASSERT_TRUE(dv.initializeDV(1, 0.05f, clsDV::OwnRate));
    EXPECT_EQ(dv.rente(), 0.05f);
    EXPECT_EQ(dv.inflatie(), 0.02f);
    ASSERT_TRUE(dv.initializeDV(1, clsDV::OwnRate, 0.01f));
    EXPECT_EQ(dv.rente(), 0.04f);
    EXPECT_EQ(dv.inflatie(), 0.01f);
}

// Each change is undone before the next: a failed calculation keeps nothing of it.
TEST_F(TargetCapitalTest, StoredValuesThatAreNoNumbersStopTheCalculation)
{
    const auto facilityField = [](const char* field, const char* value) -> QString {
        return QStringLiteral("Het veld '") + QLatin1String(field) +
               QStringLiteral("' van inrichting 'Zuid' bevat geen geldig getal ('") + QLatin1String(value) +
               QStringLiteral("').");
    };
    const std::pair<const char*, QString> cases[] = {
        {"UPDATE tblStort SET sngRentePerc = 'abc'", facilityField("sngRentePerc", "abc")},
        {"UPDATE tblStort SET intJaarPrijspeil = 2010.5", facilityField("intJaarPrijspeil", "2010.5")},
        {"UPDATE tblStort SET sngOnvoorzien = 1e300", facilityField("sngOnvoorzien", "1e+300")},
        {"UPDATE tblAct SET sngKostenTotaal = 'abc'",
         QStringLiteral(
             "Het veld 'sngKostenTotaal' van kostenpost 'Maaien' bevat geen getal.\r\nControleer de "
             "gegevens van deze post.")},
    };
    clsDV dv(folder.workspace());
    for (const auto& [sql, text] : cases) {
        SCOPED_TRACE(sql);
        recorder.clear();
        Transaction undo(*folder.workspace().dataDatabase());
        ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QLatin1String(sql)));
        EXPECT_FALSE(dv.initializeDV(1) && dv.BerekenAlles());
        EXPECT_EQ(recorder.texts(), QStringList{text});
        EXPECT_EQ(recorder.titles(),
                  QStringList{QStringLiteral("Doelvermogenberekening inrichting 'Zuid' afgebroken")});
    }
    recorder.clear();
    EXPECT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
    EXPECT_TRUE(recorder.recorded().isEmpty());
}
