#pragma once

#include "app/screenregistration.h"

#include <QMainWindow>
#include <QUrl>

#include <memory>

namespace Ui {
class frmBrowser;
}

namespace dovra {

// The online help: a plain browser on the publisher's site. Links to other sites open in the desktop's
// own browser; the window stays on the site it started on.
class frmBrowser : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmBrowser(const QUrl& home, QWidget* parent = nullptr);
    ~frmBrowser() override;

    // Shows the window, then fetches the start page.
    void open();

private:
    void setLoading(bool loading);
    void followLink(const QUrl& link);
    void showPageTitle(const QUrl& address);

    std::unique_ptr<Ui::frmBrowser> m_ui;
    ScreenRegistration m_registration;
    QUrl m_home;
    bool m_loading = false;
};

} // namespace dovra
