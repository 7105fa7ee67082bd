#include "base/formats.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace dovra::formats {

namespace {

// A finite number as decimal digits: value = 0.digits x 10^pointPos, with the sign kept apart.
struct Decimal
{
    bool negative = false;
    std::string digits; // significant digits, "0" for zero
    int pointPos = 0;   // digits before the decimal point; may be negative or beyond the digits
};

// The shortest decimal that reads back as the same float or double. Numbers are rounded from this
// text rather than from the binary value, so 1.005 shows as 1,01 at two decimals the way a reader
// of the value expects, even though the double lies just below 1.005.
template <typename T> Decimal shortestDecimal(T value)
{
    std::array<char, 64> text{};
    const char* end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific).ptr;
    Decimal result;
    const char* p = text.data();
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            result.digits += *p;
    }
    ++p;
    if (*p == '+') // from_chars accepts a minus sign only
        ++p;
    int exponent = 0;
    std::from_chars(p, end, exponent);
    result.pointPos = exponent + 1;
    return result;
}

void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// The magnitude rounded half away from zero to a number of decimals.
struct Fixed
{
    std::string integer;  // without leading zeros, empty when the integer section is zero
    std::string fraction; // exactly the requested number of decimals
};

Fixed toFixed(const Decimal& number, int decimals)
{
    const int kept = number.pointPos + decimals; // digits of the value scaled by 10^decimals
    const int available = static_cast<int>(number.digits.size());
    std::string scaled;
    if (kept >= available) {
        scaled = number.digits + std::string(kept - available, '0');
    } else if (kept >= 0) {
        scaled = number.digits.substr(0, kept);
        if (number.digits[kept] >= '5')
            incrementDigits(scaled);
    }
    // With kept < 0 even the first dropped digit is a leading zero, so nothing is left.
    if (static_cast<int>(scaled.size()) < decimals)
        scaled.insert(0, decimals - scaled.size(), '0');
    const auto split = scaled.size() - decimals;
    Fixed result{scaled.substr(0, split), scaled.substr(split)};
    result.integer.erase(0, result.integer.find_first_not_of('0'));
    return result;
}

bool isZero(const Fixed& fixed)
{
    return fixed.integer.empty() && fixed.fraction.find_first_not_of('0') == std::string::npos;
}

QString grouped(const std::string& digits, const QString& separator)
{
    QString text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += separator;
        text += QLatin1Char(digits[i]);
    }
    return text;
}

// Integer digits padded with zeros to a minimum, fraction trimmed of trailing zeros down to a minimum;
// the decimal separator only appears when decimals are left.
QString layout(Fixed fixed, int minIntegerDigits, int minDecimals, const QString& groupSeparator,
               const QLocale& locale)
{
    if (static_cast<int>(fixed.integer.size()) < minIntegerDigits)
        fixed.integer.insert(0, minIntegerDigits - fixed.integer.size(), '0');
    while (static_cast<int>(fixed.fraction.size()) > minDecimals && fixed.fraction.back() == '0')
        fixed.fraction.pop_back();
    QString text = grouped(fixed.integer, groupSeparator);
    if (!fixed.fraction.empty())
        text += locale.decimalPoint() + QString::fromLatin1(fixed.fraction);
    return text;
}

// A display pattern: literal text around one run of placeholders ("0", "#", "," and ".").
struct NumberPattern
{
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0; // the '0's before the decimal point
    bool grouping = false;    // a ',' among the integer placeholders
    int minDecimals = 0;      // the '0's after the decimal point
    int maxDecimals = 0;      // all placeholders after the decimal point
    bool percent = false;     // a '%' shows the value multiplied by 100
};

NumberPattern parseNumberPattern(const QString& pattern)
{
    enum class Section
    {
        Prefix,
        Integer,
        Fraction,
        Suffix
    };
    NumberPattern result;
    Section section = Section::Prefix;
    for (const QChar c : pattern) {
        const bool placeholder = section != Section::Suffix && QStringView(u"0#.,").contains(c);
        if (!placeholder) {
            if (section != Section::Prefix)
                section = Section::Suffix;
            (section == Section::Prefix ? result.prefix : result.suffix) += c;
            if (c == u'%')
                result.percent = true;
        } else if (c == u'.') {
            section = Section::Fraction;
        } else if (section == Section::Fraction) {
            if (c != u',') {
                ++result.maxDecimals;
                if (c == u'0')
                    ++result.minDecimals;
            }
        } else {
            section = Section::Integer;
            if (c == u',')
                result.grouping = true;
            else if (c == u'0')
                ++result.minIntegerDigits;
        }
    }
    return result;
}

// VB's ordinary number text shows this many significant digits at most, and uses the exponent form
// from this many integer digits on.
constexpr int doubleDigits = 15;
constexpr int singleDigits = 7;

// The number rounded half away from zero to at most a number of significant digits, trailing zeros
// dropped: a computed single such as 33.74f - 10 shows as 23.74, not with the noise of its last bit.
Decimal rounded(Decimal decimal, int significant)
{
    if (static_cast<int>(decimal.digits.size()) > significant) {
        const bool up = decimal.digits[significant] >= '5';
        decimal.digits.resize(significant);
        if (up)
            incrementDigits(decimal.digits);
        if (static_cast<int>(decimal.digits.size()) > significant) { // 999… became 1000…
            decimal.digits.pop_back();
            ++decimal.pointPos;
        }
    }
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal;
}

template <typename T> QString ordinaryTextOf(T value, int significant, const QLocale& locale)
{
    if (!std::isfinite(value))
        return locale.toString(static_cast<double>(value));
    const int exponentFrom = significant;
    Decimal decimal = rounded(shortestDecimal(value), significant);
    const bool zero = decimal.digits == "0";
    const QString sign = decimal.negative && !zero ? QStringLiteral("-") : QString();
    const int exponent = decimal.pointPos - 1;
    // Like VB: exponent form for very large values and for values below 0.0001, "1E-07" style.
    const bool exponentForm = !zero && (exponent < -4 || exponent >= exponentFrom);
    if (exponentForm)
        decimal.pointPos = 1;
    const int decimals = std::max(0, static_cast<int>(decimal.digits.size()) - decimal.pointPos);
    QString text = sign + layout(toFixed(decimal, decimals), 1, 0, QString(), locale);
    if (exponentForm) {
        text += QLatin1Char('E') + QLatin1Char(exponent < 0 ? '-' : '+') +
                QString::number(std::abs(exponent)).rightJustified(2, u'0');
    }
    return text;
}

// CLDR abbreviations end in a full stop ("dec."), the Windows ones the users know do not ("dec").
QString shortMonthName(int month, const QLocale& locale)
{
    QString name = locale.monthName(month, QLocale::ShortFormat);
    if (name.endsWith(u'.'))
        name.chop(1);
    return name;
}

enum class DateField
{
    Year,
    ShortYear,
    Month,
    MonthAbbreviation,
    MonthName,
    Day,
    Hour,
    Minute,
    Second
};

struct DateToken
{
    QStringView text;
    DateField field;
    int width; // numbers are padded with zeros to this width
};

// Longer tokens first, so "yyyy" is not read as two "yy" and "mmm" not as "mm" + "m".
constexpr std::array dateTokens{
    DateToken{u"yyyy", DateField::Year, 4},
    DateToken{u"mmmm", DateField::MonthName, 0},
    DateToken{u"mmm", DateField::MonthAbbreviation, 0},
    DateToken{u"yy", DateField::ShortYear, 2},
    DateToken{u"mm", DateField::Month, 2},
    DateToken{u"dd", DateField::Day, 2},
    DateToken{u"hh", DateField::Hour, 2},
    DateToken{u"nn", DateField::Minute, 2},
    DateToken{u"ss", DateField::Second, 2},
    DateToken{u"m", DateField::Month, 1},
    DateToken{u"d", DateField::Day, 1},
    DateToken{u"h", DateField::Hour, 1},
    DateToken{u"n", DateField::Minute, 1},
    DateToken{u"s", DateField::Second, 1},
};

QString dateFieldText(const DateToken& token, QDate date, QTime time, const QLocale& locale)
{
    int value = 0;
    switch (token.field) {
    case DateField::MonthAbbreviation:
        return shortMonthName(date.month(), locale);
    case DateField::MonthName:
        return locale.monthName(date.month(), QLocale::LongFormat);
    case DateField::Year:
        value = date.year();
        break;
    case DateField::ShortYear:
        value = date.year() % 100;
        break;
    case DateField::Month:
        value = date.month();
        break;
    case DateField::Day:
        value = date.day();
        break;
    case DateField::Hour:
        value = time.hour();
        break;
    case DateField::Minute:
        value = time.minute();
        break;
    case DateField::Second:
        value = time.second();
        break;
    }
    return QString::number(value).rightJustified(token.width, u'0');
}

QString dateTimeText(QDate date, QTime time, const QString& pattern, const QLocale& locale)
{
    if (!date.isValid())
        return {};
    QString text;
    for (qsizetype i = 0; i < pattern.size();) {
        const QStringView rest = QStringView(pattern).mid(i);
        const auto token = std::find_if(dateTokens.begin(), dateTokens.end(),
                                        [rest](const DateToken& t) { return rest.startsWith(t.text); });
        if (token == dateTokens.end()) {
            text += pattern[i];
            ++i;
        } else {
            text += dateFieldText(*token, date, time, locale);
            i += token->text.size();
        }
    }
    return text;
}

} // namespace

QString number(double value, const QString& pattern, const QLocale& locale)
{
    if (!std::isfinite(value))
        return locale.toString(value);
    const NumberPattern format = parseNumberPattern(pattern);
    Decimal decimal = shortestDecimal(value);
    if (format.percent)
        decimal.pointPos += 2;
    const Fixed fixed = toFixed(decimal, format.maxDecimals);
    // A value that rounds to zero shows without sign ("0,00", not "-0,00").
    const QString sign = decimal.negative && !isZero(fixed) ? QStringLiteral("-") : QString();
    return sign + format.prefix +
           layout(fixed, format.minIntegerDigits, format.minDecimals,
                  format.grouping ? locale.groupSeparator() : QString(), locale) +
           format.suffix;
}

QString dateTime(const QDateTime& value, const QString& pattern, const QLocale& locale)
{
    if (!value.isValid())
        return {};
    return dateTimeText(value.date(), value.time(), pattern, locale);
}

QString date(const QDate& value, const QString& pattern, const QLocale& locale)
{
    return dateTimeText(value, QTime(0, 0), pattern, locale);
}

QString ordinaryText(float value, const QLocale& locale)
{
    return ordinaryTextOf(value, singleDigits, locale);
}

QString ordinaryText(double value, const QLocale& locale)
{
    return ordinaryTextOf(value, doubleDigits, locale);
}

} // namespace dovra::formats
