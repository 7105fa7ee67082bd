#include "facility/frmVersiebeheer.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "facility/frmAlgemeen.h"
#include "reports/formats/screenreport.h"
#include "reports/versioncomparison.h"
#include "ui_frmVersiebeheer.h"
#include "widgets/reporttext.h"

#include <QListWidget>

namespace dovra {

namespace {

constexpr int KeyRole = Qt::UserRole;

} // namespace

frmVersiebeheer::frmVersiebeheer(std::function<bool()> closeGeneralData, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmVersiebeheer>()),
      m_closeGeneralData(std::move(closeGeneralData)), m_facilityId(appState().facility().id),
      m_facilityName(appState().facility().name)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    const OpenFacilityState& facility = appState().facility();
    m_versions = newerChecklistVersions(appState().workspace(), facility.type, facility.checklistVersion)
                     .value_or(QList<ChecklistVersionEntry>());
    for (const ChecklistVersionEntry& version : m_versions) {
        auto* entry = new QListWidgetItem(version.text, m_ui->lst1);
        entry->setData(KeyRole, version.key());
    }
    connect(m_ui->lst1, &QListWidget::currentRowChanged, this, &frmVersiebeheer::showComparison);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmVersiebeheer::apply);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    m_ui->cmdOK->setEnabled(!m_versions.isEmpty());
    if (!m_versions.isEmpty())
        m_ui->lst1->setCurrentRow(0);
}

frmVersiebeheer::~frmVersiebeheer() = default;

bool frmVersiebeheer::NieuwereChecklistBeschikbaar() const
{
    return !m_versions.isEmpty();
}

const ChecklistVersionEntry* frmVersiebeheer::selectedVersion() const
{
    const int row = m_ui->lst1->currentRow();
    return row >= 0 && row < m_versions.size() ? &m_versions[row] : nullptr;
}

void frmVersiebeheer::showComparison()
{
    const ChecklistVersionEntry* version = selectedVersion();
    if (!version)
        return;
    BusyPointer busy;
    report::ScreenReport changed, added, removed, consequences;
    const report::VersionComparison comparison = report::writeVersionComparison(
        appState().workspace(), m_facilityId, version->id, {changed, added, removed, consequences});
    if (!comparison.failure.isEmpty())
        consequences.paragraph(report::Paragraph(comparison.failure));
    const report::ComparisonCaptions captions = report::comparisonCaptions(version->text);
    m_ui->lblGewijzigd->setText(captions.changed);
    m_ui->lblToegevoegd->setText(captions.added);
    m_ui->lblVerwijderd->setText(captions.removed);
    m_ui->lblGevolgen->setText(captions.consequences);
    showReport(m_ui->txtRapGewijzigd, changed);
    showReport(m_ui->txtRapToegevoegd, added);
    showReport(m_ui->txtRapVerwijderd, removed);
    showReport(m_ui->txtRapAct, consequences);
    m_factor = comparison.factor;
    m_ui->cmdOK->setEnabled(comparison.failure.isEmpty());
}

void frmVersiebeheer::apply()
{
    const ChecklistVersionEntry* version = selectedVersion();
    if (!version)
        return;
    BusyPointer busy;
    if (!messages().askYesNo(versionChangeQuestion(version->text, m_facilityName, m_factor),
                             QStringLiteral("Bevestiging wijzigen checklistkeuze"), MessageIcon::Question,
                             MessageAnswer::No))
        return;
    if (!m_closeGeneralData())
        return;
    const VersionChange change = applyVersionChange(appState().workspace(), m_facilityId, version->id);
    if (change.applied)
        messages().inform(versionChangeDone(m_facilityName, version->text),
                          QStringLiteral("Wijzigen checklistversie"), MessageIcon::Information);
    else
        messages().inform(versionChangeFailed() + u'\n' + change.failure,
                          QStringLiteral("Wijzigen checklistversie"), MessageIcon::Critical);
    appState().reloadFacility();
    // Opening the general data window completes the change: it takes the version's price level year.
    (new frmAlgemeen(parentWidget()))->show();
    close();
}

} // namespace dovra
