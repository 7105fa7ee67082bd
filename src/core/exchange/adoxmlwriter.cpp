#include "exchange/adoxmlwriter.h"

#include "base/datatext.h"

#include <QDateTime>

namespace dovra::exchange {

namespace {

// An attribute value between single quotes; line breaks as references, so that they read back as written.
QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'\'':
            out += QLatin1String("&apos;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\n':
            out += QLatin1String("&#xa;");
            break;
        case u'\r':
            out += QLatin1String("&#xd;");
            break;
        case u'\t':
            out += QLatin1String("&#x9;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString valueText(const QVariant& value, FieldType type)
{
    switch (type) {
    case FieldType::Float32:
        return datatext::number(value.toFloat());
    case FieldType::Float64:
    case FieldType::Currency:
    case FieldType::Numeric:
        return datatext::number(value.toDouble());
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    case FieldType::UInt8:
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::Int64:
        return QString::number(value.toLongLong());
    case FieldType::String:
        break;
    }
    return escaped(value.toString());
}

QString typeName(FieldType type)
{
    switch (type) {
    case FieldType::UInt8:
        return QStringLiteral("ui1");
    case FieldType::Int16:
        return QStringLiteral("i2");
    case FieldType::Int32:
        return QStringLiteral("int");
    case FieldType::Int64:
        return QStringLiteral("i8");
    case FieldType::Float32:
        return QStringLiteral("r4");
    case FieldType::Float64:
        return QStringLiteral("float");
    case FieldType::Currency:
    case FieldType::Numeric:
        return QStringLiteral("number");
    case FieldType::Boolean:
        return QStringLiteral("boolean");
    case FieldType::DateTime:
        return QStringLiteral("dateTime");
    case FieldType::String:
        break;
    }
    return QStringLiteral("string");
}

// A relation as the format writes it: the parent's and the child's field numbers as 32-bit little-endian
// integers in hexadecimal, ended by a zero.
QString relation(const RecordSet& parent, const RecordSet& child, const Chapter& chapter)
{
    const auto number = [](const RecordSet& set, const QString& name) {
        const std::optional<std::size_t> index = set.fieldIndex(name);
        return index ? quint32(set.fields[*index].number) : quint32(0);
    };
    QString hex;
    for (const quint32 value : {number(parent, chapter.parentField), number(child, chapter.childField), 0u}) {
        for (int byte = 0; byte < 4; ++byte)
            hex += QStringLiteral("%1").arg((value >> (8 * byte)) & 0xff, 2, 16, QLatin1Char('0'));
    }
    return hex;
}

class Writer
{
public:
    QByteArray write(const RecordSet& recordSet)
    {
        line(0, QStringLiteral("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'"));
        line(1, QStringLiteral("xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'"));
        line(1, QStringLiteral("xmlns:rs='urn:schemas-microsoft-com:rowset'"));
        line(1, QStringLiteral("xmlns:z='#RowsetSchema'>"));
        line(0, QStringLiteral("<s:Schema id='RowsetSchema'>"));
        elementType(1, QStringLiteral("row"), recordSet, QString());
        line(0, QStringLiteral("</s:Schema>"));
        line(0, QStringLiteral("<rs:data>"));
        for (const Row& row : recordSet.rows)
            writeRow(1, QStringLiteral("z:row"), recordSet, row);
        line(0, QStringLiteral("</rs:data>"));
        line(0, QStringLiteral("</xml>"));
        return m_text.toUtf8();
    }

private:
    void line(int depth, const QString& text) { m_text += QString(depth, u'\t') + text + u'\n'; }

    void elementType(int depth, const QString& name, const RecordSet& set, const QString& relationHex)
    {
        QString open = QStringLiteral("<s:ElementType name='") + escaped(name) +
                       QStringLiteral("' content='eltOnly' rs:updatable='true'");
        if (!relationHex.isEmpty())
            open += QStringLiteral(" rs:relation='") + relationHex + u'\'';
        line(depth, open + u'>');
        for (const Field& field : set.fields)
            attributeType(depth + 1, field);
        for (std::size_t c = 0; c < set.chapters.size(); ++c)
            elementType(depth + 1, set.chapters[c].name, set.chapterSchemas[c],
                        relation(set, set.chapterSchemas[c], set.chapters[c]));
        line(depth + 1, QStringLiteral("<s:extends type='rs:rowbase'/>"));
        line(depth, QStringLiteral("</s:ElementType>"));
    }

    void attributeType(int depth, const Field& field)
    {
        QString open = QStringLiteral("<s:AttributeType name='") + escaped(field.attribute) +
                       QStringLiteral("' rs:number='") + QString::number(field.number) + u'\'';
        if (field.name != field.attribute)
            open += QStringLiteral(" rs:name='") + escaped(field.name) + u'\'';
        if (field.nullable)
            open += QStringLiteral(" rs:nullable='true'");
        if (!field.baseTable.isEmpty())
            open += QStringLiteral(" rs:basetable='") + escaped(field.baseTable) +
                    QStringLiteral("' rs:basecolumn='") + escaped(field.baseColumn) + u'\'';
        if (field.keyColumn)
            open += QStringLiteral(" rs:keycolumn='true'");
        if (field.autoIncrement)
            open += QStringLiteral(" rs:autoincrement='true'");
        if (field.writeUnknown)
            open += QStringLiteral(" rs:writeunknown='true'");
        line(depth, open + u'>');
        QString type = QStringLiteral("<s:datatype dt:type='") + typeName(field.type) + u'\'';
        if (field.type == FieldType::Currency)
            type += QStringLiteral(" rs:dbtype='currency'");
        else if (field.type == FieldType::Numeric)
            type += QStringLiteral(" rs:dbtype='numeric'");
        if (field.maxLength > 0)
            type += QStringLiteral(" dt:maxLength='") + QString::number(field.maxLength) + u'\'';
        if (field.precision > 0)
            type += QStringLiteral(" rs:precision='") + QString::number(field.precision) + u'\'';
        if (field.scale > 0)
            type += QStringLiteral(" rs:scale='") + QString::number(field.scale) + u'\'';
        if (field.longData)
            type += QStringLiteral(" rs:long='true'");
        if (field.fixedLength)
            type += QStringLiteral(" rs:fixedlength='true'");
        if (!field.maybeNull)
            type += QStringLiteral(" rs:maybenull='false'");
        line(depth + 1, type + QStringLiteral("/>"));
        line(depth, QStringLiteral("</s:AttributeType>"));
    }

    void writeRow(int depth, const QString& element, const RecordSet& set, const Row& row)
    {
        QString open = u'<' + element;
        for (std::size_t i = 0; i < set.fields.size() && i < row.values.size(); ++i) {
            if (!row.values[i].isNull())
                open += u' ' + escaped(set.fields[i].attribute) + QStringLiteral("='") +
                        valueText(row.values[i], set.fields[i].type) + u'\'';
        }
        bool children = false;
        for (const std::vector<Row>& rows : row.children)
            children = children || !rows.empty();
        if (!children) {
            line(depth, open + QStringLiteral("/>"));
            return;
        }
        line(depth, open + u'>');
        for (std::size_t c = 0; c < set.chapters.size() && c < row.children.size(); ++c) {
            for (const Row& child : row.children[c])
                writeRow(depth + 1, set.chapters[c].name, set.chapterSchemas[c], child);
        }
        line(depth, QStringLiteral("</") + element + u'>');
    }

    QString m_text;
};

} // namespace

QByteArray writeAdoXml(const RecordSet& recordSet)
{
    return Writer().write(recordSet);
}

} // namespace dovra::exchange
