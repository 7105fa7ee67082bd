#pragma once

#include <QString>

class QWidget;

namespace dovra {

class ChartPage;
struct ExpenditureSchedule;
struct SensitivityAnalysis;
struct UncertaintyAnalysis;

// A + B + C against the rate the analysis varies, each successful step a point and the base case marked.
ChartPage* sensitivityChart(const SensitivityAnalysis& analysis, const QString& facility, QWidget* parent);

// The yearly outlays of the schedule per rubric, stacked, at the facility's price level year.
ChartPage* expenditureChart(const ExpenditureSchedule& schedule, int priceLevelYear, const QString& facility,
                            QWidget* parent);

// How often each target capital came out, with the base case, P90 and P95 marked.
ChartPage* uncertaintyHistogram(const UncertaintyAnalysis& analysis, const QString& facility,
                                QWidget* parent);
// The share of the draws at or below each target capital, with the same marks.
ChartPage* uncertaintyCumulative(const UncertaintyAnalysis& analysis, const QString& facility,
                                 QWidget* parent);

} // namespace dovra
