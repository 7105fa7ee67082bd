#pragma once

#include "facility/clsTonnage.h"

#include <QAbstractTableModel>
#include <QList>

#include <optional>

namespace dovra {

// The forecast grid: one line per forecast row plus an empty line at the bottom where typing a
// value adds a row. Every value is checked before it is accepted and then written to the file.
class TonnageModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        YearColumn,
        KilotonnesColumn,
        FacilityColumn, // lngStort_REF, read-only; the screen hides it
        ColumnCount
    };

    // forecast must outlive the model, and while the model lives it alone edits the forecast.
    explicit TonnageModel(clsTonnage& forecast, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Takes the user's text. An empty value, a value that is no whole number and a value out of
    // range are refused with a message and write nothing. In the kilotonnes column thousands may
    // be grouped with the Dutch '.' ("1.200"); years are typed without grouping.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Deletes forecast rows from the file; the empty bottom line cannot be removed.
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

    bool isNewRow(int row) const { return row >= 0 && row < m_lines.size() && !m_lines[row]; }

signals:
    // A row was added, changed or deleted, so totals shown elsewhere are out of date.
    void forecastEdited();

private:
    clsTonnage& m_forecast;
    // What the view has been told: the forecast rows and the empty line (no row) at the bottom.
    // The file is written before the view hears of a change, so the view reads from this copy,
    // which changes only between the begin and end of each announcement.
    QList<std::optional<clsTonnage::Row>> m_lines;
};

} // namespace dovra
