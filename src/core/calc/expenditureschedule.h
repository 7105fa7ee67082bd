#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace dovra {

struct TargetCapitalInputs;

// One payment of a cost item, at the facility's price level (before inflation and discounting).
struct Payment
{
    std::size_t item = 0; // index into the inputs' cost items
    int rubric = 0;       // bytRubriek_REF
    // Relative year, as the present values count it: discounted over time − 0.5 years, so it falls in
    // aftercare year floor(time + 0.5).
    double time = 0;
    float amount = 0; // a year's amount for items paid several times a year
};

struct ExpenditureSchedule
{
    static constexpr int Rubrics = 6;

    int years = 0;
    // The outlays of aftercare year k at index k − 1, per rubric 1..6 at index 0..5.
    std::vector<std::array<double, Rubrics>> perYear;
};

// How the schedule counts the years, for its readers: a cost item's description counts the same way, the
// first and last years of the target capital report (whole years before a payment) may be one lower.
QString expenditureYearNote();

// The outlays of the inputs' cost items in aftercare years 1 to years, by the same start, end and
// frequency rules as their present values. Empty when a cost item cannot be read (the calculation of the
// same inputs says why); items combined into a combination post and items with an invalid frequency pay
// nothing.
std::optional<ExpenditureSchedule> expenditureSchedule(const TargetCapitalInputs& inputs, int years);

// The payments behind it, one by one: per cost item in input order, each item's in time order.
std::optional<std::vector<Payment>> schedulePayments(const TargetCapitalInputs& inputs, int years);

} // namespace dovra
