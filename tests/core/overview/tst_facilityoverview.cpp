// The overview of a data file: each row's figures are those of the facility's own calculation and levy, on
// the demo data and on 50 facilities (copies of the demo ones in several provinces, some of them faulty);
// a facility that cannot be calculated keeps its row with its reason; nothing is shown to the user.
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "checklist/checklistsystem.h"
#include "exchange/facilityexchange.h"
#include "overview/facilityoverview.h"
#include "storage/database.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// The target capital and the levy per ton as the single-facility commands calculate them (which first check
// that the facility's checklist version is installed).
void expectOwnFigures(Workspace& workspace, const OverviewRow& row)
{
    SCOPED_TRACE(row.name.toStdString());
    clsDV dv(workspace);
    const bool ok = checklistBestaat(workspace, row.checklistVersion) && dv.initializeDV(row.id) &&
                    dv.VerifyBeforeBerekening2() && dv.BerekenAlles();
    EXPECT_EQ(row.targetCapital, ok ? std::optional(dv.DoelvermogenMetRisicoFonds()) : std::nullopt);
    if (!ok)
        return;
    clsHeffing levy(workspace, row.id);
    levy.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    EXPECT_EQ(row.levyPerTon,
              levy.ValidatieOK ? std::optional(levy.HeffingPerTon_prijspeil_tRef) : std::nullopt);
}

// What a row tells besides its figures.
QString described(const OverviewRow& row)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|%10|%11|%12")
        .arg(row.name)
        .arg(row.province)
        .arg(row.checklistVersion)
        .arg(row.newerChecklist)
        .arg(row.costItems)
        .arg(row.incomplete)
        .arg(row.conforming)
        .arg(row.deviating)
        .arg(row.userDefined)
        .arg(row.lastChange.has_value())
        .arg(row.ok)
        .arg(row.message);
}

class OverviewTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDemoData()); }

    void expectOwnFiguresOfAll(const FacilityOverview& overview)
    {
        for (const OverviewRow& row : overview.rows)
            expectOwnFigures(folder.workspace(), row);
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
};

TEST_F(OverviewTest, DemoFacilities)
{
    const std::optional<FacilityOverview> overview = makeFacilityOverview(folder.workspace());
    ASSERT_TRUE(overview);
    QStringList rows;
    for (const OverviewRow& row : overview->rows)
        rows.append(described(row));
    EXPECT_TRUE(recorder.texts().isEmpty()) << recorder.texts().join(u'\n').toStdString();
    // name|province|version|newer version|cost items|incomplete|conforming|deviating|own|changed|ok|message
    EXPECT_EQ(rows, QStringList({"Stortplaats De Kragge|70|3|1|24|0|21|1|2|1|1|",
                                 "Stortplaats Vlagheide|70|1|1|23|0|20|1|2|1|1|",
                                 "Baggerdepot Hollandsch Diep|120|4|0|12|0|11|0|1|1|1|Er zijn geen gegevens "
                                 "beschikbaar m.b.t. de prognose van het afvalaanbod. De heffing kan niet "
                                 "berekend worden."}));
    expectOwnFiguresOfAll(*overview);
    ASSERT_EQ(overview->totals.size(), 2u);
    EXPECT_EQ(overview->totals[0].facilities, 2);
    EXPECT_EQ(overview->totals[0].targetCapital,
              double(*overview->rows[0].targetCapital) + double(*overview->rows[1].targetCapital));
}

// 47 copies of the demo facilities over four provinces; copy 5 lacks its aftercare area, copy 9 is bound to
// a checklist version that is not installed, copy 13 has another interest than the rest of its group, copy
// 21 has incomplete cost items.
TEST_F(OverviewTest, FiftyFacilities)
{
    Workspace& workspace = folder.workspace();
    QStringList files;
    for (long id = 1; id <= 3; ++id) {
        files.append(folder.filePath(QStringLiteral("%1.xml").arg(id)));
        ASSERT_EQ(exchange::exportFacility(workspace, id, files.last()), QString());
    }
    for (int copy = 0; copy < 47; ++copy) {
        const exchange::ImportOutcome imported = exchange::importFacility(
            workspace, files[copy % 3], [](const QString&) { return QString(); },
            QStringLiteral("Kopie %1").arg(copy));
        ASSERT_EQ(imported.status, exchange::ImportOutcome::Status::Imported) << imported.error.toStdString();
    }
    std::shared_ptr<Database> data = workspace.dataDatabase();
    ASSERT_TRUE(data->execScript(
        QStringLiteral("UPDATE tblStort SET bytProv_REF = 10 * (1 + idrStort_ID % 4) WHERE idrStort_ID > 3;"
                       "UPDATE tblStort SET sngNazorgOpp = 0 WHERE strStortNaam = 'Kopie 5';"
                       "UPDATE tblStort SET intCL_REF = 99 WHERE strStortNaam = 'Kopie 9';"
                       "UPDATE tblStort SET sngRentePerc = 4 WHERE strStortNaam = 'Kopie 13';"
                       "UPDATE tblAct SET intFreqX = NULL WHERE bytOptieFreq = 3 AND lngStort_REF = "
                       "(SELECT idrStort_ID FROM tblStort WHERE strStortNaam = 'Kopie 21');")));

    int calls = 0;
    const std::optional<FacilityOverview> overview =
        makeFacilityOverview(workspace, {}, [&calls](int done, int total) {
            EXPECT_EQ(done, ++calls);
            EXPECT_EQ(total, 100);
            return true;
        });
    ASSERT_TRUE(overview);
    EXPECT_TRUE(recorder.texts().isEmpty()) << recorder.texts().join(u'\n').toStdString();
    ASSERT_EQ(overview->rows.size(), 50u);
    expectOwnFiguresOfAll(*overview);
    QStringList faulty;
    for (const OverviewRow& row : overview->rows) {
        if (!row.ok || row.name == u"Kopie 13")
            faulty.append(described(row));
    }
    EXPECT_EQ(faulty,
              QStringList({"Kopie 5|20|4|0|12|0|11|0|1|1|0|Er is geen (geldig) nazorgoppervlak "
                           "ingevoerd in het scherm 'Toeslagen nazorgfase'.",
                           "Kopie 9|20|99|0|24|0|21|1|2|1|0|Deze inrichting is gerelateerd aan een "
                           "nieuwere versie van de TALVO-checklist.",
                           "Kopie 13|20|1|1|23|0|20|1|2|1|1|Bij inrichting 'Kopie 1' heeft u andere "
                           "rente en/of inflatie ingevoerd dan bij inrichting 'Kopie 13'.",
                           "Kopie 21|20|3|1|24|8|21|1|2|1|0|Bij een of meer kostenposten is de invoer "
                           "nog niet volledig ('rood stopbord' in formulier 'Voorzieningen en "
                           "kostenposten')."}));
    ASSERT_EQ(overview->totals.size(), 6u);
    EXPECT_EQ(overview->totals[1].facilities, 12);
    EXPECT_EQ(overview->totals[1].incomplete, 1);

    // A filter leaves the rows of the others out, figures and all.
    const OverviewFilter filter{20, 1};
    const std::optional<FacilityOverview> filtered = makeFacilityOverview(workspace, filter);
    ASSERT_TRUE(filtered);
    std::vector<OverviewRow> expected;
    for (const OverviewRow& row : overview->rows) {
        if (filter.passes(row.province, row.type))
            expected.push_back(row);
    }
    ASSERT_EQ(filtered->rows.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_EQ(described(filtered->rows[k]) +
                      QString::number(filtered->rows[k].targetCapital.value_or(-1)),
                  described(expected[k]) + QString::number(expected[k].targetCapital.value_or(-1)));
    EXPECT_EQ(filtered->totals.size(), 1u);

    // Stopped through its progress, a run gives nothing.
    EXPECT_FALSE(makeFacilityOverview(workspace, {}, [](int done, int) { return done < 3; }));
}

} // namespace
