#include "widgets/reporttext.h"

#include "reports/formats/screenreport.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <optional>

namespace dovra {

namespace {

const QString ReportFont = QStringLiteral("Arial");
constexpr double ReportSizePt = 8;
constexpr double CmPerInch = 2.54;
// The least room between two columns of a line.
constexpr double ColumnGapCm = 0.1;

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

// A run as it is shown, with its look.
struct ShownRun
{
    QString text;
    QTextCharFormat format;
};

// The runs of a line from its start, or from one of its tabs (with the look of that tab: a rule is a line
// of underlined tabs) and that tab's stop, to the next tab.
struct Column
{
    QTextCharFormat tab;
    std::optional<QTextOption::Tab> stop;
    QList<ShownRun> runs;
};

QList<Column> columnsOf(const report::Paragraph& paragraph, int dpi)
{
    QList<Column> columns(1);
    for (const report::Run& run : paragraph.runs) {
        const QTextCharFormat format = runFormat(run, paragraph.sizePt);
        const QStringList pieces = runText(run).split(u'\t');
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (i > 0) {
                std::optional<QTextOption::Tab> stop;
                if (const qsizetype index = columns.size() - 1; index < paragraph.tabs.size()) {
                    const report::TabStop& tab = paragraph.tabs[index];
                    stop =
                        QTextOption::Tab(qRound(tab.positionCm / CmPerInch * dpi),
                                         tab.align == report::TabStop::Align::Right ? QTextOption::RightTab
                                                                                    : QTextOption::LeftTab);
                }
                columns.append(Column{format, stop, {}});
            }
            if (!pieces[i].isEmpty())
                columns.last().runs.append(ShownRun{pieces[i], format});
        }
    }
    return columns;
}

double widthOf(const Column& column, const QPaintDevice* device)
{
    double width = 0;
    for (const ShownRun& run : column.runs)
        width += QFontMetricsF(run.format.font(), device).horizontalAdvance(run.text);
    return width;
}

// Cuts a column's text with an ellipsis to `room` pixels.
void elide(Column& column, double room, const QPaintDevice* device)
{
    for (qsizetype i = 0; i < column.runs.size(); ++i) {
        ShownRun& run = column.runs[i];
        const QFontMetricsF metrics(run.format.font(), device);
        const double width = metrics.horizontalAdvance(run.text);
        if (width > room) {
            run.text = metrics.elidedText(run.text, Qt::ElideRight, std::max(0.0, room));
            column.runs.resize(i + 1);
            return;
        }
        room -= width;
    }
}

// Puts every column with text at its own tab stop (starting there, or ending there at a right-aligned one),
// whatever the length of the texts before it. A tab whose stop a text has already passed would move that
// column, and every one after it, to the next stop: so an empty column the text before it runs into gives
// up its tab and stop (the text runs on into its room, as into a merged cell), and a text that would reach
// the next column with text is cut short, so that a gap stays between them. Columns without a stop of their
// own are left as they are.
void fitColumns(QList<Column>& columns, const QPaintDevice* device)
{
    const double gap = ColumnGapCm / CmPerInch * device->logicalDpiX();
    qsizetype last = 0; // the last column with text
    double lastStart = 0;
    double end = widthOf(columns.first(), device);
    for (qsizetype i = 1; i < columns.size() && columns[i].stop; ++i) {
        Column& column = columns[i];
        const double width = widthOf(column, device);
        const bool right = column.stop->type == QTextOption::RightTab;
        const double start = right ? column.stop->position - width : column.stop->position;
        if (column.runs.isEmpty()) {
            if (end > start - gap)
                column.stop.reset();
            else
                end = column.stop->position;
            continue;
        }
        if (end > start - gap)
            elide(columns[last], start - gap - lastStart, device);
        last = i;
        lastStart = start;
        end = start + width;
    }
}

void appendParagraph(QTextCursor& cursor, const report::Paragraph& paragraph, bool first,
                     const QPaintDevice* device)
{
    QList<Column> columns = columnsOf(paragraph, device->logicalDpiX());
    fitColumns(columns, device);
    QList<QTextOption::Tab> tabs;
    for (const Column& column : std::as_const(columns)) {
        if (column.stop)
            tabs.append(*column.stop);
    }
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
    for (qsizetype i = 0; i < columns.size(); ++i) {
        // A column without a stop of its own keeps its tab unless it gave the stop up.
        const bool gaveUp = !columns[i].stop && i - 1 < paragraph.tabs.size();
        if (i > 0 && !gaveUp)
            cursor.insertText(QStringLiteral("\t"), columns[i].tab);
        for (const ShownRun& run : columns[i].runs)
            cursor.insertText(run.text, run.format);
    }
}

} // namespace

void showReport(QTextEdit* edit, const report::ScreenReport& report)
{
    edit->clear();
    edit->document()->setDefaultFont(QFont(ReportFont, int(ReportSizePt)));
    QTextCursor cursor(edit->document());
    bool first = true;
    for (const report::Paragraph& paragraph : report.paragraphs()) {
        appendParagraph(cursor, paragraph, first, edit);
        first = false;
    }
    cursor.movePosition(QTextCursor::Start);
    edit->setTextCursor(cursor);
}

} // namespace dovra
