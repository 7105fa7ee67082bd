#pragma once

#include <QString>

class QWidget;

namespace dovra::test {

// A screen's widget tree as text for a golden file: one line per widget, indented by depth, with its class,
// object name and what the user sees of it (texts, titles, items, checked, disabled, hidden, read-only),
// the menus, toolbar buttons and actions with their shortcuts, and at the end the tab order. Qt's own
// helpers (object names starting with "qt_") are left out, their children shown in their place; the insides
// of composite controls (item views, tab bars) are shown through their items.
QString dumpWidgetTree(const QWidget* root);

} // namespace dovra::test
