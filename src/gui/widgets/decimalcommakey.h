#pragma once

#include <QObject>

class QWidget;

namespace dovra {

// Makes the decimal key of the numeric keypad type the decimal comma in every text field of a
// screen, as Dutch users expect whatever the keyboard layout.
class DecimalCommaKey : public QObject
{
    Q_OBJECT
public:
    static void install(QWidget* screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace dovra
