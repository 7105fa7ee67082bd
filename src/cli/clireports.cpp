#include "clireports.h"

#include "cli.h"
#include "reports/formats/screenreport.h"

#include <QFileInfo>

namespace dovra {

namespace {

QStringList names(const QString& list)
{
    QStringList named;
    for (const QString& name : list.split(u','))
        if (!name.trimmed().isEmpty())
            named.append(name.trimmed());
    return named;
}

// Every name of the list must be one of the known ones; the result tells which were given.
std::optional<QList<bool>> chosen(const QString& list, const QStringList& known)
{
    QList<bool> given(known.size(), false);
    for (const QString& name : names(list)) {
        const qsizetype index = known.indexOf(name);
        if (index < 0)
            return std::nullopt;
        given[index] = true;
    }
    return given;
}

} // namespace

bool namesNoSection(const QString& list)
{
    return names(list).isEmpty();
}

std::optional<report::TargetCapitalReportOptions> targetCapitalSections(const QString& list)
{
    const std::optional<QList<bool>> given =
        chosen(list, {QStringLiteral("voorblad"), QStringLiteral("doelvermogen"), QStringLiteral("checklist"),
                      QStringLiteral("heffing")});
    if (!given)
        return std::nullopt;
    report::TargetCapitalReportOptions options;
    options.voorblad = given->at(0);
    options.doelvermogen = given->at(1);
    options.checklistposten = given->at(2);
    options.heffing = given->at(3);
    return options;
}

std::optional<report::InputReportOptions> inputReportSections(const QString& list)
{
    const std::optional<QList<bool>> given =
        chosen(list, {QStringLiteral("algemeen"), QStringLiteral("voorzieningen"),
                      QStringLiteral("kostenposten"), QStringLiteral("checklist")});
    if (!given)
        return std::nullopt;
    return report::InputReportOptions{given->at(0), given->at(1), given->at(2), given->at(3)};
}

std::optional<DVGrouping> reportGrouping(const QString& name)
{
    if (name == QLatin1String("voorziening"))
        return DVGrouping::Voorziening;
    if (name == QLatin1String("rubriek"))
        return DVGrouping::Rubriek;
    if (name == QLatin1String("talvo"))
        return DVGrouping::Talvo;
    return std::nullopt;
}

int writeTargetCapitalReport(const report::ReportContext& context,
                             const report::TargetCapitalReportOptions& options, bool screen,
                             const QString& path, QTextStream& out)
{
    report::TargetCapitalReportRun run(*context.workspace, context.facilityId, options);
    if (!run.calculate())
        return CliFailed;
    if (screen) {
        report::ScreenReport text;
        if (!run.write(text, context))
            return CliFailed;
        out << text.plainText();
        out.flush();
        return CliOk;
    }
    return run.writeDocument(QFileInfo(path).absoluteFilePath(), report::documentFormatFor(path), context)
               ? CliOk
               : CliFailed;
}

int writeInputReport(const report::ReportContext& context, const report::InputReportOptions& options,
                     const QString& path)
{
    return report::writeInputReportDocument(options, QFileInfo(path).absoluteFilePath(),
                                            report::documentFormatFor(path), context)
               ? CliOk
               : CliFailed;
}

} // namespace dovra
