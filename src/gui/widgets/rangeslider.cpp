#include "widgets/rangeslider.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <QToolTip>

namespace dovra {

RangeSlider::RangeSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent), m_tipText([](int value) { return QLocale().toString(value); })
{
    // Only the user's moves show the tip, not values the program sets.
    connect(this, &QAbstractSlider::actionTriggered, this, &RangeSlider::showTip);
}

void RangeSlider::setSelection(int start, int length)
{
    if (length < 0) {
        start += length;
        length = -length;
    }
    if (start == m_start && length == m_length)
        return;
    m_start = start;
    m_length = length;
    update();
    emit selectionChanged(start, length);
}

void RangeSlider::setTipText(std::function<QString(int)> text)
{
    m_tipText = std::move(text);
}

void RangeSlider::showTip()
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QToolTip::showText(mapToGlobal(handle.topLeft()), m_tipText(sliderPosition()), this);
}

void RangeSlider::selectTo(int value)
{
    setSelection(*m_anchor, value - *m_anchor);
}

int RangeSlider::centreOf(int value, const QRect& groove, const QRect& handle) const
{
    const int span = groove.width() - handle.width();
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, invertedAppearance());
}

void RangeSlider::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);

    // As QSlider paints itself, with the band between the groove and the handle. Styles that fill the
    // groove up to the handle (Fusion) get the handle at the groove's start, so only the band is filled.
    QStyleOptionSlider grooveOption = option;
    grooveOption.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != NoTicks)
        grooveOption.subControls |= QStyle::SC_SliderTickmarks;
    grooveOption.sliderPosition = option.upsideDown ? maximum() : minimum();
    painter.drawComplexControl(QStyle::CC_Slider, grooveOption);

    // While the user drags with SHIFT the band shows what releasing would select.
    const bool dragging = m_anchor && isSliderDown();
    const int from = dragging ? *m_anchor : m_start;
    const int to = dragging ? sliderPosition() : m_start + m_length;
    if (from != to) {
        const int left = centreOf(std::min(from, to), groove, handle);
        const int right = centreOf(std::max(from, to), groove, handle);
        const int height = std::max(groove.height() / 2, 4);
        painter.fillRect(QRect(std::min(left, right), groove.center().y() - height / 2 + 1,
                               std::abs(right - left), height),
                         palette().color(QPalette::Highlight));
    }

    option.subControls = QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, option);
}

void RangeSlider::mousePressEvent(QMouseEvent* event)
{
    m_anchor.reset();
    if (event->modifiers() & Qt::ShiftModifier)
        m_anchor = value();
    QSlider::mousePressEvent(event);
}

void RangeSlider::mouseReleaseEvent(QMouseEvent* event)
{
    QSlider::mouseReleaseEvent(event);
    if (m_anchor && (event->modifiers() & Qt::ShiftModifier))
        selectTo(value());
    m_anchor.reset();
    // The band no longer shows the drag; QSlider repaints only the handle.
    update();
}

void RangeSlider::keyPressEvent(QKeyEvent* event)
{
    const int before = value();
    QSlider::keyPressEvent(event);
    if (!(event->modifiers() & Qt::ShiftModifier) || value() == before)
        return;
    if (!m_anchor)
        m_anchor = before;
    selectTo(value());
}

void RangeSlider::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift && !isSliderDown())
        m_anchor.reset();
    QSlider::keyReleaseEvent(event);
}

} // namespace dovra
