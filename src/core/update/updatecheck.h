#pragma once

#include "update/startupupdate.h"

#include <QStringList>
#include <QUrl>

namespace dovra {

// The three information files of the update server as fetched, in the order they are asked for; a request
// that failed gives an empty text.
struct UpdateInfoResponses
{
    QString maintenance; // updateinfo_isinonderhoud.txt
    QString program;     // updateinfo_prog.txt
    QString checklist;   // updateinfo_cl.txt
};

// What the server offers against what is installed, with the fields of both files kept for the download
// (checklist: sequence, date, file name, size; program: version, date, then pairs of file name and size).
struct UpdateCheck
{
    UpdateOffer offer;
    QStringList checklistFields;
    QStringList programFields;
};

// programVersionNumber: major and minor version as digits (30 for 3.0); checklistSequence: the installed
// checklist file's 'versie'. A response that is empty or holds "HTML" (an error page) is no information.
UpdateCheck evaluateUpdateInfo(const UpdateInfoResponses& responses, int programVersionNumber,
                               int checklistSequence);

class HttpFetcher;

// The update folder of an address as the settings or a command line give it: files are named relative to
// it, so it ends in "/". Invalid when the address is no http or https address.
QUrl updateFolder(const QString& address);

// How the update folder is reached, as the update window shows it: HTTPS keeps the transfer private and
// proves the server; over HTTP the signatures alone protect what is installed.
QString connectionDescription(const QUrl& base);

// Fetches the three files from base (an address ending in "/") and evaluates them.
UpdateCheck checkForUpdates(HttpFetcher& fetcher, const QUrl& base, int programVersionNumber,
                            int checklistSequence);

} // namespace dovra
