#pragma once

#include "app/screenregistration.h"
#include "update/updatecheck.h"
#include "update/updatedownload.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class frmUpdateCheck;
}

namespace dovra {

class HttpFetcher;

// The update window: asks the update server what is new, offers it, and downloads it with a progress bar.
// Start-up uses it unseen for its own check. New program files go to the updater, which needs the program
// ended: endProgram closes the main window.
class frmUpdateCheck : public QDialog, public UpdateService, private DownloadProgress
{
    Q_OBJECT
public:
    explicit frmUpdateCheck(std::function<void()> endProgram, QWidget* parent = nullptr);
    ~frmUpdateCheck() override;

    // Asks the server; the answer is kept for the download, which goes through the same connection.
    UpdateOffer check(const ProxyPreferences& proxy) override;
    void closeWindow() override { close(); }
    // Downloads what the last check offered, showing the window; true when the updater took over.
    bool startDownload(bool checklist, bool program) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override { close(); }

private:
    void checkNow();
    void showFile(const QString& fileName, int maximum) override;
    void advance(int blocks) override;
    void hideProgress() override;

    std::unique_ptr<Ui::frmUpdateCheck> m_ui;
    ScreenRegistration m_registration;
    std::function<void()> m_endProgram;
    // The connection and the folder of the last check, which the download uses too.
    std::unique_ptr<HttpFetcher> m_fetcher;
    QUrl m_base;
    UpdateCheck m_check;
    bool m_downloading = false;
};

} // namespace dovra
