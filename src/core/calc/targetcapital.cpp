#include "calc/targetcapital.h"

#include "base/formats.h"
#include "calc/itemtiming.h"
#include "calc/targetcapitalinputs.h"
#include "calc/toeslagen.h"
#include "model/options.h"

#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>

namespace dovra {

using namespace calc;

namespace {

// Int() of the shown years.
int wholeYear(double value)
{
    return int(std::floor(value));
}

const QString Nvt = QStringLiteral("nvt");

struct Factor
{
    float value = 0;
    QVariant first;
    QVariant last;
};

// The factor of costs from relative year t0 to t1 with the first and last years it counts.
Factor contanteWaardeFactor(double q, int option, float t0, float t1, int x)
{
    Factor f;
    f.value = presentValueFactor(q, option, t0, t1, x);
    switch (option) {
    case FrequencyOption::OneOff:
        f.last = QStringLiteral("-");
        f.first = t0 < 0.5f ? QVariant(Nvt) : QVariant(wholeYear(double(t0) + 0.5));
        return f;
    case FrequencyOption::TimesPerYear:
        while (t0 < 0.5f)
            t0 += 1;
        f.first = t1 < t0 ? QVariant(Nvt) : QVariant(wholeYear(double(t0) + 0.5));
        f.last = t1 < t0 ? QVariant(Nvt) : QVariant(wholeYear(double(t1) + 0.5));
        return f;
    case FrequencyOption::OnceEveryXYears: {
        std::optional<float> first;
        float lastTime = 0; // no occurrence: "nvt"
        for (float t = t0; t1 >= 0.5f && t <= t1; t += float(x)) {
            if (t > 0 && !first)
                first = t;
            lastTime = t;
        }
        const int last = wholeYear(lastTime);
        f.first = last < 1 ? QVariant(Nvt) : QVariant(wholeYear(*first));
        f.last = last < 1 ? QVariant(Nvt) : QVariant(last);
        return f;
    }
    default:
        return f;
    }
}

// A stored field without a number, told with the cost item and the field's name.
struct NotANumberInItem
{
    QString act;
    QString field;
};

// One calculation: fills the figures from the inputs, collecting its messages.
class Calculation
{
public:
    Calculation(const TargetCapitalInputs& inputs, TargetCapital& figures)
        : m_in(inputs), m_out(figures), m_differentiated(inputs.checklist.GebruikGedifferentieerdeToeslagB())
    {
    }
    void run();

private:
    void calculateItems();
    bool calculateItem(const StoredCostItem& row);
    void appendToeslagen(const StoredCostItem& row, int type, int rubric, float amount, float factor);
    void calculateToeslagen();
    void tell(Diagnostic diagnostic) { m_out.diagnostics.push_back(std::move(diagnostic)); }

    const TargetCapitalInputs& m_in;
    TargetCapital& m_out;
    const bool m_differentiated;
    // The cost item that overflowed; empty when the general surcharges did.
    QString m_currentAct;
    // Factors computed so far: items with the same timing share one (many items follow the same
    // standard timing, and a factor over centuries of occurrences is the dearest part of the calculation).
    std::unordered_map<Timing, Factor, TimingHash> m_factors;
};

void Calculation::run()
{
    m_out.success = true;
    try {
        m_out.q = (1.0 + double(m_in.i)) / (1.0 + double(m_in.r));
        fitsSingle(m_out.q);
        m_out.F = toSingle(power(1.0 + double(m_in.i), double(m_in.S - float(m_in.P))));
        calculateItems();
        calculateToeslagen();
        // The sums are added up when they are read: none of them may leave the single range either,
        // at any VAT percentage that can be chosen.
        const TargetCapitalSums sums(m_in, m_out);
        for (const float sum :
             {sums.somA_inclOnvoorzien(), sums.somB_inclDirectievoering(), sums.somC(), sums.metRisicoFonds(),
              sums.metRisicoFondsInclBtw(TargetCapitalSums::MaxVatPercentage)})
            checked(sum);
        return;
    } catch (const Overloop&) {
        tell(
            {calculationAborted(m_in.name),
             QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost '") +
                 m_currentAct + QStringLiteral("'. ") + QStringLiteral("\r\n") +
                 QStringLiteral("Pas rente- en/of inflatiepercentages aan of controleer de gegevens van deze "
                                "post."),
             MessageIcon::Exclamation});
    } catch (const NotANumberInItem& error) {
        tell({calculationAborted(m_in.name),
              QStringLiteral("Het veld '") + error.field + QStringLiteral("' van kostenpost '") + error.act +
                  QStringLiteral("' bevat geen getal.") + QStringLiteral("\r\n") +
                  QStringLiteral("Controleer de gegevens van deze post."),
              MessageIcon::Exclamation});
    } catch (const Fout& error) {
        tell(calculationError(m_in.name, error.number, error.description));
    }
    m_out.success = false;
}

// All cost items; an invalid item fails the calculation but the others are still calculated.
void Calculation::calculateItems()
{
    m_out.items.reserve(m_in.costItems.size());
    for (const StoredCostItem& row : m_in.costItems) {
        try {
            if (!calculateItem(row))
                m_out.success = false;
        } catch (const Overloop&) {
            m_currentAct = row.act;
            throw;
        } catch (const NotANumber& error) {
            throw NotANumberInItem{row.act, QString::fromLatin1(storedFieldName(row.values, *error.field))};
        }
    }
}

// One cost item, added to the items and subtotals; false when it is invalid and adds nothing.
bool Calculation::calculateItem(const StoredCostItem& row)
{
    const StoredValues& v = row.values;
    ItemFigures item;
    item.id = long(row.id);
    if (option(v.bytCombineer) == 1) {
        // Combined into a combination post, which carries the costs.
        m_out.items.push_back(item);
        return true;
    }

    const ItemTiming read = itemTiming(v, m_in.S);
    const int optieFreq = read.option;
    const int rubric = option(v.bytRubriek_REF);
    const bool inRubric = rubric >= 1 && rubric <= 6;
    const float amount =
        inRubric ? checked(read.amount * m_in.costFactors[std::size_t(rubric)]) : read.amount;
    const int x = read.x;
    if ((optieFreq == FrequencyOption::TimesPerYear || optieFreq == FrequencyOption::OnceEveryXYears) &&
        x <= 0) {
        // A negative number would never end the counting of occurrences either.
        tell({QStringLiteral("Berekening doelvermogen inrichting '") + m_in.name + QLatin1Char('\''),
              QStringLiteral("Ongeldige frequentie (namelijk: ") + QString::number(x) +
                  QStringLiteral(") aangetroffen bij kostenpost '") + row.act + QStringLiteral("'. "),
              MessageIcon::Critical});
        m_out.items.push_back(item);
        return false;
    }

    const Timing timing{optieFreq, read.t0, read.t1, x};
    auto known = m_factors.find(timing);
    if (known == m_factors.end())
        known =
            m_factors.emplace(timing, contanteWaardeFactor(m_out.q, optieFreq, read.t0, read.t1, x)).first;
    const Factor& factor = known->second;
    float value = factor.value;
    if (optieFreq == FrequencyOption::TimesPerYear)
        value = checked(value * float(x));
    const float itemFactor = checked(value * m_out.F);
    item.factor = itemFactor;
    item.amount = amount;
    item.ncw = checked(amount * itemFactor);
    item.first = factor.first;
    item.last = factor.last;

    if (m_differentiated) {
        const int type = option(v.bytTypeVervangingsToeslag);
        if (type != 0)
            appendToeslagen(row, type, rubric, amount, itemFactor);
    }

    if (inRubric)
        m_out.perRubric[rubric] = checked(m_out.perRubric[rubric] + item.ncw);
    const qint64 category = row.objectCat;
    if (category >= 1 && category <= 7)
        m_out.perCategory[category] = checked(m_out.perCategory[category] + item.ncw);
    const int origin = option(v.bytIsTALVO) + 1;
    if (origin >= 1 && origin <= 3)
        m_out.perOrigin[origin] = checked(m_out.perOrigin[origin] + item.ncw);
    m_out.items.push_back(item);
    return true;
}

void Calculation::appendToeslagen(const StoredCostItem& row, int type, int rubric, float amount, float factor)
{
    ToeslagPost post;
    post.type = type;
    post.rubric = rubric;
    post.amount = amount;
    post.aantal = single(row.values.sngAantal);
    post.percentage = single(row.values.sngVervangingsToeslagPerc);
    post.factor = factor;
    post.object = row.object;
    post.act = row.act;
    switch (AppendToeslagen(m_out.toeslagen, m_in.checklist, post)) {
    case ToeslagUitkomst::Ok:
        return;
    case ToeslagUitkomst::Overloop:
        throw Overloop{};
    case ToeslagUitkomst::OnbekendType:
        throw Fout{5, QStringLiteral("Onbekende conditie in AppendToeslagen")};
    }
}

void Calculation::calculateToeslagen()
{
    const FacilitySurcharges& s = m_in.surcharges;
    switch (s.optieRapEval) {
    case 1:
        m_out.rapEvalPerJaar = s.rapEvalMin;
        m_out.rapEvalText = formats::number(double(m_out.rapEvalPerJaar), QStringLiteral("€ #,##0"));
        break;
    case 2: {
        // The checklist's minimum for the first 10 ha, the facility's amount per ha above that.
        const float above = s.area - 10;
        const float minimum = m_in.checklist.sngRapEvalMin();
        m_out.rapEvalPerJaar = checked(above * s.rapEvalPerHa + minimum);
        m_out.rapEvalText = formats::number(double(minimum), QStringLiteral("€ #,##0")) +
                            QStringLiteral(" + ") + formats::ordinaryText(above) + QStringLiteral(" x ") +
                            formats::number(double(s.rapEvalPerHa), QStringLiteral("€ #,##0")) +
                            QStringLiteral(" = ") +
                            formats::number(double(m_out.rapEvalPerJaar), QStringLiteral("€ #,##0"));
        break;
    }
    case 3:
        m_out.rapEvalPerJaar = s.rapEvalMax;
        m_out.rapEvalText = formats::number(double(m_out.rapEvalPerJaar), QStringLiteral("€ #,##0"));
        break;
    default:
        m_out.rapEvalPerJaar = 0;
        m_out.rapEvalText = QStringLiteral("?");
        tell({QStringLiteral("Algemene toeslag rapportage/evaluatie"),
              QStringLiteral("De kosten voor rapportage/evaluatie zijn niet correct ingesteld. "
                             "Controleer uw invoer via menu 'Invoer' -> 'Toeslagen nazorgfase', "
                             "tabblad 'Algemene nazorgkosten'."),
              MessageIcon::Exclamation});
        m_out.success = false;
        break;
    }

    // Yearly costs from year 1 for ever, at the price level of the aftercare start.
    m_out.perpetual = presentValueFactor(m_out.q, FrequencyOption::TimesPerYear, 1, 1000, 0);
    m_out.rapEvalKAP = checked(m_out.perpetual * m_out.rapEvalPerJaar * m_out.F);
    m_out.communicatieKAP = checked(m_out.perpetual * s.communicatie * m_out.F);
    m_out.appBasisKAP = checked(m_out.perpetual * s.appBasis * m_out.F);
}

} // namespace

TargetCapital computeTargetCapital(const TargetCapitalInputs& inputs)
{
    TargetCapital figures;
    Calculation(inputs, figures).run();
    return figures;
}

QString calculationAborted(const QString& facility)
{
    return QStringLiteral("Doelvermogenberekening inrichting '") + facility + QStringLiteral("' afgebroken");
}

Diagnostic calculationError(const QString& facility, int number, const QString& description)
{
    return {QStringLiteral("Fout bij berekening: ") + QString::number(number) + QStringLiteral(" '") +
                facility + QLatin1Char('\''),
            description, MessageIcon::Critical};
}

TargetCapitalSums::TargetCapitalSums(const TargetCapitalInputs& inputs, const TargetCapital& figures)
    : m_inputs(inputs), m_figures(figures)
{
}

bool TargetCapitalSums::differentiated() const
{
    return m_inputs.checklist.GebruikGedifferentieerdeToeslagB();
}

float TargetCapitalSums::onvoorzien() const
{
    return m_inputs.surcharges.onvoorzien / 100;
}

float TargetCapitalSums::appKostenPerc() const
{
    return m_inputs.surcharges.appPerc / 100;
}

float TargetCapitalSums::ontwerpdirectieFixed() const
{
    // The surcharges per replacement item take the place of the fixed percentage.
    return differentiated() ? 0 : m_inputs.surcharges.ontwerpdirectie / 100;
}

float TargetCapitalSums::toeslagenNCW() const
{
    float sum = 0;
    for (const clsToeslag2008& line : m_figures.toeslagen)
        sum += line.ToeslagWaardeNCW;
    return sum;
}

float TargetCapitalSums::somA_exclOnvoorzien() const
{
    const std::array<float, 7>& rubric = m_figures.perRubric;
    return rubric[1] + rubric[2] + rubric[3] + rubric[4];
}

float TargetCapitalSums::toeslagA() const
{
    return somA_exclOnvoorzien() * onvoorzien();
}

float TargetCapitalSums::somA_inclOnvoorzien() const
{
    return toeslagA() + somA_exclOnvoorzien();
}

float TargetCapitalSums::somB_exclDirectievoering() const
{
    return m_figures.perRubric[5];
}

float TargetCapitalSums::toeslagB() const
{
    if (differentiated())
        return toeslagenNCW();
    return somB_exclDirectievoering() * ontwerpdirectieFixed();
}

float TargetCapitalSums::somB_inclDirectievoering() const
{
    return somB_exclDirectievoering() + toeslagB();
}

float TargetCapitalSums::appKostenVariabelKAP() const
{
    return (somA_inclOnvoorzien() + somB_inclDirectievoering()) * appKostenPerc();
}

float TargetCapitalSums::appKostenTotaalKAP() const
{
    return appKostenVariabelKAP() + m_figures.appBasisKAP;
}

float TargetCapitalSums::somC() const
{
    return appKostenTotaalKAP() + m_figures.communicatieKAP + m_figures.rapEvalKAP;
}

float TargetCapitalSums::zonderRisicoFonds() const
{
    // Rubric 6 is shown per rubric but is not in the target capital.
    return somB_inclDirectievoering() + somA_inclOnvoorzien() + somC();
}

float TargetCapitalSums::metRisicoFonds() const
{
    return zonderRisicoFonds() + m_inputs.surcharges.risico;
}

float TargetCapitalSums::btw(float vatPercentage) const
{
    return vatPercentage / 100 * metRisicoFonds();
}

float TargetCapitalSums::metRisicoFondsInclBtw(float vatPercentage) const
{
    return btw(vatPercentage) + metRisicoFonds();
}

} // namespace dovra
