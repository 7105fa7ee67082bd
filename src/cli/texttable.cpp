#include "texttable.h"

#include <algorithm>

namespace dovra {

TextTable::TextTable(std::vector<Align> columns) : m_columns(std::move(columns)) {}

void TextTable::addRow(const QStringList& cells)
{
    m_rows.push_back(cells);
}

void TextTable::write(QTextStream& out) const
{
    std::vector<qsizetype> widths(m_columns.size(), 0);
    for (const QStringList& row : m_rows) {
        for (std::size_t column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], row.value(qsizetype(column)).size());
    }
    for (const QStringList& row : m_rows) {
        QString line;
        for (std::size_t column = 0; column < widths.size(); ++column) {
            const QString cell = row.value(qsizetype(column));
            if (column > 0)
                line += QStringLiteral("  ");
            line += m_columns[column] == Align::Left ? cell.leftJustified(widths[column])
                                                     : cell.rightJustified(widths[column]);
        }
        while (line.endsWith(u' '))
            line.chop(1);
        out << line << '\n';
    }
}

} // namespace dovra
