#pragma once

#include "overview/facilityoverview.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <vector>

namespace dovra {

// The overview's rows as a table: each cell's text as a person reads it, and under SortRole the value the
// column sorts on (amounts as numbers, dates as dates).
class OverviewModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Name,
        Type,
        Province,
        TargetCapital,
        Levy,
        CostItems,
        Incomplete,
        Conforming,
        Deviating,
        UserDefined,
        Checklist,
        NewerChecklist,
        PriceLevel,
        AftercareStart,
        LastChange,
        Message,
        ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<OverviewRow> rows);
    const OverviewRow& row(int index) const { return m_rows.at(std::size_t(index)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(const OverviewRow& row, int column) const;
    QVariant sortValue(const OverviewRow& row, int column) const;

    std::vector<OverviewRow> m_rows;
};

// The rows of one province and type, in the order the view sorts them.
class OverviewFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit OverviewFilterModel(OverviewModel* rows, QObject* parent = nullptr);

    void setFilter(const OverviewFilter& filter);
    std::vector<OverviewRow> shownRows() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    OverviewModel* m_rows;
    OverviewFilter m_filter;
};

} // namespace dovra
