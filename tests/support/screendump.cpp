#include "support/screendump.h"

#include "support/docxinspect.h"

#include <QStringList>

#include <utility>

namespace dovra::test {

using namespace report;

QString dumpScreen(const ScreenReport& screen)
{
    QStringList lines;
    QString previousLayout;
    for (const Paragraph& paragraph : screen.paragraphs()) {
        QStringList stops;
        for (const TabStop& tab : paragraph.tabs)
            stops.append(QString::number(tab.positionCm, 'f', 2) +
                         (tab.align == TabStop::Align::Right ? QStringLiteral("r") : QString()));
        const QString alignment = paragraph.alignment == Alignment::Left    ? QString()
                                  : paragraph.alignment == Alignment::Right ? QStringLiteral(" right")
                                                                            : QStringLiteral(" centre");
        const QString layout = QStringLiteral("tabs %1 | %2pt%3")
                                   .arg(stops.isEmpty() ? QStringLiteral("none") : stops.join(u' '))
                                   .arg(paragraph.sizePt)
                                   .arg(alignment);
        if (layout != std::exchange(previousLayout, layout))
            lines.append(layout);
        // The runs with the marks a document's runs would have.
        DocxParagraph shown;
        for (const Run& run : paragraph.runs) {
            const bool symbols = run.font == Font::Wingdings;
            DocxRun look{QString(),  symbols ? QStringLiteral("Wingdings") : QString(),
                         run.sizePt, run.bold,
                         run.italic, run.underline,
                         QString()};
            if (run.colour)
                look.colour = QStringLiteral("%1").arg(*run.colour, 6, 16, QLatin1Char('0')).toUpper();
            for (const QChar c : run.text)
                look.text += symbols ? symbolLookAlike(c.unicode()) : QString(c);
            shown.runs.append(look);
        }
        lines.append(dumpParagraph(shown));
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace dovra::test
