// Number and date texts by the patterns the reports use, in the user's locale.
#include "base/formats.h"
#include "support/qtprinting.h"

#include <limits>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
const QLocale american(QLocale::English, QLocale::UnitedStates);

// value|pattern|Dutch text[|American text]
TEST(Formats, NumberByPattern)
{
    const char* const cases[] = {
        // Grouping by thousands only with a comma, also with two placeholders around it.
        "1234567.891|€ #,##0.00|€ 1.234.567,89|€ 1,234,567.89", "999.5|€ #,##0|€ 1.000",
        "1234567|€ #,#0|€ 1.234.567", "0.4|€ #,##0|€ 0", "1234567.125|€ 0.00|€ 1234567,13|€ 1234567.13",
        "1e15|0.00|1000000000000000,00",
        // The sign precedes the literal prefix; a value rounding to zero has none.
        "-1234.5|€ #,##0|-€ 1.235", "-0.071|(0.0%)|-(7,1%)", "-0.004|0.00|0,00", "-0|0.00|0,00",
        "-0.4|€ #,##0|€ 0", "-0.005|0.00|-0,01",
        // Halves round away from zero, by the decimal value, not its binary approximation.
        "2.5|€ 0|€ 3", "-2.5|€ 0|-€ 3", "-0.125|0.00|-0,13", "9.995|0.00|10,00", "0.994|0.00|0,99",
        "1.005|0.00|1,01", "2.675|0.00|2,68", "0.00115|0.00%|0,12%", "0.00085|0.00%|0,09%",
        // Percentages multiply by hundred.
        "0.125|0.0%|12,5%|12.5%", "1.5|0.0%|150,0%", "0.04567|0.00 %|4,57 %|4.57 %",
        // Optional decimals drop trailing zeros; only optional integer digits leave zero blank.
        "1.25|0.0#|1,25|1.25", "1.255|0.0#|1,26", "1.999|0.0#|2,0", "1.204|0.0#|1,2", "-0.001|0.0#|0,0",
        "0.4|#,#|", "0.5|#,#|1", "-1234567.4|#,#|-1.234.567|-1,234,567", "0.5|#,##0.00|0,50",
        "123456789012.345|0.00|123456789012,35",
        // Non-finite values stay visible.
        "inf|€ #,##0|inf", "nan|0.00|nan"};
    for (const char* c : cases) {
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        const double value = fields[0].toDouble();
        EXPECT_EQ(formats::number(value, fields[1], dutch), fields[2]) << c;
        if (fields.size() > 3) {
            EXPECT_EQ(formats::number(value, fields[1], american), fields[3]) << c;
        }
    }
}

// Date and time texts; abbreviated months without a full stop; an invalid date gives no text.
TEST(Formats, DateByPattern)
{
    const QDateTime moment(QDate(2026, 3, 4), QTime(7, 8, 9));
    EXPECT_EQ(formats::dateTime(moment, QStringLiteral("h:n:s [dd.mm.yyyy] d/m/yy"), dutch),
              u"7:8:9 [04.03.2026] 4/3/26");
    EXPECT_EQ(formats::dateTime(moment, QStringLiteral(" d-mmm-yyyy  hh:nn mmmm"), dutch),
              u" 4-mrt-2026  07:08 maart");
    EXPECT_EQ(formats::dateTime(moment, QStringLiteral(" d-mmm-yyyy"), american), u" 4-Mar-2026");
    EXPECT_EQ(formats::date(QDate(987, 10, 1), QStringLiteral("dd-mm-yyyy hh:nn"), dutch),
              u"01-10-0987 00:00");
    EXPECT_EQ(formats::date(QDate(2026, 2, 30), QStringLiteral("dd-mm-yyyy"), dutch), u"");
    EXPECT_EQ(formats::dateTime(QDateTime(), QStringLiteral("dd-mm-yyyy"), dutch), u"");
}

// The general text of a number: a single with at most 7 digits, a double with 15, exponents as Visual
// Basic writes them; computed singles without the noise of their last bit.
TEST(Formats, OrdinaryText)
{
    const std::pair<float, const char*> singles[] = {{5.06f, "5,06"},
                                                     {19.0f, "19"},
                                                     {-2.5f, "-2,5"},
                                                     {1234567.0f, "1234567"},
                                                     {1e7f, "1E+07"},
                                                     {33.74f - 10, "23,74"},
                                                     {1500 * 1.0506f, "1575,9"},
                                                     {0.1f + 0.2f, "0,3"},
                                                     {9999999.5f, "1E+07"},
                                                     {-1.9999999f, "-2"},
                                                     {-0.0f, "0"}};
    for (const auto& [value, text] : singles)
        EXPECT_EQ(formats::ordinaryText(value, dutch), QString::fromUtf8(text)) << text;
    for (const char* c :
         {"1234567.5|1234567,5", "123456789012345|123456789012345", "0.0001|0,0001", "0.3|0,3",
          "0.66666666666666663|0,666666666666667", "0.100000001490116119384765625|0,100000001490116", "-0|0",
          "1e-7|1E-07", "-1.5e-7|-1,5E-07", "0.00001|1E-05", "1e15|1E+15", "2.5e22|2,5E+22",
          "1e-100|1E-100"}) {
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        EXPECT_EQ(formats::ordinaryText(fields[0].toDouble(), dutch), fields[1]) << c;
    }
    EXPECT_EQ(formats::ordinaryText(0.1 + 0.2, dutch), u"0,3");
    EXPECT_EQ(formats::ordinaryText(5.06f, american), u"5.06");
    EXPECT_EQ(formats::ordinaryText(1.5e-7, american), u"1.5E-07");
}

} // namespace
