#include "reports/comparisonreport.h"

#include "base/formats.h"
#include "reports/formats/docxdocument.h"
#include "reports/formats/pdfdocument.h"
#include "reports/inputreport.h"
#include "reports/reportrun.h"
#include "reports/reportwriter.h"

namespace dovra::report {

namespace {

const QString Euro = QStringLiteral("€ #,##0.00");

Paragraph heading(const QString& text)
{
    Paragraph paragraph({Run::boldText(text)}, 10);
    paragraph.keep.withNext = true;
    return paragraph;
}

QString difference(const ComparedTotals& before, const ComparedTotals& now, float ComparedTotals::*figure)
{
    if (!before.calculated || !now.calculated)
        return QStringLiteral("-");
    return formats::number(double(now.*figure) - double(before.*figure), Euro);
}

QString figure(const ComparedTotals& totals, float ComparedTotals::*figure)
{
    return totals.calculated ? formats::number(double(totals.*figure), Euro)
                             : QStringLiteral("niet te berekenen");
}

void writeTotals(ReportWriter& writer, const FacilityComparison& comparison, float vatPercentage)
{
    writer.paragraph(heading(QStringLiteral("Totalen")));
    writer.beginTable(tableLayout({6.5, 3.5, 3.5, 3.5}, false));
    writer.tableRow({Cell(QString()), Cell(QStringLiteral("Eerder"), Alignment::Right),
                     Cell(QStringLiteral("Nu"), Alignment::Right),
                     Cell(QStringLiteral("Verschil"), Alignment::Right)});
    writer.tableRule();
    for (const TotalLine& line : comparisonTotals(comparison, vatPercentage))
        writer.tableRow({Cell(line.label), Cell(line.before, Alignment::Right),
                         Cell(line.now, Alignment::Right), Cell(line.difference, Alignment::Right)});
    writer.endTable();
    for (const QString& note : levyNotes(comparison))
        writer.paragraph(Paragraph(note));
}

void writeFacilityFields(ReportWriter& writer, const FacilityComparison& comparison)
{
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(heading(QStringLiteral("Gegevens van de inrichting")));
    if (comparison.facility.empty()) {
        writer.paragraph(Paragraph(QStringLiteral("Geen verschillen.")));
        return;
    }
    writer.beginTable(tableLayout({5.5, 5.75, 5.75}, false));
    writer.tableRow(
        {Cell(QStringLiteral("Veld")), Cell(QStringLiteral("Eerder")), Cell(QStringLiteral("Nu"))});
    writer.tableRule();
    for (const FieldDifference& field : comparison.facility)
        writer.tableRow({Cell(field.field), Cell(ComparisonTexts::value(field.before)),
                         Cell(ComparisonTexts::value(field.now))});
    writer.endTable();
}

void writeProvisions(ReportWriter& writer, const FacilityComparison& comparison)
{
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(heading(QStringLiteral("Voorzieningen")));
    for (const QString& name : comparison.provisionsAdded)
        writer.paragraph(Paragraph(QStringLiteral("Toegevoegd: ") + name));
    for (const QString& name : comparison.provisionsRemoved)
        writer.paragraph(Paragraph(QStringLiteral("Verwijderd: ") + name));
    for (const auto& [old, name] : comparison.provisionsRenamed)
        writer.paragraph(Paragraph(QStringLiteral("Hernoemd: ") + old + QStringLiteral(" → ") + name));
    if (comparison.provisionsAdded.isEmpty() && comparison.provisionsRemoved.isEmpty() &&
        comparison.provisionsRenamed.empty())
        writer.paragraph(Paragraph(QStringLiteral("Geen verschillen.")));
}

void writeItems(ReportWriter& writer, const FacilityComparison& comparison)
{
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(heading(QStringLiteral("Kostenposten (grootste effect eerst)")));
    if (comparison.items.empty()) {
        writer.paragraph(Paragraph(QStringLiteral("Geen verschillen.")));
        return;
    }
    const Alignment right = Alignment::Right;
    writer.beginTable(tableLayout({1.9, 3.6, 4.4, 2.4, 2.4, 2.3}, false));
    writer.tableRow({Cell(QStringLiteral("Wijziging")), Cell(QStringLiteral("Voorziening")),
                     Cell(QStringLiteral("Kostenpost / veld")), Cell(QStringLiteral("Eerder"), right),
                     Cell(QStringLiteral("Nu"), right), Cell(QStringLiteral("Effect"), right)});
    writer.tableRule();
    for (const ItemDifference& item : comparison.items) {
        writer.tableRow({Cell(ComparisonTexts::kind(item.kind)), Cell(item.provision), Cell(item.act),
                         Cell(ComparisonTexts::amount(item.before), right),
                         Cell(ComparisonTexts::amount(item.now), right),
                         Cell(ComparisonTexts::cents(item.effect), right)});
        for (const FieldDifference& field : item.fields)
            writer.tableRow({Cell(QString()), Cell(QString()), Cell(QStringLiteral("   ") + field.field),
                             Cell(ComparisonTexts::value(field.before), right),
                             Cell(ComparisonTexts::value(field.now), right), Cell(QString())});
    }
    writer.endTable();
}

} // namespace

QString ComparisonTexts::kind(ItemDifference::Kind kind)
{
    switch (kind) {
    case ItemDifference::Kind::Added:
        return QStringLiteral("toegevoegd");
    case ItemDifference::Kind::Removed:
        return QStringLiteral("verwijderd");
    case ItemDifference::Kind::Changed:
        break;
    }
    return QStringLiteral("gewijzigd");
}

QString ComparisonTexts::value(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QStringLiteral("-");
    case QMetaType::Float:
        return formats::ordinaryText(value.toFloat());
    case QMetaType::Double:
        return formats::ordinaryText(value.toDouble());
    default:
        return value.toString();
    }
}

QString ComparisonTexts::amount(std::optional<float> euro)
{
    return euro ? formats::number(double(*euro), Euro) : QStringLiteral("-");
}

QString ComparisonTexts::cents(qint64 amount)
{
    return formats::number(double(amount) / 100, Euro);
}

QString ComparisonTexts::levy(const std::optional<double>& perTon)
{
    return perTon ? formats::number(*perTon, Euro) : QStringLiteral("-");
}

QStringList levyNotes(const FacilityComparison& comparison)
{
    QStringList notes;
    if (!comparison.before.levyNote.isEmpty())
        notes.append(QStringLiteral("Heffing eerder: ") + comparison.before.levyNote);
    if (!comparison.now.levyNote.isEmpty())
        notes.append(QStringLiteral("Heffing nu: ") + comparison.now.levyNote);
    return notes;
}

QList<TotalLine> comparisonTotals(const FacilityComparison& comparison, float vatPercentage)
{
    const ComparedTotals& before = comparison.before;
    const ComparedTotals& now = comparison.now;
    const auto line = [&](const QString& label, float ComparedTotals::*field) {
        return TotalLine{label, figure(before, field), figure(now, field), difference(before, now, field)};
    };
    QList<TotalLine> lines{
        line(QStringLiteral("A Jaarlijkse kosten incl. onvoorzien"), &ComparedTotals::somA),
        line(QStringLiteral("B Vervangingskosten incl. ontwerp/directie/toezicht"), &ComparedTotals::somB),
        line(QStringLiteral("C Algemene nazorgkosten"), &ComparedTotals::somC),
        line(QStringLiteral("Doelvermogen met risicofonds"), &ComparedTotals::doelvermogen),
        line(QStringLiteral("BTW ") + formats::ordinaryText(vatPercentage) + QLatin1Char('%'),
             &ComparedTotals::btw)};
    lines.append(
        {QStringLiteral("Heffing per ton"), ComparisonTexts::levy(before.levy),
         ComparisonTexts::levy(now.levy),
         before.levy && now.levy ? formats::number(*now.levy - *before.levy, Euro) : QStringLiteral("-")});
    if (const std::optional<DifferenceParts>& parts = comparison.difference) {
        lines.append({QStringLiteral("Verschil doelvermogen door rente en inflatie"),
                      {},
                      {},
                      ComparisonTexts::cents(parts->rates)});
        lines.append({QStringLiteral("Verschil doelvermogen door toeslagen"),
                      {},
                      {},
                      ComparisonTexts::cents(parts->surcharges)});
        lines.append({QStringLiteral("Verschil doelvermogen door kostenposten"),
                      {},
                      {},
                      ComparisonTexts::cents(parts->items)});
        lines.append(
            {QStringLiteral("Verschil doelvermogen totaal"), {}, {}, ComparisonTexts::cents(parts->total)});
    }
    return lines;
}

QString comparisonNote()
{
    return QStringLiteral(
        "Toelichting. Een kostenpost uit de TALVO-checklist wordt herkend aan zijn checklistpost en de naam "
        "van "
        "zijn voorziening, een eigen kostenpost aan zijn naam en de naam van zijn voorziening; deelfasen in "
        "volgorde. Een voorziening die verdwenen is en een nieuwe voorziening van dezelfde objectcategorie "
        "met "
        "dezelfde kostenposten gelden samen als een hernoemde voorziening. Het effect van een kostenpost is "
        "het "
        "verschil van zijn eigen contante waarde, beide berekend met de rente, inflatie, aanvang nazorg en "
        "het "
        "prijspeil van nu (een post van rubriek 'Overig' telt niet mee in het doelvermogen). Het verschil "
        "door "
        "rente en inflatie is dat van de eerdere toestand bij de rente, inflatie, aanvang nazorg en het "
        "prijspeil van nu; de toeslagen nemen de rest, zodat de delen op de cent optellen tot het totale "
        "verschil.");
}

void writeComparison(ReportWriter& writer, const FacilityComparison& comparison, const QString& facility,
                     const QString& earlier, float vatPercentage)
{
    writer.beginSection(portraitPage());
    writer.paragraph(Paragraph({Run::boldText(QStringLiteral("Vergelijking met een eerdere toestand"))}, 14));
    writer.paragraph(Paragraph(QStringLiteral("Inrichting (nu): ") + facility));
    writer.paragraph(Paragraph(QStringLiteral("Eerder: ") + earlier));
    writer.paragraph(Paragraph(QString()));
    writeTotals(writer, comparison, vatPercentage);
    writeFacilityFields(writer, comparison);
    writeProvisions(writer, comparison);
    writeItems(writer, comparison);
    writer.paragraph(Paragraph(QString()));
    writer.paragraph(Paragraph(comparisonNote()));
}

bool writeComparisonDocument(const FacilityComparison& comparison, const QString& facility,
                             const QString& earlier, float vatPercentage, const QString& path,
                             DocumentFormat format, const ReportContext& context)
{
    if (format == DocumentFormat::Pdf) {
        PdfDocument document(facility);
        writeComparison(document, comparison, facility, earlier, vatPercentage);
        return saveReportDocument(document, path, context);
    }
    DocxDocument document;
    writeComparison(document, comparison, facility, earlier, vatPercentage);
    return saveReportDocument(document, path, context);
}

} // namespace dovra::report
