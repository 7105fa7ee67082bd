#include "facility/frmOpenInr.h"

#include "app/appstate.h"
#include "base/unexpectederror.h"
#include "facility/facilitymanagement.h"
#include "facility/frmImExportXML.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInrConfirm.h"
#include "ui_frmOpenInr.h"

#include <QHeaderView>
#include <QPushButton>

namespace dovra {

namespace {

enum Column
{
    NameColumn,
    RivmColumn,
    TypeColumn,
    ProvinceColumn,
    ChecklistColumn
};

// Sorts like the name order of the data file: without regard to letter case.
class FacilityItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return QString::compare(text(column), other.text(column), Qt::CaseInsensitive) < 0;
    }
};

// 3000, 1000, 1200, 2000 and 1000 twips; a column widens when its texts need more room.
constexpr int ColumnWidths[] = {200, 67, 80, 133, 67};

int facilityId(const QTreeWidgetItem* item)
{
    return item->data(NameColumn, Qt::UserRole).toInt();
}

} // namespace

frmOpenInr::frmOpenInr(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmOpenInr>()), m_registration(std::in_place)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);

    for (int column = 0; column < int(std::size(ColumnWidths)); ++column)
        m_ui->lvwInrichtingen->setColumnWidth(column, ColumnWidths[column]);
    QHeaderView* header = m_ui->lvwInrichtingen->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    connect(header, &QHeaderView::sectionClicked, this, &frmOpenInr::sortByColumn);

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmOpenInr::openSelected);
    connect(m_ui->lvwInrichtingen, &QTreeWidget::itemDoubleClicked, this, &frmOpenInr::openSelected);
    connect(m_ui->cmdAnnuleren, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->cmdNieuw, &QPushButton::clicked, this, &frmOpenInr::newFacility);
    connect(m_ui->cmdVerwijderen, &QPushButton::clicked, this, &frmOpenInr::deleteSelected);
    connect(m_ui->cmdImporteer, &QPushButton::clicked, this, [this] {
        if (frmImExportXML(QStringLiteral("import")).run())
            pFillList();
    });
    m_ui->cmdVerwijderen->setEnabled(false);
}

frmOpenInr::~frmOpenInr() = default;

void frmOpenInr::setOpenGeneralData(std::function<void()> openGeneralData)
{
    m_openGeneralData = std::move(openGeneralData);
}

void frmOpenInr::pFillList()
{
    QTreeWidget* list = m_ui->lvwInrichtingen;
    list->clear();
    const std::optional<QList<FacilityListEntry>> entries = readFacilityList(appState().workspace());
    if (!entries) {
        ReportUnexpectedError(
            ErrorInfo{0, QStringLiteral("Fout bij het lezen van de inrichtingen"), std::nullopt},
            QStringLiteral("frmOpenInr.pFillList"));
    } else {
        for (const FacilityListEntry& entry : *entries) {
            auto* item = new FacilityItem(list, QStringList{entry.name, entry.rivmNumber, entry.typeName,
                                                            entry.province, entry.checklistYear});
            item->setData(NameColumn, Qt::UserRole, entry.id);
        }
    }
    // A sort the user chose stays in force.
    if (m_sortColumn >= 0)
        list->sortItems(m_sortColumn, m_sortOrder);
    for (int column = 0; column < int(std::size(ColumnWidths)); ++column) {
        list->resizeColumnToContents(column);
        list->setColumnWidth(column, std::max(ColumnWidths[column], list->columnWidth(column)));
    }
    m_ui->cmdVerwijderen->setEnabled(list->topLevelItemCount() > 0);
    selectCurrentFacility();
}

void frmOpenInr::selectCurrentFacility()
{
    QTreeWidget* list = m_ui->lvwInrichtingen;
    QList<int> listed;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        listed.append(facilityId(list->topLevelItem(row)));
    const qsizetype row = facilityToSelect(listed, appState().settings().currentFacilityId());
    if (row < 0)
        return;
    QTreeWidgetItem* selected = list->topLevelItem(int(row));
    list->setCurrentItem(selected);
    list->scrollToItem(selected);
}

void frmOpenInr::sortByColumn(int column)
{
    if (column == m_sortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    m_ui->lvwInrichtingen->sortItems(m_sortColumn, m_sortOrder);
    m_ui->lvwInrichtingen->header()->setSortIndicatorShown(true);
    m_ui->lvwInrichtingen->header()->setSortIndicator(m_sortColumn, m_sortOrder);
    if (QTreeWidgetItem* item = m_ui->lvwInrichtingen->currentItem())
        m_ui->lvwInrichtingen->scrollToItem(item);
}

void frmOpenInr::openSelected()
{
    QTreeWidgetItem* item = m_ui->lvwInrichtingen->currentItem();
    if (!item) {
        reject();
        return;
    }
    if (!appState().openFacility(facilityId(item))) {
        // Gone since the list was read: show what the file holds now.
        pFillList();
        return;
    }
    QWidget* owner = parentWidget();
    accept();
    showOpenedNotice(appState().facility().name, owner);
}

void frmOpenInr::newFacility()
{
    QWidget* owner = parentWidget();
    const std::function<void()> openGeneralData = m_openGeneralData;
    reject();
    openNewFacilityDialog(owner, openGeneralData);
}

void frmOpenInr::deleteSelected()
{
    QTreeWidgetItem* item = m_ui->lvwInrichtingen->currentItem();
    if (!item)
        return;
    if (appState().deleteFacility(facilityId(item), item->text(NameColumn)))
        pFillList();
}

void frmOpenInr::done(int result)
{
    m_registration.reset();
    QDialog::done(result);
}

frmOpenInr* openFacilityList(QWidget* parent, std::function<void()> openGeneralData)
{
    auto* dialog = new frmOpenInr(parent);
    dialog->setOpenGeneralData(std::move(openGeneralData));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->pFillList();
    dialog->show();
    return dialog;
}

} // namespace dovra
