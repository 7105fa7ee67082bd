#pragma once

#include "app/screenregistration.h"
#include "reports/reportfiledialog.h"
#include "reports/reportrun.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmDoelverm;
}

namespace dovra {

// The target capital and levy report of the open facility ("Doelvermogen & heffing"): which sections,
// to the report window or a document, grouped how, and the VAT percentage of the cover.
class frmDoelverm : public QDialog
{
    Q_OBJECT
public:
    explicit frmDoelverm(QWidget* parent = nullptr);
    ~frmDoelverm() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyEnablingRules();
    void placeVatBox();
    // Takes the VAT box's value as the application's VAT percentage; false when it is refused.
    bool acceptVat();
    report::TargetCapitalReportOptions chosenOptions() const;
    void runReport();
    reportfile::ChoiceControls choiceControls() const;
    void writeDocument(report::TargetCapitalReportRun& run, report::DocumentFormat format);
    void writeScreen(report::TargetCapitalReportRun& run);

    std::unique_ptr<Ui::frmDoelverm> m_ui;
    ScreenRegistration m_registration;
};

} // namespace dovra
