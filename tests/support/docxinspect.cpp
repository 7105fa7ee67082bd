#include "support/docxinspect.h"

#include <QFile>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <optional>

namespace dovra::test {

QString DocxParagraph::text() const
{
    QString result;
    for (const DocxRun& run : runs)
        result += run.text;
    return result;
}

QString DocxCell::text() const
{
    QStringList texts;
    for (const DocxParagraph& paragraph : paragraphs)
        texts.append(paragraph.text());
    return texts.join(u'\n');
}

bool DocxCell::anyItalic() const
{
    for (const DocxParagraph& paragraph : paragraphs) {
        for (const DocxRun& run : paragraph.runs) {
            if (run.italic)
                return true;
        }
    }
    return false;
}

QStringList DocxRow::texts() const
{
    QStringList result;
    for (const DocxCell& cell : cells)
        result.append(cell.text());
    return result;
}

QStringList DocxSection::lines() const
{
    QStringList result;
    for (const DocxBlock& block : blocks) {
        if (!block.isTable) {
            result.append(block.paragraph.text());
            continue;
        }
        for (const DocxRow& row : block.table.rows)
            result.append(row.texts().join(u'\t'));
    }
    return result;
}

QStringList DocxContent::lines() const
{
    QStringList result;
    for (const DocxSection& section : sections)
        result += section.lines();
    return result;
}

namespace {

QString cm(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QString runLook(const DocxRun& run)
{
    QStringList marks;
    if (run.bold)
        marks.append(QStringLiteral("b"));
    if (run.italic)
        marks.append(QStringLiteral("i"));
    if (run.underline)
        marks.append(QStringLiteral("u"));
    if (!run.colour.isEmpty())
        marks.append(u'#' + run.colour);
    if (!run.font.isEmpty())
        marks.append(run.font);
    if (run.sizePt != 0)
        marks.append(QString::number(run.sizePt) + QStringLiteral("pt"));
    return u'[' + marks.join(u' ') + u']';
}

namespace {

QString dumpParagraph(const DocxParagraph& paragraph)
{
    QString line;
    QString previous;
    for (const DocxRun& run : paragraph.runs) {
        const QString look = runLook(run);
        if (look != previous && !(previous.isEmpty() && look == u"[]"))
            line += look;
        previous = look;
        line += QString(run.text).replace(u'\t', u'→').replace(u'\n', u'↵');
    }
    return line;
}

void dumpTable(const DocxTable& table, QStringList& lines)
{
    QStringList grid;
    for (double width : table.gridCm)
        grid.append(cm(width));
    lines.append(QStringLiteral("table grid ") + grid.join(u' '));
    for (const DocxRow& row : table.rows) {
        QStringList cells;
        for (qsizetype i = 0; i < row.cells.size(); ++i) {
            const DocxCell& cell = row.cells[i];
            QStringList paragraphs;
            for (const DocxParagraph& paragraph : cell.paragraphs)
                paragraphs.append(dumpParagraph(paragraph));
            QString text = paragraphs.join(QStringLiteral(" ¶ "));
            if (i >= table.gridCm.size() || cm(cell.widthCm) != cm(table.gridCm[i]))
                text += u'@' + cm(cell.widthCm);
            if (cell.bottomBorder)
                text += u'‗';
            cells.append(text);
        }
        lines.append(cells.join(QStringLiteral(" | ")));
    }
}

const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

double twipsToCm(const QString& twips)
{
    return twips.toDouble() * 2.54 / 1440;
}

// Reads the body of a WordprocessingML part element by element.
class Reader
{
public:
    explicit Reader(const QByteArray& xml) : m_xml(xml) {}

    DocxContent read()
    {
        if (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"document" && m_xml.namespaceUri() == W)
                readDocument();
            else
                readBlocks(); // a header or footer
        }
        if (!m_current.blocks.isEmpty() || m_content.sections.isEmpty())
            finishSection();
        if (m_xml.hasError())
            m_content.parseError =
                QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(m_xml.errorString());
        return m_content;
    }

private:
    enum class FieldPart
    {
        None,
        Instruction,
        Result
    };

    bool isW(QStringView name) const { return m_xml.name() == name && m_xml.namespaceUri() == W; }
    QString attribute(const char* name) const
    {
        return m_xml.attributes().value(W, QLatin1StringView(name)).toString();
    }

    void readDocument()
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"body"))
                readBlocks();
            else
                m_xml.skipCurrentElement();
        }
    }

    // Paragraphs and tables of the body (or header, footer); a section property closes a section.
    void readBlocks()
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"p"))
                readBodyParagraph();
            else if (isW(u"tbl"))
                m_current.blocks.append(DocxBlock{true, {}, readTable()});
            else if (isW(u"sectPr"))
                closeSection();
            else
                m_xml.skipCurrentElement();
        }
    }

    void readBodyParagraph()
    {
        DocxBlock block;
        bool endsSection = false;
        block.paragraph = readParagraph(&endsSection);
        m_current.blocks.append(block);
        if (endsSection)
            finishSection();
    }

    void closeSection()
    {
        readSectionProperties(m_current);
        finishSection();
    }

    void finishSection()
    {
        m_content.sections.append(m_current);
        m_current = DocxSection();
    }

    void readSectionProperties(DocxSection& section)
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"pgSz")) {
                section.widthCm = twipsToCm(attribute("w"));
                section.heightCm = twipsToCm(attribute("h"));
                section.landscape = attribute("orient") == u"landscape";
            } else if (isW(u"pgMar")) {
                section.topCm = twipsToCm(attribute("top"));
                section.bottomCm = twipsToCm(attribute("bottom"));
                section.leftCm = twipsToCm(attribute("left"));
                section.rightCm = twipsToCm(attribute("right"));
                section.headerCm = twipsToCm(attribute("header"));
                section.footerCm = twipsToCm(attribute("footer"));
            }
            m_xml.skipCurrentElement();
        }
    }

    // A paragraph; *sectionEnd tells whether its properties hold a section's properties (they are read
    // into the current section).
    DocxParagraph readParagraph(bool* sectionEnd)
    {
        DocxParagraph paragraph;
        m_field = FieldPart::None;
        while (m_xml.readNextStartElement()) {
            if (isW(u"pPr"))
                readParagraphProperties(sectionEnd);
            else if (isW(u"r"))
                readRun(paragraph);
            else if (isW(u"fldSimple"))
                readSimpleField(paragraph);
            else
                m_xml.skipCurrentElement();
        }
        return paragraph;
    }

    void readParagraphProperties(bool* sectionEnd)
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"sectPr") && sectionEnd) {
                readSectionProperties(m_current);
                *sectionEnd = true;
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // On unless w:val says off.
    bool toggle() const
    {
        const QString value = attribute("val");
        return value != u"0" && value != u"false" && value != u"off";
    }

    void readRunProperties(DocxRun& run)
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"rFonts"))
                run.font = attribute("ascii");
            else if (isW(u"sz"))
                run.sizePt = attribute("val").toDouble() / 2;
            else if (isW(u"b"))
                run.bold = toggle();
            else if (isW(u"i"))
                run.italic = toggle();
            else if (isW(u"u"))
                run.underline = attribute("val") != u"none";
            else if (isW(u"color"))
                run.colour = attribute("val");
            m_xml.skipCurrentElement();
        }
    }

    void readFieldChar(DocxParagraph& paragraph, const DocxRun& format)
    {
        const QString type = attribute("fldCharType");
        if (type == u"begin") {
            m_field = FieldPart::Instruction;
            m_instruction.clear();
        } else if (type == u"separate" || (type == u"end" && m_field == FieldPart::Instruction)) {
            DocxRun field = format;
            field.text = u'{' + m_instruction + u'}';
            paragraph.runs.append(field);
            m_field = type == u"end" ? FieldPart::None : FieldPart::Result;
        } else if (type == u"end") {
            m_field = FieldPart::None;
        }
    }

    // The run's text, or nothing while inside a field (its instruction is collected, its result skipped).
    void readRun(DocxParagraph& paragraph)
    {
        DocxRun run;
        while (m_xml.readNextStartElement()) {
            if (isW(u"rPr")) {
                readRunProperties(run);
                continue;
            }
            if (isW(u"fldChar"))
                readFieldChar(paragraph, run);
            else if (isW(u"instrText") && m_field == FieldPart::Instruction)
                m_instruction += m_xml.readElementText();
            else if (m_field == FieldPart::None)
                readRunContent(paragraph, run);
            if (!m_xml.isEndElement())
                m_xml.skipCurrentElement();
        }
        if (!run.text.isEmpty())
            paragraph.runs.append(run);
    }

    void readRunContent(DocxParagraph& paragraph, DocxRun& run)
    {
        if (isW(u"t")) {
            run.text += m_xml.readElementText();
        } else if (isW(u"tab")) {
            run.text += u'\t';
        } else if (isW(u"br") || isW(u"cr")) {
            const QString type = attribute("type");
            if (type == u"page")
                paragraph.pageBreak = true;
            else if (type.isEmpty() || type == u"textWrapping")
                run.text += u'\n';
        } else if (isW(u"sym")) {
            const uint code = attribute("char").toUInt(nullptr, 16);
            run.text += QChar(char16_t(code >= 0xF000 ? code - 0xF000 : code));
        }
    }

    void readSimpleField(DocxParagraph& paragraph)
    {
        DocxRun field;
        field.text = u'{' + attribute("instr") + u'}';
        paragraph.runs.append(field);
        m_xml.skipCurrentElement();
    }

    DocxTable readTable()
    {
        DocxTable table;
        while (m_xml.readNextStartElement()) {
            if (isW(u"tblGrid"))
                readGrid(table);
            else if (isW(u"tr"))
                table.rows.append(readRow());
            else
                m_xml.skipCurrentElement();
        }
        return table;
    }

    void readGrid(DocxTable& table)
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"gridCol"))
                table.gridCm.append(twipsToCm(attribute("w")));
            m_xml.skipCurrentElement();
        }
    }

    DocxRow readRow()
    {
        DocxRow row;
        while (m_xml.readNextStartElement()) {
            if (isW(u"tc"))
                row.cells.append(readCell());
            else
                m_xml.skipCurrentElement();
        }
        return row;
    }

    DocxCell readCell()
    {
        DocxCell cell;
        while (m_xml.readNextStartElement()) {
            if (isW(u"tcPr"))
                readCellProperties(cell);
            else if (isW(u"p"))
                cell.paragraphs.append(readParagraph(nullptr));
            else
                m_xml.skipCurrentElement();
        }
        return cell;
    }

    void readCellProperties(DocxCell& cell)
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"tcW") && attribute("type") == u"dxa") {
                cell.widthCm = twipsToCm(attribute("w"));
            } else if (isW(u"tcBorders")) {
                readCellBorders(cell);
                continue;
            }
            m_xml.skipCurrentElement();
        }
    }

    void readCellBorders(DocxCell& cell)
    {
        while (m_xml.readNextStartElement()) {
            if (isW(u"bottom")) {
                const QString value = attribute("val");
                cell.bottomBorder = !value.isEmpty() && value != u"nil" && value != u"none";
            }
            m_xml.skipCurrentElement();
        }
    }

    QXmlStreamReader m_xml;
    DocxContent m_content;
    DocxSection m_current;
    FieldPart m_field = FieldPart::None;
    QString m_instruction;
};

struct ArchiveClose
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileClose
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

} // namespace

QString dumpDocx(const DocxContent& content)
{
    QStringList lines;
    for (const DocxSection& section : content.sections) {
        if (section.widthCm > 0)
            lines.append(QStringLiteral("section %1 x %2 cm%3, margins top %4 bottom %5 left %6 right %7, "
                                        "header %8 footer %9")
                             .arg(cm(section.widthCm), cm(section.heightCm),
                                  section.landscape ? QStringLiteral(" landscape") : QString(),
                                  cm(section.topCm), cm(section.bottomCm), cm(section.leftCm),
                                  cm(section.rightCm), cm(section.headerCm), cm(section.footerCm)));
        for (const DocxBlock& block : section.blocks) {
            if (block.isTable) {
                dumpTable(block.table, lines);
                continue;
            }
            lines.append(dumpParagraph(block.paragraph));
            if (block.paragraph.pageBreak)
                lines.append(QStringLiteral("page break"));
        }
    }
    if (!content.parseError.isEmpty())
        lines.append(QStringLiteral("parse error ") + content.parseError);
    return lines.join(u'\n') + u'\n';
}

DocxContent readDocx(const QByteArray& xml)
{
    return Reader(xml).read();
}

QByteArray readDocxPart(const QString& path, const QString& part)
{
    std::unique_ptr<zip_t, ArchiveClose> archive(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr));
    if (!archive)
        return {};
    const QByteArray name = part.toUtf8();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive.get(), name.constData(), 0, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE))
        return {};
    std::unique_ptr<zip_file_t, FileClose> file(zip_fopen(archive.get(), name.constData(), 0));
    if (!file)
        return {};
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    if (zip_fread(file.get(), bytes.data(), stat.size) != zip_int64_t(stat.size))
        return {};
    return bytes;
}

} // namespace dovra::test
