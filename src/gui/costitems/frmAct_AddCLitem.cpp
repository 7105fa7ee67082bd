#include "costitems/frmAct_AddCLitem.h"

#include "ui_frmAct_AddCLitem.h"

namespace dovra {

frmAct_AddCLitem::frmAct_AddCLitem(const QString& priceLevelNote, std::vector<ChecklistTreeNode> tree,
                                   QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAct_AddCLitem>()), m_tree(std::move(tree))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_ui->lblToelichtingPrijspeil->setText(priceLevelNote);
    showFiltered();
    connect(m_ui->txtFilter, &QLineEdit::textChanged, this, &frmAct_AddCLitem::showFiltered);
    connect(m_ui->tvw1, &ChecklistTreeWidget::itemChosen, this, &frmAct_AddCLitem::itemChosen);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

frmAct_AddCLitem::~frmAct_AddCLitem() = default;

void frmAct_AddCLitem::showFiltered()
{
    m_ui->tvw1->showTree(filterChecklistTree(m_tree, m_ui->txtFilter->text()));
}

void frmAct_AddCLitem::formAct_eCLPostSelected(long itemId)
{
    if (itemId == 0) {
        m_ui->tvw1->setCurrentItem(nullptr);
        return;
    }
    if (QTreeWidgetItem* item = m_ui->tvw1->itemOfKey(QStringLiteral("act") + QString::number(itemId))) {
        m_ui->tvw1->setCurrentItem(item);
        m_ui->tvw1->scrollToItem(item);
    }
}

void frmAct_AddCLitem::formAct_eCLVoorzSelected(const QString& text, const QString& parentText)
{
    for (int i = 0; i < m_ui->tvw1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = m_ui->tvw1->topLevelItem(i);
        if (category->text(0) != parentText)
            continue;
        QTreeWidgetItem* match = category;
        for (int j = 0; j < category->childCount(); ++j) {
            if (category->child(j)->text(0) == text)
                match = category->child(j);
        }
        m_ui->tvw1->setCurrentItem(match);
        m_ui->tvw1->scrollToItem(match);
        return;
    }
}

void frmAct_AddCLitem::formAct_eCLPostDeleted(std::vector<ChecklistTreeNode> tree)
{
    m_tree = std::move(tree);
    showFiltered();
}

void frmAct_AddCLitem::markUsed(const QString& key)
{
    // The filter shows copies of the nodes: the kept tree learns it too.
    const auto mark = [&key](const auto& self, std::vector<ChecklistTreeNode>& nodes) -> void {
        for (ChecklistTreeNode& node : nodes) {
            if (node.key == key) {
                node.tag = QStringLiteral("old");
                node.colour = ChecklistTreeColour::Used;
            }
            self(self, node.children);
        }
    };
    mark(mark, m_tree);
    ChecklistTreeWidget::markUsed(m_ui->tvw1->itemOfKey(key));
}

} // namespace dovra
