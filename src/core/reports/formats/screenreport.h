#pragma once

#include "reports/reportwriter.h"

#include <QList>
#include <QString>

namespace dovra::report {

// The report window's text: paragraphs with their tab stops and runs. Table rows become one paragraph
// of tab-separated cells on their columns' screen edges; symbols keep their symbol-font code and are
// drawn with look-alikes. Section starts and page breaks have no meaning on screen.
class ScreenReport : public ReportWriter
{
public:
    Output output() const override { return Output::Screen; }
    void beginSection(const PageSetup& page) override;
    void paragraph(const Paragraph& paragraph) override;
    void pageBreak() override;
    void beginTable(const TableLayout& layout) override;
    void tableRow(const QList<Cell>& cells) override;
    void tableRule() override;
    void endTable() override;

    const QList<Paragraph>& paragraphs() const { return m_paragraphs; }
    // One line a paragraph, tabs kept, symbols as their look-alikes.
    QString plainText() const;

private:
    QList<Paragraph> m_paragraphs;
    QList<double> m_tableEdges;
    double m_tableSize = 8;
};

} // namespace dovra::report
