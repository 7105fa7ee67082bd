#include "calc/clsHeffing.h"

#include "calc/clsDV.h"
#include "shell/appstate.h"
#include "store/clsStort.h"
#include "store/database.h"
#include "ui/messageservice.h"

#include <QStringList>

#include <cmath>

namespace dovra {

namespace {

struct GroepsLid
{
    qint64 id = 0;
    QString naam;
    float rente = 0;
    float inflatie = 0;
};

// A percentage as clsStort reads it: not entered counts as 0, the fraction in single precision, so
// that equal entries compare equal.
float fractie(const Statement& row, int column)
{
    return float(row.real(column).value_or(0)) / 100;
}

// (1 + rate) ^ years with the base in single precision, as every rate of the calculation is kept.
double groei(float rate, float years)
{
    return std::pow(double(1.0f + rate), double(years));
}

} // namespace

void clsHeffing::psubBerekenHeffingPerTon(float doelvermogen)
{
    // Nothing of an earlier calculation may show in the report of this one.
    HeffingPerTon_prijspeil_tRef = 0;
    intAantaljaren = 0;
    m_jaren.clear();
    m_aanbod.clear();
    sngTref = 0;
    sngDV = 0;
    DVref = 0;
    rapStortNamen.clear();
    ValidatieOK = true;

    std::shared_ptr<Database> data = appState().dataDatabase();
    clsStort open;
    if (!data || !open.initializeStort(appState().facility().id)) {
        ValidatieOK = false;
        return;
    }
    bytBedrijfsGebonden = open.bytBedrijfsGebonden();
    bytObjectGebonden = open.bytObjectGebonden();
    const float aanvangNazorg = open.AanvangNazorgGebrokenJaar();
    const int jaarPrijspeil = open.JaarPrijsPeil();
    m_datumAanvangNazorg = open.DatumAanvangNazorg().value_or(QDate());
    sngRente = open.rente();
    sngInflatie = open.inflatie();

    if (bytBedrijfsGebonden == 1) {
        ValidatieOK = false;
        if (bytObjectGebonden == 1)
            messages().inform(
                QStringLiteral("Bij objectgebonden inrichtingen is de (eenmalige) heffing gelijk aan het "
                               "doelvermogen.") +
                    QStringLiteral("\r\n") + QStringLiteral("Er wordt geen heffingsrapportage opgesteld."),
                QStringLiteral("Rapportage heffing"), MessageIcon::Information);
        else
            messages().inform(QStringLiteral("Fout bij berekening heffing bedrijfsgebonden inrichting"),
                              QStringLiteral("Heffing"), MessageIcon::Critical);
        return;
    }

    QString sql;
    std::vector<qint64> ids;
    sngDV = doelvermogen;
    if (bytObjectGebonden == 1) {
        // The facility raises its own target capital, which is valued at its aftercare start.
        sngTref = aanvangNazorg;
        DVref = doelvermogen;
        ids.push_back(open.stort_ID());
        sql = QStringLiteral("SELECT intKalJaar, lngTonnage AS Aanbod FROM tblTonnage WHERE lngStort_REF = ? "
                             "AND intKalJaar IS NOT NULL ORDER BY intKalJaar");
    } else {
        // The group's target capitals are valued at the price level year.
        sngTref = float(jaarPrijspeil);
        if (!pfunVerevening(open.NaamStort(), open.intStortType(), open.prov_id(), ids)) {
            ValidatieOK = false;
            return;
        }
        QStringList placeholders;
        for (std::size_t k = 0; k < ids.size(); ++k)
            placeholders.append(QStringLiteral("?"));
        sql = QStringLiteral(
                  "SELECT intKalJaar, SUM(lngTonnage) AS Aanbod FROM tblTonnage WHERE lngStort_REF IN (") +
              placeholders.join(QStringLiteral(", ")) +
              QStringLiteral(") GROUP BY intKalJaar HAVING intKalJaar IS NOT NULL ORDER BY intKalJaar");
    }

    Statement rows = data->prepare(sql);
    for (std::size_t k = 0; k < ids.size(); ++k)
        rows.bind(int(k) + 1, ids[k]);
    double T = 0; // the supply of all years, each weighed by its levy at tRef
    while (rows.next()) {
        const qint16 jaar = qint16(rows.integer(0).value_or(0));
        // A year whose supply is not entered is a year without supply.
        const qint32 aanbod = qint32(rows.integer(1).value_or(0));
        ++intAantaljaren;
        m_jaren.push_back(jaar);
        m_aanbod.push_back(aanbod);
        const float jaren = float(jaar) - sngTref;
        T += double(aanbod) * groei(sngInflatie, jaren) / groei(sngRente, jaren);
    }
    if (rows.failed()) {
        // A forecast read in part is no forecast.
        intAantaljaren = 0;
        m_jaren.clear();
        m_aanbod.clear();
        ValidatieOK = false;
        return;
    }
    if (intAantaljaren == 0) {
        messages().inform(
            QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het afvalaanbod. "
                           "De heffing kan niet berekend worden."),
            QStringLiteral("Berekening heffingen"), MessageIcon::Exclamation);
        return;
    }
    // Supplies are in kilotonnes.
    HeffingPerTon_prijspeil_tRef = T == 0 ? 0 : double(DVref) / (T * 1000);
}

bool clsHeffing::pfunVerevening(const QString& naamOpen, int stortType, int provincie,
                                std::vector<qint64>& ids)
{
    std::shared_ptr<Database> data = appState().dataDatabase();
    if (!data)
        return false;
    // The group is read first: each member's target capital reads the file again.
    Statement query = data->prepare(
        QStringLiteral("SELECT idrStort_ID, strStortNaam, sngRentePerc, sngInflPerc FROM tblStort "
                       "WHERE intStortType IN (?) AND bytObjectGebonden = 0 AND bytProv_REF = ? "
                       "ORDER BY idrStort_ID"));
    query.bind(1, stortType).bind(2, provincie);
    std::vector<GroepsLid> groep;
    while (query.next())
        groep.push_back({query.integer(0).value_or(0), query.text(1).value_or(QString()), fractie(query, 2),
                         fractie(query, 3)});
    if (query.failed())
        return false;

    for (const GroepsLid& lid : groep) {
        rapStortNamen += QStringLiteral(", ") + lid.naam;
        // Target capitals at other rates cannot be added up, nor shared by one levy.
        if (lid.rente != sngRente || lid.inflatie != sngInflatie) {
            messages().inform(
                QStringLiteral("Bij inrichting '") + lid.naam +
                    QStringLiteral("' heeft u andere rente en/of inflatie ingevoerd dan bij "
                                   "inrichting '") +
                    naamOpen + QStringLiteral("'.") + QStringLiteral("\r\n") +
                    QStringLiteral("De verevening kan alleen berekend worden bij gelijke rente en "
                                   "inflatie per provincie."),
                QStringLiteral("Berekening heffing afgebroken"), MessageIcon::Exclamation);
            return false;
        }
        clsDV dv;
        if (!dv.initializeDV(long(lid.id), clsDV::OwnRate, clsDV::OwnRate) || !dv.VerifyBeforeBerekening2())
            return false;
        // A partial target capital would understate the levy of the whole group.
        if (!dv.BerekenAlles())
            return false;
        DVref = float(double(DVref) + double(dv.DoelvermogenMetRisicoFonds()) /
                                          groei(sngRente, dv.aanvangNazorg() - sngTref));
        ids.push_back(lid.id);
    }
    return true;
}

qint32 clsHeffing::rapAantalKtonTotaal() const
{
    qint32 totaal = 0;
    for (const qint32 aanbod : m_aanbod)
        totaal += aanbod;
    return totaal;
}

qint16 clsHeffing::rapJaar(int i) const
{
    Q_ASSERT(isJaar(i));
    return isJaar(i) ? m_jaren[std::size_t(i - 1)] : qint16(0);
}

qint32 clsHeffing::rapAantalKtonPerJaar(int i) const
{
    Q_ASSERT(isJaar(i));
    return isJaar(i) ? m_aanbod[std::size_t(i - 1)] : 0;
}

double clsHeffing::inflatieFactor(int i) const
{
    return groei(sngInflatie, float(rapJaar(i)) - sngTref);
}

double clsHeffing::discontoFactor(int i) const
{
    return groei(sngRente, sngTref - float(rapJaar(i)));
}

double clsHeffing::rapHeffingPerTonInJaar(int i) const
{
    return HeffingPerTon_prijspeil_tRef * inflatieFactor(i);
}

double clsHeffing::rapHeffingInJaar(int i) const
{
    return rapHeffingPerTonInJaar(i) * double(rapAantalKtonPerJaar(i)) * 1000;
}

double clsHeffing::rapControleDV(int i) const
{
    return rapHeffingInJaar(i) * discontoFactor(i);
}

double clsHeffing::rapControleDVsom() const
{
    double som = 0;
    for (int i = 1; i <= intAantaljaren; ++i)
        som += rapControleDV(i);
    return som;
}

} // namespace dovra
