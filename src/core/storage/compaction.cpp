#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/datafilelink.h"
#include "storage/filereplace.h"
#include "storage/savefailure.h"
#include "storage/workspace.h"

#include <QFile>
#include <QFileInfo>

namespace dovra {

namespace {

bool writeCompactCopy(Database& source, const QString& target)
{
    // The copy is keyed with the same password as the original.
    if (!source.exec(QStringLiteral("ATTACH DATABASE ? AS compacted KEY ?"), {target, databasePassword()}))
        return false;
    bool exported = false;
    {
        // Finalized before the detach, which refuses while a statement is open.
        Statement exportAll = source.prepare(QStringLiteral("SELECT sqlcipher_export('compacted')"));
        exported = exportAll.exec();
    }
    const bool detached = source.execScript(QStringLiteral("DETACH DATABASE compacted"));
    return exported && detached;
}

bool copyIsSound(const QString& target)
{
    std::unique_ptr<Database> copy = Database::open(target, Database::OpenMode::ReadOnly);
    if (!copy)
        return false;
    Statement check = copy->prepare(QStringLiteral("PRAGMA quick_check"));
    return check.next() && check.value(0).toString() == QLatin1String("ok");
}

} // namespace

bool CompactDataFile(Workspace& workspace, const QString& path)
{
    BusyPointer busy;
    const QString temporary = path + QStringLiteral("new");

    // A file that is no data file at all is left to the link, which says so.
    workspace.closeFile(path);
    if (!QFileInfo(path).isFile())
        return false;
    // Attached files open with the main file's flags: it must be allowed to create the copy.
    std::unique_ptr<Database> source = Database::open(path, Database::OpenMode::Create);
    if (!source)
        return false;

    bool ok =
        (!QFileInfo::exists(temporary) || QFile::remove(temporary)) && writeCompactCopy(*source, temporary);
    source.reset();
    ok = ok && copyIsSound(temporary);
    if (ok) {
        QFile::setPermissions(temporary, QFile(path).permissions());
        ok = replaceFile(temporary, path);
    }
    if (!ok) {
        if (QFileInfo(temporary).isFile())
            QFile::remove(temporary);
        reportNoWriteAccess(path);
    }
    return ok;
}

} // namespace dovra
