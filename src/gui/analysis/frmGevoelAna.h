#pragma once

#include "app/screenregistration.h"
#include "calc/sensitivity.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmGevoelAna;
}

namespace dovra {

// The sensitivity analysis of the open facility ("Gevoeligheidsanalyse"): what varies, over which range
// of the slider (half percents) in how many steps, or one alternative pair of rates.
class frmGevoelAna : public QDialog
{
    Q_OBJECT
public:
    explicit frmGevoelAna(QWidget* parent = nullptr);
    ~frmGevoelAna() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SensitivityMode mode() const;
    void applyMode();
    void showSelection();
    // Checks a rate box being left; false (after telling) when its value is refused.
    bool checkRate(bool interest);
    void run();

    std::unique_ptr<Ui::frmGevoelAna> m_ui;
    ScreenRegistration m_registration;
};

} // namespace dovra
