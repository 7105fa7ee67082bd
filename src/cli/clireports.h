#pragma once

#include "reports/reportrun.h"

#include <QString>
#include <QTextStream>

#include <optional>

namespace dovra {

// The report commands of dovra-cli, for the facility and workspace of the context. They return the exit
// status: 0 written, 1 a check, the calculation or the saving failed.

// The target capital and levy report into a document at path, or with `screen` the report window's text
// to out.
int writeTargetCapitalReport(const report::ReportContext& context,
                             const report::TargetCapitalReportOptions& options, bool screen,
                             const QString& path, QTextStream& out);
int writeInputReport(const report::ReportContext& context, const report::InputReportOptions& options,
                     const QString& path);

// Whether a "--secties" list names no section at all (blank names do not count).
bool namesNoSection(const QString& list);
// The sections named in a "--secties" list; empty when a name is unknown.
std::optional<report::TargetCapitalReportOptions> targetCapitalSections(const QString& list);
std::optional<report::InputReportOptions> inputReportSections(const QString& list);
// "voorziening", "rubriek" or "talvo".
std::optional<DVGrouping> reportGrouping(const QString& name);

} // namespace dovra
