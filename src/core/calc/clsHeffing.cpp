#include "calc/clsHeffing.h"

#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "facility/clsStort.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>

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

const QString LevyTitle = QStringLiteral("Berekening heffingen");

// The forecast screen's bounds.
constexpr double FirstYear = 1900;
constexpr double LastYear = 3000;
constexpr double MaxKilotonnes = std::numeric_limits<qint32>::max();

// A stored whole number within [low, high]; empty for text, a fraction or a number out of range.
std::optional<qint64> wholeWithin(const QVariant& value, double low, double high)
{
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || number != std::trunc(number) || !(number >= low && number <= high))
        return std::nullopt;
    return qint64(number);
}

void refuseForecast(const QString& text)
{
    messages().inform(QStringLiteral("De prognose van het afvalaanbod bevat ") + text, LevyTitle,
                      MessageIcon::Exclamation);
}

// The forecast of the facilities in ascending years; with perYear, the supplies of one year as one. Empty
// (after telling) when it cannot be read or holds a year or an amount the forecast screen does not take.
std::optional<std::vector<clsHeffing::Supply>> readForecast(Database& data, const std::vector<qint64>& ids,
                                                            bool perYear)
{
    QStringList placeholders;
    for (std::size_t k = 0; k < ids.size(); ++k)
        placeholders.append(QStringLiteral("?"));
    Statement rows = data.prepare(
        QStringLiteral("SELECT intKalJaar, lngTonnage, lngStort_REF FROM tblTonnage WHERE intKalJaar IS NOT "
                       "NULL AND lngStort_REF IN (") +
        placeholders.join(QStringLiteral(", ")) + QStringLiteral(")"));
    for (std::size_t k = 0; k < ids.size(); ++k)
        rows.bind(int(k) + 1, ids[k]);
    std::vector<clsHeffing::Supply> forecast;
    // A facility's years, each of which it may name once.
    std::set<std::pair<qint64, qint64>> facilityYears;
    while (rows.next()) {
        const std::optional<qint64> year = wholeWithin(rows.value(0), FirstYear, LastYear);
        if (!year) {
            refuseForecast(QStringLiteral("een ongeldig jaartal ('") + rows.value(0).toString() +
                           QStringLiteral("'). Een jaartal ligt tussen 1900 en 3000."));
            return std::nullopt;
        }
        // A year whose supply is not entered is a year without supply.
        const std::optional<qint64> kilotonnes =
            rows.isNull(1) ? 0 : wholeWithin(rows.value(1), 0, MaxKilotonnes);
        if (!kilotonnes) {
            refuseForecast(QStringLiteral("voor het jaar ") + QString::number(*year) +
                           QStringLiteral(" een ongeldige hoeveelheid ('") + rows.value(1).toString() +
                           QStringLiteral("'). Een hoeveelheid is een geheel aantal kiloton van 0 tot en met "
                                          "2147483647."));
            return std::nullopt;
        }
        if (!facilityYears.insert({rows.value(2).toLongLong(), *year}).second) {
            refuseForecast(QStringLiteral("het jaar ") + QString::number(*year) +
                           QStringLiteral(" meer dan eens. Elk jaar telt één keer."));
            return std::nullopt;
        }
        forecast.push_back({qint16(*year), *kilotonnes});
    }
    if (rows.failed()) {
        // A forecast read in part is no forecast.
        messages().inform(
            QStringLiteral("De prognose afvalaanbod kon niet worden gelezen uit het databestand."), LevyTitle,
            MessageIcon::Critical);
        return std::nullopt;
    }
    std::stable_sort(
        forecast.begin(), forecast.end(),
        [](const clsHeffing::Supply& a, const clsHeffing::Supply& b) { return a.year < b.year; });
    if (perYear) {
        std::vector<clsHeffing::Supply> years;
        for (const clsHeffing::Supply& supply : forecast) {
            if (!years.empty() && years.back().year == supply.year)
                years.back().kilotonnes += supply.kilotonnes;
            else
                years.push_back(supply);
        }
        forecast = std::move(years);
    }
    // The years are numbered in 16 bits.
    if (forecast.size() > std::size_t(std::numeric_limits<qint16>::max())) {
        refuseForecast(QStringLiteral("meer jaren dan kunnen worden berekend."));
        return std::nullopt;
    }
    return forecast;
}

// The member's own calculation.
std::optional<clsHeffing::MemberCapital> memberCapital(Workspace& workspace, long facilityId)
{
    clsDV dv(workspace);
    if (!dv.initializeDV(facilityId, clsDV::OwnRate, clsDV::OwnRate) || !dv.VerifyBeforeBerekening2())
        return std::nullopt;
    // A partial target capital would understate the levy of the whole group.
    if (!dv.BerekenAlles())
        return std::nullopt;
    return clsHeffing::MemberCapital{dv.DoelvermogenMetRisicoFonds(), dv.aanvangNazorg()};
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

    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    clsStort open(*m_workspace);
    if (!data || !open.initializeStort(m_facility)) {
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

    std::vector<qint64> ids;
    sngDV = doelvermogen;
    if (bytObjectGebonden == 1) {
        // The facility raises its own target capital, which is valued at its aftercare start.
        sngTref = aanvangNazorg;
        DVref = doelvermogen;
        ids.push_back(open.stort_ID());
    } else {
        // The group's target capitals are valued at the price level year.
        sngTref = float(jaarPrijspeil);
        if (!pfunVerevening(open.NaamStort(), open.intStortType(), open.prov_id(), ids)) {
            ValidatieOK = false;
            return;
        }
    }

    // The group's supplies of one year are added up.
    std::optional<std::vector<Supply>> forecast = readForecast(*data, ids, bytObjectGebonden != 1);
    if (!forecast) {
        ValidatieOK = false;
        return;
    }
    if (forecast->empty()) {
        messages().inform(
            QStringLiteral("Er zijn geen gegevens beschikbaar m.b.t. de prognose van het afvalaanbod. "
                           "De heffing kan niet berekend worden."),
            LevyTitle, MessageIcon::Exclamation);
        return;
    }
    double T = 0; // the supply of all years, each weighed by its levy at tRef
    for (const Supply& supply : *forecast) {
        m_jaren.push_back(supply.year);
        m_aanbod.push_back(supply.kilotonnes);
        const float jaren = float(supply.year) - sngTref;
        T += double(supply.kilotonnes) * groei(sngInflatie, jaren) / groei(sngRente, jaren);
    }
    intAantaljaren = qint16(forecast->size());
    // Supplies are in kilotonnes.
    HeffingPerTon_prijspeil_tRef = T == 0 ? 0 : double(DVref) / (T * 1000);
    if (!std::isfinite(T) || !reportValuesFinite()) {
        tellOverflow();
        HeffingPerTon_prijspeil_tRef = 0;
        intAantaljaren = 0;
        m_jaren.clear();
        m_aanbod.clear();
        ValidatieOK = false;
    }
}

void clsHeffing::tellOverflow()
{
    messages().inform(QStringLiteral("Overloop bij berekening van de heffing.") + QStringLiteral("\r\n") +
                          QStringLiteral("Pas rente- en/of inflatiepercentages aan of controleer de "
                                         "prognose van het afvalaanbod."),
                      LevyTitle, MessageIcon::Exclamation);
}

bool clsHeffing::reportValuesFinite() const
{
    if (!std::isfinite(HeffingPerTon_prijspeil_tRef) || !std::isfinite(rapControleDVsom()))
        return false;
    for (int i = 1; i <= intAantaljaren; ++i) {
        if (!std::isfinite(rapHeffingPerTonInJaar(i)) || !std::isfinite(rapHeffingInJaar(i)))
            return false;
    }
    return true;
}

bool clsHeffing::pfunVerevening(const QString& naamOpen, int stortType, int provincie,
                                std::vector<qint64>& ids)
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
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
        rapStortNamen += (rapStortNamen.isEmpty() ? QString() : QStringLiteral(", ")) + lid.naam;
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
        const std::optional<MemberCapital> capital =
            m_memberCapitals ? m_memberCapitals(long(lid.id)) : memberCapital(*m_workspace, long(lid.id));
        if (!capital)
            return false;
        DVref = float(double(DVref) +
                      double(capital->doelvermogen) / groei(sngRente, capital->aanvangNazorg - sngTref));
        if (!std::isfinite(DVref)) {
            tellOverflow();
            return false;
        }
        ids.push_back(lid.id);
    }
    return true;
}

qint64 clsHeffing::rapAantalKtonTotaal() const
{
    qint64 totaal = 0;
    for (const qint64 aanbod : m_aanbod)
        totaal += aanbod;
    return totaal;
}

qint16 clsHeffing::rapJaar(int i) const
{
    Q_ASSERT(isJaar(i));
    return isJaar(i) ? m_jaren[std::size_t(i - 1)] : qint16(0);
}

qint64 clsHeffing::rapAantalKtonPerJaar(int i) const
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
