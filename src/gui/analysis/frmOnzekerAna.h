#pragma once

#include "app/screenregistration.h"
#include "calc/uncertainty.h"
#include "reports/formats/reportdocument.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class frmOnzekerAna;
}

class QThread;

namespace dovra {

// The uncertainty analysis of the open facility ("Onzekerheidsanalyse"): how interest, inflation and the
// costs per rubric are drawn, how many draws, and where the report goes. The draws run on other threads
// with a progress bar; a run that is stopped shows nothing.
class frmOnzekerAna : public QDialog
{
    Q_OBJECT
public:
    explicit frmOnzekerAna(QWidget* parent = nullptr);
    ~frmOnzekerAna() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyChoices();
    // The settings as typed; empty (after telling) when a box holds no number or they cannot be run.
    std::optional<UncertaintySettings> typedSettings();
    void run();
    void finish();
    void stop();
    void setRunning(bool running);

    std::unique_ptr<Ui::frmOnzekerAna> m_ui;
    ScreenRegistration m_registration;
    // Of the run under way.
    std::optional<TargetCapitalInputs> m_inputs;
    std::optional<UncertaintyAnalysis> m_result;
    UncertaintyControl m_control;
    QThread* m_thread = nullptr;
    QTimer m_progress;
    QString m_path; // the document of the run; empty for the screen
    report::DocumentFormat m_format = report::DocumentFormat::Word;
};

} // namespace dovra
