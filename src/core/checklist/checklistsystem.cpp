#include "checklist/checklistsystem.h"

#include "base/appstate.h"
#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/requiredschema.h"

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

namespace {

// The table or column the program reads that the checklist file at path lacks; empty when it has them
// all or cannot be opened at all (which the read of its values then reports).
std::optional<QString> checklistSchemaGap(const QString& path)
{
    static const RequiredSchema required =
        RequiredSchema::fromScriptFile(QStringLiteral(":/schema/checklist_schema.sql"));
    std::shared_ptr<Database> db = sharedDatabase(path, Database::OpenMode::ReadOnly);
    return db ? required.firstGap(SchemaCatalog(*db)) : std::nullopt;
}

} // namespace

bool ReadChecklistSystemValues()
{
    AppState& state = appState();
    const QString path = state.checklistFilePath();
    const std::optional<QString> gap = checklistSchemaGap(path);
    const std::optional<ChecklistSystemValues> values = gap ? std::nullopt : readChecklistSystemValues(path);
    if (!values) {
        messages().inform(
            QStringLiteral("Het checklistbestand ") + path +
                (gap ? QString(QStringLiteral(" kan niet worden gebruikt: ") + *gap)
                     : QStringLiteral(" kan niet worden gelezen. Installeer het checklistbestand "
                                      "opnieuw of neem contact op met de helpdesk.")),
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
