#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAct_AddCustomItem;
}

namespace dovra {

class ProvisionTree;

// Names a user-defined cost item and picks its rubric: a new one for the selected provision, or a new
// name or rubric for the selected item (with all its phases).
class frmAct_AddCustomItem : public QDialog
{
    Q_OBJECT
public:
    enum Status
    {
        Rename = 0,
        Add = 1
    };
    // TekstWas and RubriekWas: the selected item's node text and rubric when renaming.
    frmAct_AddCustomItem(ProvisionTree& tree, Status status, const QString& priceLevelNote,
                         const QString& TekstWas = {}, int RubriekWas = 1, QWidget* parent = nullptr);
    ~frmAct_AddCustomItem() override;

    void accept() override;

private:
    std::unique_ptr<Ui::frmAct_AddCustomItem> m_ui;
    ProvisionTree& m_tree;
    Status m_status;
};

} // namespace dovra
