#include "reports/frmVergelijk.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "exchange/facilitystates.h"
#include "facility/facilitymanagement.h"
#include "reports/comparisonreport.h"
#include "reports/formats/screenreport.h"
#include "reports/frmRapScherm.h"
#include "reports/reportfiledialog.h"
#include "ui_frmVergelijk.h"

#include <QFileInfo>
#include <QHeaderView>

namespace dovra {

namespace {

const QString Title = QStringLiteral("Vergelijken met…");

QTreeWidgetItem* addLine(QTreeWidgetItem* parent, const QStringList& texts)
{
    auto* line = new QTreeWidgetItem(parent, texts);
    for (int column = 3; column < texts.size(); ++column)
        line->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    return line;
}

void addFields(QTreeWidgetItem* parent, const std::vector<FieldDifference>& fields)
{
    for (const FieldDifference& field : fields)
        addLine(parent, {QString(), QString(), field.field, report::ComparisonTexts::value(field.before),
                         report::ComparisonTexts::value(field.now)});
}

} // namespace

frmVergelijk::frmVergelijk(std::function<void(long)> openCostItem, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmVergelijk>()), m_openCostItem(std::move(openCostItem))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Title + QLatin1Char(' ') + appState().facility().name);
    if (const std::optional<QList<FacilityListEntry>> facilities = readFacilityList(appState().workspace())) {
        for (const FacilityListEntry& entry : *facilities) {
            if (entry.id != appState().facility().id)
                m_ui->cboInrichting->addItem(entry.name, entry.id);
        }
    }
    m_ui->optInrichting->setEnabled(m_ui->cboInrichting->count() > 0);
    m_ui->tblTotalen->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Eerder"), QStringLiteral("Nu"), QStringLiteral("Verschil")});
    m_ui->tblTotalen->verticalHeader()->hide();
    m_ui->tvwVerschillen->header()->setStretchLastSection(false);
    m_ui->tvwVerschillen->setHeaderLabels({QStringLiteral("Wijziging"), QStringLiteral("Voorziening"),
                                           QStringLiteral("Kostenpost / veld"), QStringLiteral("Eerder"),
                                           QStringLiteral("Nu"), QStringLiteral("Effect")});
    m_ui->lblToelichting->setText(report::comparisonNote());
    connect(m_ui->cmdBladeren, &QPushButton::clicked, this, &frmVergelijk::chooseFile);
    connect(m_ui->cmdVergelijk, &QPushButton::clicked, this, &frmVergelijk::compare);
    connect(m_ui->cmdRapporteer, &QPushButton::clicked, this, &frmVergelijk::writeReport);
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    connect(m_ui->tvwVerschillen, &QTreeWidget::itemDoubleClicked, this, &frmVergelijk::openItem);
    connect(m_ui->cboInrichting, &QComboBox::activated, this,
            [this] { m_ui->optInrichting->setChecked(true); });
}

frmVergelijk::~frmVergelijk() = default;

void frmVergelijk::chooseFile()
{
    const QString path =
        messages().openFileName({QStringLiteral("Vergelijken met..."),
                                 QStringLiteral("XML bestanden (*.xml)|*.xml|"), QString(), true, false});
    if (path.isEmpty())
        return;
    m_ui->txtBestand->setText(path);
    m_ui->optBestand->setChecked(true);
}

void frmVergelijk::compare()
{
    Workspace& workspace = appState().workspace();
    const long facilityId = appState().facility().id;
    BusyPointer busy;
    std::optional<FacilityState> earlier;
    if (m_ui->optBestand->isChecked()) {
        const QString path = m_ui->txtBestand->text().trimmed();
        if (path.isEmpty()) {
            messages().inform(QStringLiteral("Kies eerst een uitwisselingsbestand."), Title,
                              MessageIcon::Exclamation);
            return;
        }
        ExportedState read = readExportedState(workspace, facilityId, path);
        if (!read.state) {
            messages().inform(QStringLiteral("Het bestand '") + path +
                                  QStringLiteral("' kan niet worden vergeleken:\n") + read.error,
                              Title, MessageIcon::Critical);
            return;
        }
        earlier = std::move(read.state);
        m_earlier = QStringLiteral("het bestand ") + QFileInfo(path).fileName();
    } else {
        earlier = readFacilityState(workspace, m_ui->cboInrichting->currentData().toInt());
        m_earlier = QStringLiteral("inrichting ") + m_ui->cboInrichting->currentText();
    }
    const std::optional<FacilityState> now = readFacilityState(workspace, facilityId);
    if (!earlier || !now) {
        messages().inform(QStringLiteral("De inrichting kan niet worden gelezen."), Title,
                          MessageIcon::Critical);
        return;
    }
    m_comparison = compareFacilityStates(*earlier, *now, appState().view().vatPercentage);
    showComparison();
}

void frmVergelijk::showComparison()
{
    const QList<report::TotalLine> lines =
        report::comparisonTotals(*m_comparison, appState().view().vatPercentage);
    QTableWidget* table = m_ui->tblTotalen;
    table->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        const report::TotalLine& line = lines[row];
        const QStringList texts{line.label, line.before, line.now, line.difference};
        for (int column = 0; column < texts.size(); ++column) {
            auto* cell = new QTableWidgetItem(texts[column]);
            if (column > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, cell);
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    // All totals in sight: the list below scrolls, the totals do not.
    table->setFixedHeight(table->horizontalHeader()->height() + table->verticalHeader()->length() +
                          2 * table->frameWidth());
    const QStringList notes = report::levyNotes(*m_comparison);
    m_ui->lblHeffing->setText(notes.join(u'\n'));
    m_ui->lblHeffing->setVisible(!notes.isEmpty());

    QTreeWidget* tree = m_ui->tvwVerschillen;
    tree->clear();
    QTreeWidgetItem* root = tree->invisibleRootItem();
    for (const ItemDifference& item : m_comparison->items) {
        QTreeWidgetItem* line = addLine(root, {report::ComparisonTexts::kind(item.kind), item.provision,
                                               item.act, report::ComparisonTexts::amount(item.before),
                                               report::ComparisonTexts::amount(item.now),
                                               report::ComparisonTexts::cents(item.effect)});
        // Only a cost item of the present state can be opened in the editor.
        if (item.kind != ItemDifference::Kind::Removed)
            line->setData(0, Qt::UserRole, qlonglong(item.id));
        addFields(line, item.fields);
    }
    if (!m_comparison->facility.empty())
        addFields(
            addLine(root, {QStringLiteral("gewijzigd"), QString(), QStringLiteral("Gegevens inrichting")}),
            m_comparison->facility);
    for (const QString& name : m_comparison->provisionsAdded)
        addLine(root, {QStringLiteral("toegevoegd"), name, QStringLiteral("(voorziening)")});
    for (const QString& name : m_comparison->provisionsRemoved)
        addLine(root, {QStringLiteral("verwijderd"), name, QStringLiteral("(voorziening)")});
    for (const auto& [old, name] : m_comparison->provisionsRenamed)
        addLine(root,
                {QStringLiteral("hernoemd"), name, QStringLiteral("(voorziening, eerder: ") + old + u')'});
    if (m_comparison->nothingDiffers())
        addLine(root, {QStringLiteral("Geen verschillen.")});
    tree->expandAll();
    for (int column = 0; column < tree->columnCount(); ++column)
        tree->resizeColumnToContents(column);
    tree->header()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_ui->cmdRapporteer->setEnabled(true);
}

void frmVergelijk::openItem(QTreeWidgetItem* item)
{
    const QVariant id = item->data(0, Qt::UserRole);
    if (id.isValid())
        m_openCostItem(long(id.toLongLong()));
}

void frmVergelijk::writeReport()
{
    if (!m_comparison)
        return;
    const QString facility = appState().facility().name;
    const float vat = appState().view().vatPercentage;
    if (m_ui->optRapNaar3->isChecked()) {
        report::ScreenReport screen;
        report::writeComparison(screen, *m_comparison, facility, m_earlier, vat);
        (new frmRapScherm(parentWidget()))->show(screen);
        return;
    }
    const report::DocumentFormat format =
        m_ui->optRapNaar2->isChecked() ? report::DocumentFormat::Pdf : report::DocumentFormat::Word;
    const QString path = reportfile::choose(QStringLiteral("Vergelijking"), format);
    if (path.isEmpty())
        return;
    BusyPointer busy;
    if (report::writeComparisonDocument(*m_comparison, facility, m_earlier, vat, path, format,
                                        reportfile::currentReportContext()))
        reportfile::offerToOpen(path, QStringLiteral("Vergelijking met een eerdere toestand"));
}

} // namespace dovra
