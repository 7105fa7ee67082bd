#include "calc/targetcapitalinputs.h"

#include "base/messageservice.h"
#include "calc/targetcapital.h"
#include "facility/clsStort.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <sqlcipher/sqlite3.h>

namespace dovra {

namespace {

// The facility's stored numbers that the calculation reads.
constexpr std::pair<const char*, clsStort::NumberKind> CalculatedFacilityFields[] = {
    {"sngRentePerc", clsStort::NumberKind::Single},
    {"sngInflPerc", clsStort::NumberKind::Single},
    {"intJaarPrijspeil", clsStort::NumberKind::Whole},
    {"intCL_REF", clsStort::NumberKind::Whole},
    {"sngNazorgOpp", clsStort::NumberKind::Single},
    {"bytRapEval", clsStort::NumberKind::Whole},
    {"sngRapEvalMin", clsStort::NumberKind::Single},
    {"sngRapEvalPerHa", clsStort::NumberKind::Single},
    {"sngRapEvalMax", clsStort::NumberKind::Single},
    {"sngAlgCommunicatieKosten", clsStort::NumberKind::Single},
    {"sngAlgAppKostenBasis", clsStort::NumberKind::Single},
    {"sngAppKostenPerc", clsStort::NumberKind::Single},
    {"sngOnvoorzien", clsStort::NumberKind::Single},
    {"sngOntwerpdirectie", clsStort::NumberKind::Single},
    {"sngAlgRisicoBedrag", clsStort::NumberKind::Single},
};

// False, after telling, when a field the calculation reads holds no number.
bool holdsNumbers(const clsStort& facility, const QString& name)
{
    for (const auto& [field, kind] : CalculatedFacilityFields) {
        if (!facility.holdsNumber(QLatin1String(field), kind)) {
            messages().inform(QStringLiteral("Het veld '") + QLatin1String(field) +
                                  QStringLiteral("' van inrichting '") + name +
                                  QStringLiteral("' bevat geen geldig getal ('") +
                                  facility.field(QLatin1String(field)).toString() + QStringLiteral("')."),
                              calculationAborted(name), MessageIcon::Exclamation);
            return false;
        }
    }
    return true;
}

FacilitySurcharges surcharges(const clsStort& facility)
{
    FacilitySurcharges s;
    s.area = facility.NazorgOpp();
    s.optieRapEval = facility.OptieRapEval();
    s.rapEvalMin = facility.RapEvalMin();
    s.rapEvalPerHa = facility.RapEvalPerHa();
    s.rapEvalMax = facility.RapEvalMax();
    s.communicatie = facility.CommunicatieKosten();
    s.appBasis = facility.AppKostenBasis();
    s.appPerc = facility.AppKostenBasisPerc();
    s.onvoorzien = facility.Onvoorzien();
    s.ontwerpdirectie = facility.OntwerpdirectieFixed();
    s.risico = facility.RisicoBedrag();
    return s;
}

} // namespace

bool readTargetCapitalInputs(Workspace& workspace, long facilityId, TargetCapitalInputs& inputs)
{
    clsStort facility(workspace);
    if (!facility.initializeStort(facilityId))
        return false;
    inputs.facilityId = facilityId;
    inputs.name = facility.NaamStort();
    if (!holdsNumbers(facility, inputs.name))
        return false;
    inputs.r = facility.rente();
    inputs.i = facility.inflatie();
    inputs.S = facility.AanvangNazorgGebrokenJaar();
    inputs.P = facility.JaarPrijsPeil();
    inputs.checklist = clsCL(workspace);
    if (!inputs.checklist.initializeCL(int(facility.checklist_ID())))
        return false;
    inputs.surcharges = surcharges(facility);

    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data)
        return false;
    Statement provisions =
        data->prepare(QStringLiteral("SELECT COUNT(*) FROM tblInrichting WHERE lngStort_REF = ?"));
    provisions.bind(1, qint64(facilityId));
    if (!provisions.next())
        return false;
    inputs.provisions = provisions.integer(0).value_or(0);

    std::optional<std::vector<StoredCostItem>> costItems = readStoredCostItems(*data, facilityId);
    if (!costItems) {
        const Diagnostic error = calculationError(inputs.name, sqlite3_errcode(data->handle()),
                                                  QString::fromUtf8(sqlite3_errmsg(data->handle())));
        messages().inform(error.text, error.title, error.icon);
        return false;
    }
    inputs.costItems = std::move(*costItems);
    return true;
}

} // namespace dovra
