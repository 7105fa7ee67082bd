#include "reports/formats/screenreport.h"

#include <algorithm>

namespace dovra::report {

namespace {

// The room a right-aligned cell leaves before the next column, as a cell margin does in the document.
constexpr double RightCellGapCm = 0.1;

bool isEmpty(const Cell& cell)
{
    for (const Run& run : cell.runs) {
        if (!run.text.isEmpty())
            return false;
    }
    return true;
}

QString runText(const Run& run)
{
    if (run.font != Font::Wingdings)
        return run.text;
    QString text;
    for (const QChar c : run.text)
        text += symbolLookAlike(c.unicode());
    return text;
}

} // namespace

void ScreenReport::beginSection(const PageSetup&) {}

void ScreenReport::paragraph(const Paragraph& paragraph)
{
    m_paragraphs.append(paragraph);
}

void ScreenReport::pageBreak() {}

void ScreenReport::beginTable(const TableLayout& layout)
{
    m_tableEdges = layout.screenEdgesCm;
    m_tableSize = layout.sizePt;
}

// One line of tab-separated cells, a tab stop for each column: a left-aligned cell starts at its column's
// left edge, a right-aligned one ends before its right edge, as in the document. Empty cells at the end
// would only add tabs. Where a text runs on past the next stops is the report window's to resolve.
void ScreenReport::tableRow(const QList<Cell>& cells)
{
    qsizetype used = std::min(cells.size(), m_tableEdges.size());
    while (used > 0 && isEmpty(cells[used - 1]))
        --used;
    Paragraph row(QList<Run>(), m_tableSize);
    for (qsizetype i = 0; i < used; ++i) {
        if (i > 0) {
            row.tabs.append(cells[i].alignment == Alignment::Right
                                ? TabStop{m_tableEdges[i] - RightCellGapCm, TabStop::Align::Right}
                                : TabStop{m_tableEdges[i - 1]});
            row.runs.append(Run::plain(QStringLiteral("\t")));
        }
        row.runs.append(cells[i].runs);
    }
    m_paragraphs.append(row);
}

// Underlined tabs draw a line across the table's columns.
void ScreenReport::tableRule()
{
    Run rule = Run::plain(QString(m_tableEdges.size(), QChar(u'\t')));
    rule.underline = true;
    Paragraph line({rule}, m_tableSize);
    for (const double edge : m_tableEdges)
        line.tabs.append(TabStop{edge});
    m_paragraphs.append(line);
}

void ScreenReport::endTable()
{
    m_tableEdges.clear();
    m_tableSize = 8;
}

QString ScreenReport::plainText() const
{
    QStringList lines;
    for (const Paragraph& paragraph : m_paragraphs) {
        QString line;
        for (const Run& run : paragraph.runs)
            line += runText(run);
        lines.append(line);
    }
    return lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n';
}

} // namespace dovra::report
