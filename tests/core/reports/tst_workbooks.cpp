// Workbooks read back by openpyxl: the writer's cells, number formats, formulas with their cached values,
// frozen header, filter and column widths, and a failed save that keeps the old file; the sheets of the
// target capital, levy and expenditure schedule over small scenarios against a golden dump. LibreOffice
// opens the workbooks and, recalculating every formula, comes to the figures the program cached.
#include "calc/clsDV.h"
#include "calc/expenditureschedule.h"
#include "calc/targetcapitalinputs.h"
#include "reports/formats/workbook.h"
#include "reports/reportrun.h"
#include "reports/reportworkbooks.h"
#include "support/golden.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace dovra;
using namespace dovra::report;

namespace {

// "dump WORKBOOK...": every sheet and its cells row by row; "compare WORKBOOK CSVFOLDER": the cells
// LibreOffice's CSV files of its sheets disagree on (numbers to a millionth), then the number of cells
// compared.
const char* Script = R"(import csv, datetime, os, sys, openpyxl
def sheets(path):
    formulas, values = openpyxl.load_workbook(path), openpyxl.load_workbook(path, data_only=True)
    return [(sheet, values[sheet.title]) for sheet in formulas]
def agrees(value, shown):
    if isinstance(value, datetime.datetime): return shown == value.strftime('%m/%d/%Y')  # the C locale's dates
    if not isinstance(value, (int, float)): return shown == str(value)
    number = float(shown.rstrip('%')) / (100 if shown.endswith('%') else 1)
    return abs(number - value) <= 1e-6 * max(1, abs(value))
if sys.argv[1] == 'dump':
    for sheet, values in (pair for path in sys.argv[2:] for pair in sheets(path)):
        widths = ' '.join(f'{k}={d.width:g}' for k, d in sorted(sheet.column_dimensions.items()))
        print(f'== {sheet.title} frozen {sheet.freeze_panes} filter {sheet.auto_filter.ref} widths {widths}')
        for row in sheet.iter_rows():
            print(' | '.join(f'{c.coordinate} {c.value}' + (f' [{values[c.coordinate].value}]' if c.data_type == 'f' else '')
                             + ('' if c.number_format == 'General' else f' {c.number_format}') + (' b' if c.font.b else '')
                             for c in row if c.value is not None))
else:
    compared, stem = 0, os.path.splitext(os.path.basename(sys.argv[2]))[0]
    for sheet, values in sheets(sys.argv[2]):
        rows = list(csv.reader(open(os.path.join(sys.argv[3], f'{stem}-{sheet.title}.csv'), encoding='utf-8')))
        for cell in (c for row in values.iter_rows() for c in row if c.value is not None):
            compared += 1
            shown = rows[cell.row - 1][cell.column - 1]
            if not agrees(cell.value, shown): print(sheet.title, cell.coordinate, cell.value, shown)
    print('cells', compared))";

// What the script printed; empty when it could not run.
QString runScript(const QStringList& arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral("-c"), QLatin1String(Script)} + arguments);
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
}

bool hasOpenpyxl()
{
    return QProcess::execute(QStringLiteral("/usr/bin/python3"), {"-c", "import openpyxl"}) == 0;
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
    ASSERT_TRUE(hasOpenpyxl()) << "python3-openpyxl is installed by scripts/install-deps";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cellen.xlsx"));
    QString error;
    ASSERT_TRUE(everyKindOfCell().save(path, &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::ReadOther);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("reports/workbook-cells.txt"), runScript({"dump", path})));
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

class ReportWorkbookTest : public test::SqlFilesTest
{
protected:
    // The report of the facility as a workbook in the folder; false when it was not written.
    bool writeReport(long facility, const TargetCapitalReportOptions& options, const QString& path)
    {
        TargetCapitalReportRun run(folder.workspace(), facility, options);
        const ReportContext context = reportContext(folder.workspace(), facility, QString());
        return run.calculate() && run.writeDocument(path, documentFormatFor(path), context);
    }

    // The facility's expenditure schedule of years as a workbook.
    bool writeSchedule(long facility, int years, const QString& path)
    {
        TargetCapitalInputs inputs;
        Workbook workbook;
        if (!readTargetCapitalInputs(folder.workspace(), facility, inputs))
            return false;
        addExpenditureSheet(workbook, *expenditureSchedule(inputs, years), inputs.P);
        return workbook.save(path);
    }

    QTemporaryDir dir;
};

// Zuid with VAT and its equalised levy, by rubric; the object-bound levy of Eigen put alone; three years of
// Zuid's outlays.
TEST_F(ReportWorkbookTest, SheetsMatchTheirGoldenDump)
{
    ASSERT_TRUE(hasOpenpyxl()) << "python3-openpyxl is installed by scripts/install-deps";
    useScripts(QStringLiteral("targetcapitalreport_checklist.sql"),
               QStringLiteral("targetcapitalreport_data.sql"));
    const QStringList paths{dir.filePath("zuid.xlsx"), dir.filePath("eigen.xlsx"),
                            dir.filePath("schema.xlsx")};
    ASSERT_TRUE(writeReport(1, {true, true, true, true, DVGrouping::Rubriek, 21}, paths[0]));
    ASSERT_TRUE(writeReport(3, {false, false, false, true}, paths[1]));
    ASSERT_TRUE(writeSchedule(1, 3, paths[2]));
    EXPECT_TRUE(recorder.recorded().isEmpty()) << recorder.texts().join(u'|').toStdString();
    EXPECT_TRUE(
        test::matchesGolden(QStringLiteral("reports/workbooks.txt"), runScript(QStringList{"dump"} + paths)));
}

// De Kragge's report (surcharges per replacement item, an equalised levy) and schedule, and the sheet of
// every kind of cell: LibreOffice reads every cell as cached, and its recalculated formulas agree.
TEST_F(ReportWorkbookTest, LibreOfficeRecalculatesTheProgramsFigures)
{
    ASSERT_TRUE(hasOpenpyxl() && QProcess::execute(QStringLiteral("soffice"), {"--version"}) == 0)
        << "python3-openpyxl and LibreOffice are installed by scripts/install-deps";
    ASSERT_TRUE(folder.linkDemoData());
    const QStringList paths{dir.filePath("kragge.xlsx"), dir.filePath("schema.xlsx"),
                            dir.filePath("cellen.xlsx")};
    ASSERT_TRUE(writeReport(1, {false, true, false, true, DVGrouping::Voorziening, 21}, paths[0]));
    ASSERT_TRUE(writeSchedule(1, 1000, paths[1]));
    ASSERT_TRUE(everyKindOfCell().save(paths[2]));
    // A profile of its own, set to recalculate every formula of a workbook it opens.
    QTemporaryDir profile;
    QDir().mkpath(profile.filePath("user"));
    QFile settings(profile.filePath("user/registrymodifications.xcu"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(
        R"(<?xml version="1.0" encoding="UTF-8"?><oor:items xmlns:oor="http://openoffice.org/2001/registry">
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse">
<value>0</value></prop></item></oor:items>)");
    settings.close();
    // Numbers with a decimal point, whatever the locale of the test.
    QProcess office;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    office.setProcessEnvironment(environment);
    office.start(QStringLiteral("soffice"),
                 QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                             "--headless", "--convert-to",
                             "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1",
                             "--outdir", dir.filePath("csv")} +
                     paths);
    office.waitForFinished(180000);
    for (const QString& path : paths)
        EXPECT_TRUE(runScript({"compare", path, dir.filePath("csv")}).startsWith(QLatin1String("cells ")))
            << runScript({"compare", path, dir.filePath("csv")}).toStdString();
}

} // namespace
