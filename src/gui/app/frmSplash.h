#pragma once

#include "app/screenregistration.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace Ui {
class frmSplash;
}

namespace dovra {

// The splash window. At start-up it hands over to the facility list after 2.5 seconds;
// opened from Help > Info it stays until the user closes it.
class frmSplash : public QDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Startup,
        Info
    };
    static constexpr int StartupDelayMs = 2500;

    frmSplash(Mode mode, QWidget* parent = nullptr);
    ~frmSplash() override;

    Mode mode() const { return m_mode; }
    bool timerActive() const { return m_timer.isActive(); }

    // Shows the window; a test build reports itself and runs the timer action at once.
    void start();

signals:
    // The start-up splash is done: the facility list is to be shown.
    void startupFinished();

private:
    void timerAction();

    std::unique_ptr<Ui::frmSplash> m_ui;
    ScreenRegistration m_registration;
    Mode m_mode;
    QTimer m_timer;
};

} // namespace dovra
