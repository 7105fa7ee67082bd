// The surcharges of the aftercare phase against the facility's checklist version: defaults, the reporting
// option that follows from the area, deviations, the explaining texts and reading entered values.
#include "calc/surchargedefaults.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "storage/database.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::surcharges;

namespace {

// Landfills of the built checklist file: 1 on the 2007 version (fixed design/direction rate, no
// communication maximum), 2 on the 2013 version (differentiated surcharges), 3 with an area stored before
// the reporting/evaluation option existed. Every surcharge value is empty unless set here.
const QString Facilities = QStringLiteral(
    "INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, bytProv_REF, sngNazorgOpp, "
    "bytRapEval, sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES "
    "(1, 'Stort 2007', 1, 1, 120, NULL, 0, NULL, NULL), "
    "(2, 'Stort 2013', 1, 3, 120, NULL, 0, 12, NULL), "
    "(3, 'Stort oud', 1, 1, 120, 20, 0, NULL, 1000);");

class SurchargesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDataFile(Facilities)); }

    // Reads facility id, after setting the given columns in the file, and its checklist version.
    void load(int id, const QString& set = QString())
    {
        if (!set.isEmpty()) {
            ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QStringLiteral("UPDATE tblStort SET ") + set +
                                                                    QStringLiteral(" WHERE idrStort_ID = ?"),
                                                                {id}));
        }
        ASSERT_TRUE(stort.initializeStort(id));
        ASSERT_TRUE(checklist.initializeCL(int(stort.checklist_ID())));
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsStort stort{folder.workspace()};
    clsCL checklist{folder.workspace()};
};

TEST_F(SurchargesTest, EmptyValuesTakeTheChecklistDefaults)
{
    // Without a communication maximum the minimum is the default; risk amount and area have none.
    load(1);
    EXPECT_TRUE(fillDefaults(stort, checklist));
    EXPECT_EQ((std::vector<float>{stort.AppKostenBasis(), stort.AppKostenBasisPerc(), stort.Onvoorzien(),
                                  stort.OntwerpdirectieFixed(), stort.RapEvalMin(), stort.RapEvalPerHa(),
                                  stort.RapEvalMax(), stort.CommunicatieKosten()}),
              (std::vector<float>{15000, 3, 10, 12, 3500, 225, 9000, 2000}));
    EXPECT_FALSE(stort.single(QStringLiteral("sngAlgRisicoBedrag")));
    EXPECT_FALSE(stort.single(QStringLiteral("sngNazorgOpp")));
    EXPECT_FALSE(fillDefaults(stort, checklist));

    // A new facility takes the newest version; values it already holds stay.
    const int id = CreateFacility(folder.workspace(), QStringLiteral("Nieuwe stort"), 1);
    ASSERT_GT(id, 0);
    load(id, QStringLiteral("sngRapEvalPerHa = NULL, sngOnvoorzien = 7"));
    EXPECT_EQ(stort.checklist_ID(), 3);
    EXPECT_TRUE(fillDefaults(stort, checklist));
    EXPECT_FLOAT_EQ(stort.AppKostenBasis(), 16500);
    EXPECT_FLOAT_EQ(stort.CommunicatieKosten(), 26000);
    EXPECT_FLOAT_EQ(stort.RapEvalPerHa(), 250);
    EXPECT_FLOAT_EQ(stort.Onvoorzien(), 7);
    EXPECT_FLOAT_EQ(stort.OntwerpdirectieFixed(), 0);

    // Differentiated surcharges replace a single design/direction rate.
    load(2);
    EXPECT_TRUE(fillDefaults(stort, checklist));
    EXPECT_FLOAT_EQ(stort.OntwerpdirectieFixed(), 0);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(SurchargesTest, AreaDeterminesTheReportingOption)
{
    const struct
    {
        const char* area;
        long option;
    } cases[] = {{"9.99", 1}, {"10", 2}, {"34.44", 2}, {"34.45", 3}, {"5", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        load(1, QStringLiteral("bytRapEval = 0, sngNazorgOpp = ") + QLatin1String(c.area));
        EXPECT_TRUE(updateOption(stort, checklist));
        EXPECT_EQ(stort.OptieRapEval(), c.option);
        EXPECT_FALSE(updateOption(stort, checklist));
    }

    // An area stored before the option existed must be entered again.
    load(3);
    EXPECT_TRUE(optionMissing(stort));
    load(3, QStringLiteral("bytRapEval = 2"));
    EXPECT_FALSE(optionMissing(stort));
    load(1, QStringLiteral("sngNazorgOpp = NULL"));
    EXPECT_FALSE(optionMissing(stort));
}

TEST_F(SurchargesTest, ValuesOutsideTheChecklistRangeDeviate)
{
    load(1);
    fillDefaults(stort, checklist);
    // At the defaults nothing deviates.
    const Deviations none = deviations(stort, checklist);
    EXPECT_FALSE(none.apparatusBase || none.apparatusPercentage || none.unforeseen || none.design ||
                 none.communication || none.reporting);

    const struct
    {
        int facility;
        const char* set;
        bool Deviations::*mark;
        bool deviates;
    } cases[] = {
        {1, "sngAlgAppKostenBasis = 4999", &Deviations::apparatusBase, true},
        {1, "sngAlgAppKostenBasis = 25000", &Deviations::apparatusBase, false},
        {1, "sngAlgAppKostenBasis = 25001", &Deviations::apparatusBase, true},
        {1, "sngAppKostenPerc = 3.1", &Deviations::apparatusPercentage, true},
        {1, "sngOnvoorzien = 9.5", &Deviations::unforeseen, true},
        {1, "sngOntwerpdirectie = 15", &Deviations::design, true},
        // Without a maximum only too little deviates; with one too much too.
        {1, "sngAlgCommunicatieKosten = 1999", &Deviations::communication, true},
        {1, "sngAlgCommunicatieKosten = 900000", &Deviations::communication, false},
        {2, "sngAlgCommunicatieKosten = 50001", &Deviations::communication, true},
        {2, "sngAlgCommunicatieKosten = 50000", &Deviations::communication, false},
        // Never the design rate under differentiated surcharges.
        {2, "sngOntwerpdirectie = 15", &Deviations::design, false},
        // Only the amount of the current option counts.
        {1, "sngNazorgOpp = 5, sngRapEvalMin = 3000", &Deviations::reporting, true},
        {1, "sngNazorgOpp = 20, sngRapEvalMin = 3000", &Deviations::reporting, false},
        {1, "sngNazorgOpp = 20, sngRapEvalPerHa = 230", &Deviations::reporting, true},
        {1, "sngNazorgOpp = 40, sngRapEvalPerHa = 230", &Deviations::reporting, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QStringLiteral(
            "UPDATE tblStort SET sngAlgAppKostenBasis = NULL, sngAppKostenPerc = NULL, "
            "sngOnvoorzien = NULL, sngOntwerpdirectie = NULL, sngAlgCommunicatieKosten = NULL, "
            "sngRapEvalMin = NULL, sngRapEvalPerHa = NULL, sngNazorgOpp = NULL")));
        load(c.facility, QLatin1String(c.set));
        fillDefaults(stort, checklist);
        updateOption(stort, checklist);
        EXPECT_EQ(deviations(stort, checklist).*c.mark, c.deviates);
    }
}

TEST_F(SurchargesTest, TextsFollowTheChecklistVersion)
{
    load(1);
    EXPECT_EQ(
        communicationHelp(checklist),
        QStringLiteral("Voer een bedrag voor 'Communicatie' in van ten minste € 2000,- per nazorgjaar.\r\n"
                       "Alleen van toepassing voor complexe gevallen."));
    EXPECT_EQ(
        apparatusHelp(checklist),
        QStringLiteral("De apparaatskosten worden berekend als een basisbedrag plus een percentage van de "
                       "som van jaarlijkse en vervangingskosten.\r\n\r\nVoer een basisbedrag in tussen "
                       "€ 5000,- en € 25000,- per nazorgjaar."));
    EXPECT_EQ(
        reportingHelp(checklist),
        QStringLiteral("De kosten voor rapportage en evaluatie bedragen € 3500,- per jaar voor de eerste "
                       "10 ha, daarna  € 225,- per ha nazorgoppervlak per jaar tot een maximumbedrag van "
                       "€ 9000,-."));
    EXPECT_EQ(
        (QStringList{optionCaption(0, checklist), optionCaption(1, checklist), optionCaption(2, checklist),
                     optionCaption(3, checklist)}),
        (QStringList{"onbekend", "kleiner dan 10 ha", "tussen 10 ha en 34,44 ha", "meer dan 34,44 ha"}));

    load(2);
    EXPECT_EQ(communicationHelp(checklist),
              QStringLiteral("Voer een bedrag voor 'Communicatie' in tussen € 2000,- en € 50000,-\r\n"
                             "per nazorgjaar. Alleen van toepassing voor complexe gevallen."));
    EXPECT_EQ(optionCaption(3, checklist), QStringLiteral("meer dan 34 ha"));
}

TEST(SurchargeEntries, AmountsAndDecimalsAreRead)
{
    MessageRecorder recorder;
    const struct
    {
        const char* text;
        std::optional<float> amount;
        std::optional<float> decimal;
    } cases[] = {{"€ 3.500", 3500, std::nullopt},
                 {"1250", 1250, 1250},
                 {"12.000", 12000, std::nullopt},
                 {"2500,75", 2500.75f, 2500.75f},
                 {"2,5", 2.5f, 2.5f},
                 {"0", 0, 0},
                 {"", std::nullopt, std::nullopt},
                 {"veel", std::nullopt, std::nullopt},
                 {"1.5", std::nullopt, std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(readAmount(text), c.amount);
        EXPECT_EQ(readDecimal(text), c.decimal);
        // A box refuses what it cannot read, telling the user under its title.
        recorder.clear();
        EXPECT_EQ(enteredAmount(text, QStringLiteral("Bedrag")), c.amount);
        EXPECT_EQ(enteredPercentage(text, QStringLiteral("Percentage")), c.decimal);
        QStringList titles;
        if (!c.amount)
            titles.append(QStringLiteral("Bedrag"));
        if (!c.decimal)
            titles.append(QStringLiteral("Percentage"));
        EXPECT_EQ(recorder.titles(), titles);
        for (const MessageRecorder::Message& message : recorder.recorded()) {
            EXPECT_EQ(message.text, QStringLiteral("Vul een waarde in."));
            EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        }
    }

    // The apparatus percentage is refused under its own title while its base amount is no number.
    recorder.clear();
    EXPECT_EQ(enteredApparatusPercentage(QStringLiteral("4"), QString()), std::nullopt);
    EXPECT_EQ(enteredApparatusPercentage(QStringLiteral("3,0"), QStringLiteral("€ 15.000")), 3.0f);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Percentage apparaatskosten")});
}

TEST_F(SurchargesTest, TheAreaMustBeAboveZero)
{
    const struct
    {
        const char* text;
        std::optional<float> area;
        const char* message;
    } cases[] = {{"12,5", 12.5f, nullptr},
                 {"0", std::nullopt, "Voer een nazorgoppervlak groter dan 0 in."},
                 {"-2", std::nullopt, "Voer een nazorgoppervlak groter dan 0 in."},
                 {"geen", std::nullopt, "Voer een nazorgoppervlak in."},
                 {"", std::nullopt, "Voer een nazorgoppervlak in."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        recorder.clear();
        EXPECT_EQ(enteredArea(QLatin1String(c.text)), c.area);
        EXPECT_EQ(recorder.texts(), c.message ? QStringList{QLatin1String(c.message)} : QStringList());
    }
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")});

    // The stored area, as the screen closes.
    const struct
    {
        const char* stored;
        bool accepted;
    } stored[] = {{"NULL", false}, {"0", false}, {"12.5", true}};
    for (const auto& c : stored) {
        SCOPED_TRACE(c.stored);
        recorder.clear();
        load(1, QStringLiteral("sngNazorgOpp = ") + QLatin1String(c.stored));
        EXPECT_EQ(checkStoredArea(stort), c.accepted);
        EXPECT_EQ(recorder.recorded().size(), c.accepted ? 0 : 1);
    }
}

} // namespace
