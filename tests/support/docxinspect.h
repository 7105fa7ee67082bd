#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace dovra::test {

// A word-processing document's body read back from its XML, for tests of what a report wrote.
// Symbol characters (w:sym) read as the character of their symbol-font code (e.g. QChar(252));
// a field reads as "{" + its instruction + "}" (its shown result is skipped); a tab as "\t".

struct DocxRun
{
    QString text;
    QString font;      // "" when not set
    double sizePt = 0; // 0 when not set
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString colour; // "0000FF", "" when not set
};

struct DocxParagraph
{
    QList<DocxRun> runs;
    bool pageBreak = false; // holds a page break
    QString text() const;
};

struct DocxCell
{
    QList<DocxParagraph> paragraphs;
    double widthCm = 0;
    bool bottomBorder = false;
};

using DocxRow = QList<DocxCell>;

struct DocxTable
{
    QList<double> gridCm; // column widths
    QList<DocxRow> rows;
};

// One body element: a paragraph or a table.
struct DocxBlock
{
    bool isTable = false;
    DocxParagraph paragraph;
    DocxTable table;
};

struct DocxSection
{
    // "21.00 x 29.70 cm, margins top 2.00 bottom 2.00 left 2.00 right 2.00, header 1.00 footer 1.00",
    // " landscape" after "cm" when so oriented; empty for a header or footer.
    QString page;
    QList<DocxBlock> blocks;
};

struct DocxContent
{
    QList<DocxSection> sections;
    // Every paragraph's text, and every table row's cell texts joined by "\t" (a cell's paragraphs by
    // "\n"), in order.
    QStringList lines() const;
    QString parseError; // empty when the XML was read without error
};

// The content as readable text, for golden files. One line a paragraph (see dumpParagraph). A table
// opens with its column grid in cm and has one line a row, the cells separated by " | " (a cell's
// paragraphs by " ¶ "); a cell's width is added as "@cm" when it differs from its grid column, "‗" marks
// a bottom border. A page break is a line of its own; each section opens with its page set-up (a header
// or footer has none).
QString dumpDocx(const DocxContent& content);

// A paragraph as one line: a run whose look differs from the run before it opens with its marks in
// brackets: b(old), i(talic), u(nderline), the colour as #RRGGBB, the font and the size ("[b Arial 10pt]";
// "[]" when it has none). A tab shows as "→", a line break within the paragraph as "↵".
QString dumpParagraph(const DocxParagraph& paragraph);

// Reads word/document.xml (or a header/footer part: one section of its paragraphs).
DocxContent readDocx(const QByteArray& xml);
// A part of a saved .docx file ("word/document.xml"); empty when missing.
QByteArray readDocxPart(const QString& path, const QString& part);

} // namespace dovra::test
