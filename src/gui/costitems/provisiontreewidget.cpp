#include "costitems/provisiontreewidget.h"

#include "costitems/treeimages.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>

namespace dovra {

ProvisionTreeWidget::ProvisionTreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!m_showing && current)
            emit nodeChosen(keyOf(current));
    });
}

QString ProvisionTreeWidget::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void ProvisionTreeWidget::addItems(QTreeWidgetItem* item, const ProvisionTree::Node& node)
{
    item->setData(0, Qt::UserRole, node.key);
    m_items.insert(node.key, item);
    showNode(node);
    for (const auto& child : node.children)
        addItems(new QTreeWidgetItem(item), *child);
    item->setExpanded(node.expanded);
}

void ProvisionTreeWidget::showTree(const ProvisionTree& tree)
{
    m_showing = true;
    const int scroll = verticalScrollBar()->value();
    clear();
    m_items.clear();
    for (const auto& root : tree.roots())
        addItems(new QTreeWidgetItem(this), *root);
    verticalScrollBar()->setValue(scroll);
    showSelected(tree);
    m_showing = false;
}

void ProvisionTreeWidget::showNode(const ProvisionTree::Node& node)
{
    QTreeWidgetItem* item = m_items.value(node.key);
    if (!item)
        return;
    showTreeNode(item, node.text, node.bold, node.colour, node.image);
}

void ProvisionTreeWidget::showSelected(const ProvisionTree& tree)
{
    const bool showing = m_showing;
    m_showing = true;
    if (const ProvisionTree::Node* selected = tree.selected()) {
        if (QTreeWidgetItem* item = m_items.value(selected->key)) {
            setCurrentItem(item);
            scrollToItem(item);
        }
    }
    m_showing = showing;
}

void ProvisionTreeWidget::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QTreeWidgetItem* item = currentItem())
            emit menuRequested(viewport()->mapToGlobal(visualItemRect(item).center()));
        return;
    case Qt::Key_Delete:
        emit deleteRequested();
        return;
    case Qt::Key_F2:
        emit renameRequested();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

void ProvisionTreeWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // The node under the pointer is the one the menu is about.
    if (QTreeWidgetItem* item = itemAt(viewport()->mapFromGlobal(event->globalPos())))
        setCurrentItem(item);
    emit menuRequested(event->globalPos());
}

QStringList ProvisionTreeWidget::mimeTypes() const
{
    return {ChecklistNodeMimeType};
}

void ProvisionTreeWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(ChecklistNodeMimeType)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void ProvisionTreeWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(ChecklistNodeMimeType)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void ProvisionTreeWidget::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasFormat(ChecklistNodeMimeType))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit checklistNodeDropped(event->mimeData());
}

} // namespace dovra
