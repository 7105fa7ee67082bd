#include "analysis/analysischarts.h"

#include "base/messageservice.h"
#include "calc/expenditureschedule.h"
#include "calc/sensitivity.h"
#include "model/options.h"
#include "reports/formats/workbook.h"
#include "reports/reportfiledialog.h"
#include "reports/reportrun.h"
#include "reports/reportworkbooks.h"
#include "widgets/charts.h"

#include <QPushButton>

#include <algorithm>

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

} // namespace dovra
