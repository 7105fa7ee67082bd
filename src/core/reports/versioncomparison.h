#pragma once

#include <QString>

namespace dovra {
class Workspace;
}

namespace dovra::report {

class ReportWriter;

// The four parts of the comparison of a facility's checklist version with a newer one, each written to its
// own writer (the version change window shows them in four boxes).
struct ComparisonSections
{
    ReportWriter& changed;      // version parameters and changed checklist items
    ReportWriter& added;        // items new in the version
    ReportWriter& removed;      // items the version no longer has
    ReportWriter& consequences; // what moving to the version does to the facility's own data
};

// The captions above the four parts, for the version shown as entryText.
struct ComparisonCaptions
{
    QString changed;
    QString added;
    QString removed;
    QString consequences;
};
ComparisonCaptions comparisonCaptions(const QString& entryText);

struct VersionComparison
{
    QString failure;  // why nothing could be written
    float factor = 1; // the price-level factor the change would apply
};

// Writes what binding facility facilityId to checklist version newVersion would change. It predicts what
// applyVersionChange() does: an item is judged against the new criteria with its converted amounts.
VersionComparison writeVersionComparison(Workspace& workspace, long facilityId, int newVersion,
                                         const ComparisonSections& sections);

} // namespace dovra::report
