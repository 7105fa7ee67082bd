#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace dovra {

// Held for the lifetime of the program, so that a second instance can tell it is not alone.
class InstanceLock
{
public:
    // The lock file in the user's runtime folder.
    static QString defaultPath();
    explicit InstanceLock(const QString& path);
    // False when another running instance holds the lock.
    bool acquire();

private:
    QLockFile m_lock;
};

} // namespace dovra
