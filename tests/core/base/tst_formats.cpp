#include "base/formats.h"
#include "support/qtprinting.h"

#include <limits>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
const QLocale american(QLocale::English, QLocale::UnitedStates);

QString nl(double value, const char* pattern)
{
    return formats::number(value, QString::fromUtf8(pattern), dutch);
}

QString us(double value, const char* pattern)
{
    return formats::number(value, QString::fromUtf8(pattern), american);
}

} // namespace

TEST(FormatsNumber, EuroAmountsGroupByThousands)
{
    EXPECT_EQ(nl(1234.5, "€ #,##0"), u"€ 1.235");
    EXPECT_EQ(nl(1234567.891, "€ #,##0.00"), u"€ 1.234.567,89");
    EXPECT_EQ(us(1234567.891, "€ #,##0.00"), u"€ 1,234,567.89");
    EXPECT_EQ(nl(999.5, "€ #,##0"), u"€ 1.000");
    EXPECT_EQ(nl(999999.996, "€ #,##0.00"), u"€ 1.000.000,00");
    EXPECT_EQ(nl(123.0, "€ #,##0"), u"€ 123");
    EXPECT_EQ(nl(0.4, "€ #,##0"), u"€ 0");
    // Two placeholders around the comma still group by thousands.
    EXPECT_EQ(nl(1234567.0, "€ #,#0"), u"€ 1.234.567");
    EXPECT_EQ(nl(12.0, "€ #,#0"), u"€ 12");
    EXPECT_EQ(nl(0.0, "€ #,#0"), u"€ 0");
}

TEST(FormatsNumber, WithoutCommaNoGrouping)
{
    EXPECT_EQ(nl(1234567.5, "€ 0"), u"€ 1234568");
    EXPECT_EQ(nl(1234567.125, "€ 0.00"), u"€ 1234567,13");
    EXPECT_EQ(us(1234567.125, "€ 0.00"), u"€ 1234567.13");
    EXPECT_EQ(nl(1e15, "0.00"), u"1000000000000000,00");
    EXPECT_EQ(nl(0.0000001, "0.00"), u"0,00");
}

TEST(FormatsNumber, NegativeSignPrecedesLiteralPrefix)
{
    EXPECT_EQ(nl(-1234.5, "€ #,##0"), u"-€ 1.235");
    EXPECT_EQ(nl(-1234567.125, "#,##0.00"), u"-1.234.567,13");
    EXPECT_EQ(nl(-0.071, "(0.0%)"), u"-(7,1%)");
    EXPECT_EQ(nl(-0.05, "0.0"), u"-0,1");
}

TEST(FormatsNumber, ValueRoundingToZeroHasNoSign)
{
    EXPECT_EQ(nl(-0.004, "0.00"), u"0,00");
    EXPECT_EQ(nl(-0.0, "0.00"), u"0,00");
    EXPECT_EQ(nl(-0.4, "€ #,##0"), u"€ 0");
    EXPECT_EQ(nl(-0.4, "#,#"), u"");
    EXPECT_EQ(nl(-0.005, "0.00"), u"-0,01");
}

TEST(FormatsNumber, HalvesRoundAwayFromZero)
{
    EXPECT_EQ(nl(2.5, "€ 0"), u"€ 3");
    EXPECT_EQ(nl(-2.5, "€ 0"), u"-€ 3");
    EXPECT_EQ(nl(3.5, "€ 0"), u"€ 4");
    EXPECT_EQ(nl(0.125, "0.00"), u"0,13");
    EXPECT_EQ(nl(-0.125, "0.00"), u"-0,13");
    EXPECT_EQ(nl(0.05, "0.0"), u"0,1");
    EXPECT_EQ(nl(9.995, "0.00"), u"10,00");
    EXPECT_EQ(nl(0.994, "0.00"), u"0,99");
}

TEST(FormatsNumber, RoundsTheDecimalValueNotItsBinaryApproximation)
{
    // These doubles lie just below the written half.
    EXPECT_EQ(nl(1.005, "0.00"), u"1,01");
    EXPECT_EQ(nl(2.675, "0.00"), u"2,68");
    EXPECT_EQ(nl(1.015, "#,##0.00"), u"1,02");
    // 0.00115 * 100 is 0.11499999999999999 in binary; the percentage must still round up.
    EXPECT_EQ(nl(0.00115, "0.00%"), u"0,12%");
    EXPECT_EQ(nl(0.00085, "0.00%"), u"0,09%");
}

TEST(FormatsNumber, PercentagesMultiplyByHundred)
{
    EXPECT_EQ(nl(0.125, "0.0%"), u"12,5%");
    EXPECT_EQ(nl(0.1234, "0.0%"), u"12,3%");
    EXPECT_EQ(nl(0.0125, "0.0%"), u"1,3%");
    EXPECT_EQ(nl(1.5, "0.0%"), u"150,0%");
    EXPECT_EQ(nl(0.0, "0.00%"), u"0,00%");
    EXPECT_EQ(nl(0.5, "0.00 %"), u"50,00 %");
    EXPECT_EQ(nl(0.031, "0.0 %"), u"3,1 %");
    EXPECT_EQ(nl(0.071, "(0.0%)"), u"(7,1%)");
    EXPECT_EQ(us(0.125, "0.0%"), u"12.5%");
    EXPECT_EQ(us(0.04567, "0.00 %"), u"4.57 %");
}

TEST(FormatsNumber, OptionalDecimalsDropTrailingZeros)
{
    EXPECT_EQ(nl(1.5, "0.0#"), u"1,5");
    EXPECT_EQ(nl(1.25, "0.0#"), u"1,25");
    EXPECT_EQ(nl(1.255, "0.0#"), u"1,26");
    EXPECT_EQ(nl(2.0, "0.0#"), u"2,0");
    EXPECT_EQ(nl(1.999, "0.0#"), u"2,0");
    EXPECT_EQ(nl(1.204, "0.0#"), u"1,2");
    EXPECT_EQ(nl(-0.001, "0.0#"), u"0,0");
    EXPECT_EQ(us(1.25, "0.0#"), u"1.25");
}

TEST(FormatsNumber, OnlyOptionalIntegerDigitsLeaveZeroBlank)
{
    EXPECT_EQ(nl(0.0, "#,#"), u"");
    EXPECT_EQ(nl(0.4, "#,#"), u"");
    EXPECT_EQ(nl(0.5, "#,#"), u"1");
    EXPECT_EQ(nl(7.0, "#,#"), u"7");
    EXPECT_EQ(nl(1234.0, "#,#"), u"1.234");
    EXPECT_EQ(nl(-1234567.4, "#,#"), u"-1.234.567");
    EXPECT_EQ(us(1234567.4, "#,#"), u"1,234,567");
}

TEST(FormatsNumber, PlainDecimals)
{
    EXPECT_EQ(nl(0.0, "0.0"), u"0,0");
    EXPECT_EQ(nl(12.34, "0.0"), u"12,3");
    EXPECT_EQ(nl(12.0, "0.00"), u"12,00");
    EXPECT_EQ(nl(123456789012.345, "0.00"), u"123456789012,35");
    EXPECT_EQ(us(12.34, "0.00"), u"12.34");
    EXPECT_EQ(nl(0.5, "#,##0.00"), u"0,50");
    EXPECT_EQ(us(1234.5, "#,##0.00"), u"1,234.50");
}

TEST(FormatsNumber, NonFiniteValuesStayVisible)
{
    EXPECT_EQ(nl(std::numeric_limits<double>::infinity(), "€ #,##0"), u"inf");
    EXPECT_EQ(nl(std::numeric_limits<double>::quiet_NaN(), "0.00"), u"nan");
}

TEST(FormatsDate, NumericDayMonthYear)
{
    EXPECT_EQ(formats::date(QDate(2026, 12, 6), QStringLiteral("dd-mm-yyyy"), dutch), u"06-12-2026");
    EXPECT_EQ(formats::date(QDate(2026, 1, 31), QStringLiteral("dd-mm-yyyy"), american), u"31-01-2026");
    EXPECT_EQ(formats::date(QDate(2005, 3, 4), QStringLiteral("d/m/yy"), dutch), u"4/3/05");
    EXPECT_EQ(formats::date(QDate(987, 3, 4), QStringLiteral("yyyy"), dutch), u"0987");
}

TEST(FormatsDate, AbbreviatedMonthWithoutFullStop)
{
    const QString pattern = QStringLiteral(" d-mmm-yyyy  hh:nn");
    EXPECT_EQ(formats::dateTime(QDateTime(QDate(2026, 12, 6), QTime(9, 5)), pattern, dutch),
              u" 6-dec-2026  09:05");
    EXPECT_EQ(formats::dateTime(QDateTime(QDate(2026, 3, 15), QTime(23, 59)), pattern, dutch),
              u" 15-mrt-2026  23:59");
    EXPECT_EQ(formats::dateTime(QDateTime(QDate(2026, 5, 1), QTime(0, 0)), pattern, dutch),
              u" 1-mei-2026  00:00");
    EXPECT_EQ(formats::dateTime(QDateTime(QDate(2026, 10, 1), QTime(14, 30)), pattern, american),
              u" 1-Oct-2026  14:30");
    EXPECT_EQ(formats::date(QDate(2026, 3, 15), QStringLiteral("mmmm yyyy"), dutch), u"maart 2026");
}

TEST(FormatsDate, TimeTokensAndLiteralText)
{
    const QDateTime moment(QDate(2026, 3, 4), QTime(7, 8, 9));
    EXPECT_EQ(formats::dateTime(moment, QStringLiteral("yyyy-mm-ddThh:nn:ss"), dutch),
              u"2026-03-04T07:08:09");
    EXPECT_EQ(formats::dateTime(moment, QStringLiteral("h:n:s"), dutch), u"7:8:9");
    EXPECT_EQ(formats::dateTime(moment, QStringLiteral("[dd.mm.yyyy] hh:nn"), dutch), u"[04.03.2026] 07:08");
    EXPECT_EQ(formats::date(QDate(2026, 3, 4), QStringLiteral("dd-mm-yyyy hh:nn"), dutch),
              u"04-03-2026 00:00");
}

TEST(FormatsDate, InvalidGivesEmptyText)
{
    EXPECT_EQ(formats::date(QDate(), QStringLiteral("dd-mm-yyyy"), dutch), u"");
    EXPECT_EQ(formats::date(QDate(2026, 2, 30), QStringLiteral("dd-mm-yyyy"), dutch), u"");
    EXPECT_EQ(formats::dateTime(QDateTime(), QStringLiteral(" d-mmm-yyyy  hh:nn"), dutch), u"");
}

TEST(FormatsOrdinaryText, SingleShowsAtMostSevenDigits)
{
    EXPECT_EQ(formats::ordinaryText(5.06f, dutch), u"5,06");
    EXPECT_EQ(formats::ordinaryText(5.06f, american), u"5.06");
    EXPECT_EQ(formats::ordinaryText(19.0f, dutch), u"19");
    EXPECT_EQ(formats::ordinaryText(0.1f, dutch), u"0,1");
    EXPECT_EQ(formats::ordinaryText(-2.5f, dutch), u"-2,5");
    EXPECT_EQ(formats::ordinaryText(1234567.0f, dutch), u"1234567");
    EXPECT_EQ(formats::ordinaryText(1e7f, dutch), u"1E+07");
    // Computed singles, whose shortest texts carry the noise of their last bit.
    EXPECT_EQ(formats::ordinaryText(33.74f - 10, dutch), u"23,74");
    EXPECT_EQ(formats::ordinaryText(1500 * 1.0506f, dutch), u"1575,9");
    EXPECT_EQ(formats::ordinaryText(0.1f + 0.2f, dutch), u"0,3");
    EXPECT_EQ(formats::ordinaryText(9999999.5f, dutch), u"1E+07");
    EXPECT_EQ(formats::ordinaryText(-1.9999999f, dutch), u"-2");
    // The same single widened to double shows 15 digits.
    EXPECT_EQ(formats::ordinaryText(static_cast<double>(0.1f), dutch), u"0,100000001490116");
}

TEST(FormatsOrdinaryText, DoubleShowsAtMostFifteenDigits)
{
    EXPECT_EQ(formats::ordinaryText(1234567.5, dutch), u"1234567,5");
    EXPECT_EQ(formats::ordinaryText(1234567.5, american), u"1234567.5");
    EXPECT_EQ(formats::ordinaryText(100000.0, dutch), u"100000");
    EXPECT_EQ(formats::ordinaryText(123456789012345.0, dutch), u"123456789012345");
    EXPECT_EQ(formats::ordinaryText(0.0001, dutch), u"0,0001");
    EXPECT_EQ(formats::ordinaryText(0.1 + 0.2, dutch), u"0,3");
    EXPECT_EQ(formats::ordinaryText(2.0 / 3, dutch), u"0,666666666666667");
    EXPECT_EQ(formats::ordinaryText(-0.0, dutch), u"0");
    EXPECT_EQ(formats::ordinaryText(-0.0f, dutch), u"0");
}

TEST(FormatsOrdinaryText, ExponentFormLikeVisualBasic)
{
    EXPECT_EQ(formats::ordinaryText(1e-7, dutch), u"1E-07");
    EXPECT_EQ(formats::ordinaryText(-1.5e-7, dutch), u"-1,5E-07");
    EXPECT_EQ(formats::ordinaryText(1.5e-7, american), u"1.5E-07");
    EXPECT_EQ(formats::ordinaryText(0.00001, dutch), u"1E-05");
    EXPECT_EQ(formats::ordinaryText(1e15, dutch), u"1E+15");
    EXPECT_EQ(formats::ordinaryText(2.5e22, dutch), u"2,5E+22");
    EXPECT_EQ(formats::ordinaryText(1e-100, dutch), u"1E-100");
}
