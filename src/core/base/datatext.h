#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// Numbers and dates as the data file, the exchange file, the settings, JSON, CSV and command lines hold
// them. None of these follows the user's locale: a Dutch desktop must write and read the same bytes as any
// other. What a person reads or types goes through formats.h (display) and the screens' QLocale instead.
namespace dovra::datatext {

// The shortest digits that read back as the same value, with a decimal point and no grouping
// (5.06f gives "5.06", 1e20 gives "1e+20").
QString number(float value);
QString number(double value);

// A number written as above, also with a leading '+' or surrounding spaces; nothing for anything else
// (a decimal comma, grouping, trailing text, a value beyond the type's range).
std::optional<double> toDouble(QStringView text);
std::optional<float> toFloat(QStringView text);

// The double a single stands for as a decimal (5.06f gives 5.06, not 5.0599999427...).
double singleAsDecimal(float value);

// Stored dates: "yyyy-MM-dd", and "yyyy-MM-dd HH:mm:ss" for a moment; a stored date is read from its
// first ten characters.
QString date(const QDate& value);
QString dateTime(const QDateTime& value);
std::optional<QDate> toDate(const QString& text);

} // namespace dovra::datatext
