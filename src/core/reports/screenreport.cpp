#include "reports/screenreport.h"

namespace dovra::report {

namespace {

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
    m_tableTabs = layout.screenTabs;
    m_tableSize = layout.sizePt;
}

// One line of tab-separated cells; empty cells at the end would only add tabs.
void ScreenReport::tableRow(const QList<Cell>& cells)
{
    qsizetype used = cells.size();
    while (used > 0 && isEmpty(cells[used - 1]))
        --used;
    Paragraph row(QList<Run>(), m_tableSize);
    row.tabs = m_tableTabs;
    for (qsizetype i = 0; i < used; ++i) {
        if (i > 0)
            row.runs.append(Run::plain(QStringLiteral("\t")));
        row.runs.append(cells[i].runs);
    }
    m_paragraphs.append(row);
}

// Underlined tabs draw a line across the table's tab stops.
void ScreenReport::tableRule()
{
    Run rule = Run::plain(QString(9, QChar(u'\t')));
    rule.underline = true;
    Paragraph line({rule}, m_tableSize);
    line.tabs = m_tableTabs;
    m_paragraphs.append(line);
}

void ScreenReport::endTable()
{
    m_tableTabs.clear();
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
