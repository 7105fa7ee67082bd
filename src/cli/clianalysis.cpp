#include "clianalysis.h"

#include "base/formats.h"
#include "calc/expenditureschedule.h"
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"
#include "cli.h"
#include "jsonwriter.h"
#include "model/options.h"
#include "reports/formats/screenreport.h"
#include "reports/formats/workbook.h"
#include "reports/reportworkbooks.h"
#include "reports/sensitivityreport.h"

#include <numeric>

namespace dovra {

namespace {

// A spreadsheet in Dutch settings opens this at once: fields apart by semicolons, a decimal comma.
QString csvAmount(double amount)
{
    return QString::number(amount, 'f', 2).replace(u'.', u',');
}

// The facility's schedule of years at its price level; none, after telling why, when its cost items cannot
// be read or calculated.
std::optional<std::pair<ExpenditureSchedule, int>> scheduleOf(Workspace& workspace, long facilityId,
                                                              int years)
{
    TargetCapitalInputs inputs;
    if (!readTargetCapitalInputs(workspace, facilityId, inputs))
        return std::nullopt;
    std::optional<ExpenditureSchedule> schedule = expenditureSchedule(inputs, years);
    if (!schedule) {
        // The calculation of the same cost items says why.
        for (const Diagnostic& diagnostic : computeTargetCapital(inputs).diagnostics)
            messages().inform(diagnostic.text, diagnostic.title, diagnostic.icon);
        return std::nullopt;
    }
    return std::pair{std::move(*schedule), inputs.P};
}

} // namespace

int printSensitivity(Workspace& workspace, long facilityId, SensitivityMode mode,
                     const std::vector<float>& rates, bool json, QTextStream& out)
{
    const std::optional<SensitivityAnalysis> analysis =
        runSensitivityAnalysis(workspace, facilityId, mode, rates);
    if (!analysis)
        return CliFailed;
    if (!json) {
        report::ScreenReport screen;
        report::writeSensitivityReport(*analysis, screen);
        out << screen.plainText();
        return CliOk;
    }
    JsonWriter writer;
    writer.beginObject()
        .value(QStringLiteral("B0"), analysis->B0)
        .value(QStringLiteral("r0"), analysis->r0)
        .value(QStringLiteral("i0"), analysis->i0)
        .beginArray(QStringLiteral("stappen"));
    for (const SensitivityStep& step : analysis->steps) {
        writer.beginObject()
            .value(QStringLiteral("rente"), step.interest)
            .value(QStringLiteral("inflatie"), step.inflation)
            .value(QStringLiteral("B"), step.B)
            .value(QStringLiteral("verschil"), step.difference ? QVariant(*step.difference) : QVariant())
            .value(QStringLiteral("ok"), step.ok)
            .endObject();
    }
    writer.endArray().endObject();
    out << writer.text();
    return CliOk;
}

int printExpenditureSchedule(Workspace& workspace, long facilityId, int years, bool csv, QTextStream& out)
{
    const auto found = scheduleOf(workspace, facilityId, years);
    if (!found)
        return CliFailed;
    const ExpenditureSchedule* schedule = &found->first;
    const QChar separator = csv ? u';' : u'\t';
    if (!csv)
        out << expenditureYearNote() << '\n';
    QStringList header{QStringLiteral("nazorgjaar")};
    for (int rubric = 1; rubric <= ExpenditureSchedule::Rubrics; ++rubric)
        header.append(csv ? RubriekNaam(rubric).toLower() : RubriekNaam(rubric));
    header.append(QStringLiteral("totaal"));
    out << header.join(separator) << '\n';
    for (std::size_t k = 0; k < schedule->perYear.size(); ++k) {
        const auto& outlays = schedule->perYear[k];
        QStringList line{QString::number(k + 1)};
        for (const double amount : outlays)
            line.append(csv ? csvAmount(amount) : formats::number(amount, QStringLiteral("#,##0.00")));
        const double total = std::accumulate(outlays.begin(), outlays.end(), 0.0);
        line.append(csv ? csvAmount(total) : formats::number(total, QStringLiteral("#,##0.00")));
        out << line.join(separator) << '\n';
    }
    return CliOk;
}

int writeExpenditureSchedule(Workspace& workspace, long facilityId, int years, const QString& path,
                             QTextStream& out)
{
    const auto found = scheduleOf(workspace, facilityId, years);
    if (!found)
        return CliFailed;
    report::Workbook workbook;
    report::addExpenditureSheet(workbook, found->first, found->second);
    QString error;
    if (workbook.save(path, &error))
        return CliOk;
    return fail(out,
                QStringLiteral("Het uitgavenschema kan niet worden opgeslagen als '") + path +
                    QStringLiteral("'. ") + error,
                CliFailed);
}

} // namespace dovra
