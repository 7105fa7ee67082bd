#include "calc/clsDV.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/toeslagen.h"
#include "checklist/clsCL.h"
#include "costitems/storedcostitems.h"
#include "facility/clsStort.h"
#include "facility/facilityvalidation.h"
#include "model/options.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QHashFunctions>
#include <QStringList>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>

namespace dovra {

namespace {

// A value left the single range: the calculation stops.
struct Overloop
{
};

// Any other failure that stops the calculation, as a numbered error.
struct Fout
{
    int number;
    QString description;
};

void fitsSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw Overloop{};
}

float toSingle(double value)
{
    fitsSingle(value);
    return float(value);
}

float checked(float value)
{
    if (!std::isfinite(value))
        throw Overloop{};
    return value;
}

double power(double base, double exponent)
{
    const double value = std::pow(base, exponent);
    fitsSingle(value);
    return value;
}

// Int() of the shown years.
int wholeYear(double value)
{
    return int(std::floor(value));
}

const QString Nvt = QStringLiteral("nvt");

QString aborted(const QString& facility)
{
    return QStringLiteral("Doelvermogenberekening inrichting '") + facility + QStringLiteral("' afgebroken");
}

// The facility's stored numbers that the calculation reads.
constexpr std::pair<const char*, clsStort::NumberKind> CalculatedFacilityFields[] = {
    {"sngRentePerc", clsStort::NumberKind::Single},
    {"sngInflPerc", clsStort::NumberKind::Single},
    {"intJaarPrijspeil", clsStort::NumberKind::Whole},
    {"intCL_REF", clsStort::NumberKind::Whole},
    {"sngNazorgOpp", clsStort::NumberKind::Single},
    {"bytRapEval", clsStort::NumberKind::Whole},
    {"sngRapEvalMin", clsStort::NumberKind::Single},
    {"sngRapEvalPerHa", clsStort::NumberKind::Single},
    {"sngRapEvalMax", clsStort::NumberKind::Single},
    {"sngAlgCommunicatieKosten", clsStort::NumberKind::Single},
    {"sngAlgAppKostenBasis", clsStort::NumberKind::Single},
    {"sngAppKostenPerc", clsStort::NumberKind::Single},
    {"sngOnvoorzien", clsStort::NumberKind::Single},
    {"sngOntwerpdirectie", clsStort::NumberKind::Single},
    {"sngAlgRisicoBedrag", clsStort::NumberKind::Single},
};

struct Factor
{
    float value = 0;
    QVariant first;
    QVariant last;
};

// The present value factor of costs from relative year t0 to t1. Year k lies k − 0.5 years after the
// aftercare start, so its costs are discounted with q^(k − 0.5).
Factor contanteWaardeFactor(double q, int option, float t0, float t1, int x)
{
    Factor f;
    switch (option) {
    case FrequencyOption::OneOff:
        f.last = QStringLiteral("-");
        if (t0 < 0.5f) {
            f.first = Nvt;
            return f;
        }
        f.value = toSingle(power(q, double(t0) - 0.5));
        f.first = wholeYear(double(t0) + 0.5);
        return f;
    case FrequencyOption::TimesPerYear: {
        // Years before the aftercare start do not count: the costs then start in year 1.
        while (t0 < 0.5f)
            t0 += 1;
        if (t1 < t0) {
            f.first = Nvt;
            f.last = Nvt;
            return f;
        }
        f.first = wholeYear(double(t0) + 0.5);
        f.last = wholeYear(double(t1) + 0.5);
        const double years = std::floor(double(t1 - t0 + 1));
        if (years > std::numeric_limits<qint16>::max())
            throw Overloop{};
        const int m = int(years);
        if (q == 1.0) {
            f.value = float(m);
        } else {
            const double sum = power(q, double(t0) - 0.5) * (1.0 - power(q, m)) / (1.0 - q);
            f.value = toSingle(sum);
        }
        return f;
    }
    case FrequencyOption::OnceEveryXYears: {
        if (t1 < 0.5f) {
            f.first = Nvt;
            f.last = Nvt;
            return f;
        }
        double sum = 0;
        std::optional<float> first;
        float lastTime = 0; // no occurrence: "nvt"
        for (float t = t0; t <= t1; t += float(x)) {
            if (t > 0) {
                sum += power(q, double(t) - 0.5);
                fitsSingle(sum);
                if (!first)
                    first = t;
            }
            lastTime = t;
        }
        f.value = toSingle(sum);
        const int last = wholeYear(lastTime);
        if (last < 1) {
            f.first = Nvt;
            f.last = Nvt;
        } else {
            f.first = wholeYear(*first);
            f.last = last;
        }
        return f;
    }
    default:
        return f;
    }
}

// A stored field that holds text where the calculation needs a number.
struct NotANumber
{
    const StoredField* field;
};

// The same, told with the cost item and the field's name.
struct NotANumberInItem
{
    QString act;
    QString field;
};

// Stored values; empty ones count as 0.
double number(const StoredField& field)
{
    if (field.state == StoredField::State::Text)
        throw NotANumber{&field};
    return field.value();
}

// A whole-number field: its value cut to a whole number.
double whole(const StoredField& field)
{
    return std::trunc(number(field));
}

float single(const StoredField& field)
{
    return toSingle(number(field));
}

// A choice among numbered options; a number that is no option at all reads as none of them.
int option(const StoredField& field)
{
    const double value = whole(field);
    return std::fabs(value) <= std::numeric_limits<qint16>::max() ? int(value) : -1;
}

// Years of a schedule, counted from the aftercare start. Entered schedules stay within centuries; a year
// far beyond any aftercare period could not be counted through in single precision and stops the
// calculation instead.
constexpr double MaxScheduleYears = 100000;

double scheduleYears(const StoredField& field)
{
    const double value = whole(field);
    if (std::fabs(value) > MaxScheduleYears)
        throw Overloop{};
    return value;
}

// The end of a recurring item relative to the aftercare start; start is the relative start as entered.
float relativeEnd(const StoredValues& v, float start, float S)
{
    if (option(v.bytEindBA) == 1)
        return start + float(scheduleYears(v.intEindBA)) - 1;
    switch (option(v.bytOptieEind)) {
    case EndOption::CalendarYear:
        return float(scheduleYears(v.intEindAbs)) - S + 1;
    case EndOption::AftercareYear:
        return float(scheduleYears(v.intEindRel));
    case EndOption::Perpetual:
        return 1000;
    default:
        return 0;
    }
}

// The timing of a cost item, which alone decides its present value factor.
struct Timing
{
    int option;
    float t0;
    float t1;
    int x;
    bool operator==(const Timing&) const = default;
};

struct TimingHash
{
    std::size_t operator()(const Timing& t) const
    {
        return qHashMulti(0, t.option, std::bit_cast<quint32>(t.t0), std::bit_cast<quint32>(t.t1), t.x);
    }
};

struct Item
{
    long id = 0;
    QVariant factor;
    float ncw = 0;
    QVariant first;
    QVariant last;
};

} // namespace

struct clsDV::Impl
{
    Workspace* workspace = nullptr;
    bool initialized = false;
    long facilityId = 0;
    QString name;
    float r = 0;
    float i = 0;
    float S = 0;
    int P = 0;
    clsCL checklist;
    bool differentiated = false;
    qint64 provisions = 0;

    // The facility's surcharge parameters, percentages as stored.
    float area = 0;
    long optieRapEval = 0;
    float rapEvalMin = 0;
    float rapEvalPerHa = 0;
    float rapEvalMax = 0;
    float communicatie = 0;
    float appBasis = 0;
    float appPerc = 0;
    float onvoorzien = 0;
    float ontwerpdirectie = 0;
    float risico = 0;

    // Results of the calculation.
    double q = 0;
    float F = 0;
    std::vector<Item> items;
    std::array<float, 7> perRubric{};
    std::array<float, 8> perCategory{};
    std::array<float, 4> perOrigin{};
    Toeslagen2008 toeslagen;
    float perpetual = 0;
    float rapEvalPerJaar = 0;
    QString rapEvalText;
    float rapEvalKAP = 0;
    float communicatieKAP = 0;
    float appBasisKAP = 0;
    // The cost item that overflowed; empty when the general surcharges did.
    QString currentAct;
    // Factors computed so far: items with the same timing share one (many items follow the same
    // standard timing, and a factor over centuries of occurrences is the dearest part of the calculation).
    std::unordered_map<Timing, Factor, TimingHash> factors;
    // The facility's cost items, read once for the checks and the calculation.
    std::optional<std::vector<StoredCostItem>> costItems;

    const std::vector<StoredCostItem>* readCostItems();
    void tell(const Fout& error) const;
    void reset();
    bool calculateItems();
    bool calculateItem(const StoredCostItem& row);
    void calculateToeslagen(bool& success);
    void appendToeslagen(const StoredCostItem& row, int type, int rubric, float amount, float factor);
};

const std::vector<StoredCostItem>* clsDV::Impl::readCostItems()
{
    if (!costItems) {
        std::shared_ptr<Database> data = workspace->dataDatabase();
        if (!data)
            return nullptr;
        costItems = readStoredCostItems(*data, facilityId);
        if (!costItems)
            throw Fout{sqlite3_errcode(data->handle()), QString::fromUtf8(sqlite3_errmsg(data->handle()))};
    }
    return &*costItems;
}

void clsDV::Impl::tell(const Fout& error) const
{
    messages().inform(error.description,
                      QStringLiteral("Fout bij berekening: ") + QString::number(error.number) +
                          QStringLiteral(" '") + name + QLatin1Char('\''),
                      MessageIcon::Critical);
}

void clsDV::Impl::reset()
{
    q = 0;
    F = 0;
    items.clear();
    perRubric.fill(0);
    perCategory.fill(0);
    perOrigin.fill(0);
    toeslagen.clear();
    perpetual = 0;
    rapEvalPerJaar = 0;
    rapEvalText.clear();
    rapEvalKAP = 0;
    communicatieKAP = 0;
    appBasisKAP = 0;
    currentAct.clear();
    factors.clear();
}

// All cost items; false when an item was invalid but the others could still be calculated.
bool clsDV::Impl::calculateItems()
{
    const std::vector<StoredCostItem>* rows = readCostItems();
    if (!rows)
        return false;
    bool success = true;
    items.reserve(rows->size());
    for (const StoredCostItem& row : *rows) {
        try {
            if (!calculateItem(row))
                success = false;
        } catch (const Overloop&) {
            currentAct = row.act;
            throw;
        } catch (const NotANumber& error) {
            throw NotANumberInItem{row.act, QString::fromLatin1(storedFieldName(row.values, *error.field))};
        }
    }
    return success;
}

// One cost item, added to the items and subtotals; false when it is invalid and adds nothing.
bool clsDV::Impl::calculateItem(const StoredCostItem& row)
{
    const StoredValues& v = row.values;
    Item item;
    item.id = long(row.id);
    if (option(v.bytCombineer) == 1) {
        // Combined into a combination post, which carries the costs.
        items.push_back(item);
        return true;
    }

    const int optieFreq = option(v.bytOptieFreq);
    const bool recurring =
        optieFreq == FrequencyOption::TimesPerYear || optieFreq == FrequencyOption::OnceEveryXYears;
    float start = 0;
    float end = 0;
    if (recurring || optieFreq == FrequencyOption::OneOff) {
        const int optieStart = option(v.bytOptieStart);
        if (optieStart == StartOption::AftercareYear)
            start = float(scheduleYears(v.intStartRel));
        else if (optieStart == StartOption::CalendarYear)
            start = float(scheduleYears(v.intStartAbs)) - S + 1;
        // Only a recurring item has an end.
        if (recurring)
            end = relativeEnd(v, start, S);
        // Counted from the construction of the top liner; the end above already counts from the start as
        // entered.
        if (option(v.bytStartBA) == 1)
            start += float(scheduleYears(v.intStartBA) - 1);
    }

    float amount = 0;
    switch (option(v.bytOptieKosten)) {
    case CostOption::PercentageOfInvestment:
        amount = single(v.sngPercInvest) / 100 * single(v.sngKostenInvest);
        break;
    case CostOption::TotalAmount:
        amount = single(v.sngKostenTotaal);
        break;
    case CostOption::PerUnit:
        amount = single(v.sngAantal) * single(v.sngKostenPE);
        break;
    default:
        break;
    }
    checked(amount);

    int x = 0;
    if (recurring) {
        if (!v.intFreqX.isEntered())
            throw Fout{94, QStringLiteral("Invalid use of Null")};
        x = int(scheduleYears(v.intFreqX));
        // A negative number would never end the counting of occurrences either.
        if (x <= 0) {
            messages().inform(
                QStringLiteral("Ongeldige frequentie (namelijk: ") + QString::number(x) +
                    QStringLiteral(") aangetroffen bij kostenpost '") + row.act + QStringLiteral("'. "),
                QStringLiteral("Berekening doelvermogen inrichting '") + name + QLatin1Char('\''),
                MessageIcon::Critical);
            items.push_back(item);
            return false;
        }
    }

    const Timing timing{optieFreq, start, end, x};
    auto known = factors.find(timing);
    if (known == factors.end())
        known = factors.emplace(timing, contanteWaardeFactor(q, optieFreq, start, end, x)).first;
    const Factor& factor = known->second;
    float value = factor.value;
    if (optieFreq == FrequencyOption::TimesPerYear)
        value = checked(value * float(x));
    const float itemFactor = checked(value * F);
    item.factor = itemFactor;
    item.ncw = checked(amount * itemFactor);
    item.first = factor.first;
    item.last = factor.last;

    const int rubric = option(v.bytRubriek_REF);
    if (differentiated) {
        const int type = option(v.bytTypeVervangingsToeslag);
        if (type != 0)
            appendToeslagen(row, type, rubric, amount, itemFactor);
    }

    if (rubric >= 1 && rubric <= 6)
        perRubric[rubric] = checked(perRubric[rubric] + item.ncw);
    const qint64 category = row.objectCat;
    if (category >= 1 && category <= 7)
        perCategory[category] = checked(perCategory[category] + item.ncw);
    const int origin = option(v.bytIsTALVO) + 1;
    if (origin >= 1 && origin <= 3)
        perOrigin[origin] = checked(perOrigin[origin] + item.ncw);
    items.push_back(item);
    return true;
}

void clsDV::Impl::appendToeslagen(const StoredCostItem& row, int type, int rubric, float amount, float factor)
{
    ToeslagPost post;
    post.type = type;
    post.rubric = rubric;
    post.amount = amount;
    post.aantal = single(row.values.sngAantal);
    post.percentage = single(row.values.sngVervangingsToeslagPerc);
    post.factor = factor;
    post.object = row.object;
    post.act = row.act;
    switch (AppendToeslagen(toeslagen, checklist, post)) {
    case ToeslagUitkomst::Ok:
        return;
    case ToeslagUitkomst::Overloop:
        throw Overloop{};
    case ToeslagUitkomst::OnbekendType:
        throw Fout{5, QStringLiteral("Onbekende conditie in AppendToeslagen")};
    }
}

void clsDV::Impl::calculateToeslagen(bool& success)
{
    switch (optieRapEval) {
    case 1:
        rapEvalPerJaar = rapEvalMin;
        rapEvalText = formats::number(double(rapEvalPerJaar), QStringLiteral("€ #,##0"));
        break;
    case 2: {
        // The checklist's minimum for the first 10 ha, the facility's amount per ha above that.
        const float above = area - 10;
        rapEvalPerJaar = checked(above * rapEvalPerHa + checklist.sngRapEvalMin());
        rapEvalText = formats::number(double(checklist.sngRapEvalMin()), QStringLiteral("€ #,##0")) +
                      QStringLiteral(" + ") + formats::ordinaryText(above) + QStringLiteral(" x ") +
                      formats::number(double(rapEvalPerHa), QStringLiteral("€ #,##0")) +
                      QStringLiteral(" = ") +
                      formats::number(double(rapEvalPerJaar), QStringLiteral("€ #,##0"));
        break;
    }
    case 3:
        rapEvalPerJaar = rapEvalMax;
        rapEvalText = formats::number(double(rapEvalPerJaar), QStringLiteral("€ #,##0"));
        break;
    default:
        rapEvalPerJaar = 0;
        rapEvalText = QStringLiteral("?");
        messages().inform(QStringLiteral("De kosten voor rapportage/evaluatie zijn niet correct ingesteld. "
                                         "Controleer uw invoer via menu 'Invoer' -> 'Toeslagen nazorgfase', "
                                         "tabblad 'Algemene nazorgkosten'."),
                          QStringLiteral("Algemene toeslag rapportage/evaluatie"), MessageIcon::Exclamation);
        success = false;
        break;
    }

    // Yearly costs from year 1 for ever, at the price level of the aftercare start.
    perpetual = contanteWaardeFactor(q, FrequencyOption::TimesPerYear, 1, 1000, 0).value;
    rapEvalKAP = checked(perpetual * rapEvalPerJaar * F);
    communicatieKAP = checked(perpetual * communicatie * F);
    appBasisKAP = checked(perpetual * appBasis * F);
}

clsDV::clsDV(Workspace& workspace) : m_workspace(&workspace), d(std::make_unique<Impl>()) {}

clsDV::~clsDV() = default;

bool clsDV::initializeDV(long facilityId, float interest, float inflation)
{
    d = std::make_unique<Impl>();
    d->workspace = m_workspace;
    clsStort facility(*m_workspace);
    if (!facility.initializeStort(facilityId))
        return false;
    d->facilityId = facilityId;
    d->name = facility.NaamStort();
    for (const auto& [field, kind] : CalculatedFacilityFields) {
        if (!facility.holdsNumber(QLatin1String(field), kind)) {
            messages().inform(QStringLiteral("Het veld '") + QLatin1String(field) +
                                  QStringLiteral("' van inrichting '") + d->name +
                                  QStringLiteral("' bevat geen geldig getal ('") +
                                  facility.field(QLatin1String(field)).toString() + QStringLiteral("')."),
                              aborted(d->name), MessageIcon::Exclamation);
            return false;
        }
    }
    d->r = interest == OwnRate ? facility.rente() : interest;
    d->i = inflation == OwnRate ? facility.inflatie() : inflation;
    d->S = facility.AanvangNazorgGebrokenJaar();
    d->P = facility.JaarPrijsPeil();
    d->checklist = clsCL(*m_workspace);
    if (!d->checklist.initializeCL(int(facility.checklist_ID())))
        return false;
    d->differentiated = d->checklist.GebruikGedifferentieerdeToeslagB();

    d->area = facility.NazorgOpp();
    d->optieRapEval = facility.OptieRapEval();
    d->rapEvalMin = facility.RapEvalMin();
    d->rapEvalPerHa = facility.RapEvalPerHa();
    d->rapEvalMax = facility.RapEvalMax();
    d->communicatie = facility.CommunicatieKosten();
    d->appBasis = facility.AppKostenBasis();
    d->appPerc = facility.AppKostenBasisPerc();
    d->onvoorzien = facility.Onvoorzien();
    // Checklist versions with surcharges per replacement item have no fixed percentage.
    d->ontwerpdirectie = d->differentiated ? 0 : facility.OntwerpdirectieFixed();
    d->risico = facility.RisicoBedrag();

    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    Statement provisions =
        data->prepare(QStringLiteral("SELECT COUNT(*) FROM tblInrichting WHERE lngStort_REF = ?"));
    provisions.bind(1, qint64(facilityId));
    if (!provisions.next())
        return false;
    d->provisions = provisions.integer(0).value_or(0);
    d->initialized = true;
    return true;
}

bool clsDV::VerifyBeforeBerekening2()
{
    if (!d->initialized)
        return false;
    const QString title = QStringLiteral("Invoer onvolledig bij ") + d->name;
    if (!(d->area > 0)) {
        messages().inform(
            QStringLiteral(
                "Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen nazorgfase'."),
            title, MessageIcon::Exclamation);
        return false;
    }
    const std::vector<StoredCostItem>* items = nullptr;
    try {
        items = d->readCostItems();
    } catch (const Fout& error) {
        d->tell(error);
        return false;
    }
    if (!items || !ValidateFacilityInput(*items, d->differentiated, d->name))
        return false;

    const QStringList posts = d->checklist.GetCombinatiePosten().split(u',', Qt::SkipEmptyParts);
    if (posts.isEmpty())
        return true;
    std::vector<double> ids;
    for (const QString& post : posts)
        ids.push_back(double(post.toLongLong()));
    bool combinationPost = false;
    bool combined = false;
    for (const StoredCostItem& item : *items) {
        if (!item.values.lngClitem_REF.isEntered())
            continue;
        // Whole ids: reference 5 is no combination post when post 57 is.
        // Text in these fields is the calculation's to report; here it matches nothing.
        const double reference = std::trunc(item.values.lngClitem_REF.value());
        if (std::find(ids.begin(), ids.end(), reference) != ids.end())
            combinationPost = true;
        else if (std::trunc(item.values.bytCombineer.value()) == 1)
            combined = true;
    }
    if (combined && !combinationPost) {
        messages().inform(
            QStringLiteral("Er is gebruik gemaakt van de mogelijkheid om posten te combineren in een "
                           "combinatiepost. Er is echter geen combinatiepost in de raming "
                           "aangetroffen."),
            title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool clsDV::BerekenAlles()
{
    if (!d->initialized)
        return false;
    d->reset();
    bool success = true;
    try {
        d->q = (1.0 + double(d->i)) / (1.0 + double(d->r));
        fitsSingle(d->q);
        d->F = toSingle(power(1.0 + double(d->i), double(d->S - float(d->P))));
        if (!d->calculateItems())
            success = false;
        d->calculateToeslagen(success);
        // The sums are added up when they are read: none of them may leave the single range either,
        // at any VAT percentage that can be chosen.
        for (const float sum :
             {somA_inclOnvoorzien(), somB_inclDirectievoering(), somC(), DoelvermogenMetRisicoFonds(),
              DoelvermogenMetRisicofonds_InclBTW(MaxVatPercentage)})
            checked(sum);
    } catch (const Overloop&) {
        messages().inform(QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost '") +
                              d->currentAct + QStringLiteral("'. ") + QStringLiteral("\r\n") +
                              QStringLiteral("Pas rente- en/of inflatiepercentages aan of controleer de "
                                             "gegevens van deze post."),
                          aborted(d->name), MessageIcon::Exclamation);
        return false;
    } catch (const NotANumberInItem& error) {
        messages().inform(QStringLiteral("Het veld '") + error.field + QStringLiteral("' van kostenpost '") +
                              error.act + QStringLiteral("' bevat geen getal.") + QStringLiteral("\r\n") +
                              QStringLiteral("Controleer de gegevens van deze post."),
                          aborted(d->name), MessageIcon::Exclamation);
        return false;
    } catch (const Fout& error) {
        d->tell(error);
        return false;
    }
    return success;
}

long clsDV::facilityId() const
{
    return d->facilityId;
}

QString clsDV::facilityName() const
{
    return d->name;
}

float clsDV::rente() const
{
    return d->r;
}

float clsDV::inflatie() const
{
    return d->i;
}

float clsDV::aanvangNazorg() const
{
    return d->S;
}

int clsDV::jaarPrijspeil() const
{
    return d->P;
}

int clsDV::checklistVersion() const
{
    return d->checklist.intCl_ID();
}

double clsDV::q() const
{
    return d->q;
}

float clsDV::F() const
{
    return d->F;
}

int clsDV::AantalKostenposten() const
{
    return int(d->items.size());
}

long clsDV::itemId(int index) const
{
    return d->items.at(std::size_t(index)).id;
}

QVariant clsDV::itemFactor(int index) const
{
    return d->items.at(std::size_t(index)).factor;
}

float clsDV::itemNCW(int index) const
{
    return d->items.at(std::size_t(index)).ncw;
}

QVariant clsDV::itemEersteJaar(int index) const
{
    return d->items.at(std::size_t(index)).first;
}

QVariant clsDV::itemLaatsteJaar(int index) const
{
    return d->items.at(std::size_t(index)).last;
}

float clsDV::subtotaalRubriek(int rubric) const
{
    return rubric >= 1 && rubric <= 6 ? d->perRubric[std::size_t(rubric)] : 0;
}

float clsDV::subtotaalObjectCategorie(int category) const
{
    return category >= 1 && category <= 7 ? d->perCategory[std::size_t(category)] : 0;
}

float clsDV::subtotaalHerkomst(int origin) const
{
    return origin >= 1 && origin <= 3 ? d->perOrigin[std::size_t(origin)] : 0;
}

float clsDV::perpetualFactor() const
{
    return d->perpetual;
}

const Toeslagen2008& clsDV::toeslagen() const
{
    return d->toeslagen;
}

float clsDV::Toeslagen2008SomWaardeNCW() const
{
    float sum = 0;
    for (const clsToeslag2008& line : d->toeslagen)
        sum += line.ToeslagWaardeNCW;
    return sum;
}

float clsDV::sngRapEvalKostenPerJaar() const
{
    return d->rapEvalPerJaar;
}

float clsDV::sngRapEvalKostenKAP() const
{
    return d->rapEvalKAP;
}

float clsDV::sngCommunicatieKostenPerJaar() const
{
    return d->communicatie;
}

float clsDV::sngCommunicatieKostenKAP() const
{
    return d->communicatieKAP;
}

float clsDV::sngAppKostenBasisPerJaar() const
{
    return d->appBasis;
}

float clsDV::sngAppKostenBasisPerc() const
{
    return d->appPerc / 100;
}

float clsDV::sngAppKostenBasisKAP() const
{
    return d->appBasisKAP;
}

float clsDV::sngAppKostenTotaalKAP() const
{
    return AppKostenVariabelKAP() + d->appBasisKAP;
}

float clsDV::sngOnvoorzien() const
{
    return d->onvoorzien / 100;
}

float clsDV::sngOntwerpdirectieFixed() const
{
    return d->ontwerpdirectie / 100;
}

float clsDV::sngRisicobedragKAP() const
{
    return d->risico;
}

QString clsDV::rapRapEvalKostenCalculatie() const
{
    return d->rapEvalText;
}

float clsDV::rapPercOnvoorz() const
{
    return sngOnvoorzien();
}

float clsDV::rapPercDirectievoering2002() const
{
    return sngOntwerpdirectieFixed();
}

int clsDV::rapIsTALVOCommKosten() const
{
    return d->checklist.verifyCL_CommKosten(d->communicatie) ? 1 : 2;
}

int clsDV::rapIsTALVOAppKosten() const
{
    // The checklist holds percentages as fractions.
    const bool conforms = d->checklist.verifyCL_AppKostenBasis(d->appBasis) &&
                          d->checklist.verifyCL_AppKostenPerc(sngAppKostenBasisPerc());
    return conforms ? 1 : 2;
}

int clsDV::rapIsTALVORapEval() const
{
    return d->checklist.verifyCL_RapEvalPerHa(int(d->optieRapEval), d->rapEvalMin, d->rapEvalPerHa,
                                              d->rapEvalMax)
               ? 1
               : 2;
}

int clsDV::rapIsTALVOOnvoorzien() const
{
    return d->checklist.verifyCL_Onvoorzien(sngOnvoorzien()) ? 1 : 2;
}

int clsDV::rapIsTALVOOntwerpdirectieFixed() const
{
    return d->checklist.verifyCL_OntwerpdirectieFixed(sngOntwerpdirectieFixed()) ? 1 : 2;
}

bool clsDV::GebruikGedifferentieerdeToeslagB() const
{
    return d->differentiated;
}

float clsDV::somA_exclOnvoorzien() const
{
    return d->perRubric[1] + d->perRubric[2] + d->perRubric[3] + d->perRubric[4];
}

float clsDV::toeslagA() const
{
    return somA_exclOnvoorzien() * sngOnvoorzien();
}

float clsDV::somA_inclOnvoorzien() const
{
    return toeslagA() + somA_exclOnvoorzien();
}

float clsDV::somB_exclDirectievoering() const
{
    return d->perRubric[5];
}

float clsDV::toeslagB() const
{
    if (d->differentiated)
        return Toeslagen2008SomWaardeNCW();
    return somB_exclDirectievoering() * sngOntwerpdirectieFixed();
}

float clsDV::somB_inclDirectievoering() const
{
    return somB_exclDirectievoering() + toeslagB();
}

float clsDV::AppKostenVariabelKAP() const
{
    return (somA_inclOnvoorzien() + somB_inclDirectievoering()) * sngAppKostenBasisPerc();
}

float clsDV::somC() const
{
    return sngAppKostenTotaalKAP() + d->communicatieKAP + d->rapEvalKAP;
}

float clsDV::DoelvermogenZonderRisicoFonds() const
{
    // Rubric 6 is shown per rubric but is not in the target capital.
    return somB_inclDirectievoering() + somA_inclOnvoorzien() + somC();
}

float clsDV::DoelvermogenMetRisicoFonds() const
{
    return DoelvermogenZonderRisicoFonds() + d->risico;
}

float clsDV::BTWbedrag(float vatPercentage) const
{
    return vatPercentage / 100 * DoelvermogenMetRisicoFonds();
}

float clsDV::DoelvermogenMetRisicofonds_InclBTW(float vatPercentage) const
{
    return BTWbedrag(vatPercentage) + DoelvermogenMetRisicoFonds();
}

float clsDV::rapTotaalPerSorteerveld(Sorteerveld field, int id) const
{
    switch (field) {
    case Sorteerveld::Rubriek:
        return subtotaalRubriek(id);
    case Sorteerveld::ObjectCategorie:
        return subtotaalObjectCategorie(id);
    case Sorteerveld::Herkomst:
        // The report groups by the conformity code 0..2; the origins are numbered from 1.
        return subtotaalHerkomst(id + 1);
    }
    return 0;
}

// The share of the target capital; none when the total is too small for a share (or 0).
std::optional<float> clsDV::shareOfTotal(float amount) const
{
    const float share = amount / DoelvermogenZonderRisicoFonds();
    return std::isfinite(share) ? std::optional<float>(share) : std::nullopt;
}

float clsDV::rapFractieVanTotaalDV(float presentValue) const
{
    return shareOfTotal(presentValue).value_or(0);
}

QString clsDV::rapPercVanDV(float amount) const
{
    const std::optional<float> share = shareOfTotal(amount);
    if (!share)
        return QStringLiteral("-");
    return QLatin1Char('(') + formats::number(double(*share), QStringLiteral("0.0%")) + QLatin1Char(')');
}

qint16 clsDV::AantalDVtabelRegels() const
{
    const qint64 rows = 3 * qint64(d->items.size()) + 3 * d->provisions + 60;
    return qint16(std::min<qint64>(rows, std::numeric_limits<qint16>::max()));
}

} // namespace dovra
