#include "arguments.h"

#include <QDir>

namespace dovra::runupd {

namespace {
const QString usage = QStringLiteral("Gebruik: dovra-runupd [--wacht SECONDEN] PROGRAMMA|VENSTERTITEL");
} // namespace

std::variant<Arguments, QString> parseArguments(const QStringList& arguments)
{
    Arguments result;
    QStringList rest = arguments;
    if (rest.size() == 3 && rest.first() == QLatin1String("--wacht")) {
        bool ok = false;
        result.waitSeconds = rest.at(1).toInt(&ok);
        if (!ok || result.waitSeconds < 0)
            return QStringLiteral("Ongeldig aantal seconden: \"%1\".\n").arg(rest.at(1)) + usage;
        rest = rest.mid(2);
    }
    if (rest.size() != 1)
        return QStringLiteral("Onjuist aantal argumenten.\n") + usage;
    // The caption may hold a "|" itself; a path of the program folder does not.
    const qsizetype bar = rest.first().indexOf(u'|');
    result.executable = rest.first().left(bar);
    result.caption = rest.first().mid(bar + 1);
    if (bar < 0 || !QDir::isAbsolutePath(result.executable) || result.executable.endsWith(u'/'))
        return QStringLiteral("Ongeldig argument: \"%1\".\n").arg(rest.first()) + usage;
    result.executable = QDir::cleanPath(result.executable);
    if (result.caption.isEmpty())
        result.caption = QStringLiteral("DOVRA");
    return result;
}

} // namespace dovra::runupd
