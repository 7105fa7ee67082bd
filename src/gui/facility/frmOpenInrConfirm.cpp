#include "facility/frmOpenInrConfirm.h"

#include "app/appstate.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

namespace dovra {

namespace {
// At most one notice at a time: a second one would clear the flag while the other still shows.
QPointer<frmOpenInrConfirm> currentNotice;
} // namespace

frmOpenInrConfirm::frmOpenInrConfirm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_lblBericht(new QLabel(this)), m_registration(std::in_place)
{
    setObjectName(QStringLiteral("frmOpenInrConfirm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(QStringLiteral("QWidget#frmOpenInrConfirm { background-color: #ffffe1; border: 1px solid "
                                 "#808080; }"));
    m_lblBericht->setObjectName(QStringLiteral("lblBericht"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addWidget(m_lblBericht);

    // A coarse timer may fire up to 5% early.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DisplayMs);
    connect(&m_timer, &QTimer::timeout, this, &frmOpenInrConfirm::timerAction);
}

frmOpenInrConfirm::~frmOpenInrConfirm()
{
    release();
}

void frmOpenInrConfirm::setBericht(const QString& text)
{
    m_lblBericht->setText(text);
    adjustSize();
}

QString frmOpenInrConfirm::bericht() const
{
    return m_lblBericht->text();
}

void frmOpenInrConfirm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().topLeft() + QPoint(ScreenMargin, ScreenMargin));
    appState().setConfirmationShowing(true);
    m_timer.start();
}

void frmOpenInrConfirm::closeEvent(QCloseEvent* event)
{
    release();
    event->accept();
}

void frmOpenInrConfirm::timerAction()
{
    m_timer.stop();
    close();
}

void frmOpenInrConfirm::release()
{
    m_timer.stop();
    if (m_registration) {
        m_registration.reset();
        appState().setConfirmationShowing(false);
    }
}

frmOpenInrConfirm* showOpenedNotice(const QString& facilityName, QWidget* parent)
{
    delete currentNotice.data();
    auto* notice = new frmOpenInrConfirm(parent);
    notice->setBericht(QStringLiteral("Geopend: ") + facilityName);
    notice->show();
    currentNotice = notice;
    return notice;
}

} // namespace dovra
