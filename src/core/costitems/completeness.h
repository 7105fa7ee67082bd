#pragma once

#include <QVariant>

#include <array>

namespace dovra {

// Completeness of a cost item: when its input suffices for a calculation. The checks work on raw
// values, as stored or straight from the editor's input boxes; a missing value is a failed rule,
// never an error. Conformity to the checklist's criteria is another matter (an item outside the
// criteria can be complete).

bool CheckStart(const QVariant& bytOptieStart, const QVariant& bytStartBA, const QVariant& intStartAbs,
                const QVariant& intStartRel, const QVariant& intStartBA);
bool CheckEind(const QVariant& bytOptieEind, const QVariant& bytEindBA, const QVariant& intEindAbs,
               const QVariant& intEindRel, const QVariant& intEindBA);
bool CheckKosten(const QVariant& bytOptieKosten, const QVariant& sngPercInvest,
                 const QVariant& sngKostenInvest, const QVariant& sngKostenTotaal,
                 const QVariant& sngKostenPE, const QVariant& strEenheid, const QVariant& sngAantal);
bool CheckFreq(const QVariant& bytOptieFreq, const QVariant& intFreqX);
// Only replacements (rubric 5) of a facility whose checklist version sets surcharges per item
// need a surcharge type.
bool CheckToeslag(bool gediffToeslag, const QVariant& bytRubriek_REF,
                  const QVariant& bytTypeVervangingsToeslag, const QVariant& sngVervangingsToeslagPerc);

// The values of a cost item that its checks read: as stored, or as its editor shows them.
struct CostItemValues
{
    QVariant bytOptieStart;
    QVariant bytStartBA;
    QVariant intStartAbs;
    QVariant intStartRel;
    QVariant intStartBA;
    QVariant bytOptieEind;
    QVariant bytEindBA;
    QVariant intEindAbs;
    QVariant intEindRel;
    QVariant intEindBA;
    QVariant bytOptieFreq;
    QVariant intFreqX;
    QVariant bytOptieKosten;
    QVariant sngPercInvest;
    QVariant sngKostenInvest;
    QVariant sngKostenTotaal;
    QVariant sngKostenPE;
    QVariant strEenheid;
    QVariant sngAantal;
    QVariant bytRubriek_REF;
    QVariant bytTypeVervangingsToeslag;
    QVariant sngVervangingsToeslagPerc;
    QVariant bytIsTALVO;
    QVariant lngClitem_REF;
    QVariant bytCombineer; // part of a combination post
};

// A cost item row by field name (names compare without regard to case).
class FieldSource
{
public:
    virtual ~FieldSource();
    virtual QVariant field(const QString& name) const = 0;
};

// The fields of CostItemValues by their column names.
struct CostItemField
{
    const char* name;
    QVariant CostItemValues::*value;
};
const std::array<CostItemField, 25>& costItemFields();
CostItemValues costItemValuesOf(const FieldSource& item);

// The whole check of one cost item: an item included in a combination post is complete;
// otherwise start, end, cost, frequency and surcharge must all pass.
bool verify_ansich(const CostItemValues& item, bool gediffToeslag);
bool verify_ansich(const FieldSource& item, bool gediffToeslag);

} // namespace dovra
