#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

QT_FORWARD_DECLARE_CLASS(QChartView)
QT_FORWARD_DECLARE_CLASS(QHBoxLayout)
QT_FORWARD_DECLARE_CLASS(QPushButton)

namespace dovra {

// An axis label format is "%.<decimals>f" with any text around it, e.g. "%.2f %" or "€ %.0f" (no "%%",
// and the decimals must be given); the charts write the numbers in the program's locale, with its decimal
// comma and digit grouping.

// A vertical line across a chart at x, with a legend entry of its own, e.g. a percentile.
struct ChartMark
{
    QString name;
    double x = 0;
};

struct LineChartData
{
    QString title;
    QString xTitle;
    QString yTitle;
    QList<QPointF> points;
    // The line's legend entry; none when empty.
    QString lineName;
    // A point drawn apart with a legend entry of its own, e.g. the current situation.
    std::optional<qsizetype> markedPoint;
    QString markedName;
    QList<ChartMark> marks;
    // Off for a curve of many points, which would hide under its markers.
    bool pointsVisible = true;
    QString xFormat = QStringLiteral("%.2f");
    QString yFormat = QStringLiteral("%.0f");
};

// Counts of values in bins of equal width side by side, the first from start.
struct HistogramData
{
    QString title;
    QString xTitle;
    QString yTitle;
    double start = 0;
    double width = 1;
    QList<int> counts;
    QList<ChartMark> marks;
    QString xFormat = QStringLiteral("%.0f");
};

struct BarSeries
{
    QString name;
    // One value per category.
    QList<double> values;
};

struct StackedBarData
{
    QString title;
    QStringList categories;
    QString xTitle;
    QString yTitle;
    QList<BarSeries> series;
    QString yFormat = QStringLiteral("%.0f");
};

// The charts come in a view owned by parent.
QChartView* lineChart(const LineChartData& data, QWidget* parent);
// The bars stack positive values upwards and negative ones downwards; with many categories only every
// so many is labelled, so the labels stay readable.
QChartView* stackedBarChart(const StackedBarData& data, QWidget* parent);

// The bins as bars on a value axis, so that marks stand at their own values.
QChartView* histogramChart(const HistogramData& data, QWidget* parent);

// A chart with a button that saves it as a picture.
class ChartPage : public QWidget
{
    Q_OBJECT
public:
    // The page takes over view.
    explicit ChartPage(QChartView* view, QWidget* parent = nullptr);

    QChartView* view() const { return m_view; }
    // The name the save dialog proposes.
    void setProposedFileName(const QString& name) { m_proposedName = name; }
    // A line below the chart that says how to read it.
    void setNote(const QString& text);
    // Another button beside the one that saves the picture (the page takes it over).
    void addButton(QPushButton* button);

private:
    void save();
    QImage image() const;

    QChartView* m_view;
    QHBoxLayout* m_buttons;
    QString m_proposedName;
};

} // namespace dovra
