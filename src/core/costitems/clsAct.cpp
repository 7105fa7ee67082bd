#include "costitems/clsAct.h"

#include "base/messageservice.h"
#include "checklist/clsCL.h"
#include "costitems/clsVoorz.h"
#include "model/options.h"
#include "model/rawvalue.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QDateTime>

#include <cmath>

namespace dovra {

namespace {

// Appends one tblAct row with the given fields; the new id, or 0 when the file refused it.
long insertInto(Database& data, const QList<std::pair<QString, QVariant>>& values)
{
    QStringList names;
    QStringList marks;
    QVariantList params;
    for (const auto& [name, value] : values) {
        names.append(name);
        marks.append(QStringLiteral("?"));
        params.append(value);
    }
    if (!data.exec(QStringLiteral("INSERT INTO tblAct (") + names.join(QStringLiteral(", ")) +
                       QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                   params))
        return 0;
    return long(data.lastInsertId());
}

// Only what was entered is stored: an empty text means not entered.
QVariant storable(const QVariant& value)
{
    return value.typeId() == QMetaType::QString && value.toString().isEmpty() ? QVariant() : value;
}

const QStringList YearFields{QStringLiteral("intStartRel"), QStringLiteral("intStartAbs"),
                             QStringLiteral("intEindRel"), QStringLiteral("intEindAbs")};

} // namespace

clsAct::clsAct(Workspace& workspace, long facilityId) : m_workspace(&workspace), m_facility(facilityId) {}

bool clsAct::initialize()
{
    return read();
}

bool clsAct::read()
{
    m_rows.clear();
    m_current = 0;
    m_pending.clear();
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    Statement query =
        data->prepare(QStringLiteral("SELECT * FROM tblAct WHERE lngStort_REF = ? ORDER BY idrAct_ID"));
    query.bind(1, qint64(m_facility));
    m_columns.clear();
    m_columnIndex.clear();
    for (int i = 0; i < query.columnCount(); ++i) {
        m_columns.append(query.columnName(i));
        m_columnIndex.insert(query.columnName(i).toLower(), i);
    }
    while (query.next()) {
        QVariantList values;
        values.reserve(m_columns.size());
        for (int i = 0; i < m_columns.size(); ++i)
            values.append(query.value(i));
        m_rows.append(values);
    }
    if (query.failed()) {
        // Half a list must not pass for the facility's cost items.
        m_rows.clear();
        return false;
    }
    return true;
}

bool clsAct::refreshCurrent()
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || EOF_())
        return false;
    Statement query = data->prepare(QStringLiteral("SELECT * FROM tblAct WHERE idrAct_ID = ?"));
    query.bind(1, qint64(idrAct_ID()));
    if (!query.next() || query.columnCount() != m_columns.size())
        return false;
    for (int i = 0; i < m_columns.size(); ++i)
        m_rows[m_current][i] = query.value(i);
    return true;
}

int clsAct::columnOf(const QString& name) const
{
    return m_columnIndex.value(name.toLower(), -1);
}

QVariant clsAct::stored(qsizetype row, const QString& name) const
{
    const int column = columnOf(name);
    return column < 0 ? QVariant() : m_rows[row][column];
}

QVariant clsAct::field(const QString& name) const
{
    if (EOF_())
        return {};
    const auto pending = m_pending.constFind(name.toLower());
    return pending != m_pending.cend() ? *pending : stored(m_current, name);
}

void clsAct::setField(const QString& name, const QVariant& value)
{
    Q_ASSERT_X(columnOf(name) >= 0, "clsAct::setField", "unknown field");
    if (columnOf(name) < 0 || EOF_())
        return;
    m_pending.insert(name.toLower(), value);
}

bool clsAct::UpdateNu()
{
    if (m_pending.isEmpty())
        return true;
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || EOF_())
        return false;
    QStringList assignments;
    QVariantList values;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        assignments.append(m_columns[columnOf(it.key())] + QStringLiteral(" = ?"));
        values.append(storable(it.value()));
    }
    values.append(qint64(idrAct_ID()));
    if (!data->exec(QStringLiteral("UPDATE tblAct SET ") + assignments.join(QStringLiteral(", ")) +
                        QStringLiteral(" WHERE idrAct_ID = ?"),
                    values))
        return false;
    m_pending.clear();
    // Read back what the file now holds, with its own types.
    return refreshCurrent();
}

void clsAct::ForceDirty()
{
    setField(QStringLiteral("dtmMut"), QDateTime::currentDateTime());
}

qsizetype clsAct::indexOf(long id) const
{
    const int column = columnOf(QStringLiteral("idrAct_ID"));
    if (column < 0)
        return -1;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i][column].toLongLong() == id)
            return i;
    }
    return -1;
}

bool clsAct::ActiveerID(long id)
{
    qsizetype index = indexOf(id);
    if (index < 0) {
        const long previous = idrAct_ID();
        read();
        index = indexOf(id);
        if (index < 0) {
            const qsizetype back = indexOf(previous);
            m_current = back < 0 ? 0 : back;
            messages().inform(QStringLiteral("EOF-fout in ActiveerID(lngIDAct as long)"), applicationTitle(),
                              MessageIcon::Critical);
            return false;
        }
    }
    if (index != m_current)
        m_pending.clear();
    m_current = index;
    return true;
}

void clsAct::moveNext()
{
    m_pending.clear();
    if (m_current < m_rows.size())
        ++m_current;
}

void clsAct::moveFirst()
{
    m_pending.clear();
    m_current = 0;
}

void clsAct::MoveVolgendeOfLaatste()
{
    moveNext();
    if (EOF_() && !m_rows.isEmpty())
        m_current = m_rows.size() - 1;
}

long clsAct::idrAct_ID() const
{
    return EOF_() ? 0 : long(stored(m_current, QStringLiteral("idrAct_ID")).toLongLong());
}

qint64 clsAct::whole(const char* name) const
{
    return qint64(numericValue(field(QLatin1String(name))).value_or(0));
}

QString clsAct::Rubriek() const
{
    return RubriekNaam(bytRubriek_REF());
}

bool clsAct::LetbytIsTALVO(int conformity)
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || EOF_() ||
        !data->exec(QStringLiteral("UPDATE tblAct SET bytIsTALVO = ? WHERE idrAct_ID = ?"),
                    {conformity, qint64(idrAct_ID())}))
        return false;
    m_rows[m_current][columnOf(QStringLiteral("bytIsTALVO"))] = qint64(conformity);
    m_pending.remove(QStringLiteral("bytistalvo"));
    return true;
}

long clsAct::insertRow(const QList<std::pair<QString, QVariant>>& values)
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    const long id = data ? insertInto(*data, values) : 0;
    return id ? insertedRow(id) : 0;
}

long clsAct::insertedRow(long id)
{
    read();
    const qsizetype index = indexOf(id);
    m_current = index < 0 ? 0 : index;
    return id;
}

long clsAct::VoegToe_CustomAct(const QString& name, long provisionId, int rubric)
{
    // Replacements recur once every so many years; other work so many times a year.
    const int frequency =
        rubric == ReplacementRubric ? FrequencyOption::OnceEveryXYears : FrequencyOption::TimesPerYear;
    return insertRow({{QStringLiteral("strAct"), name},
                      {QStringLiteral("bytRubriek_REF"), rubric},
                      {QStringLiteral("bytOptieStart"), StartOption::AftercareYear},
                      {QStringLiteral("intStartRel"), 1},
                      {QStringLiteral("bytOptieEind"), EndOption::Perpetual},
                      {QStringLiteral("bytOptieKosten"), CostOption::TotalAmount},
                      {QStringLiteral("bytStartBA"), 0},
                      {QStringLiteral("bytEindBA"), 0},
                      {QStringLiteral("bytIsTALVO"), Conformity::UserDefined},
                      {QStringLiteral("bytTypeVervangingsToeslag"), SurchargeType::None},
                      {QStringLiteral("bytCombineer"), 0},
                      {QStringLiteral("bytOptieFreq"), frequency},
                      {QStringLiteral("dtmMut"), QDateTime::currentDateTime()},
                      {QStringLiteral("lngStort_REF"), qint64(m_facility)},
                      {QStringLiteral("lngInrichting_REF"), qint64(provisionId)}});
}

bool clsAct::ActiviteitBestaatAl(const QString& name, long provisionId) const
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    // strAct has the NOCASE collation, so the file decides what counts as the same name.
    Statement query = data->prepare(
        QStringLiteral("SELECT 1 FROM tblAct WHERE lngInrichting_REF = ? AND strAct = ? LIMIT 1"));
    query.bind(1, qint64(provisionId)).bind(2, name);
    return query.next();
}

long clsAct::Dupliceer_Act(int aantalFasen)
{
    Q_UNUSED(aantalFasen)
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || EOF_())
        return 0;
    // Copies the row as stored; the new phase gets its own start and end years.
    QStringList names;
    QStringList sources;
    QVariantList params;
    for (const QString& column : m_columns) {
        if (column.compare(QLatin1String("idrAct_ID"), Qt::CaseInsensitive) == 0)
            continue;
        names.append(column);
        if (YearFields.contains(column, Qt::CaseInsensitive)) {
            sources.append(QStringLiteral("NULL"));
        } else if (column.compare(QLatin1String("dtmMut"), Qt::CaseInsensitive) == 0) {
            sources.append(QStringLiteral("?"));
            params.append(QDateTime::currentDateTime());
        } else {
            sources.append(column);
        }
    }
    params.append(qint64(idrAct_ID()));
    if (!data->exec(QStringLiteral("INSERT INTO tblAct (") + names.join(QStringLiteral(", ")) +
                        QStringLiteral(") SELECT ") + sources.join(QStringLiteral(", ")) +
                        QStringLiteral(" FROM tblAct WHERE idrAct_ID = ?"),
                    params))
        return 0;
    return insertedRow(long(data->lastInsertId()));
}

bool clsAct::pfunHernoemActNaamOfRubriek(const QString& newName, std::optional<int> newRubric)
{
    if (newName.trimmed().isEmpty()) {
        messages().inform(QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."),
                          QStringLiteral("Bewerking ongeldig"), MessageIcon::Exclamation);
        return false;
    }
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || EOF_())
        return false;
    const long current = idrAct_ID();
    // The phases of a cost item are the rows of its provision with its name.
    const QVariantList phases{qint64(m_facility), stored(m_current, QStringLiteral("lngInrichting_REF")),
                              stored(m_current, QStringLiteral("strAct"))};
    const QString where = QStringLiteral(" WHERE lngStort_REF = ? AND lngInrichting_REF = ? AND strAct = ?");

    Transaction transaction(*data);
    bool done = transaction.isActive();
    if (done && newRubric && *newRubric != ReplacementRubric) {
        // Only replacements carry a surcharge.
        done = data->exec(QStringLiteral("UPDATE tblAct SET bytTypeVervangingsToeslag = 0, "
                                         "sngVervangingsToeslagPerc = NULL") +
                              where + QStringLiteral(" AND bytRubriek_REF = ?"),
                          phases + QVariantList{ReplacementRubric});
    }
    if (done) {
        if (newRubric)
            done = data->exec(QStringLiteral("UPDATE tblAct SET strAct = ?, bytRubriek_REF = ?") + where,
                              QVariantList{newName, *newRubric} + phases);
        else
            done = data->exec(QStringLiteral("UPDATE tblAct SET strAct = ?") + where,
                              QVariantList{newName} + phases);
    }
    done = done && transaction.commit();
    if (!done) {
        read();
        const qsizetype index = indexOf(current);
        m_current = index < 0 ? 0 : index;
        return false;
    }
    // Only the renamed rows are read again: a facility may have a thousand others.
    Statement renamed = data->prepare(QStringLiteral("SELECT * FROM tblAct") + where);
    renamed.bindAll({phases[0], phases[1], newName});
    while (renamed.next()) {
        const qsizetype row =
            indexOf(long(renamed.value(columnOf(QStringLiteral("idrAct_ID"))).toLongLong()));
        if (row < 0 || renamed.columnCount() != m_columns.size())
            continue;
        for (int i = 0; i < m_columns.size(); ++i)
            m_rows[row][i] = renamed.value(i);
    }
    m_pending.clear();
    return true;
}

bool clsAct::verwijderAct()
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || EOF_() ||
        !data->exec(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID = ?"), {qint64(idrAct_ID())}))
        return false;
    m_pending.clear();
    m_rows.removeAt(m_current);
    return true;
}

bool clsAct::verwijderActs(const std::vector<long>& ids)
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    Transaction transaction(*data);
    bool done = transaction.isActive();
    for (std::size_t i = 0; done && i < ids.size(); ++i)
        done = data->exec(QStringLiteral("DELETE FROM tblAct WHERE idrAct_ID = ?"), {qint64(ids[i])}) &&
               data->changes() == 1;
    if (!done || !transaction.commit())
        return false;
    const long current = idrAct_ID();
    for (const long id : ids) {
        const qsizetype index = indexOf(id);
        if (index >= 0)
            m_rows.removeAt(index);
    }
    m_pending.clear();
    const qsizetype index = indexOf(current);
    m_current = index < 0 ? 0 : index;
    return true;
}

int clsAct::checklistVersion() const
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return 0;
    Statement query = data->prepare(QStringLiteral("SELECT intCL_REF FROM tblStort WHERE idrStort_ID = ?"));
    query.bind(1, qint64(m_facility));
    return query.next() ? int(query.integer(0).value_or(0)) : 0;
}

bool clsAct::IsTALVOvoorziening(long provisionId) const
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    Statement query = data->prepare(
        QStringLiteral("SELECT 1 FROM tblAct WHERE lngInrichting_REF = ? AND bytIsTALVO <> 0 LIMIT 1"));
    query.bind(1, qint64(provisionId));
    return query.next();
}

QString clsAct::strAlleChecklistRefs() const
{
    QString refs = QStringLiteral("|");
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (numericValue(stored(i, QStringLiteral("bytIsTALVO"))).value_or(0) != 0)
            refs += stored(i, QStringLiteral("lngClitem_REF")).toString() + QLatin1Char('|');
    }
    return refs;
}

bool clsAct::psubVermenigvuldigKostenMet(float factor)
{
    multiplyCostBy(factor);
    return UpdateNu();
}

QString clsAct::costAmountField() const
{
    switch (whole("bytOptieKosten")) {
    case CostOption::PercentageOfInvestment:
        return QStringLiteral("sngKostenInvest");
    case CostOption::TotalAmount:
        return QStringLiteral("sngKostenTotaal");
    case CostOption::PerUnit:
        return QStringLiteral("sngKostenPE");
    default:
        return {};
    }
}

void clsAct::multiplyCostBy(float factor)
{
    const QString amountField = costAmountField();
    if (amountField.isEmpty())
        return;
    if (const std::optional<float> amount = singleValue(field(amountField)))
        setField(amountField, *amount * factor);
}

bool clsAct::verify_ansich(bool gediffToeslag) const
{
    return dovra::verify_ansich(*this, gediffToeslag);
}

namespace {

QVariant orNull(const std::optional<float>& value)
{
    return value ? QVariant(*value) : QVariant();
}

QVariant orNull(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant();
}

} // namespace

long clsAct::VoegToe_CLitem(long itemId)
{
    BusyPointer busy;
    clsCL checklist(*m_workspace);
    if (!checklist.initializeCL(checklistVersion()) || !checklist.GaNaarItem(itemId)) {
        messages().inform(QStringLiteral("Fout bij VoegToe_CLitem(") + QString::number(itemId) +
                              QLatin1Char(')'),
                          applicationTitle(), MessageIcon::Critical);
        // Without the item there are no values to take over.
        return 0;
    }
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return 0;

    QList<std::pair<QString, QVariant>> values;
    auto set = [&values](const char* name, const QVariant& value) {
        values.append({QLatin1String(name), value});
    };
    set("lngStort_REF", qint64(m_facility));
    set("bytRubriek_REF", orNull(checklist.bytRubriek_REF()));
    set("strAct", checklist.Omschrijving());
    set("bytStartBA", orNull(checklist.bytStartBA()));
    set("bytOptieEind", orNull(checklist.bytOptieEind()));
    set("bytEindBA", orNull(checklist.bytEindBA()));
    set("bytOptieKosten", orNull(checklist.bytOptieKosten()));
    set("strEenheid", checklist.Eenheid() ? QVariant(*checklist.Eenheid()) : QVariant());
    set("bytOptieFreq", orNull(checklist.bytOptieFreq()));
    set("bytIsTALVO", Conformity::WithinCriteria);
    set("lngClitem_REF", qint64(itemId));
    set("bytCombineer", 0);
    set("dtmMut", QDateTime::currentDateTime());

    // The item's start year counts from the construction when it says so, else from the aftercare.
    if (checklist.bytStartBA() != 1) {
        set("intStartRel", orNull(checklist.Startjaar()));
        set("bytOptieStart", checklist.bytOptieStartX());
    } else {
        set("intStartBA", orNull(checklist.Startjaar()));
        set("bytOptieStart", StartOption::CalendarYear);
    }
    if (checklist.bytOptieEind() != EndOption::Perpetual)
        set(checklist.bytEindBA() != 1 ? "intEindRel" : "intEindBA", orNull(checklist.Eindjaar()));

    switch (checklist.bytOptieKosten().value_or(0)) {
    case CostOption::PercentageOfInvestment:
        set("sngPercInvest", checklist.InvPercGEM());
        set("sngKostenInvest", orNull(checklist.InvKostenGEM()));
        break;
    case CostOption::TotalAmount:
        set("sngKostenTotaal", orNull(checklist.KostenTotaalGEM()));
        break;
    case CostOption::PerUnit:
        set("sngKostenPE", orNull(checklist.PrijsPEgem()));
        break;
    default:
        break;
    }
    set("sngAantal", orNull(checklist.AantalGEM()));
    // The frequency field holds whole numbers; a typical value between two bounds is rounded as the
    // file would round it (half to even).
    const std::optional<float> frequency = checklist.freqXGEM();
    set("intFreqX", frequency ? QVariant(qint64(std::nearbyint(*frequency))) : QVariant());

    // The file keeps the surcharge type as 0 when the item has none.
    const int surchargeType = checklist.bytTypeVervangingsToeslag().value_or(SurchargeType::None);
    set("bytTypeVervangingsToeslag", surchargeType);
    QVariant percentage;
    if (surchargeType == SurchargeType::LargeWork)
        percentage = (checklist.sngVervangingstoeslagGroteWerkenMin() +
                      checklist.sngVervangingstoeslagGroteWerkenMax()) /
                     2;
    else if (surchargeType == SurchargeType::SmallWork)
        percentage = checklist.sngVervangingstoeslagKleineWerken();
    set("sngVervangingsToeslagPerc", percentage);

    // The provision and the row are stored together or not at all.
    Transaction transaction(*data);
    if (!transaction.isActive())
        return 0;
    const long provisionId = VoorzieningVanChecklistItem(
        *m_workspace, m_facility, checklist.bytObjectCat_ID().value_or(0), checklist.Voorziening());
    if (provisionId == 0)
        return 0;
    set("lngInrichting_REF", qint64(provisionId));
    const long id = insertInto(*data, values);
    if (id == 0 || !transaction.commit())
        return 0;
    return insertedRow(id);
}

int clsAct::ToetsAanNieuweCL(const clsCL& checklist, double aftercareStart) const
{
    auto f = [this](const char* name) {
        return field(QLatin1String(name));
    };
    // Every check runs, so each can report on its own part.
    const bool start = checklist.VerifyCL_JaarStart(f("bytOptieStart"), f("bytStartBA"), f("intStartAbs"),
                                                    f("intStartRel"), f("intStartBA"), aftercareStart);
    // A one-off expense has no end: as in the editor, its end is not judged (an end criterion of its
    // checklist item would otherwise fail every one-off item at each version change).
    const bool end = numericValue(f("bytOptieFreq")) == FrequencyOption::OneOff ||
                     checklist.VerifyCL_JaarEind(f("bytOptieEind"), f("bytEindBA"), f("intEindAbs"),
                                                 f("intEindRel"), f("intEindBA"), aftercareStart);
    const bool cost =
        checklist.VerifyCL_Kosten(f("bytOptieKosten"), f("sngPercInvest"), f("sngKostenInvest"),
                                  f("sngKostenTotaal"), f("sngKostenPE"), f("strEenheid"), f("sngAantal"));
    const bool frequency = checklist.VerifyCL_Freq(f("bytOptieFreq"), f("intFreqX"));
    return start && end && cost && frequency ? Conformity::WithinCriteria : Conformity::OutsideCriteria;
}

} // namespace dovra
