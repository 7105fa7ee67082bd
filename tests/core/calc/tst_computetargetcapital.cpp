// The target capital computed from inputs held as plain values, without any file: present value factors,
// subtotals, surcharges, sums and the messages of a calculation, against figures worked out by hand.
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

StoredField number(double value)
{
    return {StoredField::State::Number, value};
}

// A cost item 'Maaien' of 1000 a year (freq 2, x 1) for ever (no end) from aftercare year 1, user-defined
// (origin 0), in rubric 4 and object category 2.
struct Post
{
    int freq = 2;
    double x = 1;
    double start = 1;
    std::optional<double> end;
    bool cal = false; // start and end are calendar years
    int kth = 0;      // from the k-th year after the top liner's construction (the start)
    double years = 0; // the end, counted in years from the start as entered
    double amount = 1000;
    int rubric = 4;
    int origin = 0;
    qint64 category = 2;
    int type = 0;
    double perc = 0;
    double area = 0;
    int combined = 0;
    double clItem = 0;
    const char* act = "Maaien";
};

StoredCostItem costItem(const Post& p, qint64 id = 1)
{
    StoredCostItem item{.id = id,
                        .objectCat = p.category,
                        .act = QString::fromUtf8(p.act),
                        .object = QStringLiteral("Bovenafdichting")};
    StoredValues& v = item.values;
    v.bytOptieStart = number(p.cal ? 1 : 2);
    (p.cal ? v.intStartAbs : v.intStartRel) = number(p.start);
    v.bytStartBA = number(p.kth ? 1 : 0);
    v.intStartBA = number(p.kth);
    v.bytOptieEind = number(!p.end ? 3 : p.cal ? 1 : 2);
    (p.cal ? v.intEindAbs : v.intEindRel) = number(p.end.value_or(0));
    v.bytEindBA = number(p.years ? 1 : 0);
    v.intEindBA = number(p.years);
    v.bytOptieFreq = number(p.freq);
    v.intFreqX = number(p.x);
    v.bytOptieKosten = number(2);
    v.sngKostenTotaal = number(p.amount);
    v.sngAantal = number(p.area);
    v.bytRubriek_REF = number(p.rubric);
    v.bytIsTALVO = number(p.origin);
    v.bytTypeVervangingsToeslag = number(p.type);
    v.sngVervangingsToeslagPerc = number(p.perc);
    v.bytCombineer = number(p.combined);
    if (p.clItem)
        v.lngClitem_REF = number(p.clItem);
    return item;
}

// Facility 'Zuid' without rates and its aftercare starting in the price level year, so that a yearly cost
// for ever is worth exactly 1000 times its amount. Yearly: reporting 3 000 (option 1; 200 per ha of its
// 22.5 ha; at most 9 000), communication 2 000, apparatus 5 000 and 3 % of A and B; 10 % unforeseen,
// 12 % design and supervision, 250 000 risk. The checklist version's minimum reporting is 3 500; it sets
// the replacement surcharges per item at clsCL::PerItemSurcharges.
TargetCapitalInputs facility(std::vector<StoredCostItem> items, float designPercentage = 0.12f,
                             std::vector<ChecklistItemRow> checklistItems = {})
{
    ChecklistVersionRow version{.id = 1, .rapEvalMin = 3500, .ontwerpdirectie = designPercentage};
    TargetCapitalInputs inputs{.facilityId = 1, .name = QStringLiteral("Zuid"), .S = 2010, .P = 2010};
    inputs.surcharges = {22.5f, 1, 3000, 200, 9000, 2000, 5000, 3, 10, 12, 250000};
    inputs.checklist = clsCL::fromRows(version, std::move(checklistItems));
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

const double Q = 1.02 / 1.04;
const QString Aborted = QStringLiteral("Doelvermogenberekening inrichting 'Zuid' afgebroken");

} // namespace

TEST(ComputeTargetCapital, FactorOfOneItemPerSchedule)
{
    const QString nvt = QStringLiteral("nvt"), dash = QStringLiteral("-");
    // From 1 October 2010, calendar years 2010, 2015 and 2020 lie 0.25, 5.25 and 10.25 years after it.
    const double october = std::pow(Q, -0.25) + std::pow(Q, 4.75) + std::pow(Q, 9.75);
    struct Row
    {
        const char* name;
        Post post;
        double factor;
        QVariant first, last;
        float S = 2010; // the aftercare start; the price level year is 2010
    };
    const Row rows[] = {
        {"once in 10", {.freq = 1, .start = 10}, std::pow(Q, 9.5), 10, dash},
        {"once in 0", {.freq = 1, .start = 0}, 0, nvt, dash},
        // Calendar year 2010 lies half a year after a start on 1 July 2010: the middle of year 1.
        {"2010 from July", {.freq = 1, .start = 2010, .cal = true}, 1, 1, dash, 2010.5f},
        {"2010 from October", {.freq = 1, .start = 2010, .cal = true}, 0, nvt, dash, 2010.75f},
        {"yearly 1..30", {.end = 30}, yearsSum(Q, 1, 30), 1, 30},
        {"twice a year 1..30", {.x = 2, .end = 30}, 2 * yearsSum(Q, 1, 30), 1, 30},
        {"yearly for ever", {}, yearsSum(Q, 1, 1000), 1, 1000},
        {"yearly -2..30: from 1", {.start = -2, .end = 30}, yearsSum(Q, 1, 30), 1, 30},
        {"yearly -2..0", {.start = -2, .end = 0}, 0, nvt, nvt},
        // Built in 2012 (year 3); from the 3rd year after that, 5 years counted from 2012: years 5..7.
        {"top liner", {.start = 2012, .cal = true, .kth = 3, .years = 5}, yearsSum(Q, 5, 7), 5, 7},
        {"100 000 years", {.freq = 3, .years = 100000}, yearsSum(Q, 1, 100000), 1, 100000},
        {"5-yearly 5..30", {.freq = 3, .x = 5, .start = 5, .end = 30}, yearsSum(Q, 5, 30, 5), 5, 30},
        {"5-yearly 2010..",
         {.freq = 3, .x = 5, .start = 2010, .end = 2020, .cal = true},
         october,
         0,
         10,
         2010.75f},
        // Year 0 is before the start too.
        {"5-yearly -5..10", {.freq = 3, .x = 5, .start = -5, .end = 10}, yearsSum(Q, 5, 10, 5), 5, 10},
        {"3-yearly -5..0", {.freq = 3, .x = 3, .start = -5, .end = 0}, 0, nvt, nvt},
        // Occurrences -6 and -2 lie before the start, 2 after the end.
        {"4-yearly -6..1", {.freq = 3, .x = 4, .start = -6, .end = 1}, 0, nvt, nvt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TargetCapitalInputs inputs = facility({costItem(row.post)});
        inputs.r = 0.04f;
        inputs.i = 0.02f;
        inputs.S = row.S;
        const TargetCapital dv = computeTargetCapital(inputs);
        ASSERT_EQ(dv.items.size(), 1u);
        // Raised from the price level year to the start.
        const double factor = row.factor * std::pow(1.02, row.S - 2010.0);
        EXPECT_NEAR(dv.items[0].factor.toDouble(), factor, factor * 4e-7);
        EXPECT_NEAR(dv.items[0].ncw, 1000 * factor, factor * 1000 * 5e-7);
        EXPECT_EQ(dv.items[0].first, row.first);
        EXPECT_EQ(dv.items[0].last, row.last);
    }
}

TEST(ComputeTargetCapital, RatesAndFactorsExactly)
{
    TargetCapitalInputs inputs =
        facility({costItem({}), costItem({.end = 30}, 2), costItem({.freq = 1, .start = 10}, 3),
                  costItem({.freq = 3, .x = 5, .start = 5, .end = 30}, 4)});
    inputs.r = 0.04f;
    inputs.i = 0.02f;
    TargetCapital dv = computeTargetCapital(inputs);
    // q in double precision from the rates as singles.
    EXPECT_EQ(dv.q, (1 + double(0.02f)) / (1 + double(0.04f)));
    EXPECT_EQ(dv.perpetual, dv.items[0].factor.toFloat());
    // Worked out to six digits.
    EXPECT_NEAR(dv.perpetual, 51.4976, 1e-4);
    EXPECT_NEAR(dv.items[1].factor.toDouble(), 22.7374, 1e-4);
    EXPECT_NEAR(dv.items[2].factor.toDouble(), 0.831543, 1e-6);
    EXPECT_NEAR(dv.items[3].factor.toDouble(), 4.37261, 1e-5);

    // At equal rates the years count undiscounted.
    inputs.r = inputs.i = 0.03f;
    dv = computeTargetCapital(inputs);
    EXPECT_EQ(dv.q, 1.0);
    EXPECT_EQ(dv.perpetual, 1000.0f);
    EXPECT_EQ(dv.items[1].factor, 30.0f);
}

TEST(ComputeTargetCapital, CostOptionsGiveTheAmountPerOccurrence)
{
    StoredCostItem investment = costItem({}, 1), perUnit = costItem({}, 2), noQuantity = costItem({}, 3);
    investment.values.bytOptieKosten = number(1);
    investment.values.sngPercInvest = number(2.5);
    investment.values.sngKostenInvest = number(4000);
    perUnit.values.bytOptieKosten = number(3);
    perUnit.values.sngKostenPE = number(12.5);
    perUnit.values.sngAantal = number(3);
    noQuantity.values.bytOptieKosten = number(3);
    noQuantity.values.sngKostenPE = number(12.5);
    noQuantity.values.sngAantal = {};
    const TargetCapital dv = computeTargetCapital(facility({investment, perUnit, noQuantity}));
    ASSERT_TRUE(dv.success);
    EXPECT_EQ(dv.items[0].ncw, 100000.0f);
    EXPECT_EQ(dv.items[1].ncw, 37500.0f);
    EXPECT_EQ(dv.items[2].ncw, 0.0f);
}

TEST(ComputeTargetCapital, SubtotalsPerRubricCategoryAndOrigin)
{
    TargetCapitalInputs inputs = facility({
        costItem({.amount = 2, .rubric = 1}, 1),                           // 2 000
        costItem({.freq = 1, .rubric = 5, .origin = 1, .category = 7}, 2), // 1 000
        costItem({.freq = 1, .rubric = 6, .origin = 2}, 3),                // 1 000
        costItem({.amount = 99, .combined = 1}, 4),                        // carried by its combination post
    });
    const TargetCapital figures = computeTargetCapital(inputs);
    ASSERT_TRUE(figures.success);
    EXPECT_EQ(figures.perRubric, (std::array<float, 7>{0, 2000, 0, 0, 0, 1000, 1000}));
    EXPECT_EQ(figures.perCategory, (std::array<float, 8>{0, 0, 3000, 0, 0, 0, 0, 1000}));
    EXPECT_EQ(figures.perOrigin, (std::array<float, 4>{0, 2000, 1000, 1000}));
    EXPECT_TRUE(figures.items[3].factor.isNull());
    EXPECT_TRUE(figures.items[3].first.isNull());
    EXPECT_EQ(figures.items[3].ncw, 0.0f);

    // As the reports ask for them: by origin they ask by conformity code, one below the origin.
    clsDV dv;
    dv.initializeDV(inputs);
    ASSERT_TRUE(dv.BerekenAlles());
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::ObjectCategorie, 7), 1000.0f);
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Rubriek, 1), 2000.0f);
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Herkomst, 0), 2000.0f);
    EXPECT_EQ(dv.rapTotaalPerSorteerveld(clsDV::Sorteerveld::Herkomst, 2), 1000.0f);
}

TEST(ComputeTargetCapital, GeneralYearlyCostsArePerpetualAtTheStartsPriceLevel)
{
    TargetCapitalInputs inputs = facility({});
    inputs.r = 0.04f;
    inputs.i = 0.02f;
    inputs.S = 2010.5f;
    inputs.P = 2008;
    const TargetCapital dv = computeTargetCapital(inputs);
    ASSERT_TRUE(dv.success);
    EXPECT_NEAR(dv.F, 1.050753, 1e-6); // 1.02 ^ 2.5
    // The uplift applies to the yearly costs, not to the perpetual factor itself.
    const double perpetual = yearsSum(Q, 1, 1000);
    EXPECT_NEAR(dv.perpetual, perpetual, perpetual * 2e-7);
    const double uplifted = perpetual * std::pow(1.02, 2.5);
    EXPECT_NEAR(dv.rapEvalKAP, 3000 * uplifted, 3000 * uplifted * 4e-7);
    EXPECT_NEAR(dv.communicatieKAP, 2000 * uplifted, 2000 * uplifted * 4e-7);
    EXPECT_NEAR(dv.appBasisKAP, 5000 * uplifted, 5000 * uplifted * 4e-7);
    // The risk amount counts at face value.
    const TargetCapitalSums sums(inputs, dv);
    EXPECT_EQ(sums.metRisicoFonds() - sums.zonderRisicoFonds(), 250000.0f);
}

TEST(ComputeTargetCapital, SumsWithFixedOrPerItemDesignPercentage)
{
    // A: 400 000 once, B: 500 000 once, A × 10 % = 40 000; C = 3 % × (A + B with surcharges) + 1000 × 10 000.
    // Rubric 6 is reported but not in the target capital.
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
            facility({costItem({.freq = 1, .amount = 300000, .rubric = 1}, 1),
                      costItem({.freq = 1, .amount = 100000, .rubric = 4}, 2),
                      costItem({.freq = 1, .amount = 500000, .rubric = 5, .type = 2, .perc = 6}, 3),
                      costItem({.freq = 1, .amount = 77000, .rubric = 6}, 4)},
                     row.designPercentage);
        const TargetCapital dv = computeTargetCapital(inputs);
        ASSERT_TRUE(dv.success);
        const TargetCapitalSums sums(inputs, dv);
        EXPECT_EQ(sums.somA_exclOnvoorzien(), 400000.0f);
        EXPECT_EQ(sums.toeslagA(), 40000.0f);
        EXPECT_EQ(sums.somA_inclOnvoorzien(), 440000.0f);
        EXPECT_EQ(sums.ontwerpdirectieFixed(), row.designFixed);
        EXPECT_EQ(sums.toeslagB(), float(row.toeslagB));
        EXPECT_FLOAT_EQ(sums.somC(), float(row.somC));
        EXPECT_FLOAT_EQ(sums.metRisicoFonds(), float(row.metRisico));
        EXPECT_FLOAT_EQ(sums.metRisicoFondsInclBtw(21), float(row.metRisico * 1.21));
    }
}

TEST(ComputeTargetCapital, ReplacementSurchargesPerItem)
{
    // One-off costs in year 10; the surcharges are discounted with their item. The top liner's steps by
    // area: TopLinerSurchargesStepAtTheirAreaBounds.
    const auto once = [](const char* act, double amount, int type, double perc, int rubric = 5) {
        return costItem({.freq = 1,
                         .start = 10,
                         .amount = amount,
                         .rubric = rubric,
                         .type = type,
                         .perc = perc,
                         .area = 150000,
                         .act = act});
    };
    TargetCapitalInputs inputs =
        facility({once("Toplaag", 1000000, 1, 0), once("Pompen", 200000, 2, 6), once("Putten", 10000, 3, 7.5),
                  once("Hekwerk", 5000, 0, 0), once("Leidingen", 40000, 2, 6.25, 4)},
                 clsCL::PerItemSurcharges);
    inputs.r = 0.04f;
    inputs.i = 0.02f;
    const TargetCapital dv = computeTargetCapital(inputs);
    ASSERT_TRUE(dv.success);
    const double factor = std::pow(Q, 9.5);
    const std::tuple<const char*, double, int> expected[] = {
        {"'Bovenafdichting: Toplaag' (bovenafd. (ontwerp), 150.000 m2)", 120000, 1},
        {"'Bovenafdichting: Toplaag' (bovenafd. (directievoering/toezicht), 150.000 m2; 6,5%)", 65000, 1},
        {"'Bovenafdichting: Pompen' (groot werk, 6,0%)", 12000, 1},
        {"'Bovenafdichting: Putten' (klein werk, 7,5%)", 750, 2},
        // Outside the replacements the percentage is not checked.
        {"'Bovenafdichting: Leidingen' (groot werk, 6,25%)", 2500, 1},
    };
    ASSERT_EQ(dv.toeslagen.size(), std::size(expected));
    double sum = 0;
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        const auto& [text, value, isTalvo] = expected[k];
        SCOPED_TRACE(text);
        EXPECT_EQ(dv.toeslagen[k].ToeslagTekst, QString::fromUtf8(text));
        EXPECT_FLOAT_EQ(dv.toeslagen[k].ToeslagWaarde, float(value));
        EXPECT_NEAR(dv.toeslagen[k].ToeslagWaardeNCW, value * factor, value * factor * 4e-7);
        EXPECT_EQ(dv.toeslagen[k].IsTALVO, isTalvo);
        sum += value * factor;
    }
    // They replace the fixed percentage.
    EXPECT_NEAR(TargetCapitalSums(inputs, dv).toeslagB(), sum, sum * 4e-7);
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

// Values that no calculation can hold, or that are no numbers at all, stop it with a message that says
// what to check: never a figure read as 0 or beyond the single range, never a schedule without end.
TEST(ComputeTargetCapital, DiagnosticsInTheOrderTheyArise)
{
    const auto frequency = [](const char* act) {
        return Diagnostic{QStringLiteral("Berekening doelvermogen inrichting 'Zuid'"),
                          QStringLiteral("Ongeldige frequentie (namelijk: 0) aangetroffen bij kostenpost '") +
                              QLatin1String(act) + QStringLiteral("'. "),
                          MessageIcon::Critical};
    };
    const auto overflow = [](const char* act) {
        return Diagnostic{
            Aborted,
            QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost '") +
                QLatin1String(act) +
                QStringLiteral("'. \r\nPas rente- en/of inflatiepercentages aan of controleer de "
                               "gegevens van deze post."),
            MessageIcon::Exclamation};
    };
    const auto notANumber = [](const char* field) {
        return Diagnostic{Aborted,
                          QStringLiteral("Het veld '") + QLatin1String(field) +
                              QStringLiteral("' van kostenpost 'Maaien' bevat geen getal.\r\nControleer de "
                                             "gegevens van deze post."),
                          MessageIcon::Exclamation};
    };
    const auto error = [](int number, const char* text) {
        return Diagnostic{QStringLiteral("Fout bij berekening: %1 'Zuid'").arg(number), QLatin1String(text),
                          MessageIcon::Critical};
    };
    const auto with = [](StoredField StoredValues::*field, StoredField value) {
        StoredCostItem item = costItem({});
        item.values.*field = value;
        return item;
    };
    const StoredField text{StoredField::State::Text, 0};
    const StoredCostItem painting = costItem({.x = 0, .act = "Schilderen"}, 2), yearly = costItem({}, 3);
    struct Row
    {
        const char* name;
        std::vector<StoredCostItem> items;
        std::vector<Diagnostic> diagnostics;
        float inflation = 0;
        float design = 0.12f;
    };
    const Diagnostic maaien = overflow("Maaien");
    const Row rows[] = {
        {"invalid frequencies",
         {costItem({.x = 0}), painting, yearly},
         {frequency("Maaien"), frequency("Schilderen")}},
        // At 10 % inflation and no interest a cost for ever has no finite present value.
        {"overflow after", {painting, yearly}, {frequency("Schilderen"), maaien}, 0.1f},
        // The general costs are for ever as well.
        {"general costs", {costItem({.freq = 1})}, {overflow("")}, 0.1f},
        // Counted in single precision, a hundred million yearly occurrences would never end.
        {"100 001 years", {costItem({.freq = 3, .years = 100001})}, {maaien}},
        {"start -1e30", {costItem({.start = -1e30})}, {maaien}},
        {"end 1e30", {costItem({.end = 1e30})}, {maaien}},
        {"once in 1e30", {costItem({.freq = 1, .start = 1e30})}, {maaien}},
        {"every 1e30 years", {costItem({.freq = 3, .x = 1e30})}, {maaien}},
        {"amount 1e39", {costItem({.amount = 1e39})}, {maaien}},
        // The sums of items that each fit.
        {"sum A", {costItem({.freq = 1, .amount = 3.2e38, .rubric = 1})}, {overflow("")}},
        {"text as amount", {with(&StoredValues::sngKostenTotaal, text)}, {notANumber("sngKostenTotaal")}},
        {"text as rubric", {with(&StoredValues::bytRubriek_REF, text)}, {notANumber("bytRubriek_REF")}},
        {"no frequency", {with(&StoredValues::intFreqX, {})}, {error(94, "Invalid use of Null")}},
        {"unknown surcharge type",
         {costItem({.rubric = 5, .type = 4, .perc = 6})},
         {error(5, "Onbekende conditie in AppendToeslagen")},
         0,
         clsCL::PerItemSurcharges},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TargetCapitalInputs inputs = facility(row.items, row.design);
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
    // The other items are calculated all the same.
    EXPECT_EQ(figures.items[1].ncw, 1000000.0f);

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
    const double perpetual = yearsSum(Q, 1, 1000);
    EXPECT_NEAR(dv.itemNCW(1), 1000 * perpetual, 1000 * perpetual * 3e-7);
}

// Before a calculation: an aftercare area, then cost items, and a combination post for combined items.
TEST(ComputeTargetCapital, ChecksBeforeTheCalculation)
{
    const QString incomplete = QStringLiteral("Invoer onvolledig bij Zuid");
    const std::vector<ChecklistItemRow> posts = {
        {.id = 5}, {.id = 12, .isCombinatiePost = true}, {.id = 57, .isCombinatiePost = true}};
    const StoredCostItem combined = costItem({.combined = 1, .clItem = 5});
    struct Row
    {
        const char* name;
        std::vector<StoredCostItem> items;
        QString title; // of the only message; none when the checks pass
        std::vector<ChecklistItemRow> checklist = {};
        float area = 20;
    };
    const Row rows[] = {
        {"no area", {costItem({})}, incomplete, {}, 0},
        {"no cost items", {}, QStringLiteral("Validatie invoer inrichting 'Zuid'")},
        // Item 5 is no combination post, although "5" occurs in "12,57".
        {"combined without combination post", {combined}, incomplete, posts},
        {"combined with combination post", {combined, costItem({.clItem = 57}, 2)}, {}, posts},
        {"version without combination posts", {combined}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MessageRecorder recorder;
        TargetCapitalInputs inputs = facility(row.items, 0.12f, row.checklist);
        inputs.surcharges.area = row.area;
        clsDV dv;
        dv.initializeDV(inputs);
        EXPECT_EQ(dv.VerifyBeforeBerekening2(), row.title.isEmpty());
        EXPECT_EQ(recorder.titles(), row.title.isEmpty() ? QStringList() : QStringList{row.title});
    }
}
