// The sections of the input data report and the cover of the target capital report, written into a
// document and read back from its XML: titles, page set-up, the general data blocks, the summary of a
// real calculation, the forecast, provisions, cost items with their legend, the checklist items not
// taken over, and the header and footer.
#include "base/formats.h"
#include "calc/clsDV.h"
#include "reports/docxdocument.h"
#include "reports/inputreport.h"
#include "storage/workspace.h"
#include "support/docxinspect.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <optional>

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

const QString Title = QStringLiteral("Rapportage DOVRA: ingevoerde data");
const QString Written = QStringLiteral("Gegenereerd d.d.  6-dec-2026  14:05");
const QString SignatureHeadings = QStringLiteral("Naam\tDatum\tParaaf");

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
    test::DocxContent content = test::readDocx(document.part(QStringLiteral("word/document.xml")));
    EXPECT_EQ(content.parseError, QString());
    return content;
}

QStringList rowsOf(const test::DocxTable& table)
{
    QStringList rows;
    for (const test::DocxRow& row : table.rows)
        rows.append(row.texts().join(u'\t'));
    return rows;
}

// The rows of the first table after the paragraph that reads heading; empty without one.
QStringList tableAfter(const test::DocxContent& content, const QString& heading)
{
    bool found = false;
    for (const test::DocxSection& section : content.sections) {
        for (const test::DocxBlock& block : section.blocks) {
            if (!block.isTable && block.paragraph.text() == heading)
                found = true;
            else if (found && block.isTable)
                return rowsOf(block.table);
        }
    }
    return {};
}

// The first table whose first row reads firstRow.
std::optional<test::DocxTable> tableStartingWith(const test::DocxContent& content, const QString& firstRow)
{
    for (const test::DocxSection& section : content.sections) {
        for (const test::DocxBlock& block : section.blocks) {
            if (block.isTable && !block.table.rows.isEmpty() &&
                block.table.rows[0].texts().join(u'\t') == firstRow)
                return block.table;
        }
    }
    return std::nullopt;
}

// The lines that follow the first line reading `line`, up to the end.
QStringList linesAfter(const test::DocxContent& content, const QString& line)
{
    const QStringList lines = content.lines();
    const qsizetype at = lines.indexOf(line);
    return at < 0 ? QStringList() : lines.mid(at + 1);
}

QString euro(float amount)
{
    return formats::number(amount, QStringLiteral("€ #,#0"));
}

class InputReportTest : public test::SqlFilesTest
{
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(useFiles(ChecklistSql, DataSql)); }

    test::DocxContent write(const std::function<bool(DocxDocument&)>& section)
    {
        DocxDocument document;
        EXPECT_TRUE(section(document));
        return bodyOf(document);
    }

    test::DocxContent generalData(long facilityId)
    {
        return write([&](DocxDocument& document) {
            return writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt,
                                    contextOf(folder.workspace(), facilityId));
        });
    }
};

} // namespace

// --- general data ---

TEST_F(InputReportTest, GeneralDataOpensWithTitleMomentsAndFile)
{
    const test::DocxContent content = generalData(1);
    ASSERT_EQ(content.sections.size(), 1);
    const test::DocxSection& section = content.sections[0];
    EXPECT_NEAR(section.widthCm, 21.0, 0.01);
    EXPECT_NEAR(section.heightCm, 29.7, 0.01);
    EXPECT_FALSE(section.landscape);
    EXPECT_EQ(section.lines().mid(0, 5),
              QStringList({Title, ">> Algemene gegevens",
                           Written + "\tAfgedrukt d.d. {DATE \\@ \"d-MMM-yyyy H:mm\"}",
                           "Aantal pagina's: {NUMPAGES  \\* Arabic }", "Databestand: /data/nazorg.mdb"}));
    ASSERT_FALSE(section.blocks.isEmpty());
    EXPECT_DOUBLE_EQ(section.blocks[0].paragraph.runs.value(0).sizePt, 15.0);
    EXPECT_EQ(section.blocks[0].paragraph.runs.value(0).font, QStringLiteral("Arial"));
    // The input data report has no summary and no signature table.
    EXPECT_FALSE(content.lines().contains("Samenvatting berekening doelvermogen"));
    EXPECT_FALSE(tableStartingWith(content, SignatureHeadings));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

TEST_F(InputReportTest, GeneralDataBlocksOfAFacility)
{
    const test::DocxContent content = generalData(1);
    EXPECT_EQ(tableAfter(content, "Inrichting"),
              QStringList({"Naam\tStortplaats Noord", "RIVM-nummer\tGR-0101", "Provincie\tGroningen",
                           "Vestigingsadres\tDijkweg 1, 9999 AA Ergens",
                           "Type inrichting\tstortplaats, De inrichting is niet-bedrijfsgebonden en "
                           "niet-objectgebonden. ",
                           "Checklistversie\t2007"}));
    EXPECT_EQ(tableAfter(content, "Vergunninghouder"),
              QStringList({"Vergunninghouder\tAfvalbedrijf Noord", "Postadres\tPostbus 1, 9999 AA Ergens",
                           "Contactpersoon\tJ. Jansen", "Telefoon\t050-1111111", "Fax\t050-1111112",
                           "E-mail\tinfo@noord.example"}));
    EXPECT_EQ(tableAfter(content, "Invuller"),
              QStringList({"Ingevuld door\tProvincie Groningen", "Postadres\tPostbus 2, 9700 AA Groningen",
                           "Contactpersoon\tP. Pieters", "Telefoon\t050-2222222", "Fax\t050-2222223",
                           "E-mail\tnazorg@groningen.example"}));
    EXPECT_EQ(
        tableAfter(content, "Berekeningen"),
        QStringList({"Datum aanvang nazorg\t01-01-2030", "Jaar prijspeil\t2006", "Rente\t4,00%",
                     "Inflatie\t2,50%", "Percentage onvoorzien\t10 %", "Percentage ontwerp/directie\t12 %",
                     "Apparaatskosten basisbedrag\t€ 16.000 per jaar", "Apparaatskosten percentage\t3 %",
                     "Kosten rapportage/evaluatie\tper jaar: € 3.500 + (nazorgoppervlak - 10) x € 225 = "
                     "€ 5.975",
                     "Nazorgoppervlak \t21 ha", "Communicatiekosten\t€ 7.500 per jaar",
                     "Risicobedrag\t€ 250.000 (gekapitaliseerd)"}));
}

TEST_F(InputReportTest, GeneralDataWithoutDesignRateUnderDifferentiatedSurcharges)
{
    const test::DocxContent content = generalData(2);
    EXPECT_EQ(tableAfter(content, "Inrichting").value(4),
              "Type inrichting\tstortplaats, De inrichting is bedrijfsgebonden en objectgebonden. ");
    EXPECT_EQ(tableAfter(content, "Inrichting").value(5), "Checklistversie\t2013");
    // No aftercare start, no area and so no reporting option.
    EXPECT_EQ(tableAfter(content, "Berekeningen"),
              QStringList({"Datum aanvang nazorg\t", "Jaar prijspeil\t2012", "Rente\t5,06%",
                           "Inflatie\t2,00%", "Percentage onvoorzien\t10 %",
                           "Apparaatskosten basisbedrag\t€ 6.000 per jaar", "Apparaatskosten percentage\t3 %",
                           "Kosten rapportage/evaluatie\t?", "Nazorgoppervlak \t ha",
                           "Communicatiekosten\t€ 2.500 per jaar", "Risicobedrag\t€ 0 (gekapitaliseerd)"}));
}

TEST_F(InputReportTest, ReportingCostsFollowTheOptionOfTheArea)
{
    // 8 ha: the facility's minimum; 50 ha, above (9000 - 3500) / 225 + 10 ha: its maximum.
    EXPECT_TRUE(
        tableAfter(generalData(4), "Berekeningen").contains("Kosten rapportage/evaluatie\t€ 3.200 per jaar"));
    EXPECT_TRUE(
        tableAfter(generalData(3), "Berekeningen").contains("Kosten rapportage/evaluatie\t€ 9.500 per jaar"));
}

TEST_F(InputReportTest, ForecastOverleafInYearOrderWithTotal)
{
    const test::DocxContent content = generalData(1);
    const QStringList lines = content.lines();
    EXPECT_FALSE(lines.contains("Er is geen prognose van het afvalaanbod ingevoerd."));
    ASSERT_TRUE(lines.contains("Prognose afvalaanbod: z.o.z."));
    // The note, a page break, then the heading and the table.
    const QList<test::DocxBlock>& blocks = content.sections[0].blocks;
    qsizetype note = 0;
    while (note < blocks.size() && blocks[note].paragraph.text() != "Prognose afvalaanbod: z.o.z.")
        ++note;
    ASSERT_LT(note + 2, blocks.size());
    EXPECT_TRUE(blocks[note + 1].paragraph.pageBreak);
    EXPECT_EQ(blocks[note + 2].paragraph.text(), "Prognose afvalaanbod");
    EXPECT_EQ(tableAfter(content, "Prognose afvalaanbod"),
              QStringList({"Jaar\taanbod (kton)", "2025\t100", "2026\t?", "2027\t120", "totaal\t220"}));
}

TEST_F(InputReportTest, NoForecastGivesItsLine)
{
    const test::DocxContent content = generalData(2);
    EXPECT_TRUE(content.lines().contains("Er is geen prognose van het afvalaanbod ingevoerd."));
    EXPECT_FALSE(content.lines().contains("Prognose afvalaanbod: z.o.z."));
    EXPECT_FALSE(tableStartingWith(content, SignatureHeadings));
}

// --- provisions and cost items ---

TEST_F(InputReportTest, ProvisionsByCategoryThenName)
{
    const test::DocxContent content = write([this](DocxDocument& document) {
        return writeProvisions(document, contextOf(folder.workspace(), 1));
    });
    EXPECT_EQ(content.lines(), QStringList({Title, ">>  Voorzieningen", "ALGEMEEN", "\tBeheer",
                                            "BOVENAFDICHTING", "\tAfdekking", "\tBovenafdichting"}));
}

TEST_F(InputReportTest, CostItemsByCategoryAndProvision)
{
    const test::DocxContent content = write([this](DocxDocument& document) {
        return writeCostItems(document, contextOf(folder.workspace(), 1));
    });
    EXPECT_EQ(content.lines().mid(0, 2), QStringList({Title, ">>  Kostenposten"}));
    const std::optional<test::DocxTable> table =
        tableStartingWith(content, "\tpost\tstart\teind\tfreq.\tkosten\tverwijzing nazorgplan\topmerkingen");
    ASSERT_TRUE(table);
    EXPECT_NEAR(std::accumulate(table->gridCm.begin(), table->gridCm.end(), 0.0), 17.0, 0.01);
    EXPECT_NEAR(table->gridCm.value(0), 0.5, 0.01);
    const QString symbol252(QChar(252)), symbol214(QChar(214)), symbol250(QChar(250));
    EXPECT_EQ(rowsOf(*table).mid(1),
              QStringList({"\tAlgemeen\t\t\t\t\t\t", "\tBeheer\t\t\t\t\t\t",
                           symbol252 + "\tAdministratie\t1\too\t1x per jr\t €1000\tpar. 3\t?",
                           "\tBovenafdichting\t\t\t\t\t\t", "\tAfdekking\t\t\t\t\t\t",
                           symbol250 + "\tEigen post\t5\t10\t1x per 2 jr\t4.5 % x €48000\t?\t?",
                           "\tBovenafdichting\t\t\t\t\t\t",
                           symbol214 + "\tInspectie\t2012 * + 3 #\t-\teenm.\t2.5 x €40/ha\t?\teens"}));
    // Category rows are bold, provision rows underlined.
    const test::DocxRun category = table->rows[1].cells[1].paragraphs.value(0).runs.value(0);
    const test::DocxRun provision = table->rows[2].cells[1].paragraphs.value(0).runs.value(0);
    EXPECT_TRUE(category.bold);
    EXPECT_FALSE(category.underline);
    EXPECT_TRUE(provision.underline);
    EXPECT_FALSE(provision.bold);
}

TEST_F(InputReportTest, CostItemLegendFollowsTheTable)
{
    const test::DocxContent content = write([this](DocxDocument& document) {
        return writeCostItems(document, contextOf(folder.workspace(), 1));
    });
    QStringList legend = linesAfter(content, "Verklaring:");
    legend.removeAll(QString());
    EXPECT_EQ(
        legend,
        QStringList({QChar(252) + QStringLiteral(": TALVO-checklistpost, invoer voldoet aan criteria;"),
                     QChar(214) + QStringLiteral(": TALVO-checklistpost, invoer voldoet niet aan criteria;"),
                     QChar(250) + QStringLiteral(": door de gebruiker gedefinieerde kostenpost."),
                     "De jaren start en eind zijn ingevoerd t.o.v. aanvang nazorg, waarbij jaar 1= jaar "
                     "van aanvang nazorg.",
                     "Uitzonderingen:", "*: betreft kalenderjaar;",
                     "#: betreft jaar na aanleg bovenafdichting, waarbij jaar 1= jaar waarin "
                     "bovenafdichting is aangelegd."}));
    // The symbols are characters of the symbol font.
    bool symbolFound = false;
    for (const test::DocxBlock& block : content.sections[0].blocks) {
        if (!block.isTable && block.paragraph.text().startsWith(QChar(252))) {
            EXPECT_EQ(block.paragraph.runs.value(0).font, QStringLiteral("Wingdings"));
            symbolFound = true;
        }
    }
    EXPECT_TRUE(symbolFound);
}

TEST_F(InputReportTest, NoCostItemsGivesItsLineOnly)
{
    const test::DocxContent content = write([this](DocxDocument& document) {
        return writeCostItems(document, contextOf(folder.workspace(), 2));
    });
    EXPECT_EQ(content.lines(), QStringList({Title, ">>  Kostenposten",
                                            "Er zijn geen 'voorzieningen en kostenposten' gedefinieerd."}));
}

// --- checklist items not selected ---

TEST_F(InputReportTest, UnselectedChecklistItemsByRubric)
{
    const auto unselected = [this](long facilityId) {
        return write([this, facilityId](DocxDocument& document) {
                   return writeUnselectedChecklistItems(document, false,
                                                        contextOf(folder.workspace(), facilityId));
               })
            .lines();
    };
    const QString heading = QStringLiteral(">> Overzicht niet geselecteerde checklistposten");
    // Item 13 is still listed: the cost item that refers to it became the user's own.
    EXPECT_EQ(unselected(1), QStringList({Title, heading, "ONDERHOUD", "Bovenafdichting\tMaaien\t"}));
    // Every active item of the version taken over (one of them twice).
    EXPECT_EQ(unselected(3), QStringList({Title, heading, "Alle checklistposten zijn geselecteerd."}));
    // Nothing taken over: every active item of the facility's own version.
    EXPECT_EQ(unselected(2), QStringList({Title, heading, "CONTROLEMETINGEN", "Peilbuizen\tBemonsteren\tD3",
                                          "ONDERHOUD", "Afdekking\tMaaien\tD2", "OVERIG",
                                          "Beheer\tAdministratie\tD1", "Beheer\tVerzekeringen\t"}));
    EXPECT_EQ(unselected(4),
              QStringList({Title, heading, "INSPECTIES", "Bovenafdichting\tInspectie\tD2", "ONDERHOUD",
                           "Bovenafdichting\tMaaien\t", "OVERIG", "Beheer\tAdministratie\tD1"}));
}

TEST_F(InputReportTest, UnselectedListOpeningTheTargetCapitalReportHasItsOwnTitle)
{
    const test::DocxContent content = write([this](DocxDocument& document) {
        return writeUnselectedChecklistItems(document, true, contextOf(folder.workspace(), 3));
    });
    EXPECT_EQ(content.lines(), QStringList({"Overzicht niet geselecteerde checklistposten",
                                            "Alle checklistposten zijn geselecteerd."}));
    EXPECT_DOUBLE_EQ(content.sections.value(0).blocks.value(0).paragraph.runs.value(0).sizePt, 15.0);
}

// --- the report as a whole ---

TEST_F(InputReportTest, EverySectionStartsOnItsOwnPortraitPage)
{
    DocxDocument document;
    const ReportContext context = contextOf(folder.workspace(), 1);
    ASSERT_TRUE(writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt, context));
    ASSERT_TRUE(writeProvisions(document, context));
    ASSERT_TRUE(writeCostItems(document, context));
    ASSERT_TRUE(writeUnselectedChecklistItems(document, false, context));
    const test::DocxContent content = bodyOf(document);
    ASSERT_EQ(content.sections.size(), 4);
    const QStringList headings{">> Algemene gegevens", ">>  Voorzieningen", ">>  Kostenposten",
                               ">> Overzicht niet geselecteerde checklistposten"};
    for (qsizetype i = 0; i < content.sections.size(); ++i) {
        const test::DocxSection& section = content.sections[i];
        SCOPED_TRACE(headings[i].toStdString());
        EXPECT_EQ(section.lines().mid(0, 2), QStringList({Title, headings[i]}));
        EXPECT_NEAR(section.widthCm, 21.0, 0.01);
        EXPECT_NEAR(section.heightCm, 29.7, 0.01);
        EXPECT_NEAR(section.leftCm, 2.0, 0.01);
        EXPECT_NEAR(section.rightCm, 2.0, 0.01);
        EXPECT_NEAR(section.topCm, 2.0, 0.01);
        EXPECT_NEAR(section.bottomCm, 2.0, 0.01);
        EXPECT_NEAR(section.headerCm, 1.0, 0.01);
        EXPECT_NEAR(section.footerCm, 1.0, 0.01);
    }
}

TEST_F(InputReportTest, HeaderAndFooter)
{
    DocxDocument document;
    // The header names the program version of the report's workspace.
    Workspace workspace(folder.paths(), ProgramVersion{3, 9, 0});
    writeHeaderFooter(document, contextOf(workspace, 1));
    const test::DocxContent header = test::readDocx(document.part(QStringLiteral("word/header1.xml")));
    EXPECT_EQ(header.lines(), QStringList({QStringLiteral("DOVRA 3.9")}));
    const test::DocxContent footer = test::readDocx(document.part(QStringLiteral("word/footer1.xml")));
    EXPECT_EQ(footer.lines(),
              QStringList({Written + "\tAfgedrukt d.d. {DATE \\@ \"d-MMM-yyyy  HH:mm\"}\tpag. "
                                     "{PAGE  \\* Arabic } van {NUMPAGES  \\* Arabic }"}));
    for (const test::DocxContent* part : {&header, &footer}) {
        ASSERT_FALSE(part->sections.value(0).blocks.isEmpty());
        for (const test::DocxRun& run : part->sections[0].blocks[0].paragraph.runs) {
            EXPECT_DOUBLE_EQ(run.sizePt, 7.0);
            EXPECT_EQ(run.font, QStringLiteral("Arial"));
        }
    }
}

TEST_F(InputReportTest, UnknownFacilityWritesNothing)
{
    DocxDocument document;
    EXPECT_FALSE(writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt,
                                  contextOf(folder.workspace(), 99)));
    EXPECT_FALSE(writeUnselectedChecklistItems(document, false, contextOf(folder.workspace(), 99)));
    EXPECT_TRUE(bodyOf(document).lines().isEmpty());
}

// --- the cover of the target capital report, over the demo data ---

namespace {

class CoverTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDemoData()); }

    // The cover over a finished calculation of the facility.
    test::DocxContent cover(long facilityId, std::optional<float> vat = std::nullopt)
    {
        EXPECT_TRUE(dv.initializeDV(facilityId) && dv.BerekenAlles());
        DocxDocument document;
        EXPECT_TRUE(writeGeneralData(document, GeneralDataReport::Cover, &dv, vat,
                                     contextOf(folder.workspace(), facilityId)));
        return bodyOf(document);
    }

    // The summary rows, with the design surcharge row given; the labels with an empty line above them
    // have it in both cells.
    QStringList summary(const QString& designLabel, float designAmount) const
    {
        const auto row = [](const QString& label, float amount, bool spaced = false) -> QString {
            const QString space = spaced ? QStringLiteral("\n") : QString();
            return space + label + u'\t' + space + euro(amount);
        };
        return {row("Subtotaal jaarlijkse nazorgkosten", dv.somA_exclOnvoorzien()),
                row("Toeslag onvoorzien (10,0%)", dv.toeslagA()),
                row("Jaarlijkse nazorgkosten (A)", dv.somA_inclOnvoorzien()),
                row("Subtotaal periodieke vervangingen", dv.somB_exclDirectievoering(), true),
                row(designLabel, designAmount),
                row("Periodieke vervangingen (B)", dv.somB_inclDirectievoering()),
                row("Toeslagen algemene nazorgkosten (C)", dv.somC(), true),
                row("Totaal A+B+C", dv.DoelvermogenZonderRisicoFonds(), true),
                row("Toeslag risicofonds", dv.sngRisicobedragKAP()),
                row("Doelvermogen", dv.DoelvermogenMetRisicoFonds())};
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsDV dv{folder.workspace()};
};

} // namespace

TEST_F(CoverTest, CoverTitleInsteadOfReportTitle)
{
    const test::DocxContent content = cover(2);
    ASSERT_EQ(content.sections.size(), 1);
    EXPECT_EQ(content.lines().mid(0, 2),
              QStringList({"R a p p o r t a g e   D O V R A",
                           Written + "\tAfgedrukt d.d. {DATE \\@ \"d-MMM-yyyy H:mm\"}"}));
    EXPECT_DOUBLE_EQ(content.sections[0].blocks.value(0).paragraph.runs.value(0).sizePt, 22.0);
    EXPECT_FALSE(content.lines().contains(Title));
    EXPECT_FALSE(content.lines().contains(">> Algemene gegevens"));
    EXPECT_EQ(tableAfter(content, "Berekeningen").value(8),
              "Kosten rapportage/evaluatie\tper jaar: € 3.500 + (nazorgoppervlak - 10) x € 225 = € 5.975");
}

TEST_F(CoverTest, SummaryWithFixedDesignSurcharge)
{
    const test::DocxContent content = cover(2);
    EXPECT_GT(dv.DoelvermogenMetRisicoFonds(), 0.0f);
    const QStringList rows = tableAfter(content, "Samenvatting berekening doelvermogen");
    EXPECT_EQ(rows, summary("Toeslag ontwerp/directie (12,0%)", dv.toeslagB()));
    EXPECT_FALSE(rows.join(u'\n').contains("Som toeslagen ontwerp/directievoering/toezicht"));
    const std::optional<test::DocxTable> table =
        tableStartingWith(content, "Subtotaal jaarlijkse nazorgkosten\t" + euro(dv.somA_exclOnvoorzien()));
    ASSERT_TRUE(table);
    EXPECT_EQ(table->gridCm.size(), 2);
    EXPECT_NEAR(table->gridCm.value(0), 7.0, 0.01);
    EXPECT_NEAR(table->gridCm.value(1), 4.0, 0.01);
}

TEST_F(CoverTest, SummaryWithDifferentiatedSurchargesAndVat)
{
    const test::DocxContent content = cover(1, 21);
    QStringList expected =
        summary("Som toeslagen ontwerp/directievoering/toezicht", dv.Toeslagen2008SomWaardeNCW());
    expected << "Omzetbelasting (21,0%)\t" + euro(dv.BTWbedrag(21))
             << "Doelvermogen incl. BTW\t" + euro(dv.DoelvermogenMetRisicofonds_InclBTW(21));
    const QStringList rows = tableAfter(content, "Samenvatting berekening doelvermogen");
    EXPECT_EQ(rows.size(), 12);
    EXPECT_EQ(rows, expected);
    EXPECT_FALSE(rows.join(u'\n').contains("Toeslag ontwerp/directie ("));
    // Under differentiated surcharges the general data has no design rate either.
    EXPECT_FALSE(tableAfter(content, "Berekeningen").join(u'\n').contains("Percentage ontwerp/directie"));
}

TEST_F(CoverTest, SignatureTableThenForecast)
{
    const test::DocxContent content = cover(1);
    const std::optional<test::DocxTable> signature = tableStartingWith(content, SignatureHeadings);
    ASSERT_TRUE(signature);
    EXPECT_EQ(signature->rows.size(), 2);
    EXPECT_EQ(tableAfter(content, "Prognose afvalaanbod"),
              QStringList({"Jaar\taanbod (kton)", "2025\t410", "2026\t395", "2027\t380", "2028\t360",
                           "2029\t340", "totaal\t1885"}));
    const QStringList lines = content.lines();
    EXPECT_LT(lines.indexOf(SignatureHeadings), lines.indexOf("Prognose afvalaanbod: z.o.z."));
}

TEST_F(CoverTest, NoForecastNoteBeforeTheSignatureTable)
{
    const test::DocxContent content = cover(3);
    const QStringList lines = content.lines();
    const qsizetype note = lines.indexOf("Er is geen prognose van het afvalaanbod ingevoerd.");
    ASSERT_GE(note, 0);
    EXPECT_LT(note, lines.indexOf(SignatureHeadings));
    EXPECT_FALSE(lines.contains("Prognose afvalaanbod: z.o.z."));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}
