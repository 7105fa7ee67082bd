#include "reports/uncertaintyreport.h"

#include "base/formats.h"
#include "calc/uncertainty.h"
#include "model/options.h"
#include "reports/reportwriter.h"

#include <cmath>

namespace dovra::report {

namespace {

const QList<TabStop> Tabs{{7.0}, {9.5}};

QString euro(double amount)
{
    return formats::number(amount, QStringLiteral("€ #,#0"));
}

QString twoDecimals(double value)
{
    return formats::number(value, QStringLiteral("0.00"));
}

void line(ReportWriter& writer, const QString& text)
{
    Paragraph paragraph(text);
    paragraph.tabs = Tabs;
    writer.paragraph(paragraph);
}

void heading(ReportWriter& writer, const QString& text)
{
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(Paragraph({Run::boldText(text)}));
}

QString rateText(const RateUncertainty& rate)
{
    switch (rate.distribution) {
    case RateDistribution::Normal:
        return QStringLiteral("normaal, standaardafwijking ") + twoDecimals(rate.sd) +
               QStringLiteral(" procentpunt");
    case RateDistribution::Uniform:
        return QStringLiteral("uniform van ") + twoDecimals(rate.from) + QStringLiteral(" % tot ") +
               twoDecimals(rate.to) + QStringLiteral(" %");
    case RateDistribution::Triangular:
        return QStringLiteral("driehoek van ") + twoDecimals(rate.from) + QStringLiteral(" % tot ") +
               twoDecimals(rate.to) + QStringLiteral(" %, top bij de eigen waarde");
    case RateDistribution::Fixed:
        break;
    }
    return QStringLiteral("vast");
}

QString signedPercent(double value)
{
    return (value > 0 ? QStringLiteral("+") : QString()) + formats::ordinaryText(value) +
           QStringLiteral(" %");
}

QString signedNumber(double value)
{
    return (value > 0 ? QStringLiteral("+") : QString()) + twoDecimals(value);
}

// A bar of up to 20 blocks for a correlation of −1 to 1.
QString bar(double correlation)
{
    return QString(int(std::lround(std::fabs(correlation) * 20)), QChar(0x2588));
}

} // namespace

QString uncertainInputName(const QString& input)
{
    if (!input.startsWith(QLatin1String("rubriek ")))
        return input;
    return QStringLiteral("kosten ") + RubriekNaam(input.mid(8).toInt()) + QStringLiteral(" (") + input +
           QLatin1Char(')');
}

void writeUncertaintyReport(const UncertaintyAnalysis& a, ReportWriter& writer)
{
    const UncertaintySettings& s = a.settings;
    writer.paragraph(Paragraph({Run::boldText(QStringLiteral("Rapportage onzekerheidsanalyse"))}));
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(Paragraph(
        QStringLiteral(
            "Uitgangssituatie: doelvermogen inclusief risicobedrag (exclusief BTW) bij rente van ") +
        formats::number(double(a.r0), QStringLiteral("0.00 %")) + QStringLiteral(" en inflatie van ") +
        formats::number(double(a.i0), QStringLiteral("0.00 %")) + QStringLiteral(": ") + euro(double(a.B0))));

    heading(writer, QStringLiteral("Onzekere invoer"));
    line(writer, QStringLiteral("rente\t") + rateText(s.interest));
    line(writer, QStringLiteral("inflatie\t") + rateText(s.inflation));
    if (s.interest.distribution != RateDistribution::Fixed &&
        s.inflation.distribution != RateDistribution::Fixed)
        line(writer, QStringLiteral("correlatie rente en inflatie\t") + twoDecimals(s.correlation));
    for (const CostSpread& cost : s.costs)
        line(writer,
             uncertainInputName(QStringLiteral("rubriek ") + QString::number(cost.rubric)) + u'\t' +
                 (cost.triangular ? QStringLiteral("driehoek van ") : QStringLiteral("uniform van ")) +
                 signedPercent(cost.from) + QStringLiteral(" tot ") + signedPercent(cost.to));
    line(writer, QStringLiteral("trekkingen\t") + formats::number(s.draws, QStringLiteral("#,#")) +
                     QStringLiteral(" (zaad ") + QString::number(s.seed) + QLatin1Char(')'));

    heading(writer, QStringLiteral("Doelvermogen inclusief risicobedrag over de trekkingen"));
    if (a.sorted.empty()) {
        line(writer, QStringLiteral("Geen enkele trekking kon worden berekend."));
    } else {
        line(writer, QStringLiteral("gemiddelde\t") + euro(a.mean));
        line(writer, QStringLiteral("standaardafwijking\t") + euro(a.sd));
        for (std::size_t k = 0; k < a.percentiles.size(); ++k)
            line(writer, QStringLiteral("P") + QString::number(UncertaintyAnalysis::Percentiles[k]) + u'\t' +
                             euro(double(a.percentiles[k])));
        line(writer, QStringLiteral("aandeel onder de uitgangssituatie\t") +
                         formats::number(a.belowB0, QStringLiteral("0.0 %")));
    }
    line(writer, QStringLiteral("mislukt (overloop)\t") + QString::number(a.failed));
    line(writer,
         QStringLiteral("geknipt (rente of inflatie buiten 1 tot 8 %)\t") + QString::number(a.clipped));

    if (a.influence.empty() || a.sorted.empty())
        return;
    heading(writer, QStringLiteral("Invloed op het doelvermogen (rangcorrelatie)"));
    for (const InputInfluence& influence : a.influence) {
        Paragraph paragraph({Run::plain(uncertainInputName(influence.input) + u'\t' +
                                        signedNumber(influence.rankCorrelation) + u'\t'),
                             Run::plain(bar(influence.rankCorrelation))});
        paragraph.runs.last().colour = Blue;
        paragraph.tabs = Tabs;
        writer.paragraph(paragraph);
    }
}

} // namespace dovra::report
