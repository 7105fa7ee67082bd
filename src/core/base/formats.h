#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace dovra::formats {

// Renders a number with one of the display patterns the screens and reports use:
// "€ #,##0", "€ #,#0", "€ #,##0.00", "€ 0", "€ 0.00", "#,##0.00", "0.0%", "0.00%", "0.00 %",
// "0.0 %", "(0.0%)", "0.0#", "#,#", "0.00", "0.0".
// Digits, grouping and decimal separator follow the locale; halves round away from zero.
QString number(double value, const QString& pattern, const QLocale& locale = QLocale());

// Renders a date/time with "dd-mm-yyyy" or " d-mmm-yyyy  hh:nn" (month names from the locale).
QString dateTime(const QDateTime& value, const QString& pattern, const QLocale& locale = QLocale());
QString date(const QDate& value, const QString& pattern, const QLocale& locale = QLocale());

// The ordinary text form of a number: at most 7 (single) or 15 (double) significant digits, rounded,
// without trailing zeros, with the locale's decimal separator (5.06f gives "5,06" in Dutch,
// 33.74f - 10 gives "23,74").
QString ordinaryText(float value, const QLocale& locale = QLocale());
QString ordinaryText(double value, const QLocale& locale = QLocale());

} // namespace dovra::formats
