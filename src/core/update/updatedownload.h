#pragma once

#include "update/signature.h"
#include "update/updatecheck.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace dovra {

class HttpFetcher;
class Workspace;

// The updater program in the program folder; it puts the "_0_" copies of program files in place once the
// program has ended.
inline constexpr char UpdaterProgramName[] = "dovra-runupd";

// The progress bar and label the user watches while a file comes in.
class DownloadProgress
{
public:
    virtual ~DownloadProgress();
    // maximum: the bar's length in blocks of 1 KB; 0 leaves the bar unused.
    virtual void showFile(const QString& fileName, int maximum) = 0;
    virtual void advance(int blocks) = 0;
    virtual void hideProgress() = 0;
};

// Where the files of an update come from, through the connection of the check.
struct DownloadSource
{
    HttpFetcher& fetcher;
    QUrl base;
    DownloadProgress* progress = nullptr;
};

// True for a name that stays in the folder it is downloaded to: no separators, no "..", no leading dot.
bool isPlainFileName(const QString& name);

// The publisher's keys in the program folder, read afresh at the start of every download. None, after telling
// the user that nothing is downloaded, when the folder has no key file or it holds no Ed25519 key.
std::optional<TrustedKeys> readTrustedKeys(const QString& programFolder);

// Downloads base/name to folder/"_0_"name, with its signature base/name".sig". True when exactly size bytes
// arrived, are on disk and are signed with one of keys; the signature is then written to signatureCopy when
// one is named. Otherwise the user has been told why and no "_0_" copy is left.
bool downloadOneFile(const DownloadSource& source, const TrustedKeys& keys, const QString& name, qint64 size,
                     const QString& folder, const QString& signatureCopy = {});

// Puts a downloaded checklist file in place of target once it opens with the checklist key, has everything
// the program reads and carries the sequence number offered. target is never missing or half-written: it
// is replaced in one rename. beforeRename runs just before that step (a point to inject faults). False,
// with *reason for the developer, when the file is refused; it is then removed.
bool installChecklistFile(const QString& downloaded, const QString& target, int sequence, QString* reason,
                          const std::function<void()>& beforeRename = {});

// Downloads the checklist file of the check and installs it over the workspace's checklist file, whose
// connection is closed first; when that is the program's own, in ProgramPaths::checklistInstallFile(), which
// the workspace then uses. False, after telling the user, when the download or the file failed; the
// installed file is then untouched.
bool downloadChecklist(const DownloadSource& source, const TrustedKeys& keys, const UpdateCheck& check,
                       Workspace& workspace);

// Downloads every program file of the check into folder as "_0_" copies, each one even after another
// failed, each with its signature beside it as "_0_"name".sig", which the updater verifies again. When one
// failed, none of the copies is kept: the updater must never find part of a release.
bool downloadProgramFiles(const DownloadSource& source, const TrustedKeys& keys, const UpdateCheck& check,
                          const QString& folder);

struct DownloadRequest
{
    bool checklist = false;
    bool program = false;
    // The program folder, which holds the updater and receives the program files.
    QString programFolder;
    // Windows other than the main and the update window are open.
    bool otherWindowsOpen = false;
};

enum class DownloadOutcome
{
    Stopped,  // nothing was downloaded
    Finished, // the checklist file was installed or its download failed; no program files asked for
    Failed,   // a program file failed: the updater must not run
    HandOver  // the program files are ready: close the program and start the updater
};

// The download the user agreed to after a check. checklistInstalled re-reads the checklist file's system
// values. Tells the user of every failure and of an installed checklist file when that is all.
DownloadOutcome runUpdateDownload(const DownloadSource& source, const UpdateCheck& check,
                                  Workspace& workspace, const DownloadRequest& request,
                                  const std::function<void()>& checklistInstalled);

} // namespace dovra
