#pragma once

#include "app/screenregistration.h"
#include "checklist/checklisttree.h"
#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "costitems/editorpanel.h"
#include "costitems/provisiontree.h"
#include "facility/clsStort.h"
#include "widgets/fieldbinding.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMimeData;

namespace Ui {
class frmAct;
}

namespace dovra {

class frmAct_AddCLitem;

// The cost item editor ("Voorzieningen en kostenposten") of the open facility: the provision tree on the
// left, the selected cost item's options, amounts, markings and checklist information on the right.
// The tree's commands come from the main window's popup menu.
class frmAct : public QDialog
{
    Q_OBJECT
public:
    frmAct(QMenu* popupAct, QWidget* parent = nullptr);
    ~frmAct() override;

    // Selects the node with key, saving what was entered first (pRefreshSubscherm); false when the
    // selection stays where it was.
    bool pRefreshSubscherm(const QString& key, bool keepRecord = false);
    // A node of the checklist picker dropped on the tree.
    void dropChecklistNode(const QMimeData& data);
    // Opens the checklist picker beside the editor, or raises it.
    frmAct_AddCLitem* openPicker();
    ProvisionTree& tree() { return m_tree; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A field of the current cost item, stored as soon as it is accepted.
    BoundField boundField(const char* field);
    void bindFields();
    void connectOptions();
    void connectPopup();
    void pSetKleur();
    void showMenu(const QPoint& position);
    // What the tree's commands share: the box being edited is checked first, the tree shown again after.
    void runCommand(const std::function<bool()>& command);
    void addChecklistItem(const QString& key);
    void addOrRenameCostItem(bool adding);
    void rename();
    void deleteNode();
    void showPanel();
    PanelLayout showLayout();
    void refreshMarkings();
    void showChecklistInformation();
    void notifyPicker();
    std::vector<ChecklistTreeNode> checklistTree();
    CostItemValues shownValues() const;
    // Applies an option choice and its consequences to the record.
    void choose(const std::function<void(CostItemValues&)>& change);
    void save();
    void placeOnDots(QLineEdit* box, QAbstractButton* button);

    std::unique_ptr<Ui::frmAct> m_ui;
    ScreenRegistration m_registration;
    OpenFacilityState m_facility;
    clsVoorz m_provisions;
    clsAct m_items;
    clsCL m_checklist;
    bool m_gediffToeslag;
    ProvisionTree m_tree;
    FieldBinding* m_binding;
    QMenu* m_popup;
    QPointer<frmAct_AddCLitem> m_picker;
    QButtonGroup* m_start;
    QButtonGroup* m_end;
    QButtonGroup* m_frequency;
    QButtonGroup* m_cost;
    QButtonGroup* m_surcharge;
    // Boxes shown over the dots of an option's caption, and the option they stand on.
    QHash<QLineEdit*, QAbstractButton*> m_onDots;
};

} // namespace dovra
