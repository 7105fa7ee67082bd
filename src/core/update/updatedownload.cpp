#include "update/updatedownload.h"

#include "base/messageservice.h"
#include "base/unexpectederror.h"
#include "checklist/checklistsystem.h"
#include "storage/database.h"
#include "storage/filereplace.h"
#include "storage/workspace.h"
#include "update/httpfetch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dovra {

DownloadProgress::~DownloadProgress() = default;

namespace {

const QString FailedTitle = QStringLiteral("Update mislukt...");

// A server may send a little more than it announced (a trailing newline); more than that is cut off.
constexpr qint64 SizeMargin = 1024;

QString downloadPath(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(QStringLiteral("_0_") + name);
}

bool removeOldCopy(const QString& target)
{
    if (!QFileInfo::exists(target) || QFile::remove(target))
        return true;
    messages().inform(
        QStringLiteral("Could not update program. ") + QStringLiteral("Please make sure that the ") + target +
            QStringLiteral(" file is not running.") + QStringLiteral("\r\n\r\n") +
            QStringLiteral("NOTE: On Windows 2000 machines, focus must ") +
            QStringLiteral("be removed from the file before update can ") +
            QStringLiteral("be completed successfully (i.e.: in Windows ") +
            QStringLiteral("Explorer, etc.)"),
        QStringLiteral("Error ") + QStringLiteral("updating program..."), MessageIcon::Exclamation);
    return false;
}

// Writes the answer to target; the number of bytes that arrived, -1 when the request failed.
qint64 fetchInto(const DownloadSource& source, const QString& name, qint64 size, const QString& target)
{
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    const int blocks = int(size / HttpFetcher::ChunkSize);
    if (source.progress)
        source.progress->showFile(name, blocks);
    const qint64 written = source.fetcher.download(
        source.base.resolved(QUrl(name)), file, size + SizeMargin, [&](qint64 received) {
            if (source.progress && blocks > 0)
                source.progress->advance(int(std::min<qint64>(received / HttpFetcher::ChunkSize, blocks)));
        });
    file.close();
    return written;
}

bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// A checklist file the user named (dovra-cli --checklistbestand) is updated where it is; the program's own
// goes where the user may write, which for an installed program is the user's folder.
QString checklistTarget(const Workspace& workspace)
{
    const QString inUse = workspace.checklistFilePath();
    const ProgramPaths& paths = workspace.paths();
    return QFileInfo(inUse) == QFileInfo(paths.checklistFile()) ? paths.checklistInstallFile() : inUse;
}

} // namespace

bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/') && !name.contains(u'\\') &&
           !name.contains(QLatin1String(".."));
}

std::optional<TrustedKeys> readTrustedKeys(const QString& programFolder)
{
    const QString path = QDir(programFolder).filePath(QLatin1String(TrustedKeysFileName));
    TrustedKeys keys = TrustedKeys::read(path);
    if (!keys.isEmpty())
        return keys;
    messages().inform(
        QStringLiteral("Updates kunnen niet op echtheid worden gecontroleerd: het sleutelbestand ") + path +
            QStringLiteral(" ontbreekt of bevat geen geldige sleutel. Er is niets gedownload. "
                           "Raadpleeg uw applicatiebeheerder."),
        QStringLiteral("Actualisatie afgebroken"), MessageIcon::Critical);
    return std::nullopt;
}

bool downloadOneFile(const DownloadSource& source, const TrustedKeys& keys, const QString& name, qint64 size,
                     const QString& folder, const QString& signatureCopy)
{
    const QString title = QStringLiteral("Downloaden ") + name;
    if (!isPlainFileName(name)) {
        messages().inform(QStringLiteral("De update-informatie noemt een ongeldige bestandsnaam: \"") + name +
                              QStringLiteral("\". Het bestand is niet gedownload."),
                          title, MessageIcon::Exclamation);
        return false;
    }
    const QString target = downloadPath(folder, name);
    if (!removeOldCopy(target))
        return false;
    const auto refuse = [&] {
        QFile::remove(target);
        messages().inform(signatureRefusedMessage(name), title, MessageIcon::Exclamation);
        return false;
    };
    // The signature first: a file that has none is not worth fetching.
    const QByteArray signature =
        source.fetcher.get(source.base.resolved(QUrl(signatureName(name))), nullptr, SignatureSize);
    if (signature.size() != SignatureSize)
        return refuse();
    const qint64 written = fetchInto(source, name, size, target);
    if (written == size && syncToDisk(target)) {
        if (!keys.verifiesFile(target, signature))
            return refuse();
        if (signatureCopy.isEmpty() || writeWhole(signatureCopy, signature))
            return true;
    }
    QFile::remove(target);
    messages().inform(
        QStringLiteral("Het aantal bytes dat gedownload is klopt niet. Mogelijk is het downloaden "
                       "mislukt. Probeert u het later nog eens."),
        title, MessageIcon::Exclamation);
    return false;
}

bool installChecklistFile(const QString& downloaded, const QString& target, int sequence, QString* reason,
                          const std::function<void()>& beforeRename)
{
    QString error;
    {
        const std::unique_ptr<Database> db = Database::open(downloaded, Database::OpenMode::ReadOnly, &error);
        std::optional<QString> gap;
        const std::optional<ChecklistSystemValues> values =
            db ? usableChecklistValues(*db, &gap) : std::nullopt;
        if (db && !values)
            error = gap ? QStringLiteral("ontbreekt: ") + *gap : QStringLiteral("tblSYS is niet leesbaar");
        else if (values && values->sequence != sequence)
            error = QStringLiteral("versie %1 in plaats van %2").arg(values->sequence).arg(sequence);
    }
    if (error.isEmpty()) {
        if (beforeRename)
            beforeRename();
        if (QFileInfo::exists(target))
            QFile::setPermissions(downloaded, QFile(target).permissions());
        if (!replaceFile(downloaded, target))
            error = QStringLiteral("kan niet worden vervangen");
    }
    if (error.isEmpty())
        return true;
    QFile::remove(downloaded);
    if (reason)
        *reason = error;
    return false;
}

bool downloadChecklist(const DownloadSource& source, const TrustedKeys& keys, const UpdateCheck& check,
                       Workspace& workspace)
{
    const QStringList& fields = check.checklistFields;
    const QString target = checklistTarget(workspace);
    const QString folder = QFileInfo(target).absolutePath();
    const QString name = fields.value(2);
    QDir().mkpath(folder);
    bool installed = downloadOneFile(source, keys, name, fields.value(3).toLongLong(), folder);
    if (installed) {
        workspace.closeFile(workspace.checklistFilePath());
        QString reason;
        installed =
            installChecklistFile(downloadPath(folder, name), target, fields.value(0).toInt(), &reason);
        if (installed)
            workspace.setChecklistFile(target);
        if (!reason.isEmpty())
            ReportUnexpectedError({0, reason, std::nullopt}, QStringLiteral("installChecklistFile ") + name);
    }
    if (!installed)
        messages().inform(
            QStringLiteral("Downloaden van de checklist is mislukt. De update kon niet uitgevoerd "
                           "worden. Raadpleeg uw applicatiebeheerder."),
            FailedTitle, MessageIcon::Exclamation);
    return installed;
}

bool downloadProgramFiles(const DownloadSource& source, const TrustedKeys& keys, const UpdateCheck& check,
                          const QString& folder)
{
    const QStringList& fields = check.programFields;
    QStringList downloaded;
    bool all = fields.size() > 2;
    for (qsizetype i = 2; i + 1 < fields.size(); i += 2) {
        const QString copy = downloadPath(folder, fields.at(i));
        if (downloadOneFile(source, keys, fields.at(i), fields.at(i + 1).toLongLong(), folder,
                            signatureName(copy)))
            downloaded << copy << signatureName(copy);
        else
            all = false;
    }
    if (!all)
        for (const QString& copy : std::as_const(downloaded))
            QFile::remove(copy);
    return all;
}

DownloadOutcome runUpdateDownload(const DownloadSource& source, const UpdateCheck& check,
                                  Workspace& workspace, const DownloadRequest& request,
                                  const std::function<void()>& checklistInstalled)
{
    // Only program files need the updater; a checklist file is installed by the program itself (an installed
    // package has no updater, and its checklist updates still come this way).
    if (request.program &&
        !QFileInfo(QDir(request.programFolder).filePath(QLatin1String(UpdaterProgramName))).isExecutable()) {
        messages().inform(QStringLiteral("Update-programma is niet gevonden."),
                          QStringLiteral("Actualisatie afgebroken"), MessageIcon::Critical);
        return DownloadOutcome::Stopped;
    }
    if (request.otherWindowsOpen) {
        messages().inform(QStringLiteral("Sluit eerst alle openstaande formulieren"),
                          QStringLiteral("Updaten"), MessageIcon::Information);
        return DownloadOutcome::Stopped;
    }
    // A key the publisher withdrew from the program folder is trusted no longer from the next download on.
    const std::optional<TrustedKeys> keys = readTrustedKeys(request.programFolder);
    if (!keys)
        return DownloadOutcome::Stopped;
    if (request.checklist && downloadChecklist(source, *keys, check, workspace)) {
        if (checklistInstalled)
            checklistInstalled();
        if (!request.program) {
            if (source.progress)
                source.progress->hideProgress();
            messages().inform(
                QStringLiteral("Het downloaden is gereed. Het nieuwe checklistbestand is geïnstalleerd."),
                QStringLiteral("Actualisatie checklist"), MessageIcon::Information);
        }
    }
    if (!request.program)
        return DownloadOutcome::Finished;
    if (downloadProgramFiles(source, *keys, check, request.programFolder))
        return DownloadOutcome::HandOver;
    messages().inform(
        QStringLiteral("Downloaden is mislukt. De update kon niet uitgevoerd worden. Raadpleeg uw "
                       "applicatiebeheerder."),
        FailedTitle, MessageIcon::Exclamation);
    return DownloadOutcome::Failed;
}

} // namespace dovra
