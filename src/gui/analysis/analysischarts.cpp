#include "analysis/analysischarts.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/expenditureschedule.h"
#include "calc/sensitivity.h"
#include "calc/uncertainty.h"
#include "model/options.h"
#include "reports/formats/workbook.h"
#include "reports/reportfiledialog.h"
#include "reports/reportrun.h"
#include "reports/reportworkbooks.h"
#include "widgets/charts.h"

#include <QChartView>
#include <QPushButton>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace dovra {

ChartPage* sensitivityChart(const SensitivityAnalysis& analysis, const QString& facility, QWidget* parent)
{
    const bool interest = analysis.mode == SensitivityMode::Interest;
    const QString varied = interest ? QStringLiteral("rente") : QStringLiteral("inflatie");
    LineChartData data;
    data.title =
        QStringLiteral("Doelvermogen A+B+C bij een andere ") + varied + QStringLiteral(" – ") + facility;
    data.xTitle = varied + QStringLiteral(" (%)");
    data.yTitle = QStringLiteral("doelvermogen A+B+C (€)");
    data.lineName = QStringLiteral("doelvermogen A+B+C");
    data.markedName = QStringLiteral("uitgangssituatie");
    data.xFormat = QStringLiteral("%.2f %");
    data.yFormat = QStringLiteral("€ %.0f");
    // A failed step's figure is no valid point.
    for (const SensitivityStep& step : analysis.steps) {
        if (step.ok)
            data.points.append({100.0 * (interest ? step.interest : step.inflation), double(step.B)});
    }
    const QPointF base(100.0 * (interest ? analysis.r0 : analysis.i0), double(analysis.B0));
    const auto at = std::lower_bound(data.points.begin(), data.points.end(), base,
                                     [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    // The base is a step of its own when the series passes the facility's rate.
    data.markedPoint = at - data.points.begin();
    if (at == data.points.end() || !qFuzzyCompare(at->x(), base.x()))
        data.points.insert(at, base);
    auto* page = new ChartPage(lineChart(data, parent), parent);
    page->setProposedFileName(QStringLiteral("Gevoeligheidsanalyse ") + facility + QStringLiteral(".png"));
    return page;
}

namespace {

// Asks where, and saves the schedule there as a workbook; a place no report may go is refused.
void saveScheduleWorkbook(const ExpenditureSchedule& schedule, int priceLevelYear, const QString& proposed)
{
    const QString title = QStringLiteral("Uitgavenschema opslaan");
    const QString path = messages().saveFileName(
        {title, QStringLiteral("Excel bestanden (*.xlsx)|*.xlsx|"), proposed, false, true});
    if (path.isEmpty())
        return;
    QString problem = report::reportTargetProblem(path, reportfile::currentReportContext().databaseFiles)
                          .value_or(QString());
    if (problem.isEmpty()) {
        report::Workbook workbook;
        report::addExpenditureSheet(workbook, schedule, priceLevelYear);
        if (!workbook.save(path, &problem))
            problem = QStringLiteral("Het uitgavenschema kan niet worden opgeslagen: ") + problem;
    }
    if (!problem.isEmpty())
        messages().inform(problem, title, MessageIcon::Critical);
}

} // namespace

ChartPage* expenditureChart(const ExpenditureSchedule& schedule, int priceLevelYear, const QString& facility,
                            QWidget* parent)
{
    StackedBarData data;
    data.title = QStringLiteral("Uitgaven per nazorgjaar (prijspeil ") + QString::number(priceLevelYear) +
                 QStringLiteral(") – ") + facility;
    data.xTitle = QStringLiteral("nazorgjaar");
    data.yTitle = QStringLiteral("uitgaven (€)");
    data.yFormat = QStringLiteral("€ %.0f");
    for (int year = 1; year <= schedule.years; ++year)
        data.categories.append(QString::number(year));
    for (int rubric = 1; rubric <= ExpenditureSchedule::Rubrics; ++rubric) {
        BarSeries series{RubriekNaam(rubric), {}};
        for (const auto& outlays : schedule.perYear)
            series.values.append(outlays[std::size_t(rubric) - 1]);
        data.series.append(series);
    }
    auto* page = new ChartPage(stackedBarChart(data, parent), parent);
    page->setNote(expenditureYearNote());
    page->setProposedFileName(QStringLiteral("Uitgavenschema ") + facility + QStringLiteral(".png"));
    auto* workbook = new QPushButton(QStringLiteral("Exporteren naar Excel…"));
    workbook->setObjectName(QStringLiteral("cmdExporterenExcel"));
    QObject::connect(workbook, &QPushButton::clicked, page, [schedule, priceLevelYear, facility] {
        saveScheduleWorkbook(schedule, priceLevelYear,
                             QStringLiteral("Uitgavenschema ") + facility + QStringLiteral(".xlsx"));
    });
    page->addButton(workbook);
    return page;
}

namespace {

// The charts of the uncertainty analysis count in millions of euros and end at the 99th percentile: the
// few dearest draws would squeeze all others into a corner.
struct DrawsShown
{
    double low = 0; // millions
    double high = 0;
    std::size_t count = 0; // the draws from the lowest to high
    QList<ChartMark> marks;
    QString note;
};

DrawsShown drawsShown(const UncertaintyAnalysis& analysis)
{
    const std::vector<float>& sorted = analysis.sorted;
    const double p95 = double(analysis.percentiles[6]);
    const double top = double(sorted[std::size_t(0.99 * double(sorted.size() - 1))]);
    DrawsShown shown;
    shown.low = std::min(double(sorted.front()), double(analysis.B0)) / 1e6;
    shown.high = std::max({top, p95, double(analysis.B0)}) / 1e6;
    shown.count =
        std::size_t(std::upper_bound(sorted.begin(), sorted.end(), shown.high * 1e6) - sorted.begin());
    shown.marks = {{QStringLiteral("uitgangssituatie (B0)"), double(analysis.B0) / 1e6},
                   {QStringLiteral("P90"), double(analysis.percentiles[5]) / 1e6},
                   {QStringLiteral("P95"), p95 / 1e6}};
    if (shown.count < sorted.size())
        shown.note = QStringLiteral("De ") + QString::number(sorted.size() - shown.count) +
                     QStringLiteral(" hoogste trekkingen (boven ") +
                     formats::number(shown.high * 1e6, QStringLiteral("€ #,#0")) +
                     QStringLiteral(") vallen rechts buiten de grafiek.");
    return shown;
}

ChartPage* uncertaintyPage(QChartView* view, const DrawsShown& shown, const QString& name, QWidget* parent)
{
    auto* page = new ChartPage(view, parent);
    if (!shown.note.isEmpty())
        page->setNote(shown.note);
    page->setProposedFileName(name + QStringLiteral(".png"));
    return page;
}

const QString CapitalTitle = QStringLiteral("doelvermogen inclusief risicobedrag (mln €)");

} // namespace

ChartPage* uncertaintyHistogram(const UncertaintyAnalysis& analysis, const QString& facility, QWidget* parent)
{
    constexpr int Bins = 40;
    const DrawsShown shown = drawsShown(analysis);
    HistogramData data;
    data.title = QStringLiteral("Verdeling van het doelvermogen – ") + facility;
    data.xTitle = CapitalTitle;
    data.yTitle = QStringLiteral("aantal trekkingen");
    data.xFormat = QStringLiteral("%.1f");
    data.start = shown.low;
    data.width = shown.high > shown.low ? (shown.high - shown.low) / Bins : 0.01;
    data.counts = QList<int>(Bins, 0);
    for (std::size_t k = 0; k < shown.count; ++k) {
        const int bin = int((double(analysis.sorted[k]) / 1e6 - shown.low) / data.width);
        ++data.counts[std::clamp(bin, 0, Bins - 1)];
    }
    data.marks = shown.marks;
    return uncertaintyPage(histogramChart(data, parent), shown,
                           QStringLiteral("Onzekerheidsanalyse histogram ") + facility, parent);
}

ChartPage* uncertaintyCumulative(const UncertaintyAnalysis& analysis, const QString& facility,
                                 QWidget* parent)
{
    constexpr int Points = 200;
    const DrawsShown shown = drawsShown(analysis);
    LineChartData data;
    data.title = QStringLiteral("Cumulatieve verdeling van het doelvermogen – ") + facility;
    data.xTitle = CapitalTitle;
    data.yTitle = QStringLiteral("aandeel van de trekkingen (%)");
    data.lineName = QStringLiteral("aandeel van de trekkingen tot en met dit bedrag");
    data.xFormat = QStringLiteral("%.1f");
    data.yFormat = QStringLiteral("%.0f %");
    data.pointsVisible = false;
    const double n = double(analysis.sorted.size());
    // From no draw below the lowest, which also keeps the share's axis linear.
    data.points.append({double(analysis.sorted.front()) / 1e6, 0});
    for (int k = 0; k <= Points && shown.count > 0; ++k) {
        const std::size_t index = std::size_t(double(shown.count - 1) * k / Points);
        data.points.append({double(analysis.sorted[index]) / 1e6, 100.0 * double(index + 1) / n});
    }
    data.marks = shown.marks;
    QChartView* view = lineChart(data, parent);
    // A share runs from 0 to 100 %, not beyond.
    if (auto* share = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0))) {
        share->setRange(0, 100);
        share->setTickCount(6);
    }
    return uncertaintyPage(view, shown, QStringLiteral("Onzekerheidsanalyse cumulatief ") + facility, parent);
}

} // namespace dovra
