#pragma once

#include "support/qtprinting.h"

#include <QString>
#include <QStringList>

namespace dovra::test {

// One run of the built dovra-cli.
struct CliRun
{
    bool finished = false; // false when it was stopped after the time limit
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs dovra-cli with its settings under home (away from the user's) in the Dutch locale, stopping it
// after timeoutMs.
CliRun runCli(const QStringList& arguments, const QString& home, int timeoutMs = 60000);

} // namespace dovra::test
