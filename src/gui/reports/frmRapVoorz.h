#pragma once

#include "app/screenregistration.h"
#include "reports/reportfiledialog.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmRapVoorz;
}

namespace dovra {

// The input data report of the open facility ("Rapportage ingevoerde data"): the chosen sections into a
// document the user names.
class frmRapVoorz : public QDialog
{
    Q_OBJECT
public:
    explicit frmRapVoorz(QWidget* parent = nullptr);
    ~frmRapVoorz() override;

private:
    void runReport();
    reportfile::ChoiceControls choiceControls() const;

    std::unique_ptr<Ui::frmRapVoorz> m_ui;
    ScreenRegistration m_registration;
};

} // namespace dovra
