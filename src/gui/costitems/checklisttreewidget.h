#pragma once

#include "checklist/checklisttree.h"

#include <QTreeWidget>

namespace dovra {

// The checklist picker's tree. Only items the facility does not use yet can be dragged; Enter or a
// double click on one asks for it to be added.
class ChecklistTreeWidget : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ChecklistTreeWidget(QWidget* parent = nullptr);

    void showTree(const std::vector<ChecklistTreeNode>& tree);
    QTreeWidgetItem* itemOfKey(const QString& key) const;
    // Greys an item out once the facility uses it.
    static void markUsed(QTreeWidgetItem* item);
    static QString keyOf(const QTreeWidgetItem* item);
    static bool isAvailable(const QTreeWidgetItem* item);

signals:
    void itemChosen(const QString& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;

private:
    void addNodes(QTreeWidgetItem* parent, const std::vector<ChecklistTreeNode>& nodes);
};

} // namespace dovra
