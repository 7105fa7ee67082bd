#include "calc/uncertainty.h"

#include "base/formats.h"
#include "calc/clsDV.h"
#include "calc/itemtiming.h"
#include "calc/toeslagen.h"
#include "model/options.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <thread>

namespace dovra {

using namespace calc;

namespace {

// ---- Random numbers: SplitMix64, one stream per (seed, draw), so no draw depends on another's numbers.

quint64 mix(quint64 z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr quint64 Golden = 0x9E3779B97F4A7C15ULL;

class DrawStream
{
public:
    DrawStream(quint64 seed, quint64 draw) : m_state(mix(mix(seed + Golden) + draw)) {}
    // Uniform in [0, 1), 53 bits.
    double uniform()
    {
        m_state += Golden;
        return double(mix(m_state) >> 11) * 0x1.0p-53;
    }

private:
    quint64 m_state;
};

constexpr double Pi = 3.14159265358979323846;

// The standard normal distribution function.
double normalCdf(double z)
{
    return 0.5 * std::erfc(-z / std::sqrt(2.0));
}

// The value at probability u of the triangle from a to b with its top at c.
double triangular(double u, double a, double c, double b)
{
    const double width = b - a;
    if (u * width < c - a)
        return a + std::sqrt(u * width * (c - a));
    return b - std::sqrt((1 - u) * width * (b - c));
}

// A rate in percent drawn around base from the standard normal z.
double drawnRate(const RateUncertainty& rate, double base, double z)
{
    switch (rate.distribution) {
    case RateDistribution::Normal:
        return base + rate.sd * z;
    case RateDistribution::Uniform:
        return rate.from + (rate.to - rate.from) * normalCdf(z);
    case RateDistribution::Triangular:
        return triangular(normalCdf(z), rate.from, base, rate.to);
    case RateDistribution::Fixed:
        break;
    }
    return base;
}

// The rate of a draw as a fraction; the facility's own one unchanged when it is fixed.
float clippedRate(const RateUncertainty& rate, float own, double z, bool& clipped)
{
    if (rate.distribution == RateDistribution::Fixed)
        return own;
    const double drawn = drawnRate(rate, double(own) * 100, z);
    const double kept =
        std::clamp(drawn, UncertaintySettings::MinRatePercent, UncertaintySettings::MaxRatePercent);
    clipped |= kept != drawn;
    return float(kept / 100);
}

QString percent(double value)
{
    return formats::number(value / 100, QStringLiteral("0.00 %"));
}

std::optional<QString> rateProblem(const RateUncertainty& rate, const QString& name)
{
    switch (rate.distribution) {
    case RateDistribution::Fixed:
        return std::nullopt;
    case RateDistribution::Normal:
        if (rate.sd > 0 &&
            rate.sd <= UncertaintySettings::MaxRatePercent - UncertaintySettings::MinRatePercent)
            return std::nullopt;
        return QStringLiteral("De standaardafwijking van de ") + name +
               QStringLiteral(" moet groter dan 0 en ten hoogste 7 procentpunt zijn.");
    case RateDistribution::Uniform:
    case RateDistribution::Triangular:
        break;
    }
    if (rate.from >= UncertaintySettings::MinRatePercent && rate.to <= UncertaintySettings::MaxRatePercent &&
        rate.from < rate.to)
        return std::nullopt;
    return QStringLiteral("De grenzen van de ") + name +
           QStringLiteral(" moeten van 1 tot en met 8 % lopen, de ondergrens onder de bovengrens.");
}

std::optional<QString> ownRateProblem(const RateUncertainty& rate, float own, const QString& name)
{
    const double base = double(own) * 100;
    if (rate.distribution != RateDistribution::Triangular || (rate.from <= base && base <= rate.to))
        return std::nullopt;
    return QStringLiteral("De grenzen van de ") + name +
           QStringLiteral(" moeten de eigen waarde van de inrichting (") + percent(base) +
           QStringLiteral(") insluiten.");
}

// ---- Statistics over the successful draws, in draw order, so that the threads do not matter.

// The ranks 1..n of the values, ties sharing their mean rank.
std::vector<double> ranks(const std::vector<double>& values)
{
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    std::vector<double> rank(values.size());
    for (std::size_t first = 0; first < order.size();) {
        std::size_t last = first;
        while (last + 1 < order.size() && values[order[last + 1]] == values[order[first]])
            ++last;
        const double mean = (double(first) + double(last)) / 2 + 1;
        for (std::size_t k = first; k <= last; ++k)
            rank[order[k]] = mean;
        first = last + 1;
    }
    return rank;
}

// The correlation of x and y; 0 when either does not vary.
double correlation(const std::vector<double>& x, const std::vector<double>& y)
{
    const double n = double(x.size());
    const double mx = std::accumulate(x.begin(), x.end(), 0.0) / n;
    const double my = std::accumulate(y.begin(), y.end(), 0.0) / n;
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        sxy += (x[k] - mx) * (y[k] - my);
        sxx += (x[k] - mx) * (x[k] - mx);
        syy += (y[k] - my) * (y[k] - my);
    }
    return sxx > 0 && syy > 0 ? sxy / std::sqrt(sxx * syy) : 0;
}

// The percentile p (0..1) of ascending values, between the two nearest draws.
double percentile(const std::vector<float>& sorted, double p)
{
    const double h = double(sorted.size() - 1) * p;
    const auto below = std::size_t(std::floor(h));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return double(sorted[below]) + (h - double(below)) * (double(sorted[above]) - double(sorted[below]));
}

// The uncertain inputs, each with how to read it from a draw.
struct UncertainInput
{
    QString name;
    float (*value)(const Draw&, int rubric);
    int rubric = 0;
};

float drawnInterest(const Draw& draw, int)
{
    return draw.interest;
}

float drawnInflation(const Draw& draw, int)
{
    return draw.inflation;
}

float drawnCostFactor(const Draw& draw, int rubric)
{
    return draw.costFactors[std::size_t(rubric)];
}

std::vector<UncertainInput> uncertainInputs(const UncertaintySettings& settings)
{
    std::vector<UncertainInput> inputs;
    if (settings.interest.distribution != RateDistribution::Fixed)
        inputs.push_back({QStringLiteral("rente"), &drawnInterest});
    if (settings.inflation.distribution != RateDistribution::Fixed)
        inputs.push_back({QStringLiteral("inflatie"), &drawnInflation});
    for (const CostSpread& spread : settings.costs)
        inputs.push_back(
            {QStringLiteral("rubriek ") + QString::number(spread.rubric), &drawnCostFactor, spread.rubric});
    return inputs;
}

// Runs work on `threads` threads at once, this one among them, and waits for all of them.
void onThreads(int threads, const std::function<void()>& work)
{
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
}

void addStatistics(UncertaintyAnalysis& analysis, const std::vector<float>& results, int threads)
{
    std::vector<double> valid;
    std::vector<quint64> validDraws;
    for (std::size_t d = 0; d < results.size(); ++d) {
        if (std::isnan(results[d]))
            continue;
        valid.push_back(double(results[d]));
        validDraws.push_back(d);
    }
    analysis.failed = int(results.size() - valid.size());
    if (valid.empty())
        return;
    const double n = double(valid.size());
    analysis.mean = std::accumulate(valid.begin(), valid.end(), 0.0) / n;
    double squares = 0;
    for (const double value : valid)
        squares += (value - analysis.mean) * (value - analysis.mean);
    analysis.sd = valid.size() > 1 ? std::sqrt(squares / (n - 1)) : 0;
    analysis.belowB0 =
        double(std::count_if(valid.begin(), valid.end(), [&](double v) { return v < double(analysis.B0); })) /
        n;
    analysis.sorted.assign(valid.begin(), valid.end());
    std::sort(analysis.sorted.begin(), analysis.sorted.end());
    for (std::size_t k = 0; k < analysis.percentiles.size(); ++k)
        analysis.percentiles[k] =
            float(percentile(analysis.sorted, UncertaintyAnalysis::Percentiles[k] / 100.0));

    // The draws' inputs are not kept: they are drawn again from their streams, an input per thread.
    const std::vector<double> resultRanks = ranks(valid);
    const std::vector<UncertainInput> inputs = uncertainInputs(analysis.settings);
    analysis.influence.resize(inputs.size());
    std::atomic<std::size_t> next{0};
    onThreads(std::min(threads, int(inputs.size())), [&] {
        for (std::size_t k = next++; k < inputs.size(); k = next++) {
            std::vector<double> values;
            values.reserve(validDraws.size());
            for (const quint64 d : validDraws)
                values.push_back(double(inputs[k].value(
                    drawInputs(analysis.settings, analysis.r0, analysis.i0, d), inputs[k].rubric)));
            analysis.influence[k] = {inputs[k].name, correlation(ranks(values), resultRanks)};
        }
    });
    std::stable_sort(analysis.influence.begin(), analysis.influence.end(),
                     [](const InputInfluence& a, const InputInfluence& b) {
                         return std::fabs(a.rankCorrelation) > std::fabs(b.rankCorrelation);
                     });
}

} // namespace

std::optional<QString> uncertaintySettingsProblem(const UncertaintySettings& settings)
{
    if (settings.draws < UncertaintySettings::MinDraws || settings.draws > UncertaintySettings::MaxDraws)
        return QStringLiteral(
            "Het aantal trekkingen moet een geheel getal van 100 tot en met 1.000.000 zijn.");
    if (settings.seed > UncertaintySettings::MaxSeed)
        return QStringLiteral("Het zaad moet een geheel getal van 0 tot en met %1 zijn.")
            .arg(UncertaintySettings::MaxSeed);
    if (!(settings.correlation >= -1 && settings.correlation <= 1))
        return QStringLiteral(
            "De correlatie tussen rente en inflatie moet een getal van -1 tot en met 1 zijn.");
    if (std::optional<QString> problem = rateProblem(settings.interest, QStringLiteral("rente")))
        return problem;
    if (std::optional<QString> problem = rateProblem(settings.inflation, QStringLiteral("inflatie")))
        return problem;
    std::array<bool, 7> spread{};
    for (const CostSpread& cost : settings.costs) {
        if (cost.rubric < 1 || cost.rubric > 6 || spread[std::size_t(cost.rubric)])
            return QStringLiteral("Geef de kostenspreiding op voor rubriek 1 tot en met 6, elke rubriek ten "
                                  "hoogste eenmaal.");
        spread[std::size_t(cost.rubric)] = true;
        if (!(cost.from > -100 && cost.from <= 0 && cost.to >= 0 && cost.to <= 1000 && cost.from < cost.to))
            return QStringLiteral("De kostenspreiding van rubriek ") + QString::number(cost.rubric) +
                   QStringLiteral(" moet van boven -100 % tot ten hoogste 1000 % lopen, met 0 % ertussen.");
    }
    return std::nullopt;
}

std::optional<QString> ownRatesProblem(const UncertaintySettings& settings, float r0, float i0)
{
    if (std::optional<QString> problem = ownRateProblem(settings.interest, r0, QStringLiteral("rente")))
        return problem;
    return ownRateProblem(settings.inflation, i0, QStringLiteral("inflatie"));
}

Draw drawInputs(const UncertaintySettings& settings, float r0, float i0, quint64 draw)
{
    // Always the same numbers in the same order, whatever is uncertain: a draw's interest does not change
    // when a cost spread is added.
    DrawStream stream(settings.seed, draw);
    const double u1 = 1 - stream.uniform();
    const double u2 = stream.uniform();
    const double radius = std::sqrt(-2 * std::log(u1));
    const double z1 = radius * std::cos(2 * Pi * u2);
    const double z2 = radius * std::sin(2 * Pi * u2);
    const double rho = settings.correlation;
    Draw result;
    result.interest = clippedRate(settings.interest, r0, z1, result.clipped);
    result.inflation =
        clippedRate(settings.inflation, i0, rho * z1 + std::sqrt(1 - rho * rho) * z2, result.clipped);
    std::array<double, 7> u{};
    for (std::size_t rubric = 1; rubric <= 6; ++rubric)
        u[rubric] = stream.uniform();
    for (const CostSpread& cost : settings.costs) {
        const double p = u[std::size_t(cost.rubric)];
        const double change =
            cost.triangular ? triangular(p, cost.from, 0, cost.to) : cost.from + (cost.to - cost.from) * p;
        result.costFactors[std::size_t(cost.rubric)] = float(1 + change / 100);
    }
    return result;
}

// ---- One draw

// A cost item as a draw needs it. The timing and surcharges follow the target capital calculation.
struct PreparedItem
{
    std::size_t timing = 0; // into the distinct timings
    bool perYear = false;   // paid x times a year
    float x = 0;
    float amount = 0;
    int rubric = 0;   // 0: none of 1..6
    int category = 0; // 0: none of 1..7
    int origin = 0;   // 0: none of 1..3
    int surcharge = SurchargeType::None;
    float designFee = 0;
    float surchargePercentage = 0;
};

struct DrawCalculation::Prepared
{
    const TargetCapitalInputs* inputs = nullptr;
    std::vector<PreparedItem> items;
    std::vector<Timing> timings;
    float rapEvalPerJaar = 0;
    std::size_t surchargeLines = 0;
    float base = 0;
};

DrawCalculation::DrawCalculation(const TargetCapitalInputs& base)
{
    auto prepared = std::make_shared<Prepared>();
    prepared->inputs = &base;
    const TargetCapital figures = computeTargetCapital(base);
    prepared->rapEvalPerJaar = figures.rapEvalPerJaar;
    prepared->base = TargetCapitalSums(base, figures).metRisicoFonds();
    const bool differentiated = base.checklist.GebruikGedifferentieerdeToeslagB();
    for (const StoredCostItem& row : base.costItems) {
        const StoredValues& v = row.values;
        if (option(v.bytCombineer) == 1)
            continue;
        const ItemTiming read = itemTiming(v, base.S);
        const Timing timing{read.option, read.t0, read.t1, read.x};
        PreparedItem item;
        const auto known = std::find(prepared->timings.begin(), prepared->timings.end(), timing);
        item.timing = std::size_t(known - prepared->timings.begin());
        if (known == prepared->timings.end())
            prepared->timings.push_back(timing);
        item.perYear = read.option == FrequencyOption::TimesPerYear;
        item.x = float(read.x);
        item.amount = read.amount;
        const int rubric = option(v.bytRubriek_REF);
        item.rubric = rubric >= 1 && rubric <= 6 ? rubric : 0;
        item.category = row.objectCat >= 1 && row.objectCat <= 7 ? int(row.objectCat) : 0;
        const int origin = option(v.bytIsTALVO) + 1;
        item.origin = origin >= 1 && origin <= 3 ? origin : 0;
        if (differentiated)
            item.surcharge = option(v.bytTypeVervangingsToeslag);
        if (item.surcharge == SurchargeType::TopLiner) {
            const float area = single(v.sngAantal);
            item.designFee = OntwerpHonorariumBovenafdichting(area);
            item.surchargePercentage = DirectievoeringPercBovenafdichting(area);
            prepared->surchargeLines += 2;
        } else if (item.surcharge != SurchargeType::None) {
            item.surchargePercentage = single(v.sngVervangingsToeslagPerc);
            prepared->surchargeLines += 1;
        }
        prepared->items.push_back(item);
    }
    m_figures.toeslagen.resize(prepared->surchargeLines);
    m_figures.rapEvalPerJaar = prepared->rapEvalPerJaar;
    m_factors.resize(prepared->timings.size());
    m_prepared = std::move(prepared);
}

DrawCalculation::~DrawCalculation() = default;

float DrawCalculation::baseTargetCapital() const
{
    return m_prepared->base;
}

std::optional<float> DrawCalculation::targetCapital(const Draw& draw)
{
    const Prepared& p = *m_prepared;
    const TargetCapitalInputs& in = *p.inputs;
    TargetCapital& out = m_figures;
    // The same steps in the same single precision as the target capital calculation.
    try {
        const double q = (1.0 + double(draw.inflation)) / (1.0 + double(draw.interest));
        fitsSingle(q);
        const float F = toSingle(power(1.0 + double(draw.inflation), double(in.S - float(in.P))));
        m_powers.reset(q);
        for (std::size_t k = 0; k < p.timings.size(); ++k) {
            const Timing& t = p.timings[k];
            m_factors[k] = presentValueFactor(m_powers, t.option, t.t0, t.t1, t.x);
        }
        out.perRubric = {};
        out.perCategory = {};
        out.perOrigin = {};
        std::size_t line = 0;
        const auto addLine = [&](float value, float factor) {
            const float ncw = value * factor;
            if (!std::isfinite(value) || !std::isfinite(ncw))
                throw Overloop{};
            out.toeslagen[line++].ToeslagWaardeNCW = ncw;
        };
        for (const PreparedItem& item : p.items) {
            float value = m_factors[item.timing];
            if (item.perYear)
                value = checked(value * item.x);
            const float factor = checked(value * F);
            const float amount = item.rubric != 0
                                     ? checked(item.amount * draw.costFactors[std::size_t(item.rubric)])
                                     : item.amount;
            const float ncw = checked(amount * factor);
            if (item.surcharge == SurchargeType::TopLiner) {
                addLine(item.designFee, factor);
                addLine(item.surchargePercentage / 100 * amount, factor);
            } else if (item.surcharge != SurchargeType::None) {
                addLine(item.surchargePercentage / 100 * amount, factor);
            }
            if (item.rubric != 0)
                out.perRubric[std::size_t(item.rubric)] =
                    checked(out.perRubric[std::size_t(item.rubric)] + ncw);
            if (item.category != 0)
                out.perCategory[std::size_t(item.category)] =
                    checked(out.perCategory[std::size_t(item.category)] + ncw);
            if (item.origin != 0)
                out.perOrigin[std::size_t(item.origin)] =
                    checked(out.perOrigin[std::size_t(item.origin)] + ncw);
        }
        const float perpetual = presentValueFactor(m_powers, FrequencyOption::TimesPerYear, 1, 1000, 0);
        out.rapEvalKAP = checked(perpetual * out.rapEvalPerJaar * F);
        out.communicatieKAP = checked(perpetual * in.surcharges.communicatie * F);
        out.appBasisKAP = checked(perpetual * in.surcharges.appBasis * F);
        const TargetCapitalSums sums(in, out);
        for (const float sum :
             {sums.somA_inclOnvoorzien(), sums.somB_inclDirectievoering(), sums.somC(), sums.metRisicoFonds(),
              sums.metRisicoFondsInclBtw(TargetCapitalSums::MaxVatPercentage)})
            checked(sum);
        return sums.metRisicoFonds();
    } catch (const Overloop&) {
        return std::nullopt;
    }
}

// ---- The run

std::optional<UncertaintyAnalysis> analyseUncertainty(const TargetCapitalInputs& inputs,
                                                      const UncertaintySettings& settings, int threads,
                                                      UncertaintyControl* control)
{
    UncertaintyAnalysis analysis;
    analysis.settings = settings;
    analysis.r0 = inputs.r;
    analysis.i0 = inputs.i;

    const int draws = settings.draws;
    // One result per draw at its own place; NaN for a draw that failed.
    std::vector<float> results(std::size_t(draws), 0.0f);
    std::atomic<int> next{0};
    std::atomic<int> clipped{0};
    constexpr int Chunk = 250;
    const DrawCalculation prepared(inputs);
    analysis.B0 = prepared.baseTargetCapital();
    const auto work = [&] {
        DrawCalculation calculation = prepared;
        int ownClipped = 0;
        for (int start = next.fetch_add(Chunk); start < draws; start = next.fetch_add(Chunk)) {
            if (control && control->cancelled)
                break;
            const int end = std::min(draws, start + Chunk);
            for (int d = start; d < end; ++d) {
                const Draw draw = drawInputs(settings, inputs.r, inputs.i, quint64(d));
                ownClipped += int(draw.clipped);
                results[std::size_t(d)] = calculation.targetCapital(draw).value_or(std::nanf(""));
            }
            if (control)
                control->done += end - start;
        }
        clipped += ownClipped;
    };
    const int cores = threads > 0 ? threads : int(std::max(1u, std::thread::hardware_concurrency()));
    onThreads(std::min(cores, (draws + Chunk - 1) / Chunk), work);
    if (control && control->cancelled)
        return std::nullopt;

    analysis.clipped = clipped;
    addStatistics(analysis, results, cores);
    return analysis;
}

std::optional<TargetCapitalInputs> uncertaintyInputs(Workspace& workspace, long facilityId)
{
    clsDV base(workspace);
    if (!base.initializeDV(facilityId) || !base.VerifyBeforeBerekening2() || !base.BerekenAlles())
        return std::nullopt;
    return base.inputs();
}

} // namespace dovra
