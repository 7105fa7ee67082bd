#pragma once

#include "reports/reportwriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <variant>

namespace dovra::report {

// ---- A document as data: what the section writers wrote, laid out only when the file is made, because the
// header, footer and file properties are set after the content.

struct PageBreakMark
{
};

struct TableRow
{
    QList<Cell> cells;
    bool rule = false;
    Keeping keep;
};

struct Table
{
    TableLayout layout;
    QList<TableRow> rows;
};

using Block = std::variant<Paragraph, Table, PageBreakMark>;

struct Section
{
    PageSetup page;
    QList<Block> blocks;
};

// The file formats a report is saved in: documents of text, and a workbook of cells.
enum class DocumentFormat
{
    Word,
    Pdf,
    Workbook
};

// A report written into a file: collects the sections, header and footer; the format writes them out.
class ReportDocument : public ReportWriter
{
public:
    Output output() const override { return Output::Document; }
    void beginSection(const PageSetup& page) override;
    void paragraph(const Paragraph& paragraph) override;
    void pageBreak() override;
    void beginTable(const TableLayout& layout) override;
    void tableRow(const QList<Cell>& cells) override;
    void tableRule() override;
    void endTable() override;
    void beginKeepTogether() override;
    void endKeepTogether() override;

    // Header and footer of every page.
    void setHeader(const QList<Paragraph>& paragraphs);
    void setFooter(const QList<Paragraph>& paragraphs);

    // Writes the whole file or nothing: an existing file stays as it was when writing fails.
    virtual bool save(const QString& path, QString* error = nullptr) const = 0;

protected:
    const QList<Section>& sections() const { return m_sections; }
    const std::optional<QList<Paragraph>>& header() const { return m_header; }
    const std::optional<QList<Paragraph>>& footer() const { return m_footer; }

    // Replaces path by bytes in one step (written beside it, then renamed).
    static bool saveBytes(const QString& path, const QByteArray& bytes, QString* error);

private:
    Section& current();
    void add(Block block);
    Table* openTable();
    Keeping keeping(Keeping own) const;
    Keeping* lastWritten();

    QList<Section> m_sections;
    bool m_tableOpen = false;
    bool m_keeping = false;
    std::optional<QList<Paragraph>> m_header;
    std::optional<QList<Paragraph>> m_footer;
};

} // namespace dovra::report
