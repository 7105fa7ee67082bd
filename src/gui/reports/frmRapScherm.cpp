#include "reports/frmRapScherm.h"

#include "reports/screenreport.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace dovra {

namespace {

const QString ReportFont = QStringLiteral("Arial");
constexpr double ReportSizePt = 8;
constexpr double CmPerInch = 2.54;

Qt::Alignment alignment(report::Alignment value)
{
    switch (value) {
    case report::Alignment::Right:
        return Qt::AlignRight;
    case report::Alignment::Centre:
        return Qt::AlignHCenter;
    case report::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat textFormat(double sizePt)
{
    QTextCharFormat format;
    format.setFontFamilies({ReportFont});
    format.setFontPointSize(sizePt);
    return format;
}

QTextCharFormat runFormat(const report::Run& run, double paragraphSizePt)
{
    QTextCharFormat format = textFormat(run.sizePt > 0 ? run.sizePt : paragraphSizePt);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    if (run.colour)
        format.setForeground(QColor(QRgb(*run.colour)));
    return format;
}

// The symbol font need not be installed: its characters are drawn with look-alikes in the text font.
QString runText(const report::Run& run)
{
    if (run.font != report::Font::Wingdings)
        return run.text;
    QString text;
    for (const QChar code : run.text)
        text += report::symbolLookAlike(code.unicode());
    return text;
}

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
    m_text->clear();
    m_text->document()->setDefaultFont(QFont(ReportFont, int(ReportSizePt)));
    QTextCursor cursor(m_text->document());
    bool first = true;
    for (const report::Paragraph& paragraph : report.paragraphs()) {
        appendParagraph(cursor, paragraph, first);
        first = false;
    }
    cursor.movePosition(QTextCursor::Start);
    m_text->setTextCursor(cursor);
    show();
}

void frmRapScherm::appendParagraph(QTextCursor& cursor, const report::Paragraph& paragraph, bool first) const
{
    QList<QTextOption::Tab> tabs;
    for (const report::TabStop& stop : paragraph.tabs)
        tabs.append(QTextOption::Tab(pixels(stop.positionCm), stop.align == report::TabStop::Align::Right
                                                                  ? QTextOption::RightTab
                                                                  : QTextOption::LeftTab));
    QTextBlockFormat block;
    block.setTabPositions(tabs);
    block.setAlignment(alignment(paragraph.alignment));
    // The paragraph's size also sets the height of an empty line.
    const QTextCharFormat lineFormat = textFormat(paragraph.sizePt);
    if (first) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(lineFormat);
    } else {
        cursor.insertBlock(block, lineFormat);
    }
    for (const report::Run& run : paragraph.runs)
        cursor.insertText(runText(run), runFormat(run, paragraph.sizePt));
}

void frmRapScherm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The text takes the width less 0.5 cm and the height less 1 cm, with the button in the strip below;
    // a button taller than that strip widens it.
    const int margin = pixels(0.25);
    const QSize button = m_close->sizeHint();
    const int strip = std::max(pixels(0.75), button.height() + margin);
    const QSize inner = event->size();
    m_text->setGeometry(margin, margin, std::max(0, inner.width() - 2 * margin),
                        std::max(0, inner.height() - margin - strip));
    m_close->setGeometry(inner.width() - margin - button.width(),
                         m_text->geometry().bottom() + 1 + (strip - button.height()) / 2, button.width(),
                         button.height());
}

} // namespace dovra
