#include "reports/formats/reportdocument.h"

#include <QSaveFile>

#include <utility>

namespace dovra::report {

Section& ReportDocument::current()
{
    if (m_sections.isEmpty())
        m_sections.append(Section{PageSetup::portraitA4(), {}});
    return m_sections.last();
}

void ReportDocument::add(Block block)
{
    m_tableOpen = false;
    current().blocks.append(std::move(block));
}

Table* ReportDocument::openTable()
{
    return m_tableOpen ? &std::get<Table>(current().blocks.last()) : nullptr;
}

void ReportDocument::beginSection(const PageSetup& page)
{
    m_tableOpen = false;
    m_sections.append(Section{page, {}});
}

// Within a block kept together, everything is kept whole and with the next; the last one's "with next"
// is taken back when the block ends.
Keeping ReportDocument::keeping(Keeping own) const
{
    return m_keeping ? Keeping{true, true} : own;
}

Keeping* ReportDocument::lastWritten()
{
    if (m_sections.isEmpty() || current().blocks.isEmpty())
        return nullptr;
    Block& last = current().blocks.last();
    if (Paragraph* paragraph = std::get_if<Paragraph>(&last))
        return &paragraph->keep;
    Table* table = std::get_if<Table>(&last);
    return table && !table->rows.isEmpty() ? &table->rows.last().keep : nullptr;
}

void ReportDocument::paragraph(const Paragraph& paragraph)
{
    Paragraph written = paragraph;
    written.keep = keeping(paragraph.keep);
    add(written);
}

void ReportDocument::pageBreak()
{
    add(PageBreakMark{});
}

void ReportDocument::beginTable(const TableLayout& layout)
{
    add(Table{layout, {}});
    m_tableOpen = true;
}

void ReportDocument::tableRow(const QList<Cell>& cells)
{
    Table* table = openTable();
    Q_ASSERT(table);
    if (table)
        table->rows.append(TableRow{cells, false, keeping({})});
}

void ReportDocument::tableRule()
{
    Table* table = openTable();
    Q_ASSERT(table);
    if (table)
        table->rows.append(TableRow{{}, true, keeping({})});
}

void ReportDocument::endTable()
{
    m_tableOpen = false;
}

void ReportDocument::beginKeepTogether()
{
    m_keeping = true;
}

void ReportDocument::endKeepTogether()
{
    m_keeping = false;
    if (Keeping* last = lastWritten())
        last->withNext = false;
}

void ReportDocument::setHeader(const QList<Paragraph>& paragraphs)
{
    m_header = paragraphs;
}

void ReportDocument::setFooter(const QList<Paragraph>& paragraphs)
{
    m_footer = paragraphs;
}

bool ReportDocument::saveBytes(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace dovra::report
