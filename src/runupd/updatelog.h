#pragma once

#include <QString>

namespace dovra::runupd {

// The updater's log, "dovra-runupd.log" in the user's DOVRA data folder: one line per event, with the time.
// Appends; a log grown past MaxBytes starts anew, so it never gets in the way.
class UpdateLog
{
public:
    static constexpr qint64 MaxBytes = 64 * 1024;

    UpdateLog();
    QString path() const { return m_path; }
    void write(const QString& line);
    // Writes the line to the log and to stderr.
    void error(const QString& line);

private:
    QString m_path;
};

} // namespace dovra::runupd
