// The target capital section and the levy section of the report, written into a document and into the
// report window: layout, grouping and progress over a small scenario compared with golden files, and the
// section left out when its rows cannot be had. (The demo facilities' reports are in tst_reportgolden.)
#include "reports/targetcapitalreport.h"

#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "reports/docxdocument.h"
#include "reports/screenreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/qtprinting.h"
#include "support/screendump.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace dovra;
using report::DocxDocument;
using report::ScreenReport;

namespace {

// One landfill version with a fixed design and supervision percentage and one mowing item: yearly for ever
// from aftercare year 1, one or two times a year, a total amount of 500 to 5000.
const char* const ChecklistSql = R"(
INSERT INTO tblStortType VALUES (1, 'stortplaats');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngCommunicatieMIN,
    sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken,
    sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax) VALUES
    (1, 'stortplaatsen', '2008-01-01', 1, 2010, 2000, -999, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12,
        0, 0, 0);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, blnIsCombinatiePost, blnCombinatieMogelijk,
    bytObjectCat_REF, strVoorz, strOmschrijving, bytRubriek_REF, intStartJaar, bytStartBA, bytOptieEind, bytEindBA,
    bytOptieFreq, sngFreqXMin, sngFreqXMax, bytOptieKosten, sngKostenTotaalMIN, sngKostenTotaalMAX,
    bytTypeVervangingsToeslag) VALUES
    (10, 1, -1, 0, 0, 2, 'Bovenafdichting', 'Maaien', 4, 1, 0, 3, 0, 2, 1, 2, 2, 500, 5000, 0);
)";

// Without interest and inflation, and with the price level year as start year, a yearly cost for ever is
// worth 1000 times its amount and a one-off cost its amount.
// Zuid (1): a checklist item whose cost alone fails (its cost option differs), a conforming one, and
// user-defined items in rubrics 2, 5 and 6, over three object categories; communication below the
// checklist's minimum. Noord (2): one yearly item. Zuid and Noord are equalised; Eigen put (3) is
// object-bound.
const char* const DataSql = R"(
INSERT INTO tblStort (idrStort_ID, strStortNaam, bytProv_REF, intStortType, intCL_REF, bytBedrijfsGebonden,
    bytObjectGebonden, sngRentePerc, sngInflPerc, intJaarPrijspeil, dtmAanvangNazorg, sngNazorgOpp, bytRapEval,
    sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngAlgAppKostenBasis,
    sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES
    (1, 'Zuid', 120, 1, 1, 0, 0, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 1500, 5000, 3, 10, 12, 250000),
    (2, 'Noord', 120, 1, 1, 0, 0, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0),
    (3, 'Eigen put', 120, 1, 1, 0, 1, 0, 0, 2010, '2010-01-01', 20, 1, 3500, 225, 9000, 2000, 5000, 3, 10, 12, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 3, 'Peilbuizen'), (3, 1, 7, 'Toegangsweg'),
    (4, 2, 2, 'Bovenafdichting'), (5, 3, 2, 'Bovenafdichting');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartRel, bytStartBA, bytOptieEind, bytEindBA, bytOptieFreq, intFreqX,
    bytOptieKosten, sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, dtmMut) VALUES
    (1, 1, 1, 10, 2, 'Maaien talud en kruin van de bovenafdichting', 4, 2, 1, 0, 3, 0, 2, 1, 3, NULL, 0.25,
        12000, 'm2 talud en kruin (tweemaal maaien)', '2020-01-01T00:00:00'),
    (2, 1, 1, 10, 1, 'Onderhoud grasmat', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (3, 1, 2, NULL, 0, 'Bemonstering grondwater', 2, 2, 1, 0, 3, 0, 2, 1, 2, 500, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (4, 1, 2, NULL, 0, 'Vervangen peilbuizen', 5, 2, 20, 0, 3, 0, 1, NULL, 2, 25000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (5, 1, 3, NULL, 0, 'Onderhoud toegangsweg', 6, 2, 10, 0, 3, 0, 1, NULL, 2, 2000, NULL, NULL, NULL,
        '2020-01-01T00:00:00'),
    (6, 2, 4, NULL, 0, 'Maaien dijk', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL, '2020-01-01T00:00:00'),
    (7, 3, 5, NULL, 0, 'Maaien', 4, 2, 1, 0, 3, 0, 2, 1, 2, 1000, NULL, NULL, NULL, '2020-01-01T00:00:00');
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES
    (1, 2010, 50), (1, 2011, 60), (2, 2011, 40), (2, 2012, 30), (3, 2010, 100), (3, 2011, 120);
)";

class TargetCapitalReportTest : public test::SqlFilesTest
{
protected:
    void SetUp() override { useFiles(ChecklistSql, DataSql); }

    void calculate(int id)
    {
        ASSERT_TRUE(dv.initializeDV(id));
        ASSERT_TRUE(dv.VerifyBeforeBerekening2());
        ASSERT_TRUE(dv.BerekenAlles());
        ASSERT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    }

    Workspace& workspace() { return folder.workspace(); }

    clsDV dv{folder.workspace()};
};

QString dumpOf(const DocxDocument& document)
{
    return test::dumpDocx(test::readDocx(document.part(QStringLiteral("word/document.xml"))));
}

} // namespace

// Zuid in every grouping (a checklist item outside its criteria by its cost alone, one within, user-defined
// items over three categories), Noord by rubric without replacements: the section in the document, with the
// progress it reported, and on screen.
TEST_F(TargetCapitalReportTest, SectionPerGroupingMatchesItsGoldenFile)
{
    for (const auto& [id, grouping, golden] :
         {std::tuple{1, DVGrouping::Voorziening, "reports/zuid-voorziening.txt"},
          std::tuple{1, DVGrouping::Rubriek, "reports/zuid-rubriek.txt"},
          std::tuple{1, DVGrouping::Talvo, "reports/zuid-talvo.txt"},
          std::tuple{2, DVGrouping::Rubriek, "reports/noord-rubriek.txt"}}) {
        SCOPED_TRACE(golden);
        ASSERT_NO_FATAL_FAILURE(calculate(id));
        DocxDocument document;
        QStringList progress;
        ASSERT_TRUE(report::writeTargetCapital(document, workspace(), dv, grouping,
                                               [&](int done) { progress.append(QString::number(done)); }));
        ScreenReport screen;
        ASSERT_TRUE(report::writeTargetCapital(screen, workspace(), dv, grouping));
        EXPECT_TRUE(test::matchesGolden(QLatin1String(golden),
                                        QStringLiteral("=== document, progress ") + progress.join(u' ') +
                                            u'\n' + dumpOf(document) + QStringLiteral("=== screen\n") +
                                            test::dumpScreen(screen)));
    }
}

// Eigen put is object-bound: its own levy, in the document; Zuid's is equalised with Noord's, on screen.
TEST_F(TargetCapitalReportTest, LevyMatchesItsGoldenFile)
{
    ASSERT_NO_FATAL_FAILURE(calculate(3));
    clsHeffing own(workspace(), 3);
    own.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(own.ValidatieOK);
    DocxDocument document;
    report::writeLevy(document, dv, own);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/eigenput-heffing.txt"), dumpOf(document)));

    ASSERT_NO_FATAL_FAILURE(calculate(1));
    clsHeffing equalised(workspace(), 1);
    equalised.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(equalised.ValidatieOK) << recorder.texts().join(u'|').toStdString();
    ScreenReport screen;
    report::writeLevy(screen, dv, equalised);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/zuid-heffing.txt"), test::dumpScreen(screen)));
}

// A row added after the calculation (tst_reportrows has its message), then rows that cannot be read: no
// section, and nothing written.
TEST_F(TargetCapitalReportTest, NoSectionWithoutTheRowsOfTheCalculation)
{
    ASSERT_NO_FATAL_FAILURE(calculate(2));
    ASSERT_TRUE(workspace().dataDatabase()->exec(
        QStringLiteral("INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, bytIsTALVO, strAct, "
                       "bytRubriek_REF) VALUES (40, 2, 4, 0, 'Nieuw', 4)")));
    ScreenReport screen;
    EXPECT_FALSE(report::writeTargetCapital(screen, workspace(), dv, DVGrouping::Voorziening));
    EXPECT_EQ(recorder.texts(), QStringList{QStringLiteral("Doelvermogen-ID 40 niet gevonden.")});

    ASSERT_TRUE(workspace().dataDatabase()->exec(QStringLiteral("DROP TABLE tblAct")));
    DocxDocument document;
    EXPECT_FALSE(report::writeTargetCapital(document, workspace(), dv, DVGrouping::Rubriek));
    EXPECT_EQ(dumpOf(document), QStringLiteral("section 21.00 x 29.70 cm, margins top 2.50 bottom 2.50 left "
                                               "2.50 right 2.50, header 1.25 footer 1.25\n"));
}
