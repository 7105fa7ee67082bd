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
    QString xFormat = QStringLiteral("%.2f");
    QString yFormat = QStringLiteral("%.0f");
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
