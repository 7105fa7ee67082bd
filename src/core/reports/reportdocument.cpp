#include "reports/reportdocument.h"

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

void ReportDocument::paragraph(const Paragraph& paragraph)
{
    add(paragraph);
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
        table->rows.append(TableRow{cells, false});
}

void ReportDocument::tableRule()
{
    Table* table = openTable();
    Q_ASSERT(table);
    if (table)
        table->rows.append(TableRow{{}, true});
}

void ReportDocument::endTable()
{
    m_tableOpen = false;
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
