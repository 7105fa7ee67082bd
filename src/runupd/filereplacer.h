#pragma once

#include "update/signature.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace dovra::runupd {

// Puts every new file "_0_<name>" of the program folder in place of "<name>", all of them or none: the
// program must never start as a mix of two releases. Each new file takes the old one's permission bits
// (downloads come without the executable bit) and replaces it by one rename; the old one is kept as a
// hard link beside it until every file is in place. Nothing is replaced unless every new file carries a
// valid signature "_0_<name>.sig" of a trusted key: whatever the program downloaded, the updater installs
// only what it verified itself.
class FileReplacer
{
public:
    using Log = std::function<void(const QString&)>;

    FileReplacer(const QString& folder, const QString& executableName, const TrustedKeys& keys, Log log);

    // True when every new file is in place (also when there were none). False when one could not be
    // put in place: every file is then as it was, the new ones still waiting under their "_0_" names. False
    // as well when one is not validly signed: nothing is replaced, and that one is removed.
    bool replaceAll();
    // The file whose signature was refused, if any.
    const QString& refusedFile() const { return m_refused; }

private:
    struct Replaced
    {
        QString name;
        bool hadOld;
    };

    // The names waiting to replace their files, without their signatures; other names (hidden, "..") are
    // logged and left alone.
    QStringList pendingNames() const;
    bool validlySigned(const QString& name) const;
    std::optional<Replaced> replace(const QString& name);
    void putBack(const Replaced& file);
    QByteArray path(const QString& prefix, const QString& name) const;
    // Logs the failed step with the system's reason (errno).
    void logFailure(const QString& step, const QString& name);

    QString m_folder;
    QString m_executableName;
    const TrustedKeys& m_keys;
    Log m_log;
    QString m_refused;
};

} // namespace dovra::runupd
