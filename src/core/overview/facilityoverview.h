#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace dovra {

class Workspace;

// Which facilities an overview shows; an empty part lets every facility through.
struct OverviewFilter
{
    std::optional<int> province; // bytProv_REF
    std::optional<int> type;     // intStortType

    bool passes(int facilityProvince, int facilityType) const;
    bool operator==(const OverviewFilter&) const = default;
};

// Where one facility of the data file stands.
struct OverviewRow
{
    long id = 0;
    QString name;
    int type = 0;     // intStortType
    int province = 0; // bytProv_REF
    int checklistVersion = 0;
    // A version for the facility's type newer than its own is installed.
    bool newerChecklist = false;
    std::optional<int> priceLevelYear;
    std::optional<QDate> aftercareStart;
    int costItems = 0;
    // Cost items whose input is not complete (the editor's red stop sign).
    int incomplete = 0;
    // Cost items by conformity code: 1 within the checklist's criteria, 2 outside them, 0 the user's own.
    int conforming = 0;
    int deviating = 0;
    int userDefined = 0;
    // Target capital with the risk amount, without VAT; empty when it cannot be calculated.
    std::optional<float> targetCapital;
    // Levy per ton at the price level of the reference moment; empty when there is no levy.
    std::optional<double> levyPerTon;
    // The newest change of a cost item.
    std::optional<QDateTime> lastChange;
    // False when the target capital cannot be calculated.
    bool ok = false;
    // The first line of the first message of the facility's checks and calculations; empty when none.
    QString message;
};

// The facilities of one province.
struct OverviewTotal
{
    int province = 0;
    int facilities = 0;
    double targetCapital = 0; // of the facilities that could be calculated
    int incomplete = 0;       // facilities with at least one incomplete cost item
};

struct FacilityOverview
{
    std::vector<OverviewRow> rows; // in the order of their ids
    std::vector<OverviewTotal> totals;
};

// Told after each step of done out of total; false stops the run.
using OverviewProgress = std::function<bool(int done, int total)>;

// Every facility of the workspace's data file that passes filter, each calculated once from inputs read
// once, with the totals per province. Messages of the checks and calculations go into the rows, never to
// the user; the workspace may be one of a worker thread's own. Empty when stopped through progress or when
// the data file's facilities cannot be read.
std::optional<FacilityOverview> makeFacilityOverview(Workspace& workspace, const OverviewFilter& filter = {},
                                                     const OverviewProgress& progress = {});

// The totals per province of rows, in the order of the provinces' ids.
std::vector<OverviewTotal> provinceTotals(const std::vector<OverviewRow>& rows);

// The facility types as the overview names them, and back ("stortplaats", "depot"); 0 for an unknown name.
QString facilityTypeName(int type);
int facilityType(const QString& name);

} // namespace dovra
