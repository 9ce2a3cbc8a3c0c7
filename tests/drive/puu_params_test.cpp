// Axis-scaling checks (their order decides which field the user is sent to)
// and the one-attempt register traffic around the cam table.
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

TEST(PuuCheck, EmptyBeforeZeroAndFirstFieldInOrderWins)
{
    // Order of the checks: 6012, 6010, 6013, 6011.
    Problem p = CheckInput({"", "0", "", "5"});
    EXPECT_EQ(p.field, kSlavePulse);
    EXPECT_STREQ(p.message, "请输入单位转换的换算比!");
    EXPECT_FALSE(p.selectAll);

    p = CheckInput({"10", "0", "x", ""});   // an empty field outranks zeros before it
    EXPECT_EQ(p.field, kMasterUnit);
    EXPECT_STREQ(p.message, "请输入单位转换的换算比!");

    p = CheckInput({"10", "5", "abc", "0"});
    EXPECT_EQ(p.field, kMasterPulse);
    EXPECT_STREQ(p.message, "数据输入有误!");
    EXPECT_TRUE(p.selectAll);

    EXPECT_FALSE(CheckInput({"1", "1", "1", "1"}));
    EXPECT_FALSE(CheckInput({"-1", "1", "1", "1"}));   // non-zero passes here; range comes later
}

TEST(PuuCheck, RangesInFieldOrderWithExactMessages)
{
    Values v;
    EXPECT_FALSE(CheckRanges({"1073741824", "30000", "1", "1"}, &v));
    EXPECT_EQ(v.slavePulse, 0x40000000);
    EXPECT_EQ(v.slaveUnit, 30000);

    Problem p = CheckRanges({"1073741825", "30001", "-1", "0"}, &v);
    EXPECT_EQ(p.field, kSlavePulse);
    EXPECT_STREQ(p.message, "从轴脉冲数超出范围(1~0x40000000)");
    p = CheckRanges({"10", "30001", "-1", "0"}, &v);
    EXPECT_EQ(p.field, kSlaveUnit);
    EXPECT_STREQ(p.message, "从轴脉冲数对应的单位量超出范围(1~30000)");
    p = CheckRanges({"10", "10", "-1", "0"}, &v);
    EXPECT_EQ(p.field, kMasterPulse);
    EXPECT_STREQ(p.message, "主轴脉冲数超出范围(1~0x40000000)");
    p = CheckRanges({"10", "10", "10", "-3"}, &v);
    EXPECT_EQ(p.field, kMasterUnit);
    EXPECT_STREQ(p.message, "主轴脉冲数对应的单位量超出范围(1~30000)");
    EXPECT_TRUE(p.selectAll);
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
