#include "storage/savefailure.h"

#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

namespace dovra {

namespace {

const QString SaveTitle = QStringLiteral("Fout bij het opslaan van de gegevens");

QString failureText(const QString& path, const Database* data)
{
    return QStringLiteral("De wijziging kon niet worden opgeslagen in databestand \"") + path +
           QStringLiteral("\":\n") + saveFailureCause(path, data) + QLatin1Char('.');
}

} // namespace

QString saveFailureCause(const QString& path, const Database* data)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("het bestand bestaat niet meer (verplaatst, verwijderd of de netwerkverbinding "
                              "is verbroken)");
    const int code = data ? data->lastErrorCode() & 0xff : SQLITE_OK;
    if (code == SQLITE_FULL)
        return QStringLiteral("de schijf is vol");
    // A file in a folder the program may not write in fails when its journal cannot be made beside it.
    if (code == SQLITE_READONLY || code == SQLITE_CANTOPEN || !file.isWritable() ||
        !QFileInfo(file.absolutePath()).isWritable())
        return QStringLiteral("het bestand is alleen-lezen, of staat in een map of op een schijf waarin "
                              "DOVRA niet mag schrijven");
    return QStringLiteral("de databasemotor meldt: ") + (data ? data->lastError() : QString());
}

bool storeOrDiscard(Workspace& workspace, const std::function<bool()>& store,
                    const std::function<void()>& discard)
{
    const QString path = workspace.dataFilePath();
    for (;;) {
        // A file removed while open still takes writes, which would then be lost without a word.
        if (QFileInfo::exists(path) && store())
            return true;
        const MessageAnswer answer = messages().message(
            failureText(path, workspace.dataDatabase().get()) +
                QStringLiteral(
                    "\n\nKies \"Opnieuw proberen\" als u de oorzaak hebt verholpen, of \"Wijziging "
                    "vervallen\" om de niet opgeslagen wijziging ongedaan te maken."),
            SaveTitle, MessageIcon::Critical, MessageButtons::RetryDiscard, MessageAnswer::Retry);
        if (answer != MessageAnswer::Retry) {
            discard();
            return false;
        }
    }
}

void reportSaveFailure(Workspace& workspace)
{
    messages().inform(failureText(workspace.dataFilePath(), workspace.dataDatabase().get()), SaveTitle,
                      MessageIcon::Critical);
}

bool canWriteDataFile(Database& data)
{
    // A plain rollback leaves the file as it was, to the byte; a savepoint released after its rollback would
    // still commit (and so rewrite the file's header).
    if (!data.execScript(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    const bool written =
        data.exec(QStringLiteral("UPDATE tblSYS SET strSYSvalue = strSYSvalue WHERE strSYS_ID = ?"),
                  {QStringLiteral("versie")});
    data.execScript(QStringLiteral("ROLLBACK"));
    return written;
}

void reportNoWriteAccess(const QString& path)
{
    messages().inform(
        QStringLiteral("Er zijn onvoldoende schrijfrechten voor databestand \"") + path +
            QStringLiteral("\". Verplaats dit databestand naar een andere locatie waar u mag "
                           "schrijven; tot dan kunt u de gegevens bekijken, maar niet wijzigen."),
        QStringLiteral("Schrijffout"), MessageIcon::Critical);
}

} // namespace dovra
