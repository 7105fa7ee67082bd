#pragma once

#include <QStringList>
#include <QTextStream>

#include <vector>

namespace dovra {

// Lines for a person to read in aligned columns, two spaces apart: text left-aligned, figures
// right-aligned. The first row added is the header.
class TextTable
{
public:
    enum class Align
    {
        Left,
        Right
    };

    explicit TextTable(std::vector<Align> columns);

    void addRow(const QStringList& cells);
    // Each row padded to the widest cell of each column, without trailing spaces.
    void write(QTextStream& out) const;

private:
    std::vector<Align> m_columns;
    std::vector<QStringList> m_rows;
};

} // namespace dovra
