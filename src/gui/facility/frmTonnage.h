#pragma once

#include "app/screenregistration.h"
#include "facility/clsTonnage.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmTonnage;
}

namespace dovra {

class TonnageDelegate;
class TonnageModel;

// The waste supply forecast of a facility. It only closes through "Sluiten", which checks that the
// years form an unbroken run, because the levy calculations rely on that.
class frmTonnage : public QDialog
{
    Q_OBJECT
public:
    explicit frmTonnage(int facilityId, QWidget* parent = nullptr);
    ~frmTonnage() override;

    // Closes without the check, for the program itself (shutting down, closing the facility).
    bool closeByProgram();

public slots:
    // Escape ends up here; refused like every other way round the check.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeChecked();
    void commitPendingEdit();
    void deleteCurrentRow();
    void showTotal();
    void refuseClose();

    std::unique_ptr<Ui::frmTonnage> m_ui;
    ScreenRegistration m_registration;
    clsTonnage m_forecast;
    TonnageModel* m_model;
    TonnageDelegate* m_delegate;
    bool m_closeAllowed = false;
};

} // namespace dovra
