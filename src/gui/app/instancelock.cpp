#include "app/instancelock.h"

#include <QDir>
#include <QStandardPaths>

namespace dovra {

QString InstanceLock::defaultPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("dovra.lock"));
}

InstanceLock::InstanceLock(const QString& path) : m_lock(path) {}

bool InstanceLock::acquire()
{
    // A lock left by a crashed instance is recognised as stale and taken over.
    return m_lock.tryLock(0);
}

} // namespace dovra
