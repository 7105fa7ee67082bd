#include "calc/sensitivity.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "calc/targetcapital.h"
#include "calc/targetcapitalinputs.h"

#include <QLocale>

namespace dovra {

namespace {

const QString Title = QStringLiteral("Gevoeligheidsanalyse");

SensitivityStep calculateStep(TargetCapitalInputs& inputs, float interest, float inflation, float B0)
{
    inputs.r = interest;
    inputs.i = inflation;
    // A fresh calculation: nothing of an earlier step carries over.
    const TargetCapital figures = computeTargetCapital(inputs);
    SensitivityStep step{
        interest, inflation, TargetCapitalSums(inputs, figures).zonderRisicoFonds(), {}, figures.success};
    if (B0 != 0)
        step.difference = (step.B - B0) / B0;
    return step;
}

} // namespace

std::vector<float> sensitivityRates(int start, int length, int steps)
{
    std::vector<float> rates;
    for (int k = 0; k < steps; ++k)
        rates.push_back(float(start) / 200 + float(k) * (float(length) / 200) / float(steps - 1));
    return rates;
}

std::optional<float> alternativeRate(const QString& text)
{
    bool ok = false;
    const float value = QLocale().toFloat(text.trimmed(), &ok);
    if (!ok || !(value >= 1 && value <= 8))
        return std::nullopt;
    return value;
}

QString invalidAlternativeRate(bool interest)
{
    return interest
               ? QStringLiteral("Ongeldige waarde voor rente ingevoerd (voer waarde in tussen 1 en 8).")
               : QStringLiteral("Ongeldige waarde voor inflatie ingevoerd (voer waarde in tussen 1 en 8).");
}

std::optional<float> enteredAlternativeRate(const QString& text, bool interest)
{
    const std::optional<float> rate = alternativeRate(text);
    if (!rate)
        messages().inform(invalidAlternativeRate(interest), Title, MessageIcon::Exclamation);
    return rate;
}

std::optional<std::vector<float>> chosenSensitivityRates(SensitivityMode mode, const QString& interest,
                                                         const QString& inflation, int start, int length,
                                                         int steps)
{
    if (mode == SensitivityMode::Alternative) {
        const std::optional<float> interestRate = alternativeRate(interest);
        const std::optional<float> inflationRate = alternativeRate(inflation);
        if (!interestRate || !inflationRate) {
            messages().inform(QStringLiteral("Voer waarden voor inflatie en rente in."), Title,
                              MessageIcon::Exclamation);
            return std::nullopt;
        }
        return std::vector<float>{*interestRate / 100, *inflationRate / 100};
    }
    if (length == 0) {
        messages().inform(
            QStringLiteral("Stel eerst een range in met de selectieschuif d.m.v. de muis en de SHIFT-toets."),
            Title, MessageIcon::Information);
        return std::nullopt;
    }
    return sensitivityRates(start, length, steps);
}

QString sensitivitySelectionText(int start, int length)
{
    // Slider positions count half percents.
    const auto percent = [](int position) {
        return formats::number(position / 200.0, QStringLiteral("0.00 %"));
    };
    return percent(start) + QStringLiteral(" – ") + percent(start + length);
}

SensitivityAnalysis analyseSensitivity(const TargetCapitalInputs& inputs, SensitivityMode mode,
                                       const std::vector<float>& rates)
{
    SensitivityAnalysis analysis;
    analysis.mode = mode;
    analysis.r0 = inputs.r;
    analysis.i0 = inputs.i;
    analysis.B0 = TargetCapitalSums(inputs, computeTargetCapital(inputs)).zonderRisicoFonds();
    TargetCapitalInputs rated = inputs;
    if (mode == SensitivityMode::Alternative) {
        if (rates.size() == 2)
            analysis.steps.push_back(calculateStep(rated, rates[0], rates[1], analysis.B0));
        return analysis;
    }
    for (const float rate : rates) {
        analysis.steps.push_back(mode == SensitivityMode::Interest
                                     ? calculateStep(rated, rate, inputs.i, analysis.B0)
                                     : calculateStep(rated, inputs.r, rate, analysis.B0));
    }
    return analysis;
}

std::optional<SensitivityAnalysis> runSensitivityAnalysis(Workspace& workspace, long facilityId,
                                                          SensitivityMode mode,
                                                          const std::vector<float>& rates)
{
    clsDV base(workspace);
    if (!base.initializeDV(facilityId) || !base.VerifyBeforeBerekening2())
        return std::nullopt;
    // Its messages are the user's; its figure is computed again with the steps.
    base.BerekenAlles();
    return analyseSensitivity(base.inputs(), mode, rates);
}

} // namespace dovra
