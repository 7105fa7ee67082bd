#include "widgets/charts.h"

#include "base/messageservice.h"

#include <QAreaSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace dovra {

namespace {

// Distinct colours that stay apart for colour-blind readers too.
const QList<QColor> SeriesColours = {
    QColor(0x00, 0x72, 0xB2), QColor(0xE6, 0x9F, 0x00), QColor(0x00, 0x9E, 0x73), QColor(0xCC, 0x79, 0xA7),
    QColor(0x56, 0xB4, 0xE9), QColor(0xD5, 0x5E, 0x00), QColor(0xF0, 0xE4, 0x42), QColor(0x55, 0x55, 0x55)};
// The marked point stands out against the line in the first colour.
const QColor MarkColour = SeriesColours.at(5);

// A picture smaller than this is hard to read once printed or pasted into a document.
constexpr QSize MinimumImageSize(1200, 700);

const QString SaveTitle = QStringLiteral("Grafiek opslaan");

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setLocale(QLocale());
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChartView* newView(QChart* chart, QWidget* parent)
{
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

// The smallest of 1, 2 or 5 times a power of ten that is at least raw (> 0).
double niceStep(double raw)
{
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

// A value axis over low..high, widened by padding (a fraction of the span) on both sides so that no marker
// sits on the frame, and rounded outwards to about eight ticks at easy steps (0,5 rather than 1 between
// points at half percentages).
QValueAxis* valueAxis(const QString& title, const QString& format, double low, double high, double padding)
{
    if (high <= low) {
        const double half = low != 0 ? std::abs(low) * 0.1 : 1;
        low -= half;
        high += half;
    }
    const double margin = (high - low) * padding;
    const double step = niceStep((high - low + 2 * margin) / 7);
    double first = std::floor((low - margin) / step) * step;
    if (low >= 0) // values none of which is negative get no negative part of the axis
        first = std::max(first, 0.0);
    const double last = std::ceil((high + margin) / step) * step;
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(format);
    axis->setRange(first, last);
    axis->setTickCount(int(std::lround((last - first) / step)) + 1);
    return axis;
}

// A logarithmic axis from the power of ten at or below low to the one at or above high (both > 0).
QLogValueAxis* logAxis(const QString& title, const QString& format, double low, double high)
{
    auto* axis = new QLogValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(format);
    axis->setBase(10);
    axis->setRange(std::pow(10.0, std::floor(std::log10(low))), std::pow(10.0, std::ceil(std::log10(high))));
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// Every how many categories a label fits: about a dozen labels.
int labelStep(qsizetype categories)
{
    return int(niceStep(std::max(1.0, std::ceil(double(categories) / 12))));
}

// The bars stand at 0, 1, ... on the value scale; the first category and every step-th are labelled.
QCategoryAxis* categoryAxis(const QString& title, const QStringList& categories)
{
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLineVisible(false);
    axis->setStartValue(-0.5);
    axis->setRange(-0.5, double(categories.size()) - 0.5);
    const int step = labelStep(categories.size());
    for (qsizetype i = 0; i < categories.size(); ++i) {
        if (i == 0 || (i + 1) % step == 0)
            axis->append(categories.at(i), double(i));
    }
    return axis;
}

// The marks as vertical lines from bottom to top, in the colours after the first (the data's own).
void addMarks(QChart* chart, const QList<ChartMark>& marks, QValueAxis* x, QAbstractAxis* y, double bottom,
              double top)
{
    for (qsizetype m = 0; m < marks.size(); ++m) {
        auto* line = new QLineSeries;
        line->setName(marks.at(m).name);
        line->append(marks.at(m).x, bottom);
        line->append(marks.at(m).x, top);
        line->setPen(QPen(SeriesColours.at((m + 1) % SeriesColours.size()), 2.5, Qt::DashLine));
        attach(chart, line, x, y);
    }
}

} // namespace

QChartView* lineChart(const LineChartData& data, QWidget* parent)
{
    QChart* chart = newChart(data.title);
    double left = 0, right = 0, bottom = 0, top = 0;
    if (!data.points.isEmpty()) {
        const auto [minX, maxX] = std::minmax_element(data.points.begin(), data.points.end(),
                                                      [](QPointF a, QPointF b) { return a.x() < b.x(); });
        const auto [minY, maxY] = std::minmax_element(data.points.begin(), data.points.end(),
                                                      [](QPointF a, QPointF b) { return a.y() < b.y(); });
        left = minX->x();
        right = maxX->x();
        bottom = minY->y();
        top = maxY->y();
    }
    QValueAxis* x = valueAxis(data.xTitle, data.xFormat, left, right, 0.05);
    // Values over more than three orders of magnitude would lie flat at the bottom of a linear axis.
    QAbstractAxis* y = nullptr;
    if (bottom > 0 && top / bottom > 1000)
        y = logAxis(data.yTitle, data.yFormat, bottom, top);
    else
        y = valueAxis(data.yTitle, data.yFormat, bottom, top, 0.05);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    auto* line = new QLineSeries;
    line->setName(data.lineName);
    line->append(data.points);
    line->setPointsVisible(data.pointsVisible);
    line->setPen(QPen(SeriesColours.constFirst(), 2.5));
    attach(chart, line, x, y);
    if (data.lineName.isEmpty())
        chart->legend()->markers(line).constFirst()->setVisible(false);

    const bool marked = data.markedPoint && *data.markedPoint >= 0 && *data.markedPoint < data.points.size();
    if (marked) {
        auto* mark = new QScatterSeries;
        mark->setName(data.markedName);
        mark->append(data.points.at(*data.markedPoint));
        mark->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        mark->setMarkerSize(13);
        mark->setColor(MarkColour);
        mark->setBorderColor(Qt::black);
        attach(chart, mark, x, y);
    }
    if (auto* linear = qobject_cast<QValueAxis*>(y))
        addMarks(chart, data.marks, x, y, linear->min(), linear->max());
    chart->legend()->setVisible(marked || !data.lineName.isEmpty() || !data.marks.isEmpty());
    return newView(chart, parent);
}

QChartView* histogramChart(const HistogramData& data, QWidget* parent)
{
    QChart* chart = newChart(data.title);
    const double end = data.start + data.width * double(data.counts.size());
    const int most = data.counts.isEmpty() ? 0 : *std::max_element(data.counts.begin(), data.counts.end());
    QValueAxis* x = valueAxis(data.xTitle, data.xFormat, data.start, end, 0);
    QValueAxis* y = valueAxis(data.yTitle, QStringLiteral("%.0f"), 0, most, 0.05);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    // The outline of the bars, filled down to 0.
    auto* outline = new QLineSeries;
    outline->append(data.start, 0);
    for (qsizetype bin = 0; bin < data.counts.size(); ++bin) {
        const double left = data.start + data.width * double(bin);
        outline->append(left, data.counts.at(bin));
        outline->append(left + data.width, data.counts.at(bin));
    }
    outline->append(end, 0);
    auto* bars = new QAreaSeries(outline);
    bars->setColor(SeriesColours.constFirst().lighter(140));
    bars->setBorderColor(SeriesColours.constFirst());
    attach(chart, bars, x, y);
    chart->legend()->markers(bars).constFirst()->setVisible(false);
    addMarks(chart, data.marks, x, y, 0, y->max());
    chart->legend()->setVisible(!data.marks.isEmpty());
    return newView(chart, parent);
}

QChartView* stackedBarChart(const StackedBarData& data, QWidget* parent)
{
    QChart* chart = newChart(data.title);
    auto* bars = new QStackedBarSeries;
    bars->setBarWidth(0.8);
    // Positive values stack upwards and negative ones downwards: the extremes are the sums of each.
    QList<double> above(data.categories.size()), below(data.categories.size());
    for (qsizetype s = 0; s < data.series.size(); ++s) {
        const BarSeries& series = data.series.at(s);
        auto* set = new QBarSet(series.name);
        set->append(series.values);
        set->setColor(SeriesColours.at(s % SeriesColours.size()));
        set->setBorderColor(set->color());
        bars->append(set);
        for (qsizetype c = 0; c < std::min(series.values.size(), above.size()); ++c)
            (series.values.at(c) >= 0 ? above : below)[c] += series.values.at(c);
    }
    const double high = above.isEmpty() ? 0 : *std::max_element(above.begin(), above.end());
    const double low = below.isEmpty() ? 0 : *std::min_element(below.begin(), below.end());
    QCategoryAxis* x = categoryAxis(data.xTitle, data.categories);
    QValueAxis* y = valueAxis(data.yTitle, data.yFormat, low, high, 0);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    attach(chart, bars, x, y);
    return newView(chart, parent);
}

ChartPage::ChartPage(QChartView* view, QWidget* parent)
    : QWidget(parent), m_view(view), m_buttons(new QHBoxLayout)
{
    auto* save = new QPushButton(QStringLiteral("Opslaan als afbeelding..."), this);
    save->setObjectName(QStringLiteral("cmdOpslaanAfbeelding"));
    connect(save, &QPushButton::clicked, this, &ChartPage::save);
    m_buttons->addStretch();
    m_buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addLayout(m_buttons);
}

void ChartPage::addButton(QPushButton* button)
{
    button->setParent(this);
    m_buttons->insertWidget(m_buttons->count() - 1, button);
}

void ChartPage::setNote(const QString& text)
{
    auto* note = new QLabel(text, this);
    note->setObjectName(QStringLiteral("lblToelichting"));
    note->setWordWrap(true);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, note);
}

QImage ChartPage::image() const
{
    // The chart is laid out anew at the picture's size, so a small window still gives a legible picture.
    QChart* chart = m_view->chart();
    const QSize size = m_view->size().expandedTo(MinimumImageSize);
    const QRectF shown = chart->geometry();
    chart->setGeometry(QRectF(QPointF(), size));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    chart->scene()->render(&painter, QRectF(image.rect()), chart->geometry());
    painter.end();
    chart->setGeometry(shown);
    return image;
}

void ChartPage::save()
{
    const QString path = messages().saveFileName(
        {SaveTitle, QStringLiteral("PNG afbeelding (*.png)|*.png|"), m_proposedName, false, true});
    if (path.isEmpty())
        return;
    // Written beside the target and renamed over it: a failure leaves an existing file as it was.
    QSaveFile file(path);
    QString error;
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
    } else {
        QImageWriter writer(&file, "png");
        if (!writer.write(image()))
            error = writer.errorString();
        else if (!file.commit())
            error = file.errorString();
    }
    if (!error.isEmpty())
        messages().inform(QStringLiteral("De afbeelding kan niet worden opgeslagen: ") + error, SaveTitle,
                          MessageIcon::Critical);
}

} // namespace dovra
