#include "widgets/decimalcommakey.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace dovra {

void DecimalCommaKey::install(QWidget* screen)
{
    auto* filter = new DecimalCommaKey(screen);
    const QList<QLineEdit*> edits = screen->findChildren<QLineEdit*>();
    for (QLineEdit* edit : edits)
        edit->installEventFilter(filter);
}

bool DecimalCommaKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool decimalKey = key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma;
        if (decimalKey && key->modifiers().testFlag(Qt::KeypadModifier)) {
            static_cast<QLineEdit*>(watched)->insert(QStringLiteral(","));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dovra
