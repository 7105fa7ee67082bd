#include "checklist/versionchange.h"

#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "facility/clsStort.h"
#include "model/options.h"
#include "storage/database.h"
#include "storage/workspace.h"

namespace dovra {

std::optional<QList<ChecklistVersionEntry>> newerChecklistVersions(Workspace& workspace, int facilityType,
                                                                   int currentVersion)
{
    const std::shared_ptr<Database> checklist = workspace.checklistDatabase();
    if (!checklist)
        return std::nullopt;
    Statement query = checklist->prepare(QStringLiteral(
        "SELECT intCL_ID, dtmCL, strVersie FROM tblCL WHERE lngStortType_REF = ? AND intCL_ID > ? "
        "ORDER BY dtmCL DESC"));
    query.bind(1, facilityType).bind(2, currentVersion);
    QList<ChecklistVersionEntry> versions;
    while (query.next()) {
        const std::optional<QDate> released = query.date(1);
        versions.append({int(query.integer(0).value_or(0)),
                         (released ? QString::number(released->year()) : QString()) + QStringLiteral(" (") +
                             query.text(2).value_or(QString()) + u')'});
    }
    if (query.failed())
        return std::nullopt;
    return versions;
}

QString versionChangeNeedsSurcharges()
{
    return QStringLiteral("U dient eerst het scherm 'toeslagen nazorgfase' in te vullen alvorens u de "
                          "checklistversie kan wijzigen.");
}

QString versionChangeNothingNewer()
{
    return QStringLiteral(
        "De momenteel geselecteerde checklist is de meest recente checklist die beschikbaar is.");
}

QString versionChangeQuestion(const QString& entryText, const QString& facilityName, float factor)
{
    QString question = QStringLiteral("Weet u zeker dat u checklistversie ") + entryText +
                       QStringLiteral(" van toepassing wilt verklaren op inrichting '") + facilityName +
                       QStringLiteral("' ?\n");
    if (factor != 1)
        question +=
            QStringLiteral("Vanwege de prijspeilcorrectie zullen alle ingevoerde kosten (incl. risicobedrag) "
                           "definitief worden aangepast.\n");
    return question;
}

QString versionChangeFailed()
{
    return QStringLiteral("Het wijzigen van de checklistversie is mislukt. Er is niets gewijzigd.");
}

QString versionChangeDone(const QString& facilityName, const QString& entryText)
{
    return QStringLiteral("Inrichting '") + facilityName +
           QStringLiteral("' valt nu onder checklistversie ") + entryText +
           QStringLiteral("; alle ingevoerde kosten zijn omgerekend.");
}

NameChanges nameChanges(const clsAct& items, const QString& provisionName, int provisionCategory,
                        const clsCL& version)
{
    NameChanges changes;
    if (provisionName != version.Voorziening())
        changes.provision = version.Voorziening();
    if (items.strActHuidig() != version.Omschrijving())
        changes.costItem = version.Omschrijving();
    const int rubric = version.bytRubriek_REF().value_or(0);
    if (items.bytRubriek_REF() != rubric)
        changes.rubric = rubric;
    const int category = version.bytObjectCat_ID().value_or(0);
    if (provisionCategory != category)
        changes.category = category;
    return changes;
}

int conformityAfterChange(int code, int tested, bool complete)
{
    const bool within = tested == Conformity::WithinCriteria;
    if (code == Conformity::WithinCriteria && !within)
        return Conformity::OutsideCriteria;
    if (code == Conformity::OutsideCriteria && within && complete)
        return Conformity::WithinCriteria;
    if (code == Conformity::UserDefined)
        return within && complete ? Conformity::WithinCriteria : Conformity::OutsideCriteria;
    return code;
}

float priceLevelFactor(Workspace& workspace, int facilityYear, int versionYear)
{
    if (facilityYear == versionYear)
        return 1;
    clsCL checklist(workspace);
    return checklist.sngPrijsPeilCorr(facilityYear, versionYear);
}

VersionChange applyVersionChange(Workspace& workspace, long facilityId, int newVersion)
{
    VersionChange change;
    const auto fail = [&change](const QString& reason) {
        change.failure = reason;
        change.costItems.clear();
        return change;
    };
    std::shared_ptr<Database> data = workspace.dataDatabase();
    clsStort facility(workspace);
    clsCL version(workspace);
    if (!data || !facility.initializeStort(facilityId))
        return fail(QStringLiteral("De inrichting kan niet worden gelezen."));
    if (!version.initializeCL(newVersion) || version.intCl_ID() != newVersion)
        return fail(QStringLiteral("Checklistversie %1 kan niet worden gelezen.").arg(newVersion));
    change.factor = priceLevelFactor(workspace, facility.JaarPrijsPeil(), version.intJaarPrijspeil());
    const float f = change.factor;
    const bool gediffToeslag = version.GebruikGedifferentieerdeToeslagB();
    const double aftercareStart = facility.AanvangNazorgGebrokenJaar();

    Transaction transaction(*data);
    if (!transaction.isActive())
        return fail(data->lastError());
    for (const char* name : {"sngAlgRisicoBedrag", "sngAlgCommunicatieKosten", "sngAlgAppKostenBasis"}) {
        if (const std::optional<float> amount = facility.single(QLatin1String(name)))
            facility.setField(QLatin1String(name), *amount * f);
    }
    // Of the three reporting amounts only the one of the facility's option (the price per hectare while it
    // has none) is its own, converted like the others; the two it cannot edit are the new version's.
    const std::pair<const char*, float> reporting[] = {{"sngRapEvalMin", version.sngRapEvalMin()},
                                                       {"sngRapEvalPerHa", version.sngRapEvalPerHa()},
                                                       {"sngRapEvalMax", version.sngRapEvalMax()}};
    const long option = facility.OptieRapEval();
    const int own = option == 1 || option == 3 ? int(option) - 1 : 1;
    for (int k = 0; k < 3; ++k) {
        const QString name = QLatin1String(reporting[k].first);
        if (k != own)
            facility.setField(name, reporting[k].second);
        else if (const std::optional<float> amount = facility.single(name))
            facility.setField(name, *amount * f);
    }
    facility.LetChecklist_REF(newVersion);
    facility.setField(QStringLiteral("intJaarPrijspeil"), version.intJaarPrijspeil());
    if (!facility.Move0())
        return fail(data->lastError());

    clsAct items(workspace, facilityId);
    clsVoorz provisions(workspace, facilityId);
    if (!items.initialize() || !provisions.initialize())
        return fail(data->lastError());
    for (items.moveFirst(); !items.EOF_(); items.moveNext()) {
        VersionChange::CostItem item;
        item.id = items.idrAct_ID();
        item.oldConformity = items.IsTALVO();
        const QString amount = items.costAmountField();
        if (!amount.isEmpty())
            item.oldAmount = items.field(amount);
        // Renaming reads the renamed rows again: it goes before the changes that wait for UpdateNu.
        const std::optional<long> reference =
            checklistItemReference(items.field(QStringLiteral("lngClitem_REF")));
        const bool inVersion = reference && version.GaNaarItem(*reference);
        if (inVersion) {
            // Rubric and category stay the user's: only the names follow the checklist.
            const bool hasProvision = provisions.ActiveerID(items.Voorz_ID());
            const NameChanges names =
                nameChanges(items, provisions.VoorzieningNaam(), provisions.bytObjectCat_ID(), version);
            if (hasProvision && names.provision && !provisions.HernoemVoorzNaam(*names.provision))
                return fail(data->lastError());
            if (names.costItem && !items.pfunHernoemActNaamOfRubriek(*names.costItem))
                return fail(data->lastError());
        }
        items.multiplyCostBy(f);
        if (reference && !inVersion)
            items.setIsTALVO(Conformity::UserDefined);
        else if (inVersion)
            items.setIsTALVO(conformityAfterChange(items.IsTALVO(),
                                                   items.ToetsAanNieuweCL(version, aftercareStart),
                                                   items.verify_ansich(gediffToeslag)));
        if (!items.UpdateNu())
            return fail(data->lastError());
        item.newConformity = items.IsTALVO();
        if (!amount.isEmpty())
            item.newAmount = items.field(amount);
        change.costItems.push_back(item);
    }
    if (!transaction.commit())
        return fail(data->lastError());
    change.applied = true;
    return change;
}

} // namespace dovra
