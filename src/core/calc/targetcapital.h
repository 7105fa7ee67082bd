#pragma once

#include "base/messageservice.h"
#include "calc/clsToeslag2008.h"

#include <QString>
#include <QVariant>

#include <array>
#include <vector>

namespace dovra {

struct TargetCapitalInputs;

// A message of the calculation for the user; the calculation itself shows nothing.
struct Diagnostic
{
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Exclamation;

    bool operator==(const Diagnostic&) const = default;
};

// The figures of one cost item.
struct ItemFigures
{
    long id = 0;
    QVariant factor;  // Null for combined items
    float amount = 0; // of one occurrence; 0 for combined items
    float ncw = 0;
    // A whole number, "nvt" or "-"; Null for combined items.
    QVariant first;
    QVariant last;
};

// The figures of one target capital calculation (present values unless per year). After a failure they
// hold what was computed until then.
struct TargetCapital
{
    bool success = false;
    // In the order they arose.
    std::vector<Diagnostic> diagnostics;

    double q = 0; // (1 + i) / (1 + r)
    float F = 0;  // (1 + i) ^ (S − P)
    // In the order of the cost items.
    std::vector<ItemFigures> items;
    // Subtotals: rubric 1..6, object category 1..7, origin 1..3; index 0 is unused.
    std::array<float, 7> perRubric{};
    std::array<float, 8> perCategory{};
    std::array<float, 4> perOrigin{};
    Toeslagen2008 toeslagen;
    // Yearly from year 1 to 1000.
    float perpetual = 0;
    float rapEvalPerJaar = 0;
    QString rapEvalText;
    float rapEvalKAP = 0;
    float communicatieKAP = 0;
    float appBasisKAP = 0;
};

// The target capital of the inputs: no file, no message, no shared state.
TargetCapital computeTargetCapital(const TargetCapitalInputs& inputs);

// The percentages as fractions and the sums of a calculation, added up when they are read, in single
// precision. Valid as long as both the inputs and the figures are.
class TargetCapitalSums
{
public:
    // The highest VAT percentage that can be chosen.
    static constexpr float MaxVatPercentage = 30.0f;

    TargetCapitalSums(const TargetCapitalInputs& inputs, const TargetCapital& figures);

    bool differentiated() const; // replacement surcharges per item instead of a fixed percentage
    float onvoorzien() const;
    float appKostenPerc() const;
    float ontwerpdirectieFixed() const; // 0 with surcharges per item

    float toeslagenNCW() const;
    float somA_exclOnvoorzien() const;
    float toeslagA() const;
    float somA_inclOnvoorzien() const;
    float somB_exclDirectievoering() const;
    float toeslagB() const;
    float somB_inclDirectievoering() const;
    float appKostenVariabelKAP() const;
    float appKostenTotaalKAP() const;
    float somC() const;
    float zonderRisicoFonds() const;
    float metRisicoFonds() const;
    float btw(float vatPercentage) const;
    float metRisicoFondsInclBtw(float vatPercentage) const;

private:
    const TargetCapitalInputs& m_inputs;
    const TargetCapital& m_figures;
};

// The title of the messages that stop the calculation of a facility.
QString calculationAborted(const QString& facility);
// A numbered error that stops the calculation.
Diagnostic calculationError(const QString& facility, int number, const QString& description);

} // namespace dovra
