#include "calc/facilitycomparison.h"

#include "calc/targetcapital.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace dovra {

namespace {

bool entered(const QVariant& value)
{
    return !value.isNull() && !(value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

// Null and an empty text are both not entered; a number stored as text equals the number.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (!entered(a) || !entered(b))
        return entered(a) == entered(b);
    bool numberA = false;
    bool numberB = false;
    const double x = a.toDouble(&numberA);
    const double y = b.toDouble(&numberB);
    if (numberA && numberB)
        return x == y;
    return a.toString() == b.toString();
}

QString folded(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

// What an item is under its provision: its checklist item, or the name of a user-defined one.
QString identity(const ComparedItem& item)
{
    return item.checklistItem ? QStringLiteral("#") + QString::number(*item.checklistItem)
                              : QStringLiteral("~") + folded(item.act);
}

// The provisions by name, as they are shown.
using Names = QHash<QString, QString>;

Names provisionNames(const FacilityState& state)
{
    Names names;
    for (const ComparedProvision& provision : state.provisions)
        names.insert(folded(provision.name), provision.name);
    return names;
}

// The identities of the items of each provision, sorted: two provisions holding the same items give the
// same list.
QHash<QString, QStringList> contents(const FacilityState& state)
{
    QHash<QString, QStringList> held;
    for (const ComparedItem& item : state.items)
        held[folded(item.provision)].append(identity(item));
    for (QStringList& list : held)
        list.sort();
    return held;
}

qint64 objectCategory(const FacilityState& state, const QString& name)
{
    for (const ComparedProvision& provision : state.provisions) {
        if (folded(provision.name) == name)
            return provision.objectCat;
    }
    return 0;
}

// Fills the provision lists; returns the present name (folded) of each earlier provision that was renamed.
Names compareProvisions(const FacilityState& before, const FacilityState& now, FacilityComparison& result)
{
    const Names earlier = provisionNames(before);
    const Names present = provisionNames(now);
    QStringList gone;
    QStringList added;
    for (const ComparedProvision& provision : before.provisions) {
        if (!present.contains(folded(provision.name)) && !gone.contains(folded(provision.name)))
            gone.append(folded(provision.name));
    }
    for (const ComparedProvision& provision : now.provisions) {
        if (!earlier.contains(folded(provision.name)) && !added.contains(folded(provision.name)))
            added.append(folded(provision.name));
    }
    const QHash<QString, QStringList> heldBefore = contents(before);
    const QHash<QString, QStringList> heldNow = contents(now);
    Names renamed;
    for (const QString& old : gone) {
        const auto match = std::find_if(added.begin(), added.end(), [&](const QString& name) {
            return objectCategory(before, old) == objectCategory(now, name) &&
                   heldBefore.value(old) == heldNow.value(name);
        });
        if (match == added.end()) {
            result.provisionsRemoved.append(earlier.value(old));
            continue;
        }
        renamed.insert(old, *match);
        result.provisionsRenamed.emplace_back(earlier.value(old), present.value(*match));
        added.erase(match);
    }
    for (const QString& name : added)
        result.provisionsAdded.append(present.value(name));
    return renamed;
}

// The key of each item: provision (under its present name), identity and the phase's place among the
// items of that identity.
std::vector<QString> itemKeys(const FacilityState& state, const Names& renamed)
{
    std::vector<QString> keys;
    keys.reserve(state.items.size());
    QHash<QString, int> phases;
    for (const ComparedItem& item : state.items) {
        const QString provision = renamed.value(folded(item.provision), folded(item.provision));
        const QString key = provision + QChar(0x1f) + identity(item);
        keys.push_back(key + QChar(0x1f) + QString::number(phases[key]++));
    }
    return keys;
}

// Present values by cost item id; none at all for a state that was not calculated.
QHash<qint64, float> presentValues(const TargetCapital& figures)
{
    QHash<qint64, float> values;
    values.reserve(qsizetype(figures.items.size()));
    for (const ItemFigures& item : figures.items)
        values.insert(item.id, item.ncw);
    return values;
}

std::optional<float> valueOf(const QHash<qint64, float>& values, qint64 id)
{
    const auto found = values.constFind(id);
    return found == values.constEnd() ? std::nullopt : std::optional<float>(*found);
}

// What an item adds to the target capital: only rubrics 1 to 5 enter A and B.
QHash<qint64, double> countedValues(const TargetCapitalInputs& inputs, const TargetCapital& figures)
{
    const QHash<qint64, float> values = presentValues(figures);
    QHash<qint64, double> counted;
    counted.reserve(qsizetype(inputs.costItems.size()));
    for (const StoredCostItem& item : inputs.costItems) {
        const double rubric = item.values.bytRubriek_REF.value();
        counted.insert(item.id, rubric >= 1 && rubric <= 5 ? double(values.value(item.id)) : 0.0);
    }
    return counted;
}

// A state that cannot be calculated has no figures at all: its inputs may be half read.
TargetCapital figuresOf(const TargetCapitalInputs& inputs, bool calculable)
{
    return calculable ? computeTargetCapital(inputs) : TargetCapital{};
}

qint64 cents(double euro)
{
    return std::llround(euro * 100);
}

ComparedTotals totals(const FacilityState& state, const TargetCapital& figures, float vatPercentage)
{
    const TargetCapitalSums sums(state.inputs, figures);
    ComparedTotals result;
    result.calculated = state.calculable && figures.success;
    result.somA = sums.somA_inclOnvoorzien();
    result.somB = sums.somB_inclDirectievoering();
    result.somC = sums.somC();
    result.doelvermogen = sums.metRisicoFonds();
    result.btw = sums.btw(vatPercentage);
    result.levy = state.levy;
    result.levyNote = state.levyNote;
    return result;
}

std::vector<FieldDifference> differingFields(const std::vector<std::pair<QString, QVariant>>& before,
                                             const std::vector<std::pair<QString, QVariant>>& now)
{
    std::vector<FieldDifference> differences;
    for (const auto& [field, value] : now) {
        const auto earlier = std::find_if(before.begin(), before.end(), [&](const auto& other) {
            return other.first.compare(field, Qt::CaseInsensitive) == 0;
        });
        const QVariant old = earlier == before.end() ? QVariant() : earlier->second;
        if (!sameValue(old, value))
            differences.push_back({field, old, value});
    }
    return differences;
}

} // namespace

QVariant comparedValue(const QString& field, const QVariant& stored)
{
    if (!entered(stored))
        return {};
    bool number = false;
    const double value = stored.toDouble(&number);
    if (!number)
        return stored;
    const QString prefix = field.left(3).toLower();
    if (prefix == QLatin1String("sng"))
        return float(value);
    if ((prefix == QLatin1String("int") || prefix == QLatin1String("byt") ||
         prefix == QLatin1String("lng")) &&
        value == std::trunc(value) && std::abs(value) < 1e15)
        return qint64(value);
    return stored;
}

const std::vector<QString>& comparedItemFields()
{
    static const std::vector<QString> fields = {QStringLiteral("strAct"),
                                                QStringLiteral("bytRubriek_REF"),
                                                QStringLiteral("bytOptieStart"),
                                                QStringLiteral("intStartAbs"),
                                                QStringLiteral("intStartRel"),
                                                QStringLiteral("bytStartBA"),
                                                QStringLiteral("intStartBA"),
                                                QStringLiteral("bytOptieEind"),
                                                QStringLiteral("intEindAbs"),
                                                QStringLiteral("intEindRel"),
                                                QStringLiteral("bytEindBA"),
                                                QStringLiteral("intEindBA"),
                                                QStringLiteral("bytOptieFreq"),
                                                QStringLiteral("intFreqX"),
                                                QStringLiteral("bytOptieKosten"),
                                                QStringLiteral("sngPercInvest"),
                                                QStringLiteral("sngKostenInvest"),
                                                QStringLiteral("sngKostenTotaal"),
                                                QStringLiteral("sngKostenPE"),
                                                QStringLiteral("sngAantal"),
                                                QStringLiteral("strEenheid"),
                                                QStringLiteral("bytCombineer"),
                                                QStringLiteral("bytTypeVervangingsToeslag"),
                                                QStringLiteral("sngVervangingsToeslagPerc"),
                                                QStringLiteral("bytIsTALVO"),
                                                QStringLiteral("lngClitem_REF"),
                                                QStringLiteral("strOpm"),
                                                QStringLiteral("strNazorgplanRef")};
    return fields;
}

bool FacilityComparison::nothingDiffers() const
{
    return facility.empty() && provisionsAdded.isEmpty() && provisionsRemoved.isEmpty() &&
           provisionsRenamed.empty() && items.empty() && difference && difference->total == 0;
}

FacilityComparison compareFacilityStates(const FacilityState& before, const FacilityState& now,
                                         float vatPercentage)
{
    FacilityComparison result;
    result.facility = differingFields(before.fields, now.fields);
    const Names renamed = compareProvisions(before, now, result);

    const TargetCapital earlierFigures = figuresOf(before.inputs, before.calculable);
    const TargetCapital presentFigures = figuresOf(now.inputs, now.calculable);
    // The earlier items with everything the present state discounts with: what is left of an item's
    // difference is its own.
    TargetCapitalInputs rated = before.inputs;
    rated.r = now.inputs.r;
    rated.i = now.inputs.i;
    rated.S = now.inputs.S;
    rated.P = now.inputs.P;
    const TargetCapital ratedFigures = figuresOf(rated, before.calculable && now.calculable);
    const QHash<qint64, float> earlierValues = presentValues(earlierFigures);
    const QHash<qint64, float> presentOwn = presentValues(presentFigures);
    const QHash<qint64, double> counted = countedValues(now.inputs, presentFigures);
    const QHash<qint64, double> countedRated = countedValues(rated, ratedFigures);

    const std::vector<QString> earlierKeys = itemKeys(before, renamed);
    const std::vector<QString> presentKeys = itemKeys(now, {});
    QHash<QString, std::size_t> earlierIndex;
    for (std::size_t k = 0; k < earlierKeys.size(); ++k)
        earlierIndex.insert(earlierKeys[k], k);
    std::vector<bool> matched(before.items.size(), false);
    const auto earlierItem = [&](ItemDifference& difference, const ComparedItem& item) {
        difference.before = valueOf(earlierValues, item.id);
        difference.effect -= cents(countedRated.value(item.id));
    };
    for (std::size_t k = 0; k < now.items.size(); ++k) {
        const ComparedItem& item = now.items[k];
        ItemDifference difference{ItemDifference::Kind::Added,
                                  item.id,
                                  item.provision,
                                  item.act,
                                  {},
                                  std::nullopt,
                                  valueOf(presentOwn, item.id),
                                  cents(counted.value(item.id))};
        const auto found = earlierIndex.constFind(presentKeys[k]);
        if (found != earlierIndex.constEnd()) {
            const ComparedItem& old = before.items[*found];
            matched[*found] = true;
            for (std::size_t f = 0; f < comparedItemFields().size(); ++f) {
                if (!sameValue(old.values.value(qsizetype(f)), item.values.value(qsizetype(f))))
                    difference.fields.push_back({comparedItemFields()[f], old.values.value(qsizetype(f)),
                                                 item.values.value(qsizetype(f))});
            }
            if (difference.fields.empty())
                continue;
            difference.kind = ItemDifference::Kind::Changed;
            earlierItem(difference, old);
        }
        result.items.push_back(std::move(difference));
    }
    for (std::size_t k = 0; k < before.items.size(); ++k) {
        if (matched[k])
            continue;
        const ComparedItem& old = before.items[k];
        ItemDifference difference{
            ItemDifference::Kind::Removed, old.id, old.provision, old.act, {}, {}, {}, 0};
        earlierItem(difference, old);
        result.items.push_back(std::move(difference));
    }
    std::stable_sort(result.items.begin(), result.items.end(), [](const auto& a, const auto& b) {
        return std::llabs(a.effect) > std::llabs(b.effect);
    });

    result.before = totals(before, earlierFigures, vatPercentage);
    result.now = totals(now, presentFigures, vatPercentage);
    if (result.before.calculated && result.now.calculated) {
        DifferenceParts parts;
        parts.total = cents(result.now.doelvermogen) - cents(result.before.doelvermogen);
        parts.rates = cents(TargetCapitalSums(rated, ratedFigures).metRisicoFonds()) -
                      cents(result.before.doelvermogen);
        for (const ItemDifference& item : result.items)
            parts.items += item.effect;
        parts.surcharges = parts.total - parts.rates - parts.items;
        result.difference = parts;
    }
    return result;
}

} // namespace dovra
