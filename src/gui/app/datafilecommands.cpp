#include "app/datafilecommands.h"

#include "app/appstate.h"
#include "base/messageservice.h"

#include <QDir>

namespace dovra {

namespace {

const QString DataFileFilter = QStringLiteral("databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|");

// Where the file dialogs start: the shown data file's folder (the user's folder is made when missing).
QString dataFolder()
{
    return appState().workspace().paths().dataFileFolder(shownDataFile());
}

} // namespace

QString shownDataFile()
{
    return appState().isDataFileLinked() ? appState().dataFilePath() : appState().settings().dataFileName();
}

void chooseAndLinkDataFile()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Koppelen aan bestaand databestand...");
    request.filter = DataFileFilter;
    request.proposed = dataFolder();
    request.mustExist = true;
    const QString path = messages().openFileName(request);
    if (!path.isEmpty())
        appState().linkDataFile(path, false, false);
}

void chooseAndCreateDataFile()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Maak nieuw databestand...");
    request.filter = DataFileFilter;
    request.proposed = QDir(dataFolder()).filePath(QStringLiteral("dbTALVOdata_"));
    request.overwritePrompt = true;
    const QString path = messages().saveFileName(request);
    if (!path.isEmpty())
        appState().linkDataFile(path, true, false);
}

} // namespace dovra
