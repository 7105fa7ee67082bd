// Reading exchange files in the XML persistence format of ADO record sets: each sample file in
// tests/data/exchange against a compact dump of what it gave (fields with their types and properties,
// chapters, rows with their typed values and child rows) or against the refusal it gave.
#include "exchange/adoxmlreader.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

using namespace dovra::exchange;

namespace {

QString typeName(FieldType type)
{
    static const char* const names[] = {"string", "ui1",      "i2",      "i4",      "i8",      "r4",
                                        "r8",     "currency", "numeric", "boolean", "dateTime"};
    return QString::fromLatin1(names[int(type)]);
}

// name:type, the attribute when it differs, then the properties that differ from their defaults.
QString fieldText(const Field& f)
{
    QStringList properties;
    if (f.attribute != f.name)
        properties << u'@' + f.attribute;
    const std::pair<int, const char*> counts[] = {
        {f.maxLength, "len"}, {f.precision, "prec"}, {f.scale, "scale"}};
    for (const auto& [value, label] : counts) {
        if (value != 0)
            properties << QString::fromLatin1(label) + u'=' + QString::number(value);
    }
    const std::pair<bool, const char*> flags[] = {{f.longData, "long"},
                                                  {!f.nullable, "notnull"},
                                                  {!f.maybeNull, "notmaybenull"},
                                                  {f.fixedLength, "fixed"},
                                                  {!f.writeUnknown, "nowriteunknown"},
                                                  {f.autoIncrement, "auto"},
                                                  {f.keyColumn, "key"}};
    for (const auto& [set, label] : flags) {
        if (set)
            properties << QString::fromLatin1(label);
    }
    if (!f.baseTable.isEmpty() || !f.baseColumn.isEmpty())
        properties << f.baseTable + u'.' + f.baseColumn;
    const QString text = f.name + u':' + typeName(f.type);
    return properties.isEmpty() ? text : text + u'(' + properties.join(u',') + u')';
}

QString schemaText(const RecordSet& set)
{
    QStringList parts;
    for (const Field& field : set.fields)
        parts << fieldText(field);
    for (std::size_t i = 0; i < set.chapters.size(); ++i) {
        const Chapter& c = set.chapters[i];
        parts << c.name + u'(' + c.parentField + u'>' + c.childField + u")" + u'{' +
                     schemaText(set.chapterSchemas[i]) + u'}';
    }
    return parts.join(u' ');
}

// Typed: int plain, qint64 with L, float with f, double plain, text quoted, Null as -.
QString valueText(const QVariant& v)
{
    if (v.isNull())
        return QStringLiteral("-");
    switch (v.typeId()) {
    case QMetaType::Int:
        return QString::number(v.toInt());
    case QMetaType::LongLong:
        return QString::number(v.toLongLong()) + u'L';
    case QMetaType::Float:
        return QString::number(v.toFloat()) + u'f';
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QDateTime:
        return v.toDateTime().toString(Qt::ISODateWithMs);
    case QMetaType::QString:
        return u'\'' + v.toString() + u'\'';
    default:
        return QStringLiteral("?") + QString::fromLatin1(v.typeName());
    }
}

QString rowText(const Row& row, const RecordSet& set)
{
    QStringList values;
    for (const QVariant& value : row.values)
        values << valueText(value);
    QString text = values.join(u'|');
    for (std::size_t i = 0; i < row.children.size(); ++i) {
        QStringList children;
        for (const Row& child : row.children[i])
            children << rowText(child, set.chapterSchemas[i]);
        if (!children.isEmpty())
            text += u' ' + set.chapters[i].name + u'[' + children.join(u' ') + u']';
    }
    return u'(' + text + u')';
}

QString dump(const RecordSet& set)
{
    QStringList rows;
    for (const Row& row : set.rows)
        rows << rowText(row, set);
    return schemaText(set) + QStringLiteral(" / ") + rows.join(u' ');
}

QString sample(const char* name)
{
    return QStringLiteral(DOVRA_TEST_DATA_DIR "/exchange/") + QString::fromLatin1(name);
}

// The dump of what reading the file gave, or "fout: " and the refusal.
QString readText(QIODevice& device, const ReadLimits& limits)
{
    const ReadResult result = readAdoXml(device, limits);
    return result.recordSet ? dump(*result.recordSet) : QStringLiteral("fout: ") + result.error;
}

ReadLimits limited(qint64 ReadLimits::*member, qint64 value)
{
    ReadLimits limits;
    limits.*member = value;
    return limits;
}

// A device that can only be read front to back, like a pipe: its size is not known in advance.
class SequentialBuffer : public QBuffer
{
public:
    using QBuffer::QBuffer;
    bool isSequential() const override { return true; }
};

struct Case
{
    const char* file;
    ReadLimits limits;
    const char* expected;
};

const Case cases[] = {
    // Any prefixes (the schema in the default namespace), single quotes, attributes in any order, tags
    // wrapped, raw UTF-8; rows in rs:data and in rs:insert.
    {"prefixes.xml", {}, "idrStort_ID:i4(len=4) strPlaats:string / (1|'Groningen Zuid') (2|'Ölst–Wijhe')"},
    // Columns defined at schema level, referenced from the row type and ordered by rs:number; rs:name
    // aliases; a column without a data type is text; a missing attribute is Null.
    {"schema-level.xml",
     {},
     "idrStort_ID:i4(@c1) strNaam:string(@c2) bytProv_REF:ui1(@c3) / (4|'Stort & co'|12) (5|-|-)"},
    // Every data type with its extremes, properties of the columns, booleans as words and digits,
    // dates with a fraction and without a time.
    {"types.xml",
     {},
     "ui1:ui1(len=1) i2:i2 int:i4(nowriteunknown,auto) i4:i4 i8:i8 r4:r4 float:r8 r8:r8 "
     "cur:currency(prec=19) "
     "num:numeric(prec=18,scale=4) bool:boolean(notnull,notmaybenull) date:dateTime "
     "str:string(len=8,fixed,tblStort.strNaam) memo:string(len=1073741823,long) / "
     "(255|-32768|2147483647|-1|9007199254740993L|1.5f|-2250|0.1|1234.5678|-0.0001|true|"
     "2024-02-29T13:45:10.000|'abc'|'regel') "
     "(-|-|-|-|-|-|-|-|-|-|false|2024-02-29T13:45:10.250|-|-) "
     "(-|-|-|-|-|-|-|-|-|-|true|2024-02-29T00:00:00.000|-|-) (-|-|-|-|-|-|-|-|-|-|false|-|-|-)"},
    {"empty.xml", {}, "idrStort_ID:i4 / "},
    {"charrefs.xml", {}, "strNaam:string / ('Café €5 <\"\'>') ('twee\nregels')"},
    // Two levels of chapters, with and without a relation; child rows in the row namespace or in none.
    {"chapters.xml",
     {},
     "idrStort_ID:i4(len=4,prec=10,notmaybenull,fixed,key) strNaam:string(len=50) "
     "rsTonnage(>){lngStort_REF:i4(len=4) intJaar:i2(len=2)} "
     "rsInr(idrStort_ID>lngStort_REF){idrInrichting_ID:i4(len=4) lngStort_REF:i4(len=4) "
     "rsAct(idrInrichting_ID>lngInrichting_REF){idrAct_ID:i4(len=4) lngInrichting_REF:i4(len=4) "
     "curBedrag:currency(len=8,prec=19,fixed)}} / "
     "(7|'De Kragge' rsTonnage[(7|2001) (7|2002)] rsInr[(11|7 rsAct[(1|11|1250.5) (2|11|-)]) (12|7)])"},
    // Refusals.
    {"bad-type.xml",
     {},
     "fout: regel 11, kolom 47: de waarde 'abc' van veld 'bytProv_REF' is geen geheel getal van 0 tot en met "
     "255"},
    {"bad-damaged.xml", {}, "fout: regel 11, kolom 32: het bestand houdt onverwacht op"},
    {"bad-column.xml", {}, "fout: regel 10, kolom 41: het kenmerk 'strNaam' van een rij is geen kolom"},
    {"bad-unknowntype.xml",
     {},
     "fout: regel 10, kolom 97: het gegevenstype 'bin.hex' van veld 'r4' is onbekend"},
    {"bad-dtd.xml", {}, "fout: regel 6, kolom 3: het bestand bevat een DTD"},
    {"bad-deep.xml", {}, "fout: regel 9, kolom 106: de elementen zijn dieper genest dan 32 niveaus"},
    {"bad-notxml.xml", {}, "fout: regel 1, kolom 2: het bestand is geen geldige XML (Start tag expected.)"},
    {"bad-root.xml",
     {},
     "fout: regel 2, kolom 12: het bestand is geen uitwisselingsbestand: het hoofdelement is geen 'xml'"},
    {"bad-noschema.xml", {}, "fout: regel 2, kolom 12: het schema (s:Schema) ontbreekt vóór de gegevens"},
    {"bad-nodata.xml", {}, "fout: regel 9, kolom 7: de gegevens (rs:data) ontbreken"},
    {"bad-rows.xml", limited(&ReadLimits::maxRows, 3),
     "fout: regel 13, kolom 29: het bestand bevat meer dan 3 rijen"},
    {"bad-long-attribute.xml", limited(&ReadLimits::maxAttributeLength, 15),
     "fout: regel 10, kolom 48: het kenmerk 'idrStort_ID' is langer dan 15 tekens"},
    {"chapters.xml", limited(&ReadLimits::maxValues, 8),
     "fout: regel 48, kolom 51: het bestand bevat meer dan 8 waarden"},
    {"types.xml", limited(&ReadLimits::maxBytes, 100), "fout: het bestand is groter dan 100 bytes"},
};

TEST(AdoXmlReader, SampleFiles)
{
    for (const Case& c : cases) {
        QFile file(sample(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        EXPECT_EQ(readText(file, c.limits).toStdString(), c.expected) << c.file;
    }
}

// A device of unknown size gives the same record set, and is refused as soon as it gives too much.
TEST(AdoXmlReader, SequentialDevice)
{
    QFile file(sample("chapters.xml"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    ASSERT_TRUE(file.seek(0));
    const std::string whole = readText(file, {}).toStdString();
    SequentialBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(readText(buffer, {}).toStdString(), whole);
    SequentialBuffer again(&bytes);
    again.open(QIODevice::ReadOnly);
    EXPECT_EQ(readText(again, limited(&ReadLimits::maxBytes, 1000)).toStdString(),
              "fout: regel 1, kolom 1: het bestand is groter dan 1000 bytes");
}

// Every sample, the inputs the fuzzer found faults with included: a record set or a refusal in the
// expected form, never both or neither.
TEST(AdoXmlReader, EverySampleGivesAnAnswer)
{
    const QDir dir(QStringLiteral(DOVRA_TEST_DATA_DIR "/exchange"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const ReadResult result = readAdoXml(file);
        EXPECT_NE(result.recordSet.has_value(), !result.error.isEmpty()) << name.toStdString();
        if (!result.recordSet) {
            EXPECT_TRUE(result.error.startsWith(u"regel ")) << name.toStdString();
        }
    }
}

} // namespace
