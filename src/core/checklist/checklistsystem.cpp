#include "checklist/checklistsystem.h"

#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/requiredschema.h"
#include "storage/workspace.h"

namespace dovra {

namespace {

// Reads tblSYS of a checklist file; empty when it cannot be read.
std::optional<ChecklistSystemValues> readChecklistSystemValues(Database& db)
{
    Statement query = db.prepare(QStringLiteral("SELECT strSYS_ID, strSYSvalue FROM tblSYS"));
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

// The table or column the program reads that the checklist file lacks; empty when it has them all.
std::optional<QString> checklistSchemaGap(Database& db)
{
    static const RequiredSchema required =
        RequiredSchema::fromScriptFile(QStringLiteral(":/schema/checklist_schema.sql"));
    return required.firstGap(SchemaCatalog(db));
}

} // namespace

std::optional<ChecklistSystemValues> usableChecklistValues(Database& db, std::optional<QString>* gap)
{
    const std::optional<QString> missing = checklistSchemaGap(db);
    if (gap)
        *gap = missing;
    return missing ? std::nullopt : readChecklistSystemValues(db);
}

bool ReadChecklistSystemValues(Workspace& workspace)
{
    const QString path = workspace.checklistFilePath();
    std::shared_ptr<Database> db = workspace.checklistDatabase();
    std::optional<QString> gap;
    const std::optional<ChecklistSystemValues> values = db ? usableChecklistValues(*db, &gap) : std::nullopt;
    if (!values) {
        messages().inform(
            QStringLiteral("Het checklistbestand ") + path +
                (gap ? QString(QStringLiteral(" kan niet worden gebruikt: ") + *gap)
                     : QStringLiteral(" kan niet worden gelezen. Installeer het checklistbestand "
                                      "opnieuw of neem contact op met de helpdesk.")),
            QStringLiteral("Controle checklistbestand"), MessageIcon::Critical);
        workspace.setChecklistSystemValues(0, 0);
        return false;
    }
    workspace.setChecklistSystemValues(values->sequence, values->programMinimum);
    return true;
}

bool CheckProgramNotOutdated(const Workspace& workspace)
{
    if (workspace.version().number() >= workspace.checklistProgramMinimum())
        return true;
    messages().inform(
        QStringLiteral("Om met het geïnstalleerde TALVO-checklistbestand te kunnen werken dient u "
                       "eerst de meest recente versie van ") +
            applicationTitle() + QStringLiteral(" te downloaden."),
        QStringLiteral("Verouderd programmabestand"), MessageIcon::Exclamation);
    return false;
}

bool checklistBestaat(Workspace& workspace, int versionId)
{
    bool found = false;
    if (std::shared_ptr<Database> checklist = workspace.checklistDatabase()) {
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
