// The surcharges of the aftercare phase against the facility's checklist version: defaults, the reporting
// option that follows from the area, deviations, the explaining texts and reading entered values.
#include "calc/surchargedefaults.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "storage/database.h"
#include "support/golden.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::surcharges;

namespace {

// Landfills on the built checklist file's 2007 and 2013 versions: tests/data/surcharges_data.sql.
class SurchargesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder.linkDataFile(test::readScript("surcharges_data.sql"))); }

    // Reads facility id, after setting the given columns in the file, and its checklist version.
    void load(int id, const QString& set = QString())
    {
        if (!set.isEmpty()) {
            ASSERT_TRUE(folder.workspace().dataDatabase()->exec(
                QStringLiteral("UPDATE tblStort SET %1 WHERE idrStort_ID = ?").arg(set), {id}));
        }
        ASSERT_TRUE(stort.initializeStort(id));
        ASSERT_TRUE(checklist.initializeCL(int(stort.checklist_ID())));
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsStort stort{folder.workspace()};
    clsCL checklist{folder.workspace()};
};

// Version|apparatus base|percentage|unforeseen|design|reporting minimum|per ha|maximum|communication.
QString surchargeValues(const clsStort& s)
{
    QStringList values{QString::number(s.checklist_ID())};
    for (const float value :
         {s.AppKostenBasis(), s.AppKostenBasisPerc(), s.Onvoorzien(), s.OntwerpdirectieFixed(),
          s.RapEvalMin(), s.RapEvalPerHa(), s.RapEvalMax(), s.CommunicatieKosten()})
        values << QString::number(value);
    return values.join(QLatin1Char('|'));
}

// The names of the deviating values.
QString marked(const Deviations& d)
{
    const bool on[] = {d.apparatusBase, d.apparatusPercentage, d.unforeseen,
                       d.design,        d.communication,       d.reporting};
    const char* const names[] = {"base", "percentage", "unforeseen", "design", "communication", "reporting"};
    QStringList deviating;
    for (int k = 0; k < 6; ++k)
        if (on[k])
            deviating << QLatin1String(names[k]);
    return deviating.join(QLatin1Char(','));
}

} // namespace

// Empty values take the version's defaults: fractions as percentages, the middle of a range, the minimum
// of a communication range without maximum; under differentiated surcharges no design rate. A new facility
// takes the newest version; values a facility holds stay, the data file's own defaults of the reporting
// amounts too. Risk amount and area have no default.
TEST_F(SurchargesTest, EmptyValuesTakeTheChecklistDefaults)
{
    const int created = CreateFacility(folder.workspace(), QStringLiteral("Nieuwe stort"), 1);
    ASSERT_GT(created, 0);
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "", "1|15000|3|10|12|3500|225|9000|2000"},
        {2, "", "3|16500|3|10|0|3500|225|9000|26000"},
        {created, "sngRapEvalPerHa = NULL, sngOnvoorzien = 7", "3|16500|3|7|0|3500|250|9000|26000"}};
    for (const auto& [id, set, values] : cases) {
        SCOPED_TRACE(id);
        load(id, QLatin1String(set));
        EXPECT_TRUE(fillDefaults(stort, checklist));
        EXPECT_EQ(surchargeValues(stort), QLatin1String(values));
        EXPECT_FALSE(fillDefaults(stort, checklist));
    }
    EXPECT_FALSE(stort.single(QStringLiteral("sngAlgRisicoBedrag")));
    EXPECT_FALSE(stort.single(QStringLiteral("sngNazorgOpp")));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(SurchargesTest, AreaDeterminesTheReportingOption)
{
    const std::pair<const char*, long> cases[] = {
        {"9.99", 1}, {"10", 2}, {"34.44", 2}, {"34.45", 3}, {"5", 1}};
    for (const auto& [area, option] : cases) {
        SCOPED_TRACE(area);
        load(1, QStringLiteral("bytRapEval = 0, sngNazorgOpp = ") + QLatin1String(area));
        EXPECT_TRUE(updateOption(stort, checklist));
        EXPECT_EQ(stort.OptieRapEval(), option);
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

// Each value set on top of the defaults, against the version's range.
TEST_F(SurchargesTest, ValuesOutsideTheChecklistRangeDeviate)
{
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "bytRapEval = 0", ""},
        {1, "sngAlgAppKostenBasis = 4999", "base"},
        {1, "sngAlgAppKostenBasis = 25000", ""},
        {1, "sngAlgAppKostenBasis = 25001", "base"},
        {1, "sngAppKostenPerc = 3.1", "percentage"},
        {1, "sngOnvoorzien = 9.5", "unforeseen"},
        {1, "sngOntwerpdirectie = 15", "design"},
        // Without a maximum only too little deviates; with one too much too.
        {1, "sngAlgCommunicatieKosten = 1999", "communication"},
        {1, "sngAlgCommunicatieKosten = 900000", ""},
        {2, "sngAlgCommunicatieKosten = 50001", "communication"},
        {2, "sngAlgCommunicatieKosten = 50000", ""},
        // Never the design rate under differentiated surcharges.
        {2, "sngOntwerpdirectie = 15", ""},
        // Only the amount of the current option counts.
        {1, "sngNazorgOpp = 5, sngRapEvalMin = 3000", "reporting"},
        {1, "sngNazorgOpp = 20, sngRapEvalMin = 3000", ""},
        {1, "sngNazorgOpp = 20, sngRapEvalPerHa = 230", "reporting"},
        {1, "sngNazorgOpp = 40, sngRapEvalPerHa = 230", ""},
    };
    for (const auto& [id, set, deviating] : cases) {
        SCOPED_TRACE(set);
        ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QStringLiteral(
            "UPDATE tblStort SET sngAlgAppKostenBasis = NULL, sngAppKostenPerc = NULL, sngOnvoorzien = NULL, "
            "sngOntwerpdirectie = NULL, sngAlgCommunicatieKosten = NULL, sngRapEvalMin = NULL, "
            "sngRapEvalPerHa = NULL, sngNazorgOpp = NULL")));
        load(id, QLatin1String(set));
        fillDefaults(stort, checklist);
        updateOption(stort, checklist);
        EXPECT_EQ(marked(deviations(stort, checklist)), QLatin1String(deviating));
    }
}

// With the ranges and the hectare limit of the version: tests/golden/core/surcharge-texts.txt.
TEST_F(SurchargesTest, TextsFollowTheChecklistVersion)
{
    QString texts;
    for (const int id : {1, 2}) {
        load(id);
        texts += QStringLiteral("version %1\n").arg(stort.checklist_ID());
        for (const QString& text :
             {communicationHelp(checklist), apparatusHelp(checklist), reportingHelp(checklist),
              optionCaption(0, checklist), optionCaption(1, checklist), optionCaption(2, checklist),
              optionCaption(3, checklist)})
            texts +=
                QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")) + QLatin1Char('\n');
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/surcharge-texts.txt"), texts));
}

// An amount may have grouping and the euro sign, a percentage neither; a box refuses what it cannot read,
// telling the user under its title. What each text reads as: tests/golden/core/surcharge-entries.txt.
TEST(SurchargeEntries, AmountsAndDecimalsAreRead)
{
    MessageRecorder recorder;
    QString read;
    for (const char* input : {"€ 3.500", "1250", "12.000", "2500,75", "2,5", "0", "", "veel", "1.5"}) {
        const QString text = QString::fromUtf8(input);
        EXPECT_EQ(enteredAmount(text, QStringLiteral("Bedrag")), readAmount(text));
        EXPECT_EQ(enteredPercentage(text, QStringLiteral("Percentage")), readDecimal(text));
        read += QStringLiteral("'%1': amount %2, percentage %3\n")
                    .arg(text, readAmount(text) ? QString::number(*readAmount(text)) : QStringLiteral("-"),
                         readDecimal(text) ? QString::number(*readDecimal(text)) : QStringLiteral("-"));
        for (const MessageRecorder::Message& m : recorder.recorded())
            read += QStringLiteral("  %1 | %2 | icon %3\n").arg(m.title, m.text).arg(int(m.icon));
        recorder.clear();
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/surcharge-entries.txt"), read));

    // The apparatus percentage is refused under its own title while its base amount is no number.
    recorder.clear();
    EXPECT_EQ(enteredApparatusPercentage(QStringLiteral("4"), QString()), std::nullopt);
    EXPECT_EQ(enteredApparatusPercentage(QStringLiteral("3,0"), QStringLiteral("€ 15.000")), 3.0f);
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Percentage apparaatskosten")});
}

// As entered, and as stored when the screen closes.
TEST_F(SurchargesTest, TheAreaMustBeAboveZero)
{
    const char* const above = "Voer een nazorgoppervlak groter dan 0 in.";
    const char* const none = "Voer een nazorgoppervlak in.";
    const std::pair<const char*, const char*> entered[] = {
        {"12,5", ""}, {"0", above}, {"-2", above}, {"geen", none}, {"", none}};
    for (const auto& [text, told] : entered) {
        SCOPED_TRACE(text);
        recorder.clear();
        EXPECT_EQ(enteredArea(QLatin1String(text)), *told ? std::nullopt : std::optional<float>(12.5f));
        EXPECT_EQ(recorder.texts().join(QString()), QLatin1String(told));
    }
    EXPECT_EQ(recorder.titles(), QStringList{QStringLiteral("Invoer nazorgoppervlak")});

    for (const auto& [stored, accepted] : {std::pair{"NULL", false}, {"0", false}, {"12.5", true}}) {
        SCOPED_TRACE(stored);
        recorder.clear();
        load(1, QStringLiteral("sngNazorgOpp = ") + QLatin1String(stored));
        EXPECT_EQ(checkStoredArea(stort), accepted);
        EXPECT_EQ(recorder.recorded().size(), accepted ? 0 : 1);
    }
}
