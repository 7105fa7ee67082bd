#include "facility/frmImExportXML.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "exchange/facilityexchange.h"
#include "facility/facilitymanagement.h"

#include <QDir>

namespace dovra {

namespace {

const QString Filter = QStringLiteral("XML bestanden (*.xml)|*.xml|");

} // namespace

bool frmImExportXML::run()
{
    if (m_tag == QLatin1String("export")) {
        exportOpenFacility();
        return false;
    }
    if (m_tag == QLatin1String("import"))
        return importFacility();
    messages().inform(QStringLiteral("Onbekende tag in frmImExportXML (") + m_tag + u')',
                      QStringLiteral("Fout bij export/import"), MessageIcon::Critical);
    return false;
}

void frmImExportXML::exportOpenFacility()
{
    const OpenFacilityState& facility = appState().facility();
    const QString path = messages().saveFileName(
        {QStringLiteral("Exporteren..."), Filter, facility.name + QStringLiteral(".xml"), false, true});
    if (path.isEmpty())
        return;
    BusyPointer busy;
    const QString error = exchange::exportFacility(appState().workspace(), facility.id, path);
    if (!error.isEmpty()) {
        messages().inform(error, QStringLiteral("Fout bij export"), MessageIcon::Critical);
        return;
    }
    messages().inform(QStringLiteral("De inrichting is geëxporteerd naar ") + QDir::toNativeSeparators(path) +
                          u'.',
                      QStringLiteral("Exporteren inrichting"), MessageIcon::Information);
}

void frmImExportXML::tellImported(long id)
{
    QString name;
    if (const std::optional<QList<FacilityListEntry>> listed = readFacilityList(appState().workspace()))
        for (const FacilityListEntry& entry : *listed)
            if (entry.id == id)
                name = QStringLiteral(" '") + entry.name + u'\'';
    messages().inform(QStringLiteral("De inrichting") + name +
                          QStringLiteral(" is toegevoegd aan het databestand."),
                      QStringLiteral("Importeren inrichting"), MessageIcon::Information);
}

bool frmImExportXML::importFacility()
{
    const QString path =
        messages().openFileName({QStringLiteral("Importeren..."), Filter, QString(), true, false});
    if (path.isEmpty())
        return false;
    BusyPointer busy;
    const exchange::ImportOutcome outcome =
        exchange::importFacility(appState().workspace(), path, &exchange::askImportName);
    if (outcome.status == exchange::ImportOutcome::Status::Imported)
        tellImported(outcome.facilityId);
    if (outcome.status != exchange::ImportOutcome::Status::Failed)
        return true;
    messages().inform(exchange::importFailed(outcome.error), QStringLiteral("Fout bij import"),
                      MessageIcon::Critical);
    return false;
}

} // namespace dovra
