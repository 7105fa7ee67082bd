#include "costitems/storedcostitems.h"

#include "model/rawvalue.h"
#include "storage/database.h"

#include <sqlcipher/sqlite3.h>

#include <array>

namespace dovra {

namespace {

// The stored numeric fields, with their places in the stored and in the checked values.
struct ValueField
{
    const char* name;
    StoredField StoredValues::*stored;
    QVariant CostItemValues::*checked;
};

constexpr std::array ValueFields{
    ValueField{"bytOptieStart", &StoredValues::bytOptieStart, &CostItemValues::bytOptieStart},
    ValueField{"bytStartBA", &StoredValues::bytStartBA, &CostItemValues::bytStartBA},
    ValueField{"intStartAbs", &StoredValues::intStartAbs, &CostItemValues::intStartAbs},
    ValueField{"intStartRel", &StoredValues::intStartRel, &CostItemValues::intStartRel},
    ValueField{"intStartBA", &StoredValues::intStartBA, &CostItemValues::intStartBA},
    ValueField{"bytOptieEind", &StoredValues::bytOptieEind, &CostItemValues::bytOptieEind},
    ValueField{"bytEindBA", &StoredValues::bytEindBA, &CostItemValues::bytEindBA},
    ValueField{"intEindAbs", &StoredValues::intEindAbs, &CostItemValues::intEindAbs},
    ValueField{"intEindRel", &StoredValues::intEindRel, &CostItemValues::intEindRel},
    ValueField{"intEindBA", &StoredValues::intEindBA, &CostItemValues::intEindBA},
    ValueField{"bytOptieFreq", &StoredValues::bytOptieFreq, &CostItemValues::bytOptieFreq},
    ValueField{"intFreqX", &StoredValues::intFreqX, &CostItemValues::intFreqX},
    ValueField{"bytOptieKosten", &StoredValues::bytOptieKosten, &CostItemValues::bytOptieKosten},
    ValueField{"sngPercInvest", &StoredValues::sngPercInvest, &CostItemValues::sngPercInvest},
    ValueField{"sngKostenInvest", &StoredValues::sngKostenInvest, &CostItemValues::sngKostenInvest},
    ValueField{"sngKostenTotaal", &StoredValues::sngKostenTotaal, &CostItemValues::sngKostenTotaal},
    ValueField{"sngKostenPE", &StoredValues::sngKostenPE, &CostItemValues::sngKostenPE},
    ValueField{"sngAantal", &StoredValues::sngAantal, &CostItemValues::sngAantal},
    ValueField{"bytRubriek_REF", &StoredValues::bytRubriek_REF, &CostItemValues::bytRubriek_REF},
    ValueField{"bytTypeVervangingsToeslag", &StoredValues::bytTypeVervangingsToeslag,
               &CostItemValues::bytTypeVervangingsToeslag},
    ValueField{"sngVervangingsToeslagPerc", &StoredValues::sngVervangingsToeslagPerc,
               &CostItemValues::sngVervangingsToeslagPerc},
    ValueField{"bytIsTALVO", &StoredValues::bytIsTALVO, &CostItemValues::bytIsTALVO},
    ValueField{"lngClitem_REF", &StoredValues::lngClitem_REF, &CostItemValues::lngClitem_REF},
    ValueField{"bytCombineer", &StoredValues::bytCombineer, &CostItemValues::bytCombineer},
};

// Fields are read straight through SQLite: Statement::value() looks each one up by type behind the
// connection's mutex, which for a thousand items was half the time of a calculation.
class RawRows
{
public:
    RawRows(sqlite3* db, qint64 facilityId) : m_db(db)
    {
        // Only the fields that are read: every field of the result row is decoded, and tblAct has many
        // texts that neither the checks nor the calculation need.
        QByteArray sql = QByteArrayLiteral("SELECT tblAct.idrAct_ID, tblAct.strAct, tblAct.strEenheid");
        for (const ValueField& field : ValueFields)
            sql += QByteArrayLiteral(", tblAct.") + field.name;
        sql += QByteArrayLiteral(
            ", tblInrichting.strObject, tblInrichting.bytObjectCat_REF FROM tblInrichting "
            "INNER JOIN tblAct ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF "
            "WHERE tblAct.lngStort_REF = ?");
        m_ok = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_stmt, nullptr) == SQLITE_OK &&
               sqlite3_bind_int64(m_stmt, 1, facilityId) == SQLITE_OK;
    }
    ~RawRows() { sqlite3_finalize(m_stmt); }
    RawRows(const RawRows&) = delete;
    RawRows& operator=(const RawRows&) = delete;

    // False at the end and on an error, which ok() then tells.
    bool next()
    {
        if (!m_ok)
            return false;
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        m_ok = rc == SQLITE_DONE;
        return false;
    }
    bool ok() const { return m_ok; }

    // Names compare without regard to case; -1 when the query has no such field.
    int column(const char* name) const
    {
        for (int i = 0; i < sqlite3_column_count(m_stmt); ++i) {
            if (sqlite3_stricmp(sqlite3_column_name(m_stmt, i), name) == 0)
                return i;
        }
        return -1;
    }

    StoredField field(int column) const
    {
        StoredField field;
        if (column < 0)
            return field;
        switch (sqlite3_column_type(m_stmt, column)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            field.state = StoredField::State::Number;
            field.number = sqlite3_column_double(m_stmt, column);
            break;
        case SQLITE_TEXT: {
            // Text in a numeric field: entered, and a number only when it reads as one.
            const QString value = text(column);
            if (const std::optional<double> number = numericValue(value)) {
                field.state = StoredField::State::Number;
                field.number = *number;
            } else if (!value.isEmpty()) {
                field.state = StoredField::State::Text;
            }
            break;
        }
        default:
            break;
        }
        return field;
    }
    qint64 whole(int column) const { return column < 0 ? 0 : qint64(sqlite3_column_int64(m_stmt, column)); }
    QString text(int column) const
    {
        if (column < 0)
            return {};
        // The file holds UTF-8: one conversion, by Qt, instead of SQLite's to UTF-16 and a copy.
        const auto* characters = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return QString::fromUtf8(characters, sqlite3_column_bytes(m_stmt, column));
    }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_ok = false;
};

} // namespace

QVariant StoredField::toVariant() const
{
    switch (state) {
    case State::Number:
        return number;
    case State::Text:
        // What it said does not matter to the checks, only that it is no number.
        return QStringLiteral("?");
    case State::Empty:
        break;
    }
    return {};
}

const char* storedFieldName(const StoredValues& values, const StoredField& field)
{
    for (const ValueField& candidate : ValueFields) {
        if (&(values.*candidate.stored) == &field)
            return candidate.name;
    }
    return "?";
}

CostItemValues StoredCostItem::checkValues() const
{
    CostItemValues checked;
    for (const ValueField& field : ValueFields)
        checked.*field.checked = (values.*field.stored).toVariant();
    checked.strEenheid = eenheid;
    return checked;
}

std::optional<std::vector<StoredCostItem>> readStoredCostItems(Database& data, qint64 facilityId)
{
    RawRows rows(data.handle(), facilityId);
    const int id = rows.column("idrAct_ID");
    const int objectCat = rows.column("bytObjectCat_REF");
    const int act = rows.column("strAct");
    const int object = rows.column("strObject");
    const int eenheid = rows.column("strEenheid");
    std::array<int, ValueFields.size()> columns{};
    for (std::size_t i = 0; i < ValueFields.size(); ++i)
        columns[i] = rows.column(ValueFields[i].name);

    std::vector<StoredCostItem> items;
    Statement count = data.prepare(QStringLiteral("SELECT COUNT(*) FROM tblAct WHERE lngStort_REF = ?"));
    count.bind(1, facilityId);
    if (count.next())
        items.reserve(std::size_t(count.integer(0).value_or(0)));
    while (rows.next()) {
        StoredCostItem& item = items.emplace_back();
        item.id = rows.whole(id);
        item.objectCat = rows.whole(objectCat);
        item.act = rows.text(act);
        item.object = rows.text(object);
        item.eenheid = rows.text(eenheid);
        for (std::size_t i = 0; i < columns.size(); ++i)
            item.values.*ValueFields[i].stored = rows.field(columns[i]);
    }
    if (!rows.ok())
        return std::nullopt;
    return items;
}

} // namespace dovra
