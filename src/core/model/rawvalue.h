#pragma once

#include <QVariant>

#include <optional>

namespace dovra {

// Values as they come from the record or straight from an input box: Null, a number, or text
// that may or may not be a number. Null and an empty text both count as not entered.
bool isEntered(const QVariant& value);
// The number a value stands for; empty when it is not entered or not a number. Text is read
// in the user's locale first, then in the C locale, so "1,5" and "1.5" both work where they are
// unambiguous.
std::optional<double> numericValue(const QVariant& value);
// The same in single precision, as the stored fields hold it.
std::optional<float> singleValue(const QVariant& value);

} // namespace dovra
