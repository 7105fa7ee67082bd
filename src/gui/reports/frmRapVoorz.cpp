#include "reports/frmRapVoorz.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "reports/reportfiledialog.h"
#include "reports/reportrun.h"
#include "ui_frmRapVoorz.h"
#include "widgets/opendocument.h"

namespace dovra {

frmRapVoorz::frmRapVoorz(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmRapVoorz>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    reportfile::hideProgressBar(m_ui->ProgressBar1);
    m_ui->cmdRapporteer->setDefault(true);
    connect(m_ui->cmdRapporteer, &QPushButton::clicked, this, &frmRapVoorz::runReport);
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    reportfile::restoreChoices(ReportDialog::InputData, choiceControls());
}

frmRapVoorz::~frmRapVoorz() = default;

reportfile::ChoiceControls frmRapVoorz::choiceControls() const
{
    return {{m_ui->chkAlg, m_ui->chkVoorz, m_ui->chkAct, m_ui->chkRapUnselectedCLitems},
            {m_ui->optRapNaar2, m_ui->optRapNaar3},
            {}};
}

void frmRapVoorz::runReport()
{
    // The toolbar offers this report before a facility is open; there is nothing to report then.
    if (appState().facility().id == 0) {
        messages().inform(QStringLiteral("Er is geen inrichting geopend."),
                          QStringLiteral("Rapportage ingevoerde gegevens"), MessageIcon::Information);
        return;
    }
    reportfile::storeChoices(ReportDialog::InputData, choiceControls());
    const report::DocumentFormat format =
        m_ui->optRapNaar3->isChecked() ? report::DocumentFormat::Pdf : report::DocumentFormat::Word;
    const QString path = reportfile::choose(QStringLiteral("Rapp invoer"), format);
    if (path.isEmpty())
        return;
    const report::InputReportOptions options{m_ui->chkAlg->isChecked(), m_ui->chkVoorz->isChecked(),
                                             m_ui->chkAct->isChecked(),
                                             m_ui->chkRapUnselectedCLitems->isChecked()};
    // The sections report no steps: the bar only shows that the report is being written.
    const bool written =
        reportfile::writeShowingProgress(m_ui->ProgressBar1, 0, [&](const report::Progress&) {
            return report::writeInputReportDocument(options, path, format,
                                                    reportfile::currentReportContext());
        });
    if (written)
        reportfile::offerToOpen(path, QStringLiteral("Rapportage ingevoerde gegevens"));
}

} // namespace dovra
