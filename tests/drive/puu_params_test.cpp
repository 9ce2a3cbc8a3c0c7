// Number parsing of the scaling fields and the one-attempt register
// traffic around the cam table (the check order is tested through the panel).
#include "drive/puu_params.h"

#include "drive/cam_table.h"
#include "fake_field_io.h"

#include <gtest/gtest.h>

using namespace puu;

TEST(PuuParse, BehavesLikeStrtolOnUserText)
{
    EXPECT_EQ(ParseInt("  42"), 42);
    EXPECT_EQ(ParseInt("-17abc"), -17);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("abc"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("-"), 0);
    EXPECT_EQ(ParseInt("12.9"), 12);
    EXPECT_EQ(ParseInt("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(ParseInt("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(ParseInt("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseInt("-2147483648"), INT32_MIN);
}

TEST(PuuRegisters, WriteOrderWidthsStopAtFailureAndReadBack)
{
    FakeFieldIo io;
    Values v{131072, 360, 10000, 25};   // slave pulse, slave unit, master pulse, master unit
    ASSERT_TRUE(WriteValues(io, v));
    ASSERT_EQ(io.calls.size(), 4u);
    const uint16_t order[] = {0x1B00, 0x1B01, 0x1B03, 0x1B04};
    const uint32_t widths[] = {16, 32, 16, 32};
    const uint32_t values[] = {25, 10000, 360, 131072};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(io.calls[i].address, order[i]);
        EXPECT_EQ(io.calls[i].width, widths[i]);
        EXPECT_EQ(io.calls[i].value, values[i]);
    }
    Values back;
    ASSERT_TRUE(ReadValues(io, back));
    EXPECT_EQ(back.slavePulse, 131072);
    EXPECT_EQ(back.slaveUnit, 360);
    EXPECT_EQ(back.masterPulse, 10000);
    EXPECT_EQ(back.masterUnit, 25);

    // One attempt only; the first failure ends the sequence.
    FakeFieldIo bad;
    bad.failuresLeft[0x1B01] = 1;
    EXPECT_FALSE(WriteValues(bad, v));
    EXPECT_EQ(bad.calls.size(), 2u);
    EXPECT_EQ(bad.regs.count(0x1B03), 0u);

    int n = -1;
    ASSERT_TRUE(WritePointCount(io, 273));
    ASSERT_TRUE(ReadPointCount(io, n));
    EXPECT_EQ(n, 273);
    io.connected = false;
    n = 7;
    EXPECT_FALSE(ReadPointCount(io, n));
    EXPECT_EQ(n, 7);
    EXPECT_FALSE(ReadValues(io, back));
}
