// The range slider driven by mouse and keys, the charts' series, axes and Dutch labels, and the chart page
// saving its picture.
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "widgets/charts.h"
#include "widgets/rangeslider.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChartView>
#include <QDir>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QStackedBarSeries>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <memory>

using namespace dovra;

namespace {

// A slider whose handle the test can find at any value.
class ProbedSlider : public RangeSlider
{
public:
    QPoint handleAt(int value) const
    {
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.sliderPosition = value;
        return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this).center();
    }
};

class RangeSliderTest : public ::testing::Test
{
protected:
    RangeSliderTest()
    {
        slider.setRange(0, 20);
        slider.resize(400, 30);
        slider.setSelection(10, 2);
        slider.setTipText([](int value) { return QLocale().toString(value / 2.0, 'f', 1); });
        slider.show();
        changes.clear();
    }

    void shiftKey(QEvent::Type type, Qt::Key key)
    {
        QKeyEvent event(type, key, type == QEvent::KeyPress ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(&slider, &event);
    }

    ProbedSlider slider;
    QSignalSpy changes{&slider, &RangeSlider::selectionChanged};
};

TEST_F(RangeSliderTest, ShiftDragSelectsFromPressToRelease)
{
    struct Case
    {
        int from, to;
        bool shiftAtRelease;
        int start, length;
    };
    const Case cases[] = {
        {3, 8, true, 3, 5},
        {8, 3, true, 3, 5},   // dragged to the left: the range starts at the smaller value
        {3, 8, false, 10, 2}, // released without SHIFT: the selection stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << (c.shiftAtRelease ? " SHIFT" : ""));
        slider.setSelection(10, 2);
        slider.setValue(c.from);
        changes.clear();
        QTest::mousePress(&slider, Qt::LeftButton, Qt::ShiftModifier, slider.handleAt(c.from));
        QTest::mouseMove(&slider, slider.handleAt(c.to));
        EXPECT_EQ(QToolTip::text(), QLocale().toString(c.to / 2.0, 'f', 1));
        QTest::mouseRelease(&slider, Qt::LeftButton, c.shiftAtRelease ? Qt::ShiftModifier : Qt::NoModifier,
                            slider.handleAt(c.to));
        EXPECT_EQ(slider.value(), c.to);
        EXPECT_EQ(slider.selectionStart(), c.start);
        EXPECT_EQ(slider.selectionLength(), c.length);
        EXPECT_EQ(changes.size(), c.shiftAtRelease ? 1 : 0);
    }
}

TEST_F(RangeSliderTest, ShiftArrowsExtendFromWhereShiftWasPressed)
{
    slider.setValue(3);
    slider.setFocus();
    shiftKey(QEvent::KeyPress, Qt::Key_Shift);
    shiftKey(QEvent::KeyPress, Qt::Key_Right);
    shiftKey(QEvent::KeyPress, Qt::Key_Right);
    EXPECT_EQ(slider.selectionStart(), 3);
    EXPECT_EQ(slider.selectionLength(), 2);
    EXPECT_EQ(QToolTip::text(), u"2,5");
    // A new SHIFT starts a new range at the value reached.
    shiftKey(QEvent::KeyRelease, Qt::Key_Shift);
    shiftKey(QEvent::KeyPress, Qt::Key_Left);
    EXPECT_EQ(slider.selectionStart(), 4);
    EXPECT_EQ(slider.selectionLength(), 1);
    // Moving without SHIFT keeps the range.
    QTest::keyClick(&slider, Qt::Key_Left);
    EXPECT_EQ(slider.value(), 3);
    EXPECT_EQ(slider.selectionStart(), 4);
    EXPECT_EQ(changes.size(), 3);
}

// The texts the chart shows once laid out: titles, legend and axis labels.
QStringList shownTexts(QChartView* view)
{
    view->resize(900, 600);
    view->show();
    QCoreApplication::processEvents();
    QStringList texts;
    for (QGraphicsItem* item : view->scene()->items()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            texts.append(text->toPlainText());
    }
    return texts;
}

LineChartData sampleLine()
{
    LineChartData data;
    data.title = QStringLiteral("Doelvermogen");
    data.points = {{1.5, 23456789}, {2.0, 19876543}, {2.5, 16543210}, {3.0, 14012345}, {4.0, 12345678}};
    data.markedName = QStringLiteral("uitgangssituatie");
    data.xFormat = QStringLiteral("%.2f");
    data.yFormat = QStringLiteral("€ %.0f");
    return data;
}

TEST(Charts, LineChartMarksItsPointAndWritesDutchNumbers)
{
    for (const std::optional<qsizetype> marked :
         {std::optional<qsizetype>(2), std::optional<qsizetype>(), std::optional<qsizetype>(5)}) {
        SCOPED_TRACE(marked ? *marked : -1);
        LineChartData data = sampleLine();
        data.markedPoint = marked;
        std::unique_ptr<QChartView> view(lineChart(data, nullptr));
        QChart* chart = view->chart();
        const QList<QAbstractSeries*> series = chart->series();
        ASSERT_EQ(series.size(), marked == 2 ? 2 : 1);
        auto* line = qobject_cast<QLineSeries*>(series.at(0));
        ASSERT_TRUE(line);
        EXPECT_EQ(line->points(), data.points);
        EXPECT_TRUE(line->pointsVisible());
        if (marked == 2) {
            auto* mark = qobject_cast<QScatterSeries*>(series.at(1));
            ASSERT_TRUE(mark);
            EXPECT_EQ(mark->name(), u"uitgangssituatie");
            EXPECT_EQ(mark->points(), QList<QPointF>{QPointF(2.5, 16543210)});
        }
        auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
        auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
        ASSERT_TRUE(x && y);
        EXPECT_LT(x->min(), 1.5);
        EXPECT_GT(x->max(), 4.0);
        EXPECT_LT(y->min(), 12345678);
        EXPECT_GT(y->max(), 23456789);
        EXPECT_TRUE(chart->localizeNumbers());

        const QStringList texts = shownTexts(view.get());
        for (const char16_t* label : {u"1,50", u"2,50", u"4,00", u"€ 12.000.000", u"€ 20.000.000"})
            EXPECT_TRUE(texts.contains(QString::fromUtf16(label))) << QString::fromUtf16(label).toStdString();
        EXPECT_EQ(texts.contains(u"uitgangssituatie"_qs), marked == 2);
    }

    // Positive values keep the axis at or above 0; over more than three orders of magnitude it is
    // logarithmic.
    for (const double highest : {600e6, 2.24e12}) {
        LineChartData data = sampleLine();
        data.points.append({6.0, highest});
        std::unique_ptr<QChartView> view(lineChart(data, nullptr));
        QAbstractAxis* y = view->chart()->axes(Qt::Vertical).value(0);
        auto* log = qobject_cast<QLogValueAxis*>(y);
        auto* linear = qobject_cast<QValueAxis*>(y);
        ASSERT_TRUE(highest > 1e9 ? log && log->min() > 0 && log->max() >= highest
                                  : linear && linear->min() >= 0);
    }
}

TEST(Charts, StackedBarsHoldOneSetPerSeriesAndLabelEveryTenthYear)
{
    StackedBarData data;
    data.yFormat = QStringLiteral("€ %.0f");
    QStringList labelled;
    for (int year = 1; year <= 100; ++year) {
        data.categories.append(QString::number(year));
        if (year == 1 || year % 10 == 0)
            labelled.append(QString::number(year));
    }
    for (const double base : {1000.0, 2500.0, -300.0}) {
        BarSeries series{QStringLiteral("Rubriek %1").arg(base), {}};
        for (int year = 1; year <= 100; ++year)
            series.values.append(base + year);
        data.series.append(series);
    }
    std::unique_ptr<QChartView> view(stackedBarChart(data, nullptr));
    QChart* chart = view->chart();
    ASSERT_EQ(chart->series().size(), 1);
    auto* bars = qobject_cast<QStackedBarSeries*>(chart->series().constFirst());
    ASSERT_TRUE(bars);
    ASSERT_EQ(bars->count(), data.series.size());
    for (int s = 0; s < bars->count(); ++s) {
        const QBarSet* set = bars->barSets().at(s);
        EXPECT_EQ(set->label(), data.series.at(s).name);
        ASSERT_EQ(set->count(), 100);
        for (int c = 0; c < 100; ++c)
            EXPECT_EQ(set->at(c), data.series.at(s).values.at(c));
    }
    auto* x = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->categoriesLabels(), labelled);
    // Positive values stack up to 1100 + 2600, the negative one down to -299.
    EXPECT_LE(y->min(), -299);
    EXPECT_GE(y->max(), 3700);
    EXPECT_TRUE(chart->localizeNumbers());
    EXPECT_TRUE(shownTexts(view.get()).contains(u"€ 1.000"_qs));
}

// Saving asks where (cancel writes nothing), writes a legible picture and nothing beside it, and tells
// when the folder is not there.
TEST(ChartPage, SavesALegiblePictureOrTellsWhyNot)
{
    MessageRecorder recorder;
    QTemporaryDir dir;
    ChartPage page(lineChart(sampleLine(), nullptr));
    page.setProposedFileName(QStringLiteral("Doelvermogen.png"));
    page.resize(600, 400);
    page.show();
    const auto save = [&page] {
        page.findChild<QPushButton*>(QStringLiteral("cmdOpslaanAfbeelding"))->click();
    };
    const auto files = [&dir] {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    };

    save();
    EXPECT_EQ(files(), QStringList());
    const QString path = dir.filePath(QStringLiteral("grafiek.png"));
    recorder.answerNextFile(path);
    save();
    ASSERT_EQ(recorder.fileRequests().size(), 2);
    const FileDialogRequest& request = recorder.fileRequests().constLast();
    EXPECT_EQ(request.title + u'|' + request.filter + u'|' + request.proposed,
              u"Grafiek opslaan|PNG afbeelding (*.png)|*.png||Doelvermogen.png");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(QImage(path, "PNG").size(), QSize(1200, 700));
    EXPECT_EQ(files(), QStringList{u"grafiek.png"_qs});
    EXPECT_EQ(recorder.texts(), QStringList());

    recorder.answerNextFile(dir.filePath(QStringLiteral("ontbreekt/grafiek.png")));
    save();
    ASSERT_EQ(recorder.recorded().size(), 1);
    const MessageRecorder::Message& message = recorder.recorded().constFirst();
    const QString told = QStringLiteral("De afbeelding kan niet worden opgeslagen: ");
    EXPECT_TRUE(message.text.startsWith(told) && message.text.size() > told.size())
        << message.text.toStdString();
    EXPECT_EQ(message.title, u"Grafiek opslaan");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
    EXPECT_EQ(files(), QStringList{u"grafiek.png"_qs});
}

} // namespace
