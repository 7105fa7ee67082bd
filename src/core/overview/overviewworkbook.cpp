#include "overview/overviewworkbook.h"

#include "reports/formats/workbook.h"
#include "storage/lookups.h"

namespace dovra {

namespace {

using report::NumberFormat;
using report::WorkbookCell;
using report::Worksheet;

// The columns of the rows sheet that the totals refer to.
constexpr int ProvinceColumn = 3;
constexpr int IncompleteColumn = 9;
constexpr int TargetCapitalColumn = 13;

WorkbookCell yesNo(bool yes)
{
    return WorkbookCell::text(yes ? QStringLiteral("ja") : QStringLiteral("nee"));
}

// A figure, or "-" where there is none, as the window shows it.
template <typename T> WorkbookCell figure(const std::optional<T>& value, NumberFormat format)
{
    return value ? WorkbookCell::number(double(*value), format) : WorkbookCell::text(QStringLiteral("-"));
}

template <typename T> WorkbookCell dateOrEmpty(const std::optional<T>& value)
{
    if (!value)
        return {};
    if constexpr (std::is_same_v<T, QDateTime>)
        return WorkbookCell::date(value->date());
    else
        return WorkbookCell::date(*value);
}

void writeRows(const std::vector<OverviewRow>& rows, Worksheet& sheet)
{
    sheet.setHeader({QStringLiteral("idrStort_ID"), QStringLiteral("Inrichting"), QStringLiteral("Type"),
                     QStringLiteral("Provincie"), QStringLiteral("Checklistversie"),
                     QStringLiteral("Nieuwere checklist"), QStringLiteral("Prijspeil"),
                     QStringLiteral("Aanvang nazorg"), QStringLiteral("Kostenposten"),
                     QStringLiteral("Onvolledig"), QStringLiteral("Voldoet"), QStringLiteral("Wijkt af"),
                     QStringLiteral("Eigen posten"), QStringLiteral("Doelvermogen met risicofonds"),
                     QStringLiteral("Heffing per ton"), QStringLiteral("Laatste wijziging"),
                     QStringLiteral("Berekend"), QStringLiteral("Melding")});
    for (const OverviewRow& row : rows) {
        sheet.appendRow(
            {WorkbookCell::number(double(row.id), NumberFormat::Whole), WorkbookCell::text(row.name),
             WorkbookCell::text(facilityTypeName(row.type)), WorkbookCell::text(provinceName(row.province)),
             WorkbookCell::number(row.checklistVersion, NumberFormat::Whole), yesNo(row.newerChecklist),
             figure(row.priceLevelYear, NumberFormat::Whole), dateOrEmpty(row.aftercareStart),
             WorkbookCell::number(row.costItems, NumberFormat::Whole),
             WorkbookCell::number(row.incomplete, NumberFormat::Whole),
             WorkbookCell::number(row.conforming, NumberFormat::Whole),
             WorkbookCell::number(row.deviating, NumberFormat::Whole),
             WorkbookCell::number(row.userDefined, NumberFormat::Whole),
             figure(row.targetCapital, NumberFormat::Euro), figure(row.levyPerTon, NumberFormat::EuroCents),
             dateOrEmpty(row.lastChange), yesNo(row.ok), WorkbookCell::text(row.message)});
    }
}

// The totals count and sum the rows of their province, so they follow a figure a user changes there.
void writeTotals(const std::vector<OverviewTotal>& totals, const Worksheet& rows, int rowCount,
                 Worksheet& sheet)
{
    sheet.setHeader({QStringLiteral("Provincie"), QStringLiteral("Inrichtingen"),
                     QStringLiteral("Doelvermogen met risicofonds"),
                     QStringLiteral("Met onvolledige invoer")});
    const auto range = [&](int column) {
        return rows.qualified(Worksheet::cellName(1, column) + u':' + Worksheet::cellName(rowCount, column));
    };
    const QString provinces = range(ProvinceColumn);
    for (const OverviewTotal& total : totals) {
        const int at = sheet.rowCount();
        const QString province = Worksheet::cellName(at, 0);
        sheet.appendRow(
            {WorkbookCell::text(provinceName(total.province)),
             WorkbookCell::formula(QStringLiteral("COUNTIF(%1,%2)").arg(provinces, province),
                                   total.facilities, NumberFormat::Whole),
             WorkbookCell::formula(
                 QStringLiteral("SUMIF(%1,%2,%3)").arg(provinces, province, range(TargetCapitalColumn)),
                 total.targetCapital, NumberFormat::Euro),
             WorkbookCell::formula(QStringLiteral("COUNTIFS(%1,%2,%3,\">0\")")
                                       .arg(provinces, province, range(IncompleteColumn)),
                                   total.incomplete, NumberFormat::Whole)});
    }
}

} // namespace

bool saveOverviewWorkbook(const FacilityOverview& overview, const QString& path, QString* error)
{
    report::Workbook workbook;
    Worksheet& rows = workbook.addSheet(QStringLiteral("Inrichtingen"));
    writeRows(overview.rows, rows);
    writeTotals(overview.totals, rows, int(overview.rows.size()),
                workbook.addSheet(QStringLiteral("Totalen")));
    return workbook.save(path, error);
}

} // namespace dovra
