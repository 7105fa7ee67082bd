#pragma once

#include "costitems/provisiontree.h"

#include <QHash>
#include <QTreeWidget>

namespace dovra {

// Shows the nodes of a ProvisionTree and passes on what the user does with them: the tree's commands
// are the editor's, this widget only mirrors the nodes. Enter and the right mouse button ask for the
// context menu, Delete and F2 for their commands; checklist nodes dragged from the picker are dropped here.
class ProvisionTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ProvisionTreeWidget(QWidget* parent = nullptr);

    // Shows every node of tree, keeping the scroll position; the tree's selected node becomes current.
    void showTree(const ProvisionTree& tree);
    // Shows a node's text, colour and image again.
    void showNode(const ProvisionTree::Node& node);
    void showSelected(const ProvisionTree& tree);
    static QString keyOf(const QTreeWidgetItem* item);

signals:
    // The user moved to another node.
    void nodeChosen(const QString& key);
    void menuRequested(const QPoint& globalPosition);
    void deleteRequested();
    void renameRequested();
    // A node of the checklist picker was dropped here.
    void checklistNodeDropped(const QMimeData* data);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QStringList mimeTypes() const override;

private:
    void addItems(QTreeWidgetItem* parent, const ProvisionTree::Node& node);
    bool m_showing = false;
    QHash<QString, QTreeWidgetItem*> m_items;
};

} // namespace dovra
