// The target capital: present value factors, subtotals, surcharges, sums and the messages of a calculation
// on inputs held as plain values against figures worked out by hand, and those inputs as read from a file;
// the surcharge defaults, deviations and entries against the checklist version; the levy per ton that
// raises the target capital, alone or equalised over a province's facilities of one type.
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "calc/expenditureschedule.h"
#include "calc/sensitivity.h"
#include "calc/surchargedefaults.h"
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"
#include "calc/toeslagen.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"
#include "facility/facilitymanagement.h"
#include "reports/formats/screenreport.h"
#include "reports/sensitivityreport.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/golden.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/screendump.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

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
    double x = 1, start = 1;
    std::optional<double> end;
    bool cal = false; // start and end are calendar years
    int kth = 0;      // from the k-th year after the top liner's construction (the start)
    double years = 0; // the end, counted in years from the start as entered
    double amount = 1000;
    int rubric = 4, origin = 0;
    qint64 category = 2;
    int type = 0;
    double perc = 0, area = 0; // area: also the quantity of a cost per unit
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
    const auto either = [](bool first, double value) {
        return first ? std::pair{number(value), StoredField{}} : std::pair{StoredField{}, number(value)};
    };
    const auto [startAbs, startRel] = either(p.cal, p.start);
    const auto [endAbs, endRel] = either(p.cal, p.end.value_or(0));
    const StoredField none, clItem = p.clItem ? number(p.clItem) : none;
    const int endOption = !p.end ? 3 : p.cal ? 1 : 2;
    // In the order of StoredValues.
    item.values = StoredValues(number(p.cal ? 1 : 2), number(p.kth ? 1 : 0), startAbs, startRel,
                               number(p.kth), number(endOption), number(p.years ? 1 : 0), endAbs, endRel,
                               number(p.years), number(p.freq), number(p.x), number(2), none, none,
                               number(p.amount), none, number(p.area), number(p.rubric), number(p.type),
                               number(p.perc), number(p.origin), clItem, number(p.combined));
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

// The same at 4 % interest and 2 % inflation.
TargetCapitalInputs rated(std::vector<StoredCostItem> items, float designPercentage = 0.12f)
{
    TargetCapitalInputs inputs = facility(std::move(items), designPercentage);
    inputs.r = 0.04f;
    inputs.i = 0.02f;
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

// A message on one line of a golden file.
QString oneLine(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n"));
}

const double Q = 1.02 / 1.04;

} // namespace

TEST(ComputeTargetCapital, FactorOfOneItemPerSchedule)
{
    // From 1 October 2010, calendar years 2010, 2015 and 2020 lie 0.25, 5.25 and 10.25 years after it.
    const double october = std::pow(Q, -0.25) + std::pow(Q, 4.75) + std::pow(Q, 9.75);
    struct Row
    {
        const char* name;
        Post post;
        double factor;
        const char* years; // first|last
        float S = 2010;    // the aftercare start; the price level year is 2010
    };
    const Row rows[] = {
        {"once in 10", {.freq = 1, .start = 10}, std::pow(Q, 9.5), "10|-"},
        {"once in 0", {.freq = 1, .start = 0}, 0, "nvt|-"},
        // Calendar year 2010 lies half a year after a start on 1 July 2010: the middle of year 1.
        {"2010 from July", {.freq = 1, .start = 2010, .cal = true}, 1, "1|-", 2010.5f},
        {"2010 from October", {.freq = 1, .start = 2010, .cal = true}, 0, "nvt|-", 2010.75f},
        {"yearly 1..30", {.end = 30}, yearsSum(Q, 1, 30), "1|30"},
        {"twice a year 1..30", {.x = 2, .end = 30}, 2 * yearsSum(Q, 1, 30), "1|30"},
        {"yearly for ever", {}, yearsSum(Q, 1, 1000), "1|1000"},
        {"yearly -2..30: from 1", {.start = -2, .end = 30}, yearsSum(Q, 1, 30), "1|30"},
        {"yearly -2..0", {.start = -2, .end = 0}, 0, "nvt|nvt"},
        // Built in 2012 (year 3); from the 3rd year after that, 5 years counted from 2012: years 5..7.
        {"top liner", {.start = 2012, .cal = true, .kth = 3, .years = 5}, yearsSum(Q, 5, 7), "5|7"},
        {"100 000 years", {.freq = 3, .years = 100000}, yearsSum(Q, 1, 100000), "1|100000"},
        {"5-yearly 5..30", {.freq = 3, .x = 5, .start = 5, .end = 30}, yearsSum(Q, 5, 30, 5), "5|30"},
        {"5-yearly cal",
         {.freq = 3, .x = 5, .start = 2010, .end = 2020, .cal = true},
         october,
         "0|10",
         2010.75f},
        // Year 0 is before the start too.
        {"5-yearly -5..10", {.freq = 3, .x = 5, .start = -5, .end = 10}, yearsSum(Q, 5, 10, 5), "5|10"},
        {"3-yearly -5..0", {.freq = 3, .x = 3, .start = -5, .end = 0}, 0, "nvt|nvt"},
        // Occurrences -6 and -2 lie before the start, 2 after the end.
        {"4-yearly -6..1", {.freq = 3, .x = 4, .start = -6, .end = 1}, 0, "nvt|nvt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TargetCapitalInputs inputs = rated({costItem(row.post)});
        inputs.S = row.S;
        const TargetCapital dv = computeTargetCapital(inputs);
        ASSERT_EQ(dv.items.size(), 1u);
        // Raised from the price level year to the start.
        const double factor = row.factor * std::pow(1.02, row.S - 2010.0);
        EXPECT_NEAR(dv.items[0].factor.toDouble(), factor, factor * 4e-7);
        EXPECT_NEAR(dv.items[0].ncw, 1000 * factor, factor * 1000 * 5e-7);
        EXPECT_EQ(dv.items[0].first.toString() + QLatin1Char('|') + dv.items[0].last.toString(),
                  QLatin1String(row.years));
    }
}

// The factors themselves: FactorOfOneItemPerSchedule.
TEST(ComputeTargetCapital, RatesAndFactorsExactly)
{
    TargetCapitalInputs inputs = rated({costItem({}), costItem({.end = 30}, 2)});
    TargetCapital dv = computeTargetCapital(inputs);
    // q in double precision from the rates as singles.
    EXPECT_EQ(dv.q, (1 + double(0.02f)) / (1 + double(0.04f)));
    EXPECT_EQ(dv.perpetual, dv.items[0].factor.toFloat());

    // At equal rates the years count undiscounted.
    inputs.r = inputs.i = 0.03f;
    dv = computeTargetCapital(inputs);
    EXPECT_EQ(dv.q, 1.0);
    EXPECT_EQ(dv.perpetual, 1000.0f);
    EXPECT_EQ(dv.items[1].factor, 30.0f);
}

// 2.5 % of an investment of 4 000; 12.5 per unit of 3 units, or of none entered.
TEST(ComputeTargetCapital, CostOptionsGiveTheAmountPerOccurrence)
{
    StoredCostItem investment = costItem({}, 1), perUnit = costItem({.area = 3}, 2),
                   noQuantity = costItem({}, 3);
    investment.values.bytOptieKosten = number(1);
    investment.values.sngPercInvest = number(2.5);
    investment.values.sngKostenInvest = number(4000);
    perUnit.values.bytOptieKosten = noQuantity.values.bytOptieKosten = number(3);
    perUnit.values.sngKostenPE = noQuantity.values.sngKostenPE = number(12.5);
    noQuantity.values.sngAantal = {};
    const TargetCapital dv = computeTargetCapital(facility({investment, perUnit, noQuantity}));
    ASSERT_TRUE(dv.success);
    EXPECT_EQ((std::vector{dv.items[0].ncw, dv.items[1].ncw, dv.items[2].ncw}),
              (std::vector{100000.0f, 37500.0f, 0.0f}));
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
    EXPECT_TRUE(figures.items[3].factor.isNull() && figures.items[3].first.isNull());
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
    TargetCapitalInputs inputs = rated({});
    inputs.S = 2010.5f;
    inputs.P = 2008;
    const TargetCapital dv = computeTargetCapital(inputs);
    ASSERT_TRUE(dv.success);
    EXPECT_NEAR(dv.F, 1.050753, 1e-6); // 1.02 ^ 2.5
    // The uplift applies to the yearly costs, not to the perpetual factor itself.
    const double perpetual = yearsSum(Q, 1, 1000), uplifted = perpetual * std::pow(1.02, 2.5);
    EXPECT_NEAR(dv.perpetual, perpetual, perpetual * 2e-7);
    for (const auto& [kap, perYear] :
         {std::pair{dv.rapEvalKAP, 3000}, {dv.communicatieKAP, 2000}, {dv.appBasisKAP, 5000}})
        EXPECT_NEAR(kap, perYear * uplifted, perYear * uplifted * 4e-7) << perYear;
    // The risk amount counts at face value.
    const TargetCapitalSums sums(inputs, dv);
    EXPECT_EQ(sums.metRisicoFonds() - sums.zonderRisicoFonds(), 250000.0f);
}

// A: 400 000 once, B: 500 000 once, A × 10 % = 40 000; C = 3 % × (A + B with surcharges) + 1000 × 10 000.
// Rubric 6 is reported but not in the target capital. Fixed: B × 12 % = 60 000; per item: the large work's
// 6 % of B.
TEST(ComputeTargetCapital, SumsWithFixedOrPerItemDesignPercentage)
{
    const std::pair<float, const char*> rows[] = {
        // A|surcharge A|A with it|fixed percentage|surcharge B|C|with risk|with 21 % VAT
        {0.12f, "400000|40000|440000|0.12|60000|10030000|11280000|13648800"},
        {clsCL::PerItemSurcharges, "400000|40000|440000|0|30000|10029100|11249100|13611411"},
    };
    for (const auto& [design, expected] : rows) {
        SCOPED_TRACE(design);
        const TargetCapitalInputs inputs =
            facility({costItem({.freq = 1, .amount = 300000, .rubric = 1}, 1),
                      costItem({.freq = 1, .amount = 100000, .rubric = 4}, 2),
                      costItem({.freq = 1, .amount = 500000, .rubric = 5, .type = 2, .perc = 6}, 3),
                      costItem({.freq = 1, .amount = 77000, .rubric = 6}, 4)},
                     design);
        const TargetCapital dv = computeTargetCapital(inputs);
        ASSERT_TRUE(dv.success);
        const TargetCapitalSums s(inputs, dv);
        QStringList sums;
        for (const float sum :
             {s.somA_exclOnvoorzien(), s.toeslagA(), s.somA_inclOnvoorzien(), s.ontwerpdirectieFixed(),
              s.toeslagB(), s.somC(), s.metRisicoFonds(), s.metRisicoFondsInclBtw(21)})
            sums << QString::number(sum, 'g', 8);
        EXPECT_EQ(sums.join(QLatin1Char('|')), QLatin1String(expected));
    }
}

// One-off costs in year 10; the surcharges are discounted with their item. The top liner's steps by area:
// TopLinerSurchargesStepAtTheirAreaBounds.
TEST(ComputeTargetCapital, ReplacementSurchargesPerItem)
{
    const auto once = [](const char* act, double amount, int type, double perc, int r = 5) {
        Post p{.freq = 1, .start = 10, .amount = amount, .rubric = r, .type = type, .perc = perc};
        p.area = 150000;
        p.act = act;
        return costItem(p);
    };
    const TargetCapitalInputs inputs =
        rated({once("Toplaag", 1000000, 1, 0), once("Pompen", 200000, 2, 6), once("Putten", 10000, 3, 7.5),
               once("Hekwerk", 5000, 0, 0), once("Leidingen", 40000, 2, 6.25, 4)},
              clsCL::PerItemSurcharges);
    const TargetCapital dv = computeTargetCapital(inputs);
    ASSERT_TRUE(dv.success);
    QStringList surcharges;
    double sum = 0;
    for (const clsToeslag2008& t : dv.toeslagen) {
        surcharges << QStringLiteral("%1|%2|%3").arg(t.ToeslagTekst).arg(t.ToeslagWaarde).arg(t.IsTALVO);
        sum += t.ToeslagWaarde;
    }
    EXPECT_EQ(surcharges.join(QLatin1Char('\n')),
              "'Bovenafdichting: Toplaag' (bovenafd. (ontwerp), 150.000 m2)|120000|1\n"
              "'Bovenafdichting: Toplaag' (bovenafd. (directievoering/toezicht), 150.000 m2; 6,5%)|65000|1\n"
              "'Bovenafdichting: Pompen' (groot werk, 6,0%)|12000|1\n"
              "'Bovenafdichting: Putten' (klein werk, 7,5%)|750|2\n"
              // Outside the replacements the percentage is not checked.
              "'Bovenafdichting: Leidingen' (groot werk, 6,25%)|2500|1");
    // Discounted with their item, they replace the fixed percentage.
    const double ncw = sum * std::pow(Q, 9.5);
    EXPECT_NEAR(TargetCapitalSums(inputs, dv).toeslagB(), ncw, ncw * 4e-7);
    for (const clsToeslag2008& t : dv.toeslagen)
        EXPECT_NEAR(t.ToeslagWaardeNCW, t.ToeslagWaarde * std::pow(Q, 9.5), t.ToeslagWaarde * 4e-7);
}

// The top liner's design fee and supervision percentage step up with its area: tests/data/topliner_steps.txt.
TEST(ComputeTargetCapital, TopLinerSurchargesStepAtTheirAreaBounds)
{
    for (const QStringList& step : test::readCases("topliner_steps.txt")) {
        const float area = step[1].toFloat();
        EXPECT_EQ(step[0] == u"fee" ? OntwerpHonorariumBovenafdichting(area)
                                    : DirectievoeringPercBovenafdichting(area),
                  step[2].toFloat())
            << step.join(u'|').toStdString();
    }
}

// Option 2: the checklist's 3 500 for the first 10 ha, the facility's 200 for each of the 12.5 ha above.
// Without an option: DiagnosticsInTheOrderTheyArise.
TEST(ComputeTargetCapital, ReportingAndEvaluationByOption)
{
    const std::tuple<long, float, const char*> rows[] = {
        {1, 3000, "€ 3.000"}, {2, 6000, "€ 3.500 + 12,5 x € 200 = € 6.000"}, {3, 9000, "€ 9.000"}};
    for (const auto& [option, perYear, text] : rows) {
        TargetCapitalInputs inputs = facility({costItem({})});
        inputs.surcharges.optieRapEval = option;
        const TargetCapital dv = computeTargetCapital(inputs);
        EXPECT_TRUE(dv.success);
        EXPECT_EQ(std::tuple(dv.rapEvalText, dv.rapEvalPerJaar, dv.rapEvalKAP),
                  std::tuple(QString::fromUtf8(text), perYear, 1000 * perYear));
    }
}

// Values that no calculation can hold, or that are no numbers at all, stop it with messages in the order
// they arise, each saying what to check: never a figure read as 0 or beyond the single range, never a
// schedule without end. The messages of each case: tests/golden/core/targetcapital-diagnostics.txt.
TEST(ComputeTargetCapital, DiagnosticsInTheOrderTheyArise)
{
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
        float inflation = 0;
        float design = 0.12f;
        long option = 1; // of reporting
    };
    const Row rows[] = {
        {"invalid frequencies: both", {costItem({.x = 0}), painting, yearly}},
        // At 10 % inflation and no interest a cost for ever has no finite present value.
        {"overflow after an invalid frequency", {painting, yearly}, 0.1f},
        // The general costs are for ever as well.
        {"overflow of the general costs", {costItem({.freq = 1})}, 0.1f},
        // Counted in single precision, a hundred million yearly occurrences would never end.
        {"100 001 years", {costItem({.freq = 3, .years = 100001})}},
        {"start -1e30", {costItem({.start = -1e30})}},
        {"end 1e30", {costItem({.end = 1e30})}},
        {"once in 1e30", {costItem({.freq = 1, .start = 1e30})}},
        {"every 1e30 years", {costItem({.freq = 3, .x = 1e30})}},
        {"amount 1e39", {costItem({.amount = 1e39})}},
        // The sums of items that each fit.
        {"sum A", {costItem({.freq = 1, .amount = 3.2e38, .rubric = 1})}},
        {"text as amount", {with(&StoredValues::sngKostenTotaal, text)}},
        {"text as rubric", {with(&StoredValues::bytRubriek_REF, text)}},
        {"no frequency", {with(&StoredValues::intFreqX, {})}},
        {"unknown surcharge type",
         {costItem({.rubric = 5, .type = 4, .perc = 6})},
         0,
         clsCL::PerItemSurcharges},
        // The rest is calculated all the same: TheRestIsCalculatedAfterADiagnostic.
        {"no reporting option", {costItem({})}, 0, 0.12f, 0},
    };
    QString told;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MessageRecorder recorder;
        TargetCapitalInputs inputs = facility(row.items, row.design);
        inputs.i = row.inflation;
        inputs.surcharges.optieRapEval = row.option;
        const TargetCapital dv = computeTargetCapital(inputs);
        EXPECT_FALSE(dv.success);
        told += QLatin1String(row.name) + QLatin1Char('\n');
        for (const Diagnostic& d : dv.diagnostics)
            told += QStringLiteral("  %1 | %2 | icon %3\n").arg(d.title, oneLine(d.text)).arg(int(d.icon));
        // The calculation only reports them; clsDV tells them.
        EXPECT_TRUE(recorder.recorded().isEmpty());
        clsDV calculation;
        calculation.initializeDV(inputs);
        EXPECT_FALSE(calculation.BerekenAlles());
        std::vector<Diagnostic> shown;
        for (const MessageRecorder::Message& m : recorder.recorded())
            shown.push_back({m.title, m.text, m.icon});
        EXPECT_TRUE(shown == dv.diagnostics);
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/targetcapital-diagnostics.txt"), told));
}

// After an invalid item or without a reporting option, the other figures are calculated all the same.
TEST(ComputeTargetCapital, TheRestIsCalculatedAfterADiagnostic)
{
    TargetCapitalInputs inputs = facility({costItem({.x = 0}), costItem({}, 2)});
    inputs.surcharges.optieRapEval = 0;
    const TargetCapital figures = computeTargetCapital(inputs);
    ASSERT_EQ(figures.diagnostics.size(), 2u);
    EXPECT_EQ(std::pair(figures.items[1].ncw, figures.communicatieKAP), std::pair(1000000.0f, 2000000.0f));
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

// --- the inputs as read from a data file ---

// Aftercare from 16 July 2010, two provisions with a cost item each: tests/data/targetcapital_*.sql.
// The payments of hand-made items, year by year and per rubric (1..6), at the price level.
TEST(ExpenditureSchedule, PaymentsPerYearAndRubric)
{
    const std::vector<StoredCostItem> items = {
        costItem({.freq = 1, .start = 0, .amount = 7000, .rubric = 5}, 1),        // before the start
        costItem({.freq = 1, .start = 4, .amount = 5000, .rubric = 5}, 2),        // one-off in year 4
        costItem({.x = 2, .start = 3, .end = 10, .amount = 1000}, 3),             // twice a year, 3 to 10
        costItem({.x = 2, .start = 11, .end = 12, .amount = 1200}, 4),            // its second phase
        costItem({.freq = 3, .x = 5, .start = 5, .amount = 300, .rubric = 3}, 5), // every 5 years for ever
        costItem({.freq = 3, .x = 5, .start = 5, .amount = 900, .combined = 1}, 6),
        // Half a year after a start of 2010.5, 2013 is paid at t = 3.5, in the middle of year 4; after a
        // start on 1 October (2010.75) at t = 3.25, a quarter into year 3.
        costItem({.freq = 1, .start = 2013, .cal = true, .amount = 800, .rubric = 2}, 7),
        // After a start of 2010.5, July 2010 is its very first moment (t = 0.5), in year 1; after 2010.75 it
        // lies before the start.
        costItem({.freq = 1, .start = 2010, .cal = true, .amount = 400, .rubric = 6}, 8)};
    QStringList years;
    for (const float start : {2010.5f, 2010.75f}) {
        TargetCapitalInputs inputs = facility(items);
        inputs.S = start;
        const std::optional<ExpenditureSchedule> schedule = expenditureSchedule(inputs, 20);
        ASSERT_TRUE(schedule);
        years.append(QStringLiteral("aftercare from ") + QString::number(start));
        for (std::size_t k = 0; k < schedule->perYear.size(); ++k) {
            QStringList line{QString::number(k + 1)};
            for (const double amount : schedule->perYear[k])
                line.append(QString::number(amount));
            years.append(line.join(u' '));
        }
    }
    EXPECT_TRUE(
        test::matchesGolden(QStringLiteral("core/expenditure-schedule.txt"), years.join(u'\n') + u'\n'));
}

// The slider's default selection (positions 3 to 8, half percents) in 5 steps, and in 2 steps its ends.
TEST(Sensitivity, RatesOverTheSelection)
{
    EXPECT_EQ(sensitivityRates(3, 5, 5), std::vector<float>({0.015f, 0.02125f, 0.0275f, 0.03375f, 0.04f}));
    EXPECT_EQ(sensitivityRates(3, 5, 2), std::vector<float>({0.015f, 0.04f}));
    for (const auto& [text, rate] : std::vector<std::pair<const char*, std::optional<float>>>{
             {"1", 1.0f}, {"8", 8.0f}, {" 2,75 ", 2.75f}, {"0,5", {}}, {"8,01", {}}, {"", {}}, {"twee", {}}})
        EXPECT_EQ(alternativeRate(QString::fromUtf8(text)), rate) << text;
    EXPECT_EQ(sensitivitySelectionText(4, 10), u"2,00 % – 7,00 %");

    // The dialog's choice: the pair needs both rates, a series a selection; each refusal is told.
    MessageRecorder recorder;
    const auto chosen = [](SensitivityMode mode, const char* interest, int length) {
        return chosenSensitivityRates(mode, QLatin1String(interest), QStringLiteral("8"), 3, length, 2);
    };
    EXPECT_EQ(chosen(SensitivityMode::Alternative, "2,5", 0), std::vector<float>({0.025f, 0.08f}));
    EXPECT_EQ(chosen(SensitivityMode::Inflation, "", 5), sensitivityRates(3, 5, 2));
    EXPECT_EQ(chosen(SensitivityMode::Alternative, "", 5), std::nullopt);
    EXPECT_EQ(chosen(SensitivityMode::Interest, "2,5", 0), std::nullopt);
    EXPECT_EQ(enteredAlternativeRate(QStringLiteral("0,5"), true), std::nullopt);
    EXPECT_EQ(recorder.texts(),
              QStringList({"Voer waarden voor inflatie en rente in.",
                           "Stel eerst een range in met de selectieschuif d.m.v. de muis en de SHIFT-toets.",
                           "Ongeldige waarde voor rente ingevoerd (voer waarde in tussen 1 en 8)."}));
}

// The reports of each mode (tests/golden/core/sensitivity.txt) on a yearly item of 1 000 from year 1 to
// 10 at 4 % interest and 2 % inflation: the last interest step is the facility's own rate (0,0 %); at
// 4 % inflation q is 1, so the item is worth 10 000 and A + B + C = 1,1 × 10 000 (unforeseen) + 3 % of
// that (apparatus) + 1 000 years of 10 000 general costs = 10 011 330. Without regular costs the
// difference is "-"; a failed calculation is marked. Steps give the same figures in any order.
TEST(Sensitivity, ReportPerMode)
{
    const TargetCapitalInputs inputs = rated({costItem({.end = 10})});
    QString text;
    const auto write = [&](const SensitivityAnalysis& analysis) {
        report::ScreenReport screen;
        report::writeSensitivityReport(analysis, screen);
        text += test::dumpScreen(screen) + QStringLiteral("----\n");
    };
    const SensitivityAnalysis interest =
        analyseSensitivity(inputs, SensitivityMode::Interest, sensitivityRates(3, 5, 5));
    write(interest);
    const SensitivityAnalysis inflation = analyseSensitivity(inputs, SensitivityMode::Inflation, {0.04f});
    EXPECT_EQ(inflation.steps.at(0).B, 10011330.0f);
    write(inflation);
    write(analyseSensitivity(inputs, SensitivityMode::Alternative, {0.01f, 0.08f}));
    TargetCapitalInputs nothing = facility({});
    nothing.surcharges = {};
    nothing.surcharges.optieRapEval = 1;
    write(analyseSensitivity(nothing, SensitivityMode::Interest, {0.02f}));
    write(analyseSensitivity(rated({costItem({.x = 0})}), SensitivityMode::Interest, {0.02f}));
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/sensitivity.txt"), text));

    const SensitivityAnalysis reversed =
        analyseSensitivity(inputs, SensitivityMode::Interest, {0.04f, 0.03375f, 0.0275f, 0.02125f, 0.015f});
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(reversed.steps[4 - k].B, interest.steps[k].B);
}

class TargetCapitalFile : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("targetcapital_checklist.sql"), QStringLiteral("targetcapital_data.sql"));
    }
};

// The rates in percent, the start as a decimal year, provisions, surcharges and cost items.
TEST_F(TargetCapitalFile, InputsAsReadFromTheDataFile)
{
    TargetCapitalInputs inputs;
    ASSERT_TRUE(readTargetCapitalInputs(folder.workspace(), 1, inputs));
    EXPECT_EQ(inputs.name, QStringLiteral("Zuid"));
    const FacilitySurcharges& s = inputs.surcharges;
    EXPECT_EQ(
        (std::vector<float>{inputs.r, inputs.i, inputs.S, float(inputs.P), inputs.checklist.sngRapEvalMin(),
                            float(inputs.provisions), s.area, float(s.optieRapEval), s.rapEvalMin,
                            s.rapEvalPerHa, s.rapEvalMax, s.communicatie, s.appBasis, s.appPerc, s.onvoorzien,
                            s.ontwerpdirectie, s.risico}),
        (std::vector<float>{0.04f, 0.02f, float(2010 + 6 / 12.0 + 1 / 24.0), 2008, 3500, 2, 22.5f, 2, 3000,
                            200, 9000, 2000, 5000, 3, 10, 12, 250000}));
    ASSERT_EQ(inputs.costItems.size(), 2u);
    const StoredCostItem& item = inputs.costItems[1];
    EXPECT_EQ(QStringList({QString::number(item.id), item.act, item.object, QString::number(item.objectCat)}),
              QStringList({"2", "Vervangen", "Hekwerk", "7"}));
    EXPECT_EQ(std::pair(item.values.intStartRel.value(), item.values.sngKostenTotaal.value()),
              std::pair(10.0, 5000.0));
    EXPECT_FALSE(item.values.intFreqX.isEntered());
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // A calculation of the facility is one on these inputs; given rates replace its own for that
    // calculation only.
    clsDV dv(folder.workspace());
    ASSERT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
    const TargetCapital figures = computeTargetCapital(inputs);
    EXPECT_EQ(dv.itemNCW(0), figures.items[0].ncw);
    EXPECT_EQ(dv.DoelvermogenMetRisicoFonds(), TargetCapitalSums(inputs, figures).metRisicoFonds());
    ASSERT_TRUE(dv.initializeDV(1, 0.05f, clsDV::OwnRate));
    EXPECT_EQ(std::pair(dv.rente(), dv.inflatie()), std::pair(0.05f, 0.02f));
    ASSERT_TRUE(dv.initializeDV(1, clsDV::OwnRate, 0.01f));
    EXPECT_EQ(std::pair(dv.rente(), dv.inflatie()), std::pair(0.04f, 0.01f));
}

// Each change is undone before the next: a failed calculation keeps nothing of it. The message of each:
// tests/golden/core/targetcapital-stored-values.txt.
TEST_F(TargetCapitalFile, StoredValuesThatAreNoNumbersStopTheCalculation)
{
    clsDV dv(folder.workspace());
    QString told;
    for (const char* sql :
         {"UPDATE tblStort SET sngRentePerc = 'abc'", "UPDATE tblStort SET intJaarPrijspeil = 2010.5",
          "UPDATE tblStort SET sngOnvoorzien = 1e300", "UPDATE tblAct SET sngKostenTotaal = 'abc'"}) {
        recorder.clear();
        Transaction undo(*folder.workspace().dataDatabase());
        ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QLatin1String(sql)));
        EXPECT_FALSE(dv.initializeDV(1) && dv.BerekenAlles()) << sql;
        told += QLatin1String(sql) + u'\n';
        for (const MessageRecorder::Message& m : recorder.recorded())
            told += QStringLiteral("  %1 | %2\n").arg(m.title, oneLine(m.text));
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/targetcapital-stored-values.txt"), told));
    recorder.clear();
    EXPECT_TRUE(dv.initializeDV(1) && dv.BerekenAlles());
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// --- the surcharges of a facility ---

namespace {

using namespace dovra::surcharges;

// Landfills on the built checklist file's 2007 and 2013 versions: tests/data/surcharges_data.sql.
// Each payment of the schedule valued as the calculation values it (q to the power of its time − 0.5,
// times F) adds up, per cost item, to the item's present value: for every item of the demo facilities.
TEST(ExpenditureSchedule, PaymentsAddUpToThePresentValues)
{
    test::ProgramFolder folder;
    MessageRecorder recorder;
    ASSERT_TRUE(folder.linkDemoData());
    for (const long id : {1, 2, 3}) {
        TargetCapitalInputs inputs;
        ASSERT_TRUE(readTargetCapitalInputs(folder.workspace(), id, inputs));
        const TargetCapital figures = computeTargetCapital(inputs);
        ASSERT_TRUE(figures.success);
        const std::optional<std::vector<Payment>> payments = schedulePayments(inputs, 1000);
        ASSERT_TRUE(payments);
        std::vector<double> values(inputs.costItems.size());
        for (const Payment& payment : *payments)
            values[payment.item] += payment.amount * std::pow(figures.q, payment.time - 0.5) * figures.F;
        for (std::size_t item = 0; item < values.size(); ++item) {
            SCOPED_TRACE(inputs.costItems[item].act.toStdString());
            EXPECT_NEAR(values[item], figures.items[item].ncw, 1e-5 * figures.items[item].ncw + 1e-3);
        }
    }
}

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
// takes the newest version and is created with its values, not the data file's column defaults (of an old
// version); values a facility holds stay. Risk amount and area have no default.
TEST_F(SurchargesTest, EmptyValuesTakeTheChecklistDefaults)
{
    const int created = CreateFacility(folder.workspace(), QStringLiteral("Nieuwe stort"), 1);
    ASSERT_GT(created, 0);
    load(created);
    EXPECT_EQ(surchargeValues(stort), u"5|16500|3|10|0|4000|250|10000|26000");
    EXPECT_FALSE(fillDefaults(stort, checklist));
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "", "1|15000|3|10|12|3500|225|9000|2000"},
        {2, "", "3|16500|3|10|0|3500|225|9000|26000"},
        {created, "sngRapEvalPerHa = NULL, sngOnvoorzien = 7", "5|16500|3|7|0|4000|250|10000|26000"}};
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

// Each value set on top of the defaults, against the version's range: tests/data/surcharge_deviations.txt.
TEST_F(SurchargesTest, ValuesOutsideTheChecklistRangeDeviate)
{
    for (const QStringList& c : test::readCases("surcharge_deviations.txt")) {
        SCOPED_TRACE(c[1].toStdString());
        ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QStringLiteral(
            "UPDATE tblStort SET sngAlgAppKostenBasis = NULL, sngAppKostenPerc = NULL, sngOnvoorzien = NULL, "
            "sngOntwerpdirectie = NULL, sngAlgCommunicatieKosten = NULL, sngRapEvalMin = NULL, "
            "sngRapEvalPerHa = NULL, sngNazorgOpp = NULL")));
        load(c[0].toInt(), c[1]);
        fillDefaults(stort, checklist);
        updateOption(stort, checklist);
        EXPECT_EQ(marked(deviations(stort, checklist)), c[2]);
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
            texts += oneLine(text) + QLatin1Char('\n');
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

namespace {

// A levy's years as year and kton.
using Supplies = std::vector<std::pair<int, qint64>>;

// The facilities and their equalisation group: tests/data/levy_*.sql.
class LevyTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("levy_checklist.sql"), QStringLiteral("levy_data.sql"));
    }

    Workspace& workspace() { return folder.workspace(); }

    void change(const char* sql, const QVariantList& params = {})
    {
        ASSERT_TRUE(workspace().dataDatabase()->exec(QLatin1String(sql), params));
    }

    QString told() const { return recorder.texts().join(QLatin1Char('|')); }

    // Calculates levy (of facility) as if the facility had the binding, rates, aftercare start and ten years
    // of forecast of object-bound facility 10, and undoes that change: figures of an earlier calculation
    // that the next one on the same object must not show.
    void calculateAsObjectBound(clsHeffing& levy, int facility)
    {
        Transaction undo(*workspace().dataDatabase());
        change(
            "UPDATE tblStort SET (bytBedrijfsGebonden, bytObjectGebonden, sngRentePerc, sngInflPerc, "
            "dtmAanvangNazorg) = (SELECT bytBedrijfsGebonden, bytObjectGebonden, sngRentePerc, sngInflPerc, "
            "dtmAanvangNazorg FROM tblStort WHERE idrStort_ID = 10) WHERE idrStort_ID = ?",
            {facility});
        change("DELETE FROM tblTonnage WHERE lngStort_REF = ?", {facility});
        change("UPDATE tblTonnage SET lngStort_REF = ? WHERE lngStort_REF = 10", {facility});
        levy.psubBerekenHeffingPerTon(10'000'000);
        ASSERT_TRUE(levy.ValidatieOK) << told().toStdString();
        ASSERT_EQ(levy.intAantaljaren, 10);
        ASSERT_EQ(levy.DatumAanvangNazorg(), QDate(2010, 1, 1));
    }

    // A facility's own target capital (including risk, excluding VAT) and aftercare start.
    std::pair<double, double> ownFigures(long id)
    {
        clsDV dv(workspace());
        EXPECT_TRUE(dv.initializeDV(id) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles());
        recorder.clear();
        return {dv.DoelvermogenMetRisicoFonds(), dv.aanvangNazorg()};
    }

    // Nothing was calculated and the report has no years.
    static void expectNoLevy(const clsHeffing& levy)
    {
        EXPECT_EQ(std::tuple(levy.HeffingPerTon_prijspeil_tRef, levy.intAantaljaren,
                             levy.rapAantalKtonTotaal(), levy.rapControleDVsom()),
                  std::tuple(0.0, 0, qint64(0), 0.0));
    }

    // The years supplied: in each year the levy per ton at tRef grown by inflation i from tRef, that times
    // the year's supply, and that discounted at interest r to tRef. The discounted levies raise exactly the
    // target capital at tRef, so the levy per ton at tRef is that over the supplies weighed by ((1 + i) /
    // (1 + r)) to the power of their years from tRef.
    static void expectYears(const clsHeffing& levy, const Supplies& supplies, double i, double r)
    {
        ASSERT_EQ(levy.intAantaljaren, int(supplies.size()));
        double weighed = 0;
        for (const auto& [year, kton] : supplies)
            weighed += double(kton) * 1000 * std::pow((1 + i) / (1 + r), year - double(levy.sngTref));
        const double perTon = levy.DVref / weighed;
        EXPECT_NEAR(levy.HeffingPerTon_prijspeil_tRef, perTon, perTon * 2e-6);
        qint64 total = 0;
        for (int k = 1; k <= levy.intAantaljaren; ++k) {
            const auto [year, kton] = supplies[k - 1];
            SCOPED_TRACE(year);
            EXPECT_EQ(std::pair(int(levy.rapJaar(k)), levy.rapAantalKtonPerJaar(k)), supplies[k - 1]);
            const double t = year - double(levy.sngTref), inYear = perTon * std::pow(1 + i, t);
            const double levied = inYear * double(kton) * 1000, tolerance = levied * 4e-6;
            EXPECT_NEAR(levy.rapHeffingPerTonInJaar(k), inYear, inYear * 4e-6);
            EXPECT_NEAR(levy.rapHeffingInJaar(k), levied, tolerance);
            EXPECT_NEAR(levy.rapControleDV(k), levied / std::pow(1 + r, t), tolerance);
            total += kton;
        }
        EXPECT_EQ(levy.rapAantalKtonTotaal(), total);
        EXPECT_NEAR(levy.rapControleDVsom(), levy.DVref, levy.DVref * 1e-7);
    }
};

// The cases: tests/data/levy_cases.txt.
TEST_F(LevyTest, LeviesRaiseTheTargetCapitalAtTheirReferenceYear)
{
    for (const QStringList& c : test::readCases(QStringLiteral("levy_cases.txt"))) {
        SCOPED_TRACE(c.join(u'|').toStdString());
        const int facility = c[0].toInt();
        const double i = c[7].toDouble(), r = c[8].toDouble();
        double dvRef = c[2].toDouble();
        for (const QString& member : c[6].split(u' ', Qt::SkipEmptyParts)) {
            const auto [own, start] = ownFigures(member.section(u'@', 0, 0).toLong());
            ASSERT_EQ(start, member.section(u'@', 1).toDouble());
            dvRef += own / std::pow(1 + r, start - c[3].toDouble());
        }
        clsHeffing levy(workspace(), facility);
        if (c[1] == u"1") {
            ASSERT_NO_FATAL_FAILURE(calculateAsObjectBound(levy, facility));
        }
        levy.psubBerekenHeffingPerTon(float(c[2].isEmpty() ? ownFigures(facility).first : dvRef));
        EXPECT_TRUE(recorder.recorded().isEmpty()) << told().toStdString();
        EXPECT_TRUE(levy.ValidatieOK);
        EXPECT_FLOAT_EQ(levy.sngTref, c[3].toFloat());
        EXPECT_EQ(levy.prijspeilJaar(), c[3].section(u'.', 0, 0).toInt());
        EXPECT_EQ(levy.rapStortNamen, c[5]);
        EXPECT_NEAR(levy.DVref, dvRef, c[2].isEmpty() ? dvRef * 1e-6 : 0);
        EXPECT_TRUE(c[4].isEmpty() || levy.DatumAanvangNazorg() == QDate::fromString(c[4], Qt::ISODate));
        Supplies years;
        for (const QString& supply : c[9].split(u' '))
            years.push_back({supply.section(u':', 0, 0).toInt(), supply.section(u':', 1).toLongLong()});
        expectYears(levy, years, i, r);
    }
}

TEST_F(LevyTest, WithoutForecastTheLevyIsZeroAndTheCalculationStillValid)
{
    // Object-bound with a forecast row without year; the equalisation group without any forecast.
    change("DELETE FROM tblTonnage WHERE lngStort_REF IN (1, 2)");
    for (const int facility : {14, 1}) {
        SCOPED_TRACE(facility);
        recorder.clear();
        clsHeffing levy(workspace(), facility);
        levy.psubBerekenHeffingPerTon(1'000'000);
        EXPECT_TRUE(levy.ValidatieOK);
        expectNoLevy(levy);
        EXPECT_GT(levy.DVref, 0.0f);
        EXPECT_EQ(told(), QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het "
                                         "afvalaanbod. De heffing kan niet berekend worden."));
    }
}

// Supplies at the top of their range add up in 64 bits: no total wraps to a negative number or a levy of 0.
TEST_F(LevyTest, LargestSuppliesAddUpWithoutWrapping)
{
    change("UPDATE tblTonnage SET lngTonnage = 2147483647 WHERE lngStort_REF IN (1, 2, 10)");
    clsHeffing own(workspace(), 10);
    own.psubBerekenHeffingPerTon(1'000'000);
    ASSERT_TRUE(own.ValidatieOK);
    EXPECT_EQ(own.rapAantalKtonTotaal(), 10 * qint64(2147483647));
    EXPECT_NEAR(own.rapControleDVsom(), 1'000'000, 1.0);

    // The group shares 2011: both facilities' supplies in that one year.
    clsHeffing group(workspace(), 1);
    group.psubBerekenHeffingPerTon(ownFigures(1).first);
    ASSERT_TRUE(group.ValidatieOK) << told().toStdString();
    EXPECT_EQ(std::pair(int(group.rapJaar(2)), group.rapAantalKtonPerJaar(2)),
              std::pair(2011, 2 * qint64(2147483647)));
    EXPECT_GT(group.HeffingPerTon_prijspeil_tRef, 0.0);
}

// Refused with one message and nothing calculated, even after an earlier levy on the same object: the cases
// in tests/data/levy_refusals.txt, the message and the group of each in tests/golden/core/levy-refusals.txt.
TEST_F(LevyTest, RefusedLeviesShowNothing)
{
    QString refusals;
    for (const QStringList& c : test::readCases("levy_refusals.txt")) {
        const int facility = c[0].toInt();
        const QString& sql = c[1];
        SCOPED_TRACE(sql.toStdString());
        clsHeffing levy(workspace(), facility);
        // 10 is the facility those figures come from.
        if (facility != 10) {
            ASSERT_NO_FATAL_FAILURE(calculateAsObjectBound(levy, facility));
        }
        Transaction undo(*workspace().dataDatabase());
        if (!sql.isEmpty())
            change(qPrintable(sql));
        recorder.clear();
        levy.psubBerekenHeffingPerTon(1'000'000);
        EXPECT_FALSE(levy.ValidatieOK);
        expectNoLevy(levy);
        ASSERT_EQ(recorder.recorded().size(), 1) << told().toStdString();
        const MessageRecorder::Message& m = recorder.recorded()[0];
        refusals += QStringLiteral("%1 %2\n  %3 | %4 | icon %5\n  group [%6]\n")
                        .arg(facility)
                        .arg(sql, m.title, oneLine(m.text))
                        .arg(int(m.icon))
                        .arg(levy.rapStortNamen);
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/levy-refusals.txt"), refusals));
}

} // namespace
