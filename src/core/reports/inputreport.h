#pragma once

#include "reports/reportcontext.h"
#include "reports/reportwriter.h"

#include <QList>

#include <optional>

namespace dovra {
class clsDV;
}

namespace dovra::report {

class ReportDocument;

// Section writers of the input data report. Each starts a new section of its own (on a new page when it
// is not the first); they return false when the facility's data cannot be read.

// Whose general data section this is: the input data report's, or the cover of the target capital report.
enum class GeneralDataReport
{
    Cover = 0,
    InputData = 1
};

// The general data; with a calculation (the cover) also the summary of the target capital, with the VAT
// lines at the percentage `vat` when there is one.
bool writeGeneralData(ReportWriter& writer, GeneralDataReport report, const clsDV* calculation,
                      std::optional<float> vat, const ReportContext& context);
bool writeProvisions(ReportWriter& writer, const ReportContext& context);
bool writeCostItems(ReportWriter& writer, const ReportContext& context);
// `firstOfTargetCapitalReport`: the list opens the target capital report, which changes its title.
bool writeUnselectedChecklistItems(ReportWriter& writer, bool firstOfTargetCapitalReport,
                                   const ReportContext& context);

// The header and footer shared by both reports.
void writeHeaderFooter(ReportDocument& document, const ReportContext& context);

// A table of columns of these widths, with the same columns on the screen.
TableLayout tableLayout(const QList<double>& widthsCm, bool borders);

// The page set-up of the portrait sections of both reports.
PageSetup portraitPage();

} // namespace dovra::report
