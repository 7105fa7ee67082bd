#include "checklist/versionchange.h"

#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "facility/clsStort.h"
#include "model/options.h"
#include "storage/database.h"
#include "storage/workspace.h"

namespace dovra {

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
    for (const char* name :
         {"sngAlgRisicoBedrag", "sngAlgCommunicatieKosten", "sngAlgAppKostenBasis", "sngRapEvalPerHa"}) {
        if (const std::optional<float> amount = facility.single(QLatin1String(name)))
            facility.setField(QLatin1String(name), *amount * f);
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
            if (provisions.ActiveerID(items.Voorz_ID()) &&
                provisions.VoorzieningNaam() != version.Voorziening() &&
                !provisions.HernoemVoorzNaam(version.Voorziening()))
                return fail(data->lastError());
            if (items.strActHuidig() != version.Omschrijving() &&
                !items.pfunHernoemActNaamOfRubriek(version.Omschrijving()))
                return fail(data->lastError());
        }
        items.multiplyCostBy(f);
        if (reference && !inVersion) {
            items.setIsTALVO(Conformity::UserDefined);
        } else if (inVersion) {
            const int tested = items.ToetsAanNieuweCL(version, aftercareStart);
            const bool complete = items.verify_ansich(gediffToeslag);
            const int code = items.IsTALVO();
            if (code == Conformity::WithinCriteria && tested == Conformity::OutsideCriteria)
                items.setIsTALVO(Conformity::OutsideCriteria);
            else if (code == Conformity::OutsideCriteria && tested == Conformity::WithinCriteria && complete)
                items.setIsTALVO(Conformity::WithinCriteria);
            else if (code == Conformity::UserDefined)
                items.setIsTALVO(tested == Conformity::WithinCriteria && complete
                                     ? Conformity::WithinCriteria
                                     : Conformity::OutsideCriteria);
        }
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
