#pragma once

#include "app/screenregistration.h"
#include "overview/facilityoverview.h"

#include <QDialog>
#include <QPointer>

#include <atomic>
#include <memory>
#include <optional>

class QThread;
QT_FORWARD_DECLARE_CLASS(QChartView)

namespace Ui {
class frmOverzicht;
}

namespace dovra {

class OverviewModel;
class OverviewFilterModel;

// "Overzicht inrichtingen": every facility of the data file with its figures, sortable and filtered on
// province and type, the totals per province and a chart of the target capitals coloured by province, to be
// exported as a spreadsheet. The
// facilities are calculated in a worker thread on a workspace of its own; a run that takes longer than half
// a second shows its progress and can be cancelled. A double-click opens the facility.
class frmOverzicht : public QDialog
{
    Q_OBJECT
public:
    explicit frmOverzicht(QWidget* parent = nullptr);
    ~frmOverzicht() override;

protected:
    void done(int result) override;

private:
    void start();
    void showProgress(int done, int total);
    void finish(std::optional<FacilityOverview> overview);
    void stopWorker();
    void fillFilterChoices(const std::vector<OverviewRow>& rows);
    void applyFilter();
    void showTotals(const std::vector<OverviewRow>& rows);
    void showChart(const std::vector<OverviewRow>& rows);
    void openFacility(const QModelIndex& index);
    // Writes the rows shown, with their totals, as a spreadsheet where the user chooses.
    void exportWorkbook();

    std::unique_ptr<Ui::frmOverzicht> m_ui;
    // Released as soon as the window closes, so the facility it opens can be worked on.
    std::optional<ScreenRegistration> m_registration;
    OverviewModel* m_model;
    OverviewFilterModel* m_filtered;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_cancelled{false};
    QPointer<QChartView> m_chart;
};

} // namespace dovra
