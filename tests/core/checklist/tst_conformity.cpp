// Conformity of cost items and facility values with a checklist version's criteria, and the editor's
// verdict on the shown values of a cost item.
#include "checklist/clsCL.h"
#include "checklist/conformity.h"
#include "checklist/itemverdict.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <array>

using namespace dovra;

namespace {

QString itemSql(int id, const QString& fields, int version = 1)
{
    return QStringLiteral(
               "INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving) "
               "VALUES (%1, %2, -1, 'Bovenafdichting', 'Post %1');"
               "UPDATE tblCLitem SET %3 WHERE lngCLitem_ID = %1;")
        .arg(id)
        .arg(version)
        .arg(fields);
}

// Version 1 sets surcharges per item and only a minimum for communication; version 2 fixes both.
const QString versions = QStringLiteral(
    "INSERT INTO tblCL (intCL_ID, intJaarPrijspeil, sngCommunicatieMIN, sngCommunicatieMAX, sngRapEvalPerHa, "
    "sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN, sngAppKostenBasisMAX, sngAppKostenPerc, "
    "sngOnvoorzien, "
    "sngOntwerpdirectie) VALUES (1, 2012, 2000, -999, 225, 3500, 9000, 1000, 5000, 5.06, 10, -999);"
    "INSERT INTO tblCL (intCL_ID, intJaarPrijspeil, sngCommunicatieMIN, sngCommunicatieMAX, "
    "sngOntwerpdirectie) "
    "VALUES (2, 2014, 2000, 10000, 7.5);");

class ConformityTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsCL cl{folder.workspace()};
    // The aftercare start, as a decimal year, that the checks count years from.
    double aftercareStart = 2010;

    void SetUp() override
    {
        const QStringList items{
            // Start years
            itemSql(1, QStringLiteral("bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = -1")),
            itemSql(2, QStringLiteral("bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = 0")),
            itemSql(3, QStringLiteral("bytStartBA = 0, intStartJaar = 6, blnStartjaarEerderMag = -1")),
            itemSql(4, QStringLiteral("bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = -1")),
            itemSql(5, QStringLiteral("bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = 0")),
            itemSql(6, QStringLiteral("bytStartBA = 0")),
            // End years
            itemSql(7, QStringLiteral("bytOptieEind = 3, bytEindBA = 0")),
            itemSql(8, QStringLiteral("bytOptieEind = 2, bytEindBA = 0, intEINDJAAR = 30")),
            itemSql(9, QStringLiteral("bytOptieEind = 2, bytEindBA = 1, intEINDJAAR = 20")),
            itemSql(10, QStringLiteral("bytOptieEind = 2, bytEindBA = 0")),
            // Frequencies
            itemSql(11, QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10")),
            itemSql(12, QStringLiteral("bytOptieFreq = 2")),
            itemSql(13, QStringLiteral("bytOptieFreq = 1")),
            itemSql(14, QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 0, sngFreqXMax = 10")),
            itemSql(15, QStringLiteral("bytOptieFreq = 2, sngFreqXMin = 2, sngFreqXMax = 4")),
            // Costs
            itemSql(16, QStringLiteral("bytOptieKosten = 3, sngPrijsPEmax = 50, strEenheid = 'm2', "
                                       "sngAantalMIN = 1")),
            itemSql(17, QStringLiteral("bytOptieKosten = 1, sngPercInvestMIN = 1, sngPercInvestMAX = 2, "
                                       "sngKostenInvestMAX = 100000")),
            itemSql(18, QStringLiteral(
                            "bytOptieKosten = 2, sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500")),
            itemSql(19, QStringLiteral("bytOptieKosten = 3, sngAantalMAX = 10")),
            // For the editor's verdict
            itemSql(30,
                    QStringLiteral("bytRubriek_REF = 5, bytStartBA = 0, intStartJaar = 5, "
                                   "blnStartjaarEerderMag = -1, bytOptieEind = 2, bytEindBA = 0, "
                                   "intEINDJAAR = 30, bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10, "
                                   "bytOptieKosten = 3, sngPrijsPEmin = 10, sngPrijsPEmax = 50, "
                                   "strEenheid = 'm2'")),
            itemSql(40, QStringLiteral("bytOptieKosten = 2"), 2),
        };
        folder.workspace().setChecklistFile(folder.createDatabase(
            QStringLiteral("dbTALVOCL_test.mdb"),
            QStringList{QStringLiteral("data/checklist_schema.sql"), versions} + items));
        ASSERT_TRUE(cl.initializeCL(1));
    }

    bool start(long id, const QVariant& option, const QVariant& reference, const QVariant& calendar,
               const QVariant& aftercare, const QVariant& afterLiner)
    {
        EXPECT_TRUE(cl.GaNaarItem(id));
        return cl.VerifyCL_JaarStart(option, reference, calendar, aftercare, afterLiner, aftercareStart);
    }
    bool end(long id, const QVariant& option, const QVariant& reference, const QVariant& calendar,
             const QVariant& aftercare, const QVariant& afterLiner)
    {
        EXPECT_TRUE(cl.GaNaarItem(id));
        return cl.VerifyCL_JaarEind(option, reference, calendar, aftercare, afterLiner, aftercareStart);
    }
    bool freq(long id, const QVariant& option, const QVariant& x)
    {
        EXPECT_TRUE(cl.GaNaarItem(id));
        return cl.VerifyCL_Freq(option, x);
    }
    bool perUnit(long id, const QVariant& price, const QVariant& unit, const QVariant& amount)
    {
        EXPECT_TRUE(cl.GaNaarItem(id));
        return cl.VerifyCL_Kosten(3, QVariant(), QVariant(), QVariant(), price, unit, amount);
    }
};

TEST_F(ConformityTest, WithinRange)
{
    EXPECT_TRUE(InBereik(0.0f, std::nullopt, std::nullopt));
    EXPECT_FALSE(InBereik(-0.01f, std::nullopt, std::nullopt));
    EXPECT_TRUE(InBereik(-5.0f, -5.0f, std::nullopt));
    EXPECT_TRUE(InBereik(6.5f, 6.0f, 6.5f));
    EXPECT_FALSE(InBereik(6.5001f, 6.0f, 6.5f));
    EXPECT_FALSE(InBereik(5.9999f, 6.0f, 6.5f));
}

TEST_F(ConformityTest, StartYearsCountedFromTheAftercareStart)
{
    const QVariant none;
    // Earlier allowed: the 5th year or before.
    EXPECT_TRUE(start(1, 2, 0, none, 3, none));
    EXPECT_TRUE(start(1, 2, 0, none, 5, none));
    EXPECT_FALSE(start(1, 2, 0, none, 6, none));
    // Not allowed: only the 5th.
    EXPECT_TRUE(start(2, 2, 0, none, 5, none));
    EXPECT_FALSE(start(2, 2, 0, none, 4, none));
    EXPECT_FALSE(start(2, 2, 0, none, 6, none));

    // A calendar year counts from the aftercare start: 2014 is the 5th year from 2010.
    EXPECT_TRUE(start(2, 1, 0, 2014, none, none));
    EXPECT_FALSE(start(2, 1, 0, 2015, none, none));
    // From a start halfway 2010, 2015 is year 5.5: not the 5th, not 5 or earlier, but 6 or earlier.
    aftercareStart = 2010.5;
    EXPECT_FALSE(start(2, 1, 0, 2015, none, none));
    EXPECT_FALSE(start(1, 1, 0, 2015, none, none));
    EXPECT_TRUE(start(3, 1, 0, QStringLiteral("2015"), none, none));

    // Counted from another moment than the item's, or not at all.
    EXPECT_FALSE(start(1, 2, 1, none, 3, 3));
    EXPECT_FALSE(start(1, 2, none, none, 3, none));
    EXPECT_FALSE(start(6, 2, 1, none, 3, 3));
    EXPECT_TRUE(start(6, 2, 0, none, 40, none));
    // A year that is missing is not within the criteria.
    EXPECT_FALSE(start(1, 2, 0, none, QString(), none));
    EXPECT_FALSE(start(2, 1, 0, QStringLiteral("abc"), none, none));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ConformityTest, StartYearsCountedFromTheTopLiner)
{
    const QVariant none;
    EXPECT_TRUE(start(4, 2, 1, none, none, 2));
    EXPECT_TRUE(start(4, 2, 1, none, none, 3));
    EXPECT_FALSE(start(4, 2, 1, none, none, 4));
    // Earlier, but not before the construction.
    EXPECT_FALSE(start(4, 2, 1, none, none, 0));
    EXPECT_FALSE(start(4, 2, 1, none, none, QString()));
    EXPECT_TRUE(start(5, 2, 1, none, none, 3));
    EXPECT_FALSE(start(5, 2, 1, none, none, 2));
    EXPECT_FALSE(start(5, 2, 0, none, 3, none));
}

TEST_F(ConformityTest, EndYears)
{
    const QVariant none;
    // Perpetual items accept only perpetual cost items, not counted from the top liner.
    EXPECT_TRUE(end(7, 3, 0, none, none, none));
    EXPECT_TRUE(end(7, 3, none, none, none, none));
    EXPECT_FALSE(end(7, 3, 1, none, none, 30));
    EXPECT_FALSE(end(7, 2, 0, none, 30, none));

    EXPECT_TRUE(end(8, 2, 0, none, 30, none));
    EXPECT_FALSE(end(8, 2, 0, none, 29, none));
    EXPECT_TRUE(end(8, 1, 0, 2039, none, none));
    EXPECT_FALSE(end(8, 1, 0, 2040, none, none));
    EXPECT_FALSE(end(8, 3, 0, none, none, none));
    EXPECT_FALSE(end(8, 2, 1, none, none, 30));

    EXPECT_TRUE(end(9, 2, 1, none, none, 20));
    EXPECT_FALSE(end(9, 2, 1, none, none, 21));
    EXPECT_FALSE(end(9, 2, 0, none, 20, none));
    // No end year given: any year will do.
    EXPECT_TRUE(end(10, 2, 0, none, 75, none));
}

TEST_F(ConformityTest, Frequencies)
{
    // Once every 5 to 10 years.
    EXPECT_TRUE(freq(11, 3, 8));
    EXPECT_TRUE(freq(11, 3, 5));
    EXPECT_TRUE(freq(11, 3, QStringLiteral("10")));
    EXPECT_FALSE(freq(11, 3, 4));
    EXPECT_FALSE(freq(11, 3, 11));
    // The same as times per year.
    EXPECT_TRUE(freq(11, 2, QStringLiteral("0,15")));
    EXPECT_FALSE(freq(11, 2, 1));
    EXPECT_FALSE(freq(11, 1, QString()));

    // Without bounds any repeated expense will do.
    EXPECT_TRUE(freq(12, 2, 3));
    EXPECT_TRUE(freq(12, 3, 4));
    EXPECT_FALSE(freq(12, 1, QString()));
    EXPECT_TRUE(freq(13, 1, QString()));
    EXPECT_FALSE(freq(13, 2, 1));

    EXPECT_TRUE(freq(15, 2, 2));
    EXPECT_TRUE(freq(15, 3, QStringLiteral("0,25")));
    EXPECT_FALSE(freq(15, 2, QStringLiteral("4,5")));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ConformityTest, FrequenciesThatCannotBeChecked)
{
    // Once every 0 years, entered or in the checklist.
    EXPECT_FALSE(freq(12, 3, 0));
    EXPECT_FALSE(freq(14, 3, 8));
    EXPECT_EQ(
        recorder.texts(),
        QStringList(2, QStringLiteral(
                           "Er zit een fout in de TALVO-checklist, validatie kon niet uitgevoerd worden")));
    EXPECT_EQ(recorder.titles(), QStringList(2, QStringLiteral("Fout in TALVO-checklist")));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);

    recorder.clear();
    EXPECT_FALSE(freq(12, 2, QStringLiteral("abc")));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Type mismatch"));
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Fout 13\nBron: clsCL.VerifyCL_Freq"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);
}

TEST_F(ConformityTest, Costs)
{
    // Per unit: at most 50 per m2, at least 1 unit.
    EXPECT_TRUE(perUnit(16, 50, QStringLiteral("m2"), 1));
    EXPECT_FALSE(perUnit(16, QStringLiteral("50,01"), QStringLiteral("m2"), 1));
    EXPECT_FALSE(perUnit(16, -1, QStringLiteral("m2"), 1));
    EXPECT_FALSE(perUnit(16, 20, QStringLiteral("m2"), QStringLiteral("0,5")));
    EXPECT_FALSE(perUnit(16, 20, QStringLiteral("m2"), QVariant()));
    EXPECT_FALSE(perUnit(16, 20, QStringLiteral("M2"), 1));
    EXPECT_TRUE(perUnit(16, 20, QString(), 1));
    // An item with bounds wants its own option.
    EXPECT_FALSE(cl.VerifyCL_Kosten(2, QVariant(), QVariant(), 20, QVariant(), QVariant(), QVariant()));
    // Only the amount bounded: no option required.
    ASSERT_TRUE(cl.GaNaarItem(19));
    EXPECT_TRUE(cl.VerifyCL_Kosten(2, QVariant(), QVariant(), 20, QVariant(), QVariant(), QVariant()));
    EXPECT_FALSE(perUnit(19, 20, QStringLiteral("m"), 11));

    ASSERT_TRUE(cl.GaNaarItem(17));
    EXPECT_TRUE(
        cl.VerifyCL_Kosten(1, QStringLiteral("1,5"), 100000, QVariant(), QVariant(), QVariant(), QVariant()));
    EXPECT_FALSE(
        cl.VerifyCL_Kosten(1, QStringLiteral("2,5"), 100000, QVariant(), QVariant(), QVariant(), QVariant()));
    EXPECT_FALSE(
        cl.VerifyCL_Kosten(1, QStringLiteral("1,5"), 100001, QVariant(), QVariant(), QVariant(), QVariant()));
    EXPECT_FALSE(cl.VerifyCL_Kosten(1, QStringLiteral("1,5"), QVariant(), QVariant(), QVariant(), QVariant(),
                                    QVariant()));

    ASSERT_TRUE(cl.GaNaarItem(18));
    EXPECT_TRUE(cl.VerifyCL_Kosten(2, QVariant(), QVariant(), 2500, QVariant(), QVariant(), QVariant()));
    EXPECT_FALSE(cl.VerifyCL_Kosten(2, QVariant(), QVariant(), 999, QVariant(), QVariant(), QVariant()));
    EXPECT_FALSE(cl.VerifyCL_Kosten(3, QVariant(), QVariant(), QVariant(), 20, QStringLiteral("m2"), 1));
}

TEST_F(ConformityTest, ReplacementSurcharges)
{
    const auto surcharge = [this](const QVariant& rubric, const QVariant& type, const QVariant& percentage) {
        return cl.VerifyCL_VervangingsToeslag(rubric, type, percentage);
    };
    EXPECT_TRUE(surcharge(5, 3, 5));
    EXPECT_FALSE(surcharge(5, 3, QStringLiteral("5,5")));
    EXPECT_TRUE(surcharge(5, 2, QStringLiteral("6,25")));
    EXPECT_TRUE(surcharge(5, 2, 6));
    EXPECT_FALSE(surcharge(5, 2, QStringLiteral("6,6")));
    EXPECT_FALSE(surcharge(5, 2, QVariant()));
    EXPECT_TRUE(surcharge(5, 0, QVariant()));
    EXPECT_TRUE(surcharge(5, 1, QVariant()));
    EXPECT_TRUE(surcharge(4, 9, QVariant()));
    EXPECT_TRUE(recorder.recorded().isEmpty());

    EXPECT_FALSE(surcharge(5, 9, 5));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].text, QStringLiteral("Onbekende conditie vervangingstoeslag"));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Controle invoer vervangingstoeslag"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);

    // A version with one rate for all: nothing to check per item.
    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_TRUE(surcharge(5, 9, 5));
    EXPECT_EQ(recorder.recorded().size(), 1);
}

TEST_F(ConformityTest, FacilityValues)
{
    // Only a minimum for communication.
    EXPECT_FALSE(cl.verifyCL_CommKosten(1999));
    EXPECT_TRUE(cl.verifyCL_CommKosten(2000));
    EXPECT_TRUE(cl.verifyCL_CommKosten(50000));
    EXPECT_FALSE(cl.verifyCL_AppKostenBasis(999));
    EXPECT_TRUE(cl.verifyCL_AppKostenBasis(1000));
    EXPECT_TRUE(cl.verifyCL_AppKostenBasis(5000));
    EXPECT_FALSE(cl.verifyCL_AppKostenBasis(5001));
    EXPECT_TRUE(cl.verifyCL_AppKostenPerc(5.06f));
    EXPECT_FALSE(cl.verifyCL_AppKostenPerc(5.0601f));
    EXPECT_TRUE(cl.verifyCL_Onvoorzien(10));
    EXPECT_FALSE(cl.verifyCL_Onvoorzien(9.99f));
    EXPECT_TRUE(cl.verifyCL_OntwerpdirectieFixed(3));
    EXPECT_TRUE(cl.verifyCL_RapEvalPerHa(0, 1, 1, 1));
    EXPECT_TRUE(cl.verifyCL_RapEvalPerHa(1, 3500, 1, 1));
    EXPECT_FALSE(cl.verifyCL_RapEvalPerHa(1, 3000, 225, 9000));
    EXPECT_TRUE(cl.verifyCL_RapEvalPerHa(2, 1, 225, 1));
    EXPECT_FALSE(cl.verifyCL_RapEvalPerHa(2, 3500, 200, 9000));
    EXPECT_TRUE(cl.verifyCL_RapEvalPerHa(3, 1, 1, 9000));
    EXPECT_FALSE(cl.verifyCL_RapEvalPerHa(3, 3500, 225, 9500));
    EXPECT_TRUE(cl.verifyCL_RapEvalPerHa(4, 1, 1, 1));

    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_FALSE(cl.verifyCL_CommKosten(1999));
    EXPECT_TRUE(cl.verifyCL_CommKosten(10000));
    EXPECT_FALSE(cl.verifyCL_CommKosten(50000));
    EXPECT_TRUE(cl.verifyCL_OntwerpdirectieFixed(7.5f));
    EXPECT_FALSE(cl.verifyCL_OntwerpdirectieFixed(3));
}

// A replacement after checklist item 30 within all its criteria.
ShownCostItem withinCriteria()
{
    ShownCostItem shown;
    shown.bytOptieStart = 2;
    shown.bytStartBA = 0;
    shown.intStartRel = QStringLiteral("3");
    shown.bytOptieEind = 2;
    shown.bytEindBA = 0;
    shown.intEindRel = QStringLiteral("30");
    shown.bytOptieFreq = 3;
    shown.intFreqX = QStringLiteral("8");
    shown.bytOptieKosten = 3;
    shown.sngKostenPE = QStringLiteral("20");
    shown.strEenheid = QStringLiteral("m2");
    shown.sngAantal = QStringLiteral("100");
    shown.bytRubriek_REF = 5;
    shown.bytTypeVervangingsToeslag = 2;
    shown.sngVervangingsToeslagPerc = QStringLiteral("6,25");
    shown.bytIsTALVO = 1;
    shown.lngClitem_REF = 30;
    shown.bytCombineer = 0;
    return shown;
}

using Colours = std::array<ColourValue, 5>;
Colours colours(const ItemVerdict& verdict)
{
    return {verdict.start, verdict.end, verdict.frequency, verdict.cost, verdict.surcharge};
}
constexpr ColourValue K = VerdictColour::Black;
constexpr ColourValue R = VerdictColour::Red;
constexpr ColourValue O = VerdictColour::Orange;

const QString withinText = QStringLiteral("Dit is een post uit de TALVO-Checklist.");
const QString outsideText = QStringLiteral("Dit is een TALVO-checklistpost, maar de ingevoerde gegevens "
                                           "voldoen niet aan de criteria. Zie oranje markering.");
const QString userText = QStringLiteral("Dit is een door de gebruiker gedefinieerde post.");

TEST_F(ConformityTest, VerdictOnAChecklistItem)
{
    ItemVerdict verdict = judgeCostItem(withinCriteria(), cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, K, K, K}));
    EXPECT_TRUE(verdict.valid);
    EXPECT_EQ(verdict.conformity, 1);
    EXPECT_EQ(verdict.indicatorText, withinText);

    // Outside the criteria: orange, still complete.
    ShownCostItem shown = withinCriteria();
    shown.intStartRel = QStringLiteral("6");
    shown.intFreqX = QStringLiteral("4");
    shown.sngVervangingsToeslagPerc = QStringLiteral("7");
    verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{O, K, O, K, O}));
    EXPECT_TRUE(verdict.valid);
    EXPECT_EQ(verdict.conformity, 2);
    EXPECT_EQ(verdict.indicatorText, outsideText);

    // Incomplete: red and not judged against the criteria.
    shown = withinCriteria();
    shown.intFreqX = QString();
    shown.strEenheid = QString();
    verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, R, R, K}));
    EXPECT_FALSE(verdict.valid);
    EXPECT_EQ(verdict.conformity, 2);
    EXPECT_EQ(verdict.indicatorText, outsideText);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A one-off expense has no end to judge.
    shown = withinCriteria();
    shown.bytOptieFreq = 1;
    shown.intEindRel = QString();
    verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, O, K, K}));
    EXPECT_TRUE(verdict.valid);
}

TEST_F(ConformityTest, VerdictCountsACalendarYearFromTheGivenAftercareStart)
{
    // Item 30 starts in the 5th aftercare year or before: 2015 is the 6th year from 2010, the 5th from 2011.
    ShownCostItem shown = withinCriteria();
    shown.bytOptieStart = 1;
    shown.intStartAbs = QStringLiteral("2015");
    shown.intStartRel = QVariant();
    const ItemVerdict from2010 = judgeCostItem(shown, cl, true, 2010);
    EXPECT_EQ(colours(from2010), (Colours{O, K, K, K, K}));
    EXPECT_EQ(from2010.conformity, 2);
    const ItemVerdict from2011 = judgeCostItem(shown, cl, true, 2011);
    EXPECT_EQ(colours(from2011), (Colours{K, K, K, K, K}));
    EXPECT_EQ(from2011.conformity, 1);
}

TEST_F(ConformityTest, VerdictOnCombinedMissingAndUserDefinedItems)
{
    // Part of a combination post: neither completeness nor criteria count.
    ShownCostItem shown = withinCriteria();
    shown.intFreqX = QString();
    shown.intStartRel = QStringLiteral("6");
    shown.bytCombineer = -1;
    ItemVerdict verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, K, K, K}));
    EXPECT_TRUE(verdict.valid);
    EXPECT_EQ(verdict.conformity, 1);
    EXPECT_EQ(verdict.indicatorText, withinText);

    // An item the version lacks (here one of another version) cannot be within its criteria.
    shown = withinCriteria();
    shown.lngClitem_REF = 40;
    verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, K, K, K}));
    EXPECT_TRUE(verdict.valid);
    EXPECT_EQ(verdict.conformity, 2);
    EXPECT_EQ(verdict.indicatorText, outsideText);
    shown.bytCombineer = -1;
    EXPECT_EQ(judgeCostItem(shown, cl, true, aftercareStart).conformity, 2);

    // User-defined: only completeness.
    shown = withinCriteria();
    shown.bytIsTALVO = 0;
    shown.intStartRel = QStringLiteral("6");
    verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, K, K, K}));
    EXPECT_EQ(verdict.conformity, 0);
    EXPECT_EQ(verdict.indicatorText, userText);
    shown.sngAantal = QVariant();
    verdict = judgeCostItem(shown, cl, true, aftercareStart);
    EXPECT_EQ(colours(verdict), (Colours{K, K, K, R, K}));
    EXPECT_FALSE(verdict.valid);
    EXPECT_EQ(verdict.conformity, 0);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace
