// Shared main of the test executables, on the offscreen platform: a QGuiApplication for the core's tests (PDF
// reports are laid out with Qt's fonts), a real QApplication for the screens' (DOVRA_TEST_WIDGETS); a home
// folder of its own (settings and user folders of parallel tests never meet), Dutch locale and Qt's own texts
// in Dutch, as the programs have them.
#ifdef DOVRA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include "base/qttranslations.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/dovra-test-home-XXXXXX"));
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    TestApplication app(argc, argv);
    dovra::installDutchQtTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
