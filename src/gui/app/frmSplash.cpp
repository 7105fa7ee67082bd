#include "app/frmSplash.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "ui_frmSplash.h"
#include "widgets/opendocument.h"

#include <QGuiApplication>
#include <QScreen>

namespace dovra {

frmSplash::frmSplash(Mode mode, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmSplash>()), m_mode(mode)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    const ProgramVersion& version = appState().version();
    m_ui->lblVersie->setText(QStringLiteral("versie ") + QString::number(version.major) + QLatin1Char('.') +
                             QString::number(version.minor));
    m_ui->cmdSluiten->setVisible(mode == Mode::Info);
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    // Tells the user when no browser opens the address, rather than doing nothing.
    for (QLabel* link : {m_ui->lblOpdrachtgever, m_ui->lblSoftware, m_ui->lblIngenieursbureau})
        connect(link, &QLabel::linkActivated, this,
                [](const QString& address) { OpenWebAddress(QUrl(address)); });

    m_timer.setSingleShot(true);
    m_timer.setInterval(StartupDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &frmSplash::timerAction);
    if (mode == Mode::Startup)
        setWindowFlag(Qt::FramelessWindowHint);
}

frmSplash::~frmSplash() = default;

void frmSplash::start()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    if (appState().testBuild()) {
        messages().inform(QStringLiteral("revision=999"), applicationTitle(), MessageIcon::Critical);
        timerAction();
        return;
    }
    if (m_mode == Mode::Startup)
        m_timer.start();
}

void frmSplash::timerAction()
{
    m_timer.stop();
    if (m_mode == Mode::Startup) {
        emit startupFinished();
        messages().clearBusy();
    }
    close();
}

} // namespace dovra
