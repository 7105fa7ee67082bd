#include "jsonwriter.h"

#include "base/datatext.h"

#include <cmath>

namespace dovra {

namespace {

template <typename T> QString shortest(T number)
{
    // JSON has no infinity or NaN: those are written as null.
    if (!std::isfinite(number))
        return QStringLiteral("null");
    return datatext::number(number);
}

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

} // namespace

QString jsonNumber(float number)
{
    return shortest(number);
}

QString jsonNumber(double number)
{
    return shortest(number);
}

void JsonWriter::key(const QString& name)
{
    if (!m_first.empty()) {
        if (!m_first.back())
            m_text += QLatin1Char(',');
        m_first.back() = false;
    }
    if (!name.isEmpty())
        m_text += quoted(name) + QLatin1Char(':');
}

void JsonWriter::raw(const QString& token)
{
    m_text += token;
}

JsonWriter& JsonWriter::beginObject(const QString& name)
{
    key(name);
    raw(QStringLiteral("{"));
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    m_first.pop_back();
    raw(QStringLiteral("}"));
    return *this;
}

JsonWriter& JsonWriter::beginArray(const QString& name)
{
    key(name);
    raw(QStringLiteral("["));
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    m_first.pop_back();
    raw(QStringLiteral("]"));
    return *this;
}

JsonWriter& JsonWriter::value(const QString& name, float number)
{
    key(name);
    raw(jsonNumber(number));
    return *this;
}

JsonWriter& JsonWriter::value(const QString& name, double number)
{
    key(name);
    raw(jsonNumber(number));
    return *this;
}

JsonWriter& JsonWriter::value(const QString& name, qint64 number)
{
    key(name);
    raw(QString::number(number));
    return *this;
}

JsonWriter& JsonWriter::value(const QString& name, bool flag)
{
    key(name);
    raw(flag ? QStringLiteral("true") : QStringLiteral("false"));
    return *this;
}

JsonWriter& JsonWriter::value(const QString& name, const QString& text)
{
    key(name);
    raw(quoted(text));
    return *this;
}

JsonWriter& JsonWriter::value(const QString& name, const QVariant& any)
{
    switch (any.typeId()) {
    case QMetaType::Float:
        return value(name, any.toFloat());
    case QMetaType::Double:
        return value(name, any.toDouble());
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UChar:
        return value(name, any.toLongLong());
    case QMetaType::Bool:
        return value(name, any.toBool());
    case QMetaType::QString:
        return value(name, any.toString());
    default:
        key(name);
        raw(QStringLiteral("null"));
        return *this;
    }
}

} // namespace dovra
