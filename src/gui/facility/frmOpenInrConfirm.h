#pragma once

#include "app/screenregistration.h"

#include <QTimer>
#include <QWidget>

#include <optional>

class QLabel;

namespace dovra {

// The short notice in the top left corner of the screen that tells which facility was opened.
// While it shows, the main window lets a command through although a second window is loaded.
class frmOpenInrConfirm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DisplayMs = 3000;
    // 500 twips at 96 dpi.
    static constexpr int ScreenMargin = 33;

    explicit frmOpenInrConfirm(QWidget* parent = nullptr);
    ~frmOpenInrConfirm() override;

    void setBericht(const QString& text);
    QString bericht() const;
    bool timerActive() const { return m_timer.isActive(); }

public slots:
    // Ends the notice; runs when the display time is over.
    void timerAction();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void release();

    QLabel* m_lblBericht;
    QTimer m_timer;
    // Released as soon as the notice closes, so a command run right after it is not refused.
    std::optional<ScreenRegistration> m_registration;
};

// Shows "Geopend: " + facilityName, replacing a notice that is still showing.
frmOpenInrConfirm* showOpenedNotice(const QString& facilityName, QWidget* parent);

} // namespace dovra
