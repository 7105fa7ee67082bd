#include "filereplacer.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace dovra::runupd {

namespace {
const QString newPrefix = QStringLiteral("_0_");
const QString backupPrefix = QStringLiteral("_oud_");
constexpr mode_t newFileMode = 0644;
constexpr mode_t newExecutableMode = 0755;

// A listed name holds no "/"; "." and ".." start with a dot like hidden files, which no update brings.
bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.');
}
} // namespace

FileReplacer::FileReplacer(const QString& folder, const QString& executableName, const TrustedKeys& keys,
                           Log log)
    : m_folder(folder), m_executableName(executableName), m_keys(keys), m_log(std::move(log))
{
}

bool FileReplacer::replaceAll()
{
    const QStringList names = pendingNames();
    if (names.isEmpty())
        m_log(QStringLiteral("Geen nieuwe bestanden."));
    for (const QString& name : names)
        if (!validlySigned(name)) {
            // It can never pass: left in place it would stop every later update.
            ::unlink(path(newPrefix, name).constData());
            ::unlink(path(newPrefix, signatureName(name)).constData());
            m_refused = name;
            return false;
        }
    QList<Replaced> replaced;
    for (const QString& name : names) {
        const std::optional<Replaced> done = replace(name);
        if (!done) {
            for (auto it = replaced.crbegin(); it != replaced.crend(); ++it)
                putBack(*it);
            return false;
        }
        replaced.append(*done);
    }
    for (const Replaced& file : std::as_const(replaced)) {
        if (file.hadOld)
            ::unlink(path(backupPrefix, file.name).constData());
        ::unlink(path(newPrefix, signatureName(file.name)).constData());
    }
    return true;
}

QStringList FileReplacer::pendingNames() const
{
    QStringList names;
    const QStringList entries =
        QDir(m_folder).entryList({newPrefix + u'*'}, QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QString& entry : entries) {
        const QString name = entry.mid(newPrefix.size());
        if (name.endsWith(signatureName(QString())))
            continue;
        if (isPlainFileName(name))
            names.append(name);
        else
            m_log(QStringLiteral("Overgeslagen (geen gewone bestandsnaam): %1").arg(entry));
    }
    return names;
}

bool FileReplacer::validlySigned(const QString& name) const
{
    QFile signature(QFile::decodeName(path(newPrefix, signatureName(name))));
    // One byte more than a signature has, so that a longer file is refused too.
    return signature.open(QIODevice::ReadOnly) &&
           m_keys.verifiesFile(QFile::decodeName(path(newPrefix, name)), signature.read(SignatureSize + 1));
}

std::optional<FileReplacer::Replaced> FileReplacer::replace(const QString& name)
{
    const QByteArray target = path(QString(), name);
    const QByteArray source = path(newPrefix, name);
    const QByteArray backup = path(backupPrefix, name);
    struct stat old;
    const bool hadOld = ::lstat(target.constData(), &old) == 0;
    if (!hadOld && errno != ENOENT) {
        logFailure(QStringLiteral("lezen"), name);
        return std::nullopt;
    }
    const mode_t mode = hadOld                     ? old.st_mode & 07777
                        : name == m_executableName ? newExecutableMode
                                                   : newFileMode;
    if (::chmod(source.constData(), mode) != 0) {
        logFailure(QStringLiteral("rechten zetten"), name);
        return std::nullopt;
    }
    if (hadOld) {
        // The backup name is free again: a backup beside a present file is one an earlier run left.
        ::unlink(backup.constData());
        if (::link(target.constData(), backup.constData()) != 0) {
            logFailure(QStringLiteral("reservekopie maken"), name);
            return std::nullopt;
        }
    }
    if (::rename(source.constData(), target.constData()) != 0) {
        logFailure(QStringLiteral("vervangen"), name);
        if (hadOld)
            ::unlink(backup.constData());
        return std::nullopt;
    }
    m_log(QStringLiteral("Vervangen: %1").arg(name));
    return Replaced{name, hadOld};
}

void FileReplacer::putBack(const Replaced& file)
{
    // The new file goes back under its "_0_" name for the next try, the old one back in its place.
    const QByteArray target = path(QString(), file.name);
    const bool putBack =
        ::rename(target.constData(), path(newPrefix, file.name).constData()) == 0 &&
        (!file.hadOld || ::rename(path(backupPrefix, file.name).constData(), target.constData()) == 0);
    if (putBack)
        m_log(QStringLiteral("Teruggezet: %1").arg(file.name));
    else
        logFailure(QStringLiteral("terugzetten"), file.name);
}

QByteArray FileReplacer::path(const QString& prefix, const QString& name) const
{
    return QFile::encodeName(m_folder + u'/' + prefix + name);
}

void FileReplacer::logFailure(const QString& step, const QString& name)
{
    m_log(QStringLiteral("Fout bij %1 van %2: %3").arg(step, name, qt_error_string(errno)));
}

} // namespace dovra::runupd
