#include "overview/facilityoverview.h"

#include "base/messagecollector.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "calc/targetcapitalinputs.h"
#include "checklist/checklistsystem.h"
#include "checklist/clsCL.h"
#include "checklist/versionchange.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QHash>
#include <QPair>

#include <map>
#include <unordered_map>

namespace dovra {

namespace {

// One facility's target capital, calculated as the single-facility commands and the levy's equalisation
// calculate it, with what its cost items count.
struct Calculation
{
    bool ok = false;
    float targetCapital = 0;
    float aftercareStart = 0; // decimal year
    int costItems = 0, incomplete = 0, conforming = 0, deviating = 0, userDefined = 0;
    QList<MessageCollector::Message> messages;
};

void count(const std::vector<StoredCostItem>& items, bool differentiated, Calculation& calculation)
{
    calculation.costItems = int(items.size());
    for (const StoredCostItem& item : items) {
        if (!verify_ansich(item.checkValues(), differentiated))
            ++calculation.incomplete;
        const StoredField& code = item.values.bytIsTALVO;
        if (code.isEntered() && code.value() == 1)
            ++calculation.conforming;
        else if (code.isEntered() && code.value() == 2)
            ++calculation.deviating;
        else
            ++calculation.userDefined;
    }
}

QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0).remove(QLatin1Char('\r'));
}

// The facility as the list of the data file holds it.
struct Listed
{
    long id = 0;
    QString name;
    int type = 0;
    int province = 0;
    int checklistVersion = 0;
    std::optional<int> priceLevelYear;
    std::optional<QDate> aftercareStart;
};

std::optional<std::vector<Listed>> listFacilities(Database& data, const OverviewFilter& filter)
{
    Statement query =
        data.prepare(QStringLiteral("SELECT idrStort_ID, strStortNaam, intStortType, bytProv_REF, intCL_REF, "
                                    "intJaarPrijspeil, dtmAanvangNazorg FROM tblStort ORDER BY idrStort_ID"));
    std::vector<Listed> listed;
    while (query.next()) {
        Listed facility{long(query.integer(0).value_or(0)),
                        query.text(1).value_or(QString()),
                        int(query.integer(2).value_or(0)),
                        int(query.integer(3).value_or(0)),
                        int(query.integer(4).value_or(0)),
                        std::nullopt,
                        query.date(6)};
        if (const std::optional<qint64> year = query.integer(5))
            facility.priceLevelYear = int(*year);
        if (filter.passes(facility.province, facility.type))
            listed.push_back(std::move(facility));
    }
    if (query.failed())
        return std::nullopt;
    return listed;
}

// The newest change of the cost items of each facility.
QHash<qint64, QDateTime> lastChanges(Database& data)
{
    Statement query = data.prepare(QStringLiteral(
        "SELECT lngStort_REF, MAX(dtmMut) FROM tblAct WHERE dtmMut IS NOT NULL GROUP BY lngStort_REF"));
    QHash<qint64, QDateTime> changes;
    while (query.next()) {
        if (const std::optional<QDateTime> moment = query.dateTime(1))
            changes.insert(query.integer(0).value_or(0), *moment);
    }
    return changes;
}

// One run over the data file: every facility's target capital is calculated once, also when the levy of
// its equalisation group asks for it again.
class OverviewRun
{
public:
    explicit OverviewRun(Workspace& workspace) : m_workspace(workspace) {}

    const Calculation& calculation(long id)
    {
        const auto found = m_calculations.find(id);
        if (found != m_calculations.end())
            return found->second;
        Calculation calculation;
        MessageCollector collector;
        TargetCapitalInputs inputs;
        clsDV dv;
        if (readTargetCapitalInputs(m_workspace, id, inputs)) {
            count(inputs.costItems, inputs.checklist.GebruikGedifferentieerdeToeslagB(), calculation);
            dv.initializeDV(std::move(inputs));
            calculation.ok = dv.VerifyBeforeBerekening2() && dv.BerekenAlles();
            calculation.targetCapital = dv.DoelvermogenMetRisicoFonds();
            calculation.aftercareStart = dv.aanvangNazorg();
        } else if (std::shared_ptr<Database> data = m_workspace.dataDatabase()) {
            // What the cost items count is known also when the facility cannot be calculated.
            count(readStoredCostItems(*data, id).value_or(std::vector<StoredCostItem>()),
                  clsCL::GebruikGedifferentieerdeToeslagB(m_workspace, m_versions.value(id)), calculation);
        }
        calculation.messages = collector.collected();
        return m_calculations.emplace(id, std::move(calculation)).first->second;
    }

    std::optional<clsHeffing::MemberCapital> memberCapital(long id)
    {
        const Calculation& member = calculation(id);
        if (member.ok)
            return clsHeffing::MemberCapital{member.targetCapital, member.aftercareStart};
        messages().inform(QStringLiteral("Het doelvermogen van inrichting ") + QString::number(id) +
                              QStringLiteral(" in de verevening kan niet worden berekend."),
                          QStringLiteral("Berekening heffing afgebroken"), MessageIcon::Exclamation);
        return std::nullopt;
    }

    bool newerChecklist(int type, int version)
    {
        const QPair<int, int> key(type, version);
        if (!m_newer.contains(key))
            m_newer.insert(key, !newerChecklistVersions(m_workspace, type, version)
                                     .value_or(QList<ChecklistVersionEntry>())
                                     .isEmpty());
        return m_newer.value(key);
    }

    // The row's target capital and counts; its levy follows once every row has its target capital.
    OverviewRow row(const Listed& facility, const QDateTime& lastChange)
    {
        m_versions.insert(facility.id, facility.checklistVersion);
        OverviewRow row{facility.id,
                        facility.name,
                        facility.type,
                        facility.province,
                        facility.checklistVersion,
                        newerChecklist(facility.type, facility.checklistVersion),
                        facility.priceLevelYear,
                        facility.aftercareStart};
        if (lastChange.isValid())
            row.lastChange = lastChange;
        QList<MessageCollector::Message> found;
        bool installed = false;
        {
            MessageCollector collector;
            installed = checklistBestaat(m_workspace, facility.checklistVersion);
            found = collector.collected();
        }
        const Calculation& calculation = this->calculation(facility.id);
        found += calculation.messages;
        row.costItems = calculation.costItems;
        row.incomplete = calculation.incomplete;
        row.conforming = calculation.conforming;
        row.deviating = calculation.deviating;
        row.userDefined = calculation.userDefined;
        row.ok = installed && calculation.ok;
        if (row.ok)
            row.targetCapital = calculation.targetCapital;
        if (!found.isEmpty())
            row.message = firstLine(found.first().text);
        return row;
    }

    void addLevy(OverviewRow& row)
    {
        if (!row.ok)
            return;
        MessageCollector collector;
        clsHeffing levy(m_workspace, row.id);
        levy.setMemberCapitals([this](long id) { return memberCapital(id); });
        levy.psubBerekenHeffingPerTon(*row.targetCapital);
        if (levy.ValidatieOK)
            row.levyPerTon = levy.HeffingPerTon_prijspeil_tRef;
        if (row.message.isEmpty() && !collector.collected().isEmpty())
            row.message = firstLine(collector.collected().first().text);
    }

private:
    Workspace& m_workspace;
    std::unordered_map<long, Calculation> m_calculations;
    QHash<QPair<int, int>, bool> m_newer;
    QHash<long, int> m_versions; // of the listed facilities
};

} // namespace

bool OverviewFilter::passes(int facilityProvince, int facilityType) const
{
    return (!province || *province == facilityProvince) && (!type || *type == facilityType);
}

std::optional<FacilityOverview> makeFacilityOverview(Workspace& workspace, const OverviewFilter& filter,
                                                     const OverviewProgress& progress)
{
    // Nothing of this run reaches the user as a message: what a facility's checks say goes into its row.
    MessageCollector quiet;
    std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data)
        return std::nullopt;
    const std::optional<std::vector<Listed>> listed = listFacilities(*data, filter);
    if (!listed)
        return std::nullopt;
    const QHash<qint64, QDateTime> changes = lastChanges(*data);

    // Two steps per facility: its target capital, then its levy, which may need those of its group.
    const int total = 2 * int(listed->size());
    int done = 0;
    const auto step = [&] {
        return !progress || progress(++done, total);
    };
    OverviewRun run(workspace);
    FacilityOverview overview;
    for (const Listed& facility : *listed) {
        overview.rows.push_back(run.row(facility, changes.value(facility.id)));
        if (!step())
            return std::nullopt;
    }
    for (OverviewRow& row : overview.rows) {
        run.addLevy(row);
        if (!step())
            return std::nullopt;
    }
    overview.totals = provinceTotals(overview.rows);
    return overview;
}

std::vector<OverviewTotal> provinceTotals(const std::vector<OverviewRow>& rows)
{
    std::map<int, OverviewTotal> totals;
    for (const OverviewRow& row : rows) {
        OverviewTotal& total = totals[row.province];
        total.province = row.province;
        ++total.facilities;
        total.targetCapital += double(row.targetCapital.value_or(0));
        if (row.incomplete > 0)
            ++total.incomplete;
    }
    std::vector<OverviewTotal> ordered;
    for (const auto& [province, total] : totals)
        ordered.push_back(total);
    return ordered;
}

QString facilityTypeName(int type)
{
    switch (type) {
    case 1:
        return QStringLiteral("Stortplaats");
    case 2:
        return QStringLiteral("Baggerdepot");
    default:
        return QString::number(type);
    }
}

int facilityType(const QString& name)
{
    if (name.compare(QLatin1String("stortplaats"), Qt::CaseInsensitive) == 0)
        return 1;
    if (name.compare(QLatin1String("depot"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("baggerdepot"), Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

} // namespace dovra
