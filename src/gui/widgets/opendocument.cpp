#include "widgets/opendocument.h"

#include "base/messageservice.h"

#include <QDesktopServices>
#include <QFileInfo>

#include <utility>

namespace dovra {

namespace {

DocumentOpener& installedOpener()
{
    static DocumentOpener opener;
    return opener;
}

bool open(const QUrl& target)
{
    const DocumentOpener& opener = installedOpener();
    return opener ? opener(target) : QDesktopServices::openUrl(target);
}

} // namespace

bool OpenDocument(const QString& path)
{
    if (open(QUrl::fromLocalFile(path)))
        return true;
    messages().inform(QStringLiteral("Er is geen programma gevonden waarmee '") + QFileInfo(path).fileName() +
                          QStringLiteral("' geopend kan worden."),
                      applicationTitle(), MessageIcon::Exclamation);
    return false;
}

bool OpenWebAddress(const QUrl& address)
{
    if (open(address))
        return true;
    messages().inform(QStringLiteral("Er is geen webbrowser gevonden waarmee '") + address.toString() +
                          QStringLiteral("' geopend kan worden."),
                      applicationTitle(), MessageIcon::Exclamation);
    return false;
}

DocumentOpener setDocumentOpener(DocumentOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}

} // namespace dovra
