// The sections of the input data report, written into a document and read back from its XML, compared
// with golden files per facility of a scenario of their own; the header's version, and a facility that is
// not there. (The cover of the target capital report is in the demo facilities' golden files.)
#include "reports/docxdocument.h"
#include "reports/inputreport.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::report;

namespace {

// Version 1 has a fixed design and supervision percentage, version 2 sets the surcharges per replacement
// item (-999). Item 14 is no longer active; item 11 is in both versions.
const char* const ChecklistSql = R"(
INSERT INTO tblStortType VALUES (1, 'stortplaats');
INSERT INTO tblObjectCat VALUES (1, 'Algemeen'), (2, 'Bovenafdichting'), (3, 'Grondwatermonitoringssysteem');
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngRapEvalPerHa,
    sngRapEvalMin, sngRapEvalMax, sngOnvoorzien, sngOntwerpdirectie) VALUES
    (1, 'vast', '2007-03-01', 1, 2006, 225, 3500, 9000, 0.10, 0.12),
    (2, 'per post', '2013-09-15', 1, 2012, 250, 4000, 10000, 0.10, -999);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, bytObjectCat_REF, strVoorz, strOmschrijving,
    bytRubriek_REF, strRefDeelonderz) VALUES
    (11, 1, -1, 1, 'Beheer', 'Administratie', 6, 'D1'),
    (12, 1, -1, 2, 'Bovenafdichting', 'Inspectie', 3, 'D2'),
    (13, 1, -1, 2, 'Bovenafdichting', 'Maaien', 4, NULL),
    (14, 1, 0, 2, 'Bovenafdichting', 'Vervallen post', 4, 'D4'),
    (21, 2, -1, 3, 'Peilbuizen', 'Bemonsteren', 2, 'D3'),
    (22, 2, -1, 1, 'Beheer', 'Verzekeringen', 6, NULL),
    (23, 2, -1, 2, 'Afdekking', 'Maaien', 4, 'D2'),
    (11, 2, -1, 1, 'Beheer', 'Administratie', 6, 'D1');
)";

// Facility 1 (version 1, 21 ha) has provisions, three cost items and a forecast with an empty year;
// facility 2 (version 2, no area, no aftercare start) has nothing else; facility 3 (version 1, 50 ha)
// took over every item of its version; facility 4 (version 1, 8 ha) has no cost items.
const char* const DataSql = R"(
INSERT INTO tblStort (idrStort_ID, strStortNaam, strRIVMnr, bytProv_REF, memVestigingsadres, intStortType,
    strVergNaam, strVergPostAdres, strVergContPers, strVergTel, strVergFax, strVergEmail,
    strInvNaam, strInvPostAdres, strInvContPers, strInvTel, strInvFax, strInvEmail,
    sngRentePerc, sngInflPerc, dtmAanvangNazorg, intJaarPrijspeil, intCL_REF, bytBedrijfsGebonden,
    bytObjectGebonden, sngNazorgOpp, sngAlgAppKostenBasis, sngAppKostenPerc, bytRapEval, sngRapEvalMin,
    sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten, sngOnvoorzien, sngOntwerpdirectie,
    sngAlgRisicoBedrag) VALUES
    (1, 'Stortplaats Noord', 'GR-0101', 50, 'Dijkweg 1, 9999 AA Ergens', 1,
     'Afvalbedrijf Noord', 'Postbus 1, 9999 AA Ergens', 'J. Jansen', '050-1111111', '050-1111112',
     'info@noord.example',
     'Provincie Groningen', 'Postbus 2, 9700 AA Groningen', 'P. Pieters', '050-2222222', '050-2222223',
     'nazorg@groningen.example',
     4, 2.5, '2030-01-01', 2006, 1, 0, 0, 21, 16000, 3, 2, 3500, 225, 9000, 7500, 10, 12, 250000),
    (2, 'Depot Zuid', 'ZH-0202', 120, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 5.06, 2, NULL, 2012, 2, 1, 1, NULL, 6000, 3, 0, 4000, 250, 10000, 2500, 10, 0, 0),
    (3, 'Stortplaats Oost', 'DR-0303', 10, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 4, 2, '2031-01-01', 2006, 1, 0, 0, 50, 5000, 3, 3, 3500, 225, 9500, 2000, 10, 12, 0),
    (4, 'Stortplaats West', 'NH-0404', 80, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, 4, 2, '2031-01-01', 2006, 1, 0, 0, 8, 5000, 3, 1, 3200, 225, 9000, 2000, 10, 12, 0);
INSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, strObject) VALUES
    (1, 1, 2, 'Bovenafdichting'), (2, 1, 1, 'Beheer'), (3, 1, 2, 'Afdekking'),
    (4, 3, 1, 'Beheer'), (5, 3, 2, 'Bovenafdichting');
INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, lngClitem_REF, bytIsTALVO, strAct,
    bytRubriek_REF, bytOptieStart, intStartAbs, intStartRel, bytStartBA, intStartBA, bytOptieEind,
    intEindRel, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, sngPercInvest, sngKostenInvest,
    sngKostenTotaal, sngKostenPE, sngAantal, strEenheid, strNazorgplanRef, strOpm) VALUES
    (1, 1, 2, 11, 1, 'Administratie', 6, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 1000, NULL,
     NULL, NULL, 'par. 3', NULL),
    (2, 1, 1, 12, 2, 'Inspectie', 3, 1, 2012, NULL, 1, 3, 3, NULL, 0, 1, NULL, 3, NULL, NULL, NULL, 40, 2.5,
     'ha', NULL, 'eens'),
    (3, 1, 3, 13, 0, 'Eigen post', 4, 2, NULL, 5, 0, NULL, 2, 10, 0, 3, 2, 1, 4.5, 48000, NULL, NULL, NULL,
     NULL, NULL, NULL),
    (4, 3, 4, 11, 1, 'Administratie', 6, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 1000, NULL,
     NULL, NULL, NULL, NULL),
    (5, 3, 4, 11, 1, 'Administratie', 6, 2, NULL, 31, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 1200, NULL,
     NULL, NULL, NULL, NULL),
    (6, 3, 5, 12, 1, 'Inspectie', 3, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 500, NULL,
     NULL, NULL, NULL, NULL),
    (7, 3, 5, 13, 2, 'Maaien', 4, 2, NULL, 1, 0, NULL, 3, NULL, 0, 2, 1, 2, NULL, NULL, 800, NULL,
     NULL, NULL, NULL, NULL);
INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) VALUES (1, 2027, 120), (1, 2025, 100), (1, 2026, NULL);
)";

ReportContext contextOf(Workspace& workspace, long facilityId)
{
    return {&workspace,
            facilityId,
            QStringLiteral("/data/nazorg.mdb"),
            QDateTime(QDate(2026, 12, 6), QTime(14, 5)),
            {}};
}

test::DocxContent bodyOf(const DocxDocument& document)
{
    return test::readDocx(document.part(QStringLiteral("word/document.xml")));
}

class InputReportTest : public test::SqlFilesTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(useFiles(ChecklistSql, DataSql)); }
};

} // namespace

// Noord (1) with every block and a forecast with a year not entered; 2 with differentiated surcharges, no
// aftercare start, area, forecast or cost items, nothing taken over from the checklist; 3 and 4 with the
// reporting costs at their maximum and minimum, 3 with every checklist item taken over (one twice). Noord
// still lists item 13: the cost item that refers to it became the user's own.
TEST_F(InputReportTest, EverySectionPerFacilityMatchesItsGoldenFile)
{
    for (long id : {1, 2, 3, 4}) {
        SCOPED_TRACE(id);
        DocxDocument document;
        const ReportContext context = contextOf(folder.workspace(), id);
        ASSERT_TRUE(writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt, context));
        ASSERT_TRUE(writeProvisions(document, context));
        ASSERT_TRUE(writeCostItems(document, context));
        ASSERT_TRUE(writeUnselectedChecklistItems(document, false, context));
        EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/invoer-%1.txt").arg(id),
                                        test::dumpDocx(bodyOf(document))));
    }
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

// The header names the version of the workspace; a facility that is not there writes nothing.
TEST_F(InputReportTest, HeaderVersionAndUnknownFacility)
{
    DocxDocument document;
    Workspace workspace(folder.paths(), ProgramVersion{3, 9, 0});
    writeHeaderFooter(document, contextOf(workspace, 1));
    EXPECT_EQ(test::readDocx(document.part(QStringLiteral("word/header1.xml"))).lines(),
              QStringList({QStringLiteral("DOVRA 3.9")}));
    EXPECT_FALSE(writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt,
                                  contextOf(folder.workspace(), 99)));
    EXPECT_FALSE(writeUnselectedChecklistItems(document, false, contextOf(folder.workspace(), 99)));
    EXPECT_TRUE(bodyOf(document).lines().isEmpty());
}
