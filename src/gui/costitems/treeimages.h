#pragma once

#include "base/messageservice.h"

#include <QIcon>

class QTreeWidgetItem;

namespace dovra {

// The images of the editor's and the picker's trees: rubrics 1-6, provision 7, further phase 8.
QIcon treeImage(int image);
// The origin of a cost item by its bytIsTALVO: the user's own, from the checklist, outside its criteria.
QIcon originImage(int conformity);
QIcon stopSign();

// Shows a node of either tree: its text (also as tooltip, for long names), weight, colour and image.
void showTreeNode(QTreeWidgetItem* item, const QString& text, bool bold, ColourValue colour, int image);

// The text format of a drag from the checklist picker to the editor: the dragged node's key.
inline const QString ChecklistNodeMimeType = QStringLiteral("application/x-dovra-checklist-node");

} // namespace dovra
