#include "reports/overviewmodel.h"

#include "base/formats.h"
#include "storage/lookups.h"

#include <limits>

namespace dovra {

namespace {

const char* const Headers[OverviewModel::ColumnCount] = {
    "Inrichting",      "Type",           "Provincie",         "Doelvermogen",
    "Heffing per ton", "Kostenposten",   "Onvolledig",        "Voldoet",
    "Wijkt af",        "Eigen posten",   "Checklistversie",   "Nieuwere checklist",
    "Prijspeil",       "Aanvang nazorg", "Laatste wijziging", "Melding"};

const QString DatePattern = QStringLiteral("dd-mm-yyyy");

// Missing figures sort before every figure.
constexpr double Missing = -std::numeric_limits<double>::max();

template <typename T> double orMissing(const std::optional<T>& value)
{
    return value ? double(*value) : Missing;
}

} // namespace

void OverviewModel::setRows(std::vector<OverviewRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int OverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int OverviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(Headers[section]);
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const OverviewRow& shown = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(shown, index.column());
    case SortRole:
        return sortValue(shown, index.column());
    case Qt::ToolTipRole:
        return index.column() == Message ? QVariant(shown.message) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() >= TargetCapital && index.column() <= UserDefined
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    default:
        return {};
    }
}

QString OverviewModel::text(const OverviewRow& row, int column) const
{
    switch (column) {
    case Name:
        return row.name;
    case Type:
        return facilityTypeName(row.type);
    case Province:
        return provinceName(row.province);
    case Checklist:
        return QString::number(row.checklistVersion);
    case NewerChecklist:
        return row.newerChecklist ? QStringLiteral("ja") : QStringLiteral("nee");
    case PriceLevel:
        return row.priceLevelYear ? QString::number(*row.priceLevelYear) : QString();
    case AftercareStart:
        return row.aftercareStart ? formats::date(*row.aftercareStart, DatePattern) : QString();
    case CostItems:
        return QString::number(row.costItems);
    case Incomplete:
        return QString::number(row.incomplete);
    case Conforming:
        return QString::number(row.conforming);
    case Deviating:
        return QString::number(row.deviating);
    case UserDefined:
        return QString::number(row.userDefined);
    case TargetCapital:
        return row.targetCapital ? formats::number(*row.targetCapital, QStringLiteral("€ #,##0"))
                                 : QStringLiteral("-");
    case Levy:
        return row.levyPerTon ? formats::number(*row.levyPerTon, QStringLiteral("€ #,##0.00"))
                              : QStringLiteral("-");
    case LastChange:
        return row.lastChange ? formats::dateTime(*row.lastChange, DatePattern) : QString();
    case Message:
        return row.message;
    default:
        return {};
    }
}

QVariant OverviewModel::sortValue(const OverviewRow& row, int column) const
{
    switch (column) {
    case Checklist:
        return row.checklistVersion;
    case NewerChecklist:
        return row.newerChecklist;
    case PriceLevel:
        return orMissing(row.priceLevelYear);
    case AftercareStart:
        return row.aftercareStart.value_or(QDate());
    case CostItems:
        return row.costItems;
    case Incomplete:
        return row.incomplete;
    case Conforming:
        return row.conforming;
    case Deviating:
        return row.deviating;
    case UserDefined:
        return row.userDefined;
    case TargetCapital:
        return orMissing(row.targetCapital);
    case Levy:
        return orMissing(row.levyPerTon);
    case LastChange:
        return row.lastChange.value_or(QDateTime());
    default:
        return text(row, column).toLower();
    }
}

OverviewFilterModel::OverviewFilterModel(OverviewModel* rows, QObject* parent)
    : QSortFilterProxyModel(parent), m_rows(rows)
{
    setSourceModel(rows);
    setSortRole(OverviewModel::SortRole);
}

void OverviewFilterModel::setFilter(const OverviewFilter& filter)
{
    m_filter = filter;
    invalidateFilter();
}

std::vector<OverviewRow> OverviewFilterModel::shownRows() const
{
    std::vector<OverviewRow> rows;
    for (int k = 0; k < rowCount(); ++k)
        rows.push_back(m_rows->row(mapToSource(index(k, 0)).row()));
    return rows;
}

bool OverviewFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const OverviewRow& row = m_rows->row(sourceRow);
    return m_filter.passes(row.province, row.type);
}

} // namespace dovra
