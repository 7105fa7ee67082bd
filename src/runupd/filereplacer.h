#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace dovra::runupd {

// Puts every new file "_0_<name>" of the program folder in place of "<name>", all of them or none: the
// program must never start as a mix of two releases. Each new file takes the old one's permission bits
// (downloads come without the executable bit) and replaces it by one rename; the old one is kept as a
// hard link beside it until every file is in place.
class FileReplacer
{
public:
    using Log = std::function<void(const QString&)>;

    FileReplacer(const QString& folder, const QString& executableName, Log log);

    // True when every new file is in place (also when there were none). False when one could not be
    // put in place: every file is then as it was, the new ones still waiting under their "_0_" names.
    bool replaceAll();

private:
    struct Replaced
    {
        QString name;
        bool hadOld;
    };

    // The names waiting to replace their files; other names (hidden, "..") are logged and left alone.
    QStringList pendingNames() const;
    std::optional<Replaced> replace(const QString& name);
    void putBack(const Replaced& file);
    QByteArray path(const QString& prefix, const QString& name) const;
    // Logs the failed step with the system's reason (errno).
    void logFailure(const QString& step, const QString& name);

    QString m_folder;
    QString m_executableName;
    Log m_log;
};

} // namespace dovra::runupd
