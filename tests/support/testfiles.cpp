#include "support/testfiles.h"

#include "storage/database.h"
#include "storage/datafilelink.h"
#include "update/signature.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dovra::test {

static const QDir Built(QStringLiteral(DOVRA_TEST_PROGRAM_DIR));

QString readScript(const QString& name)
{
    QFile file((name.startsWith(QLatin1String("data/")) ? QStringLiteral(DOVRA_TEST_DATA_DIR "/../../")
                                                        : QStringLiteral(DOVRA_TEST_DATA_DIR "/")) +
               name);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << file.fileName().toStdString();
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QList<QStringList> readCases(const QString& name)
{
    QList<QStringList> cases;
    for (const QString& line : readScript(name).split(u'\n'))
        if (!line.isEmpty() && !line.startsWith(u'#'))
            cases.append(line.split(u'|'));
    return cases;
}

ProgramFolder::ProgramFolder() : m_own(ProgramPaths(m_dir.path()))
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QUARVEL-TALVO")).clear();
    for (const char* name : {"dbTALVOCL.mdb", "db00.mdb"})
        QFile::copy(Built.filePath(QLatin1String(name)), filePath(QLatin1String(name)));
    QFile::copy(TestKeyPair + QStringLiteral(".pub"), filePath(QLatin1String(TrustedKeysFileName)));
}

QByteArray ProgramFolder::offeredChecklist(int sequence) const
{
    const QString path = filePath(QStringLiteral("aangeboden.mdb"));
    QFile::remove(path);
    QFile::copy(Built.filePath(QStringLiteral("dbTALVOCL.mdb")), path);
    Database::open(path, Database::OpenMode::ReadWrite)
        ->exec(QStringLiteral("UPDATE tblSYS SET strSYSvalue = ? WHERE strSYS_ID = 'versie'"),
               {QString::number(sequence)});
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QFile::remove(path);
    return bytes;
}

ReadOnlyFolder::ReadOnlyFolder(const QString& path) : m_path(QFile::encodeName(path))
{
    if (geteuid() != 0) {
        active = chmod(m_path.constData(), 0555) == 0;
        return;
    }
    m_mounted = mount(m_path.constData(), m_path.constData(), nullptr, MS_BIND, nullptr) == 0;
    active = m_mounted &&
             mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_mounted)
        umount2(m_path.constData(), MNT_DETACH);
    else
        chmod(m_path.constData(), 0755);
}

QString ProgramFolder::copyDemoData(const QString& name) const
{
    const QString target = filePath(name);
    QFile::remove(target);
    QFile::copy(Built.filePath(QStringLiteral("dbTALVOdata_1.mdb")), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString ProgramFolder::createDatabase(const QString& name, const QStringList& scripts) const
{
    const QString target = filePath(name);
    QFile::remove(target);
    auto db = Database::open(target, Database::OpenMode::Create);
    if (!db) {
        ADD_FAILURE() << "cannot create " << target.toStdString();
        return target;
    }
    for (const QString& script : scripts) {
        const QString sql = script.endsWith(QLatin1String(".sql")) ? readScript(script) : script;
        if (!db->execScript(sql))
            ADD_FAILURE() << "script " << script.left(60).toStdString() << ": "
                          << db->lastError().toStdString();
    }
    return target;
}

void ProgramFolder::useChecklist(const QString& sql)
{
    workspace().setChecklistFile(createDatabase(QStringLiteral("dbTALVOCL_test.mdb"),
                                                {QStringLiteral("data/checklist_schema.sql"), sql}));
}

bool ProgramFolder::linkDataFile(const QString& sql)
{
    return LinkDataFile(workspace(),
                        createDatabase(QStringLiteral("dbTALVOdata_test.mdb"),
                                       {QStringLiteral("data/datafile_schema.sql"), sql}),
                        false, true);
}

bool ProgramFolder::linkDemoData(const QString& name)
{
    return LinkDataFile(workspace(), copyDemoData(name), false, true);
}

QStringList queryRows(Database& db, const QString& sql, const QVariantList& params)
{
    Statement query = db.prepare(sql);
    query.bindAll(params);
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.columnCount(); ++i)
            values.append(query.isNull(i) ? QStringLiteral("-") : query.value(i).toString());
        rows.append(values.join(u'|'));
    }
    return rows;
}

} // namespace dovra::test
