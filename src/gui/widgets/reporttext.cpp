#include "widgets/reporttext.h"

#include "reports/screenreport.h"

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

void appendParagraph(QTextCursor& cursor, const report::Paragraph& paragraph, bool first, int dpi)
{
    QList<QTextOption::Tab> tabs;
    for (const report::TabStop& stop : paragraph.tabs)
        tabs.append(QTextOption::Tab(qRound(stop.positionCm / CmPerInch * dpi),
                                     stop.align == report::TabStop::Align::Right ? QTextOption::RightTab
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

} // namespace

void showReport(QTextEdit* edit, const report::ScreenReport& report)
{
    edit->clear();
    edit->document()->setDefaultFont(QFont(ReportFont, int(ReportSizePt)));
    QTextCursor cursor(edit->document());
    bool first = true;
    for (const report::Paragraph& paragraph : report.paragraphs()) {
        appendParagraph(cursor, paragraph, first, edit->logicalDpiX());
        first = false;
    }
    cursor.movePosition(QTextCursor::Start);
    edit->setTextCursor(cursor);
}

} // namespace dovra
