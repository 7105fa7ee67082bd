#include "storage/filereplace.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace dovra {

bool syncToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool replaceFile(const QString& finished, const QString& target)
{
    if (!syncToDisk(finished) ||
        std::rename(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    syncToDisk(QFileInfo(target).absolutePath());
    return true;
}

} // namespace dovra
