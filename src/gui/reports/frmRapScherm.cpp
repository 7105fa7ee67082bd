#include "reports/frmRapScherm.h"

#include "widgets/reporttext.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QTabWidget>
#include <QTextEdit>

namespace dovra {

namespace {

constexpr double CmPerInch = 2.54;

} // namespace

frmRapScherm::frmRapScherm(QWidget* parent)
    : QDialog(parent), m_text(new QTextEdit(this)), m_close(new QPushButton(QStringLiteral("&Sluiten"), this))
{
    setObjectName(QStringLiteral("frmRapScherm"));
    setWindowTitle(QStringLiteral("Rapportage"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    m_text->setObjectName(QStringLiteral("txtRap"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    m_close->setObjectName(QStringLiteral("cmdSluiten"));
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    setMinimumSize(pixels(6), pixels(4));
    // Wide enough for the rightmost column of the target capital report.
    resize(pixels(21), pixels(15));
}

frmRapScherm::~frmRapScherm() = default;

int frmRapScherm::pixels(double cm) const
{
    return qRound(cm / CmPerInch * logicalDpiX());
}

void frmRapScherm::show(const report::ScreenReport& report)
{
    showReport(m_text, report);
    show();
}

void frmRapScherm::addPage(QWidget* page, const QString& title)
{
    if (!m_tabs) {
        m_tabs = new QTabWidget(this);
        m_tabs->setObjectName(QStringLiteral("tabRap"));
        m_tabs->addTab(m_text, QStringLiteral("Rapport"));
        m_tabs->show();
        setTabOrder(m_tabs, m_close);
    }
    m_tabs->addTab(page, title);
    layoutContents();
}

void frmRapScherm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutContents();
}

void frmRapScherm::layoutContents()
{
    // The text (or the pages) takes the width less 0.5 cm and the height less 1 cm, with the button in the
    // strip below; a button taller than that strip widens it.
    const int margin = pixels(0.25);
    const QSize button = m_close->sizeHint();
    const int strip = std::max(pixels(0.75), button.height() + margin);
    const QSize inner = size();
    QWidget* contents = m_tabs ? static_cast<QWidget*>(m_tabs) : m_text;
    contents->setGeometry(margin, margin, std::max(0, inner.width() - 2 * margin),
                          std::max(0, inner.height() - margin - strip));
    m_close->setGeometry(inner.width() - margin - button.width(),
                         contents->geometry().bottom() + 1 + (strip - button.height()) / 2, button.width(),
                         button.height());
}

} // namespace dovra
