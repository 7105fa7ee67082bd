#pragma once

#include "reports/dvreportrows.h"
#include "reports/formats/reportdocument.h"
#include "reports/reportcontext.h"
#include "reports/targetcapitalreport.h"
#include "storage/outputtarget.h"

#include <QDate>
#include <QString>

#include <memory>
#include <optional>

namespace dovra {
class clsDV;
struct UncertaintyAnalysis;
class clsHeffing;
} // namespace dovra

namespace dovra::report {

class ReportWriter;

// Which parts of the target capital and levy report to write, and how.
struct TargetCapitalReportOptions
{
    bool voorblad = false;        // cover (document only)
    bool doelvermogen = true;     // target capital section
    bool checklistposten = false; // checklist items not selected (document only)
    bool heffing = false;         // levy section
    DVGrouping grouping = DVGrouping::Voorziening;
    std::optional<float> vat; // the VAT percentage of the VAT lines on the cover; none: no VAT lines
};

// One run of the target capital and levy report for one facility: first the calculation, then the
// sections into a document or the report window.
class TargetCapitalReportRun
{
public:
    TargetCapitalReportRun(Workspace& workspace, long facilityId, const TargetCapitalReportOptions& options);
    ~TargetCapitalReportRun();

    // The checks and the calculation; false (after their messages) when no report can be written.
    bool calculate();
    // The number of steps a progress bar counts while the sections are written.
    int progressMaximum() const;
    const clsDV& calculation() const;

    // The chosen sections into the writer; the cover and the checklist list only into a document.
    bool write(ReportWriter& writer, const ReportContext& context, const Progress& progress = {});
    // The sections, header and footer (and in a .docx the protection), saved under path in the format; a
    // workbook holds the sheets of the target capital and the levy. False when it could not be saved
    // (after a message); the file is then left as it was.
    bool writeDocument(const QString& path, DocumentFormat format, const ReportContext& context,
                       const Progress& progress = {});

private:
    // The levy of the facility when it can be reported (ValidatieOK, with forecast years); none has told why.
    std::unique_ptr<clsHeffing> reportableLevy() const;
    bool writeWorkbook(const QString& path, const ReportContext& context, const Progress& progress);

    Workspace* m_workspace;
    long m_facilityId;
    TargetCapitalReportOptions m_options;
    std::unique_ptr<clsDV> m_dv;
};

// Which sections of the input data report to write.
struct InputReportOptions
{
    bool algemeen = true;
    bool voorzieningen = true;
    bool kostenposten = true;
    bool checklistposten = true;
};

// Writes the input data report with its header and footer and saves it under path in the format; false
// (after a message) when it could not be written or saved.
bool writeInputReportDocument(const InputReportOptions& options, const QString& path, DocumentFormat format,
                              const ReportContext& context);

// Adds the reports' header and footer and saves document under path; false (after a message) when it could
// not be saved, the file then left as it was.
bool saveReportDocument(ReportDocument& document, const QString& path, const ReportContext& context);

// Writes the uncertainty analysis with the header and footer of the input data report and saves it under
// path in the format; false (after a message) when it could not be saved.
bool writeUncertaintyReportDocument(const UncertaintyAnalysis& analysis, const QString& path,
                                    DocumentFormat format, const ReportContext& context);

// The format a report file's name asks for: PDF for ".pdf", a workbook for ".xlsx" (in any case), otherwise a
// .docx.
DocumentFormat documentFormatFor(const QString& path);

// The message that refuses path as the file of a report; empty when a report may be saved there.
std::optional<QString> reportTargetProblem(const QString& path, const QStringList& databaseFiles);

// The name a file dialog proposes: prefix, facility name and the date as dd-mm-yyyy, with the format's
// extension.
QString proposedReportName(const QString& prefix, const QString& facilityName, const QDate& today,
                           DocumentFormat format);

// The fixed password of the protection of the target capital report.
QString reportProtectionPassword();

} // namespace dovra::report
