#include "checklist/checklistsystem.h"

#include "shell/appstate.h"
#include "store/database.h"
#include "ui/messageservice.h"

namespace dovra {

std::optional<ChecklistSystemValues> readChecklistSystemValues(const QString& path)
{
    std::shared_ptr<Database> db = sharedDatabase(path, Database::OpenMode::ReadOnly);
    if (!db)
        return std::nullopt;
    Statement query = db->prepare(QStringLiteral("SELECT strSYS_ID, strSYSvalue FROM tblSYS"));
    ChecklistSystemValues values;
    while (query.next()) {
        const QString key = query.value(0).toString();
        const qint16 value = qint16(query.value(1).toString().trimmed().toShort());
        if (key.compare(QLatin1String("versie"), Qt::CaseInsensitive) == 0)
            values.sequence = value;
        else if (key.compare(QLatin1String("progvermin"), Qt::CaseInsensitive) == 0)
            values.programMinimum = value;
    }
    if (query.failed())
        return std::nullopt;
    return values;
}

bool ReadChecklistSystemValues()
{
    AppState& state = appState();
    const std::optional<ChecklistSystemValues> values = readChecklistSystemValues(state.checklistFilePath());
    if (!values) {
        messages().inform(
            QStringLiteral("Het checklistbestand ") + state.checklistFilePath() +
                QStringLiteral(" kan niet worden gelezen. Installeer het checklistbestand opnieuw of "
                               "neem contact op met de helpdesk."),
            QStringLiteral("Controle checklistbestand"), MessageIcon::Critical);
        state.setChecklistSystemValues(0, 0);
        return false;
    }
    state.setChecklistSystemValues(values->sequence, values->programMinimum);
    return true;
}

bool CheckProgramNotOutdated()
{
    AppState& state = appState();
    if (state.version().number() >= state.checklistProgramMinimum())
        return true;
    messages().inform(
        QStringLiteral("Om met het geïnstalleerde TALVO-checklistbestand te kunnen werken dient u "
                       "eerst de meest recente versie van ") +
            applicationTitle() + QStringLiteral(" te downloaden."),
        QStringLiteral("Verouderd programmabestand"), MessageIcon::Exclamation);
    return false;
}

bool checklistBestaat(int versionId)
{
    bool found = false;
    if (std::shared_ptr<Database> checklist = appState().checklistDatabase()) {
        Statement items = checklist->prepare(
            QStringLiteral("SELECT 1 FROM tblCLitem WHERE intCL_REF = ? AND blnActief = -1 LIMIT 1"));
        items.bind(1, versionId);
        found = items.next();
    }
    if (!found) {
        messages().inform(QStringLiteral("Deze inrichting is gerelateerd aan een nieuwere versie van de "
                                         "TALVO-checklist.\r\nDownload eerst de benodigde update."),
                          QStringLiteral("Verificatie beschikbaarheid checklist"), MessageIcon::Exclamation);
    }
    return found;
}

} // namespace dovra
