#include "reports/costitemrows.h"

#include "base/formats.h"
#include "model/options.h"
#include "storage/database.h"

namespace dovra {

namespace {

// The SQLite under SQLCipher names some columns of a nested join "table.column" or "column:1"; the
// field is the bare column name.
QString fieldName(QString column)
{
    column = column.mid(column.lastIndexOf(u'.') + 1);
    return column.left(column.indexOf(u':')).toLower();
}

} // namespace

bool CostItemRows::open(Database& data, qint64 facilityId, const QString& orderBy)
{
    m_columns.clear();
    m_rows.clear();
    m_current = 0;
    Statement query = data.prepare(
        QStringLiteral(
            "SELECT tblAct.*, tblInrichting.bytObjectCat_REF, tblObjectCat.strObjectCat, "
            "tblInrichting.strObject FROM tblObjectCat INNER JOIN (tblInrichting INNER JOIN tblAct "
            "ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF) ON "
            "tblObjectCat.bytObjectCat_ID = tblInrichting.bytObjectCat_REF "
            "WHERE tblInrichting.lngStort_REF = ? ORDER BY ") +
        orderBy);
    if (!query.isValid())
        return false;
    query.bind(1, facilityId);
    for (int column = 0; column < query.columnCount(); ++column)
        m_columns.append(fieldName(query.columnName(column)));
    while (query.next()) {
        QVariantList row;
        row.reserve(m_columns.size());
        for (int column = 0; column < m_columns.size(); ++column)
            row.append(query.value(column));
        m_rows.push_back(std::move(row));
    }
    if (query.failed()) {
        m_rows.clear();
        return false;
    }
    return true;
}

bool CostItemRows::GaNaarEersteRecord()
{
    m_current = 0;
    return !EOF_();
}

bool CostItemRows::GaNaarVolgendeRecord()
{
    if (!EOF_())
        ++m_current;
    return !EOF_();
}

QVariant CostItemRows::field(const QString& name) const
{
    const qsizetype column = m_columns.indexOf(name.toLower());
    if (EOF_() || column < 0)
        return {};
    return m_rows[m_current][column];
}

bool CostItemRows::isEmpty(const QString& name) const
{
    const QVariant value = field(name);
    return value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

qint64 CostItemRows::whole(const QString& name) const
{
    return field(name).toLongLong();
}

QString CostItemRows::text(const QString& name) const
{
    const QVariant value = field(name);
    return value.isNull() ? QString() : value.toString();
}

QString CostItemRows::storedText(const QString& name) const
{
    if (isEmpty(name))
        return QStringLiteral("?");
    const QVariant value = field(name);
    if (value.typeId() == QMetaType::Double)
        return formats::ordinaryText(value.toFloat());
    return value.toString();
}

bool CostItemRows::isCombined() const
{
    return whole(QStringLiteral("bytCombineer")) == 1;
}

QString CostItemRows::frequencyText() const
{
    switch (whole(QStringLiteral("bytOptieFreq"))) {
    case FrequencyOption::OneOff:
        return QStringLiteral("eenm.");
    case FrequencyOption::TimesPerYear:
        return storedText(QStringLiteral("intFreqX")) + QStringLiteral("x per jr");
    case FrequencyOption::OnceEveryXYears:
        return QStringLiteral("1x per ") + storedText(QStringLiteral("intFreqX")) + QStringLiteral(" jr");
    default:
        return {};
    }
}

QString CostItemRows::perpetualEndText() const
{
    return whole(QStringLiteral("bytOptieFreq")) == FrequencyOption::OneOff ? QStringLiteral("-")
                                                                            : QStringLiteral("oo");
}

} // namespace dovra
