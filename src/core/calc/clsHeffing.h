#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace dovra {

class Workspace;

// The levy per ton of supplied waste that raises the target capital of one facility, at the
// price level of the reference year tRef. An object-bound facility raises its own target capital
// from its own forecast; a facility that is neither object- nor company-bound shares the levy with
// every such facility of its province and type (equalisation). A company-bound facility has no levy.
class clsHeffing
{
public:
    // The levy of facility facilityId of the workspace's data file.
    clsHeffing(Workspace& workspace, long facilityId) : m_workspace(&workspace), m_facility(facilityId) {}

    // The target capital (with risk amount, without VAT) and the aftercare start (decimal year) of a member
    // of an equalisation group; empty, after telling why, when it cannot be calculated.
    struct MemberCapital
    {
        float doelvermogen = 0;
        float aanvangNazorg = 0;
    };
    using MemberCapitals = std::function<std::optional<MemberCapital>(long facilityId)>;
    // Takes the members' target capitals from capitals instead of calculating each again, for a run that
    // has calculated them all already. They must be what the calculation of each member gives.
    void setMemberCapitals(MemberCapitals capitals) { m_memberCapitals = std::move(capitals); }

    // doelvermogen: the facility's target capital including the risk amount, excluding VAT.
    void psubBerekenHeffingPerTon(float doelvermogen);

    double HeffingPerTon_prijspeil_tRef = 0;
    qint16 intAantaljaren = 0;
    quint8 bytBedrijfsGebonden = 0;
    quint8 bytObjectGebonden = 0;
    float sngRente = 0;    // fraction
    float sngInflatie = 0; // fraction
    float sngTref = 0;     // decimal year
    float sngDV = 0;
    // The target capital to raise, at tRef: the own one, or the sum of the group's.
    float DVref = 0;
    // The group's names, separated by ", ".
    QString rapStortNamen;
    bool ValidatieOK = false;

    // One year of the forecast.
    struct Supply
    {
        qint16 year = 0;
        qint64 kilotonnes = 0;
    };

    // The year whose prices the levy per ton at tRef is in, as a whole year: the facility's price level year
    // for an equalised levy, the year of the aftercare start for a levy of the facility alone (its target
    // capital is in the money of that date).
    int prijspeilJaar() const { return int(std::floor(sngTref)); }

    // Report values. Years are numbered 1 .. intAantaljaren in ascending calendar year.
    QDate DatumAanvangNazorg() const { return m_datumAanvangNazorg; }
    qint64 rapAantalKtonTotaal() const;
    qint16 rapJaar(int i) const;
    qint64 rapAantalKtonPerJaar(int i) const;
    double rapHeffingPerTonInJaar(int i) const;
    double rapHeffingInJaar(int i) const;
    // The levy of year i discounted to tRef; their sum equals DVref.
    double rapControleDV(int i) const;
    double rapControleDVsom() const;

private:
    // Sums the group's target capitals at tRef into DVref and collects their ids. False at the first member
    // with other rates or without a complete target capital: the levy would not raise what is needed.
    bool pfunVerevening(const QString& naamOpen, int stortType, int provincie, std::vector<qint64>& ids);
    // The levy follows the price level from tRef and is discounted back to it.
    double inflatieFactor(int i) const;
    double discontoFactor(int i) const;
    static void tellOverflow();
    // False when a figure of the report is no finite number.
    bool reportValuesFinite() const;
    bool isJaar(int i) const { return i >= 1 && i <= intAantaljaren; }

    Workspace* m_workspace;
    long m_facility;
    MemberCapitals m_memberCapitals;
    std::vector<qint16> m_jaren;  // index i − 1
    std::vector<qint64> m_aanbod; // kilotonnes, index i − 1
    QDate m_datumAanvangNazorg;
};

} // namespace dovra
