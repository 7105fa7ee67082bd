#include "reports/formats/workbook.h"

#include "storage/filereplace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <map>
#include <memory>

namespace dovra::report {

namespace {

// Column widths in characters of the default font: narrow columns still show their heading, long texts
// do not push the next column off the screen.
constexpr double MinimumWidth = 6;
constexpr double MaximumWidth = 100;
// Room for the autofilter's button beside a heading.
constexpr double FilterButtonWidth = 3;
// How many characters of the default font an A4 page holds between its margins, upright and turned, where
// that font is wider than the spreadsheet's own (LibreOffice without Calibri); and how far an upright page
// may make them smaller before a turned one is taken.
constexpr double PortraitPageWidth = 64;
constexpr double LandscapePageWidth = 96;
constexpr double SmallestUprightScale = 0.8;
// A column's width counts the digit '0' of the default font; letters are narrower.
constexpr double LetterWidth = 0.85;

const char* formatCode(NumberFormat format)
{
    switch (format) {
    case NumberFormat::General:
        return nullptr;
    case NumberFormat::Whole:
        return "0";
    case NumberFormat::Euro:
        return "\"\u20ac \"#,##0";
    case NumberFormat::EuroCents:
        return "\"\u20ac \"#,##0.00";
    case NumberFormat::Percentage:
        return "0.00%";
    case NumberFormat::Factor:
        return "0.000000";
    case NumberFormat::Date:
        return "dd-mm-yyyy";
    }
    return nullptr;
}

// About as many characters as the cell shows.
double shownWidth(const WorkbookCell& cell)
{
    const auto digits = [](double value, int decimals) {
        const QString whole = QString::number(std::floor(std::abs(value)), 'f', 0);
        return double(whole.size() + (whole.size() - 1) / 3 + (value < 0 ? 1 : 0) +
                      (decimals ? decimals + 1 : 0));
    };
    const auto number = [&](double value) -> double {
        switch (cell.format) {
        case NumberFormat::General:
            return QString::number(value).size();
        case NumberFormat::Whole:
            return QString::number(value, 'f', 0).size();
        case NumberFormat::Euro:
            return 2 + digits(value, 0);
        case NumberFormat::EuroCents:
            return 2 + digits(value, 2);
        case NumberFormat::Percentage:
            return QString::number(value * 100, 'f', 2).size() + 1;
        case NumberFormat::Factor:
            return QString::number(value, 'f', 6).size();
        case NumberFormat::Date:
            return 10;
        }
        return 0;
    };
    if (const auto* text = std::get_if<QString>(&cell.value)) {
        const QStringList lines = text->split(u'\n');
        return LetterWidth *
               std::max_element(lines.cbegin(), lines.cend(), [](const QString& a, const QString& b) {
                   return a.size() < b.size();
               })->size();
    }
    if (const auto* value = std::get_if<double>(&cell.value))
        return number(*value);
    if (const auto* formula = std::get_if<Formula>(&cell.value))
        return number(formula->value);
    if (std::holds_alternative<QDate>(cell.value))
        return 10;
    return 0;
}

// The C library writes the workbook's numbers (printf): with a decimal point in every locale. Only this
// thread's locale changes, for as long as the object lives.
class CNumbers
{
public:
    CNumbers() : m_c(newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr))), m_previous(uselocale(m_c)) {}
    ~CNumbers()
    {
        uselocale(m_previous);
        freelocale(m_c);
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t m_c;
    locale_t m_previous;
};

// The workbook being written, closed (and its file finished) when it goes, also on an early return.
struct WorkbookCloser
{
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};
using WorkbookHandle = std::unique_ptr<lxw_workbook, WorkbookCloser>;

QString problemText(lxw_error error, const QString& sheet)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
        return QStringLiteral("Het bestand kan niet worden aangemaakt.");
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return QStringLiteral("Er kan geen tijdelijk bestand worden aangemaakt of gelezen.");
    case LXW_ERROR_SHEETNAME_LENGTH_EXCEEDED:
    case LXW_ERROR_INVALID_SHEETNAME_CHARACTER:
    case LXW_ERROR_SHEETNAME_START_END_APOSTROPHE:
    case LXW_ERROR_SHEETNAME_ALREADY_USED:
        return QStringLiteral("De naam van het werkblad '") + sheet + QStringLiteral("' is ongeldig.");
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("Het werkblad '") + sheet +
               QStringLiteral("' heeft een tekst die langer is dan een cel kan bevatten.");
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("Het werkblad '") + sheet +
               QStringLiteral("' heeft meer rijen of kolommen dan een werkblad kan bevatten.");
    default:
        return QStringLiteral("Het Excel-bestand kan niet worden geschreven (fout ") +
               QString::number(int(error)) + QStringLiteral(").");
    }
}

// Writes the sheets into a workbook; the first failure ends it.
class SheetWriter
{
public:
    explicit SheetWriter(lxw_workbook* workbook) : m_workbook(workbook) {}

    lxw_error write(const Worksheet& sheet, const QList<QList<WorkbookCell>>& rows, bool header, int tableEnd)
    {
        const QByteArray name = sheet.name().toUtf8();
        if (const lxw_error invalid = workbook_validate_sheet_name(m_workbook, name.constData()))
            return invalid;
        lxw_worksheet* out = workbook_add_worksheet(m_workbook, name.constData());
        if (!out)
            return LXW_ERROR_MEMORY_MALLOC_FAILED;
        const int lastTableRow = tableEnd < 0 ? int(rows.size()) - 1 : tableEnd;
        QList<double> widths;
        for (int row = 0; row < rows.size(); ++row) {
            for (int column = 0; column < rows[row].size(); ++column) {
                const WorkbookCell& cell = rows[row][column];
                if (const lxw_error error = writeCell(out, row, column, cell))
                    return error;
                if (row <= lastTableRow) {
                    if (widths.size() <= column)
                        widths.resize(column + 1, MinimumWidth);
                    const double extra = header && row == 0 ? FilterButtonWidth : 0;
                    widths[column] = std::max(widths[column], shownWidth(cell) + extra + 2);
                }
            }
        }
        double total = 0;
        for (int column = 0; column < widths.size(); ++column) {
            const double width = std::min(widths[column], MaximumWidth);
            worksheet_set_column(out, lxw_col_t(column), lxw_col_t(column), width, nullptr);
            total += width;
        }
        if (header) {
            worksheet_freeze_panes(out, 1, 0);
            worksheet_repeat_rows(out, 0, 0);
            if (!widths.isEmpty())
                worksheet_autofilter(out, 0, 0, lxw_row_t(std::max(lastTableRow, 0)),
                                     lxw_col_t(widths.size() - 1));
        }
        // On paper: upright unless that makes the columns much smaller, then made as small as the page needs.
        worksheet_set_paper(out, 9); // A4
        const bool landscape = total > PortraitPageWidth / SmallestUprightScale;
        if (landscape)
            worksheet_set_landscape(out);
        const double page = landscape ? LandscapePageWidth : PortraitPageWidth;
        if (total > page)
            worksheet_set_print_scale(out, uint16_t(std::max(10.0, std::floor(100 * page / total))));
        return LXW_NO_ERROR;
    }

private:
    lxw_format* format(NumberFormat number, bool bold)
    {
        const auto key = std::make_pair(number, bold);
        if (const auto found = m_formats.find(key); found != m_formats.end())
            return found->second;
        lxw_format* created = nullptr;
        if (number != NumberFormat::General || bold) {
            created = workbook_add_format(m_workbook);
            if (const char* code = formatCode(number))
                format_set_num_format(created, code);
            if (bold)
                format_set_bold(created);
        }
        m_formats.emplace(key, created);
        return created;
    }

    lxw_error writeCell(lxw_worksheet* out, int row, int column, const WorkbookCell& cell)
    {
        const auto r = lxw_row_t(row);
        const auto c = lxw_col_t(column);
        lxw_format* look = format(cell.format, cell.bold);
        if (const auto* text = std::get_if<QString>(&cell.value))
            return worksheet_write_string(out, r, c, text->toUtf8().constData(), look);
        if (const auto* value = std::get_if<double>(&cell.value))
            return worksheet_write_number(out, r, c, *value, look);
        if (const auto* date = std::get_if<QDate>(&cell.value)) {
            if (!date->isValid() || date->year() < 1900)
                return worksheet_write_blank(out, r, c, look);
            lxw_datetime when{date->year(), date->month(), date->day(), 0, 0, 0};
            return worksheet_write_datetime(out, r, c, &when, look);
        }
        if (const auto* formula = std::get_if<Formula>(&cell.value))
            return worksheet_write_formula_num(out, r, c, (u'=' + formula->expression).toUtf8().constData(),
                                               look, formula->value);
        return look ? worksheet_write_blank(out, r, c, look) : LXW_NO_ERROR;
    }

    lxw_workbook* m_workbook;
    std::map<std::pair<NumberFormat, bool>, lxw_format*> m_formats;
};

} // namespace

void Worksheet::setHeader(const QStringList& headings)
{
    QList<WorkbookCell> cells;
    for (const QString& heading : headings)
        cells.append(WorkbookCell::text(heading, true));
    if (m_rows.isEmpty())
        m_rows.append(cells);
    else
        m_rows.first() = cells;
    m_header = true;
}

int Worksheet::appendRow(const QList<WorkbookCell>& cells)
{
    m_rows.append(cells);
    return int(m_rows.size()) - 1;
}

void Worksheet::endTable()
{
    m_tableEnd = int(m_rows.size()) - 1;
}

QString Worksheet::cellName(int row, int column)
{
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters + QString::number(row + 1);
}

QString Worksheet::qualified(const QString& cells) const
{
    return u'\'' + QString(m_name).replace(u'\'', QStringLiteral("''")) + QStringLiteral("'!") + cells;
}

Worksheet& Workbook::addSheet(const QString& name)
{
    return m_sheets.emplace_back(name);
}

bool Workbook::save(const QString& path, QString* error) const
{
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    // Written beside the target and then put in its place, so that a failure leaves the old file.
    const QFileInfo target(path);
    QTemporaryFile file(target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX")));
    if (!file.open())
        return fail(file.errorString());
    file.close();

    lxw_error result = LXW_NO_ERROR;
    QString sheetName;
    {
        const CNumbers numbers;
        WorkbookHandle workbook(workbook_new(QFile::encodeName(file.fileName()).constData()));
        if (!workbook)
            return fail(problemText(LXW_ERROR_MEMORY_MALLOC_FAILED, {}));
        SheetWriter writer(workbook.get());
        for (const Worksheet& sheet : m_sheets) {
            result = writer.write(sheet, sheet.m_rows, sheet.m_header, sheet.m_tableEnd);
            if (result != LXW_NO_ERROR) {
                sheetName = sheet.name();
                break;
            }
        }
        if (result == LXW_NO_ERROR)
            result = workbook_close(workbook.release());
    }
    if (result != LXW_NO_ERROR)
        return fail(problemText(result, sheetName));
    // Readable by others as a document is, not private as a temporary file: a replaced file keeps its own.
    file.setPermissions(target.exists() ? QFile::permissions(target.absoluteFilePath())
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ReadOther);
    if (!replaceFile(file.fileName(), target.absoluteFilePath()))
        return fail(QStringLiteral("Het bestand kan niet worden vervangen."));
    file.setAutoRemove(false);
    return true;
}

} // namespace dovra::report
