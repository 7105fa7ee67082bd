#include "reports/formats/pdfdocument.h"

#include "base/formats.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <optional>

namespace dovra::report {

namespace {

// Page coordinates in dots of 1/1200 inch: fine enough that nothing rounds visibly.
constexpr int Resolution = 1200;
// The .docx's cell margins (57 twips left and right), its default tab interval and its rules (½ pt).
constexpr double CellMarginCm = 57 / 1440.0 * 2.54;
constexpr double DefaultTabCm = 1.27;
constexpr double BorderPt = 0.5;
// The empty paragraph of a rule row only carries the rule; low, so the rule sits under the row above.
constexpr double RuleRowSizePt = 2;

// Fontconfig gives a metric-compatible font where Arial is missing, so lines break where Word breaks them.
const QString TextFamily = QStringLiteral("Arial");
// The origin marks are drawn as look-alikes from a free font that has them.
const QString SymbolFamily = QStringLiteral("DejaVu Sans");
constexpr QChar WordJoiner(0x2060);

double dots(double cm)
{
    return cm / 2.54 * Resolution;
}

double pointDots(double pt)
{
    return pt / 72.0 * Resolution;
}

// What the fields of one page show.
struct FieldValues
{
    int page = 0;
    int pages = 0;
    QDateTime printed;
};

// A date picture as Word reads it ("d-MMM-yyyy H:mm") in the pattern of the program's formats ("d-mmm-yyyy
// h:nn").
QString datePattern(const QString& picture)
{
    QString pattern;
    for (const QChar c : picture)
        pattern += c == u'M' ? QChar(u'm') : c == u'm' ? QChar(u'n') : c == u'H' ? QChar(u'h') : c;
    return pattern;
}

QString runText(const Run& run, const FieldValues& fields)
{
    switch (run.field) {
    case FieldKind::Page:
        return QString::number(fields.page);
    case FieldKind::NumPages:
        return QString::number(fields.pages);
    case FieldKind::Date:
        return formats::dateTime(fields.printed, datePattern(run.datePicture));
    case FieldKind::None:
        break;
    }
    QString text;
    for (qsizetype i = 0; i < run.text.size(); ++i) {
        const QChar c = run.text[i];
        if (run.font == Font::Wingdings)
            text += symbolLookAlike(c.unicode());
        else if (c == u'\n')
            text += QChar::LineSeparator;
        else if (c == u'\t' || c.unicode() >= 0x20)
            text += c; // as in the .docx, other control characters are left out
        // A word processor keeps "€0.26/m2" on one line; Qt would end a line after the slash.
        if (c == u'/' && i + 1 < run.text.size() && run.text[i + 1].isLetterOrNumber())
            text += WordJoiner;
    }
    return text;
}

// The word joiner comes from a fallback font with a higher line; set this small, it adds nothing to the line.
void insertText(QTextCursor& cursor, const QString& text, const QTextCharFormat& format)
{
    QTextCharFormat joiner = format;
    joiner.setFontPointSize(1);
    const QStringList pieces = text.split(WordJoiner);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            cursor.insertText(QString(WordJoiner), joiner);
        if (!pieces[i].isEmpty())
            cursor.insertText(pieces[i], format);
    }
}

bool hasFields(const Paragraph& paragraph)
{
    return std::any_of(paragraph.runs.cbegin(), paragraph.runs.cend(),
                       [](const Run& run) { return run.field != FieldKind::None; });
}

QTextCharFormat characterFormat(const Run& run, double paragraphSize)
{
    QTextCharFormat format;
    format.setFontFamilies({run.font == Font::Wingdings ? SymbolFamily : TextFamily});
    format.setFontPointSize(run.sizePt > 0 ? run.sizePt : paragraphSize);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setForeground(QColor::fromRgb(run.colour.value_or(0)));
    return format;
}

Qt::Alignment alignmentOf(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// A paragraph and the column it is laid out in, from the left of its row.
struct Column
{
    Paragraph paragraph;
    double left = 0;
    double width = 0;
};

QTextBlockFormat blockFormat(const Paragraph& paragraph, const Column& column, double rowWidth,
                             double tabScale)
{
    QTextBlockFormat block;
    block.setAlignment(alignmentOf(paragraph.alignment));
    block.setLeftMargin(column.left);
    block.setRightMargin(rowWidth - column.left - column.width);
    QList<QTextOption::Tab> tabs;
    for (const TabStop& stop : paragraph.tabs)
        tabs.append(QTextOption::Tab(dots(stop.positionOn(column.width / dots(1))) * tabScale,
                                     stop.align == TabStop::Align::Right ? QTextOption::RightTab
                                                                         : QTextOption::LeftTab));
    block.setTabPositions(tabs);
    return block;
}

// The paragraphs of a row side by side (the cells of a table row, or one paragraph), and where their lines
// are, so that a page may end between two of them. One document holds them all, a block per paragraph with
// margins that put it in its column: a document per cell would cost many times more time and memory.
class TextBox
{
public:
    TextBox(const QList<Column>& columns, double width, const FieldValues& fields, QPaintDevice* device,
            double tabScale)
        : m_columns(columns), m_width(width),
          m_fields(std::any_of(columns.cbegin(), columns.cend(),
                               [](const Column& column) { return hasFields(column.paragraph); }))
    {
        m_document.setDocumentMargin(0);
        m_document.setUndoRedoEnabled(false);
        QTextOption option;
        option.setTabStopDistance(dots(DefaultTabCm) * tabScale);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_document.setDefaultTextOption(option);

        QTextCursor cursor(&m_document);
        for (qsizetype i = 0; i < columns.size(); ++i) {
            const Paragraph& paragraph = columns[i].paragraph;
            const QTextBlockFormat block = blockFormat(paragraph, columns[i], width, tabScale);
            // The paragraph mark's size sets the height of an empty paragraph.
            const QTextCharFormat mark = characterFormat(Run(), paragraph.sizePt);
            if (i == 0) {
                cursor.setBlockFormat(block);
                cursor.setBlockCharFormat(mark);
            } else {
                cursor.insertBlock(block, mark);
            }
            for (const Run& run : paragraph.runs)
                insertText(cursor, runText(run, fields), characterFormat(run, paragraph.sizePt));
        }

        // Laid out once, after the content: every change to a laid-out document lays it out again.
        m_document.documentLayout()->setPaintDevice(device);
        m_document.setTextWidth(width);
        // A document without paragraphs still has an empty block, which is none of the columns.
        for (QTextBlock block = m_document.firstBlock();
             block.isValid() && m_lineTops.size() < columns.size(); block = block.next()) {
            const QRectF bounds = m_document.documentLayout()->blockBoundingRect(block);
            const QTextLayout* layout = block.layout();
            QList<double> tops;
            for (int i = 0; i < layout->lineCount(); ++i)
                tops.append(bounds.top() + layout->lineAt(i).y());
            tops.append(bounds.bottom());
            m_lineTops.append(tops);
        }
    }

    const QList<Column>& columns() const { return m_columns; }
    double width() const { return m_width; }
    // Whether it shows fields, which are filled in again per page.
    bool showsFields() const { return m_fields; }
    qsizetype count() const { return m_lineTops.size(); }
    int lineCount(qsizetype column) const { return int(m_lineTops[column].size()) - 1; }
    // The height of lines [from, to) of a column.
    double span(qsizetype column, int from, int to) const
    {
        return m_lineTops[column][to] - m_lineTops[column][from];
    }
    double height(qsizetype column) const { return span(column, 0, lineCount(column)); }
    // The height of the highest column.
    double height() const
    {
        double highest = 0;
        for (qsizetype i = 0; i < count(); ++i)
            highest = std::max(highest, height(i));
        return highest;
    }
    // How many lines from `from` on fit in room.
    int fitting(qsizetype column, int from, double room) const
    {
        int to = from;
        while (to < lineCount(column) && span(column, from, to + 1) <= room)
            ++to;
        return to;
    }

    // Lines [from, to) of a column with the first one's top at `at` (the row's left, and y). Line by line:
    // a clipped document would still put the text outside the clip into the file.
    void draw(QPainter& painter, qsizetype column, int from, int to, QPointF at) const
    {
        const QTextLayout* layout = m_document.findBlockByNumber(int(column)).layout();
        const QPointF origin = at - QPointF(0, m_lineTops[column][from]) + layout->position();
        for (int i = from; i < to; ++i)
            layout->lineAt(i).draw(&painter, origin);
    }

private:
    QList<Column> m_columns;
    double m_width;
    bool m_fields;
    QTextDocument m_document;
    QList<QList<double>> m_lineTops; // per column, with the bottom of its last line
};

using Box = std::shared_ptr<const TextBox>;

// Lays paragraphs out for one paint device, with the fields showing given values.
class Typesetter
{
public:
    // The layout scales tab positions from the screen's resolution to the paint device's; a default image
    // has the screen's.
    Typesetter(QPaintDevice* device, const FieldValues& fields)
        : m_device(device), m_fields(fields),
          m_tabScale(QImage(1, 1, QImage::Format_Mono).logicalDpiY() / double(device->logicalDpiY()))
    {
    }

    Box layOut(const QList<Column>& columns, double width) const
    {
        return std::make_shared<TextBox>(columns, width, m_fields, m_device, m_tabScale);
    }
    Box layOut(const Paragraph& paragraph, double width) const
    {
        return layOut({Column{paragraph, 0, width}}, width);
    }

private:
    QPaintDevice* m_device;
    FieldValues m_fields;
    double m_tabScale;
};

// Paragraphs one under the other, across the width (a header or footer).
Box layOutStack(const Typesetter& typesetter, const QList<Paragraph>& paragraphs, double width)
{
    QList<Column> columns;
    for (const Paragraph& paragraph : paragraphs)
        columns.append(Column{paragraph, 0, width});
    return typesetter.layOut(columns, width);
}

double stackHeight(const TextBox& box)
{
    double height = 0;
    for (qsizetype i = 0; i < box.count(); ++i)
        height += box.height(i);
    return height;
}

// Lines of a column of a box on a page.
struct PlacedText
{
    Box box;
    qsizetype column = 0;
    int from = 0;
    int to = 0;
    QPointF at;
};

struct Page
{
    PageSetup setup;
    QList<PlacedText> texts;
    QList<QLineF> rules;
};

// The rules of a table row: its columns' edges from the row's left.
struct Borders
{
    bool grid = false;
    bool bottom = false;
    QList<double> edges;
};

// What goes on the pages one after the other: a paragraph, or a table row with its rules.
struct Piece
{
    Box box;
    Borders borders;
    Keeping keep;
    bool newPage = false; // after a page break
};

// Lays the sections out on pages: a paragraph that does not fit whole is continued on the next page from the
// first line that did not (keeping two lines together on either side); a table row moves there whole,
// unless it is higher than a page. What is kept together, or with the next, moves there whole too.
class Paginator
{
public:
    Paginator(const Typesetter& typesetter, const std::optional<QList<Paragraph>>& header,
              const std::optional<QList<Paragraph>>& footer)
        : m_typesetter(typesetter), m_header(header.value_or(QList<Paragraph>())),
          m_footer(footer.value_or(QList<Paragraph>()))
    {
    }

    // A header or footer higher than its margin pushes the body away, as in the word processor.
    void section(const Section& section)
    {
        m_setup = section.page;
        const double width = bodyWidth();
        m_bodyTop =
            std::max(dots(m_setup.topCm),
                     dots(m_setup.headerCm) + stackHeight(*layOutStack(m_typesetter, m_header, width)));
        m_bodyBottom =
            dots(m_setup.heightCm) -
            std::max(dots(m_setup.bottomCm),
                     dots(m_setup.footerCm) + stackHeight(*layOutStack(m_typesetter, m_footer, width)));
        newPage();
        QList<Piece> pieces;
        for (const Block& block : section.blocks)
            std::visit([&](const auto& b) { add(pieces, b); }, block);
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (pieces[i].newPage)
                newPage();
            else
                keepOnOnePage(pieces, i);
            placeRow(pieces[i].box, pieces[i].borders);
        }
    }

    QList<Page> finish()
    {
        if (m_pages.isEmpty())
            section(Section{PageSetup::portraitA4(), {}});
        return m_pages;
    }

private:
    double left() const { return dots(m_setup.leftCm); }
    double bodyWidth() const { return dots(m_setup.widthCm - m_setup.leftCm - m_setup.rightCm); }

    void newPage()
    {
        m_pages.append(Page{m_setup, {}, {}});
        m_y = m_bodyTop;
        m_pageEmpty = true;
    }

    void add(QList<Piece>& pieces, const Paragraph& paragraph) const
    {
        pieces.append(Piece{m_typesetter.layOut(paragraph, bodyWidth()), {}, paragraph.keep});
    }

    // The rest of the page stays empty; the break's own paragraph mark opens the next one.
    void add(QList<Piece>& pieces, const PageBreakMark&) const
    {
        pieces.append(Piece{m_typesetter.layOut(Paragraph(), bodyWidth()), {}, {}, true});
    }

    void add(QList<Piece>& pieces, const Table& table) const
    {
        const double margin = dots(CellMarginCm);
        Borders borders{table.layout.borders, false, {0}};
        for (const double width : table.layout.widthsCm)
            borders.edges.append(borders.edges.last() + dots(width));
        for (const TableRow& row : table.rows) {
            QList<Column> columns;
            for (qsizetype i = 0; i + 1 < borders.edges.size(); ++i) {
                Paragraph content(QList<Run>(), row.rule ? RuleRowSizePt : table.layout.sizePt);
                if (i < row.cells.size()) {
                    content.runs = row.cells[i].runs;
                    content.alignment = row.cells[i].alignment;
                }
                columns.append(Column{content, borders.edges[i] + margin,
                                      borders.edges[i + 1] - borders.edges[i] - 2 * margin});
            }
            borders.bottom = row.rule;
            pieces.append(Piece{m_typesetter.layOut(columns, borders.edges.last()), borders, row.keep});
        }
    }

    // A piece kept whole or with the ones after it starts a new page when what is kept does not fit on this
    // one but would on an empty page. The last one of a chain is kept with its first two lines (a table row:
    // all of it), as the word processor keeps a paragraph with the next one's opening lines.
    void keepOnOnePage(const QList<Piece>& pieces, qsizetype i)
    {
        if (m_pageEmpty || !(pieces[i].keep.withNext || pieces[i].keep.together))
            return;
        double needed = 0;
        qsizetype last = i;
        while (pieces[last].keep.withNext && last + 1 < pieces.size() && !pieces[last + 1].newPage)
            needed += pieces[last++].box->height();
        const TextBox& end = *pieces[last].box;
        if (last == i || pieces[last].keep.together || end.count() > 1)
            needed += end.height();
        else
            needed += end.span(0, 0, std::min(2, end.lineCount(0)));
        if (needed > m_bodyBottom - m_y && needed <= m_bodyBottom - m_bodyTop)
            newPage();
    }

    void placeRow(const Box& box, const Borders& borders)
    {
        const qsizetype count = box->count();
        QList<int> from(count, 0);
        for (;;) {
            const double room = m_bodyBottom - m_y;
            QList<int> to(count);
            bool whole = true;
            bool some = false;
            for (qsizetype i = 0; i < count; ++i) {
                to[i] = box->fitting(i, from[i], room);
                whole = whole && to[i] == box->lineCount(i);
                some = some || to[i] > from[i];
            }
            if (count == 1 && !whole && some)
                some = keepsTwoLines(*box, from[0], to[0]);
            const bool keep = count > 1 && !whole && fitsOnEmptyPage(*box, from);
            if ((!some || keep) && !m_pageEmpty) {
                newPage();
                continue;
            }
            // A line higher than a whole page: it goes on the page as far as it fits.
            for (qsizetype i = 0; !some && i < count; ++i)
                to[i] = std::min(from[i] + 1, box->lineCount(i));
            double height = 0;
            Page& page = m_pages.last();
            for (qsizetype i = 0; i < count; ++i) {
                height = std::max(height, box->span(i, from[i], to[i]));
                if (to[i] > from[i])
                    page.texts.append(PlacedText{box, i, from[i], to[i], QPointF(left(), m_y)});
            }
            drawBorders(page, borders, height);
            m_y += height;
            m_pageEmpty = false;
            if (whole)
                return;
            from = to;
            newPage();
        }
    }

    // Widow and orphan control, as in the word processor: a paragraph leaves no single line at the foot of a
    // page and carries none over alone; `to` moves back for it. False when nothing may stay on this page.
    static bool keepsTwoLines(const TextBox& paragraph, int from, int& to)
    {
        const int lines = paragraph.lineCount(0);
        if (lines - to < 2)
            to = lines - 2;
        if (from == 0 && to < 2)
            to = 0;
        to = std::max(to, from);
        return to > from;
    }

    bool fitsOnEmptyPage(const TextBox& box, const QList<int>& from) const
    {
        for (qsizetype i = 0; i < box.count(); ++i) {
            if (box.span(i, from[i], box.lineCount(i)) > m_bodyBottom - m_bodyTop)
                return false;
        }
        return true;
    }

    void drawBorders(Page& page, const Borders& borders, double height) const
    {
        if (borders.edges.isEmpty() || !(borders.grid || borders.bottom))
            return;
        const double start = left() + borders.edges.first();
        const double end = left() + borders.edges.last();
        const double bottom = m_y + height;
        page.rules.append(QLineF(start, bottom, end, bottom));
        if (!borders.grid)
            return;
        page.rules.append(QLineF(start, m_y, end, m_y));
        for (const double edge : borders.edges)
            page.rules.append(QLineF(left() + edge, m_y, left() + edge, bottom));
    }

    const Typesetter& m_typesetter;
    QList<Paragraph> m_header;
    QList<Paragraph> m_footer;
    PageSetup m_setup;
    QList<Page> m_pages;
    double m_bodyTop = 0;
    double m_bodyBottom = 0;
    double m_y = 0;
    bool m_pageEmpty = true;
};

QPageLayout pageLayout(const PageSetup& setup)
{
    const double shorter = std::min(setup.widthCm, setup.heightCm);
    const double longer = std::max(setup.widthCm, setup.heightCm);
    return QPageLayout(QPageSize(QSizeF(shorter * 10, longer * 10), QPageSize::Millimeter),
                       setup.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

// Header paragraphs from the header distance down, footer paragraphs up to the footer distance.
void drawHeaderFooter(QPainter& painter, const Typesetter& typesetter, const PageSetup& setup,
                      const QList<Paragraph>& paragraphs, bool footer)
{
    const Box box = layOutStack(typesetter, paragraphs, dots(setup.widthCm - setup.leftCm - setup.rightCm));
    double y = footer ? dots(setup.heightCm - setup.footerCm) - stackHeight(*box) : dots(setup.headerCm);
    for (qsizetype i = 0; i < box->count(); ++i) {
        box->draw(painter, i, 0, box->lineCount(i), QPointF(dots(setup.leftCm), y));
        y += box->height(i);
    }
}

} // namespace

PdfDocument::PdfDocument(const QString& title) : m_title(title) {}

QByteArray PdfDocument::render(const QDateTime& printed) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("DOVRA"));

    Typesetter typesetter(&writer, FieldValues{0, 0, printed});
    Paginator paginator(typesetter, header(), footer());
    for (const Section& section : sections())
        paginator.section(section);
    const QList<Page> pages = paginator.finish();

    writer.setPageLayout(pageLayout(pages.first().setup));
    QPainter painter(&writer);
    painter.setPen(QPen(Qt::black, pointDots(BorderPt)));
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const Page& page = pages[i];
        if (i > 0) {
            writer.setPageLayout(pageLayout(page.setup));
            writer.newPage();
        }
        // Fields show this page's values: the texts holding them are laid out again.
        Typesetter fields(&writer, FieldValues{int(i) + 1, int(pages.size()), printed});
        for (const PlacedText& text : page.texts) {
            const Box box =
                text.box->showsFields() ? fields.layOut(text.box->columns(), text.box->width()) : text.box;
            box->draw(painter, text.column, text.from, text.to, text.at);
        }
        painter.drawLines(page.rules);
        if (header())
            drawHeaderFooter(painter, fields, page.setup, *header(), false);
        if (footer())
            drawHeaderFooter(painter, fields, page.setup, *footer(), true);
    }
    painter.end();
    return buffer.data();
}

bool PdfDocument::save(const QString& path, QString* error) const
{
    return saveBytes(path, render(QDateTime::currentDateTime()), error);
}

} // namespace dovra::report
