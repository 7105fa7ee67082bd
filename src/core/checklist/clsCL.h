#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

namespace dovra {

class Database;
class Workspace;

// One row of tblCLitem. Criterion fields may be Null, which the checks read as "no criterion".
struct ChecklistItemRow
{
    long id = 0;
    std::optional<int> objectCategory;
    QString voorziening;
    QString omschrijving;
    std::optional<int> rubric;
    std::optional<QString> refDeelonderz;
    bool isCombinatiePost = false;
    bool combinatieMogelijk = false;
    std::optional<int> startJaar;
    bool startjaarEerderMag = false;
    std::optional<int> startBA;
    std::optional<int> eindJaar;
    std::optional<int> optieEind;
    std::optional<int> eindBA;
    std::optional<int> optieFreq;
    std::optional<float> freqXMin;
    std::optional<float> freqXMax;
    std::optional<int> optieKosten;
    std::optional<float> prijsPEmin;
    std::optional<float> prijsPEmax;
    std::optional<float> percInvestMin;
    std::optional<float> percInvestMax;
    std::optional<float> kostenInvestMin;
    std::optional<float> kostenInvestMax;
    std::optional<float> kostenTotaalMin;
    std::optional<float> kostenTotaalMax;
    std::optional<QString> eenheid;
    std::optional<float> aantalMin;
    std::optional<float> aantalMax;
    std::optional<int> typeVervangingsToeslag;
    std::optional<QString> toelichting;
    std::optional<QString> vtNtStartjaar;
    std::optional<QString> vtNtEindjaar;
    std::optional<QString> vtNtPeriodMin;
    std::optional<QString> vtNtPeriodMax;
    std::optional<QString> vtNtPrijsPEmin;
    std::optional<QString> vtNtPrijsPEmax;
    bool voetnoot1 = false;
};

// The row of tblCL: the version's facility-level criteria. Null reads as 0.
struct ChecklistVersionRow
{
    int id = 0;
    QString versie;
    QVariant dtmCl;
    int jaarPrijspeil = 0;
    float communicatieMin = 0;
    float communicatieMax = 0;
    float rapEvalPerHa = 0;
    float rapEvalMin = 0;
    float rapEvalMax = 0;
    float appKostenBasisMin = 0;
    float appKostenBasisMax = 0;
    float appKostenPerc = 0;
    float onvoorzien = 0;
    float ontwerpdirectie = 0;
    float vervangingstoeslagKleineWerken = 0;
    float vervangingstoeslagGroteWerkenMin = 0;
    float vervangingstoeslagGroteWerkenMax = 0;
};

// One entry of the checklist information the cost item editor shows beside an item.
struct ChecklistInfoEntry
{
    enum class Kind
    {
        Heading,
        Value,
        Blank,
        Small, // footnotes, in a smaller font
        Error  // shown in red
    };
    Kind kind = Kind::Value;
    QString text;

    bool operator==(const ChecklistInfoEntry&) const = default;
};
using ChecklistInfo = QList<ChecklistInfoEntry>;

// One checklist version held in memory: its active items with a current item, its version row and its
// footnotes, so the editor can look items up and check cost items without going back to the file.
class clsCL
{
public:
    // An empty version that reads nothing.
    clsCL() = default;
    // A version to be read from the workspace's checklist file.
    explicit clsCL(Workspace& workspace);

    // A version given as rows rather than read from the file (it has no footnotes), so a calculation can
    // run on values held in memory.
    static clsCL fromRows(ChecklistVersionRow version, std::vector<ChecklistItemRow> items = {});
    // False when the checklist file cannot be read.
    bool initializeCL(int intCL_ID);
    // False, after telling the user, when the checklist file has no active items of the version.
    bool checklistBestaat() const;

    bool EOF_rsCLitem() const { return m_current >= m_items.size(); }
    void movenext_rsCLitem();
    void movefirst_rsCLitem() { m_current = 0; }
    // Makes the item current; false (no current item) when the version does not have it.
    bool GaNaarItem(long lngCLitem_ID);

    // The current item.
    long lngCLitem_ID() const { return item().id; }
    QString Voorziening() const { return item().voorziening; }
    QString Omschrijving() const { return item().omschrijving; }
    QString OmschrijvingEx() const;
    std::optional<int> Startjaar() const { return item().startJaar; }
    bool StartjaarEerderMag() const { return item().startjaarEerderMag; }
    std::optional<int> Eindjaar() const { return item().eindJaar; }
    std::optional<float> FreqXmin() const { return item().freqXMin; }
    std::optional<float> FreqXmax() const { return item().freqXMax; }
    std::optional<float> PrijsPEmin() const { return item().prijsPEmin; }
    std::optional<float> PrijsPEmax() const { return item().prijsPEmax; }
    std::optional<float> PercInvestMIN() const { return item().percInvestMin; }
    std::optional<float> PercInvestMAX() const { return item().percInvestMax; }
    std::optional<float> KostenInvestMIN() const { return item().kostenInvestMin; }
    std::optional<float> KostenInvestMAX() const { return item().kostenInvestMax; }
    std::optional<float> KostenTotaalMIN() const { return item().kostenTotaalMin; }
    std::optional<float> KostenTotaalMAX() const { return item().kostenTotaalMax; }
    std::optional<QString> Eenheid() const { return item().eenheid; }
    std::optional<float> AantalMIN() const { return item().aantalMin; }
    std::optional<float> AantalMAX() const { return item().aantalMax; }
    std::optional<QString> Toelichting() const { return item().toelichting; }
    std::optional<QString> RefDeelonderz() const { return item().refDeelonderz; }
    std::optional<QString> VtNtStartjaar() const { return item().vtNtStartjaar; }
    std::optional<QString> VtNtEindjaar() const { return item().vtNtEindjaar; }
    std::optional<QString> strVtntPeriodMin() const { return item().vtNtPeriodMin; }
    std::optional<QString> VtNtPeriodMax() const { return item().vtNtPeriodMax; }
    std::optional<QString> VtNtPrijsPEmin() const { return item().vtNtPrijsPEmin; }
    std::optional<QString> VtNtPrijsPEmax() const { return item().vtNtPrijsPEmax; }
    std::optional<int> bytObjectCat_ID() const { return item().objectCategory; }
    std::optional<int> bytOptieKosten() const { return item().optieKosten; }
    std::optional<int> bytOptieFreq() const { return item().optieFreq; }
    std::optional<int> bytOptieEind() const { return item().optieEind; }
    std::optional<int> bytRubriek_REF() const { return item().rubric; }
    std::optional<int> bytStartBA() const { return item().startBA; }
    std::optional<int> bytEindBA() const { return item().eindBA; }
    std::optional<int> bytTypeVervangingsToeslag() const { return item().typeVervangingsToeslag; }
    bool blnCombinatieMogelijk() const { return item().combinatieMogelijk; }
    bool blnIsCombinatiePost() const { return item().isCombinatiePost; }
    bool blnVoetnoot1() const { return item().voetnoot1; }
    QString Rubriek() const;
    // Checklist items always start in an aftercare year.
    int bytOptieStartX() const { return 2; }
    QString VolledigeOmschrijving() const { return {}; }

    // Criterion texts of the current item.
    QString strStartJaarToelichting() const;
    QString strEindJaarToelichting() const;
    QString strFreqXtoelichting() const;
    QString strKostenToelichting() const;
    QString strKostenToelichtingEx() const;
    QString lblToelichtingPrijspeil() const;
    QString strVoetnotenToelichting() const;
    QString VoetNootFasering() const;

    // Typical values of the current item: the middle of the range, or its one bound; Null without.
    std::optional<float> AantalGEM() const;
    std::optional<float> PrijsPEgem() const;
    std::optional<float> InvKostenGEM() const;
    std::optional<float> KostenTotaalGEM() const;
    float InvPercGEM() const;
    std::optional<float> freqXGEM() const;

    // The version.
    QString strVersie() const { return m_version.versie; }
    QVariant dtmCl() const { return m_version.dtmCl; }
    int intCl_ID() const { return m_version.id; }
    int intJaarPrijspeil() const { return m_version.jaarPrijspeil; }
    float sngCommunicatieMIN() const { return m_version.communicatieMin; }
    float sngCommunicatieMAX() const { return m_version.communicatieMax; }
    float sngRapEvalPerHa() const { return m_version.rapEvalPerHa; }
    float sngRapEvalMin() const { return m_version.rapEvalMin; }
    float sngRapEvalMax() const { return m_version.rapEvalMax; }
    float sngAppKostenBasisMIN() const { return m_version.appKostenBasisMin; }
    float sngAppKostenBasisMAX() const { return m_version.appKostenBasisMax; }
    float sngAppKostenPerc() const { return m_version.appKostenPerc; }
    float sngOnvoorzien() const { return m_version.onvoorzien; }
    float sngOntwerpdirectieFixed() const { return m_version.ontwerpdirectie; }
    float sngVervangingstoeslagKleineWerken() const { return m_version.vervangingstoeslagKleineWerken; }
    float sngVervangingstoeslagGroteWerkenMin() const { return m_version.vervangingstoeslagGroteWerkenMin; }
    float sngVervangingstoeslagGroteWerkenMax() const { return m_version.vervangingstoeslagGroteWerkenMax; }
    // The version sets the replacement surcharge per item instead of one design and supervision rate.
    bool GebruikGedifferentieerdeToeslagB() const { return m_version.ontwerpdirectie == PerItemSurcharges; }
    // The same for a version without loading it: −999 as design percentage.
    static bool GebruikGedifferentieerdeToeslagB(Workspace& workspace, int versionId);
    static constexpr float PerItemSurcharges = -999.0f;

    // The ids of the version's combination posts, comma-separated in item order.
    QString GetCombinatiePosten() const;

    // The price change factor from price level year A to year B.
    float sngPrijsPeilCorr(int intJaarVan, int intJaarNaar) const;
    // The area above which reporting and evaluation cost the maximum.
    float AantalHaGrens() const;
    // Which reporting and evaluation bound an area falls under: 0 unknown, 1 minimum, 2 per ha, 3 maximum.
    int CalcOptieRapEval(const QVariant& area) const;

    // Conformity of a cost item's values (raw, as stored or entered) with the current item's criteria.
    // Years are counted from aftercareStart, the decimal year in which the item's facility starts its
    // aftercare.
    bool VerifyCL_JaarStart(const QVariant& bytOptieStart, const QVariant& bytStartBA,
                            const QVariant& intStartAbs, const QVariant& intStartRel,
                            const QVariant& intStartBA, double aftercareStart) const;
    bool VerifyCL_JaarEind(const QVariant& bytOptieEind, const QVariant& bytEindBA,
                           const QVariant& intEindAbs, const QVariant& intEindRel, const QVariant& intEindBA,
                           double aftercareStart) const;
    bool VerifyCL_Freq(const QVariant& bytOptieFreq, const QVariant& intFreqX) const;
    bool VerifyCL_Kosten(const QVariant& bytOptieKosten, const QVariant& sngPercInvest,
                         const QVariant& sngKostenInvest, const QVariant& sngKostenTotaal,
                         const QVariant& sngKostenPE, const QVariant& strEenheid,
                         const QVariant& sngAantal) const;
    bool VerifyCL_VervangingsToeslag(const QVariant& bytRubriek_REF,
                                     const QVariant& bytTypeVervangingsToeslag,
                                     const QVariant& sngVervangingsToeslagPerc) const;

    // Conformity of the facility-level values with the version.
    bool verifyCL_CommKosten(float value) const;
    bool verifyCL_AppKostenBasis(float value) const;
    bool verifyCL_AppKostenPerc(float value) const;
    bool verifyCL_Onvoorzien(float value) const;
    bool verifyCL_OntwerpdirectieFixed(float value) const;
    bool verifyCL_RapEvalPerHa(int option, float min, float perHa, float max) const;

private:
    bool readFromFile(const std::shared_ptr<Database>& checklist, int intCL_ID);
    const ChecklistItemRow& item() const;
    QString VoetnootTekst(const std::optional<QString>& field, const QString& label) const;

    struct Footnote
    {
        QString key;
        QString text;
    };

    Workspace* m_workspace = nullptr;
    int m_versionId = 0;
    std::vector<ChecklistItemRow> m_items;
    std::size_t m_current = 0;
    ChecklistVersionRow m_version;
    QList<Footnote> m_footnotes;
};

// A stored or shown item reference as an item id; empty when it is none.
std::optional<long> checklistItemReference(const QVariant& lngClitem_REF);

// The checklist information of a cost item: none for a user-defined item (bytIsTALVO 0), a red notice
// when the version no longer has the item, else its criteria. Makes the item current when found.
// surcharge: the explanation of a replacement's surcharge, shown after the criteria or the user-defined note.
ChecklistInfo checklistInformation(clsCL& checklist, const QVariant& lngClitem_REF, int bytIsTALVO,
                                   const ChecklistInfo& surcharge = {});

} // namespace dovra
