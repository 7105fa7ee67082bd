#include "calc/clsDV.h"

#include "calc/toeslagen.h"
#include "checklist/clsCL.h"
#include "costitems/facilityvalidation.h"
#include "costitems/options.h"
#include "shell/appstate.h"
#include "store/clsStort.h"
#include "store/database.h"
#include "ui/formats.h"
#include "ui/messageservice.h"

#include <QStringList>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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
        std::optional<int> first;
        int last = 0;
        for (float t = t0; t <= t1; t += float(x)) {
            if (t > 0) {
                sum += power(q, double(t) - 0.5);
                fitsSingle(sum);
                if (!first)
                    first = wholeYear(t);
            }
            last = wholeYear(t);
        }
        f.value = toSingle(sum);
        if (last < 1) {
            f.first = Nvt;
            f.last = Nvt;
        } else {
            f.first = *first;
            f.last = last;
        }
        return f;
    }
    default:
        return f;
    }
}

// The cost items read straight through SQLite. Statement::value() asks the type of every field and wraps
// it in a QVariant, each access taking the connection's mutex; for 1000 items that was half of the time.
class CostItemRows
{
public:
    CostItemRows(Database& data, qint64 facilityId) : m_db(data.handle())
    {
        const QByteArray sql = QByteArrayLiteral(
            "SELECT tblAct.*, tblInrichting.strObject, tblInrichting.bytObjectCat_REF FROM tblInrichting "
            "INNER JOIN tblAct ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF "
            "WHERE tblAct.lngStort_REF = ?");
        if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK) {
            fail();
            return;
        }
        if (sqlite3_bind_int64(m_stmt, 1, facilityId) != SQLITE_OK)
            fail();
    }
    ~CostItemRows() { sqlite3_finalize(m_stmt); }
    CostItemRows(const CostItemRows&) = delete;
    CostItemRows& operator=(const CostItemRows&) = delete;

    // False at the end and on an error, which error() then tells.
    bool next()
    {
        if (m_error)
            return false;
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }
    const std::optional<Fout>& error() const { return m_error; }

    // Names compare without regard to case; -1 when the query has no such field.
    int column(const char* name) const
    {
        for (int i = 0; i < sqlite3_column_count(m_stmt); ++i) {
            if (sqlite3_stricmp(sqlite3_column_name(m_stmt, i), name) == 0)
                return i;
        }
        return -1;
    }

    // Null and empty text count as not entered.
    bool isNull(int column) const
    {
        const int type = sqlite3_column_type(m_stmt, column);
        return type == SQLITE_NULL || (type == SQLITE_TEXT && sqlite3_column_bytes(m_stmt, column) == 0);
    }
    // Empty numeric fields count as 0.
    qint64 whole(int column) const { return column < 0 ? 0 : qint64(sqlite3_column_int64(m_stmt, column)); }
    std::optional<qint64> wholeOrNull(int column) const
    {
        if (column < 0 || isNull(column))
            return std::nullopt;
        return whole(column);
    }
    float single(int column) const { return column < 0 ? 0 : float(sqlite3_column_double(m_stmt, column)); }
    QString text(int column) const
    {
        if (column < 0)
            return {};
        const void* characters = sqlite3_column_text16(m_stmt, column);
        return QString(static_cast<const QChar*>(characters),
                       sqlite3_column_bytes16(m_stmt, column) / int(sizeof(QChar)));
    }

private:
    void fail() { m_error = Fout{sqlite3_errcode(m_db), QString::fromUtf8(sqlite3_errmsg(m_db))}; }

    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    std::optional<Fout> m_error;
};

// The column numbers of the cost item query, looked up once.
struct Columns
{
    explicit Columns(const CostItemRows& query)
        : id(query.column("idrAct_ID")), act(query.column("strAct")), object(query.column("strObject")),
          objectCat(query.column("bytObjectCat_REF")), isTalvo(query.column("bytIsTALVO")),
          rubric(query.column("bytRubriek_REF")), combineer(query.column("bytCombineer")),
          optieStart(query.column("bytOptieStart")), startAbs(query.column("intStartAbs")),
          startRel(query.column("intStartRel")), startBAflag(query.column("bytStartBA")),
          startBA(query.column("intStartBA")), optieEind(query.column("bytOptieEind")),
          eindAbs(query.column("intEindAbs")), eindRel(query.column("intEindRel")),
          eindBAflag(query.column("bytEindBA")), eindBA(query.column("intEindBA")),
          optieFreq(query.column("bytOptieFreq")), freqX(query.column("intFreqX")),
          optieKosten(query.column("bytOptieKosten")), percInvest(query.column("sngPercInvest")),
          kostenInvest(query.column("sngKostenInvest")), kostenTotaal(query.column("sngKostenTotaal")),
          kostenPE(query.column("sngKostenPE")), aantal(query.column("sngAantal")),
          typeToeslag(query.column("bytTypeVervangingsToeslag")),
          toeslagPerc(query.column("sngVervangingsToeslagPerc"))
    {
    }
    int id, act, object, objectCat, isTalvo, rubric, combineer, optieStart, startAbs, startRel, startBAflag,
        startBA, optieEind, eindAbs, eindRel, eindBAflag, eindBA, optieFreq, freqX, optieKosten, percInvest,
        kostenInvest, kostenTotaal, kostenPE, aantal, typeToeslag, toeslagPerc;
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

    void reset();
    bool calculateItems(Database& data);
    bool calculateItem(const CostItemRows& rows, const Columns& c);
    void calculateToeslagen(bool& success);
    void appendToeslagen(const CostItemRows& row, const Columns& c, int type, int rubric, float amount,
                         float factor);
};

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
}

// All cost items in one pass over one query; false when an item was invalid but the others could still
// be calculated.
bool clsDV::Impl::calculateItems(Database& data)
{
    CostItemRows rows(data, facilityId);
    const Columns c(rows);
    bool success = true;
    while (rows.next()) {
        try {
            if (!calculateItem(rows, c))
                success = false;
        } catch (const Overloop&) {
            // The name is read only when needed: text is the dearest field to read.
            currentAct = rows.text(c.act);
            throw;
        }
    }
    if (rows.error())
        throw *rows.error();
    return success;
}

// One cost item, added to the items and subtotals; false when it is invalid and adds nothing.
bool clsDV::Impl::calculateItem(const CostItemRows& rows, const Columns& c)
{
    Item item;
    item.id = long(rows.whole(c.id));
    if (rows.whole(c.combineer) == 1) {
        // Combined into a combination post, which carries the costs.
        items.push_back(item);
        return true;
    }

    const qint64 optieStart = rows.whole(c.optieStart);
    float start = 0;
    if (optieStart == StartOption::AftercareYear)
        start = float(rows.whole(c.startRel));
    else if (optieStart == StartOption::CalendarYear)
        start = float(rows.whole(c.startAbs)) - S + 1;

    float end = 0;
    if (rows.whole(c.eindBAflag) == 1) {
        end = start + float(rows.whole(c.eindBA)) - 1;
    } else {
        switch (rows.whole(c.optieEind)) {
        case EndOption::CalendarYear:
            end = float(rows.whole(c.eindAbs)) - S + 1;
            break;
        case EndOption::AftercareYear:
            end = float(rows.whole(c.eindRel));
            break;
        case EndOption::Perpetual:
            end = 1000;
            break;
        default:
            break;
        }
    }
    // Counted from the construction of the top liner; the end above already counts from the start as
    // entered.
    if (rows.whole(c.startBAflag) == 1)
        start += float(rows.whole(c.startBA) - 1);

    float amount = 0;
    switch (rows.whole(c.optieKosten)) {
    case CostOption::PercentageOfInvestment:
        amount = rows.single(c.percInvest) / 100 * rows.single(c.kostenInvest);
        break;
    case CostOption::TotalAmount:
        amount = rows.single(c.kostenTotaal);
        break;
    case CostOption::PerUnit:
        amount = rows.single(c.aantal) * rows.single(c.kostenPE);
        break;
    default:
        break;
    }
    checked(amount);

    const int optieFreq = int(rows.whole(c.optieFreq));
    int x = 0;
    if (optieFreq == FrequencyOption::TimesPerYear || optieFreq == FrequencyOption::OnceEveryXYears) {
        const std::optional<qint64> stored = rows.wholeOrNull(c.freqX);
        if (!stored)
            throw Fout{94, QStringLiteral("Invalid use of Null")};
        x = int(*stored);
        // A negative number would never end the counting of occurrences either.
        if (x <= 0) {
            messages().inform(QStringLiteral("Ongeldige frequentie (namelijk: ") + QString::number(x) +
                                  QStringLiteral(") aangetroffen bij kostenpost '") + rows.text(c.act) +
                                  QStringLiteral("'. "),
                              QStringLiteral("Berekening doelvermogen inrichting '") + name +
                                  QLatin1Char('\''),
                              MessageIcon::Critical);
            items.push_back(item);
            return false;
        }
    }

    const Factor factor = contanteWaardeFactor(q, optieFreq, start, end, x);
    float value = factor.value;
    if (optieFreq == FrequencyOption::TimesPerYear)
        value = checked(value * float(x));
    const float itemFactor = checked(value * F);
    item.factor = itemFactor;
    item.ncw = checked(amount * itemFactor);
    item.first = factor.first;
    item.last = factor.last;

    const qint64 rubric = rows.whole(c.rubric);
    if (differentiated) {
        const qint64 type = rows.whole(c.typeToeslag);
        if (type != 0)
            appendToeslagen(rows, c, int(type), int(rubric), amount, itemFactor);
    }

    if (rubric >= 1 && rubric <= 6)
        perRubric[rubric] = checked(perRubric[rubric] + item.ncw);
    const qint64 category = rows.whole(c.objectCat);
    if (category >= 1 && category <= 7)
        perCategory[category] = checked(perCategory[category] + item.ncw);
    const qint64 origin = rows.whole(c.isTalvo) + 1;
    if (origin >= 1 && origin <= 3)
        perOrigin[origin] = checked(perOrigin[origin] + item.ncw);
    items.push_back(item);
    return true;
}

void clsDV::Impl::appendToeslagen(const CostItemRows& row, const Columns& c, int type, int rubric,
                                  float amount, float factor)
{
    ToeslagPost post;
    post.type = type;
    post.rubric = rubric;
    post.amount = amount;
    post.aantal = row.single(c.aantal);
    post.percentage = row.single(c.toeslagPerc);
    post.factor = factor;
    post.object = row.text(c.object);
    post.act = row.text(c.act);
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

clsDV::clsDV() : d(std::make_unique<Impl>()) {}

clsDV::~clsDV() = default;

bool clsDV::initializeDV(long facilityId, float interest, float inflation)
{
    d = std::make_unique<Impl>();
    clsStort facility;
    if (!facility.initializeStort(facilityId))
        return false;
    d->facilityId = facilityId;
    d->name = facility.NaamStort();
    d->r = interest == OwnRate ? facility.rente() : interest;
    d->i = inflation == OwnRate ? facility.inflatie() : inflation;
    d->S = facility.AanvangNazorgGebrokenJaar();
    d->P = facility.JaarPrijsPeil();
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

    std::shared_ptr<Database> data = appState().dataDatabase();
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
    if (!ValidateFacilityInput(int(d->facilityId), d->name))
        return false;

    const QStringList posts = d->checklist.GetCombinatiePosten().split(u',', Qt::SkipEmptyParts);
    if (posts.isEmpty())
        return true;
    std::shared_ptr<Database> data = appState().dataDatabase();
    if (!data)
        return false;
    QStringList placeholders;
    QVariantList params;
    std::vector<qint64> ids;
    for (const QString& post : posts) {
        placeholders.append(QStringLiteral("?"));
        ids.push_back(post.toLongLong());
        params.append(ids.back());
    }
    params.append(qint64(d->facilityId));
    Statement rows = data->prepare(
        QStringLiteral("SELECT lngClitem_REF, bytCombineer FROM tblAct WHERE lngClitem_REF IS NOT NULL AND "
                       "(bytCombineer = 1 OR lngClitem_REF IN (") +
        placeholders.join(QStringLiteral(", ")) + QStringLiteral(")) AND lngStort_REF = ?"));
    rows.bindAll(params);
    int combinationPosts = 0;
    int combined = 0;
    while (rows.next()) {
        // Whole ids: reference 5 is no combination post when post 57 is.
        const qint64 reference = rows.integer(0).value_or(0);
        if (std::find(ids.begin(), ids.end(), reference) != ids.end())
            ++combinationPosts;
        else if (rows.integer(1).value_or(0) == 1)
            ++combined;
    }
    if (rows.failed())
        return false;
    if (combined >= 1 && combinationPosts == 0) {
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
    std::shared_ptr<Database> data = appState().dataDatabase();
    if (!data)
        return false;
    bool success = true;
    try {
        d->q = (1.0 + double(d->i)) / (1.0 + double(d->r));
        fitsSingle(d->q);
        d->F = toSingle(power(1.0 + double(d->i), double(d->S - float(d->P))));
        if (!d->calculateItems(*data))
            success = false;
        d->calculateToeslagen(success);
    } catch (const Overloop&) {
        messages().inform(QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost '") +
                              d->currentAct + QStringLiteral("'. ") + QStringLiteral("\r\n") +
                              QStringLiteral("Pas rente- en/of inflatiepercentages aan of controleer de "
                                             "gegevens van deze post."),
                          QStringLiteral("Doelvermogenberekening inrichting '") + d->name +
                              QStringLiteral("' afgebroken"),
                          MessageIcon::Exclamation);
        return false;
    } catch (const Fout& error) {
        messages().inform(error.description,
                          QStringLiteral("Fout bij berekening: ") + QString::number(error.number) +
                              QStringLiteral(" '") + d->name + QLatin1Char('\''),
                          MessageIcon::Critical);
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

float clsDV::BTWbedrag() const
{
    return BTWbedrag(appState().view().vatPercentage);
}

float clsDV::DoelvermogenMetRisicofonds_InclBTW() const
{
    return DoelvermogenMetRisicofonds_InclBTW(appState().view().vatPercentage);
}

float clsDV::rapTotaalPerSorteerveld(Sorteerveld field, int id) const
{
    switch (field) {
    case Sorteerveld::Rubriek:
        return subtotaalRubriek(id);
    case Sorteerveld::ObjectCategorie:
        return subtotaalObjectCategorie(id);
    case Sorteerveld::Herkomst:
        return subtotaalHerkomst(id);
    }
    return 0;
}

float clsDV::rapFractieVanTotaalDV(float presentValue) const
{
    const float total = DoelvermogenZonderRisicoFonds();
    return total == 0 ? 0 : presentValue / total;
}

QString clsDV::rapPercVanDV(float amount) const
{
    const float total = DoelvermogenZonderRisicoFonds();
    if (total == 0)
        return QStringLiteral("-");
    return QLatin1Char('(') + formats::number(double(amount / total), QStringLiteral("0.0%")) +
           QLatin1Char(')');
}

qint16 clsDV::AantalDVtabelRegels() const
{
    const qint64 rows = 3 * qint64(d->items.size()) + 3 * d->provisions + 60;
    return qint16(std::min<qint64>(rows, std::numeric_limits<qint16>::max()));
}

} // namespace dovra
