// The range slider driven by mouse and keys.
#include "support/qtprinting.h"
#include "widgets/rangeslider.h"

#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

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

} // namespace
