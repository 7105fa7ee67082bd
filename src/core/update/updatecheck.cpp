#include "update/updatecheck.h"

#include "base/messageservice.h"
#include "update/httpfetch.h"

namespace dovra {

namespace {

bool isInformation(const QString& response)
{
    return !response.isEmpty() && !response.contains(QLatin1String("HTML"), Qt::CaseInsensitive);
}

// The status of one file against what is installed; the newer version's lines are added to text.
int status(const QString& response, int installed, QStringList& fields, const QString& label,
           bool versionInTenths, QString& text)
{
    if (!isInformation(response))
        return 9;
    fields = response.trimmed().split(u',');
    for (QString& field : fields)
        field = field.trimmed();
    const int offered = fields.value(0).toInt();
    if (offered <= installed)
        return 0;
    text += QStringLiteral("\r\n") + label +
            (versionInTenths ? QString::number(offered / 10.0) : QString::number(offered)) +
            QStringLiteral("\r\n- datum: ") + fields.value(1);
    return 1;
}

} // namespace

UpdateCheck evaluateUpdateInfo(const UpdateInfoResponses& responses, int programVersionNumber,
                               int checklistSequence)
{
    UpdateCheck check;
    check.offer.serverInMaintenance =
        !isInformation(responses.maintenance) || responses.maintenance.trimmed() == QLatin1String("1");
    check.offer.checklistStatus =
        status(responses.checklist, checklistSequence, check.checklistFields,
               QStringLiteral("- checklistbestandsversie: "), false, check.offer.information);
    if (check.offer.checklistStatus == 1)
        check.offer.information += QStringLiteral("\r\n");
    check.offer.programStatus = status(responses.program, programVersionNumber, check.programFields,
                                       QStringLiteral("- programmaversie: "), true, check.offer.information);
    return check;
}

QUrl updateFolder(const QString& address)
{
    QUrl folder(address, QUrl::StrictMode);
    if (!folder.isValid() || folder.host().isEmpty() ||
        (folder.scheme() != QLatin1String("http") && folder.scheme() != QLatin1String("https")))
        return {};
    if (!folder.path().endsWith(u'/'))
        folder.setPath(folder.path() + u'/');
    return folder;
}

QString connectionDescription(const QUrl& base)
{
    if (base.isEmpty())
        return QStringLiteral("Er is geen geldig adres van de updateserver ingesteld.");
    if (base.scheme() == QLatin1String("https"))
        return QStringLiteral("Verbinding met %1: beveiligd (HTTPS).").arg(base.host());
    return QStringLiteral(
               "Verbinding met %1: niet beveiligd (HTTP); downloads worden wel op hun handtekening "
               "gecontroleerd.")
        .arg(base.host());
}

UpdateCheck checkForUpdates(HttpFetcher& fetcher, const QUrl& base, int programVersionNumber,
                            int checklistSequence)
{
    if (base.isEmpty()) {
        UpdateCheck none = evaluateUpdateInfo({}, programVersionNumber, checklistSequence);
        none.offer.failureCause = QStringLiteral("er is geen geldig http- of https-adres ingesteld");
        return none;
    }
    BusyPointer busy;
    QString failedAddress, failureCause;
    // The program's and the checklist's file decide whether the check failed: the first of them that gives
    // no information is the one the user is told of.
    const auto text = [&](const char* name, bool decides) {
        const QUrl url = base.resolved(QUrl(QLatin1String(name)));
        QString failure;
        const QString response = QString::fromUtf8(fetcher.get(url, &failure));
        if (decides && failedAddress.isEmpty() && !isInformation(response)) {
            failedAddress = url.toString();
            failureCause = !failure.isEmpty()   ? failure
                           : response.isEmpty() ? QStringLiteral("de server gaf een leeg antwoord")
                                                : QStringLiteral("de server gaf een foutpagina");
        }
        return response;
    };
    UpdateInfoResponses responses;
    responses.maintenance = text("updateinfo_isinonderhoud.txt", false);
    responses.program = text("updateinfo_prog.txt", true);
    responses.checklist = text("updateinfo_cl.txt", true);
    UpdateCheck check = evaluateUpdateInfo(responses, programVersionNumber, checklistSequence);
    check.offer.failedAddress = failedAddress;
    check.offer.failureCause = failureCause;
    return check;
}

} // namespace dovra
