#include "base/datatext.h"

#include <charconv>
#include <system_error>

namespace dovra::datatext {

namespace {

template <typename T> QString shortest(T value)
{
    char digits[64];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return QString::fromLatin1(digits, int(end - digits));
}

template <typename T> std::optional<T> parse(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(u'+'))
        text = text.mid(1);
    // from_chars reads ASCII; anything wider cannot be part of a number.
    char ascii[128];
    if (text.isEmpty() || text.size() >= qsizetype(sizeof ascii))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > 0x7f)
            return std::nullopt;
        ascii[i] = char(text[i].unicode());
    }
    T value{};
    const char* end = ascii + text.size();
    const auto [ptr, error] = std::from_chars(ascii, end, value);
    if (error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

QString number(float value)
{
    return shortest(value);
}

QString number(double value)
{
    return shortest(value);
}

std::optional<double> toDouble(QStringView text)
{
    return parse<double>(text);
}

std::optional<float> toFloat(QStringView text)
{
    return parse<float>(text);
}

double singleAsDecimal(float value)
{
    char digits[32];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    double decimal = value;
    std::from_chars(digits, end, decimal);
    return decimal;
}

QString date(const QDate& value)
{
    return value.toString(Qt::ISODate);
}

QString dateTime(const QDateTime& value)
{
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

std::optional<QDate> toDate(const QString& text)
{
    const QDate value = QDate::fromString(text.left(10), Qt::ISODate);
    return value.isValid() ? std::optional<QDate>(value) : std::nullopt;
}

} // namespace dovra::datatext
