#include "exchange/adoxmlreader.h"

#include "base/datatext.h"

#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QtEndian>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

namespace dovra::exchange {

namespace {

using namespace Qt::StringLiterals;

// Elements and attributes are told apart by namespace, never by prefix: writers may choose any prefix.
const QString schemaNs = QStringLiteral("uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882");
const QString typesNs = QStringLiteral("uuid:C2F41010-65B3-11d1-A29F-00AA00C14882");
const QString rowsetNs = QStringLiteral("urn:schemas-microsoft-com:rowset");
const QString rowNs = QStringLiteral("#RowsetSchema");

constexpr qint64 chunkSize = 64 * 1024;
constexpr qsizetype quotedValueLength = 40;

// Thrown at the first fault: the whole file is refused.
struct Refusal
{
    QString message;
};

struct Position
{
    qint64 line = 0;
    qint64 column = 0;
};

// A column as the schema writes it: defined in place, or a reference to one defined at schema level.
struct ColumnDef
{
    Field field;
    QString reference; // s:attribute type; empty for a column defined in place
    Position position;
};

struct ElementTypeDef
{
    QString name;
    std::optional<QString> relation;
    Position position;
    std::vector<ColumnDef> columns;
    std::vector<ElementTypeDef> chapters;
};

// Which field each row attribute holds, for a record set and the child rows of its chapters.
struct RowLayout
{
    QHash<QString, std::size_t> fieldByAttribute;
    QHash<QString, std::size_t> chapterByName;
    std::vector<RowLayout> chapters;
};

const std::pair<QStringView, bool Field::*> flagProperties[] = {{u"long", &Field::longData},
                                                                {u"nullable", &Field::nullable},
                                                                {u"maybenull", &Field::maybeNull},
                                                                {u"fixedlength", &Field::fixedLength},
                                                                {u"writeunknown", &Field::writeUnknown},
                                                                {u"autoincrement", &Field::autoIncrement},
                                                                {u"keycolumn", &Field::keyColumn}};
const std::pair<QStringView, int Field::*> countProperties[] = {
    {u"number", &Field::number}, {u"precision", &Field::precision}, {u"scale", &Field::scale}};
const std::pair<QStringView, QString Field::*> textProperties[] = {
    {u"name", &Field::name}, {u"basetable", &Field::baseTable}, {u"basecolumn", &Field::baseColumn}};

std::optional<FieldType> fieldType(const QString& type, const QString& dbType)
{
    static const QHash<QString, FieldType> types{
        {QStringLiteral("string"), FieldType::String},    {QStringLiteral("ui1"), FieldType::UInt8},
        {QStringLiteral("i2"), FieldType::Int16},         {QStringLiteral("int"), FieldType::Int32},
        {QStringLiteral("i4"), FieldType::Int32},         {QStringLiteral("i8"), FieldType::Int64},
        {QStringLiteral("r4"), FieldType::Float32},       {QStringLiteral("float"), FieldType::Float64},
        {QStringLiteral("r8"), FieldType::Float64},       {QStringLiteral("boolean"), FieldType::Boolean},
        {QStringLiteral("datetime"), FieldType::DateTime}};
    if (type.isEmpty())
        return FieldType::String;
    if (type.compare(u"number", Qt::CaseInsensitive) == 0) {
        if (dbType.compare(u"currency", Qt::CaseInsensitive) == 0)
            return FieldType::Currency;
        if (dbType.isEmpty() || dbType.compare(u"numeric", Qt::CaseInsensitive) == 0 ||
            dbType.compare(u"decimal", Qt::CaseInsensitive) == 0)
            return FieldType::Numeric;
        return std::nullopt;
    }
    const auto found = types.constFind(type.toLower());
    return found == types.cend() ? std::nullopt : std::optional(*found);
}

std::optional<bool> flag(QStringView text)
{
    if (text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1")
        return true;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0 || text == u"0")
        return false;
    return std::nullopt;
}

// Integers of a type of at most T's range: int, or qint64 for the widest.
template <typename T> QVariant integer(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        return {};
    if constexpr (sizeof(T) == sizeof(qint64))
        return QVariant(value);
    else
        return QVariant(int(value));
}

template <typename T> QVariant real(const QString& text)
{
    std::optional<T> value;
    if constexpr (std::is_same_v<T, float>)
        value = datatext::toFloat(text);
    else
        value = datatext::toDouble(text);
    return value && std::isfinite(*value) ? QVariant(*value) : QVariant();
}

QVariant dateTime(const QString& text)
{
    const QDateTime value = QDateTime::fromString(text, Qt::ISODateWithMs);
    return value.isValid() ? QVariant(value) : QVariant();
}

// The value of text for a field of that type; an invalid QVariant when it does not fit the type.
QVariant converted(const QString& text, FieldType type)
{
    switch (type) {
    case FieldType::String:
        return text;
    case FieldType::UInt8:
        return integer<quint8>(text);
    case FieldType::Int16:
        return integer<qint16>(text);
    case FieldType::Int32:
        return integer<qint32>(text);
    case FieldType::Int64:
        return integer<qint64>(text);
    case FieldType::Float32:
        return real<float>(text);
    case FieldType::Float64:
    case FieldType::Currency:
    case FieldType::Numeric:
        return real<double>(text);
    case FieldType::Boolean: {
        const std::optional<bool> value = flag(text);
        return value ? QVariant(*value) : QVariant();
    }
    case FieldType::DateTime:
        return dateTime(text);
    }
    return {};
}

QString typeFault(FieldType type)
{
    switch (type) {
    case FieldType::UInt8:
        return QStringLiteral("geen geheel getal van 0 tot en met 255");
    case FieldType::Int16:
        return QStringLiteral("geen geheel getal van -32768 tot en met 32767");
    case FieldType::Int32:
    case FieldType::Int64:
        return QStringLiteral("geen geheel getal");
    case FieldType::Boolean:
        return QStringLiteral("geen waar/onwaar-waarde (True, False, 1 of 0)");
    case FieldType::DateTime:
        return QStringLiteral("geen datum en tijd");
    default:
        return QStringLiteral("geen getal");
    }
}

// A value shown in a message: long texts are cut short.
QString quoted(QStringView text)
{
    if (text.size() <= quotedValueLength)
        return u'\'' + text.toString() + u'\'';
    return u'\'' + text.left(quotedValueLength).toString() + QStringLiteral("…'");
}

// rs:relation: hexadecimal digits of little-endian 32-bit column numbers, a parent column and a child
// column per pair, ended by a zero. The record set model holds one pair: the first.
std::optional<std::pair<int, int>> relationNumbers(const QString& hex)
{
    const auto isHex = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    };
    const bool allHex = std::all_of(hex.cbegin(), hex.cend(), isHex);
    if (!allHex || hex.size() < 16 || hex.size() % 2 != 0)
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    const auto number = [&bytes](int at) {
        return qFromLittleEndian<quint32>(bytes.constData() + at);
    };
    if (number(0) > quint32(std::numeric_limits<int>::max()) ||
        number(4) > quint32(std::numeric_limits<int>::max()))
        return std::nullopt;
    return std::pair(int(number(0)), int(number(4)));
}

// The field of that rs:number; the fields are ordered by it.
const Field* fieldNumbered(const RecordSet& set, int number)
{
    const auto found = std::lower_bound(set.fields.cbegin(), set.fields.cend(), number,
                                        [](const Field& f, int n) { return f.number < n; });
    return found == set.fields.cend() || found->number != number ? nullptr : &*found;
}

QString tooLarge(const ReadLimits& limits)
{
    return QStringLiteral("het bestand is groter dan %1 bytes").arg(limits.maxBytes);
}

class Parser
{
public:
    Parser(QIODevice& device, const ReadLimits& limits) : device(device), limits(limits) {}

    RecordSet read();

private:
    QIODevice& device;
    const ReadLimits& limits;
    QXmlStreamReader xml;
    qint64 bytesRead = 0;
    int depth = 0;
    qint64 rowCount = 0;
    qint64 valueCount = 0;

    [[noreturn]] void refuse(const QString& what) const { refuseAt(position(), what); }
    [[noreturn]] static void refuseAt(Position at, const QString& what)
    {
        throw Refusal{QStringLiteral("regel %1, kolom %2: ").arg(at.line).arg(at.column) + what};
    }
    // Columns counted from 1, as editors do.
    Position position() const { return {xml.lineNumber(), xml.columnNumber() + 1}; }

    bool feed();
    QXmlStreamReader::TokenType readToken();
    QXmlStreamReader::TokenType next();
    bool nextChild() { return next() == QXmlStreamReader::StartElement; }
    void skipElement();
    bool is(const QString& ns, QStringView name) const
    {
        return xml.namespaceUri() == ns && xml.name() == name;
    }
    QString attribute(const QString& ns, QLatin1StringView name) const
    {
        return xml.attributes().value(ns, name).toString();
    }
    void checkAttributeLengths() const;
    void readToEnd();

    ElementTypeDef readSchema(QHash<QString, Field>& shared);
    ElementTypeDef readElementType();
    Field readAttributeType();
    void readProperties(Field& field, QString& type, QString& dbType) const;
    int count(const QXmlStreamAttribute& attribute) const;

    RecordSet buildRecordSet(const ElementTypeDef& def, const QHash<QString, Field>& shared,
                             RowLayout& layout);
    std::vector<Field> fields(const ElementTypeDef& def, const QHash<QString, Field>& shared) const;
    Chapter chapter(const ElementTypeDef& def, const RecordSet& parent, const RecordSet& child) const;

    void readData(const RecordSet& set, const RowLayout& layout, std::vector<Row>& rows);
    Row readRow(const RecordSet& set, const RowLayout& layout);
    void readValues(const RecordSet& set, const RowLayout& layout, Row& row) const;
};

bool Parser::feed()
{
    const QByteArray chunk = device.read(chunkSize);
    if (chunk.isEmpty())
        return false;
    bytesRead += chunk.size();
    if (bytesRead > limits.maxBytes)
        refuse(tooLarge(limits));
    xml.addData(chunk);
    return true;
}

QXmlStreamReader::TokenType Parser::readToken()
{
    QXmlStreamReader::TokenType token = xml.readNext();
    while (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && feed())
        token = xml.readNext();
    return token;
}

// The next start or end of an element, or the end of the document; text, comments and processing
// instructions do not matter.
QXmlStreamReader::TokenType Parser::next()
{
    for (;;) {
        switch (readToken()) {
        case QXmlStreamReader::StartElement:
            if (++depth > limits.maxDepth)
                refuse(QStringLiteral("de elementen zijn dieper genest dan %1 niveaus").arg(limits.maxDepth));
            checkAttributeLengths();
            return QXmlStreamReader::StartElement;
        case QXmlStreamReader::EndElement:
            --depth;
            return QXmlStreamReader::EndElement;
        case QXmlStreamReader::EndDocument:
            return QXmlStreamReader::EndDocument;
        case QXmlStreamReader::DTD:
            // Refused before any entity it declares can be expanded.
            refuse(QStringLiteral("het bestand bevat een DTD"));
        case QXmlStreamReader::Invalid:
            if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                refuse(QStringLiteral("het bestand houdt onverwacht op"));
            refuse(QStringLiteral("het bestand is geen geldige XML (%1)").arg(xml.errorString()));
        default:
            break;
        }
    }
}

void Parser::skipElement()
{
    for (int open = 1; open > 0;)
        open += next() == QXmlStreamReader::StartElement ? 1 : -1;
}

void Parser::checkAttributeLengths() const
{
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        if (attribute.value().size() > limits.maxAttributeLength)
            refuse(QStringLiteral("het kenmerk '%1' is langer dan %2 tekens")
                       .arg(attribute.qualifiedName(), QString::number(limits.maxAttributeLength)));
    }
}

// After the root element only comments and processing instructions may follow.
void Parser::readToEnd()
{
    while (readToken() != QXmlStreamReader::EndDocument) {
        if (xml.hasError()) {
            if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                return;
            refuse(QStringLiteral("het bestand is geen geldige XML (%1)").arg(xml.errorString()));
        }
    }
}

RecordSet Parser::read()
{
    if (next() != QXmlStreamReader::StartElement || xml.name() != u"xml")
        refuse(QStringLiteral("het bestand is geen uitwisselingsbestand: het hoofdelement is geen 'xml'"));
    std::optional<RecordSet> set;
    RowLayout layout;
    bool dataRead = false;
    while (nextChild()) {
        if (is(schemaNs, u"Schema")) {
            if (set)
                refuse(QStringLiteral("het bestand bevat twee schema's"));
            QHash<QString, Field> shared;
            const ElementTypeDef rows = readSchema(shared);
            set = buildRecordSet(rows, shared, layout);
        } else if (is(rowsetNs, u"data")) {
            if (!set)
                refuse(QStringLiteral("het schema (s:Schema) ontbreekt vóór de gegevens"));
            if (dataRead)
                refuse(QStringLiteral("het bestand bevat twee gegevensdelen (rs:data)"));
            readData(*set, layout, set->rows);
            dataRead = true;
        } else {
            skipElement();
        }
    }
    if (!set)
        refuse(QStringLiteral("het schema (s:Schema) ontbreekt"));
    if (!dataRead)
        refuse(QStringLiteral("de gegevens (rs:data) ontbreken"));
    readToEnd();
    return std::move(*set);
}

// The schema's row type; the columns defined at schema level go into shared.
ElementTypeDef Parser::readSchema(QHash<QString, Field>& shared)
{
    std::optional<ElementTypeDef> rows;
    while (nextChild()) {
        if (is(schemaNs, u"AttributeType")) {
            const Position at = position();
            Field field = readAttributeType();
            if (shared.contains(field.attribute))
                refuseAt(at, QStringLiteral("de kolom '%1' is twee keer gedefinieerd").arg(field.attribute));
            shared.insert(field.attribute, std::move(field));
        } else if (is(schemaNs, u"ElementType") && attribute(QString(), "name"_L1) == u"row") {
            if (rows)
                refuse(QStringLiteral("het schema beschrijft de rijen twee keer"));
            rows = readElementType();
        } else {
            skipElement();
        }
    }
    if (!rows)
        refuse(QStringLiteral("het schema beschrijft geen rijen (s:ElementType name='row')"));
    return std::move(*rows);
}

ElementTypeDef Parser::readElementType()
{
    ElementTypeDef def;
    def.name = attribute(QString(), "name"_L1);
    if (xml.attributes().hasAttribute(rowsetNs, QStringLiteral("relation")))
        def.relation = attribute(rowsetNs, "relation"_L1);
    def.position = position();
    while (nextChild()) {
        if (is(schemaNs, u"AttributeType")) {
            def.columns.push_back({readAttributeType(), {}, {}});
        } else if (is(schemaNs, u"attribute")) {
            def.columns.push_back({{}, attribute(QString(), "type"_L1), position()});
            skipElement();
        } else if (is(schemaNs, u"ElementType")) {
            def.chapters.push_back(readElementType());
        } else {
            skipElement();
        }
    }
    return def;
}

Field Parser::readAttributeType()
{
    Field field;
    field.attribute = attribute(QString(), "name"_L1);
    if (field.attribute.isEmpty())
        refuse(QStringLiteral("een kolom (s:AttributeType) heeft geen naam"));
    field.name = field.attribute;
    QString type;
    QString dbType;
    readProperties(field, type, dbType);
    while (nextChild()) {
        if (is(schemaNs, u"datatype"))
            readProperties(field, type, dbType);
        skipElement();
    }
    const std::optional<FieldType> fieldTypeFound = fieldType(type, dbType);
    if (!fieldTypeFound)
        refuse(QStringLiteral("het gegevenstype %1 van veld '%2' is onbekend")
                   .arg(quoted(dbType.isEmpty() ? type : type + u'/' + dbType), field.name));
    field.type = *fieldTypeFound;
    return field;
}

// The properties of a column, on its s:AttributeType or its s:datatype.
void Parser::readProperties(Field& field, QString& type, QString& dbType) const
{
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        const QStringView name = attribute.name();
        if (attribute.namespaceUri() == typesNs) {
            if (name == u"type")
                type = attribute.value().toString();
            else if (name == u"maxLength")
                field.maxLength = count(attribute);
            continue;
        }
        if (attribute.namespaceUri() != rowsetNs)
            continue;
        if (name == u"dbtype")
            dbType = attribute.value().toString();
        for (const auto& [property, member] : flagProperties) {
            if (name != property)
                continue;
            const std::optional<bool> value = flag(attribute.value());
            if (!value)
                refuse(QStringLiteral("de eigenschap '%1' heeft een ongeldige waarde %2")
                           .arg(attribute.qualifiedName(), quoted(attribute.value())));
            field.*member = *value;
        }
        for (const auto& [property, member] : countProperties) {
            if (name == property)
                field.*member = count(attribute);
        }
        for (const auto& [property, member] : textProperties) {
            if (name == property)
                field.*member = attribute.value().toString();
        }
    }
}

int Parser::count(const QXmlStreamAttribute& attribute) const
{
    bool ok = false;
    const int value = attribute.value().toInt(&ok);
    if (!ok || value < 0)
        refuse(QStringLiteral("de eigenschap '%1' heeft een ongeldige waarde %2")
                   .arg(attribute.qualifiedName(), quoted(attribute.value())));
    return value;
}

RecordSet Parser::buildRecordSet(const ElementTypeDef& def, const QHash<QString, Field>& shared,
                                 RowLayout& layout)
{
    RecordSet set;
    set.fields = fields(def, shared);
    for (std::size_t i = 0; i < set.fields.size(); ++i) {
        if (layout.fieldByAttribute.contains(set.fields[i].attribute))
            refuseAt(def.position,
                     QStringLiteral("de kolom '%1' komt twee keer voor").arg(set.fields[i].attribute));
        layout.fieldByAttribute.insert(set.fields[i].attribute, i);
    }
    for (const ElementTypeDef& chapterDef : def.chapters) {
        if (chapterDef.name.isEmpty() || layout.chapterByName.contains(chapterDef.name))
            refuseAt(
                chapterDef.position,
                QStringLiteral("hoofdstuk %1 heeft geen of een dubbele naam").arg(quoted(chapterDef.name)));
        layout.chapterByName.insert(chapterDef.name, set.chapters.size());
        RecordSet child = buildRecordSet(chapterDef, shared, layout.chapters.emplace_back());
        set.chapters.push_back(chapter(chapterDef, set, child));
        set.chapterSchemas.push_back(std::move(child));
    }
    return set;
}

// The columns of an element type, references resolved, ordered by rs:number; a column without a number
// keeps its place.
std::vector<Field> Parser::fields(const ElementTypeDef& def, const QHash<QString, Field>& shared) const
{
    std::vector<Field> result;
    for (const ColumnDef& column : def.columns) {
        if (column.reference.isEmpty()) {
            result.push_back(column.field);
            continue;
        }
        const auto found = shared.constFind(column.reference);
        if (found == shared.cend())
            refuseAt(column.position,
                     QStringLiteral("de kolom %1 is niet gedefinieerd").arg(quoted(column.reference)));
        result.push_back(*found);
    }
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i].number == 0)
            result[i].number = int(std::min<std::size_t>(i + 1, std::numeric_limits<int>::max()));
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const Field& a, const Field& b) { return a.number < b.number; });
    const auto twice = std::adjacent_find(
        result.cbegin(), result.cend(), [](const Field& a, const Field& b) { return a.number == b.number; });
    if (twice != result.cend())
        refuseAt(def.position, QStringLiteral("het kolomnummer %1 komt twee keer voor").arg(twice->number));
    return result;
}

Chapter Parser::chapter(const ElementTypeDef& def, const RecordSet& parent, const RecordSet& child) const
{
    Chapter result{def.name, {}, {}};
    if (!def.relation)
        return result;
    const std::optional<std::pair<int, int>> numbers = relationNumbers(*def.relation);
    const Field* parentField = numbers ? fieldNumbered(parent, numbers->first) : nullptr;
    const Field* childField = numbers ? fieldNumbered(child, numbers->second) : nullptr;
    if (!parentField || !childField)
        refuseAt(def.position, QStringLiteral("de relatie %1 van hoofdstuk '%2' wijst geen kolommen aan")
                                   .arg(quoted(*def.relation), def.name));
    result.parentField = parentField->name;
    result.childField = childField->name;
    return result;
}

void Parser::readData(const RecordSet& set, const RowLayout& layout, std::vector<Row>& rows)
{
    while (nextChild()) {
        if (is(rowNs, u"row")) {
            rows.push_back(readRow(set, layout));
        } else if (is(rowsetNs, u"insert")) {
            while (nextChild()) {
                if (!is(rowNs, u"row"))
                    refuse(QStringLiteral("onbekend element '%1' in de toegevoegde rijen")
                               .arg(xml.qualifiedName()));
                rows.push_back(readRow(set, layout));
            }
        } else {
            refuse(QStringLiteral("onbekend element '%1' in de gegevens").arg(xml.qualifiedName()));
        }
    }
}

// A row and the child rows nested in it, which are named after their chapter.
Row Parser::readRow(const RecordSet& set, const RowLayout& layout)
{
    if (++rowCount > limits.maxRows)
        refuse(QStringLiteral("het bestand bevat meer dan %1 rijen").arg(limits.maxRows));
    // Every row holds a place for each field and each chapter, whether the file fills it or not.
    valueCount += qint64(set.fields.size() + set.chapters.size());
    if (valueCount > limits.maxValues)
        refuse(QStringLiteral("het bestand bevat meer dan %1 waarden").arg(limits.maxValues));
    Row row;
    readValues(set, layout, row);
    row.children.resize(set.chapters.size());
    while (nextChild()) {
        const auto chapter = layout.chapterByName.constFind(xml.name().toString());
        if (chapter == layout.chapterByName.cend() ||
            (xml.namespaceUri() != rowNs && !xml.namespaceUri().isEmpty()))
            refuse(QStringLiteral("onbekend element '%1' in een rij").arg(xml.qualifiedName()));
        const std::size_t index = *chapter;
        row.children[index].push_back(readRow(set.chapterSchemas[index], layout.chapters[index]));
    }
    return row;
}

void Parser::readValues(const RecordSet& set, const RowLayout& layout, Row& row) const
{
    row.values.resize(set.fields.size());
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
        const auto found = attribute.namespaceUri().isEmpty()
                               ? layout.fieldByAttribute.constFind(attribute.name().toString())
                               : layout.fieldByAttribute.cend();
        if (found == layout.fieldByAttribute.cend())
            refuse(
                QStringLiteral("het kenmerk '%1' van een rij is geen kolom").arg(attribute.qualifiedName()));
        const Field& field = set.fields[*found];
        const QString text = attribute.value().toString();
        QVariant value = converted(text, field.type);
        if (!value.isValid())
            refuse(QStringLiteral("de waarde %1 van veld '%2' is %3")
                       .arg(quoted(text), field.name, typeFault(field.type)));
        row.values[*found] = std::move(value);
    }
}

} // namespace

ReadResult readAdoXml(QIODevice& device, const ReadLimits& limits)
{
    if (!device.isSequential() && device.size() > limits.maxBytes)
        return {std::nullopt, tooLarge(limits)};
    try {
        return {Parser(device, limits).read(), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.message};
    }
}

} // namespace dovra::exchange
