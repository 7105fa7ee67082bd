#pragma once

#include "app/screenregistration.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class frmInrNieuwDialog;
}

namespace dovra {

// Asks the name and type of a new facility, creates and opens it, and hands over to the
// general data screen.
class frmInrNieuwDialog : public QDialog
{
    Q_OBJECT
public:
    explicit frmInrNieuwDialog(QWidget* parent = nullptr);
    ~frmInrNieuwDialog() override;

    // Opens the general data screen of the new facility; runs after this dialog has closed.
    void setOpenGeneralData(std::function<void()> openGeneralData);

    // Creates the facility as entered; the dialog stays open when the name is refused.
    void CreateFacility();

protected:
    void done(int result) override;

private:
    void updateOk();
    int chosenType() const;

    std::unique_ptr<Ui::frmInrNieuwDialog> m_ui;
    // Released as soon as the dialog closes: the general data screen opens right after.
    std::optional<ScreenRegistration> m_registration;
    std::function<void()> m_openGeneralData;
};

// Shows the dialog as a modal window.
frmInrNieuwDialog* openNewFacilityDialog(QWidget* parent, std::function<void()> openGeneralData);

} // namespace dovra
