// The word-processing document: one document with every feature the reports use, read back from its XML
// and compared with a golden file, and what that dump does not show read from the XML itself; form
// protection; saving as a zip of well-formed parts. (LibreOffice opens the reports in tst_reportrun.)
#include "reports/docxdocument.h"
#include "support/docxinspect.h"
#include "support/golden.h"
#include "support/qtprinting.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dovra::report;
using namespace dovra::test;
// Inside a test body, Run names the test's own member function.
using TextRun = dovra::report::Run;

namespace {

const QStringList Parts{
    "[Content_Types].xml", "_rels/.rels",      "word/document.xml", "word/styles.xml",
    "word/settings.xml",   "word/header1.xml", "word/footer1.xml",  "word/_rels/document.xml.rels"};

// Two sections with their own page set-up (a portrait one with odd margins, a landscape one), runs of
// every look, symbols, tab stops, tabs, a line break and characters XML cannot hold, a page break, a
// table with a short row, a rule and an italic and a right-aligned cell ending the first section, a
// bordered table ending the document, and fields in header and footer.
void fill(DocxDocument& document)
{
    TextRun italic = TextRun::plain(QStringLiteral("schuin"));
    TextRun underlined = TextRun::plain(QStringLiteral("onderstreept"));
    TextRun blue = TextRun::plain(QStringLiteral("blauw"));
    italic.italic = underlined.underline = true;
    blue.colour = 0x0000FF;
    blue.sizePt = 12;
    document.beginSection(PageSetup{21.0, 29.7, 2.0, 1.5, 2.2, 1.8, 0.9, 0.8});
    Paragraph looks({TextRun::boldText("vet"), italic, underlined, blue, TextRun::symbol(252),
                     TextRun::plain(" binnen"), TextRun::symbol(214)},
                    9);
    looks.tabs = {TabStop{5.0, TabStop::Align::Right}, TabStop{7.5}};
    looks.alignment = Alignment::Centre;
    document.paragraph(looks);
    document.paragraph(Paragraph(QStringLiteral("a\tb\t c\nregel 2\x01\x0B\x1F <&>\"")));
    document.pageBreak();
    document.beginTable(TableLayout{{0.5, 8.2, 1.3, 2.75}, {}, 7, false});
    document.tableRow({Cell("1"), Cell({italic}), Cell("3"), Cell("12,50", Alignment::Right)});
    document.tableRow({Cell(QStringLiteral("kort"))});
    document.tableRule();
    document.endTable();
    document.beginSection(PageSetup{29.7, 21.0, 1.4, 1.4, 2.4, 2.4, 1.0, 0.7});
    document.beginTable(TableLayout{{2.0, 2.0}, {}, 8, true});
    document.tableRow({Cell(QStringLiteral("a")), Cell(QStringLiteral("b"))});
    document.endTable();
    TextRun date = TextRun::fieldRun(FieldKind::Date, QStringLiteral("d-MMM-yyyy H:mm"));
    date.bold = true;
    document.setHeader({Paragraph({TextRun::plain("Rapport "), date})});
    document.setFooter({Paragraph({TextRun::plain("pag. "), TextRun::fieldRun(FieldKind::Page),
                                   TextRun::plain(" van "), TextRun::fieldRun(FieldKind::NumPages)})});
}

TEST(DocxDocument, EveryFeatureMatchesItsGoldenFile)
{
    DocxDocument document;
    fill(document);
    QString dump;
    for (const QString part : {"word/document.xml", "word/header1.xml", "word/footer1.xml"})
        dump += QStringLiteral("=== ") + part + u'\n' + dumpDocx(readDocx(document.part(part)));
    EXPECT_TRUE(matchesGolden(QStringLiteral("reports/docx-features.txt"), dump));

    // What the dump leaves out: tab stops and alignment in twips, spaces kept at the ends of a text, the
    // page set-up in twips (2.0 cm is 1134), a new page for every section, the fixed table layout and
    // the borders asked for; header and footer shown by both sections.
    const QByteArray xml = document.part(QStringLiteral("word/document.xml"));
    for (
        const char* expected :
        {R"(<w:tab w:val="right" w:pos="2835"/><w:tab w:val="left" w:pos="4252"/>)",
         R"(<w:jc w:val="center"/>)", R"(<w:jc w:val="right"/>)", R"(<w:t xml:space="preserve"> c</w:t>)",
         R"(<w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1134" w:right="1020" w:bottom="850" w:left="1247" w:header="510" w:footer="454" w:gutter="0"/>)",
         R"(<w:pgSz w:w="16838" w:h="11906" w:orient="landscape"/>)", R"(<w:tblLayout w:type="fixed"/>)",
         R"(<w:tblW w:w="2268" w:type="dxa"/>)"})
        EXPECT_TRUE(xml.contains(expected)) << expected;
    EXPECT_EQ(xml.count(R"(<w:type w:val="nextPage"/>)"), 2);
    EXPECT_EQ(xml.count("<w:tblBorders>"), 1);
    EXPECT_EQ(xml.count(R"(<w:insideV w:val="single" w:sz="4" w:space="0" w:color="auto"/>)"), 1);
    EXPECT_EQ(xml.count(R"(<w:headerReference w:type="default" r:id="rId3"/>)"), 2);
    EXPECT_EQ(xml.count(R"(<w:footerReference w:type="default" r:id="rId4"/>)"), 2);
    const QString relations = QString::fromUtf8(document.part("word/_rels/document.xml.rels"));
    for (const char* relation :
         {R"(Id="rId3"[^>]*Target="header1.xml")", R"(Id="rId4"[^>]*Target="footer1.xml")"})
        EXPECT_TRUE(relations.contains(QRegularExpression(QLatin1String(relation)))) << relation;
    // The default look: Arial 8 pt.
    const QByteArray styles = document.part(QStringLiteral("word/styles.xml"));
    EXPECT_TRUE(styles.contains(R"(<w:rFonts w:ascii="Arial")") && styles.contains(R"(<w:sz w:val="16"/>)"));
}

// Word's own output for the password "johnjohn" with this salt (SHA-512, 100000 rounds); without a salt
// every document gets 16 random bytes of its own.
TEST(DocxDocument, FormProtectionHashesThePasswordAsWordDoes)
{
    DocxDocument word;
    word.protectForForms(QStringLiteral("johnjohn"), QByteArray::fromBase64("pH1TDVHSfGBxkd3Q88UNhQ=="));
    EXPECT_TRUE(
        word.part("word/settings.xml")
            .contains(R"(<w:documentProtection w:edit="forms" w:enforcement="1" )"
                      R"(w:cryptProviderType="rsaAES" w:cryptAlgorithmClass="hash" )"
                      R"(w:cryptAlgorithmType="typeAny" w:cryptAlgorithmSid="14" w:cryptSpinCount="100000" )"
                      R"(w:hash="pVjR9ktO9vlxijXcMPlH+4PLwD4Xwy1aqbNQOFmWaSpvBjipNh//T8S3nBhq6HRoRVfWL6s/)"
                      R"(+NdUCPTxUr0vZw==" w:salt="pH1TDVHSfGBxkd3Q88UNhQ=="/>)"));

    DocxDocument first, second;
    first.protectForForms(QStringLiteral("geheim"));
    second.protectForForms(QStringLiteral("geheim"));
    const QString settings = QString::fromUtf8(first.part(QStringLiteral("word/settings.xml")));
    EXPECT_TRUE(settings.contains(QRegularExpression(QStringLiteral(R"x(w:salt="[A-Za-z0-9+/]{22}==")x"))));
    EXPECT_NE(settings, QString::fromUtf8(second.part(QStringLiteral("word/settings.xml"))));
    EXPECT_FALSE(DocxDocument().part(QStringLiteral("word/settings.xml")).contains("documentProtection"));
}

// Whole or nothing: a folder that does not exist, a folder in the way or a file where a folder should be
// leave everything as it was; an existing file is replaced by a zip of every part, well-formed.
TEST(DocxDocument, SavesAZipOfWellFormedPartsOrNothing)
{
    QTemporaryDir dir;
    DocxDocument document;
    fill(document);
    QFile old(dir.filePath(QStringLiteral("rapport.docx")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("oud") == 3);
    old.close();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("map.docx/binnen")));
    for (const char* target : {"nergens/rapport.docx", "map.docx", "rapport.docx/nieuw.docx"}) {
        QString error;
        EXPECT_FALSE(document.save(dir.filePath(QLatin1String(target)), &error)) << target;
        EXPECT_FALSE(error.isEmpty()) << target;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"map.docx", "rapport.docx"}));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("map.docx/binnen"))).isDir());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "oud");
    old.close();

    QString error;
    ASSERT_TRUE(document.save(old.fileName(), &error)) << error.toStdString();
    for (const QString& part : Parts) {
        EXPECT_EQ(readDocxPart(old.fileName(), part), document.part(part)) << part.toStdString();
        EXPECT_TRUE(!document.part(part).isEmpty() && readDocx(document.part(part)).parseError.isEmpty())
            << part.toStdString();
    }
    EXPECT_TRUE(QString::fromUtf8(document.part(Parts[0]))
                    .contains(QRegularExpression(
                        "PartName=\"/word/document.xml\".*/word/styles.xml.*/word/settings.xml.*"
                        "/word/header1.xml.*/word/footer1.xml")));
    EXPECT_TRUE(document.part(QStringLiteral("word/nothing.xml")).isEmpty());
    EXPECT_TRUE(DocxDocument().part(QStringLiteral("word/header1.xml")).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"rapport.docx"}));
}

} // namespace
