#include "reports/sensitivityreport.h"

#include "base/formats.h"
#include "calc/sensitivity.h"
#include "reports/reportwriter.h"

namespace dovra::report {

namespace {

QString percentage(float rate)
{
    return formats::number(double(rate), QStringLiteral("0.00 %"));
}

QString euro(float amount)
{
    return formats::number(double(amount), QStringLiteral("€ #,#0"));
}

// The difference from the base case; "-" when the base is 0. A failed calculation is marked, so that its
// figures are not read as valid.
QString difference(const SensitivityStep& step)
{
    QString text = step.difference ? formats::number(double(*step.difference), QStringLiteral("0.0 %"))
                                   : QStringLiteral("-");
    if (!step.ok)
        text += QStringLiteral(" (berekening mislukt)");
    return text;
}

// Below the inflation the real discount factor exceeds 1: present values grow with every year.
bool belowInflation(const SensitivityStep& step)
{
    return step.interest < step.inflation;
}

const QString BelowInflationNote =
    QStringLiteral("rente lager dan inflatie: de contante waarde loopt sterk op");

Paragraph tabbed(const QString& text, QList<TabStop> tabs)
{
    Paragraph paragraph(text);
    paragraph.tabs = std::move(tabs);
    return paragraph;
}

} // namespace

void writeSensitivityReport(const SensitivityAnalysis& analysis, ReportWriter& writer)
{
    writer.paragraph(Paragraph({Run::boldText(QStringLiteral("Rapportage gevoeligheidsanalyse"))}));
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(
        Paragraph(QStringLiteral("Uitgangssituatie: totaal A+B+C (reguliere nazorgactiviteiten) bij "
                                 "rente van ") +
                  percentage(analysis.r0) + QStringLiteral(" en inflatie van ") + percentage(analysis.i0) +
                  QStringLiteral(": ") + euro(analysis.B0)));
    writer.paragraph(Paragraph(QString()));
    if (analysis.mode == SensitivityMode::Alternative) {
        const QList<TabStop> tabs{{8.0}};
        for (const SensitivityStep& step : analysis.steps) {
            writer.paragraph(Paragraph(QStringLiteral("Bij rente van ") + percentage(step.interest) +
                                       QStringLiteral(" en inflatie van ") + percentage(step.inflation) +
                                       QStringLiteral(": ")));
            writer.paragraph(Paragraph(QString()));
            writer.paragraph(tabbed(QStringLiteral("doelvermogen\t% hoger dan uitgangssituatie"), tabs));
            writer.paragraph(tabbed(euro(step.B) + u'\t' + difference(step), tabs));
            if (belowInflation(step))
                writer.paragraph(Paragraph(BelowInflationNote));
        }
        return;
    }
    const bool interest = analysis.mode == SensitivityMode::Interest;
    const QList<TabStop> tabs{{2.0}, {6.0}};
    writer.paragraph(tabbed((interest ? QStringLiteral("rente") : QStringLiteral("inflatie")) +
                                QStringLiteral("\tdoelvermogen\t% hoger dan uitgangssituatie"),
                            tabs));
    writer.paragraph(Paragraph(QString()));
    bool anyBelow = false;
    for (const SensitivityStep& step : analysis.steps) {
        anyBelow |= belowInflation(step);
        writer.paragraph(tabbed(percentage(interest ? step.interest : step.inflation) + u'\t' + euro(step.B) +
                                    u'\t' + difference(step) +
                                    (belowInflation(step) ? QStringLiteral(" *") : QString()),
                                tabs));
    }
    if (anyBelow) {
        writer.paragraph(Paragraph(QString()));
        writer.paragraph(Paragraph(QStringLiteral("* ") + BelowInflationNote));
    }
}

} // namespace dovra::report
