#pragma once

#include "costitems/completeness.h"

#include <QString>

#include <optional>
#include <vector>

namespace dovra {

class Database;

// One stored numeric field as the checks and the calculation read it. Compact, because a calculation
// holds every cost item of a facility in memory.
struct StoredField
{
    enum class State : quint8
    {
        Empty,  // Null or ""
        Number, // a number, or text that reads as one
        Text    // text that is no number
    };
    State state = State::Empty;
    double number = 0;

    bool isEntered() const { return state != State::Empty; }
    // The number, 0 when there is none.
    double value() const { return number; }
    QVariant toVariant() const;
};

// The stored fields of a cost item that its checks and its calculation read.
struct StoredValues
{
    StoredField bytOptieStart, bytStartBA, intStartAbs, intStartRel, intStartBA;
    StoredField bytOptieEind, bytEindBA, intEindAbs, intEindRel, intEindBA;
    StoredField bytOptieFreq, intFreqX;
    StoredField bytOptieKosten, sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal;
    StoredField bytRubriek_REF, bytTypeVervangingsToeslag, sngVervangingsToeslagPerc;
    StoredField bytIsTALVO, lngClitem_REF, bytCombineer;
};

// The column name of field, one of the fields of values.
const char* storedFieldName(const StoredValues& values, const StoredField& field);

// A cost item as stored, with the provision it belongs to.
struct StoredCostItem
{
    qint64 id = 0;        // idrAct_ID
    qint64 objectCat = 0; // the provision's bytObjectCat_REF
    QString act;          // strAct
    QString object;       // the provision's strObject
    QString eenheid;      // strEenheid
    StoredValues values;

    // The same values as the completeness checks take them.
    CostItemValues checkValues() const;
};

// Every cost item of a facility in one query, in the order the data file returns them; empty when they
// cannot be read.
std::optional<std::vector<StoredCostItem>> readStoredCostItems(Database& data, qint64 facilityId);

} // namespace dovra
