#include "support/golden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace dovra::test {

namespace {

constexpr int ShownDifferences = 5;

QString goldenPath(const QString& name)
{
    return QDir(QStringLiteral(DOVRA_TEST_GOLDEN_DIR)).filePath(name);
}

} // namespace

::testing::AssertionResult matchesGolden(const QString& name, const QString& text)
{
    const QString path = goldenPath(name);
    QFile file(path);
    if (qEnvironmentVariableIntValue("DOVRA_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QByteArray bytes = text.toUtf8();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
        return ::testing::AssertionSuccess();
    }
    if (!file.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure()
               << "no golden file " << path.toStdString() << " (DOVRA_UPDATE_GOLDEN=1 writes it)";
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList actual = text.split(u'\n');
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    int differences = 0;
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const QString want = expected.value(i, QStringLiteral("<no line>"));
        const QString got = actual.value(i, QStringLiteral("<no line>"));
        if (want == got)
            continue;
        if (differences == 0)
            result = ::testing::AssertionFailure() << name.toStdString() << " differs:";
        if (++differences <= ShownDifferences)
            result << "\n  line " << i + 1 << "\n    expected: " << want.toStdString()
                   << "\n    actual:   " << got.toStdString();
    }
    if (differences > ShownDifferences)
        result << "\n  ... " << differences - ShownDifferences << " more lines differ";
    return result;
}

} // namespace dovra::test
