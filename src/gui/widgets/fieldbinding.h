#pragma once

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace dovra {

// How one text control shows, reads, checks and stores one field of a record.
struct BoundField
{
    // The stored value.
    std::function<QVariant()> read;
    // Takes an accepted value into the record; false when it could not be stored.
    std::function<bool(const QVariant&)> write;
    // Stored value -> text in the control (default: the value as text).
    std::function<QString(const QVariant&)> display;
    // Text -> value; empty (after telling the user) when the text is no valid value (default: the text).
    std::function<std::optional<QVariant>(const QString&)> parse;
    // False, after telling the user, when the value is refused (default: every value passes).
    std::function<bool(const QVariant&)> validate;
    // Leaving the control checks its text even when it still shows the stored value (an empty box must
    // be filled in before the user goes on).
    bool checkUnchanged = false;
};

// Binds text controls to fields of a record. A value is checked when the user leaves its control:
// a refused value is not taken and the focus stays, so the user can correct it; an accepted value
// is stored at once.
class FieldBinding : public QObject
{
    Q_OBJECT
public:
    explicit FieldBinding(QObject* parent = nullptr);

    void bind(QLineEdit* edit, BoundField field);
    void bind(QPlainTextEdit* edit, BoundField field);

    // Shows the stored values in every bound control.
    void refresh();
    // Checks and stores the value of one control; false when it is refused.
    bool commit(QWidget* control);
    // The same for the control that has the focus, if it is bound (used when a screen closes).
    bool commitFocused();

signals:
    void committed(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding
    {
        QPointer<QWidget> control;
        BoundField field;
    };
    Binding* find(QWidget* control);
    void add(QWidget* control, BoundField field);
    static QString textOf(QWidget* control);
    static void setTextOf(QWidget* control, const QString& text);

    std::vector<Binding> m_bindings;
    bool m_checking = false;
};

} // namespace dovra
