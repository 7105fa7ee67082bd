#pragma once

#include <QObject>
#include <QRect>

namespace dovra {

// The rectangle wanted, made no larger than available and then moved inside it.
QRect fittedInto(const QRect& wanted, const QRect& available);

// Keeps every window of the program inside the available geometry of its screen as it opens and as it grows:
// a window placed beside another (the checklist picker beside the editor) or larger than a small screen is
// moved and, where it can be, made smaller.
class ScreenFit : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace dovra
