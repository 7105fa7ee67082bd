#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace dovra::test {

::testing::AssertionResult matchesGolden(const QString& name, const QString& text)
{
    QFile file(QStringLiteral(DOVRA_TEST_GOLDEN_DIR "/") + name);
    if (qEnvironmentVariableIntValue("DOVRA_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
            return ::testing::AssertionFailure() << "cannot write " << file.fileName().toStdString();
        return ::testing::AssertionSuccess();
    }
    if (!file.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure()
               << "no golden file " << file.fileName().toStdString() << " (DOVRA_UPDATE_GOLDEN=1 writes it)";
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList actual = text.split(u'\n');
    if (expected == actual)
        return ::testing::AssertionSuccess();
    qsizetype line = 0;
    while (line < expected.size() && line < actual.size() && expected[line] == actual[line])
        ++line;
    return ::testing::AssertionFailure() << name.toStdString() << " differs from line " << line + 1 << "\n  expected: "
                                         << expected.value(line, QStringLiteral("<no line>")).toStdString()
                                         << "\n  actual:   "
                                         << actual.value(line, QStringLiteral("<no line>")).toStdString();
}

} // namespace dovra::test
