#include "model/rawvalue.h"

#include "base/datatext.h"

#include <QLocale>

namespace dovra {

bool isEntered(const QVariant& value)
{
    return !value.isNull() && !(value.typeId() == QMetaType::QString && value.toString().isEmpty());
}

std::optional<double> numericValue(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    // Stored numbers come as these two; reading them directly skips the general conversion.
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return double(*static_cast<const qint64*>(value.constData()));
    case QMetaType::Double:
        return *static_cast<const double*>(value.constData());
    default:
        break;
    }
    if (!isEntered(value))
        return std::nullopt;
    bool ok = false;
    if (value.typeId() == QMetaType::QString) {
        // A typed number: with the user's decimal separator and the grouping the boxes show ("1.250,25";
        // Qt takes a group separator only where it belongs, so "4.5" is no 45), or with a decimal point.
        const QString text = value.toString().trimmed();
        const double number = QLocale().toDouble(text, &ok);
        return ok ? std::optional<double>(number) : datatext::toDouble(text);
    }
    const double number = value.toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

std::optional<float> singleValue(const QVariant& value)
{
    const std::optional<double> number = numericValue(value);
    return number ? std::optional<float>(float(*number)) : std::nullopt;
}

} // namespace dovra
