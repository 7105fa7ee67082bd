#pragma once

#include <QSlider>

#include <functional>
#include <optional>

namespace dovra {

// A horizontal slider that also holds a selected range of values, drawn as a band on the groove.
// The user selects with SHIFT: pressing the mouse starts at the current value and releasing it ends
// where the handle is; SHIFT with the arrow keys extends from where the selection began. A tool tip
// beside the handle shows the value the user moves to.
class RangeSlider : public QSlider
{
    Q_OBJECT
public:
    explicit RangeSlider(QWidget* parent = nullptr);

    int selectionStart() const { return m_start; }
    int selectionLength() const { return m_length; }
    // A negative length selects to the left of start.
    void setSelection(int start, int length);

    // The tool tip's text for a value (default: the value as a number).
    void setTipText(std::function<QString(int value)> text);

signals:
    void selectionChanged(int start, int length);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void showTip();
    void selectTo(int value);
    // The x of the handle's centre at value.
    int centreOf(int value, const QRect& groove, const QRect& handle) const;

    std::function<QString(int)> m_tipText;
    int m_start = 0;
    int m_length = 0;
    // Where a SHIFT selection began, while one is being made.
    std::optional<int> m_anchor;
};

} // namespace dovra
