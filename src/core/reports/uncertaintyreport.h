#pragma once

#include <QString>

namespace dovra {
struct UncertaintyAnalysis;
struct UncertaintySettings;
} // namespace dovra

namespace dovra::report {

class ReportWriter;

// The uncertainty analysis as text: the base case, what was uncertain, the spread of the target capital
// with its percentiles, and what moves it most as a small tornado of rank correlations.
void writeUncertaintyReport(const UncertaintyAnalysis& analysis, ReportWriter& writer);

// An uncertain input as the report names it: "rente", "inflatie" or "kosten Onderhoud (rubriek 4)".
QString uncertainInputName(const QString& input);

} // namespace dovra::report
