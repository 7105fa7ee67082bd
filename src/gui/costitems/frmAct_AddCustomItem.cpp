#include "costitems/frmAct_AddCustomItem.h"

#include "costitems/provisiontree.h"
#include "costitems/treeimages.h"
#include "model/options.h"
#include "ui_frmAct_AddCustomItem.h"

namespace dovra {

namespace {
// "Overig" is offered only to an item that has it already, so that renaming it keeps its rubric.
constexpr int OfferedRubrics = 5;
constexpr int OtherRubric = 6;
} // namespace

frmAct_AddCustomItem::frmAct_AddCustomItem(ProvisionTree& tree, Status status, const QString& priceLevelNote,
                                           const QString& TekstWas, int RubriekWas, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAct_AddCustomItem>()), m_tree(tree), m_status(status)
{
    m_ui->setupUi(this);
    const int offered = status == Rename && RubriekWas == OtherRubric ? OtherRubric : OfferedRubrics;
    for (int rubric = 1; rubric <= offered; ++rubric) {
        auto* item = new QListWidgetItem(treeImage(rubric), RubriekNaam(rubric), m_ui->ListView1);
        item->setData(Qt::UserRole, QStringLiteral("rub%1").arg(rubric));
    }
    if (status == Add) {
        setWindowTitle(QStringLiteral("Kostenpost toevoegen"));
        m_ui->lblToelichtingPrijspeil->setText(priceLevelNote);
        m_ui->ListView1->setCurrentRow(0);
    } else {
        setWindowTitle(QStringLiteral("Naam/rubriek wijzigen"));
        // A first phase shows as "name {1e fase}".
        m_ui->txtNaam->setText(
            TekstWas.endsWith(QLatin1Char('}')) ? TekstWas.section(QStringLiteral(" {"), 0, 0) : TekstWas);
        m_ui->ListView1->setCurrentRow(qBound(1, RubriekWas, offered) - 1);
    }
    connect(m_ui->ListView1, &QListWidget::itemDoubleClicked, this, &frmAct_AddCustomItem::accept);
    connect(m_ui->cdmOK, &QPushButton::clicked, this, &frmAct_AddCustomItem::accept);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

frmAct_AddCustomItem::~frmAct_AddCustomItem() = default;

void frmAct_AddCustomItem::accept()
{
    const int rubric = m_ui->ListView1->currentRow() + 1;
    if (m_tree.acceptCustomItem(m_status == Add, m_ui->txtNaam->text(), rubric))
        QDialog::accept();
}

} // namespace dovra
