// The report window's text: paragraphs as lines, table rows as tab-separated cells on the table's screen
// tab stops, symbols as look-alikes; page layout leaves no trace. (Rules, underlined tabs, are in the
// reports' golden files.)
#include "reports/screenreport.h"
#include "support/qtprinting.h"

#include <gtest/gtest.h>

using namespace dovra::report;
// Inside a test body, Run names the test's own member function.
using TextRun = dovra::report::Run;

namespace {

const QList<TabStop> ScreenTabs{TabStop{1.0}, TabStop{6.0}, TabStop{9.0, TabStop::Align::Right}};

TEST(ScreenReport, ParagraphsAreLinesAndLayoutLeavesNoTrace)
{
    ScreenReport report;
    EXPECT_EQ(report.output(), Output::Screen);
    EXPECT_FALSE(report.isDocument());
    EXPECT_EQ(report.plainText(), QString());

    report.beginSection(PageSetup{29.7, 21.0});
    report.paragraph(
        Paragraph({TextRun::boldText(QStringLiteral("Titel")), TextRun::plain(QStringLiteral(" en meer"))}));
    report.pageBreak();
    report.beginSection(PageSetup::portraitA4());
    Paragraph tabbed(QStringLiteral("a\tb\t\tc"), 10);
    tabbed.tabs = ScreenTabs;
    report.paragraph(tabbed);
    report.paragraph(Paragraph(QString()));

    EXPECT_EQ(report.plainText(), "Titel en meer\na\tb\t\tc\n\n");
    ASSERT_EQ(report.paragraphs().size(), 3);
    EXPECT_TRUE(report.paragraphs()[0].runs[0].bold);
    EXPECT_EQ(report.paragraphs()[1].sizePt, 10);
    EXPECT_EQ(report.paragraphs()[1].tabs.size(), 3);
}

TEST(ScreenReport, SymbolsAndFieldsShowAsText)
{
    TextRun marks = TextRun::symbol(252);
    marks.text += QChar(214);
    TextRun date = TextRun::fieldRun(FieldKind::Date, QStringLiteral("d-MMM-yyyy"));
    date.text = QStringLiteral("1-jan-2024");
    ScreenReport report;
    report.paragraph(Paragraph({marks, TextRun::plain(QStringLiteral(" ")), TextRun::symbol(250)}));
    report.paragraph(Paragraph({TextRun::plain(QStringLiteral("Datum: ")), date}));

    EXPECT_EQ(report.plainText(), symbolLookAlike(252) + symbolLookAlike(214) + QStringLiteral(" ") +
                                      symbolLookAlike(250) + QStringLiteral("\nDatum: 1-jan-2024\n"));
    EXPECT_EQ(symbolLookAlike(252), QStringLiteral("\u2713"));
    // The symbol code itself is kept for drawing.
    EXPECT_EQ(report.paragraphs()[0].runs[0].text, QString(QChar(252)) + QChar(214));
    EXPECT_EQ(report.paragraphs()[0].runs[0].font, Font::Wingdings);
}

TEST(ScreenReport, TableRowsAreTabSeparatedCells)
{
    ScreenReport report;
    report.beginTable(TableLayout{{0.5, 8.0, 2.0, 2.0}, ScreenTabs, 7, true});
    report.tableRow({Cell({TextRun::symbol(252)}), Cell(QStringLiteral("Post")),
                     Cell(QStringLiteral("12,50"), Alignment::Right), Cell(QStringLiteral("x"))});
    // Empty cells in between keep their tab; at the end they are dropped.
    report.tableRow(
        {Cell(QString()), Cell(QStringLiteral("Alleen omschrijving")), Cell(QString()), Cell(QString())});
    report.tableRow(
        {Cell({TextRun::boldText(QStringLiteral("Totaal")), TextRun::plain(QStringLiteral(" incl."))})});
    report.tableRow({Cell(QString()), Cell({TextRun::plain(QString())})});
    report.endTable();
    report.paragraph(Paragraph(QStringLiteral("Na de tabel")));

    EXPECT_EQ(report.plainText(), symbolLookAlike(252) + QStringLiteral("\tPost\t12,50\tx\n"
                                                                        "\tAlleen omschrijving\n"
                                                                        "Totaal incl.\n"
                                                                        "\n"
                                                                        "Na de tabel\n"));
    const QList<Paragraph>& paragraphs = report.paragraphs();
    ASSERT_EQ(paragraphs.size(), 5);
    for (qsizetype i = 0; i < 4; ++i) {
        EXPECT_EQ(paragraphs[i].tabs.size(), ScreenTabs.size());
        EXPECT_EQ(paragraphs[i].tabs.value(2).positionCm, 9.0);
        EXPECT_EQ(paragraphs[i].sizePt, 7);
    }
    // The cells' own runs, with their look, between the separators.
    ASSERT_EQ(paragraphs[2].runs.size(), 2);
    EXPECT_TRUE(paragraphs[2].runs[0].bold);
    EXPECT_EQ(paragraphs[0].runs[1].text, "\t");
    // After the table its tabs and size no longer apply.
    EXPECT_TRUE(paragraphs[4].tabs.isEmpty());
    EXPECT_EQ(paragraphs[4].sizePt, 8);
}

} // namespace
