#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace dovra {

// Opens a file with the program the desktop associates with it; false (after telling the user) when no
// program could open it.
bool OpenDocument(const QString& path);
// Opens a web address in the desktop's browser; false (after telling the user) when none could open it.
bool OpenWebAddress(const QUrl& address);

// What opens a file or an address: the desktop's open action, or a stand-in (tests, so that no real program
// starts).
using DocumentOpener = std::function<bool(const QUrl& target)>;
// Installs opener (an empty one restores the desktop's action) and returns the one it replaces.
DocumentOpener setDocumentOpener(DocumentOpener opener);

} // namespace dovra
