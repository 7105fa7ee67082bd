// dovra-cli: the headless program. Messages of the core go to stderr.
#include "base/stderrmessages.h"
#include "cli.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Same name as the windowed program, so both look for the user's files in the same folders.
    QCoreApplication::setApplicationName(QStringLiteral("DOVRA"));
    dovra::StderrMessages stderrMessages;
    dovra::setMessageService(&stderrMessages);
    QTextStream out(stdout);
    return dovra::runCli(app.arguments().mid(1), out);
}
