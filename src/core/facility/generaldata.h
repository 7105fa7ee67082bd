#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace dovra {

// What the boxes of the facility's general data accept and the captions that follow from its type
// (1 landfill, 2 dredging depot).
namespace generaldata {

// A rate in percent: decimals with the locale's separator, no grouping; empty, after telling the user,
// when the text is no number.
std::optional<float> enteredRate(const QString& text);
// The aftercare start as typed: d-M-yyyy, d-M-yy (years before 1930 are of the next century), d/M/yyyy
// or yyyy-MM-dd, on the 1st or the 16th; empty, after telling the user, otherwise.
std::optional<QDate> enteredStartDate(const QString& text);
// The aftercare start as its box shows it: d-m-yyyy ("1-7-2028").
QString startDateText(const QDate& date);

QString typeCaption(qint64 facilityType);
QString objectBoundCaption(int facilityType);

} // namespace generaldata

} // namespace dovra
