// The target capital computed from inputs held as plain values, without any file: present value factors,
// subtotals, surcharges and the messages of a calculation, against figures worked out by hand.
#include "calc/clsDV.h"
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"
#include "calc/toeslagen.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace dovra {
void PrintTo(const Diagnostic& d, std::ostream* os)
{
    *os << '{' << d.title.toStdString() << " | " << d.text.toStdString() << " | " << int(d.icon) << '}';
}
} // namespace dovra

using namespace dovra;

namespace {

// A cost item 'Maaien' of 1000 a year (freq 2, x 1) for ever (no end) from aftercare year 1, user-defined
// (origin 0), in rubric 4 and object category 2.
struct Post
{
    int freq = 2;
    int x = 1;
    int start = 1;
    std::optional<int> end;
    double amount = 1000;
    int rubric = 4;
    int origin = 0;
    qint64 category = 2;
    int type = 0;
    double perc = 0;
    int combined = 0;
};

StoredCostItem costItem(const Post& p, qint64 id = 1)
{
    const auto number = [](double value) {
        return StoredField{StoredField::State::Number, value};
    };
    StoredCostItem item{.id = id,
                        .objectCat = p.category,
                        .act = QStringLiteral("Maaien"),
                        .object = QStringLiteral("Bovenafdichting")};
    StoredValues& v = item.values;
    v.bytOptieStart = number(2);
    v.intStartRel = number(p.start);
    v.bytOptieEind = number(p.end ? 2 : 3);
    v.intEindRel = number(p.end.value_or(0));
    v.bytOptieFreq = number(p.freq);
    v.intFreqX = number(p.x);
    v.bytOptieKosten = number(2);
    v.sngKostenTotaal = number(p.amount);
    v.bytRubriek_REF = number(p.rubric);
    v.bytIsTALVO = number(p.origin);
    v.bytTypeVervangingsToeslag = number(p.type);
    v.sngVervangingsToeslagPerc = number(p.perc);
    v.bytCombineer = number(p.combined);
    return item;
}

// Facility 'Zuid' without rates and its aftercare starting in the price level year, so that a yearly cost
// for ever is worth exactly 1000 times its amount. Yearly: reporting 3 000 (option 1; 200 per ha of its
// 22.5 ha; at most 9 000), communication 2 000, apparatus 5 000 and 3 % of A and B; 10 % unforeseen,
// 12 % design and supervision, 250 000 risk. The checklist version's minimum reporting is 3 500.
TargetCapitalInputs facility(std::vector<StoredCostItem> items, float designPercentage = 0.12f)
{
    ChecklistVersionRow version{.id = 1, .rapEvalMin = 3500, .ontwerpdirectie = designPercentage};
    TargetCapitalInputs inputs{.facilityId = 1, .name = QStringLiteral("Zuid"), .S = 2010, .P = 2010};
    inputs.surcharges = {22.5f, 1, 3000, 200, 9000, 2000, 5000, 3, 10, 12, 250000};
    inputs.checklist = clsCL::fromRows(version);
    inputs.costItems = std::move(items);
    return inputs;
}

// Year k is discounted over k − 0.5 years.
double yearsSum(double q, int first, int last, int step = 1)
{
    double sum = 0;
    for (int k = first; k <= last; k += step)
        sum += std::pow(q, k - 0.5);
    return sum;
}

const QString Aborted = QStringLiteral("Doelvermogenberekening inrichting 'Zuid' afgebroken");

} // namespace

TEST(ComputeTargetCapital, FactorOfOneItemPerFrequency)
{
    const double q = 1.02 / 1.04;
    const QString nvt = QStringLiteral("nvt"), dash = QStringLiteral("-");
    struct Row
    {
        const char* name;
        Post post;
        double factor;
        QVariant first, last;
    };
    const Row rows[] = {
        {"once in year 10", {.freq = 1, .start = 10}, std::pow(q, 9.5), 10, dash},
        {"once before the start", {.freq = 1, .start = 0}, 0, nvt, dash},
        {"yearly 1..30", {.end = 30}, yearsSum(q, 1, 30), 1, 30},
        {"twice a year 1..30", {.x = 2, .end = 30}, 2 * yearsSum(q, 1, 30), 1, 30},
        {"yearly for ever", {}, yearsSum(q, 1, 1000), 1, 1000},
        {"yearly -2..30: from year 1", {.start = -2, .end = 30}, yearsSum(q, 1, 30), 1, 30},
        {"yearly -2..0", {.start = -2, .end = 0}, 0, nvt, nvt},
        {"every 5 years 5..30", {.freq = 3, .x = 5, .start = 5, .end = 30}, yearsSum(q, 5, 30, 5), 5, 30},
        // Year 0 is before the start too.
        {"every 5 years -5..10", {.freq = 3, .x = 5, .start = -5, .end = 10}, yearsSum(q, 5, 10, 5), 5, 10},
        {"every 3 years -1..10", {.freq = 3, .x = 3, .start = -1, .end = 10}, yearsSum(q, 2, 8, 3), 2, 8},
        {"every 3 years -5..0", {.freq = 3, .x = 3, .start = -5, .end = 0}, 0, nvt, nvt},
        // Occurrences -6 and -2 lie before the start, 2 after the end.
        {"every 4 years -6..1", {.freq = 3, .x = 4, .start = -6, .end = 1}, 0, nvt, nvt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TargetCapitalInputs inputs = facility({costItem(row.post)});
        inputs.r = 0.04f;
        inputs.i = 0.02f;
        const TargetCapital dv = computeTargetCapital(inputs);
        ASSERT_TRUE(dv.success);
        ASSERT_EQ(dv.items.size(), 1u);
        EXPECT_NEAR(dv.items[0].factor.toDouble(), row.factor, row.factor * 2e-7);
        EXPECT_NEAR(dv.items[0].ncw, 1000 * row.factor, row.factor * 1000 * 3e-7);
        EXPECT_EQ(dv.items[0].first, row.first);
        EXPECT_EQ(dv.items[0].last, row.last);
    }
}

TEST(ComputeTargetCapital, RatesAndFactorsExactly)
{
    TargetCapitalInputs inputs = facility(
        {costItem({}), costItem({.end = 30}, 2), costItem({.x = 2, .end = 30}, 3),
         costItem({.freq = 1, .start = 10}, 4), costItem({.freq = 3, .x = 5, .start = 5, .end = 30}, 5)});
    inputs.r = 0.04f;
    inputs.i = 0.02f;
    const TargetCapital dv = computeTargetCapital(inputs);
    // q in double precision from the rates as singles; no uplift from the price level year to the start.
    EXPECT_EQ(dv.q, (1 + double(0.02f)) / (1 + double(0.04f)));
    EXPECT_EQ(dv.F, 1.0f);
    EXPECT_EQ(dv.perpetual, dv.items[0].factor.toFloat());
    EXPECT_EQ(dv.items[2].factor.toFloat(), 2 * dv.items[1].factor.toFloat());
    // Worked out to six digits.
    EXPECT_NEAR(dv.perpetual, 51.4976, 1e-4);
    EXPECT_NEAR(dv.items[1].factor.toDouble(), 22.7374, 1e-4);
    EXPECT_NEAR(dv.items[3].factor.toDouble(), 0.831543, 1e-6);
    EXPECT_NEAR(dv.items[4].factor.toDouble(), 4.37261, 1e-5);
}

TEST(ComputeTargetCapital, SubtotalsPerRubricCategoryAndOrigin)
{
    const TargetCapital dv = computeTargetCapital(facility({
        costItem({.amount = 2, .rubric = 1}, 1),                           // 2 000
        costItem({.freq = 1, .rubric = 5, .origin = 1, .category = 7}, 2), // 1 000
        costItem({.freq = 1, .rubric = 6, .origin = 2}, 3),                // 1 000
        costItem({.amount = 99, .combined = 1}, 4),                        // carried by its combination post
    }));
    ASSERT_TRUE(dv.success);
    EXPECT_EQ(dv.perRubric, (std::array<float, 7>{0, 2000, 0, 0, 0, 1000, 1000}));
    EXPECT_EQ(dv.perCategory, (std::array<float, 8>{0, 0, 3000, 0, 0, 0, 0, 1000}));
    EXPECT_EQ(dv.perOrigin, (std::array<float, 4>{0, 2000, 1000, 1000}));
    EXPECT_TRUE(dv.items[3].factor.isNull());
    EXPECT_EQ(dv.items[3].ncw, 0.0f);
}

TEST(ComputeTargetCapital, SurchargesWithFixedOrPerItemDesignPercentage)
{
    // A: 400 000 once, B: 500 000 once, A × 10 % = 40 000; C = 3 % × (A + B with surcharges) + 1000 × 10 000.
    struct Row
    {
        const char* name;
        float designPercentage;
        float designFixed;
        double toeslagB, somC, metRisico;
    };
    const Row rows[] = {
        // B × 12 % = 60 000.
        {"fixed 12 %", 0.12f, 0.12f, 60000, 30000 + 10000000, 440000 + 560000 + 10030000 + 250000},
        // The large work's 6 % of B instead.
        {"per item", clsCL::PerItemSurcharges, 0, 30000, 29100 + 10000000,
         440000 + 530000 + 10029100 + 250000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TargetCapitalInputs inputs =
            facility({costItem({.freq = 1, .amount = 400000, .rubric = 1}, 1),
                      costItem({.freq = 1, .amount = 500000, .rubric = 5, .type = 2, .perc = 6}, 2)},
                     row.designPercentage);
        const TargetCapital dv = computeTargetCapital(inputs);
        ASSERT_TRUE(dv.success);
        const TargetCapitalSums sums(inputs, dv);
        EXPECT_EQ(sums.toeslagA(), 40000.0f);
        EXPECT_EQ(sums.somA_inclOnvoorzien(), 440000.0f);
        EXPECT_EQ(sums.ontwerpdirectieFixed(), row.designFixed);
        EXPECT_EQ(sums.toeslagB(), float(row.toeslagB));
        EXPECT_FLOAT_EQ(sums.somC(), float(row.somC));
        EXPECT_FLOAT_EQ(sums.metRisicoFonds(), float(row.metRisico));
        EXPECT_FLOAT_EQ(sums.metRisicoFondsInclBtw(21), float(row.metRisico * 1.21));
    }
}

TEST(ComputeTargetCapital, ReportingAndEvaluationByOption)
{
    const QString notSet = QStringLiteral(
        "De kosten voor rapportage/evaluatie zijn niet correct ingesteld. Controleer uw invoer via menu "
        "'Invoer' -> 'Toeslagen nazorgfase', tabblad 'Algemene nazorgkosten'.");
    struct Row
    {
        long option;
        float perYear;
        QString text;
        std::vector<Diagnostic> diagnostics;
    };
    const Row rows[] = {
        {1, 3000, QStringLiteral("€ 3.000"), {}},
        // The checklist's 3 500 for the first 10 ha, the facility's 200 for each of the 12.5 ha above.
        {2, 6000, QStringLiteral("€ 3.500 + 12,5 x € 200 = € 6.000"), {}},
        {3, 9000, QStringLiteral("€ 9.000"), {}},
        {0,
         0,
         QStringLiteral("?"),
         {{QStringLiteral("Algemene toeslag rapportage/evaluatie"), notSet, MessageIcon::Exclamation}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option);
        TargetCapitalInputs inputs = facility({costItem({})});
        inputs.surcharges.optieRapEval = row.option;
        const TargetCapital dv = computeTargetCapital(inputs);
        EXPECT_EQ(dv.success, row.diagnostics.empty());
        EXPECT_EQ(dv.diagnostics, row.diagnostics);
        EXPECT_EQ(dv.rapEvalPerJaar, row.perYear);
        EXPECT_EQ(dv.rapEvalText, row.text);
        EXPECT_EQ(dv.rapEvalKAP, 1000 * row.perYear);
        // The rest is calculated all the same.
        EXPECT_EQ(dv.items[0].ncw, 1000000.0f);
        EXPECT_EQ(dv.communicatieKAP, 2000000.0f);
    }
}

TEST(ComputeTargetCapital, DiagnosticsInTheOrderTheyArise)
{
    const auto frequency = [](const char* act) {
        return Diagnostic{QStringLiteral("Berekening doelvermogen inrichting 'Zuid'"),
                          QStringLiteral("Ongeldige frequentie (namelijk: 0) aangetroffen bij kostenpost '") +
                              QLatin1String(act) + QStringLiteral("'. "),
                          MessageIcon::Critical};
    };
    const Diagnostic overflow{Aborted,
                              QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost "
                                             "'Maaien'. \r\nPas rente- en/of inflatiepercentages aan of "
                                             "controleer de gegevens van deze post."),
                              MessageIcon::Exclamation};
    StoredCostItem painting = costItem({.x = 0}, 2);
    painting.act = QStringLiteral("Schilderen");
    StoredCostItem amountAsText = costItem({});
    amountAsText.values.sngKostenTotaal = {StoredField::State::Text, 0};
    StoredCostItem noFrequency = costItem({});
    noFrequency.values.intFreqX = {};
    struct Row
    {
        const char* name;
        std::vector<StoredCostItem> items;
        float inflation;
        std::vector<Diagnostic> diagnostics;
    };
    const Row rows[] = {
        {"invalid frequencies",
         {costItem({.x = 0}), painting, costItem({}, 3)},
         0,
         {frequency("Maaien"), frequency("Schilderen")}},
        // At 10 % inflation and no interest a cost for ever has no finite present value.
        {"overflow after an invalid frequency",
         {painting, costItem({}, 3)},
         0.1f,
         {frequency("Schilderen"), overflow}},
        {"text in a numeric field",
         {amountAsText},
         0,
         {{Aborted,
           QStringLiteral(
               "Het veld 'sngKostenTotaal' van kostenpost 'Maaien' bevat geen getal.\r\nControleer "
               "de gegevens van deze post."),
           MessageIcon::Exclamation}}},
        {"no frequency",
         {noFrequency},
         0,
         {{QStringLiteral("Fout bij berekening: 94 'Zuid'"), QStringLiteral("Invalid use of Null"),
           MessageIcon::Critical}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TargetCapitalInputs inputs = facility(row.items);
        inputs.i = row.inflation;
        const TargetCapital dv = computeTargetCapital(inputs);
        EXPECT_FALSE(dv.success);
        EXPECT_EQ(dv.diagnostics, row.diagnostics);
    }
}

TEST(ComputeTargetCapital, ClsDvTellsWhatTheCalculationOnlyReports)
{
    MessageRecorder recorder;
    TargetCapitalInputs inputs = facility({costItem({.x = 0}), costItem({}, 2)});
    inputs.surcharges.optieRapEval = 0;
    const TargetCapital figures = computeTargetCapital(inputs);
    ASSERT_EQ(figures.diagnostics.size(), 2u);
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // Calculated again at other rates, without reading anything.
    clsDV dv;
    inputs.r = 0.04f;
    inputs.i = 0.02f;
    dv.initializeDV(inputs);
    EXPECT_FALSE(dv.BerekenAlles());
    std::vector<Diagnostic> told;
    for (const MessageRecorder::Message& message : recorder.recorded())
        told.push_back({message.title, message.text, message.icon});
    EXPECT_EQ(told, figures.diagnostics);
    const double perpetual = yearsSum(1.02 / 1.04, 1, 1000);
    EXPECT_EQ(figures.items[1].ncw, 1000000.0f);
    EXPECT_NEAR(dv.itemNCW(1), 1000 * perpetual, 1000 * perpetual * 3e-7);
}

// The top liner's design fee and supervision percentage step up with its area: each step begins at its
// bound, one square metre less is the step below.
TEST(ComputeTargetCapital, TopLinerSurchargesStepAtTheirAreaBounds)
{
    const std::pair<float, float> fees[] = {
        {149999, 110000}, {150000, 120000}, {199999, 120000}, {200000, 130000},
        {249999, 130000}, {250000, 135000}, {299999, 135000}, {300000, 140000},
        {349999, 140000}, {350000, 145000}, {399999, 145000}, {400000, 150000},
        {449999, 150000}, {450000, 155000}, {499999, 155000}, {500000, 160000}};
    for (const auto& [area, fee] : fees)
        EXPECT_EQ(OntwerpHonorariumBovenafdichting(area), fee) << area;
    const std::pair<float, float> percentages[] = {{199999, 6.5f}, {200000, 6.3f}, {299999, 6.3f},
                                                   {300000, 6.2f}, {399999, 6.2f}, {400000, 6.0f}};
    for (const auto& [area, percentage] : percentages)
        EXPECT_EQ(DirectievoeringPercBovenafdichting(area), percentage) << area;
}
