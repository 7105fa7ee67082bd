#include "reports/formats/docxdocument.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtEndian>
#include <QXmlStreamWriter>

#include <zip.h>

#include <array>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace dovra::report {

namespace {

using namespace Qt::StringLiterals;

struct Protection
{
    QByteArray hash; // empty: no password
    QByteArray salt;
};

// The header and footer a section shows: numbers of their parts (header1.xml …), 0 for none.
struct SectionParts
{
    int header = 0;
    int footer = 0;
};

// The header and footer parts, one for each different text: a tab stop at the right margin makes the
// landscape sections' footer another than the portrait ones'.
struct HeaderFooterParts
{
    QList<QByteArray> headers;
    QList<QByteArray> footers;
    QList<SectionParts> ofSection;
};

struct Part
{
    QString name;
    QByteArray data;
};

constexpr QLatin1StringView WordNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"_L1;
constexpr QLatin1StringView RelNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships"_L1;
constexpr QLatin1StringView PackageRelNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships"_L1;
constexpr QLatin1StringView OfficeRelType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"_L1;
constexpr QLatin1StringView WordContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml."_L1;

constexpr QLatin1StringView StylesId = "rId1"_L1;
constexpr QLatin1StringView SettingsId = "rId2"_L1;

constexpr QLatin1StringView DocumentPart = "word/document.xml"_L1;
constexpr QLatin1StringView StylesPart = "word/styles.xml"_L1;
constexpr QLatin1StringView SettingsPart = "word/settings.xml"_L1;

constexpr QLatin1StringView DefaultFont = "Arial"_L1;
constexpr QLatin1StringView SymbolFont = "Wingdings"_L1;
constexpr double DefaultSizePt = 8;
// The empty paragraph of a rule row only carries the border; kept low so the rule sits under the row above.
constexpr double RuleRowSizePt = 2;
constexpr int CellMarginTwips = 57;
constexpr int SpinCount = 100000;
constexpr int SaltBytes = 16;

struct Attribute
{
    QLatin1StringView name;
    QString value;
};
using Attributes = QList<Attribute>;

QString number(int value)
{
    return QString::number(value);
}

// Upper-case hex digits, at least `digits` of them.
QString hex(uint value, int digits)
{
    return QString::number(value, 16).rightJustified(digits, u'0').toUpper();
}

int twips(double cm)
{
    return qRound(cm * 1440 / 2.54);
}

QString halfPoints(double pt)
{
    return number(qRound(pt * 2));
}

// XML text with fixed prefixes ("w:", "r:"); the root element declares the namespaces.
class Xml
{
public:
    Xml() : m_writer(&m_bytes) { m_writer.writeStartDocument("1.0"_L1, true); }

    void start(QLatin1StringView name, const Attributes& attributes = {})
    {
        m_writer.writeStartElement(name);
        for (const Attribute& attribute : attributes)
            m_writer.writeAttribute(attribute.name, attribute.value);
    }
    void end() { m_writer.writeEndElement(); }
    void element(QLatin1StringView name, const Attributes& attributes = {})
    {
        start(name, attributes);
        end();
    }
    void textElement(QLatin1StringView name, const QString& text)
    {
        start(name, {{"xml:space"_L1, "preserve"_L1}});
        m_writer.writeCharacters(text);
        end();
    }
    QByteArray finish()
    {
        m_writer.writeEndDocument();
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    QXmlStreamWriter m_writer;
};

// The root of a WordprocessingML part.
void startWordRoot(Xml& x, QLatin1StringView name)
{
    x.start(name, {{"xmlns:w"_L1, WordNamespace}, {"xmlns:r"_L1, RelNamespace}});
}

bool allowedInXml(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20)
        return u == '\t' || u == '\n';
    return u != 0xFFFE && u != 0xFFFF;
}

// ---- Runs and paragraphs

void writeRunProperties(Xml& x, const Run& run, double paragraphSize)
{
    const QLatin1StringView font = run.font == Font::Wingdings ? SymbolFont : DefaultFont;
    const QString size = halfPoints(run.sizePt > 0 ? run.sizePt : paragraphSize);
    x.start("w:rPr"_L1);
    x.element("w:rFonts"_L1, {{"w:ascii"_L1, font}, {"w:hAnsi"_L1, font}, {"w:cs"_L1, font}});
    if (run.bold)
        x.element("w:b"_L1);
    if (run.italic)
        x.element("w:i"_L1);
    if (run.colour)
        x.element("w:color"_L1, {{"w:val"_L1, hex(*run.colour, 6)}});
    x.element("w:sz"_L1, {{"w:val"_L1, size}});
    x.element("w:szCs"_L1, {{"w:val"_L1, size}});
    if (run.underline)
        x.element("w:u"_L1, {{"w:val"_L1, "single"_L1}});
    x.end();
}

// Text pieces with tabs and line breaks between them; characters XML cannot hold are left out.
void writeText(Xml& x, const QString& text)
{
    QString piece;
    const auto flush = [&] {
        if (!piece.isEmpty())
            x.textElement("w:t"_L1, piece);
        piece.clear();
    };
    for (const QChar c : text) {
        if (!allowedInXml(c))
            continue;
        if (c == u'\t' || c == u'\n') {
            flush();
            x.element(c == u'\t' ? "w:tab"_L1 : "w:br"_L1);
        } else {
            piece += c;
        }
    }
    flush();
}

// Symbol fonts are addressed in the private use area: F000 + the character code.
void writeSymbols(Xml& x, const QString& text)
{
    for (const QChar c : text)
        x.element("w:sym"_L1, {{"w:font"_L1, SymbolFont}, {"w:char"_L1, hex(0xF000 + c.unicode(), 4)}});
}

QString fieldInstruction(const Run& run)
{
    switch (run.field) {
    case FieldKind::Page:
        return "PAGE  \\* Arabic "_L1;
    case FieldKind::NumPages:
        return "NUMPAGES  \\* Arabic "_L1;
    case FieldKind::Date:
        return "DATE \\@ \""_L1 + run.datePicture + "\""_L1;
    case FieldKind::None:
        break;
    }
    return {};
}

// What a field shows until the word processor updates it.
QString fieldResult(const Run& run)
{
    if (!run.text.isEmpty() || run.field == FieldKind::Date)
        return run.text;
    return "1"_L1;
}

void startRun(Xml& x, const Run& run, double paragraphSize)
{
    x.start("w:r"_L1);
    writeRunProperties(x, run, paragraphSize);
}

void writeFieldChar(Xml& x, const Run& run, double paragraphSize, const QString& type)
{
    startRun(x, run, paragraphSize);
    x.element("w:fldChar"_L1, {{"w:fldCharType"_L1, type}});
    x.end();
}

// A complex field, so the word processor computes it: begin, instruction, separator, result, end.
void writeField(Xml& x, const Run& run, double paragraphSize)
{
    writeFieldChar(x, run, paragraphSize, "begin"_L1);
    startRun(x, run, paragraphSize);
    x.textElement("w:instrText"_L1, fieldInstruction(run));
    x.end();
    writeFieldChar(x, run, paragraphSize, "separate"_L1);
    const QString result = fieldResult(run);
    if (!result.isEmpty()) {
        startRun(x, run, paragraphSize);
        writeText(x, result);
        x.end();
    }
    writeFieldChar(x, run, paragraphSize, "end"_L1);
}

void writeRun(Xml& x, const Run& run, double paragraphSize)
{
    if (run.field != FieldKind::None) {
        writeField(x, run, paragraphSize);
        return;
    }
    startRun(x, run, paragraphSize);
    if (run.font == Font::Wingdings)
        writeSymbols(x, run.text);
    else
        writeText(x, run.text);
    x.end();
}

// Relationship ids: rId1 and rId2 are the styles and settings, then header and footer parts take turns.
QString headerId(int part)
{
    return "rId"_L1 + number(1 + 2 * part);
}

QString footerId(int part)
{
    return "rId"_L1 + number(2 + 2 * part);
}

QString headerFooterName(QLatin1StringView kind, int part)
{
    return kind + number(part) + ".xml"_L1;
}

// The width between the margins, where tab stops at the right margin are measured from.
double textWidthCm(const PageSetup& page)
{
    return page.widthCm - page.leftCm - page.rightCm;
}

void writeSectionProperties(Xml& x, const PageSetup& page, SectionParts parts)
{
    x.start("w:sectPr"_L1);
    if (parts.header)
        x.element("w:headerReference"_L1, {{"w:type"_L1, "default"_L1}, {"r:id"_L1, headerId(parts.header)}});
    if (parts.footer)
        x.element("w:footerReference"_L1, {{"w:type"_L1, "default"_L1}, {"r:id"_L1, footerId(parts.footer)}});
    x.element("w:type"_L1, {{"w:val"_L1, "nextPage"_L1}});
    Attributes size{{"w:w"_L1, number(twips(page.widthCm))}, {"w:h"_L1, number(twips(page.heightCm))}};
    if (page.landscape())
        size.append({"w:orient"_L1, "landscape"_L1});
    x.element("w:pgSz"_L1, size);
    x.element("w:pgMar"_L1, {{"w:top"_L1, number(twips(page.topCm))},
                             {"w:right"_L1, number(twips(page.rightCm))},
                             {"w:bottom"_L1, number(twips(page.bottomCm))},
                             {"w:left"_L1, number(twips(page.leftCm))},
                             {"w:header"_L1, number(twips(page.headerCm))},
                             {"w:footer"_L1, number(twips(page.footerCm))},
                             {"w:gutter"_L1, "0"_L1}});
    x.end();
}

QString tabAlignment(TabStop::Align align)
{
    return align == TabStop::Align::Right ? "right"_L1 : "left"_L1;
}

QString justification(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return "right"_L1;
    case Alignment::Centre:
        return "center"_L1;
    case Alignment::Left:
        break;
    }
    return "left"_L1;
}

// The section a paragraph closes, when it is the last one of a section that is not the document's last.
struct SectionEnd
{
    const PageSetup& page;
    SectionParts parts;
};

// widthCm: the width of the text the paragraph is in (between the margins, or within its cell).
void writeParagraphProperties(Xml& x, const Paragraph& paragraph, double widthCm,
                              const SectionEnd* sectionEnd)
{
    x.start("w:pPr"_L1);
    if (paragraph.keep.withNext)
        x.element("w:keepNext"_L1);
    if (paragraph.keep.together)
        x.element("w:keepLines"_L1);
    if (!paragraph.tabs.isEmpty()) {
        x.start("w:tabs"_L1);
        for (const TabStop& tab : paragraph.tabs)
            x.element("w:tab"_L1, {{"w:val"_L1, tabAlignment(tab.align)},
                                   {"w:pos"_L1, number(twips(tab.positionOn(widthCm)))}});
        x.end();
    }
    x.element("w:spacing"_L1,
              {{"w:after"_L1, "0"_L1}, {"w:line"_L1, "240"_L1}, {"w:lineRule"_L1, "auto"_L1}});
    x.element("w:jc"_L1, {{"w:val"_L1, justification(paragraph.alignment)}});
    // The paragraph mark's size sets the height of an empty paragraph.
    x.start("w:rPr"_L1);
    x.element("w:sz"_L1, {{"w:val"_L1, halfPoints(paragraph.sizePt)}});
    x.element("w:szCs"_L1, {{"w:val"_L1, halfPoints(paragraph.sizePt)}});
    x.end();
    if (sectionEnd)
        writeSectionProperties(x, sectionEnd->page, sectionEnd->parts);
    x.end();
}

void writeParagraph(Xml& x, const Paragraph& paragraph, double widthCm,
                    const SectionEnd* sectionEnd = nullptr)
{
    x.start("w:p"_L1);
    writeParagraphProperties(x, paragraph, widthCm, sectionEnd);
    for (const Run& run : paragraph.runs)
        writeRun(x, run, paragraph.sizePt);
    x.end();
}

void writePageBreak(Xml& x, const SectionEnd* sectionEnd)
{
    x.start("w:p"_L1);
    writeParagraphProperties(x, Paragraph(), 0, sectionEnd);
    x.start("w:r"_L1);
    x.element("w:br"_L1, {{"w:type"_L1, "page"_L1}});
    x.end();
    x.end();
}

// ---- Tables

void writeBorder(Xml& x, QLatin1StringView side)
{
    x.element(
        side,
        {{"w:val"_L1, "single"_L1}, {"w:sz"_L1, "4"_L1}, {"w:space"_L1, "0"_L1}, {"w:color"_L1, "auto"_L1}});
}

void writeTableProperties(Xml& x, const TableLayout& layout)
{
    int width = 0;
    for (const double cm : layout.widthsCm)
        width += twips(cm);
    x.start("w:tblPr"_L1);
    x.element("w:tblW"_L1, {{"w:w"_L1, number(width)}, {"w:type"_L1, "dxa"_L1}});
    x.element("w:tblInd"_L1, {{"w:w"_L1, "0"_L1}, {"w:type"_L1, "dxa"_L1}});
    if (layout.borders) {
        x.start("w:tblBorders"_L1);
        for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
            writeBorder(x, QLatin1String(side));
        x.end();
    }
    x.element("w:tblLayout"_L1, {{"w:type"_L1, "fixed"_L1}});
    x.start("w:tblCellMar"_L1);
    x.element("w:left"_L1, {{"w:w"_L1, number(CellMarginTwips)}, {"w:type"_L1, "dxa"_L1}});
    x.element("w:right"_L1, {{"w:w"_L1, number(CellMarginTwips)}, {"w:type"_L1, "dxa"_L1}});
    x.end();
    x.end();
    x.start("w:tblGrid"_L1);
    for (const double cm : layout.widthsCm)
        x.element("w:gridCol"_L1, {{"w:w"_L1, number(twips(cm))}});
    x.end();
}

void writeCell(Xml& x, const Paragraph& content, double widthCm, bool bottomBorder)
{
    x.start("w:tc"_L1);
    x.start("w:tcPr"_L1);
    x.element("w:tcW"_L1, {{"w:w"_L1, number(twips(widthCm))}, {"w:type"_L1, "dxa"_L1}});
    if (bottomBorder) {
        x.start("w:tcBorders"_L1);
        writeBorder(x, "w:bottom"_L1);
        x.end();
    }
    x.end();
    writeParagraph(x, content, widthCm - 2 * CellMarginTwips / 1440.0 * 2.54);
    x.end();
}

// Every row has all columns: missing cells are written empty, cells beyond the columns are left out. No row
// breaks across pages (unless it is higher than a page), as in the PDF; a kept row keeps each of its
// paragraphs, which keeps it with the next row or paragraph.
void writeRow(Xml& x, const TableRow& row, const TableLayout& layout)
{
    x.start("w:tr"_L1);
    x.start("w:trPr"_L1);
    x.element("w:cantSplit"_L1);
    x.end();
    for (qsizetype column = 0; column < layout.widthsCm.size(); ++column) {
        Paragraph content(QList<Run>(), row.rule ? RuleRowSizePt : layout.sizePt);
        content.keep = row.keep;
        if (column < row.cells.size()) {
            content.runs = row.cells[column].runs;
            content.alignment = row.cells[column].alignment;
        }
        writeCell(x, content, layout.widthsCm[column], row.rule);
    }
    x.end();
}

void writeTable(Xml& x, const Table& table)
{
    x.start("w:tbl"_L1);
    writeTableProperties(x, table.layout);
    for (const TableRow& row : table.rows)
        writeRow(x, row, table.layout);
    x.end();
}

// ---- Body and parts

// A section ends with a paragraph (it carries the section's properties, and a table may not end one), so
// a section ending in a table or without content gets an empty paragraph.
void writeSection(Xml& x, const Section& section, SectionParts parts, bool last)
{
    const double width = textWidthCm(section.page);
    const SectionEnd end{section.page, parts};
    const SectionEnd* closing = last ? nullptr : &end;
    const bool endsWithParagraph =
        !section.blocks.isEmpty() && !std::holds_alternative<Table>(section.blocks.last());
    for (qsizetype i = 0; i < section.blocks.size(); ++i) {
        const SectionEnd* carried = i == section.blocks.size() - 1 ? closing : nullptr;
        std::visit(
            [&](const auto& block) {
                using T = std::decay_t<decltype(block)>;
                if constexpr (std::is_same_v<T, Paragraph>)
                    writeParagraph(x, block, width, carried);
                else if constexpr (std::is_same_v<T, Table>)
                    writeTable(x, block);
                else
                    writePageBreak(x, carried);
            },
            section.blocks[i]);
    }
    if (!endsWithParagraph)
        writeParagraph(x, Paragraph(), width, closing);
    if (last)
        writeSectionProperties(x, section.page, parts);
}

QByteArray documentXml(const QList<Section>& sections, const HeaderFooterParts& parts)
{
    Xml x;
    startWordRoot(x, "w:document"_L1);
    x.start("w:body"_L1);
    for (qsizetype i = 0; i < sections.size(); ++i)
        writeSection(x, sections[i], parts.ofSection[i], i == sections.size() - 1);
    // An empty document still has its page set-up.
    if (sections.isEmpty())
        writeSectionProperties(x, PageSetup::portraitA4(), parts.ofSection.value(0));
    x.end();
    x.end();
    return x.finish();
}

QByteArray headerFooterXml(QLatin1StringView root, const QList<Paragraph>& paragraphs, double widthCm)
{
    Xml x;
    startWordRoot(x, root);
    for (const Paragraph& paragraph : paragraphs)
        writeParagraph(x, paragraph, widthCm);
    if (paragraphs.isEmpty())
        writeParagraph(x, Paragraph(), widthCm);
    x.end();
    return x.finish();
}

// The number of the part with this text, added when no part has it yet.
int partNumber(QList<QByteArray>& parts, const QByteArray& xml)
{
    qsizetype index = parts.indexOf(xml);
    if (index < 0) {
        parts.append(xml);
        index = parts.size() - 1;
    }
    return int(index) + 1;
}

// The header and footer laid out for the width of each section (a document without sections has the
// page set-up of one).
HeaderFooterParts headerFooterParts(const QList<Section>& sections,
                                    const std::optional<QList<Paragraph>>& header,
                                    const std::optional<QList<Paragraph>>& footer)
{
    HeaderFooterParts parts;
    QList<PageSetup> pages;
    for (const Section& section : sections)
        pages.append(section.page);
    if (pages.isEmpty())
        pages.append(PageSetup::portraitA4());
    for (const PageSetup& page : pages) {
        SectionParts shown;
        if (header)
            shown.header = partNumber(parts.headers, headerFooterXml("w:hdr"_L1, *header, textWidthCm(page)));
        if (footer)
            shown.footer = partNumber(parts.footers, headerFooterXml("w:ftr"_L1, *footer, textWidthCm(page)));
        parts.ofSection.append(shown);
    }
    return parts;
}

QByteArray stylesXml()
{
    const QString size = halfPoints(DefaultSizePt);
    Xml x;
    startWordRoot(x, "w:styles"_L1);
    x.start("w:docDefaults"_L1);
    x.start("w:rPrDefault"_L1);
    x.start("w:rPr"_L1);
    x.element("w:rFonts"_L1, {{"w:ascii"_L1, DefaultFont},
                              {"w:eastAsia"_L1, DefaultFont},
                              {"w:hAnsi"_L1, DefaultFont},
                              {"w:cs"_L1, DefaultFont}});
    x.element("w:sz"_L1, {{"w:val"_L1, size}});
    x.element("w:szCs"_L1, {{"w:val"_L1, size}});
    x.element("w:lang"_L1, {{"w:val"_L1, "nl-NL"_L1}});
    x.end();
    x.end();
    x.start("w:pPrDefault"_L1);
    x.start("w:pPr"_L1);
    x.element("w:spacing"_L1,
              {{"w:after"_L1, "0"_L1}, {"w:line"_L1, "240"_L1}, {"w:lineRule"_L1, "auto"_L1}});
    x.end();
    x.end();
    x.end();
    x.start("w:style"_L1,
            {{"w:type"_L1, "paragraph"_L1}, {"w:default"_L1, "1"_L1}, {"w:styleId"_L1, "Normal"_L1}});
    x.element("w:name"_L1, {{"w:val"_L1, "Normal"_L1}});
    x.element("w:qFormat"_L1);
    x.end();
    x.end();
    return x.finish();
}

QByteArray settingsXml(const std::optional<Protection>& protection)
{
    Xml x;
    startWordRoot(x, "w:settings"_L1);
    if (protection && protection->hash.isEmpty()) {
        x.element("w:documentProtection"_L1, {{"w:edit"_L1, "forms"_L1}, {"w:enforcement"_L1, "1"_L1}});
    } else if (protection) {
        // The attributes Word writes for a SHA-512 password hash (algorithm id 14, AES provider).
        x.element("w:documentProtection"_L1,
                  {{"w:edit"_L1, "forms"_L1},
                   {"w:enforcement"_L1, "1"_L1},
                   {"w:cryptProviderType"_L1, "rsaAES"_L1},
                   {"w:cryptAlgorithmClass"_L1, "hash"_L1},
                   {"w:cryptAlgorithmType"_L1, "typeAny"_L1},
                   {"w:cryptAlgorithmSid"_L1, "14"_L1},
                   {"w:cryptSpinCount"_L1, number(SpinCount)},
                   {"w:hash"_L1, QString::fromLatin1(protection->hash.toBase64())},
                   {"w:salt"_L1, QString::fromLatin1(protection->salt.toBase64())}});
    }
    x.element("w:defaultTabStop"_L1, {{"w:val"_L1, number(twips(1.25))}});
    x.start("w:compat"_L1);
    x.element("w:compatSetting"_L1, {{"w:name"_L1, "compatibilityMode"_L1},
                                     {"w:uri"_L1, "http://schemas.microsoft.com/office/word"_L1},
                                     {"w:val"_L1, "15"_L1}});
    x.end();
    x.end();
    return x.finish();
}

QByteArray contentTypesXml(const HeaderFooterParts& parts)
{
    const auto override = [](Xml& x, const QString& part, const QString& type) {
        x.element("Override"_L1,
                  {{"PartName"_L1, "/"_L1 + part}, {"ContentType"_L1, WordContentType + type}});
    };
    Xml x;
    x.start("Types"_L1, {{"xmlns"_L1, "http://schemas.openxmlformats.org/package/2006/content-types"_L1}});
    x.element("Default"_L1,
              {{"Extension"_L1, "rels"_L1},
               {"ContentType"_L1, "application/vnd.openxmlformats-package.relationships+xml"_L1}});
    x.element("Default"_L1, {{"Extension"_L1, "xml"_L1}, {"ContentType"_L1, "application/xml"_L1}});
    override(x, DocumentPart, "document.main+xml"_L1);
    override(x, StylesPart, "styles+xml"_L1);
    override(x, SettingsPart, "settings+xml"_L1);
    for (int part = 1; part <= parts.headers.size(); ++part)
        override(x, "word/"_L1 + headerFooterName("header"_L1, part), "header+xml"_L1);
    for (int part = 1; part <= parts.footers.size(); ++part)
        override(x, "word/"_L1 + headerFooterName("footer"_L1, part), "footer+xml"_L1);
    x.end();
    return x.finish();
}

void writeRelationship(Xml& x, const QString& id, const QString& type, const QString& target)
{
    x.element("Relationship"_L1, {{"Id"_L1, id}, {"Type"_L1, OfficeRelType + type}, {"Target"_L1, target}});
}

QByteArray packageRelsXml()
{
    Xml x;
    x.start("Relationships"_L1, {{"xmlns"_L1, PackageRelNamespace}});
    writeRelationship(x, "rId1"_L1, "officeDocument"_L1, DocumentPart);
    x.end();
    return x.finish();
}

QByteArray documentRelsXml(const HeaderFooterParts& parts)
{
    Xml x;
    x.start("Relationships"_L1, {{"xmlns"_L1, PackageRelNamespace}});
    writeRelationship(x, StylesId, "styles"_L1, "styles.xml"_L1);
    writeRelationship(x, SettingsId, "settings"_L1, "settings.xml"_L1);
    for (int part = 1; part <= parts.headers.size(); ++part)
        writeRelationship(x, headerId(part), "header"_L1, headerFooterName("header"_L1, part));
    for (int part = 1; part <= parts.footers.size(); ++part)
        writeRelationship(x, footerId(part), "footer"_L1, headerFooterName("footer"_L1, part));
    x.end();
    return x.finish();
}

// ---- Password

// The 32-bit key of Word's older document protection: the password's first 15 characters as single bytes
// (low byte, or the high byte when that is 0); the high word from a per-length start value with one
// matrix word XORed in per set bit, the low word a rotate-and-XOR over the bytes backwards.
quint32 legacyPasswordKey(const QString& password)
{
    static constexpr std::array<quint16, 15> InitialCode = {0xE1F0, 0x1D0F, 0xCC9C, 0x84C0, 0x110C,
                                                            0x0E10, 0xF1CE, 0x313E, 0x1872, 0xE139,
                                                            0xD40F, 0x84F9, 0x280C, 0xA96A, 0x4EC3};
    static constexpr std::array<std::array<quint16, 7>, 15> Matrix = {{
        {0xAEFC, 0x4DD9, 0x9BB2, 0x2745, 0x4E8A, 0x9D14, 0x2A09},
        {0x7B61, 0xF6C2, 0xFDA5, 0xEB6B, 0xC6F7, 0x9DCF, 0x2BBF},
        {0x4563, 0x8AC6, 0x05AD, 0x0B5A, 0x16B4, 0x2D68, 0x5AD0},
        {0x0375, 0x06EA, 0x0DD4, 0x1BA8, 0x3750, 0x6EA0, 0xDD40},
        {0xD849, 0xA0B3, 0x5147, 0xA28E, 0x553D, 0xAA7A, 0x44D5},
        {0x6F45, 0xDE8A, 0xAD35, 0x4A4B, 0x9496, 0x390D, 0x721A},
        {0xEB23, 0xC667, 0x9CEF, 0x29FF, 0x53FE, 0xA7FC, 0x5FD9},
        {0x47D3, 0x8FA6, 0x0F6D, 0x1EDA, 0x3DB4, 0x7B68, 0xF6D0},
        {0xB861, 0x60E3, 0xC1C6, 0x93AD, 0x377B, 0x6EF6, 0xDDEC},
        {0x45A0, 0x8B40, 0x06A1, 0x0D42, 0x1A84, 0x3508, 0x6A10},
        {0xAA51, 0x4483, 0x8906, 0x022D, 0x045A, 0x08B4, 0x1168},
        {0x76B4, 0xED68, 0xCAF1, 0x85C3, 0x1BA7, 0x374E, 0x6E9C},
        {0x3730, 0x6E60, 0xDCC0, 0xA9A1, 0x4363, 0x86C6, 0x1DAD},
        {0x3331, 0x6662, 0xCCC4, 0x89A9, 0x0373, 0x06E6, 0x0DCC},
        {0x1021, 0x2042, 0x4084, 0x8108, 0x1231, 0x2462, 0x48C4},
    }};
    QByteArray bytes;
    for (const QChar c : password.left(15))
        bytes.append(char(c.cell() != 0 ? c.cell() : c.row()));
    if (bytes.isEmpty())
        return 0;
    const auto length = bytes.size();
    quint16 high = InitialCode[length - 1];
    for (qsizetype i = 0; i < length; ++i) {
        for (int bit = 0; bit < 7; ++bit) {
            if (quint8(bytes[i]) & (1 << bit))
                high ^= Matrix[15 - length + i][bit];
        }
    }
    const auto rotate = [](quint16 word) {
        return quint16(((word >> 14) & 1) | ((word << 1) & 0x7FFF));
    };
    quint16 low = 0;
    for (qsizetype i = length - 1; i >= 0; --i)
        low = rotate(low) ^ quint8(bytes[i]);
    low = rotate(low) ^ quint16(length) ^ 0xCE4B;
    return (quint32(high) << 16) | low;
}

// Word's password hash of document protection: the legacy key's bytes, low byte first, as upper-case hex
// digits in UTF-16LE, with the salt in front, hashed with SHA-512; then SpinCount more times, each over
// the previous hash followed by the 0-based round number as 4 bytes little-endian.
QByteArray passwordHash(const QString& password, const QByteArray& salt)
{
    const quint32 key = legacyPasswordKey(password);
    QByteArray input = salt;
    for (int i = 0; i < 4; ++i) {
        for (const QChar c : hex((key >> (8 * i)) & 0xFF, 2))
            input.append(char(c.cell())).append('\0');
    }
    QByteArray hash = QCryptographicHash::hash(input, QCryptographicHash::Sha512);
    QCryptographicHash round(QCryptographicHash::Sha512);
    for (quint32 i = 0; i < quint32(SpinCount); ++i) {
        char counter[4];
        qToLittleEndian(i, counter);
        round.reset();
        round.addData(hash);
        round.addData(QByteArrayView(counter, 4));
        hash = round.result();
    }
    return hash;
}

QByteArray randomSalt()
{
    std::array<quint32, SaltBytes / 4> words;
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), SaltBytes);
}

// ---- Zip

struct SourceFree
{
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct ArchiveDiscard
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString zipError(const QString& step, const char* detail)
{
    return step + ": "_L1 + QString::fromUtf8(detail);
}

bool addParts(zip_t* archive, const QList<Part>& parts, QString* error)
{
    for (const Part& part : parts) {
        zip_source_t* source =
            zip_source_buffer(archive, part.data.constData(), zip_uint64_t(part.data.size()), 0);
        if (!source || zip_file_add(archive, part.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return fail(error, zipError("cannot add "_L1 + part.name, zip_strerror(archive)));
        }
    }
    return true;
}

bool readSource(zip_source_t* source, QByteArray* bytes, QString* error)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(source) < 0)
        return fail(error,
                    zipError("cannot read the archive"_L1, zip_error_strerror(zip_source_error(source))));
    bytes->resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(source, bytes->data(), stat.size);
    zip_source_close(source);
    if (read != zip_int64_t(stat.size))
        return fail(error, "cannot read the archive: short read"_L1);
    return true;
}

// The zip file of the parts, built in memory. The parts' bytes must live until the archive is closed.
bool zipInMemory(const QList<Part>& parts, QByteArray* zipped, QString* error)
{
    zip_error_t openError;
    zip_error_init(&openError);
    std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &openError));
    std::unique_ptr<zip_t, ArchiveDiscard> archive(
        buffer ? zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &openError) : nullptr);
    if (!archive) {
        const QString text = zipError("cannot create the archive"_L1, zip_error_strerror(&openError));
        zip_error_fini(&openError);
        return fail(error, text);
    }
    // The archive releases the buffer when it is closed; one more reference keeps it for reading back.
    zip_source_keep(buffer.get());
    if (!addParts(archive.get(), parts, error))
        return false;
    if (zip_close(archive.get()) < 0)
        return fail(error, zipError("cannot write the archive"_L1, zip_strerror(archive.get())));
    archive.release();
    return readSource(buffer.get(), zipped, error);
}

QList<Part> packageParts(const QList<Section>& sections, const std::optional<QList<Paragraph>>& header,
                         const std::optional<QList<Paragraph>>& footer,
                         const std::optional<Protection>& protection)
{
    const HeaderFooterParts hf = headerFooterParts(sections, header, footer);
    QList<Part> result{{"[Content_Types].xml"_L1, contentTypesXml(hf)},
                       {"_rels/.rels"_L1, packageRelsXml()},
                       {DocumentPart, documentXml(sections, hf)},
                       {StylesPart, stylesXml()},
                       {SettingsPart, settingsXml(protection)}};
    for (int part = 1; part <= hf.headers.size(); ++part)
        result.append({"word/"_L1 + headerFooterName("header"_L1, part), hf.headers[part - 1]});
    for (int part = 1; part <= hf.footers.size(); ++part)
        result.append({"word/"_L1 + headerFooterName("footer"_L1, part), hf.footers[part - 1]});
    result.append({"word/_rels/document.xml.rels"_L1, documentRelsXml(hf)});
    return result;
}

} // namespace

struct DocxDocument::Impl
{
    std::optional<Protection> protection;
};

DocxDocument::DocxDocument() : d(std::make_unique<Impl>()) {}

DocxDocument::~DocxDocument() = default;

void DocxDocument::protectForForms(const QString& password, const QByteArray& salt)
{
    if (password.isEmpty()) {
        d->protection = Protection{};
        return;
    }
    const QByteArray usedSalt = salt.isEmpty() ? randomSalt() : salt;
    d->protection = Protection{passwordHash(password, usedSalt), usedSalt};
}

QByteArray DocxDocument::part(const QString& name) const
{
    for (const Part& part : packageParts(sections(), header(), footer(), d->protection)) {
        if (part.name == name)
            return part.data;
    }
    return {};
}

bool DocxDocument::save(const QString& path, QString* error) const
{
    QByteArray zipped;
    return zipInMemory(packageParts(sections(), header(), footer(), d->protection), &zipped, error) &&
           saveBytes(path, zipped, error);
}

} // namespace dovra::report
