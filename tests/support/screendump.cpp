#include "support/screendump.h"

#include "support/docxinspect.h"

#include <QStringList>

namespace dovra::test {

namespace {

using report::Alignment;
using report::Font;
using report::Paragraph;
using report::Run;
using report::TabStop;

// The same marks as a document's run.
QString marks(const Run& run)
{
    DocxRun look;
    look.bold = run.bold;
    look.italic = run.italic;
    look.underline = run.underline;
    if (run.colour)
        look.colour = QStringLiteral("%1").arg(*run.colour, 6, 16, QLatin1Char('0')).toUpper();
    if (run.font == Font::Wingdings)
        look.font = QStringLiteral("Wingdings");
    look.sizePt = run.sizePt;
    return runLook(look);
}

QString layout(const Paragraph& paragraph)
{
    QStringList stops;
    for (const TabStop& tab : paragraph.tabs)
        stops.append(QString::number(tab.positionCm, 'f', 2) +
                     (tab.align == TabStop::Align::Right ? QStringLiteral("r") : QString()));
    const QString alignment = paragraph.alignment == Alignment::Left    ? QString()
                              : paragraph.alignment == Alignment::Right ? QStringLiteral(" right")
                                                                        : QStringLiteral(" centre");
    return QStringLiteral("tabs %1 | %2pt%3")
        .arg(stops.isEmpty() ? QStringLiteral("none") : stops.join(u' '))
        .arg(paragraph.sizePt)
        .arg(alignment);
}

} // namespace

QString dumpScreen(const report::ScreenReport& screen)
{
    QStringList lines;
    QString previousLayout;
    for (const Paragraph& paragraph : screen.paragraphs()) {
        const QString look = layout(paragraph);
        if (look != previousLayout)
            lines.append(look);
        previousLayout = look;
        QString line;
        QString previous;
        for (const Run& run : paragraph.runs) {
            const QString runMarks = marks(run);
            if (runMarks != previous && !(previous.isEmpty() && runMarks == u"[]"))
                line += runMarks;
            previous = runMarks;
            QString text;
            for (const QChar c : run.text)
                text += run.font == Font::Wingdings ? report::symbolLookAlike(c.unicode()) : QString(c);
            line += text.replace(u'\t', u'→');
        }
        lines.append(line);
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace dovra::test
