#pragma once

#include "base/settings.h"
#include "reports/formats/reportdocument.h"
#include "reports/reportcontext.h"
#include "reports/targetcapitalreport.h"

#include <QString>

#include <functional>

class QAbstractButton;
class QProgressBar;

namespace dovra {

// The steps both report dialogs share around a written document.
namespace reportfile {

// The open facility of the linked data file, written now.
report::ReportContext currentReportContext();

// Asks until the user names a place where a report may be saved (a refused one is told why), or cancels:
// then empty.
QString askUsableTarget(const FileDialogRequest& request);

// Asks where to save a report in the format, proposing prefix, facility name and today's date in the open
// facility's export directory; the chosen directory becomes that export directory. A place no report may
// be saved is refused with its reason and asked for again. Empty when the user cancels.
QString choose(const QString& prefix, report::DocumentFormat format);

// Tells the user the report is ready and opens it when the user wants to.
void offerToOpen(const QString& path, const QString& title);

// A report dialog's choices: its section boxes, output options and grouping options (may be none).
struct ChoiceControls
{
    QList<QAbstractButton*> sections;
    QList<QAbstractButton*> outputs;
    QList<QAbstractButton*> groupings;
};
// Sets the controls to what the user chose in this dialog last time, when that was stored.
void restoreChoices(ReportDialog dialog, const ChoiceControls& controls);
// Stores the choices for the next time the dialog opens.
void storeChoices(ReportDialog dialog, const ChoiceControls& controls);

// Hides a dialog's progress bar but keeps its place, so that showing it while writing moves nothing.
void hideProgressBar(QProgressBar* bar);
// Runs write under the busy pointer with the bar shown, counting to maximum (0: steps unknown).
bool writeShowingProgress(QProgressBar* bar, int maximum,
                          const std::function<bool(const report::Progress&)>& write);

} // namespace reportfile

} // namespace dovra
