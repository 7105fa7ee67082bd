#pragma once

#include "calc/clsToeslag2008.h"
#include "calc/targetcapital.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace dovra {

class Workspace;
struct TargetCapitalInputs;

// The target capital of one facility: present values of all cost items (A yearly costs,
// B replacements), the general aftercare surcharges (C), the risk amount and VAT.
// Use: initializeDV, VerifyBeforeBerekening2, BerekenAlles, then read the results. The calculation itself
// is computeTargetCapital; this class reads its inputs and tells the user what it found.
class clsDV
{
public:
    // Rates as fractions; −9 keeps the facility's own rate.
    static constexpr float OwnRate = -9.0f;
    // The highest VAT percentage that can be chosen.
    static constexpr float MaxVatPercentage = TargetCapitalSums::MaxVatPercentage;

    // A calculation on inputs given to initializeDV(TargetCapitalInputs); it reads no file.
    clsDV();
    // Calculates facilities of the workspace's data file.
    explicit clsDV(Workspace& workspace);
    ~clsDV();
    clsDV(const clsDV&) = delete;
    clsDV& operator=(const clsDV&) = delete;

    // Reads the facility, its checklist version and its cost items (readTargetCapitalInputs); computes
    // nothing. False when they cannot be read, after telling when a stored value the calculation needs is
    // no number or the cost items cannot be read.
    bool initializeDV(long facilityId, float interest = OwnRate, float inflation = OwnRate);
    // Takes inputs already at hand, e.g. read once and calculated at other rates.
    void initializeDV(TargetCapitalInputs inputs);
    // The checks before a calculation: aftercare area, complete input, combination posts present.
    bool VerifyBeforeBerekening2();
    // True when the calculation is complete and valid.
    bool BerekenAlles();

    // Inputs as used.
    const TargetCapitalInputs& inputs() const;
    long facilityId() const;
    QString facilityName() const;
    float rente() const;          // r, fraction
    float inflatie() const;       // i, fraction
    float aanvangNazorg() const;  // S, decimal year
    int jaarPrijspeil() const;    // P
    int checklistVersion() const; // intCL_REF
    double q() const;             // (1 + i) / (1 + r)
    float F() const;              // (1 + i) ^ (S − P)

    // Per cost item, in query order (index 0 .. AantalKostenposten() − 1).
    int AantalKostenposten() const;
    long itemId(int index) const;
    // Empty (Null) for combined items.
    QVariant itemFactor(int index) const;
    float itemAmount(int index) const; // of one occurrence; 0 for combined items
    float itemNCW(int index) const;
    // A whole number, "nvt" or "-"; empty (Null) for combined items.
    QVariant itemEersteJaar(int index) const;
    QVariant itemLaatsteJaar(int index) const;

    // Subtotals of present values: rubric 1..6, object category 1..7, origin 1..3
    // (user-defined, checklist item within criteria, outside criteria).
    float subtotaalRubriek(int rubric) const;
    float subtotaalObjectCategorie(int category) const;
    float subtotaalHerkomst(int origin) const;

    // The perpetual yearly factor: yearly from year 1 to 1000.
    float perpetualFactor() const;

    // Surcharges (present values unless per year).
    const Toeslagen2008& toeslagen() const;
    float Toeslagen2008SomWaardeNCW() const;
    float sngRapEvalKostenPerJaar() const;
    float sngRapEvalKostenKAP() const;
    float sngCommunicatieKostenPerJaar() const;
    float sngCommunicatieKostenKAP() const;
    float sngAppKostenBasisPerJaar() const;
    float sngAppKostenBasisPerc() const; // fraction
    float sngAppKostenBasisKAP() const;
    float sngAppKostenTotaalKAP() const;
    float sngOnvoorzien() const;           // fraction
    float sngOntwerpdirectieFixed() const; // fraction
    float sngRisicobedragKAP() const;
    QString rapRapEvalKostenCalculatie() const;
    float rapPercOnvoorz() const;
    float rapPercDirectievoering2002() const;
    int rapIsTALVOCommKosten() const;
    int rapIsTALVOAppKosten() const;
    int rapIsTALVORapEval() const;
    int rapIsTALVOOnvoorzien() const;
    int rapIsTALVOOntwerpdirectieFixed() const;
    bool GebruikGedifferentieerdeToeslagB() const;

    // The sums, computed when asked for, in single precision.
    float somA_exclOnvoorzien() const;
    float toeslagA() const;
    float somA_inclOnvoorzien() const;
    float somB_exclDirectievoering() const;
    float toeslagB() const;
    float somB_inclDirectievoering() const;
    float AppKostenVariabelKAP() const;
    float somC() const;
    float DoelvermogenZonderRisicoFonds() const;
    float DoelvermogenMetRisicoFonds() const;
    // With the VAT percentage given (the application's BTW_PROCENTEN when omitted).
    float BTWbedrag(float vatPercentage) const;
    float DoelvermogenMetRisicofonds_InclBTW(float vatPercentage) const;

    // Report helpers.
    enum class Sorteerveld
    {
        Rubriek,
        ObjectCategorie,
        Herkomst
    };
    // id: the rubric, the object category or the conformity code (bytIsTALVO) of the group.
    float rapTotaalPerSorteerveld(Sorteerveld field, int id) const;
    float rapFractieVanTotaalDV(float presentValue) const;
    QString rapPercVanDV(float amount) const;
    qint16 AantalDVtabelRegels() const;

private:
    std::optional<float> shareOfTotal(float amount) const;
    struct Impl;
    Workspace* m_workspace;
    std::unique_ptr<Impl> d;
};

} // namespace dovra
