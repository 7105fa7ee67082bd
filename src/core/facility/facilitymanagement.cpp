#include "facility/facilitymanagement.h"

#include "base/messageservice.h"
#include "calc/surchargedefaults.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"
#include "facility/generaldata.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QHash>

namespace dovra {

namespace {

QString typeName(const std::optional<qint64>& type)
{
    const QString name = generaldata::typeCaption(type.value_or(0));
    return name.isEmpty() ? QStringLiteral("?") : name;
}

// Checklist version id -> year of its date.
std::optional<QHash<int, QString>> checklistYears(Workspace& workspace)
{
    std::shared_ptr<Database> checklist = workspace.checklistDatabase();
    if (!checklist)
        return std::nullopt;
    QHash<int, QString> years;
    Statement versions = checklist->prepare(QStringLiteral("SELECT intCL_ID, dtmCl FROM tblCL"));
    while (versions.next()) {
        const std::optional<QDate> date = versions.date(1);
        years.insert(int(versions.integer(0).value_or(0)),
                     date ? QString::number(date->year()) : QStringLiteral("?"));
    }
    if (versions.failed())
        return std::nullopt;
    return years;
}

} // namespace

std::optional<QList<FacilityListEntry>> readFacilityList(Workspace& workspace)
{
    BusyPointer busy;
    const std::optional<QHash<int, QString>> years = checklistYears(workspace);
    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!years || !data)
        return std::nullopt;

    // The inner join leaves out facilities whose province is unknown.
    Statement rows = data->prepare(QStringLiteral(
        "SELECT tblStort.idrStort_ID, tblStort.strStortNaam, tblStort.strRIVMnr, tblStort.intStortType, "
        "tblProv.strProvNaam, tblStort.intCL_REF FROM tblProv INNER JOIN tblStort "
        "ON tblProv.bytProv_ID = tblStort.bytProv_REF ORDER BY strStortNaam"));
    QList<FacilityListEntry> entries;
    while (rows.next()) {
        FacilityListEntry entry;
        entry.id = int(rows.integer(0).value_or(0));
        entry.name = rows.text(1).value_or(QString());
        entry.rivmNumber = rows.text(2).value_or(QString());
        entry.typeName = typeName(rows.integer(3));
        entry.province = rows.text(4).value_or(QString());
        const std::optional<qint64> version = rows.integer(5);
        entry.checklistYear =
            version ? years->value(int(*version), QStringLiteral("?")) : QStringLiteral("?");
        entries.append(entry);
    }
    if (rows.failed())
        return std::nullopt;
    return entries;
}

qsizetype facilityToSelect(const QList<int>& listed, std::optional<int> remembered)
{
    if (listed.isEmpty())
        return -1;
    const qsizetype row = remembered && *remembered != 0 ? listed.indexOf(*remembered) : -1;
    return row >= 0 ? row : 0;
}

int NewestChecklistVersion(Workspace& workspace, int facilityType)
{
    std::shared_ptr<Database> checklist = workspace.checklistDatabase();
    if (!checklist)
        return 0;
    Statement newest = checklist->prepare(
        QStringLiteral("SELECT intCL_ID FROM tblCL WHERE lngStortType_REF = ? ORDER BY dtmCL DESC LIMIT 1"));
    newest.bind(1, facilityType);
    return newest.next() ? int(newest.integer(0).value_or(0)) : 0;
}

int CreateFacility(Workspace& workspace, const QString& name, int facilityType)
{
    const QString title = QStringLiteral("Aanmaken nieuwe inrichting");
    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data)
        return 0;
    Statement existing = data->prepare(QStringLiteral("SELECT 1 FROM tblStort WHERE strStortNaam = ?"));
    existing.bind(1, name);
    if (existing.next()) {
        messages().inform(QStringLiteral("De naam ") + name +
                              QStringLiteral(" komt reeds voor in uw databestand. Voer een andere naam in."),
                          title, MessageIcon::Exclamation);
        return 0;
    }
    const int checklistVersion = NewestChecklistVersion(workspace, facilityType);
    if (checklistVersion == 0) {
        messages().inform(
            QStringLiteral("Het checklistbestand bevat geen checklistversie voor dit soort inrichting. "
                           "Installeer het checklistbestand opnieuw of neem contact op met de helpdesk."),
            title, MessageIcon::Critical);
        return 0;
    }
    // Company- and object-bound, no province yet, aftercare from 2030. The surcharges are its checklist
    // version's: the columns' defaults are those of an old version, so they are left empty and filled.
    Transaction transaction(*data);
    const bool inserted =
        transaction.isActive() &&
        data->exec(
            QStringLiteral("INSERT INTO tblStort (strStortNaam, intStortType, intCL_REF, sngRentePerc, "
                           "sngInflPerc, bytBedrijfsGebonden, bytObjectGebonden, dtmAanvangNazorg, "
                           "bytProv_REF, sngAppKostenPerc, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, "
                           "sngOnvoorzien, sngOntwerpdirectie) "
                           "VALUES (?, ?, ?, ?, ?, 1, 1, ?, 0, NULL, NULL, NULL, NULL, NULL, NULL)"),
            {name, facilityType, checklistVersion, 5.06f, 2.0f, QDate(2030, 1, 1)});
    const int id = inserted ? int(data->lastInsertId()) : 0;
    clsStort stort(workspace);
    clsCL checklist(workspace);
    const bool added = inserted && stort.initializeStort(id) && checklist.initializeCL(checklistVersion) &&
                       (!surcharges::fillDefaults(stort, checklist) || stort.Move0()) && transaction.commit();
    if (!added) {
        messages().inform(QStringLiteral("De inrichting ") + name +
                              QStringLiteral(" kon niet worden opgeslagen in het databestand."),
                          title, MessageIcon::Critical);
        return 0;
    }
    return id;
}

bool deleteFacilityRows(Database& data, long id)
{
    Transaction transaction(data);
    return transaction.isActive() &&
           data.exec(QStringLiteral("DELETE FROM tblAct WHERE lngStort_REF = ?"), {qint64(id)}) &&
           data.exec(QStringLiteral("DELETE FROM tblInrichting WHERE lngStort_REF = ?"), {qint64(id)}) &&
           data.exec(QStringLiteral("DELETE FROM tblTonnage WHERE lngStort_REF = ?"), {qint64(id)}) &&
           data.exec(QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID = ?"), {qint64(id)}) &&
           transaction.commit();
}

bool DeleteFacility(Workspace& workspace, int id, const QString& name)
{
    const bool confirmed = messages().askYesNo(QStringLiteral("Weet u zeker dat u inrichting '") + name +
                                                   QStringLiteral("' wilt verwijderen uit de database?"),
                                               QStringLiteral("Verwijderen inrichting"),
                                               MessageIcon::Question, MessageAnswer::No);
    if (!confirmed)
        return false;

    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data || !deleteFacilityRows(*data, id)) {
        messages().inform(QStringLiteral("Inrichting '") + name +
                              QStringLiteral("' kon niet worden verwijderd. Er is niets gewijzigd in het "
                                             "databestand."),
                          QStringLiteral("Verwijderen inrichting"), MessageIcon::Critical);
        return false;
    }
    return true;
}

} // namespace dovra
