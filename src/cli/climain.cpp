// dovra-cli: the headless program. Messages of the core go to stderr.
#include "base/qttranslations.h"
#include "base/stderrmessages.h"
#include "cli.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

namespace {

// A PDF report is laid out with the fonts of Qt's windowing side, which needs the GUI application (drawing
// offscreen, without a display). Every other command stays without it.
bool writesPdf(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]).toLower().endsWith(".pdf"))
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Qt's windowing side wants a private runtime folder. A script run from cron or by root often has none,
    // and Qt then says so on stderr and falls back to a shared one in the temporary folder: this run makes
    // its own there (mode 0700), removed when it ends, after the application.
    std::unique_ptr<QTemporaryDir> runtimeFolder;
    std::unique_ptr<QCoreApplication> app;
    if (writesPdf(argc, argv)) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtimeFolder =
                std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/dovra-cli-XXXXXX"));
            if (runtimeFolder->isValid())
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder->path()));
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Same name as the windowed program, so both look for the user's files in the same folders.
    QCoreApplication::setApplicationName(QStringLiteral("DOVRA"));
    dovra::installDutchQtTranslations(*app);
    // What the program prints is a contract that scripts check: the same Dutch texts and number formats on
    // every machine, whatever locale it runs in.
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    dovra::StderrMessages stderrMessages;
    dovra::setMessageService(&stderrMessages);
    QTextStream out(stdout);
    return dovra::runCli(QCoreApplication::arguments().mid(1), out);
}
