#include "reports/reportfiledialog.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "facility/clsStort.h"
#include "reports/reportrun.h"
#include "widgets/opendocument.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>

namespace dovra {

namespace reportfile {

QString askUsableTarget(const FileDialogRequest& request)
{
    for (;;) {
        const QString path = messages().saveFileName(request);
        if (path.isEmpty())
            return path;
        const std::optional<QString> problem =
            report::reportTargetProblem(path, currentReportContext().databaseFiles);
        if (!problem)
            return path;
        messages().inform(*problem, QStringLiteral("Rapportage"), MessageIcon::Exclamation);
    }
}

report::ReportContext currentReportContext()
{
    AppState& state = appState();
    return report::reportContext(state.workspace(), state.facility().id, state.settings().dataFileName());
}

QString choose(const QString& prefix, report::DocumentFormat format)
{
    const OpenFacilityState& facility = appState().facility();
    clsStort stort(appState().workspace());
    stort.initializeStort(facility.id);
    const QString name = report::proposedReportName(prefix, facility.name, QDate::currentDate(), format);
    // A directory that is gone (or the Windows default "c:\" elsewhere) is no place to propose.
    const QDir exportDir(stort.StandaardExportDir());
    const QString proposed = exportDir.exists() ? exportDir.filePath(name) : name;

    const QString filter =
        format == report::DocumentFormat::Pdf        ? QStringLiteral("PDF bestanden (*.pdf)|*.pdf|")
        : format == report::DocumentFormat::Workbook ? QStringLiteral("Excel bestanden (*.xlsx)|*.xlsx|")
                                                     : QStringLiteral("Word bestanden (*.docx)|*.docx|");
    const QString path = askUsableTarget(
        FileDialogRequest{QStringLiteral("Rapportage opslaan als ..."), filter, proposed, false, true});
    if (path.isEmpty())
        return {};
    // Only a convenience for the next report: a file that refuses it does not stop this one.
    stort.setStandaardExportDir(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    stort.Move0();
    return path;
}

void offerToOpen(const QString& path, const QString& title)
{
    if (messages().askYesNo(QStringLiteral("De rapportage is gereed.") + QStringLiteral("\r\n") +
                                QStringLiteral("Wilt u nu het rapport openen?"),
                            title, MessageIcon::Question, MessageAnswer::Yes))
        OpenDocument(path);
}

void restoreChoices(ReportDialog dialog, const ChoiceControls& controls)
{
    const std::optional<ReportChoices> stored = appState().settings().reportChoices(dialog);
    // Choices stored by a dialog of another shape are not this dialog's.
    if (!stored || stored->sections.size() != controls.sections.size() ||
        stored->output >= controls.outputs.size() ||
        stored->grouping >= std::max<qsizetype>(1, controls.groupings.size()))
        return;
    for (qsizetype i = 0; i < controls.sections.size(); ++i)
        controls.sections[i]->setChecked(stored->sections[i]);
    controls.outputs[stored->output]->setChecked(true);
    if (!controls.groupings.isEmpty())
        controls.groupings[stored->grouping]->setChecked(true);
}

void storeChoices(ReportDialog dialog, const ChoiceControls& controls)
{
    const auto checked = [](const QList<QAbstractButton*>& options) {
        const auto found =
            std::find_if(options.cbegin(), options.cend(), [](QAbstractButton* b) { return b->isChecked(); });
        return found == options.cend() ? 0 : int(found - options.cbegin());
    };
    ReportChoices choices{{}, checked(controls.outputs), checked(controls.groupings)};
    for (QAbstractButton* box : controls.sections)
        choices.sections.append(box->isChecked());
    appState().settings().setReportChoices(dialog, choices);
}

void hideProgressBar(QProgressBar* bar)
{
    QSizePolicy policy = bar->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    bar->setSizePolicy(policy);
    bar->hide();
}

bool writeShowingProgress(QProgressBar* bar, int maximum,
                          const std::function<bool(const report::Progress&)>& write)
{
    BusyPointer busy;
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->show();
    // Writing blocks the event loop: the bar paints itself at once.
    bar->repaint();
    const bool written = write([bar](int done) { bar->setValue(done); });
    bar->hide();
    return written;
}

} // namespace reportfile

} // namespace dovra
