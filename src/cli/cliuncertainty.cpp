#include "cliuncertainty.h"

#include "base/datatext.h"
#include "cli.h"
#include "jsonwriter.h"
#include "reports/formats/screenreport.h"
#include "reports/uncertaintyreport.h"

#include <cmath>

namespace dovra {

namespace {

std::optional<double> finiteNumber(const QString& text)
{
    const std::optional<double> value = datatext::toDouble(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

// --rente-… or --inflatie-…; the message when one is wrong.
std::optional<QString> readRate(const OptionValues& values, const QString& rate, RateUncertainty& read)
{
    const auto given = [&](const char* part) {
        return values(rate + QLatin1String(part)).value(0);
    };
    const QString distribution = given("-verdeling");
    const QStringList names{QStringLiteral("vast"), QStringLiteral("normaal"), QStringLiteral("uniform"),
                            QStringLiteral("driehoek")};
    if (!distribution.isEmpty() && !names.contains(distribution))
        return QStringLiteral("Onbekende verdeling bij --") + rate +
               QStringLiteral("-verdeling: kies vast, normaal, uniform of driehoek.");
    read.distribution = RateDistribution(std::max(qsizetype(0), names.indexOf(distribution)));
    const bool normal = read.distribution == RateDistribution::Normal;
    const bool bounded =
        read.distribution == RateDistribution::Uniform || read.distribution == RateDistribution::Triangular;
    const std::optional<double> sd = finiteNumber(given("-sd"));
    const std::optional<double> from = finiteNumber(given("-van"));
    const std::optional<double> to = finiteNumber(given("-tot"));
    const bool sdGiven = !values(rate + QStringLiteral("-sd")).isEmpty();
    const bool boundsGiven =
        !values(rate + QStringLiteral("-van")).isEmpty() || !values(rate + QStringLiteral("-tot")).isEmpty();
    if ((normal && !sd) || (bounded && (!from || !to)) || (!normal && sdGiven) || (!bounded && boundsGiven))
        return QStringLiteral("Geef bij --") + rate + QStringLiteral("-verdeling normaal --") + rate +
               QStringLiteral("-sd PCT, bij uniform en driehoek --") + rate +
               QStringLiteral("-van PCT en --") + rate +
               QStringLiteral("-tot PCT, en bij vast geen van beide.");
    read.sd = sd.value_or(0);
    read.from = from.value_or(0);
    read.to = to.value_or(0);
    return std::nullopt;
}

// RUBRIEK:VAN:TOT, optionally :uniform or :driehoek (the default).
std::optional<CostSpread> costSpread(const QString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 3 && parts.size() != 4)
        return std::nullopt;
    bool ok = false;
    const int rubric = parts[0].toInt(&ok);
    const std::optional<double> from = finiteNumber(parts[1]);
    const std::optional<double> to = finiteNumber(parts[2]);
    const QString shape = parts.value(3, QStringLiteral("driehoek"));
    if (!ok || !from || !to || (shape != QLatin1String("driehoek") && shape != QLatin1String("uniform")))
        return std::nullopt;
    return CostSpread{rubric, *from, *to, shape == QLatin1String("driehoek")};
}

} // namespace

std::optional<QString> readUncertaintyOptions(const OptionValues& values, UncertaintySettings& settings)
{
    if (std::optional<QString> problem = readRate(values, QStringLiteral("rente"), settings.interest))
        return problem;
    if (std::optional<QString> problem = readRate(values, QStringLiteral("inflatie"), settings.inflation))
        return problem;
    if (!values(QStringLiteral("correlatie")).isEmpty()) {
        const std::optional<double> correlation = finiteNumber(values(QStringLiteral("correlatie")).value(0));
        if (!correlation)
            return QStringLiteral(
                "De correlatie tussen rente en inflatie moet een getal van -1 tot en met 1 zijn.");
        settings.correlation = *correlation;
    }
    const QStringList spreads = values(QStringLiteral("kosten-spreiding"));
    for (auto given = spreads.rbegin(); given != spreads.rend(); ++given) {
        const std::optional<CostSpread> spread = costSpread(*given);
        if (!spread)
            return QStringLiteral(
                "Geef de kostenspreiding op als RUBRIEK:VAN:TOT in procenten, eventueel met "
                ":uniform of :driehoek erachter, bijvoorbeeld 4:-10:25.");
        settings.costs.push_back(*spread);
    }
    if (!values(QStringLiteral("trekkingen")).isEmpty()) {
        bool ok = false;
        settings.draws = values(QStringLiteral("trekkingen")).value(0).toInt(&ok);
        if (!ok)
            settings.draws = 0; // refused below with the range
    }
    if (!values(QStringLiteral("zaad")).isEmpty()) {
        bool ok = false;
        settings.seed = values(QStringLiteral("zaad")).value(0).toULongLong(&ok);
        if (!ok)
            settings.seed = UncertaintySettings::MaxSeed + 1; // refused below with the range
    }
    return uncertaintySettingsProblem(settings);
}

int printUncertainty(Workspace& workspace, long facilityId, const UncertaintySettings& settings, bool json,
                     QTextStream& out)
{
    const std::optional<TargetCapitalInputs> inputs = uncertaintyInputs(workspace, facilityId);
    if (!inputs)
        return CliFailed;
    if (const std::optional<QString> problem = ownRatesProblem(settings, inputs->r, inputs->i))
        return fail(out, *problem);
    const UncertaintyAnalysis analysis = *analyseUncertainty(*inputs, settings);
    if (!json) {
        report::ScreenReport screen;
        report::writeUncertaintyReport(analysis, screen);
        out << screen.plainText();
        return CliOk;
    }
    // Null for every figure of the draws when none of them could be calculated.
    const auto statistic = [&](auto value) {
        return analysis.sorted.empty() ? QVariant() : QVariant(value);
    };
    JsonWriter writer;
    writer.beginObject()
        .value(QStringLiteral("trekkingen"), settings.draws)
        .value(QStringLiteral("zaad"), qint64(settings.seed))
        .value(QStringLiteral("B0"), analysis.B0)
        .value(QStringLiteral("gemiddelde"), statistic(analysis.mean))
        .value(QStringLiteral("sd"), statistic(analysis.sd))
        .beginObject(QStringLiteral("percentielen"));
    for (std::size_t k = 0; k < analysis.percentiles.size(); ++k)
        writer.value(QString::number(UncertaintyAnalysis::Percentiles[k]),
                     statistic(analysis.percentiles[k]));
    writer.endObject()
        .value(QStringLiteral("onderB0"), statistic(analysis.belowB0))
        .value(QStringLiteral("mislukt"), analysis.failed)
        .value(QStringLiteral("geknipt"), analysis.clipped)
        .beginArray(QStringLiteral("invloed"));
    for (const InputInfluence& influence : analysis.influence)
        writer.beginObject()
            .value(QStringLiteral("invoer"), influence.input)
            .value(QStringLiteral("rangcorrelatie"), influence.rankCorrelation)
            .endObject();
    writer.endArray().endObject();
    out << writer.text();
    return CliOk;
}

} // namespace dovra
