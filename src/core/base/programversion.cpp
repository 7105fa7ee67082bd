#include "base/programversion.h"

namespace dovra {

int ProgramVersion::number() const
{
    return QString(QString::number(major) + QString::number(minor)).toInt();
}

QString ProgramVersion::settingsSection() const
{
    return QStringLiteral("DOVRA%1_%2").arg(major).arg(minor);
}

} // namespace dovra
