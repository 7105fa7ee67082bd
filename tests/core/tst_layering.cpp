// The layers' rule: nothing under src/core/ includes a file of the screens or of dovra-cli, nor a Qt
// Widgets header, so the core builds, runs and is tested without either; nor does it reach for the
// windows' application state, so every file the core works on is the workspace it is given.
#include "support/qtprinting.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QDir Sources(QStringLiteral(DOVRA_SOURCE_DIR "/src"));

// The includes of a core file that reach above the core.
QStringList violationsIn(const QString& text)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"),
                                            QRegularExpression::MultilineOption);
    static const QStringList widgetHeaders = QDir(QStringLiteral(DOVRA_QT_WIDGETS_DIR)).entryList(QDir::Files);
    QStringList violations;
    for (const QRegularExpressionMatch& match : include.globalMatch(text)) {
        const QString name = match.captured(2);
        const bool above =
            match.captured(1) == QLatin1String("\"")
                ? !Sources.exists(QStringLiteral("core/") + name) &&
                      (Sources.exists(QStringLiteral("gui/") + name) || Sources.exists(QStringLiteral("cli/") + name) ||
                       name.startsWith(QLatin1String("gui/")) || name.startsWith(QLatin1String("cli/")))
                : name.startsWith(QLatin1String("QtWidgets/")) || widgetHeaders.contains(name);
        if (above)
            violations.append(name);
    }
    return violations;
}

} // namespace

TEST(Layering, TheRuleFindsIncludesFromAbove)
{
    const QString text =
        QStringLiteral("#include <QWidget>\n#include <QtWidgets/QDialog>\n#include \"app/frmMDI_main.h\"\n"
                       "#include \"gui/app/appstate.h\"\n#include \"clifigures.h\"\n#include <QString>\n"
                       "#include \"storage/database.h\"\n#include <sqlcipher/sqlite3.h>\n");
    EXPECT_EQ(violationsIn(text).join(u' '),
              u"QWidget QtWidgets/QDialog app/frmMDI_main.h gui/app/appstate.h clifigures.h");
}

TEST(Layering, TheCoreIncludesNothingFromAbove)
{
    QDirIterator files(Sources.filePath(QStringLiteral("core")), {"*.h", "*.cpp"}, QDir::Files,
                       QDirIterator::Subdirectories);
    int read = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        ++read;
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_EQ(violationsIn(text), QStringList()) << file.fileName().toStdString();
        EXPECT_FALSE(text.contains(QLatin1String("appState("))) << file.fileName().toStdString();
    }
    EXPECT_GT(read, 50);
}
