#include "widgets/fieldbinding.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace dovra {

FieldBinding::FieldBinding(QObject* parent) : QObject(parent) {}

void FieldBinding::add(QWidget* control, BoundField field)
{
    if (!field.display)
        field.display = [](const QVariant& value) {
            return value.toString();
        };
    if (!field.parse)
        field.parse = [](const QString& text) {
            return std::optional<QVariant>(text);
        };
    if (!field.validate)
        field.validate = [](const QVariant&) {
            return true;
        };
    control->installEventFilter(this);
    m_bindings.push_back({control, std::move(field)});
    setTextOf(control, m_bindings.back().field.display(m_bindings.back().field.read()));
}

void FieldBinding::bind(QLineEdit* edit, BoundField field)
{
    add(edit, std::move(field));
}

void FieldBinding::bind(QPlainTextEdit* edit, BoundField field)
{
    add(edit, std::move(field));
}

FieldBinding::Binding* FieldBinding::find(QWidget* control)
{
    for (Binding& binding : m_bindings) {
        if (binding.control == control)
            return &binding;
    }
    return nullptr;
}

QString FieldBinding::textOf(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
        return edit->toPlainText();
    return {};
}

void FieldBinding::setTextOf(QWidget* control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
        edit->setPlainText(text);
}

void FieldBinding::refresh()
{
    for (const Binding& binding : m_bindings) {
        if (binding.control)
            setTextOf(binding.control, binding.field.display(binding.field.read()));
    }
}

bool FieldBinding::commit(QWidget* control)
{
    Binding* binding = find(control);
    if (!binding)
        return true;
    const QString text = textOf(control);
    const bool unchanged = text == binding->field.display(binding->field.read());
    // An unchanged value is what the record holds: it needs no storing, and a check only when asked for.
    if (unchanged && !binding->field.checkUnchanged)
        return true;
    const std::optional<QVariant> value = binding->field.parse(text);
    if (unchanged)
        return value && binding->field.validate(*value);
    if (!value || !binding->field.validate(*value) || !binding->field.write(*value))
        return false;
    setTextOf(control, binding->field.display(binding->field.read()));
    emit committed(control);
    return true;
}

bool FieldBinding::commitFocused()
{
    return commit(QApplication::focusWidget());
}

bool FieldBinding::eventFilter(QObject* watched, QEvent* event)
{
    // The message of a refused value takes the focus too: do not check again meanwhile.
    if (event->type() == QEvent::FocusOut && !m_checking) {
        auto* control = qobject_cast<QWidget*>(watched);
        m_checking = true;
        const bool accepted = commit(control);
        m_checking = false;
        if (!accepted)
            QTimer::singleShot(0, control, [control] { control->setFocus(Qt::OtherFocusReason); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dovra
