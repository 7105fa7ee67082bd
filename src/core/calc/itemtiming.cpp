#include "calc/itemtiming.h"

#include "model/options.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dovra::calc {

namespace {

// Years of a schedule, counted from the aftercare start. Entered schedules stay within centuries; a year
// far beyond any aftercare period could not be counted through in single precision and stops the
// calculation instead.
constexpr double MaxScheduleYears = 100000;

double scheduleYears(const StoredField& field)
{
    const double value = whole(field);
    if (std::fabs(value) > MaxScheduleYears)
        throw Overloop{};
    return value;
}

// The end of a recurring item relative to the aftercare start; start is the relative start as entered.
float relativeEnd(const StoredValues& v, float start, float S)
{
    if (option(v.bytEindBA) == 1)
        return start + float(scheduleYears(v.intEindBA)) - 1;
    switch (option(v.bytOptieEind)) {
    case EndOption::CalendarYear:
        return float(scheduleYears(v.intEindAbs)) - S + 1;
    case EndOption::AftercareYear:
        return float(scheduleYears(v.intEindRel));
    case EndOption::Perpetual:
        return 1000;
    default:
        return 0;
    }
}

} // namespace

void fitsSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw Overloop{};
}

float toSingle(double value)
{
    fitsSingle(value);
    return float(value);
}

float checked(float value)
{
    if (!std::isfinite(value))
        throw Overloop{};
    return value;
}

double power(double base, double exponent)
{
    const double value = std::pow(base, exponent);
    fitsSingle(value);
    return value;
}

double number(const StoredField& field)
{
    if (field.state == StoredField::State::Text)
        throw NotANumber{&field};
    return field.value();
}

double whole(const StoredField& field)
{
    return std::trunc(number(field));
}

float single(const StoredField& field)
{
    return toSingle(number(field));
}

int option(const StoredField& field)
{
    const double value = whole(field);
    return std::fabs(value) <= std::numeric_limits<qint16>::max() ? int(value) : -1;
}

ItemTiming itemTiming(const StoredValues& v, float S)
{
    ItemTiming timing;
    timing.option = option(v.bytOptieFreq);
    const bool recurring =
        timing.option == FrequencyOption::TimesPerYear || timing.option == FrequencyOption::OnceEveryXYears;
    if (recurring || timing.option == FrequencyOption::OneOff) {
        const int optieStart = option(v.bytOptieStart);
        if (optieStart == StartOption::AftercareYear)
            timing.t0 = float(scheduleYears(v.intStartRel));
        else if (optieStart == StartOption::CalendarYear)
            timing.t0 = float(scheduleYears(v.intStartAbs)) - S + 1;
        // Only a recurring item has an end.
        if (recurring)
            timing.t1 = relativeEnd(v, timing.t0, S);
        // Counted from the construction of the top liner; the end above already counts from the start as
        // entered.
        if (option(v.bytStartBA) == 1)
            timing.t0 += float(scheduleYears(v.intStartBA) - 1);
    }

    switch (option(v.bytOptieKosten)) {
    case CostOption::PercentageOfInvestment:
        timing.amount = single(v.sngPercInvest) / 100 * single(v.sngKostenInvest);
        break;
    case CostOption::TotalAmount:
        timing.amount = single(v.sngKostenTotaal);
        break;
    case CostOption::PerUnit:
        timing.amount = single(v.sngAantal) * single(v.sngKostenPE);
        break;
    default:
        break;
    }
    checked(timing.amount);

    if (recurring) {
        if (!v.intFreqX.isEntered())
            throw Fout{94, QStringLiteral("Invalid use of Null")};
        timing.x = int(scheduleYears(v.intFreqX));
    }
    return timing;
}

namespace {

// The factor as presentValueFactor() defines it, with q^(t − 0.5) given by yearPower(t).
template <class YearPower>
float factorOf(double q, int option, float t0, float t1, int x, YearPower&& yearPower)
{
    switch (option) {
    case FrequencyOption::OneOff:
        return t0 < 0.5f ? 0 : toSingle(yearPower(t0));
    case FrequencyOption::TimesPerYear: {
        // Years before the aftercare start do not count: the costs then start in year 1.
        while (t0 < 0.5f)
            t0 += 1;
        if (t1 < t0)
            return 0;
        const double years = std::floor(double(t1 - t0 + 1));
        if (years > std::numeric_limits<qint16>::max())
            throw Overloop{};
        const int m = int(years);
        if (q == 1.0)
            return float(m);
        return toSingle(yearPower(t0) * (1.0 - power(q, m)) / (1.0 - q));
    }
    case FrequencyOption::OnceEveryXYears: {
        if (t1 < 0.5f)
            return 0;
        double sum = 0;
        for (float t = t0; t <= t1; t += float(x)) {
            if (t > 0) {
                sum += yearPower(t);
                fitsSingle(sum);
            }
        }
        return toSingle(sum);
    }
    default:
        return 0;
    }
}

} // namespace

float presentValueFactor(double q, int option, float t0, float t1, int x)
{
    return factorOf(q, option, t0, t1, x, [q](float t) { return power(q, double(t) - 0.5); });
}

void YearPowers::reset(double q)
{
    m_q = q;
    std::fill(m_known.begin(), m_known.end(), std::numeric_limits<double>::quiet_NaN());
}

double YearPowers::at(float t)
{
    // Fractional years and years past any aftercare schedule are rare: worked out each time.
    constexpr float KeptYears = 4096;
    if (t < 0 || t >= KeptYears || t != std::floor(t))
        return power(m_q, double(t) - 0.5);
    const auto year = std::size_t(t);
    if (year >= m_known.size())
        m_known.resize(year + 1, std::numeric_limits<double>::quiet_NaN());
    // power() never gives NaN: it throws Overloop instead.
    if (std::isnan(m_known[year]))
        m_known[year] = power(m_q, double(t) - 0.5);
    return m_known[year];
}

float presentValueFactor(YearPowers& powers, int option, float t0, float t1, int x)
{
    return factorOf(powers.q(), option, t0, t1, x, [&powers](float t) { return powers.at(t); });
}

} // namespace dovra::calc
