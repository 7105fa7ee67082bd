#include "costitems/checklisttreewidget.h"

#include "costitems/treeimages.h"
#include "widgets/colours.h"

#include <QKeyEvent>
#include <QMimeData>

namespace dovra {

namespace {
constexpr int TagRole = Qt::UserRole + 1;
}

ChecklistTreeWidget::ChecklistTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    // A dragged item is copied into the editor; a move would take it out of this tree.
    setDefaultDropAction(Qt::CopyAction);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (isAvailable(item))
            emit itemChosen(keyOf(item));
    });
}

QString ChecklistTreeWidget::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

bool ChecklistTreeWidget::isAvailable(const QTreeWidgetItem* item)
{
    return item && item->data(0, TagRole).toString() == QLatin1String("new");
}

void ChecklistTreeWidget::addNodes(QTreeWidgetItem* parent, const std::vector<ChecklistTreeNode>& nodes)
{
    for (const ChecklistTreeNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        showTreeNode(item, node.text, node.bold, node.colour, node.image);
        item->setData(0, Qt::UserRole, node.key);
        item->setData(0, TagRole, node.tag);
        // Only items not in use can be dragged.
        item->setFlags(node.isAvailable() ? item->flags() | Qt::ItemIsDragEnabled
                                          : item->flags() & ~Qt::ItemIsDragEnabled);
        addNodes(item, node.children);
        item->setExpanded(true);
    }
}

void ChecklistTreeWidget::showTree(const std::vector<ChecklistTreeNode>& tree)
{
    clear();
    addNodes(nullptr, tree);
}

QTreeWidgetItem* ChecklistTreeWidget::itemOfKey(const QString& key) const
{
    for (QTreeWidgetItemIterator it(const_cast<ChecklistTreeWidget*>(this)); *it; ++it) {
        if (keyOf(*it) == key)
            return *it;
    }
    return nullptr;
}

void ChecklistTreeWidget::markUsed(QTreeWidgetItem* item)
{
    if (!item)
        return;
    item->setData(0, TagRole, QStringLiteral("old"));
    item->setForeground(0, toQColor(ChecklistTreeColour::Used));
    item->setFlags(item->flags() & ~Qt::ItemIsDragEnabled);
}

void ChecklistTreeWidget::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isAvailable(currentItem())) {
        emit itemChosen(keyOf(currentItem()));
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

QStringList ChecklistTreeWidget::mimeTypes() const
{
    return {ChecklistNodeMimeType};
}

QMimeData* ChecklistTreeWidget::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(ChecklistNodeMimeType, keyOf(items.first()).toUtf8());
    return data;
}

} // namespace dovra
