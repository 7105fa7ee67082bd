#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace dovra {

class Workspace;
struct TargetCapitalInputs;

// What the sensitivity analysis varies.
enum class SensitivityMode
{
    Alternative = 1, // one other pair of interest and inflation
    Interest = 2,    // a series of interest rates, inflation as the facility's
    Inflation = 3    // a series of inflation rates, interest as the facility's
};

// The rates of a series over a selection of the range slider, whose positions count half percents:
// start s and length l in positions and n steps give s / 200 + k × (l / 200) / (n − 1) for k = 0 … n − 1,
// fractions in single precision, from the selection's start to its end.
std::vector<float> sensitivityRates(int start, int length, int steps);

// An alternative rate as typed, in percent: a number from 1 to 8 in the locale's format; empty otherwise.
std::optional<float> alternativeRate(const QString& text);
// The message for an alternative rate that is refused.
QString invalidAlternativeRate(bool interest);
// An alternative rate as the dialog's box holds it; empty after telling the user that message.
std::optional<float> enteredAlternativeRate(const QString& text, bool interest);

// The rates of a run as the dialog chose them: the alternative pair typed in percent (as fractions), or a
// series of steps over the slider's selection. Empty, after telling the user, without both rates of the
// pair or with an empty selection.
std::optional<std::vector<float>> chosenSensitivityRates(SensitivityMode mode, const QString& interest,
                                                         const QString& inflation, int start, int length,
                                                         int steps);
// The slider's selection as the dialog shows it: "2,00 % – 7,00 %".
QString sensitivitySelectionText(int start, int length);

struct SensitivityStep
{
    float interest = 0;              // fraction
    float inflation = 0;             // fraction
    float B = 0;                     // A + B + C, as computed
    std::optional<float> difference; // (B − B0) / B0; none when B0 is 0
    bool ok = false;                 // the calculation succeeded
};

struct SensitivityAnalysis
{
    SensitivityMode mode = SensitivityMode::Interest;
    float r0 = 0; // the facility's interest and inflation, fractions
    float i0 = 0;
    float B0 = 0; // A + B + C at those rates
    std::vector<SensitivityStep> steps;
};

// The analysis of inputs already read: the base at their own rates, then for each rate (mode Interest or
// Inflation) or for the one pair (mode Alternative: rates = {interest, inflation}) a fresh calculation.
SensitivityAnalysis analyseSensitivity(const TargetCapitalInputs& inputs, SensitivityMode mode,
                                       const std::vector<float>& rates);

// The same for facility facilityId of the workspace, after the checks before a calculation: empty when
// they fail or the facility cannot be read (the user has been told). The base calculation's messages are
// shown; a step's failure is marked in its result instead.
std::optional<SensitivityAnalysis> runSensitivityAnalysis(Workspace& workspace, long facilityId,
                                                          SensitivityMode mode,
                                                          const std::vector<float>& rates);

} // namespace dovra
