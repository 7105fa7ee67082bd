// Every text the program shows, as it stands in the sources of the core and the screens and in the .ui
// files: no double space between two words, and one caption for cancelling, "Annuleren".
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The texts of a file: the <string> elements of a .ui file, the string literals of other lines than comments.
QStringList textsOf(const QString& path, const QString& contents)
{
    static const QRegularExpression uiString(QStringLiteral("<string[^>]*>([^<]*)</string>"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\\n]|\\.)*)")re"));
    static const QRegularExpression quoteCharacter(QStringLiteral(R"('\\?"')"));
    QStringList texts;
    for (const QString& line : contents.split(u'\n')) {
        if (line.trimmed().startsWith(QLatin1String("//")))
            continue;
        const QString code = QString(line).remove(quoteCharacter);
        for (const QRegularExpressionMatch& match :
             (path.endsWith(QLatin1String(".ui")) ? uiString : literal).globalMatch(code))
            texts.append(match.captured(1));
    }
    return texts;
}

// Whether a text has a double space between words or the other cancel caption. Word field codes and date
// patterns are no prose; the blanks around a run of dots are room for an input box, and the input report's
// section headings have two blanks after their marker by design.
bool faulty(QString text)
{
    static const QRegularExpression cancel(QStringLiteral("\\bAnnuleer\\b"));
    static const QRegularExpression notProse(QStringLiteral(R"(\\\*|^[ dMmyHhn:-]+$)"));
    static const QRegularExpression room(QStringLiteral(" *\\.{3,} *"));
    static const QRegularExpression doubleSpace(QStringLiteral("\\S  \\S"));
    text.replace(room, QStringLiteral("_")).remove(QLatin1String(">>  "));
    return cancel.match(text).hasMatch() ||
           (!notProse.match(text).hasMatch() && doubleSpace.match(text).hasMatch());
}

TEST(UserTexts, TheRuleFindsDoubleSpacesAndTheOtherCancel)
{
    for (const char* wrong : {"daarna  € 250,-", "&amp;Annuleer", "e  jaar"})
        EXPECT_TRUE(faulty(QString::fromUtf8(wrong))) << wrong;
    for (const char* right : {"&Annuleren", "één keer per    .....   jaar", "BTW:               %",
                              " d-mmm-yyyy  hh:nn", "PAGE  \\\\* Arabic ", ">>  Kostenposten"})
        EXPECT_FALSE(faulty(QString::fromUtf8(right))) << right;
}

TEST(UserTexts, NoneHasADoubleSpaceOrAnotherCancel)
{
    QStringList faults;
    int read = 0;
    for (const char* folder : {"core", "gui"}) {
        QDirIterator files(QStringLiteral(DOVRA_SOURCE_DIR "/src/") + QLatin1String(folder),
                           {"*.h", "*.cpp", "*.ui"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            ++read;
            for (const QString& text : textsOf(file.fileName(), QString::fromUtf8(file.readAll())))
                if (faulty(text))
                    faults.append(file.fileName().section(u'/', -2) + u": [" + text + u']');
        }
    }
    EXPECT_GT(read, 100);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

} // namespace
