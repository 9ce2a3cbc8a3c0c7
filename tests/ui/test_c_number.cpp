// Numbers typed by users: leading number, 0 when none, never locale-bound.
// (The clamp to 32 bits: the shared parser's test in tests/files.)
#include "ui/c_number.h"

#include <gtest/gtest.h>

TEST(CNumber, ReadsTheLeadingNumberLikeTheCLibrary)
{
    int n = -1;
    EXPECT_DOUBLE_EQ(CStrToDouble(QStringLiteral("  12.5abc"), &n), 12.5);
    EXPECT_EQ(n, 6);
    EXPECT_DOUBLE_EQ(CToF(QStringLiteral("1.2.3")), 1.2);
    EXPECT_DOUBLE_EQ(CToF(QStringLiteral("--5")), 0.0);
    EXPECT_DOUBLE_EQ(CToF(QStringLiteral("7\uFF18")), 7.0);  // a full-width digit ends it

    EXPECT_EQ(CToI(QStringLiteral(" 12.9xyz")), 12);
    EXPECT_EQ(CToI(QStringLiteral("x1")), 0);
    EXPECT_EQ(CStrToLong(QStringLiteral("0x1F!"), 0, &n), 31);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(CStrToLong(QStringLiteral("12"), 1, &n), 0);  // invalid base reads nothing
    EXPECT_EQ(n, 0);
}
