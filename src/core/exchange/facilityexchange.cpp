#include "exchange/facilityexchange.h"

#include "base/datatext.h"
#include "base/messageservice.h"
#include "exchange/adoxmlreader.h"
#include "exchange/adoxmlwriter.h"
#include "storage/database.h"
#include "storage/schemacatalog.h"
#include "storage/workspace.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace dovra::exchange {

namespace {

// The type and limits of a data file column as the exchange file describes it.
Field fieldOf(const ColumnInfo& column, const QString& table)
{
    Field field;
    field.name = column.name;
    field.attribute = column.name;
    field.baseTable = table;
    field.baseColumn = column.name;
    field.nullable = !column.notNull && !column.primaryKey;
    field.maybeNull = field.nullable;
    const QString type = column.declaredType.toUpper();
    const auto fixed = [&field](FieldType fieldType, int length, int precision) {
        field.type = fieldType;
        field.maxLength = length;
        field.precision = precision;
        field.fixedLength = true;
    };
    if (type.startsWith(QLatin1String("TINYINT")))
        fixed(FieldType::UInt8, 1, 3);
    else if (type.startsWith(QLatin1String("SMALLINT")))
        fixed(FieldType::Int16, 2, 5);
    else if (type.startsWith(QLatin1String("INT")))
        fixed(FieldType::Int32, 4, 10);
    else if (type.startsWith(QLatin1String("REAL")))
        fixed(FieldType::Float32, 4, 7);
    else if (type.startsWith(QLatin1String("CURRENCY")))
        fixed(FieldType::Currency, 8, 19);
    else if (type.startsWith(QLatin1String("DATETIME")))
        fixed(FieldType::DateTime, 16, 19);
    else if (type.startsWith(QLatin1String("VARCHAR")))
        field.maxLength = column.declaredSize().value_or(255);
    else {
        field.maxLength = 536870910;
        field.longData = true;
    }
    if (column.primaryKey) {
        field.keyColumn = true;
        field.autoIncrement = true;
        field.writeUnknown = false;
    }
    return field;
}

struct Table
{
    QString name;
    std::vector<Field> fields;
};

std::optional<Table> tableOf(Database& data, const QString& name)
{
    Table table{name, {}};
    int number = 0;
    for (const ColumnInfo& column : SchemaCatalog(data).columns(name)) {
        table.fields.push_back(fieldOf(column, name));
        table.fields.back().number = ++number;
    }
    if (table.fields.empty())
        return std::nullopt;
    return table;
}

QVariant storedValue(const Statement& query, int column, FieldType type)
{
    if (query.isNull(column))
        return {};
    switch (type) {
    case FieldType::UInt8:
    case FieldType::Int16:
    case FieldType::Int32:
        return int(query.integer(column).value_or(0));
    case FieldType::Int64:
        return query.integer(column).value_or(0);
    case FieldType::Float32:
        return float(query.real(column).value_or(0));
    case FieldType::Float64:
    case FieldType::Currency:
    case FieldType::Numeric:
        return query.real(column).value_or(0);
    case FieldType::DateTime:
        return query.dateTime(column).value_or(QDateTime());
    case FieldType::Boolean:
        return query.boolean(column).value_or(false);
    case FieldType::String:
        break;
    }
    return query.text(column).value_or(QString());
}

// The rows of table whose column equals value, in id order.
bool readRows(Database& data, const Table& table, const QString& column, qint64 value, std::vector<Row>& rows)
{
    Statement query =
        data.prepare(QStringLiteral("SELECT * FROM ") + quoteIdentifier(table.name) +
                     QStringLiteral(" WHERE ") + quoteIdentifier(column) + QStringLiteral(" = ? ORDER BY 1"));
    query.bind(1, value);
    while (query.next()) {
        Row row;
        for (std::size_t i = 0; i < table.fields.size(); ++i)
            row.values.push_back(storedValue(query, int(i), table.fields[i].type));
        rows.push_back(std::move(row));
    }
    return !query.failed();
}

// The value a column takes when the exchange file does not have it, and whether the user is told.
struct Default
{
    QVariant value;
    bool told = false;
};

Default defaultFor(const QString& column)
{
    const auto is = [&column](const char* name) {
        return column.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("memStandaardExportDir"))
        return {QStringLiteral("c:\\")};
    if (is("dtmAanvangNazorg"))
        return {}; // 1 January of the year of intJaarNazorg, set with the row
    if (is("sngAppKostenPerc"))
        return {3};
    if (is("sngRapEvalPerHa"))
        return {225};
    if (is("bytCombineer") || is("bytTypeVervangingsToeslag") || is("sngVervangingsToeslagPerc"))
        return {0};
    return {0, true};
}

// A file value as the column stores it; empty, with the reason, when it does not fit.
std::optional<QVariant> fitted(const QVariant& value, const Field& column, QString* why)
{
    if (value.isNull())
        return value;
    const auto number = [&value]() -> std::optional<double> {
        std::optional<double> d;
        if (value.typeId() == QMetaType::QString) {
            d = datatext::toDouble(value.toString());
        } else {
            bool ok = false;
            d = value.toDouble(&ok);
            if (!ok)
                d.reset();
        }
        return d && std::isfinite(*d) ? d : std::nullopt;
    };
    const auto whole = [&](double min, double max) -> std::optional<QVariant> {
        const std::optional<double> d = number();
        if (d && *d == std::trunc(*d) && *d >= min && *d <= max)
            return QVariant(qint64(*d));
        *why = QStringLiteral("is geen geheel getal van %1 tot en met %2").arg(qint64(min)).arg(qint64(max));
        return std::nullopt;
    };
    switch (column.type) {
    case FieldType::UInt8:
        return whole(0, 255);
    case FieldType::Int16:
        return whole(-32768, 32767);
    case FieldType::Int32:
        return whole(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case FieldType::Int64:
        return whole(-9.0e15, 9.0e15);
    case FieldType::Float32:
    case FieldType::Float64:
    case FieldType::Currency:
    case FieldType::Numeric: {
        const std::optional<double> d = number();
        if (d &&
            (column.type != FieldType::Float32 || std::fabs(*d) <= double(std::numeric_limits<float>::max())))
            return column.type == FieldType::Float32 ? QVariant(float(*d)) : QVariant(*d);
        *why = QStringLiteral("is geen getal");
        return std::nullopt;
    }
    case FieldType::DateTime: {
        QDateTime moment = value.typeId() == QMetaType::QDateTime
                               ? value.toDateTime()
                               : QDateTime::fromString(value.toString(), Qt::ISODate);
        if (!moment.isValid()) {
            *why = QStringLiteral("is geen geldige datum");
            return std::nullopt;
        }
        // A date without a time is stored as a date, as the program stores dates.
        return moment.time() == QTime(0, 0) ? QVariant(moment.date()) : QVariant(moment);
    }
    case FieldType::Boolean:
        return QVariant(value.toBool() ? -1 : 0);
    case FieldType::String:
        break;
    }
    const QString text = value.toString();
    if (!column.longData && text.size() > column.maxLength) {
        *why = QStringLiteral("is langer dan %1 tekens").arg(column.maxLength);
        return std::nullopt;
    }
    return text;
}

// The data file's rows of one table made from an exchange file's rows: each column from the file's field
// of the same name (compared without regard to case) or its default.
class RowMaker
{
public:
    RowMaker(Table table, const RecordSet& file, QStringList& toldMissing) : m_table(std::move(table))
    {
        for (const Field& column : m_table.fields) {
            m_source.push_back(file.fieldIndex(column.name));
            const QString key = m_table.name + u'.' + column.name;
            if (!m_source.back() && !column.keyColumn && defaultFor(column.name).told &&
                !toldMissing.contains(key)) {
                toldMissing.append(key);
                messages().inform(
                    QStringLiteral("Het veld '") + column.name +
                        QStringLiteral("' bestaat niet in de geïmporteerde dataset. Er zal een waarde 0 "
                                       "worden ingevuld in dit veld."),
                    QStringLiteral("Ontbrekend veld in importbestand"), MessageIcon::Exclamation);
            }
        }
        m_yearField = file.fieldIndex(QStringLiteral("intJaarNazorg"));
    }

    const Table& table() const { return m_table; }

    // The values of every column but the key, in column order; empty with the reason when one does not fit.
    std::optional<QVariantList> values(const Row& row, qint64 rowNumber, QString* error) const
    {
        QVariantList values;
        for (std::size_t i = 0; i < m_table.fields.size(); ++i) {
            const Field& column = m_table.fields[i];
            if (column.keyColumn)
                continue;
            QVariant value =
                m_source[i] && *m_source[i] < row.values.size() ? row.values[*m_source[i]] : QVariant();
            if (value.isNull() && (!m_source[i] || !column.nullable))
                value = defaultFor(column.name).value;
            if (value.isNull() &&
                column.name.compare(QLatin1String("dtmAanvangNazorg"), Qt::CaseInsensitive) == 0 &&
                m_yearField && *m_yearField < row.values.size() && !row.values[*m_yearField].isNull())
                value = QDate(row.values[*m_yearField].toInt(), 1, 1);
            QString why;
            const std::optional<QVariant> fit = fitted(value, column, &why);
            if (!fit) {
                *error = QStringLiteral("%1, rij %2: de waarde '%3' van het veld '%4' %5.")
                             .arg(m_table.name)
                             .arg(rowNumber)
                             .arg(value.toString().left(60), column.name, why);
                return std::nullopt;
            }
            values.append(*fit);
        }
        return values;
    }

    // INSERT of every column but the key.
    QString insertSql() const
    {
        QStringList names;
        QStringList marks;
        for (const Field& column : m_table.fields) {
            if (!column.keyColumn) {
                names.append(quoteIdentifier(column.name));
                marks.append(QStringLiteral("?"));
            }
        }
        return QStringLiteral("INSERT INTO ") + quoteIdentifier(m_table.name) + QStringLiteral(" (") +
               names.join(u',') + QStringLiteral(") VALUES (") + marks.join(u',') + u')';
    }

    // The position of column among the values.
    int position(const QString& column) const
    {
        int position = 0;
        for (const Field& field : m_table.fields) {
            if (field.keyColumn)
                continue;
            if (field.name.compare(column, Qt::CaseInsensitive) == 0)
                return position;
            ++position;
        }
        return -1;
    }

private:
    Table m_table;
    std::vector<std::optional<std::size_t>> m_source;
    std::optional<std::size_t> m_yearField;
};

RecordSet schemaOf(const Table& table)
{
    RecordSet set;
    set.fields = table.fields;
    return set;
}

} // namespace

std::optional<RecordSet> facilityRecordSet(Database& data, long facilityId)
{
    const std::optional<Table> stort = tableOf(data, QStringLiteral("tblStort"));
    const std::optional<Table> tonnage = tableOf(data, QStringLiteral("tblTonnage"));
    const std::optional<Table> provision = tableOf(data, QStringLiteral("tblInrichting"));
    const std::optional<Table> act = tableOf(data, QStringLiteral("tblAct"));
    if (!stort || !tonnage || !provision || !act)
        return std::nullopt;

    RecordSet acts = schemaOf(*act);
    RecordSet provisions = schemaOf(*provision);
    provisions.chapters.push_back(
        {QStringLiteral("rsAct"), QStringLiteral("idrInrichting_ID"), QStringLiteral("lngInrichting_REF")});
    provisions.chapterSchemas.push_back(acts);
    RecordSet set = schemaOf(*stort);
    set.chapters.push_back(
        {QStringLiteral("rsTonnage"), QStringLiteral("idrStort_ID"), QStringLiteral("lngStort_REF")});
    set.chapterSchemas.push_back(schemaOf(*tonnage));
    set.chapters.push_back(
        {QStringLiteral("rsInr"), QStringLiteral("idrStort_ID"), QStringLiteral("lngStort_REF")});
    set.chapterSchemas.push_back(provisions);

    if (!readRows(data, *stort, QStringLiteral("idrStort_ID"), facilityId, set.rows) || set.rows.size() != 1)
        return std::nullopt;
    Row& facility = set.rows.front();
    facility.children.resize(2);
    if (!readRows(data, *tonnage, QStringLiteral("lngStort_REF"), facilityId, facility.children[0]) ||
        !readRows(data, *provision, QStringLiteral("lngStort_REF"), facilityId, facility.children[1]))
        return std::nullopt;
    const std::size_t provisionKey = provisions.fieldIndex(QStringLiteral("idrInrichting_ID")).value_or(0);
    for (Row& inrichting : facility.children[1]) {
        inrichting.children.resize(1);
        if (!readRows(data, *act, QStringLiteral("lngInrichting_REF"),
                      inrichting.values[provisionKey].toLongLong(), inrichting.children[0]))
            return std::nullopt;
    }
    return set;
}

QString exportFacility(Workspace& workspace, long facilityId, const QString& path)
{
    const std::shared_ptr<Database> data = workspace.dataDatabase();
    const std::optional<RecordSet> set = data ? facilityRecordSet(*data, facilityId) : std::nullopt;
    if (!set)
        return QStringLiteral("De inrichting kan niet worden gelezen.");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeAdoXml(*set)) < 0 || !file.commit())
        return QStringLiteral("Het bestand '") + path + QStringLiteral("' kan niet worden geschreven: ") +
               file.errorString();
    return {};
}

namespace {

std::optional<std::size_t> chapterIndex(const RecordSet& set, const char* name)
{
    for (std::size_t i = 0; i < set.chapters.size(); ++i) {
        if (set.chapters[i].name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

const std::vector<Row>& childRows(const Row& row, std::size_t chapter)
{
    static const std::vector<Row> none;
    return chapter < row.children.size() ? row.children[chapter] : none;
}

bool nameTaken(Database& data, const QString& name)
{
    Statement query = data.prepare(QStringLiteral("SELECT 1 FROM tblStort WHERE strStortNaam = ? LIMIT 1"));
    query.bind(1, name);
    return query.next();
}

// The rows to add, made and checked before anything is written.
struct Prepared
{
    // A cost item with the id it has in the file and the index of its provision.
    struct Item
    {
        qint64 fileId;
        std::size_t provision;
        QVariantList values;
    };

    QVariantList facility;
    std::vector<QVariantList> tonnage;
    std::vector<QVariantList> provisions;
    std::vector<Item> items;
};

} // namespace

ImportOutcome importFacility(Workspace& workspace, const QString& path, const ImportNameChooser& chooseName,
                             const std::optional<QString>& newName)
{
    ImportOutcome outcome;
    const auto fail = [&outcome](const QString& reason) {
        outcome.status = ImportOutcome::Status::Failed;
        outcome.error = reason;
        return outcome;
    };
    const std::shared_ptr<Database> data = workspace.dataDatabase();
    if (!data)
        return fail(QStringLiteral("Het databestand kan niet worden gebruikt."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Het bestand '") + path + QStringLiteral("' kan niet worden gelezen: ") +
                    file.errorString());
    const ReadResult read = readAdoXml(file);
    if (!read.recordSet)
        return fail(read.error);
    const RecordSet& set = *read.recordSet;
    const std::optional<std::size_t> tonnageChapter = chapterIndex(set, "rsTonnage");
    const std::optional<std::size_t> provisionChapter = chapterIndex(set, "rsInr");
    const std::optional<std::size_t> actChapter =
        provisionChapter ? chapterIndex(set.chapterSchemas[*provisionChapter], "rsAct") : std::nullopt;
    if (set.rows.size() != 1 || !tonnageChapter || !provisionChapter || !actChapter)
        return fail(
            QStringLiteral("Het bestand bevat geen inrichting met prognose, voorzieningen en kostenposten."));
    const std::size_t tonnageIndex = *tonnageChapter;
    const std::size_t provisionIndex = *provisionChapter;
    const std::size_t actIndex = *actChapter;
    const std::optional<Table> stortTable = tableOf(*data, QStringLiteral("tblStort"));
    const std::optional<Table> tonnageTable = tableOf(*data, QStringLiteral("tblTonnage"));
    const std::optional<Table> provisionTable = tableOf(*data, QStringLiteral("tblInrichting"));
    const std::optional<Table> actTable = tableOf(*data, QStringLiteral("tblAct"));
    if (!stortTable || !tonnageTable || !provisionTable || !actTable)
        return fail(QStringLiteral("Het databestand kan niet worden gebruikt."));

    QStringList told;
    const RecordSet& provisionSchema = set.chapterSchemas[provisionIndex];
    const RowMaker stort(*stortTable, set, told);
    const RowMaker tonnage(*tonnageTable, set.chapterSchemas[tonnageIndex], told);
    const RowMaker provision(*provisionTable, provisionSchema, told);
    const RowMaker act(*actTable, provisionSchema.chapterSchemas[actIndex], told);
    QString error;
    Prepared rows;
    const Row& facility = set.rows.front();
    const std::optional<QVariantList> facilityValues = stort.values(facility, 1, &error);
    if (!facilityValues)
        return fail(error);
    rows.facility = *facilityValues;
    qint64 number = 0;
    for (const Row& row : childRows(facility, tonnageIndex)) {
        const std::optional<QVariantList> values = tonnage.values(row, ++number, &error);
        if (!values)
            return fail(error);
        rows.tonnage.push_back(*values);
    }
    number = 0;
    qint64 actNumber = 0;
    const std::optional<std::size_t> actIdField =
        provisionSchema.chapterSchemas[actIndex].fieldIndex(QStringLiteral("idrAct_ID"));
    for (const Row& row : childRows(facility, provisionIndex)) {
        const std::optional<QVariantList> values = provision.values(row, ++number, &error);
        if (!values)
            return fail(error);
        rows.provisions.push_back(*values);
        for (const Row& item : childRows(row, actIndex)) {
            const std::optional<QVariantList> itemValues = act.values(item, ++actNumber, &error);
            if (!itemValues)
                return fail(error);
            const QVariant fileId =
                actIdField && *actIdField < item.values.size() ? item.values[*actIdField] : QVariant();
            rows.items.push_back({fileId.isNull() ? std::numeric_limits<qint64>::max() : fileId.toLongLong(),
                                  rows.provisions.size() - 1, *itemValues});
        }
    }
    // The calculation adds the items up in the order of their rows, in single precision: they keep the order
    // of their ids in the file, whatever provision they belong to, so that the figures stay the same.
    std::stable_sort(rows.items.begin(), rows.items.end(),
                     [](const Prepared::Item& a, const Prepared::Item& b) { return a.fileId < b.fileId; });

    // A free name, asked for while the file's is taken.
    const int namePosition = stort.position(QStringLiteral("strStortNaam"));
    QString name = newName.value_or(rows.facility.value(namePosition).toString());
    while (name.isEmpty() || nameTaken(*data, name)) {
        name = chooseName(name);
        if (name.isEmpty()) {
            outcome.status = ImportOutcome::Status::Cancelled;
            return outcome;
        }
    }
    if (name.size() > 50)
        return fail(QStringLiteral("De naam '") + name + QStringLiteral("' is langer dan 50 tekens."));
    rows.facility[namePosition] = name;

    Transaction transaction(*data);
    const auto insert = [&](const RowMaker& maker, const QVariantList& values) -> qint64 {
        Statement statement = data->prepare(maker.insertSql());
        statement.bindAll(values);
        return statement.exec() ? data->lastInsertId() : 0;
    };
    const qint64 facilityId = insert(stort, rows.facility);
    if (facilityId == 0)
        return fail(data->lastError());
    for (QVariantList& values : rows.tonnage) {
        values[tonnage.position(QStringLiteral("lngStort_REF"))] = facilityId;
        if (insert(tonnage, values) == 0)
            return fail(data->lastError());
    }
    std::vector<qint64> provisionIds;
    for (QVariantList& values : rows.provisions) {
        values[provision.position(QStringLiteral("lngStort_REF"))] = facilityId;
        provisionIds.push_back(insert(provision, values));
        if (provisionIds.back() == 0)
            return fail(data->lastError());
    }
    for (Prepared::Item& item : rows.items) {
        item.values[act.position(QStringLiteral("lngStort_REF"))] = facilityId;
        item.values[act.position(QStringLiteral("lngInrichting_REF"))] = provisionIds[item.provision];
        if (insert(act, item.values) == 0)
            return fail(data->lastError());
    }
    if (!transaction.commit())
        return fail(data->lastError());
    outcome.status = ImportOutcome::Status::Imported;
    outcome.facilityId = long(facilityId);
    return outcome;
}

QString askImportName(const QString& takenName)
{
    const QString title = QStringLiteral("Importeren inrichting");
    QString name =
        messages().inputBox(QStringLiteral("De naam '") + takenName +
                                QStringLiteral("' komt reeds voor in uw databestand.\nVoer een andere "
                                               "naam in."),
                            title, QString());
    while (name.size() >= 51)
        name = messages().inputBox(
            QStringLiteral("De lengte van de naam mag maximaal 50 tekens bedragen. U heeft ") +
                QString::number(name.size()) +
                QStringLiteral(" tekens ingevoerd.\nVoer een kortere naam in."),
            title, name);
    return name;
}

QString importFailed(const QString& reason)
{
    return QStringLiteral("Er is een fout opgetreden bij het importeren.\n") + reason;
}

} // namespace dovra::exchange
