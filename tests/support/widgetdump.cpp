#include "support/widgetdump.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTabBar>
#include <QTableView>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>

namespace dovra::test {

namespace {

// The property holding the text a widget of the class shows; any can be checkable, checked or read-only.
constexpr std::pair<const char*, const char*> ShownTexts[] = {
    {"QAbstractButton", "text"},     {"QLabel", "text"},        {"QLineEdit", "text"}, {"QGroupBox", "title"},
    {"QPlainTextEdit", "plainText"}, {"QTextEdit", "plainText"}};

QString tick(bool checked)
{
    return checked ? QStringLiteral("[x]") : QStringLiteral("[ ]");
}

QString quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"));
    return u'"' + escaped + u'"';
}

bool isQtHelper(const QObject* object)
{
    return object->objectName().startsWith(QStringLiteral("qt_"));
}

QString indent(int depth)
{
    return QString(depth * 2, u' ');
}

// One line for an action of a menu, menu bar, toolbar or widget.
QString actionLine(const QAction* action, bool withToolTip)
{
    if (action->isSeparator())
        return QStringLiteral("---");
    QStringList parts;
    if (const QMenu* menu = action->menu())
        parts << QStringLiteral("menu") << menu->objectName() << quoted(menu->title());
    else
        parts << QStringLiteral("action") << action->objectName() << quoted(action->text());
    if (!action->shortcut().isEmpty())
        parts << action->shortcut().toString(QKeySequence::PortableText);
    if (withToolTip)
        parts << QStringLiteral("tip") << quoted(action->toolTip());
    if (action->isCheckable())
        parts << tick(action->isChecked());
    if (!action->isEnabled())
        parts << QStringLiteral("disabled");
    if (!action->isVisible())
        parts << QStringLiteral("hidden");
    return parts.join(u' ');
}

// The actions of a menu, menu bar, toolbar or widget, a submenu's under its line.
void appendActions(QStringList& lines, const QList<QAction*>& actions, int depth, bool withToolTip)
{
    for (const QAction* action : actions) {
        lines << indent(depth) + actionLine(action, withToolTip);
        if (const QMenu* menu = action->menu())
            appendActions(lines, menu->actions(), depth + 1, false);
    }
}

// Whether the view shows the column: a table or tree can hide one.
bool shown(const QAbstractItemView* view, int column)
{
    if (const auto* table = qobject_cast<const QTableView*>(view))
        return !table->isColumnHidden(column);
    if (const auto* tree = qobject_cast<const QTreeView*>(view))
        return !tree->isColumnHidden(column);
    return true;
}

// The rows of an item view, each row's shown cells joined by "|", children indented.
void appendItems(QStringList& lines, const QAbstractItemView* view, const QModelIndex& parent, int depth)
{
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(parent); ++column) {
            if (!shown(view, column))
                continue;
            const QModelIndex index = model->index(row, column, parent);
            QString cell = index.data(Qt::DisplayRole).toString();
            if (const QVariant check = index.data(Qt::CheckStateRole); check.isValid())
                cell.prepend(tick(check.toInt() == Qt::Checked) + u' ');
            cells << cell;
        }
        lines << indent(depth) + QStringLiteral("row ") + quoted(cells.join(u'|'));
        appendItems(lines, view, model->index(row, 0, parent), depth + 1);
    }
}

// The header of a table or tree, then the rows.
void appendItemView(QStringList& lines, const QAbstractItemView* view, int depth)
{
    const QAbstractItemModel* model = view->model();
    if (!model)
        return;
    if (qobject_cast<const QTableView*>(view) || qobject_cast<const QTreeView*>(view)) {
        QStringList headers;
        for (int column = 0; column < model->columnCount(); ++column)
            if (shown(view, column))
                headers << model->headerData(column, Qt::Horizontal).toString();
        lines << indent(depth) + QStringLiteral("header ") + quoted(headers.join(u'|'));
    }
    appendItems(lines, view, QModelIndex(), depth);
}

// What the user sees of the widget itself, after its class and name.
QStringList describe(const QWidget* widget)
{
    QStringList parts;
    if (widget->isWindow()) {
        parts << QStringLiteral("title") << quoted(widget->windowTitle());
        if (widget->isModal())
            parts << QStringLiteral("modal");
        if (widget->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            parts << QStringLiteral("on-top");
    }
    const auto* text = std::find_if(std::begin(ShownTexts), std::end(ShownTexts),
                                    [&](const auto& shown) { return widget->inherits(shown.first); });
    if (text != std::end(ShownTexts)) {
        parts << quoted(widget->property(text->second).toString());
        if (const auto* edit = qobject_cast<const QLineEdit*>(widget); edit && edit->maxLength() != 32767)
            parts << QStringLiteral("max %1").arg(edit->maxLength()); // 32767 unless one is set
        if (widget->property("checkable").toBool())
            parts << tick(widget->property("checked").toBool());
        if (widget->property("readOnly").toBool())
            parts << QStringLiteral("read-only");
    } else if (const auto* bar = qobject_cast<const QProgressBar*>(widget)) {
        parts << QStringLiteral("%1 of %2..%3").arg(bar->value()).arg(bar->minimum()).arg(bar->maximum());
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
        QStringList titles;
        for (int tab = 0; tab < tabs->count(); ++tab)
            titles << tabs->tabText(tab) + (tabs->isTabEnabled(tab) ? QString() : QStringLiteral(" (disabled)"));
        parts << quoted(titles.join(u'|')) << QStringLiteral("current %1").arg(tabs->currentIndex());
    }
    if (!widget->toolTip().isEmpty())
        parts << QStringLiteral("tip") << quoted(widget->toolTip());
    if (!widget->isWindow() && !widget->isEnabledTo(widget->parentWidget()))
        parts << QStringLiteral("disabled");
    if (!widget->isWindow() && !widget->isVisibleTo(widget->parentWidget()))
        parts << QStringLiteral("hidden");
    return parts;
}

void appendWidget(QStringList& lines, const QWidget* widget, int depth);

void appendChildren(QStringList& lines, const QObject* parent, int depth)
{
    for (const QObject* object : parent->children()) {
        const auto* child = qobject_cast<const QWidget*>(object);
        if (!child || qobject_cast<const QTabBar*>(child))
            continue; // a tab bar's tabs are shown with the tab widget
        if (isQtHelper(child))
            appendChildren(lines, child, depth);
        else
            appendWidget(lines, child, depth);
    }
}

void appendWidget(QStringList& lines, const QWidget* widget, int depth)
{
    QStringList head{QString::fromLatin1(widget->metaObject()->className())};
    if (!widget->objectName().isEmpty())
        head << widget->objectName();
    lines << indent(depth) + (head + describe(widget)).join(u' ');
    // A toolbar shows its buttons' tool tips; the menus of a menu bar are shown under it.
    const bool toolBar = qobject_cast<const QToolBar*>(widget);
    appendActions(lines, widget->actions(), depth + 1, toolBar);
    if (toolBar || qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QMenu*>(widget))
        return;
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
        appendItemView(lines, view, depth + 1);
    else if (const auto* area = qobject_cast<const QAbstractScrollArea*>(widget))
        appendChildren(lines, area->viewport(), depth + 1);
    else
        appendChildren(lines, widget, depth + 1);
}

} // namespace

QString dumpWidgetTree(const QWidget* root)
{
    QStringList lines;
    appendWidget(lines, root, 0);
    QStringList order;
    for (const QWidget* widget = root->nextInFocusChain(); widget && widget != root;
         widget = widget->nextInFocusChain())
        if (root->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && !isQtHelper(widget) &&
            !widget->objectName().isEmpty() && !qobject_cast<const QTabBar*>(widget->parentWidget()))
            order << widget->objectName();
    lines << QString(QStringLiteral("tab order: ") + order.join(QStringLiteral(", "))).trimmed();
    return lines.join(u'\n') + u'\n';
}

} // namespace dovra::test
