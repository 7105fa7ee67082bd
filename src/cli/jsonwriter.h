#pragma once

#include <QString>
#include <QVariant>

#include <vector>

namespace dovra {

// Writes JSON text with numbers that read back as exactly the value held: a single with the
// shortest digits of a single, a double with those of a double.
class JsonWriter
{
public:
    JsonWriter& beginObject(const QString& key = {});
    JsonWriter& endObject();
    JsonWriter& beginArray(const QString& key = {});
    JsonWriter& endArray();

    JsonWriter& value(const QString& key, float number);
    JsonWriter& value(const QString& key, double number);
    JsonWriter& value(const QString& key, qint64 number);
    JsonWriter& value(const QString& key, int number) { return value(key, qint64(number)); }
    JsonWriter& value(const QString& key, bool flag);
    JsonWriter& value(const QString& key, const QString& text);
    // Null, a whole number, a single, a double or text.
    JsonWriter& value(const QString& key, const QVariant& any);
    // Array elements.
    JsonWriter& element(float number) { return value(QString(), number); }
    JsonWriter& element(const QVariant& any) { return value(QString(), any); }

    QString text() const { return m_text + QLatin1Char('\n'); }

private:
    void key(const QString& name);
    void raw(const QString& token);

    QString m_text;
    std::vector<bool> m_first; // per open object or array: nothing written in it yet
};

QString jsonNumber(float number);
QString jsonNumber(double number);

} // namespace dovra
