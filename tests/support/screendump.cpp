#include "support/screendump.h"

#include <QStringList>

namespace dovra::test {

namespace {

using report::Alignment;
using report::Font;
using report::Paragraph;
using report::Run;
using report::TabStop;

QString marks(const Run& run)
{
    QStringList marks;
    if (run.bold)
        marks.append(QStringLiteral("b"));
    if (run.italic)
        marks.append(QStringLiteral("i"));
    if (run.underline)
        marks.append(QStringLiteral("u"));
    if (run.colour)
        marks.append(u'#' + QStringLiteral("%1").arg(*run.colour, 6, 16, QLatin1Char('0')).toUpper());
    if (run.font == Font::Wingdings)
        marks.append(QStringLiteral("Wingdings"));
    if (run.sizePt != 0)
        marks.append(QString::number(run.sizePt) + QStringLiteral("pt"));
    return u'[' + marks.join(u' ') + u']';
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
