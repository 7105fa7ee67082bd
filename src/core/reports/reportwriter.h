#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace dovra::report {

// What the section writers of the reports write to: a word-processing document or the report window.
// The sections are written once against this interface; where the two outputs differ (headings on two
// lines, shortened texts, titles) the section asks output().

enum class Output
{
    Document,
    Screen
};

enum class Font
{
    Arial,
    // The symbol font of the origin marks (characters 250, 252 and 214).
    Wingdings
};

// Fields the word processor fills in when it lays out or prints the document.
enum class FieldKind
{
    None,
    Page,     // "PAGE  \* Arabic "
    NumPages, // "NUMPAGES  \* Arabic "
    Date      // "DATE \@ \"<picture>\""
};

// The colours of the reports' text (0xRRGGBB).
constexpr unsigned Blue = 0x0000FF;
constexpr unsigned Red = 0xFF0000;

// A piece of text with one look. A field run shows `text` until the word processor updates it.
struct Run
{
    QString text;
    Font font = Font::Arial;
    double sizePt = 0; // 0: the paragraph's size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<unsigned> colour; // 0xRRGGBB
    FieldKind field = FieldKind::None;
    QString datePicture; // for FieldKind::Date, e.g. "d-MMM-yyyy H:mm"

    static Run plain(const QString& text) { return Run{text}; }
    static Run boldText(const QString& text)
    {
        Run run{text};
        run.bold = true;
        return run;
    }
    // One character of the symbol font.
    static Run symbol(int code)
    {
        Run run{QString(QChar(code))};
        run.font = Font::Wingdings;
        return run;
    }
    static Run fieldRun(FieldKind kind, const QString& datePicture = {})
    {
        Run run;
        run.field = kind;
        run.datePicture = datePicture;
        return run;
    }
};

struct TabStop
{
    enum class Align
    {
        Left,
        Right
    };
    double positionCm = 0;
    Align align = Align::Left;
    // Measured back from the right margin instead of from the left one, so that it follows the width of
    // the page it is on (a footer's page number on portrait and landscape pages alike).
    bool fromRightMargin = false;

    static TabStop atRightMargin() { return {0, Align::Right, true}; }
    // Its distance from the left margin on a line `widthCm` wide.
    double positionOn(double widthCm) const { return fromRightMargin ? widthCm - positionCm : positionCm; }
};

enum class Alignment
{
    Left,
    Right,
    Centre
};

// How a paragraph or table row is kept on a page.
struct Keeping
{
    bool withNext = false; // a word processor's "keep with next": on the page of what follows it
    bool together = false; // "keep lines together": not split across two pages
};

struct Paragraph
{
    QList<Run> runs;
    double sizePt = 8;
    QList<TabStop> tabs;
    Alignment alignment = Alignment::Left;
    Keeping keep;

    Paragraph() = default;
    explicit Paragraph(QList<Run> r, double size = 8) : runs(std::move(r)), sizePt(size) {}
    explicit Paragraph(const QString& text, double size = 8) : runs{Run::plain(text)}, sizePt(size) {}
};

struct Cell
{
    QList<Run> runs;
    Alignment alignment = Alignment::Left;

    Cell() = default;
    Cell(QList<Run> r, Alignment a = Alignment::Left) : runs(std::move(r)), alignment(a) {}
    Cell(const QString& text, Alignment a = Alignment::Left) : runs{Run::plain(text)}, alignment(a) {}
};

// Columns of a table: widths in the document; on the screen, where a row is one line of tab-separated
// cells, the right edge of each column (the left edge of the next).
struct TableLayout
{
    QList<double> widthsCm;
    QList<double> screenEdgesCm;
    double sizePt = 8;
    bool borders = false;
};

// Page set-up of a document section; the screen ignores it.
struct PageSetup
{
    double widthCm = 21.0;
    double heightCm = 29.7;
    double topCm = 2.5;
    double bottomCm = 2.5;
    double leftCm = 2.5;
    double rightCm = 2.5;
    double headerCm = 1.25;
    double footerCm = 1.25;

    bool landscape() const { return widthCm > heightCm; }
    static PageSetup portraitA4() { return {}; }
};

class ReportWriter
{
public:
    virtual ~ReportWriter();

    virtual Output output() const = 0;
    bool isDocument() const { return output() == Output::Document; }

    // Starts a section with its own page set-up. The first call sets up the document's first section;
    // every later call starts a new section on a new page.
    virtual void beginSection(const PageSetup& page) = 0;
    virtual void paragraph(const Paragraph& paragraph) = 0;
    virtual void pageBreak() = 0;

    // Rows go into the table until endTable().
    virtual void beginTable(const TableLayout& layout) = 0;
    virtual void tableRow(const QList<Cell>& cells) = 0;
    // A rule across the table (document: a bottom border; screen: underlined tabs).
    virtual void tableRule() = 0;
    virtual void endTable() = 0;

    // The paragraphs and table rows written from beginKeepTogether() to endKeepTogether() stay on one page
    // (each is kept whole and with the next one), unless together they are higher than a page. The screen
    // has no pages.
    virtual void beginKeepTogether() {}
    virtual void endKeepTogether() {}
};

// The symbol-font character that marks a cost item's origin (bytIsTALVO): 250 user-defined, 252 a
// checklist item within its criteria, 214 one outside them.
int originSymbol(int conformity);

// The look-alike of a symbol font character where that font is missing (the report window).
QString symbolLookAlike(int code);

} // namespace dovra::report
