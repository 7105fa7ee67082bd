#pragma once

#include "calc/targetcapitalinputs.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

namespace dovra {

// A stored field whose value differs between two states of a facility (Null: not entered).
struct FieldDifference
{
    QString field;
    QVariant before;
    QVariant now;
};

// A stored value as the comparison holds it: Null when not entered, a single for a single-precision field (as
// the calculation reads it), a whole number for a whole-number field, else as stored.
QVariant comparedValue(const QString& field, const QVariant& stored);

// The cost item columns compared field by field, in the order they are listed.
const std::vector<QString>& comparedItemFields();

// A cost item as the comparison reads it.
struct ComparedItem
{
    qint64 id = 0;     // idrAct_ID
    QString provision; // the provision's strObject
    QString act;       // strAct
    // lngClitem_REF of a checklist-based item; none for a user-defined one.
    std::optional<qint64> checklistItem;
    QVariantList values; // per comparedItemFields()
};

struct ComparedProvision
{
    QString name; // strObject
    qint64 objectCat = 0;
};

// One state of a facility: its stored records and what its calculation reads.
struct FacilityState
{
    QString name;
    // The facility's own columns without its id, in column order.
    std::vector<std::pair<QString, QVariant>> fields;
    std::vector<ComparedProvision> provisions;
    std::vector<ComparedItem> items; // in id order
    TargetCapitalInputs inputs;
    bool calculable = false;    // its checks and its calculation pass
    std::optional<double> levy; // HeffingPerTon_prijspeil_tRef, when a levy per ton was produced
    QString levyNote;           // what the levy calculation told, e.g. why there is no levy
};

// The figures of one state, as the target capital and levy give them.
struct ComparedTotals
{
    bool calculated = false;
    float somA = 0; // incl. unforeseen
    float somB = 0; // incl. design and supervision
    float somC = 0;
    float doelvermogen = 0; // with the risk amount
    float btw = 0;
    std::optional<double> levy;
    QString levyNote;
};

struct ItemDifference
{
    enum class Kind
    {
        Added,
        Removed,
        Changed
    };
    Kind kind = Kind::Changed;
    qint64 id = 0; // in the present state; in the earlier one for a removed item
    QString provision;
    QString act;
    std::vector<FieldDifference> fields; // only for a changed item
    // Present values in each state at that state's own rates; none where the item is absent.
    std::optional<float> before;
    std::optional<float> now;
    // What the item moves the target capital by: its own present value difference at the present rates, in
    // cents. A rubric outside A and B counts 0, as in the target capital.
    qint64 effect = 0;
};

// What moved the target capital, in cents: the parts add up to the total exactly.
struct DifferenceParts
{
    qint64 total = 0;
    qint64 rates = 0;      // interest, inflation, aftercare start and price level year
    qint64 surcharges = 0; // the rest: the facility's surcharges and risk amount, and those on the items
    qint64 items = 0;      // the sum of the items' effects
};

struct FacilityComparison
{
    std::vector<FieldDifference> facility;
    QStringList provisionsAdded;
    QStringList provisionsRemoved;
    std::vector<std::pair<QString, QString>> provisionsRenamed; // earlier name, present name
    std::vector<ItemDifference> items;                          // largest effect first
    ComparedTotals before;
    ComparedTotals now;
    std::optional<DifferenceParts> difference; // none unless both states were calculated

    bool nothingDiffers() const;
};

// Compares the earlier state of a facility with the present one; the VAT percentage gives the VAT amounts.
// Cost items match by provision and checklist item, user-defined ones by provision and name, the phases of
// an item by their order. A provision that is gone and one that is new count as one renamed when they are
// of the same object category and hold the same cost items by that matching.
FacilityComparison compareFacilityStates(const FacilityState& before, const FacilityState& now,
                                         float vatPercentage);

} // namespace dovra
