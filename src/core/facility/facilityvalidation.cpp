#include "facility/facilityvalidation.h"

#include "base/messageservice.h"
#include "checklist/clsCL.h"
#include "storage/database.h"
#include "storage/workspace.h"

namespace dovra {

namespace {

// Whether the facility's checklist version sets the replacement surcharge per item.
bool usesDifferentiatedSurcharges(Workspace& workspace, Database& data, int facilityId)
{
    Statement version = data.prepare(QStringLiteral("SELECT intCL_REF FROM tblStort WHERE idrStort_ID = ?"));
    version.bind(1, facilityId);
    if (!version.next())
        return false;
    return clsCL::GebruikGedifferentieerdeToeslagB(workspace, int(version.integer(0).value_or(0)));
}

} // namespace

bool ValidateFacilityInput(Workspace& workspace, int facilityId, const QString& name)
{
    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data)
        return false;
    const std::optional<std::vector<StoredCostItem>> items = readStoredCostItems(*data, facilityId);
    return items &&
           ValidateFacilityInput(*items, usesDifferentiatedSurcharges(workspace, *data, facilityId), name);
}

bool ValidateFacilityInput(const std::vector<StoredCostItem>& items, bool gediffToeslag, const QString& name)
{
    const QString title = QStringLiteral("Validatie invoer inrichting '") + name + QLatin1Char('\'');
    if (items.empty()) {
        messages().inform(
            QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."),
            title, MessageIcon::Exclamation);
        return false;
    }
    for (const StoredCostItem& item : items) {
        if (verify_ansich(item.checkValues(), gediffToeslag))
            continue;
        messages().inform(
            QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood stopbord' in "
                           "formulier 'Voorzieningen en kostenposten').\r\n\r\nKostenpost: \r\n\t") +
                item.object + QStringLiteral(" --> ") + item.act +
                QStringLiteral("\r\n\r\nVoer de gegevens van de kostenposten eerst volledig in."),
            title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace dovra
