#include "widgets/opendocument.h"

#include "base/messageservice.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace dovra {

namespace {

DocumentOpener& installedOpener()
{
    static DocumentOpener opener;
    return opener;
}

bool openWithDesktop(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

bool OpenDocument(const QString& path)
{
    const DocumentOpener& opener = installedOpener();
    if (opener ? opener(path) : openWithDesktop(path))
        return true;
    messages().inform(QStringLiteral("Er is geen programma gevonden waarmee '") + QFileInfo(path).fileName() +
                          QStringLiteral("' geopend kan worden."),
                      applicationTitle(), MessageIcon::Exclamation);
    return false;
}

DocumentOpener setDocumentOpener(DocumentOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}

} // namespace dovra
