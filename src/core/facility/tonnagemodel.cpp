#include "facility/tonnagemodel.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "facility/clsTonnage.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <optional>

namespace dovra {

namespace {
constexpr qint64 FirstYear = 1900;
constexpr qint64 LastYear = 3000;
constexpr qint64 MostKilotonnes = std::numeric_limits<qint32>::max(); // lngTonnage is a Long

// A whole number as the user typed it; thousands grouping with '.' only where allowed.
// Digits beyond the 64-bit range give the largest value of their sign, which the range check refuses.
std::optional<qint64> wholeNumber(const QString& text, bool allowGrouping)
{
    static const QRegularExpression plain(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression grouped(QStringLiteral("^[+-]?[0-9]{1,3}(\\.[0-9]{3})+$"));
    if (!plain.match(text).hasMatch() && !(allowGrouping && grouped.match(text).hasMatch()))
        return std::nullopt;
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (ok)
        return value;
    return digits.startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min()
                                               : std::numeric_limits<qint64>::max();
}

std::optional<qint64> stored(const clsTonnage::Row& row, int column)
{
    return column == TonnageModel::YearColumn ? row.year : row.kilotonnes;
}
} // namespace

TonnageModel::TonnageModel(clsTonnage& forecast, QObject* parent)
    : QAbstractTableModel(parent), m_forecast(forecast)
{
    for (int row = 0; row < forecast.AantalRecords(); ++row)
        m_lines.append(forecast.row(row));
    m_lines.append(std::nullopt);
}

int TonnageModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int TonnageModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TonnageModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == YearColumn ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    // Text also for empty cells, so the editor is always a line edit that passes on what was typed.
    const std::optional<clsTonnage::Row> line = m_lines.value(index.row());
    if (!line)
        return QString();
    const std::optional<qint64> value =
        index.column() == FacilityColumn ? line->facility : stored(*line, index.column());
    if (!value)
        return QString();
    if (index.column() == KilotonnesColumn && role == Qt::DisplayRole)
        return formats::number(double(*value), QStringLiteral("#,##0"));
    return QString::number(*value);
}

QVariant TonnageModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case YearColumn:
        return QStringLiteral("Kalenderjaar");
    case KilotonnesColumn:
        return QStringLiteral("Aantal kiloton");
    case FacilityColumn:
        return QStringLiteral("lngStort_REF");
    default:
        return {};
    }
}

Qt::ItemFlags TonnageModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.column() != FacilityColumn)
        result |= Qt::ItemIsEditable;
    return result;
}

bool TonnageModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() == FacilityColumn ||
        index.row() >= m_lines.size())
        return false;
    const int row = index.row();
    const int column = index.column();
    const bool newRow = isNewRow(row);
    const std::optional<qint64> current = newRow ? std::nullopt : stored(*m_lines[row], column);
    const QString text = value.toString().trimmed();

    if (text.isEmpty()) {
        // Leaving an empty cell empty is no edit; otherwise tabbing through the new line would nag.
        if (!current)
            return true;
        messages().inform(QStringLiteral("Invoer is niet volledig"), QStringLiteral("Onvolledige invoer"),
                          MessageIcon::Exclamation);
        return false;
    }
    const std::optional<qint64> number = wholeNumber(text, column == KilotonnesColumn);
    if (!number) {
        messages().inform(QStringLiteral("Ongeldige invoer"), QStringLiteral("Invoer prognose afvalaanbod"),
                          MessageIcon::Exclamation);
        return false;
    }
    if (column == YearColumn && (*number < FirstYear || *number > LastYear)) {
        messages().inform(QStringLiteral("Jaartal ") + text + QStringLiteral(" wordt niet geaccepteerd."),
                          applicationTitle(), MessageIcon::Information);
        return false;
    }
    if (column == KilotonnesColumn && (*number < 0 || *number > MostKilotonnes)) {
        messages().inform(text + QStringLiteral(" wordt niet geaccepteerd."), applicationTitle(),
                          MessageIcon::Information);
        return false;
    }
    if (current == number)
        return true;
    if (column == YearColumn && std::any_of(m_lines.cbegin(), m_lines.cend(),
                                            [&](const auto& line) { return line && line->year == number; })) {
        // The levy would count the year twice.
        messages().inform(QStringLiteral("Het jaartal ") + QString::number(*number) +
                              QStringLiteral(" staat al in de prognose. Voer elk jaartal één keer in."),
                          QStringLiteral("Invoer prognose afvalaanbod"), MessageIcon::Exclamation);
        return false;
    }

    if (newRow) {
        const bool added = column == YearColumn ? m_forecast.addRow(number, std::nullopt)
                                                : m_forecast.addRow(std::nullopt, number);
        if (!added)
            return false;
        // A fresh empty line appears below, then the typed line becomes the record, so the cell
        // being edited stays where it is.
        beginInsertRows({}, row + 1, row + 1);
        m_lines.append(std::nullopt);
        endInsertRows();
    } else {
        const bool written =
            column == YearColumn ? m_forecast.setYear(row, *number) : m_forecast.setKilotonnes(row, *number);
        if (!written)
            return false;
    }
    m_lines[row] = m_forecast.row(row);
    emit dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
    emit forecastEdited();
    return true;
}

bool TonnageModel::removeRows(int row, int count, const QModelIndex& parent)
{
    // The empty line is no record and cannot be removed.
    if (parent.isValid() || row < 0 || count < 1 || row + count >= m_lines.size())
        return false;
    int removed = 0;
    // One row at a time, each written to the file before the view hears of it.
    while (removed < count && m_forecast.removeRow(row)) {
        beginRemoveRows({}, row, row);
        m_lines.removeAt(row);
        endRemoveRows();
        ++removed;
    }
    if (removed > 0)
        emit forecastEdited();
    return removed == count;
}

} // namespace dovra
