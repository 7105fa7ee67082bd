#include "widgets/sliderscale.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace dovra {

SliderScale::SliderScale(QWidget* parent) : QWidget(parent) {}

void SliderScale::follow(QSlider* slider, int step, std::function<QString(int)> text)
{
    m_slider = slider;
    m_step = std::max(step, 1);
    m_text = std::move(text);
    update();
}

QSize SliderScale::sizeHint() const
{
    return {100, fontMetrics().height() + 2};
}

void SliderScale::paintEvent(QPaintEvent*)
{
    if (!m_slider)
        return;
    QStyleOptionSlider option;
    option.initFrom(m_slider);
    option.orientation = Qt::Horizontal;
    option.minimum = m_slider->minimum();
    option.maximum = m_slider->maximum();
    const QRect groove =
        m_slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, m_slider);
    const QRect handle =
        m_slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, m_slider);
    // Where the slider lies within this widget's row.
    const int offset = m_slider->mapTo(window(), QPoint()).x() - mapTo(window(), QPoint()).x();
    const int span = groove.width() - handle.width();
    QPainter painter(this);
    for (int value = m_slider->minimum(); value <= m_slider->maximum(); value += m_step) {
        const int x = offset + groove.x() + handle.width() / 2 +
                      QStyle::sliderPositionFromValue(m_slider->minimum(), m_slider->maximum(), value, span);
        const QString label = m_text ? m_text(value) : QString::number(value);
        const int width = fontMetrics().horizontalAdvance(label);
        painter.drawText(QRect(x - width, 0, 2 * width, height()), Qt::AlignCenter, label);
    }
}

} // namespace dovra
