#include "update/frmUpdateCheck.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "storage/workspace.h"
#include "ui_frmUpdateCheck.h"
#include "update/frmUpdateProxy.h"
#include "update/httpfetch.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace dovra {

frmUpdateCheck::frmUpdateCheck(std::function<void()> endProgram, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmUpdateCheck>()), m_endProgram(std::move(endProgram))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_ui->chkUpdate->setChecked(appState().proxy().autoUpdateOnStart);
    m_ui->lblVerbinding->setText(connectionDescription(updateFolder(appState().settings().updateAddress())));
    connect(m_ui->cmdGet, &QPushButton::clicked, this, &frmUpdateCheck::checkNow);
    connect(m_ui->cmdProxysettings, &QPushButton::clicked, this, [this] { frmUpdateProxy(this).exec(); });
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QWidget::close);
}

frmUpdateCheck::~frmUpdateCheck() = default;

UpdateOffer frmUpdateCheck::check(const ProxyPreferences& proxy)
{
    m_fetcher = std::make_unique<HttpFetcher>(proxy);
    const Workspace& workspace = appState().workspace();
    m_base = updateFolder(appState().settings().updateAddress());
    m_ui->lblVerbinding->setText(connectionDescription(m_base));
    m_check =
        checkForUpdates(*m_fetcher, m_base, workspace.version().number(), workspace.checklistSequence());
    return m_check.offer;
}

void frmUpdateCheck::checkNow()
{
    const UpdateOffer offer = check(appState().proxy());
    switch (updateOfferKind(offer)) {
    case UpdateOfferKind::Current:
        messages().inform(QStringLiteral("Op deze pc zijn de nieuwste versies van ") + applicationTitle() +
                              QStringLiteral(" en het checklistbestand reeds geïnstalleerd."),
                          QStringLiteral("Controle op updates"), MessageIcon::Information);
        close();
        break;
    case UpdateOfferKind::Failed:
        tellUpdateServerUnreachable(offer);
        break;
    case UpdateOfferKind::InMaintenance:
        tellUpdateInMaintenance();
        close();
        break;
    case UpdateOfferKind::Available:
        if (!askToDownloadUpdate(offer) ||
            !startDownload(offer.checklistStatus == 1, offer.programStatus == 1))
            close();
        break;
    }
}

bool frmUpdateCheck::startDownload(bool checklist, bool program)
{
    QWidget::show();
    const QString programFolder = appState().workspace().paths().programDir();
    DownloadRequest request{checklist, program, programFolder, 1 + ScreenRegistration::loadedScreens() > 2};
    // The window stays until the download has ended: it shows the progress.
    m_downloading = true;
    setEnabled(false);
    const DownloadOutcome outcome =
        runUpdateDownload({*m_fetcher, m_base, this}, m_check, appState().workspace(), request,
                          [] { appState().readChecklistSystemValues(); });
    m_downloading = false;
    setEnabled(true);
    hideProgress();
    if (outcome != DownloadOutcome::HandOver)
        return false;
    // The updater waits for this program to end, replaces its files and starts it again.
    const QString executable =
        QDir(programFolder).filePath(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    const QString argument = executable + u'|' + applicationTitle();
    QProcess::startDetached(QDir(programFolder).filePath(QLatin1String(UpdaterProgramName)), {argument});
    close();
    m_endProgram();
    return true;
}

void frmUpdateCheck::closeEvent(QCloseEvent* event)
{
    if (m_downloading) {
        event->ignore();
        return;
    }
    ProxyPreferences proxy = appState().proxy();
    proxy.autoUpdateOnStart = m_ui->chkUpdate->isChecked();
    appState().storeProxyPreferences(proxy);
    event->accept();
}

void frmUpdateCheck::showFile(const QString& fileName, int maximum)
{
    m_ui->lblFileNaam->setText(QStringLiteral("Downloaden: ") + fileName);
    m_ui->lblFileNaam->setVisible(true);
    m_ui->prgDownload->setVisible(maximum > 0);
    m_ui->prgDownload->setRange(0, maximum);
    m_ui->prgDownload->setValue(0);
}

void frmUpdateCheck::advance(int blocks)
{
    m_ui->prgDownload->setValue(blocks);
}

void frmUpdateCheck::hideProgress()
{
    m_ui->lblFileNaam->setVisible(false);
    m_ui->prgDownload->setVisible(false);
}

} // namespace dovra
