#pragma once

namespace dovra {
struct SensitivityAnalysis;
}

namespace dovra::report {

class ReportWriter;

// The sensitivity analysis as the report window shows it: the base case, then a line per step.
void writeSensitivityReport(const SensitivityAnalysis& analysis, ReportWriter& writer);

} // namespace dovra::report
