#include "support/cliprocess.h"

#include <QDir>
#include <QProcess>

namespace dovra::test {

CliRun runCli(const QStringList& arguments, const QString& home, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    // Numbers in text follow the system locale: the program's users' one, whatever the machine's.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("nl_NL.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QDir(QStringLiteral(DOVRA_TEST_PROGRAM_DIR)).filePath(QStringLiteral("dovra-cli")),
                  arguments);
    CliRun run;
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace dovra::test
