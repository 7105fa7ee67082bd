#include "widgets/screenfit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace dovra {

QRect fittedInto(const QRect& wanted, const QRect& available)
{
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    // Windows and dialogs only: menus and other popups place themselves. A shown window that grows (more
    // content) is held inside too.
    const bool growing = event->type() == QEvent::Resize && watched->isWidgetType() &&
                         static_cast<QWidget*>(watched)->isVisible();
    auto* window = event->type() == QEvent::Show || growing ? qobject_cast<QWidget*>(watched) : nullptr;
    const Qt::WindowType type = window ? window->windowType() : Qt::Widget;
    if ((type != Qt::Window && type != Qt::Dialog && type != Qt::Tool) || !window->screen())
        return false;
    // The frame the window manager adds counts too, once it is known.
    const QRect frame = window->frameGeometry();
    const QRect fitted = fittedInto(frame, window->screen()->availableGeometry());
    if (fitted != frame) {
        window->resize(window->size() - (frame.size() - fitted.size()));
        window->move(fitted.topLeft());
    }
    return false;
}

} // namespace dovra
