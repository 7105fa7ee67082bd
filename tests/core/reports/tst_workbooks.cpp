// Workbooks read back by openpyxl: the writer's cells, number formats, formulas with their cached values,
// frozen header, filter and column widths, and a failed save that keeps the old file.
#include "reports/formats/workbook.h"
#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::report;

namespace {

// Every sheet of the workbooks named, and its cells row by row.
const char* Script = R"(import sys, openpyxl
for path in sys.argv[1:]:
    values = openpyxl.load_workbook(path, data_only=True)
    for sheet in openpyxl.load_workbook(path):
        widths = ' '.join(f'{k}={d.width:g}' for k, d in sorted(sheet.column_dimensions.items()))
        print(f'== {sheet.title} frozen {sheet.freeze_panes} filter {sheet.auto_filter.ref} widths {widths}')
        for row in sheet.iter_rows():
            print(' | '.join(f'{c.coordinate} {c.value}' + (f' [{values[sheet.title][c.coordinate].value}]' if c.data_type == 'f' else '')
                             + ('' if c.number_format == 'General' else f' {c.number_format}') + (' b' if c.font.b else '')
                             for c in row if c.value is not None)))";

// What the script printed; empty when it could not run.
QString runScript(const QStringList& arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral("-c"), QLatin1String(Script)} + arguments);
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
}

bool needsOpenpyxl()
{
    return QProcess::execute(QStringLiteral("/usr/bin/python3"), {"-c", "import openpyxl"}) != 0;
}

// A sheet of every kind of cell, and one whose name needs quoting in a formula of another sheet.
Workbook everyKindOfCell()
{
    Workbook workbook;
    Worksheet& first = workbook.addSheet(QStringLiteral("Cellen"));
    first.setHeader({"tekst", "bedrag", "aandeel", "datum", "formule"});
    first.appendRow(
        {WorkbookCell::text(QStringLiteral("Één")), WorkbookCell::number(1234567.891, NumberFormat::Euro),
         WorkbookCell::number(0.1234, NumberFormat::Percentage), WorkbookCell::date(QDate(2030, 1, 16)),
         WorkbookCell::formula("B2*2", 2469135.782, NumberFormat::EuroCents, true)});
    first.appendRow({WorkbookCell(), WorkbookCell::number(-5, NumberFormat::Whole),
                     WorkbookCell::number(0.25, NumberFormat::Factor)});
    first.endTable();
    first.appendRow(
        {WorkbookCell::text(QStringLiteral("Een toelichting onder de tabel, langer dan een kolom breed "
                                           "mag worden en die de kolom dus niet verbreedt."))});
    Worksheet& second = workbook.addSheet(QStringLiteral("Jan's blad"));
    second.appendRow({WorkbookCell::formula(first.qualified(Worksheet::cellName(1, 1)) + "+" +
                                                second.qualified(Worksheet::cellName(0, 27)),
                                            1234567.891, NumberFormat::General)});
    return workbook;
}

TEST(Workbook, CellsFormatsAndLayoutReadBack)
{
    if (needsOpenpyxl())
        GTEST_SKIP() << "python3-openpyxl is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cellen.xlsx"));
    QString error;
    ASSERT_TRUE(everyKindOfCell().save(path, &error)) << error.toStdString();
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/workbook-cells.txt"), runScript({path})));
}

// A sheet name no spreadsheet takes, and a folder that is not there: a Dutch reason, the old file intact and
// no file left beside it.
TEST(Workbook, AFailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("oud.xlsx"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("oud") == 3);
    old.close();
    Workbook workbook;
    workbook.addSheet(QStringLiteral("a/b")).appendRow({WorkbookCell::text(QStringLiteral("x"))});
    QString error;
    EXPECT_FALSE(workbook.save(path, &error));
    EXPECT_EQ(error, u"De naam van het werkblad 'a/b' is ongeldig.");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "oud");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"oud.xlsx"});
    EXPECT_FALSE(everyKindOfCell().save(dir.filePath(QStringLiteral("weg/nieuw.xlsx")), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
