// A demo landfill compared with an exchange file of itself, before and after changes by hand: what is listed,
// how the difference of the target capital is divided, and the data file only read.
#include "calc/facilitycomparison.h"
#include "exchange/facilityexchange.h"
#include "exchange/facilitystates.h"
#include "reports/comparisonreport.h"
#include "reports/formats/screenreport.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

class FacilityComparisonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.linkDemoData());
        ASSERT_TRUE(exchange::exportFacility(folder.workspace(), 1, exported).isEmpty());
    }
    QByteArray dataFileHash()
    {
        QFile file(folder.workspace().dataFilePath());
        return file.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }
    // The present facility 1 compared with the exported file, the data file left as it was.
    FacilityComparison compareWithExport()
    {
        const QByteArray before = dataFileHash();
        const ExportedState earlier = readExportedState(folder.workspace(), 1, exported);
        EXPECT_TRUE(earlier.state) << earlier.error.toStdString();
        const std::optional<FacilityState> now = readFacilityState(folder.workspace(), 1);
        EXPECT_EQ(dataFileHash(), before);
        return earlier.state && now ? compareFacilityStates(*earlier.state, *now, 19) : FacilityComparison{};
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    const QString exported = folder.filePath(QStringLiteral("kragge.xml"));
};

TEST_F(FacilityComparisonTest, OwnExportDiffersInNothing)
{
    const FacilityComparison comparison = compareWithExport();
    EXPECT_TRUE(comparison.nothingDiffers());
    EXPECT_EQ(comparison.before.doelvermogen, comparison.now.doelvermogen);
    EXPECT_EQ(comparison.before.levy, comparison.now.levy);
}

// Two amounts, a frequency, a removed and an added item and the interest: exactly these are listed, and the
// parts of the difference add up to it.
TEST_F(FacilityComparisonTest, ChangesByHandAreListedAndExplainTheDifference)
{
    ASSERT_TRUE(folder.workspace().dataDatabase()->execScript(QStringLiteral(
        "UPDATE tblAct SET sngKostenTotaal = 12000 WHERE idrAct_ID = 4;"
        "UPDATE tblAct SET sngKostenPE = 110 WHERE idrAct_ID = 12;"
        "UPDATE tblAct SET intFreqX = 15 WHERE idrAct_ID = 19;"
        "DELETE FROM tblAct WHERE idrAct_ID = 22;"
        "INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, bytRubriek_REF, "
        "bytOptieStart, "
        "intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, "
        "sngKostenTotaal) SELECT lngStort_REF, lngInrichting_REF, 0, 'Onderhoud picknickplaatsen', 4, 2, 1, "
        "0, "
        "3, 0, 2, 1, 2, 800 FROM tblAct WHERE idrAct_ID = 23;"
        "UPDATE tblStort SET sngRentePerc = 4.5 WHERE idrStort_ID = 1;")));
    const FacilityComparison comparison = compareWithExport();
    ASSERT_TRUE(comparison.difference);
    const DifferenceParts& parts = *comparison.difference;
    EXPECT_EQ(parts.rates + parts.surcharges + parts.items, parts.total);
    EXPECT_EQ(parts.total, std::llround(double(comparison.now.doelvermogen) * 100) -
                               std::llround(double(comparison.before.doelvermogen) * 100));
    qint64 effects = 0;
    for (const ItemDifference& item : comparison.items)
        effects += item.effect;
    EXPECT_EQ(effects, parts.items);

    report::ScreenReport text;
    report::writeComparison(text, comparison, QStringLiteral("Stortplaats De Kragge"),
                            QStringLiteral("kragge.xml"), 19);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/comparison-changes-by-hand.txt"), text.plainText()));
}

} // namespace
