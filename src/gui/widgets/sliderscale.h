#pragma once

#include <QWidget>

#include <functional>

class QSlider;

namespace dovra {

// Numbers under a horizontal slider, each centred under the handle's position for its value.
class SliderScale : public QWidget
{
    Q_OBJECT
public:
    explicit SliderScale(QWidget* parent = nullptr);

    // The slider to follow, a label every step values from its minimum, and each label's text.
    void follow(QSlider* slider, int step, std::function<QString(int value)> text);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSlider* m_slider = nullptr;
    int m_step = 1;
    std::function<QString(int)> m_text;
};

} // namespace dovra
