// The word-processing document: sections with their page set-up, paragraphs, runs, symbols, tables, fields
// in header and footer, form protection, and saving it as a zip of well-formed parts; read back from the
// XML it writes, and once laid out by a word processor.
#include "reports/docxdocument.h"
#include "support/docxinspect.h"
#include "support/qtprinting.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <zip.h>

using namespace dovra::report;
using namespace dovra::test;
// Inside a test body, Run names the test's own member function.
using TextRun = dovra::report::Run;

namespace {

const QString DocumentPart = QStringLiteral("word/document.xml");

PageSetup portraitPage()
{
    PageSetup page;
    page.topCm = 2.0;
    page.bottomCm = 1.5;
    page.leftCm = 2.2;
    page.rightCm = 1.8;
    page.headerCm = 0.9;
    page.footerCm = 0.8;
    return page;
}

PageSetup landscapePage()
{
    return PageSetup{29.7, 21.0, 1.4, 1.4, 2.4, 2.4, 1.0, 0.7};
}

DocxContent body(const DocxDocument& document)
{
    return readDocx(document.part(DocumentPart));
}

Paragraph footerLine()
{
    return Paragraph({TextRun::plain(QStringLiteral("pag. ")), TextRun::fieldRun(FieldKind::Page),
                      TextRun::plain(QStringLiteral(" van ")), TextRun::fieldRun(FieldKind::NumPages)});
}

QString xmlError(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

// Attributes (by local name) of every element with this local name, in document order; only those
// directly inside a parent of that local name when one is given.
QList<QMap<QString, QString>> elements(const QByteArray& xml, const QString& localName,
                                       const QString& parent = {})
{
    QList<QMap<QString, QString>> result;
    QStringList open;
    QXmlStreamReader reader(xml);
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (reader.isEndElement())
            open.removeLast();
        if (!reader.isStartElement())
            continue;
        const bool wanted =
            reader.name() == localName && (parent.isEmpty() || open.value(open.size() - 1) == parent);
        open.append(reader.name().toString());
        if (!wanted)
            continue;
        QMap<QString, QString> attributes;
        for (const QXmlStreamAttribute& attribute : reader.attributes())
            attributes.insert(attribute.name().toString(), attribute.value().toString());
        result.append(attributes);
    }
    return result;
}

void expectPage(const DocxSection& section, const PageSetup& page)
{
    EXPECT_NEAR(section.widthCm, page.widthCm, 0.01);
    EXPECT_NEAR(section.heightCm, page.heightCm, 0.01);
    EXPECT_NEAR(section.topCm, page.topCm, 0.01);
    EXPECT_NEAR(section.bottomCm, page.bottomCm, 0.01);
    EXPECT_NEAR(section.leftCm, page.leftCm, 0.01);
    EXPECT_NEAR(section.rightCm, page.rightCm, 0.01);
    EXPECT_NEAR(section.headerCm, page.headerCm, 0.01);
    EXPECT_NEAR(section.footerCm, page.footerCm, 0.01);
    EXPECT_EQ(section.landscape, page.landscape());
}

// ---- Sections

TEST(DocxSections, KeepTheirPageSetupAndContentInOrder)
{
    DocxDocument document;
    document.beginSection(portraitPage());
    document.paragraph(Paragraph(QStringLiteral("Staand")));
    document.paragraph(Paragraph(QStringLiteral("Nog staand")));
    document.beginSection(landscapePage());
    document.paragraph(Paragraph(QStringLiteral("Liggend")));

    const DocxContent content = body(document);
    ASSERT_EQ(content.parseError, QString());
    ASSERT_EQ(content.sections.size(), 2);
    expectPage(content.sections[0], portraitPage());
    expectPage(content.sections[1], landscapePage());
    EXPECT_EQ(content.sections[0].lines(), QStringList({"Staand", "Nog staand"}));
    EXPECT_EQ(content.sections[1].lines(), QStringList({"Liggend"}));
    // Later sections start on a new page.
    const auto types = elements(document.part(DocumentPart), QStringLiteral("type"));
    ASSERT_EQ(types.size(), 2);
    EXPECT_EQ(types[1].value(QStringLiteral("val")), "nextPage");
}

TEST(DocxSections, ContentWithoutSectionIsOnPortraitA4)
{
    DocxDocument document;
    document.paragraph(Paragraph(QStringLiteral("Tekst")));

    const DocxContent content = body(document);
    ASSERT_EQ(content.sections.size(), 1);
    expectPage(content.sections[0], PageSetup::portraitA4());
    EXPECT_EQ(content.lines(), QStringList({"Tekst"}));
}

TEST(DocxSections, EmptyDocumentHasOnlyThePageSetup)
{
    DocxDocument document;
    const DocxContent content = body(document);
    ASSERT_EQ(content.sections.size(), 1);
    EXPECT_TRUE(content.sections[0].blocks.isEmpty());
    expectPage(content.sections[0], PageSetup::portraitA4());
}

// A section's properties need a paragraph to sit in; a table cannot end a section or the body.
TEST(DocxSections, SectionEndingInATableGetsAClosingParagraph)
{
    DocxDocument document;
    document.beginSection(portraitPage());
    document.beginTable(TableLayout{{3.0, 4.0}});
    document.tableRow({Cell(QStringLiteral("a")), Cell(QStringLiteral("b"))});
    document.endTable();
    document.beginSection(landscapePage());
    document.beginTable(TableLayout{{5.0}});
    document.tableRow({Cell(QStringLiteral("c"))});
    document.endTable();

    const QByteArray xml = document.part(DocumentPart);
    EXPECT_EQ(xmlError(xml), QString());
    const DocxContent content = readDocx(xml);
    ASSERT_EQ(content.sections.size(), 2);
    for (const DocxSection& section : content.sections) {
        ASSERT_EQ(section.blocks.size(), 2);
        EXPECT_TRUE(section.blocks[0].isTable);
        EXPECT_FALSE(section.blocks[1].isTable);
        EXPECT_EQ(section.blocks[1].paragraph.text(), QString());
    }
    expectPage(content.sections[0], portraitPage());
    expectPage(content.sections[1], landscapePage());
}

TEST(DocxSections, PageBreakIsAParagraphWithABreak)
{
    DocxDocument document;
    document.paragraph(Paragraph(QStringLiteral("voor")));
    document.pageBreak();
    document.paragraph(Paragraph(QStringLiteral("na")));

    const DocxContent content = body(document);
    ASSERT_EQ(content.sections.size(), 1);
    const QList<DocxBlock>& blocks = content.sections[0].blocks;
    ASSERT_EQ(blocks.size(), 3);
    EXPECT_FALSE(blocks[0].paragraph.pageBreak);
    EXPECT_TRUE(blocks[1].paragraph.pageBreak);
    EXPECT_EQ(content.lines(), QStringList({"voor", "", "na"}));
}

// ---- Paragraphs and runs

TEST(DocxRuns, KeepTheirLook)
{
    TextRun bold = TextRun::boldText(QStringLiteral("vet"));
    TextRun italic = TextRun::plain(QStringLiteral("schuin"));
    italic.italic = true;
    TextRun underlined = TextRun::plain(QStringLiteral("onderstreept"));
    underlined.underline = true;
    TextRun blue = TextRun::plain(QStringLiteral("blauw"));
    blue.colour = 0x0000FF;
    blue.sizePt = 12;
    DocxDocument document;
    document.paragraph(Paragraph({bold, italic, underlined, blue}, 9));

    const DocxContent content = body(document);
    ASSERT_EQ(content.sections.size(), 1);
    const QList<DocxRun> runs = content.sections[0].blocks.value(0).paragraph.runs;
    ASSERT_EQ(runs.size(), 4);
    EXPECT_TRUE(runs[0].bold);
    EXPECT_FALSE(runs[0].italic);
    EXPECT_TRUE(runs[1].italic);
    EXPECT_FALSE(runs[1].bold);
    EXPECT_TRUE(runs[2].underline);
    EXPECT_FALSE(runs[3].underline);
    EXPECT_EQ(runs[3].colour, "0000FF");
    EXPECT_EQ(runs[0].colour, QString());
    EXPECT_EQ(runs[3].sizePt, 12);
    EXPECT_EQ(runs[0].sizePt, 9);
    for (const DocxRun& run : runs)
        EXPECT_EQ(run.font, "Arial");
}

TEST(DocxRuns, SymbolsAreSymbolFontCharacters)
{
    DocxDocument document;
    document.paragraph(Paragraph({TextRun::symbol(252), TextRun::plain(QStringLiteral(" binnen")),
                                  TextRun::symbol(214), TextRun::symbol(250)}));

    const QByteArray xml = document.part(DocumentPart);
    const DocxContent content = readDocx(xml);
    const QList<DocxRun> runs = content.sections.value(0).blocks.value(0).paragraph.runs;
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0].text, QString(QChar(252)));
    EXPECT_EQ(runs[0].font, "Wingdings");
    EXPECT_EQ(runs[2].text, QString(QChar(214)));
    EXPECT_EQ(runs[3].text, QString(QChar(250)));
    EXPECT_TRUE(xml.contains(R"(<w:sym w:font="Wingdings" w:char="F0FC"/>)"));
    EXPECT_TRUE(xml.contains(R"(<w:sym w:font="Wingdings" w:char="F0D6"/>)"));
    EXPECT_TRUE(xml.contains(R"(<w:sym w:font="Wingdings" w:char="F0FA"/>)"));
}

TEST(DocxRuns, TabsLineBreaksTabStopsAndAlignment)
{
    Paragraph paragraph(
        {TextRun::plain(QStringLiteral("a\tb\t c")), TextRun::plain(QStringLiteral("regel 1\nregel 2"))});
    paragraph.tabs = {TabStop{5.0, TabStop::Align::Right}, TabStop{7.5, TabStop::Align::Left}};
    paragraph.alignment = Alignment::Centre;
    DocxDocument document;
    document.paragraph(paragraph);

    const QByteArray xml = document.part(DocumentPart);
    EXPECT_EQ(readDocx(xml).lines(), QStringList({"a\tb\t cregel 1\nregel 2"}));
    // 5 cm is 2834.6 twips.
    const auto tabs = elements(xml, QStringLiteral("tab"));
    ASSERT_GE(tabs.size(), 2);
    EXPECT_EQ(tabs[0], (QMap<QString, QString>{{"val", "right"}, {"pos", "2835"}}));
    EXPECT_EQ(tabs[1], (QMap<QString, QString>{{"val", "left"}, {"pos", "4252"}}));
    EXPECT_EQ(elements(xml, QStringLiteral("jc")).value(0).value(QStringLiteral("val")), "center");
    // Leading and trailing spaces of a text piece survive.
    EXPECT_TRUE(xml.contains(R"(<w:t xml:space="preserve"> c</w:t>)"));
}

TEST(DocxRuns, CharactersXmlCannotHoldAreLeftOut)
{
    DocxDocument document;
    document.paragraph(Paragraph(QStringLiteral("a\x01"
                                                "b\x0B"
                                                "c\x1F<&>\"")));

    const QByteArray xml = document.part(DocumentPart);
    EXPECT_EQ(xmlError(xml), QString());
    EXPECT_EQ(readDocx(xml).lines(), QStringList({"abc<&>\""}));
}

// ---- Tables

TEST(DocxTables, GridCellsAndRules)
{
    const QList<double> widths{0.5, 8.2, 1.3, 2.75};
    DocxDocument document;
    document.beginTable(TableLayout{widths, {}, 7, false});
    TextRun italic = TextRun::plain(QStringLiteral("schuin"));
    italic.italic = true;
    document.tableRow({Cell(QStringLiteral("1")), Cell({italic}), Cell(QStringLiteral("3")),
                       Cell(QStringLiteral("12,50"), Alignment::Right)});
    document.tableRow({Cell(QStringLiteral("kort"))});
    document.tableRule();
    document.endTable();

    const QByteArray xml = document.part(DocumentPart);
    const DocxContent content = readDocx(xml);
    ASSERT_EQ(content.sections.size(), 1);
    ASSERT_FALSE(content.sections[0].blocks.isEmpty());
    ASSERT_TRUE(content.sections[0].blocks[0].isTable);
    const DocxTable& table = content.sections[0].blocks[0].table;
    ASSERT_EQ(table.gridCm.size(), widths.size());
    for (qsizetype i = 0; i < widths.size(); ++i)
        EXPECT_NEAR(table.gridCm[i], widths[i], 0.01);
    ASSERT_EQ(table.rows.size(), 3);
    for (const DocxRow& row : table.rows) {
        ASSERT_EQ(row.cells.size(), widths.size());
        for (qsizetype i = 0; i < widths.size(); ++i)
            EXPECT_NEAR(row.cells[i].widthCm, widths[i], 0.01);
    }
    EXPECT_EQ(table.rows[0].texts(), QStringList({"1", "schuin", "3", "12,50"}));
    EXPECT_TRUE(table.rows[0].cells[1].anyItalic());
    EXPECT_FALSE(table.rows[0].cells[0].anyItalic());
    EXPECT_EQ(table.rows[0].cells[0].paragraphs.value(0).runs.value(0).sizePt, 7);
    EXPECT_EQ(table.rows[1].texts(), QStringList({"kort", "", "", ""}));
    for (qsizetype row = 0; row < 3; ++row) {
        for (const DocxCell& cell : table.rows[row].cells)
            EXPECT_EQ(cell.bottomBorder, row == 2) << "row " << row;
    }
    EXPECT_EQ(table.rows[2].texts(), QStringList({"", "", "", ""}));
    // The right-aligned cell; a fixed layout; no borders unless asked for.
    EXPECT_TRUE(xml.contains(R"(<w:jc w:val="right"/>)"));
    EXPECT_EQ(elements(xml, QStringLiteral("tblLayout")).value(0).value(QStringLiteral("type")), "fixed");
    EXPECT_TRUE(elements(xml, QStringLiteral("tblBorders")).isEmpty());
}

TEST(DocxTables, BordersWhenAskedFor)
{
    DocxDocument document;
    document.beginTable(TableLayout{{2.0, 2.0}, {}, 8, true});
    document.tableRow({Cell(QStringLiteral("a")), Cell(QStringLiteral("b"))});
    document.endTable();
    document.paragraph(Paragraph(QStringLiteral("onder de tabel")));

    const QByteArray xml = document.part(DocumentPart);
    ASSERT_EQ(elements(xml, QStringLiteral("tblBorders")).size(), 1);
    for (const QString side : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        const auto borders = elements(xml, side, QStringLiteral("tblBorders"));
        ASSERT_EQ(borders.size(), 1) << side.toStdString();
        EXPECT_EQ(borders[0].value(QStringLiteral("val")), "single");
        EXPECT_EQ(borders[0].value(QStringLiteral("sz")), "4");
    }
    EXPECT_EQ(elements(xml, QStringLiteral("tblW")).value(0).value(QStringLiteral("w")), "2268");
    EXPECT_EQ(readDocx(xml).lines(), QStringList({"a\tb", "onder de tabel"}));
}

// ---- Header, footer, protection

TEST(DocxHeaderFooter, FieldsAreComputedByTheWordProcessor)
{
    TextRun date = TextRun::fieldRun(FieldKind::Date, QStringLiteral("d-MMM-yyyy H:mm"));
    date.bold = true;
    DocxDocument document;
    document.beginSection(portraitPage());
    document.paragraph(Paragraph(QStringLiteral("Inhoud")));
    document.beginSection(landscapePage());
    document.paragraph(Paragraph(QStringLiteral("Meer inhoud")));
    document.setHeader({Paragraph({TextRun::plain(QStringLiteral("Rapport ")), date})});
    document.setFooter({footerLine()});

    const DocxContent header = readDocx(document.part(QStringLiteral("word/header1.xml")));
    ASSERT_EQ(header.parseError, QString());
    EXPECT_EQ(header.lines(), QStringList({"Rapport {DATE \\@ \"d-MMM-yyyy H:mm\"}"}));
    EXPECT_TRUE(header.sections.value(0).blocks.value(0).paragraph.runs.value(1).bold);
    const DocxContent footer = readDocx(document.part(QStringLiteral("word/footer1.xml")));
    EXPECT_EQ(footer.lines(), QStringList({"pag. {PAGE  \\* Arabic } van {NUMPAGES  \\* Arabic }"}));

    // Every section shows them.
    const QByteArray xml = document.part(DocumentPart);
    const auto headers = elements(xml, QStringLiteral("headerReference"));
    const auto footers = elements(xml, QStringLiteral("footerReference"));
    ASSERT_EQ(headers.size(), 2);
    ASSERT_EQ(footers.size(), 2);
    const auto relations = elements(document.part(QStringLiteral("word/_rels/document.xml.rels")),
                                    QStringLiteral("Relationship"));
    QMap<QString, QString> targets;
    for (const auto& relation : relations)
        targets.insert(relation.value(QStringLiteral("Id")), relation.value(QStringLiteral("Target")));
    for (qsizetype i = 0; i < 2; ++i) {
        EXPECT_EQ(targets.value(headers[i].value(QStringLiteral("id"))), "header1.xml");
        EXPECT_EQ(targets.value(footers[i].value(QStringLiteral("id"))), "footer1.xml");
    }
}

TEST(DocxHeaderFooter, NoneUnlessSet)
{
    DocxDocument document;
    document.paragraph(Paragraph(QStringLiteral("x")));
    EXPECT_TRUE(document.part(QStringLiteral("word/header1.xml")).isEmpty());
    EXPECT_TRUE(elements(document.part(DocumentPart), QStringLiteral("headerReference")).isEmpty());
    EXPECT_TRUE(document.part(QStringLiteral("word/nothing.xml")).isEmpty());
}

QMap<QString, QString> protection(const DocxDocument& document)
{
    return elements(document.part(QStringLiteral("word/settings.xml")), QStringLiteral("documentProtection"))
        .value(0);
}

// Word's own output for the password "johnjohn" with this salt (SHA-512, 100000 rounds).
TEST(DocxProtection, HashMatchesWordsOwn)
{
    const QByteArray salt = QByteArray::fromBase64("pH1TDVHSfGBxkd3Q88UNhQ==");
    DocxDocument document;
    document.protectForForms(QStringLiteral("johnjohn"), salt);

    const QMap<QString, QString> attributes = protection(document);
    EXPECT_EQ(attributes.value(QStringLiteral("edit")), "forms");
    EXPECT_EQ(attributes.value(QStringLiteral("enforcement")), "1");
    EXPECT_EQ(attributes.value(QStringLiteral("cryptAlgorithmSid")), "14");
    EXPECT_EQ(attributes.value(QStringLiteral("cryptAlgorithmClass")), "hash");
    EXPECT_EQ(attributes.value(QStringLiteral("cryptSpinCount")), "100000");
    EXPECT_EQ(attributes.value(QStringLiteral("salt")), "pH1TDVHSfGBxkd3Q88UNhQ==");
    EXPECT_EQ(attributes.value(QStringLiteral("hash")),
              "pVjR9ktO9vlxijXcMPlH+4PLwD4Xwy1aqbNQOFmWaSpvBjipNh//T8S3nBhq6HRoRVfWL6s/+NdUCPTxUr0vZw==");
}

// The hash worked out step by step from the published legacy key of "password" (0x147A83AF).
TEST(DocxProtection, HashOfTheLegacyKeyStepByStep)
{
    QByteArray salt;
    for (char i = 0; i < 16; ++i)
        salt.append(char(0xA0 + i));
    const QString keyBytesLowFirst = QStringLiteral("AF837A14");
    QByteArray input = salt;
    for (const QChar c : keyBytesLowFirst)
        input.append(char(c.unicode())).append('\0');
    QByteArray expected = QCryptographicHash::hash(input, QCryptographicHash::Sha512);
    for (quint32 round = 0; round < 100000; ++round) {
        QByteArray counter(4, '\0');
        qToLittleEndian(round, counter.data());
        expected = QCryptographicHash::hash(QByteArray(expected + counter), QCryptographicHash::Sha512);
    }

    DocxDocument document;
    document.protectForForms(QStringLiteral("password"), salt);
    const QMap<QString, QString> attributes = protection(document);
    EXPECT_EQ(QByteArray::fromBase64(attributes.value(QStringLiteral("salt")).toLatin1()), salt);
    EXPECT_EQ(attributes.value(QStringLiteral("hash")), QString::fromLatin1(expected.toBase64()));
}

TEST(DocxProtection, EveryDocumentGetsItsOwnSalt)
{
    DocxDocument first;
    DocxDocument second;
    first.protectForForms(QStringLiteral("geheim"));
    second.protectForForms(QStringLiteral("geheim"));

    const QByteArray firstSalt =
        QByteArray::fromBase64(protection(first).value(QStringLiteral("salt")).toLatin1());
    const QByteArray secondSalt =
        QByteArray::fromBase64(protection(second).value(QStringLiteral("salt")).toLatin1());
    EXPECT_EQ(firstSalt.size(), 16);
    EXPECT_NE(firstSalt, secondSalt);
    EXPECT_NE(protection(first).value(QStringLiteral("hash")),
              protection(second).value(QStringLiteral("hash")));
    EXPECT_EQ(QByteArray::fromBase64(protection(first).value(QStringLiteral("hash")).toLatin1()).size(), 64);
}

TEST(DocxProtection, NoneUnlessAskedFor)
{
    DocxDocument document;
    EXPECT_TRUE(protection(document).isEmpty());
    EXPECT_EQ(xmlError(document.part(QStringLiteral("word/settings.xml"))), QString());
}

// ---- Saving

// A document with every part.
void fill(DocxDocument& document)
{
    document.beginSection(portraitPage());
    document.paragraph(Paragraph({TextRun::boldText(QStringLiteral("Titel")), TextRun::symbol(252)}, 12));
    document.beginTable(TableLayout{{1.0, 4.0}});
    document.tableRow({Cell(QStringLiteral("1")), Cell(QStringLiteral("Post"))});
    document.tableRule();
    document.endTable();
    document.beginSection(landscapePage());
    document.paragraph(Paragraph(QStringLiteral("Tweede deel")));
    document.setHeader({Paragraph(QStringLiteral("Kop"))});
    document.setFooter({footerLine()});
    document.protectForForms(QStringLiteral("x"), QByteArray(16, 'z'));
}

QStringList zipEntries(const QString& path)
{
    QStringList names;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr);
    if (!archive)
        return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names.append(QString::fromUtf8(zip_get_name(archive, zip_uint64_t(i), 0)));
    zip_discard(archive);
    return names;
}

TEST(DocxSave, WritesAZipOfWellFormedParts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapport.docx"));
    DocxDocument document;
    fill(document);
    QString error;
    ASSERT_TRUE(document.save(path, &error)) << error.toStdString();

    const QStringList entries = zipEntries(path);
    ASSERT_FALSE(entries.isEmpty());
    EXPECT_EQ(entries.first(), "[Content_Types].xml");
    for (const QString part :
         {"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/styles.xml", "word/settings.xml",
          "word/header1.xml", "word/footer1.xml", "word/_rels/document.xml.rels"}) {
        EXPECT_TRUE(entries.contains(part)) << part.toStdString();
        const QByteArray bytes = readDocxPart(path, part);
        EXPECT_FALSE(bytes.isEmpty()) << part.toStdString();
        EXPECT_EQ(bytes, document.part(part)) << part.toStdString();
        EXPECT_EQ(xmlError(bytes), QString()) << part.toStdString();
    }
    QStringList overrides;
    for (const auto& element :
         elements(readDocxPart(path, QStringLiteral("[Content_Types].xml")), QStringLiteral("Override")))
        overrides.append(element.value(QStringLiteral("PartName")));
    EXPECT_EQ(overrides, QStringList({"/word/document.xml", "/word/styles.xml", "/word/settings.xml",
                                      "/word/header1.xml", "/word/footer1.xml"}));
    EXPECT_EQ(readDocx(readDocxPart(path, DocumentPart)).sections.size(), 2);
    EXPECT_TRUE(readDocxPart(path, QStringLiteral("word/missing.xml")).isEmpty());
}

TEST(DocxSave, StylesSetArialEightPoint)
{
    DocxDocument document;
    const QByteArray styles = document.part(QStringLiteral("word/styles.xml"));
    EXPECT_EQ(elements(styles, QStringLiteral("rFonts")).value(0).value(QStringLiteral("ascii")), "Arial");
    EXPECT_EQ(elements(styles, QStringLiteral("sz")).value(0).value(QStringLiteral("val")), "16");
}

TEST(DocxSave, ReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rapport.docx"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("oud");
    old.close();
    DocxDocument document;
    fill(document);

    ASSERT_TRUE(document.save(path));
    EXPECT_EQ(readDocxPart(path, DocumentPart), document.part(DocumentPart));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"rapport.docx"}));
}

TEST(DocxSave, FailureLeavesEverythingAsItWas)
{
    QTemporaryDir dir;
    DocxDocument document;
    fill(document);
    QString error;

    // A folder that does not exist is not created.
    const QString missing = dir.filePath(QStringLiteral("nergens/rapport.docx"));
    EXPECT_FALSE(document.save(missing, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nergens"))));

    // A folder in the way stays with its contents.
    const QString folder = dir.filePath(QStringLiteral("map.docx"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("map.docx")));
    QFile inside(folder + QStringLiteral("/bestand.txt"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("inhoud");
    inside.close();
    error.clear();
    EXPECT_FALSE(document.save(folder, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    ASSERT_TRUE(inside.open(QIODevice::ReadOnly));
    EXPECT_EQ(inside.readAll(), "inhoud");
    inside.close();

    // A file where a folder should be stays unchanged.
    const QString existing = dir.filePath(QStringLiteral("oud.docx"));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("oud");
    old.close();
    EXPECT_FALSE(document.save(existing + QStringLiteral("/nieuw.docx")));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "oud");

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"map.docx", "oud.docx"}));
}

// ---- Laid out by a word processor

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(DocxLayout, WordProcessorCountsThePagesInTheFooter)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "no word processor (soffice) on this machine";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pagina.docx"));
    DocxDocument document;
    document.beginSection(PageSetup::portraitA4());
    document.paragraph(Paragraph(QStringLiteral("Eerste blad")));
    document.beginSection(landscapePage());
    document.paragraph(Paragraph(QStringLiteral("Tweede blad")));
    document.setFooter({footerLine()});
    ASSERT_TRUE(document.save(path));

    // A profile of its own, so a running office or an earlier test cannot interfere.
    run(office, {QStringLiteral("-env:UserInstallation=") +
                     QUrl::fromLocalFile(dir.filePath(QStringLiteral("profiel"))).toString(),
                 QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                 QStringLiteral("--outdir"), dir.path(), path});
    const QString pdf = dir.filePath(QStringLiteral("pagina.pdf"));
    ASSERT_TRUE(QFileInfo::exists(pdf));

    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                         QStringLiteral("-l"), QStringLiteral("2"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    // Portrait A4 then landscape A4, in points.
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page\\s+1 size:\\s+595\\.\\d+ x 841\\.\\d+"))));
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page\\s+2 size:\\s+841\\.\\d+ x 595\\.\\d+"))));
    const QString text =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("pag. 1 van 2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("pag. 2 van 2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Tweede blad")));
}

} // namespace
