#pragma once

#include "calc/facilitycomparison.h"
#include "reports/formats/reportdocument.h"
#include "reports/reportcontext.h"

#include <QString>
#include <QVariant>

namespace dovra::report {

class ReportWriter;

// What the comparison report and the comparison window show of a comparison, as texts for a person.
struct ComparisonTexts
{
    static QString kind(ItemDifference::Kind kind); // "toegevoegd", "verwijderd", "gewijzigd"
    static QString value(const QVariant& value);    // a stored value; "-" when not entered
    static QString amount(std::optional<float> euro);
    static QString cents(qint64 amount);
    static QString levy(const std::optional<double>& perTon);
};

// One line of the totals: its label and the figures before and now, with the difference.
struct TotalLine
{
    QString label;
    QString before;
    QString now;
    QString difference;
};

// The totals on top of the comparison (A, B, C, the target capital, VAT and the levy per ton), then what the
// difference of the target capital comes from.
QList<TotalLine> comparisonTotals(const FacilityComparison& comparison, float vatPercentage);

// What the levy calculation of each state told ("Heffing eerder: ..."), e.g. why it gave no levy.
QStringList levyNotes(const FacilityComparison& comparison);

// How the comparison matches and divides the difference, closing the report.
QString comparisonNote();

// The comparison of facility with the earlier state (e.g. "het bestand X.xml") into writer: the totals,
// the facility's changed fields, the provisions, the cost items by largest effect and the note.
void writeComparison(ReportWriter& writer, const FacilityComparison& comparison, const QString& facility,
                     const QString& earlier, float vatPercentage);

// The same as a document under path; false (after a message) when it could not be saved.
bool writeComparisonDocument(const FacilityComparison& comparison, const QString& facility,
                             const QString& earlier, float vatPercentage, const QString& path,
                             DocumentFormat format, const ReportContext& context);

} // namespace dovra::report
