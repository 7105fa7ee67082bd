#pragma once

#include "costitems/storedcostitems.h"

#include <QHashFunctions>
#include <QString>

#include <bit>
#include <vector>

namespace dovra::calc {

// How the calculation reads a cost item's stored values: shared by the present values and the expenditure
// schedule, so both follow the same start, end, frequency and amount.

// A value left the single range: the calculation stops.
struct Overloop
{
};

// Any other failure that stops the calculation, as a numbered error.
struct Fout
{
    int number;
    QString description;
};

// A stored field that holds text where the calculation needs a number.
struct NotANumber
{
    const StoredField* field;
};

void fitsSingle(double value);
float toSingle(double value);
float checked(float value);
double power(double base, double exponent);

// Stored values; empty ones count as 0.
double number(const StoredField& field);
// A whole-number field: its value cut to a whole number.
double whole(const StoredField& field);
float single(const StoredField& field);
// A choice among numbered options; a number that is no option at all reads as none of them.
int option(const StoredField& field);

// When a cost item pays and how much: relative years t0 to t1 counted from the aftercare start (year k
// lies k − 0.5 years after it), every x years or x times a year, amount at the facility's price level.
struct ItemTiming
{
    int option = 0; // bytOptieFreq
    float t0 = 0;
    float t1 = 0; // recurring items only
    int x = 0;    // recurring items only; may be 0 or negative as entered
    float amount = 0;
};

// The timing of a cost item that is not combined into a combination post; S is the aftercare start as a
// decimal year. Throws as the calculation does.
ItemTiming itemTiming(const StoredValues& v, float S);

// What alone decides a cost item's present value factor: items with equal keys share one factor.
struct Timing
{
    int option;
    float t0;
    float t1;
    int x;
    bool operator==(const Timing&) const = default;
};

struct TimingHash
{
    std::size_t operator()(const Timing& t) const
    {
        return qHashMulti(0, t.option, std::bit_cast<quint32>(t.t0), std::bit_cast<quint32>(t.t1), t.x);
    }
};

// The present value factor of costs of frequency option from relative year t0 to t1 (every x years, or a
// year's costs for items paid x times a year) at the real discount factor q: year k lies k − 0.5 years after
// the aftercare start, so its costs are discounted with q^(k − 0.5). Throws Overloop beyond the single range.
float presentValueFactor(double q, int option, float t0, float t1, int x);

// The discount factors q^(t − 0.5) of one q, each whole year's worked out once and kept: the draws of the
// uncertainty analysis discount the same years for many cost items. Bit for bit what power() gives.
class YearPowers
{
public:
    // Forgets the factors of the previous q.
    void reset(double q);
    double q() const { return m_q; }
    double at(float t);

private:
    double m_q = 1;
    std::vector<double> m_known; // by whole year; NaN where not worked out yet
};

// As above, with the factors of powers.q() taken from powers.
float presentValueFactor(YearPowers& powers, int option, float t0, float t1, int x);

} // namespace dovra::calc
