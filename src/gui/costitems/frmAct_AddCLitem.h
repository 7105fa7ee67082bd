#pragma once

#include "app/screenregistration.h"
#include "checklist/checklisttree.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmAct_AddCLitem;
}

namespace dovra {

// The picker of checklist items beside the cost item editor: the facility's checklist version as a tree,
// filtered by the words typed above it. Items are dragged onto the editor's tree or chosen with Enter.
class frmAct_AddCLitem : public QDialog
{
    Q_OBJECT
public:
    // priceLevelNote: the price level the checklist's amounts are in; tree: the facility's checklist items.
    frmAct_AddCLitem(const QString& priceLevelNote, std::vector<ChecklistTreeNode> tree,
                     QWidget* parent = nullptr);
    ~frmAct_AddCLitem() override;

    // The editor selected a cost item (its checklist item id, 0 for none).
    void formAct_eCLPostSelected(long itemId);
    // The editor selected a provision or category node.
    void formAct_eCLVoorzSelected(const QString& text, const QString& parentText);
    // A cost item was deleted in the editor: its checklist item is available again.
    void formAct_eCLPostDeleted(std::vector<ChecklistTreeNode> tree);
    // An item was added to the facility.
    void markUsed(const QString& key);

signals:
    void itemChosen(const QString& key);

private:
    void showFiltered();

    std::unique_ptr<Ui::frmAct_AddCLitem> m_ui;
    std::vector<ChecklistTreeNode> m_tree;
};

} // namespace dovra
