// Numbers typed by users: leading number, 0 when none, never locale-bound.
#include "ui/c_number.h"

#include <QString>
#include <clocale>
#include <gtest/gtest.h>

TEST(CNumber, DoubleReadsTheLeadingNumberOnly)
{
    int n = -1;
    EXPECT_DOUBLE_EQ(CStrToDouble(QStringLiteral("  12.5abc"), &n), 12.5);
    EXPECT_EQ(n, 6);
    EXPECT_DOUBLE_EQ(CStrToDouble(QStringLiteral("-3e2x")), -300.0);
    EXPECT_DOUBLE_EQ(CStrToDouble(QStringLiteral("1.2.3")), 1.2);
    EXPECT_DOUBLE_EQ(CStrToDouble(QStringLiteral("--5")), 0.0);
    EXPECT_DOUBLE_EQ(CStrToDouble(QStringLiteral("5-")), 5.0);
    EXPECT_DOUBLE_EQ(CToF(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(CToF(QString()), 0.0);
    // A non-ASCII character ends the number, even a full-width digit.
    EXPECT_DOUBLE_EQ(CToF(QStringLiteral("7\uFF18")), 7.0);
    EXPECT_DOUBLE_EQ(CToF(std::string("42.25 mm")), 42.25);
    n = -1;
    EXPECT_DOUBLE_EQ(CStrToDouble(std::string("x"), &n), 0.0);
    EXPECT_EQ(n, 0);
}

TEST(CNumber, DecimalPointIgnoresTheProcessLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    // A locale with a decimal comma, when the system has one.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_DOUBLE_EQ(CToF(QStringLiteral("1.5")), 1.5);
        EXPECT_DOUBLE_EQ(CToF(QStringLiteral("1,5")), 1.0);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_DOUBLE_EQ(CToF(QStringLiteral("1.5")), 1.5);
}

TEST(CNumber, IntegersClampToThirtyTwoBitsAndHonourTheBase)
{
    EXPECT_EQ(CToI(QStringLiteral(" 123xyz")), 123);
    EXPECT_EQ(CToI(QStringLiteral("12.9")), 12);
    EXPECT_EQ(CToI(QStringLiteral("-77")), -77);
    EXPECT_EQ(CToI(QStringLiteral("x1")), 0);
    EXPECT_EQ(CToI(QStringLiteral("99999999999")), INT32_MAX);
    EXPECT_EQ(CToI(QStringLiteral("-99999999999")), INT32_MIN);
    int n = 0;
    EXPECT_EQ(CStrToLong(QStringLiteral("0x1F!"), 0, &n), 31);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(CStrToLong(QStringLiteral("0x1F"), 10), 0);
    EXPECT_EQ(CStrToLong(QStringLiteral("ff"), 16), 255);
    EXPECT_EQ(CStrToLong(QStringLiteral("12"), 1, &n), 0);
    EXPECT_EQ(n, 0);
}
