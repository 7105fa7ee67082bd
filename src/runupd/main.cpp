// dovra-runupd: started by the program after a download, with "PROGRAM|CAPTION". Waits for the program to
// end, puts the downloaded "_0_" files in place and starts the program again.
#include "arguments.h"
#include "filereplacer.h"
#include "processwait.h"
#include "updatelog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

using namespace dovra::runupd;
using dovra::TrustedKeys;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    UpdateLog log;
    const auto parsed = parseArguments(app.arguments().mid(1));
    if (const QString* message = std::get_if<QString>(&parsed)) {
        log.error(*message);
        return 2;
    }
    const Arguments& arguments = std::get<Arguments>(parsed);
    const QFileInfo executable(arguments.executable);
    log.write(QStringLiteral("Update van %1 gestart; wacht tot het programma is afgesloten.")
                  .arg(arguments.executable));

    if (!waitUntilEnded(arguments.executable, arguments.waitSeconds)) {
        const QString waited = arguments.waitSeconds == 1
                                   ? QStringLiteral("1 seconde")
                                   : QStringLiteral("%1 seconden").arg(arguments.waitSeconds);
        log.error(QStringLiteral("%1 is na %2 nog niet afgesloten; de update is niet uitgevoerd.")
                      .arg(arguments.caption, waited));
        return 1;
    }

    log.write(QStringLiteral("Het programma is afgesloten."));
    // The keys of the installed release: a new key file is trusted only once it is in place.
    const TrustedKeys keys =
        TrustedKeys::read(executable.absoluteDir().filePath(QLatin1String(dovra::TrustedKeysFileName)));
    FileReplacer replacer(executable.absolutePath(), executable.fileName(), keys,
                          [&log](const QString& line) { log.write(line); });
    const bool replaced = replacer.replaceAll();
    if (!replacer.refusedFile().isEmpty())
        log.error(dovra::signatureRefusedMessage(replacer.refusedFile()));
    else if (!replaced)
        log.error(QStringLiteral("De update van %1 is mislukt; de vorige versie is teruggezet. "
                                 "De nieuwe bestanden staan klaar voor een volgende poging.")
                      .arg(arguments.caption));

    // The program starts again in any case, so the user is never left without one.
    if (!QProcess::startDetached(arguments.executable, {}, executable.absolutePath())) {
        log.error(QStringLiteral("%1 kan niet opnieuw worden gestart.").arg(arguments.caption));
        return 1;
    }
    log.write(QStringLiteral("%1 opnieuw gestart.").arg(arguments.executable));
    return replaced ? 0 : 1;
}
