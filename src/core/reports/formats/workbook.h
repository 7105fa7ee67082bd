#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <variant>

namespace dovra::report {

// A spreadsheet workbook (.xlsx) of the program's figures: sheets of cells holding text, numbers, dates and
// formulas, each sheet a table under a frozen header row with an autofilter. The figures stay numbers; the
// spreadsheet shows them in the user's own separators.

// How a cell shows its number.
enum class NumberFormat
{
    General,
    Whole,      // 0
    Euro,       // € #,##0
    EuroCents,  // € #,##0.00
    Percentage, // 0.00%
    Factor,     // 0.000000
    Date        // dd-mm-yyyy
};

// A formula without its leading "=", in the spreadsheet's English function names and with commas between
// arguments ("SUM(B2:B9)"), with the value the program computed for it: the workbook shows that value when
// opened and recomputes it when a user changes a cell it refers to.
struct Formula
{
    QString expression;
    double value = 0;
};

struct WorkbookCell
{
    std::variant<std::monostate, QString, double, QDate, Formula> value;
    NumberFormat format = NumberFormat::General;
    bool bold = false;

    static WorkbookCell text(const QString& text, bool bold = false)
    {
        return {text, NumberFormat::General, bold};
    }
    static WorkbookCell number(double number, NumberFormat format = NumberFormat::General, bool bold = false)
    {
        return {number, format, bold};
    }
    static WorkbookCell date(const QDate& date) { return {date, NumberFormat::Date, false}; }
    static WorkbookCell formula(const QString& expression, double value, NumberFormat format,
                                bool bold = false)
    {
        return {Formula{expression, value}, format, bold};
    }
};

class Worksheet
{
public:
    explicit Worksheet(const QString& name) : m_name(name) {}

    const QString& name() const { return m_name; }

    // The sheet's first row, set before any other: bold headings, frozen above the rows that follow, with
    // an autofilter over the table they head.
    void setHeader(const QStringList& headings);
    // Appends a row (an empty list: a blank row); returns its row number, counted from 0 with the header,
    // for the formulas that refer to it.
    int appendRow(const QList<WorkbookCell>& cells);
    // The table under the header ends with the last row appended so far; what follows (totals, notes) is
    // neither filtered nor sorted with it and does not widen its columns. Without it the table runs to
    // the last row.
    void endTable();

    int rowCount() const { return int(m_rows.size()); }

    // "B7": the cell at row and column (both from 0) as a formula on the same sheet names it.
    static QString cellName(int row, int column);
    // "'Name'!B2:B9": cells (a cell name or a range) of this sheet as a formula on another sheet names them.
    QString qualified(const QString& cells) const;

private:
    friend class Workbook;

    QString m_name;
    bool m_header = false;
    int m_tableEnd = -1; // the table's last row; -1: the last row of the sheet
    QList<QList<WorkbookCell>> m_rows;
};

class Workbook
{
public:
    // A new sheet at the end; the reference stays valid while the workbook lives. The name is at most 31
    // characters, none of []:*?/\.
    Worksheet& addSheet(const QString& name);

    // Writes the whole file or nothing: an existing file stays as it was when writing fails. False with
    // the reason in Dutch in *error.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    std::deque<Worksheet> m_sheets; // stays where it is while sheets are added
};

} // namespace dovra::report
