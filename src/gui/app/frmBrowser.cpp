#include "app/frmBrowser.h"

#include "ui_frmBrowser.h"
#include "widgets/opendocument.h"

#include <QStyle>

namespace dovra {

namespace {
const QString waitCaption = QStringLiteral("Even geduld a.u.b. ...");
}

frmBrowser::frmBrowser(const QUrl& home, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmBrowser>()), m_home(home)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<QAction*, QStyle::StandardPixmap> icons[] = {
        {m_ui->Back, QStyle::SP_ArrowBack},
        {m_ui->Forward, QStyle::SP_ArrowForward},
        {m_ui->Refresh, QStyle::SP_BrowserReload},
        {m_ui->Home, QStyle::SP_DirHomeIcon},
        {m_ui->Search, QStyle::SP_FileDialogContentsView},
        {m_ui->Stop, QStyle::SP_BrowserStop}};
    for (const auto& [action, icon] : icons)
        action->setIcon(style()->standardIcon(icon));

    WebTextBrowser* page = m_ui->txtPagina;
    page->setOpenLinks(false);
    connect(page, &QTextBrowser::anchorClicked, this, &frmBrowser::followLink);
    connect(page, &WebTextBrowser::loadStarted, this, [this] {
        setLoading(true);
        setWindowTitle(waitCaption);
    });
    connect(page, &QTextBrowser::sourceChanged, this, [this](const QUrl& address) {
        setLoading(false);
        showPageTitle(address);
    });
    connect(page, &QTextBrowser::backwardAvailable, m_ui->Back, &QAction::setEnabled);
    connect(page, &QTextBrowser::forwardAvailable, m_ui->Forward, &QAction::setEnabled);
    connect(m_ui->Back, &QAction::triggered, page, &QTextBrowser::backward);
    connect(m_ui->Forward, &QAction::triggered, page, &QTextBrowser::forward);
    connect(m_ui->Refresh, &QAction::triggered, page, &QTextBrowser::reload);
    connect(m_ui->Home, &QAction::triggered, page, &QTextBrowser::home);
    // Also while a page loads (the toolbar is disabled then), so the window always closes from the keyboard.
    m_ui->Sluiten->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    addAction(m_ui->Sluiten);
    connect(m_ui->Sluiten, &QAction::triggered, this, &QWidget::close);
}

frmBrowser::~frmBrowser() = default;

void frmBrowser::open()
{
    show();
    m_ui->txtPagina->setSource(m_home);
}

void frmBrowser::setLoading(bool loading)
{
    // The fetch handles events while it waits; a second navigation meanwhile would tangle the history.
    m_loading = loading;
    m_ui->tbBrowser->setEnabled(!loading);
}

void frmBrowser::followLink(const QUrl& link)
{
    if (m_loading)
        return;
    const QUrl target = m_ui->txtPagina->source().resolved(link);
    if (target.host() == m_home.host())
        m_ui->txtPagina->setSource(target);
    else
        OpenWebAddress(target);
}

void frmBrowser::showPageTitle(const QUrl& address)
{
    // The browser's source() moves on only after this signal; the signal has the new address.
    const QString title = m_ui->txtPagina->documentTitle();
    setWindowTitle(title.isEmpty() ? address.toString() : title);
}

} // namespace dovra
