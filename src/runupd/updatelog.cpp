#include "updatelog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>

namespace dovra::runupd {

UpdateLog::UpdateLog()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/DOVRA");
    QDir().mkpath(folder);
    m_path = folder + QStringLiteral("/dovra-runupd.log");
}

void UpdateLog::write(const QString& line)
{
    // A log that cannot be written must not stop the update.
    QFile file(m_path);
    const QIODevice::OpenMode mode = file.size() > MaxBytes ? QIODevice::Truncate : QIODevice::Append;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | mode))
        return;
    file.write((QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + line + u'\n')
                   .toUtf8());
}

void UpdateLog::error(const QString& line)
{
    write(line);
    std::fputs((line + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace dovra::runupd
