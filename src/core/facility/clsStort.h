#pragma once

#include "storage/database.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace dovra {

class Workspace;

// One facility row of tblStort with typed properties. Changes are kept until Move0, which
// writes them in one statement, so a refused edit never reaches the file.
class clsStort
{
public:
    // A facility of the workspace's data file, read by initializeStort.
    explicit clsStort(Workspace& workspace) : m_workspace(&workspace) {}

    bool initializeStort(long stort_ID);
    bool isLoaded() const { return !m_row.isEmpty(); }

    // The stored value of a field (names compare without regard to case), with pending changes.
    QVariant field(const QString& name) const;
    // A value of a field that is not entered (Null or empty text) is absent.
    std::optional<float> single(const QString& name) const;
    void setField(const QString& name, const QVariant& value);
    enum class NumberKind
    {
        Single, // a number within the single-precision range
        Whole   // a whole number within the 32-bit range
    };
    // False when the field is entered but holds no number of that kind (text, or out of range).
    bool holdsNumber(const QString& name, NumberKind kind) const;
    bool hasPendingChanges() const { return !m_pending.isEmpty(); }
    // Writes pending changes to the file; false (pending changes kept) when that fails.
    bool Move0();
    // Forgets pending changes: the record is as stored again.
    void discardPending() { m_pending.clear(); }

    // True when another facility of the data file has this name (not case-sensitive).
    bool StortnaamBestaatAl(const QString& strNaam) const;
    // Reads the facility's checklist version: its facility type name, year and remark.
    bool GetInfoChecklist();
    QString strStortType;
    QString strChecklistJaar;
    QString strOpmerking;
    // The price level year of the checklist version, which the facility's amounts follow.
    int intChecklistPrijspeil = 0;

    // The rules of the general data: false, after telling the user, when a value is refused.
    bool checkNaamStort(const QString& name) const;
    // The aftercare start must be a date on the 1st or the 16th of a month.
    static bool checkDatumAanvangNazorg(const std::optional<QDate>& date);
    // A company-bound facility is object-bound as well.
    void setBedrijfsGebonden(quint8 value);
    // Only a landfill that is not company-bound chooses whether it is object-bound.
    bool ObjectGebondenWijzigbaar() const { return intStortType() == 1 && bytBedrijfsGebonden() == 0; }
    // The levy per ton of supplied waste needs the forecast: only when not company-bound.
    bool PrognoseNodig() const { return bytBedrijfsGebonden() == 0; }

    long stort_ID() const;
    QString RivmNr() const { return text("strRIVMnr"); }
    QString ProvNaam() const;
    QString locatie_adres() const { return text("memVestigingsadres"); }
    QString VergHouderNaam() const { return text("strVergNaam"); }
    QString VergHouderPostadres() const { return text("strVergPostAdres"); }
    QString VergHouderContactPers() const { return text("strVergContPers"); }
    QString VergHouderTelnr() const { return text("strVergTel"); }
    QString VergHouderFaxnr() const { return text("strVergFax"); }
    QString VergHouderEmail() const { return text("strVergEmail"); }
    QString InvullerNaam() const { return text("strInvNaam"); }
    QString InvullerPostadres() const { return text("strInvPostAdres"); }
    QString InvullerContactPers() const { return text("strInvContPers"); }
    QString InvullerTelnr() const { return text("strInvTel"); }
    QString InvullerFaxnr() const { return text("strInvFax"); }
    QString InvullerEmail() const { return text("strInvEmail"); }
    QString Bedrijfs_Objectgebonden() const;
    // The aftercare start as a decimal year; tells the user when the date is missing or not on the 1st or
    // 16th.
    float AanvangNazorgGebrokenJaar() const;
    std::optional<QDate> DatumAanvangNazorg() const;
    void setDatumAanvangNazorg(const QDate& date) { setField(QStringLiteral("dtmAanvangNazorg"), date); }
    int JaarPrijsPeil() const { return int(whole("intJaarPrijspeil")); }
    // Rates as fractions.
    float rente() const { return single(QStringLiteral("sngRentePerc")).value_or(0) / 100; }
    float inflatie() const { return single(QStringLiteral("sngInflPerc")).value_or(0) / 100; }
    quint8 Optie_heffing() const { return quint8(whole("bytheffing")); }
    int startjaarHeffing() const { return int(whole("intStartjaarHeffing")); }
    int eindjaarHeffing() const { return int(whole("intEindjaarHeffing")); }
    quint8 bytBedrijfsGebonden() const { return quint8(whole("bytBedrijfsGebonden")); }
    quint8 bytObjectGebonden() const { return quint8(whole("bytObjectGebonden")); }
    quint8 prov_id() const { return quint8(whole("bytProv_REF")); }
    // The province the user chose; empty while none is (not entered, or "??", id 0, as a new facility
    // starts).
    std::optional<int> chosenProvince() const
    {
        return field(QStringLiteral("bytProv_REF")).isNull() || prov_id() == 0
                   ? std::nullopt
                   : std::optional<int>(prov_id());
    }
    float NazorgOpp() const { return singleOrZero("sngNazorgOpp"); }
    float AppKostenBasis() const { return singleOrZero("sngAlgAppKostenBasis"); }
    void setAppKostenBasis(float value) { setSingle("sngAlgAppKostenBasis", value); }
    float AppKostenBasisPerc() const { return singleOrZero("sngAppKostenPerc"); }
    void setAppKostenBasisPerc(float value) { setSingle("sngAppKostenPerc", value); }
    long OptieRapEval() const { return long(whole("bytRapEval")); }
    float RapEvalMin() const { return singleOrZero("sngRapEvalMin"); }
    void setRapEvalMin(float value) { setSingle("sngRapEvalMin", value); }
    float RapEvalPerHa() const { return singleOrZero("sngRapEvalPerHa"); }
    void setRapEvalPerHa(float value) { setSingle("sngRapEvalPerHa", value); }
    float RapEvalMax() const { return singleOrZero("sngRapEvalMax"); }
    void setRapEvalMax(float value) { setSingle("sngRapEvalMax", value); }
    float CommunicatieKosten() const { return singleOrZero("sngAlgCommunicatieKosten"); }
    void setCommunicatieKosten(float value) { setSingle("sngAlgCommunicatieKosten", value); }
    float Onvoorzien() const { return singleOrZero("sngOnvoorzien"); }
    void setOnvoorzien(float value) { setSingle("sngOnvoorzien", value); }
    float OntwerpdirectieFixed() const { return singleOrZero("sngOntwerpdirectie"); }
    void setOntwerpdirectieFixed(float value) { setSingle("sngOntwerpdirectie", value); }
    float RisicoBedrag() const { return singleOrZero("sngAlgRisicoBedrag"); }
    void setRisicoBedrag(float value) { setSingle("sngAlgRisicoBedrag", value); }
    QString StandaardExportDir() const { return text("memStandaardExportDir"); }
    void setStandaardExportDir(const QString& dir) { setField(QStringLiteral("memStandaardExportDir"), dir); }
    QString NaamStort() const { return text("strStortNaam"); }
    int intStortType() const { return int(whole("intStortType")); }
    float checklist_ID() const { return float(whole("intCL_REF")); }
    void LetChecklist_REF(long id) { setField(QStringLiteral("intCL_REF"), qint64(id)); }

private:
    QString text(const char* name) const;
    qint64 whole(const char* name) const;
    float singleOrZero(const char* name) const { return single(QLatin1String(name)).value_or(0); }
    void setSingle(const char* name, float value) { setField(QLatin1String(name), value); }
    QString columnName(const QString& name) const;

    Workspace* m_workspace;
    std::shared_ptr<Database> m_db;
    QHash<QString, QVariant> m_row;    // lower-case field name -> stored value
    QHash<QString, QString> m_columns; // lower-case field name -> column name
    QHash<QString, QVariant> m_pending;
};

// What the program keeps of the facility the user works on.
struct OpenFacilityState
{
    int id = 0; // 0 while none has been opened
    QString name;
    int type = 0;
    int checklistVersion = 0;
    QString checklistYear;     // year of the version's date, shown as "checklistversie"
    double aftercareStart = 0; // aftercare start as a decimal year
};

// Reads that of facility id; empty when it is gone.
std::optional<OpenFacilityState> readOpenFacility(Workspace& workspace, int id);

} // namespace dovra
