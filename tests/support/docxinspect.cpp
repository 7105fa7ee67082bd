#include "support/docxinspect.h"

#include <QFile>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <utility>

namespace dovra::test {

namespace {

const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

QString cm(double value)
{
    return QString::number(value, 'f', 2);
}

double twipsToCm(const QString& twips)
{
    return twips.toDouble() * 2.54 / 1440;
}

QString look(const DocxRun& run)
{
    QStringList marks{run.bold ? "b" : "",
                      run.italic ? "i" : "",
                      run.underline ? "u" : "",
                      run.colour.isEmpty() ? QString() : u'#' + run.colour,
                      run.font,
                      run.sizePt == 0 ? QString() : QString::number(run.sizePt) + QStringLiteral("pt")};
    marks.removeAll(QString());
    return u'[' + marks.join(u' ') + u']';
}

} // namespace

QString DocxParagraph::text() const
{
    QString result;
    for (const DocxRun& run : runs)
        result += run.text;
    return result;
}

QStringList DocxContent::lines() const
{
    QStringList result;
    for (const DocxSection& section : sections)
        for (const DocxBlock& block : section.blocks) {
            if (!block.isTable)
                result.append(block.paragraph.text());
            for (const DocxRow& row : block.table.rows) {
                QStringList cells;
                for (const DocxCell& cell : row) {
                    QStringList paragraphs;
                    for (const DocxParagraph& paragraph : cell.paragraphs)
                        paragraphs.append(paragraph.text());
                    cells.append(paragraphs.join(u'\n'));
                }
                result.append(cells.join(u'\t'));
            }
        }
    return result;
}

QString dumpParagraph(const DocxParagraph& paragraph)
{
    QString line;
    QString previous;
    for (const DocxRun& run : paragraph.runs) {
        const QString marks = look(run);
        if (marks != previous && !(previous.isEmpty() && marks == u"[]"))
            line += marks;
        previous = marks;
        line += QString(run.text).replace(u'\t', u'→').replace(u'\n', u'↵');
    }
    return line;
}

QString dumpDocx(const DocxContent& content)
{
    QStringList lines;
    for (const DocxSection& section : content.sections) {
        if (!section.page.isEmpty())
            lines.append(QStringLiteral("section ") + section.page);
        for (const DocxBlock& block : section.blocks) {
            if (!block.isTable) {
                lines.append(dumpParagraph(block.paragraph));
                if (block.paragraph.pageBreak)
                    lines.append(QStringLiteral("page break"));
                continue;
            }
            QStringList grid;
            for (double width : block.table.gridCm)
                grid.append(cm(width));
            lines.append(QStringLiteral("table grid ") + grid.join(u' '));
            for (const DocxRow& row : block.table.rows) {
                QStringList cells;
                for (qsizetype i = 0; i < row.size(); ++i) {
                    const DocxCell& cell = row[i];
                    QStringList paragraphs;
                    for (const DocxParagraph& paragraph : cell.paragraphs)
                        paragraphs.append(dumpParagraph(paragraph));
                    QString text = paragraphs.join(QStringLiteral(" ¶ "));
                    if (cm(cell.widthCm) != cm(block.table.gridCm.value(i, -1)))
                        text += u'@' + cm(cell.widthCm);
                    if (cell.bottomBorder)
                        text += u'‗';
                    cells.append(text);
                }
                lines.append(cells.join(QStringLiteral(" | ")));
            }
        }
    }
    if (!content.parseError.isEmpty())
        lines.append(QStringLiteral("parse error ") + content.parseError);
    return lines.join(u'\n') + u'\n';
}

// One pass over the elements, knowing the ones around the current one: the writer's parts are flat
// enough (tables hold paragraphs, never tables).
DocxContent readDocx(const QByteArray& xml)
{
    DocxContent content;
    DocxSection section;
    DocxParagraph paragraph;
    DocxRun run;
    QString pageSize;
    QString instruction;
    QStringList open;
    bool sectionEnds = false; // the paragraph carries its section's properties
    bool inField = false; // from a field's begin to its end: its instruction and shown result are no run text
    const auto finishSection = [&] {
        content.sections.append(std::exchange(section, DocxSection()));
    };
    const auto table = [&]() -> DocxTable& {
        return section.blocks.last().table;
    };
    const auto cell = [&]() -> DocxCell& {
        return table().rows.last().last();
    };
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        const QStringView name = reader.name();
        const auto attribute = [&](const char* local) {
            return reader.attributes().value(W, local).toString();
        };
        if (reader.isEndElement()) {
            open.removeLast();
            if (name == u"r" && !run.text.isEmpty()) {
                paragraph.runs.append(run);
            } else if (name == u"p") {
                if (open.contains(u"tc"))
                    cell().paragraphs.append(std::exchange(paragraph, DocxParagraph()));
                else
                    section.blocks.append(DocxBlock{false, std::exchange(paragraph, DocxParagraph()), {}});
                if (std::exchange(sectionEnds, false))
                    finishSection();
            } else if (name == u"sectPr") {
                if (open.last() == u"pPr")
                    sectionEnds = true;
                else
                    finishSection();
            }
            continue;
        }
        if (!reader.isStartElement())
            continue;
        if (name == u"t" || name == u"instrText") {
            const QString text = reader.readElementText();
            if (name == u"instrText")
                instruction += text;
            else if (!inField)
                run.text += text;
            continue;
        }
        const QString parent = open.value(open.size() - 1);
        open.append(name.toString());
        if (name == u"tbl") {
            section.blocks.append(DocxBlock{true, {}, {}});
        } else if (name == u"gridCol") {
            table().gridCm.append(twipsToCm(attribute("w")));
        } else if (name == u"tr") {
            table().rows.emplaceBack();
        } else if (name == u"tc") {
            table().rows.last().emplaceBack();
        } else if (name == u"tcW") {
            cell().widthCm = twipsToCm(attribute("w"));
        } else if (name == u"bottom" && parent == u"tcBorders") {
            cell().bottomBorder = attribute("val") != u"nil" && attribute("val") != u"none";
        } else if (name == u"r") {
            run = DocxRun();
        } else if (parent == u"rPr") {
            if (name == u"rFonts")
                run.font = attribute("ascii");
            else if (name == u"sz")
                run.sizePt = attribute("val").toDouble() / 2;
            else if (name == u"color")
                run.colour = attribute("val");
            run.bold |= name == u"b";
            run.italic |= name == u"i";
            run.underline |= name == u"u" && attribute("val") != u"none";
        } else if (name == u"fldChar") {
            const QString type = attribute("fldCharType");
            if (type == u"separate") {
                DocxRun shown = run;
                shown.text = u'{' + std::exchange(instruction, QString()) + u'}';
                paragraph.runs.append(shown);
            }
            inField = type != u"end";
        } else if (parent == u"r" && !inField) {
            if (name == u"tab")
                run.text += u'\t';
            else if (name == u"br" && attribute("type") == u"page")
                paragraph.pageBreak = true;
            else if (name == u"br")
                run.text += u'\n';
            else if (name == u"sym")
                run.text += QChar(char16_t(attribute("char").toUInt(nullptr, 16) - 0xF000));
        } else if (name == u"pgSz") {
            pageSize = QStringLiteral("%1 x %2 cm")
                           .arg(cm(twipsToCm(attribute("w"))), cm(twipsToCm(attribute("h")))) +
                       (attribute("orient") == u"landscape" ? QStringLiteral(" landscape") : QString());
        } else if (name == u"pgMar") {
            const auto margin = [&](const char* side) {
                return cm(twipsToCm(attribute(side)));
            };
            section.page =
                QStringLiteral("%1, margins top %2 bottom %3 left %4 right %5, header %6 footer %7")
                    .arg(pageSize, margin("top"), margin("bottom"), margin("left"), margin("right"),
                         margin("header"), margin("footer"));
        }
    }
    // A header or footer has no section properties.
    if (!section.blocks.isEmpty() || content.sections.isEmpty())
        finishSection();
    if (reader.hasError())
        content.parseError = QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    return content;
}

QByteArray readDocxPart(const QString& path, const QString& part)
{
    const std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, nullptr), &zip_discard);
    const QByteArray name = part.toUtf8();
    zip_stat_t stat;
    if (!archive || zip_stat(archive.get(), name.constData(), 0, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE))
        return {};
    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
        zip_fopen(archive.get(), name.constData(), 0), &zip_fclose);
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    if (!file || zip_fread(file.get(), bytes.data(), stat.size) != zip_int64_t(stat.size))
        return {};
    return bytes;
}

} // namespace dovra::test
