#pragma once

#include <QStringList>
#include <QTextStream>

namespace dovra {

// Exit statuses of the headless program.
enum CliStatus
{
    CliOk = 0,
    CliFailed = 1,
    CliUnusable = 2
};

// Runs one dovra-cli command (arguments without the program name) and returns its exit status.
// Results go to out; the core's messages go through the message service.
int runCli(const QStringList& arguments, QTextStream& out);

// Tells text on stderr, after what out holds so far, and returns status.
int fail(QTextStream& out, const QString& text, int status = CliUnusable);

} // namespace dovra
