#include "processwait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <climits>
#include <unistd.h>

namespace dovra::runupd {

namespace {

// The executable a process runs; empty for a process that is gone, a zombie or another user's.
QString processExecutable(const QString& pid)
{
    char target[PATH_MAX];
    const ssize_t length =
        ::readlink(QFile::encodeName(QStringLiteral("/proc/") + pid + QStringLiteral("/exe")).constData(),
                   target, sizeof target);
    return length > 0 ? QFile::decodeName(QByteArray(target, length)) : QString();
}

bool isRunning(const QString& executable)
{
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        bool isPid = false;
        pid.toLongLong(&isPid);
        if (isPid && pid != self && processExecutable(pid) == executable)
            return true;
    }
    return false;
}

} // namespace

bool waitUntilEnded(const QString& executable, int seconds)
{
    // /proc names the executable with its links resolved.
    const QString canonical = QFileInfo(executable).canonicalFilePath();
    const QString running = canonical.isEmpty() ? executable : canonical;
    const QDeadlineTimer deadline{std::chrono::seconds(seconds)};
    while (isRunning(running)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

} // namespace dovra::runupd
