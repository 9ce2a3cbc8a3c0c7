// Number parsing of the scaling fields, the range of each field at its
// bounds, and the one-attempt register traffic around the cam table (the
// check order is tested through the panel).
#include "drive/puu_params.h"

#include "drive/cam_table.h"
#include "fake_field_io.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

using namespace puu;

TEST(PuuParse, BehavesLikeStrtolOnUserText)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"  42", 42}, {"-17abc", -17}, {"+8", 8}, {"abc", 0}, {"", 0}, {"-", 0}, {"12.9", 12},
        {"99999999999999999999", INT32_MAX}, {"-99999999999999999999", INT32_MIN},
        {"2147483648", INT32_MAX}, {"-2147483648", INT32_MIN},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseInt(text), value) << text;
}

TEST(PuuRanges, EachFieldAtJustInsideAndJustOutsideItsBounds)
{
    // Accepted: the lower bound, just inside both bounds, the upper bound; refused: just outside both and far out.
    struct Bound { Field field; const char* message; const char* accepted[5]; const char* refused[5]; };
    const Bound bounds[] = {
        {kSlavePulse, "从轴脉冲数超出范围(1~0x40000000)",
         {"1", "2", "1073741823", "1073741824", "+1073741824"},
         {"0", "-1", "1073741825", "-2147483648", "2147483647"}},
        {kSlaveUnit, "从轴脉冲数对应的单位量超出范围(1~30000)",
         {"1", "2", "29999", "30000", " 30000"},
         {"0", "-1", "30001", "-30000", "65536"}},
        {kMasterPulse, "主轴脉冲数超出范围(1~0x40000000)",
         {"1", "2", "1073741823", "1073741824", "1073741824x"},
         {"0", "-1", "1073741825", "-1073741824", "99999999999"}},
        {kMasterUnit, "主轴脉冲数对应的单位量超出范围(1~30000)",
         {"1", "2", "29999", "30000", "30000.9"},
         {"0", "-1", "30001", "-30001", "-99999999999"}},
    };
    const Texts valid = {"131072", "360", "10000", "25"};
    for (const Bound& b : bounds) {
        for (const char* text : b.accepted) {
            Texts t = valid;
            t[b.field] = text;
            Values v;
            EXPECT_FALSE(CheckRanges(t, &v)) << b.field << ": " << text;
            EXPECT_EQ((std::array{v.slavePulse, v.slaveUnit, v.masterPulse, v.masterUnit}[b.field]), ParseInt(text));
        }
        for (const char* text : b.refused) {
            Texts t = valid;
            t[b.field] = text;
            const Problem p = CheckRanges(t, nullptr);
            EXPECT_EQ(std::tuple(p.field, std::string(p.message ? p.message : ""), p.selectAll),
                      std::tuple(b.field, std::string(b.message), true)) << text;
        }
    }
    // With every field out of range the first in check order is reported.
    EXPECT_EQ(CheckRanges({"0", "-1", "1073741825", "30001"}, nullptr).field, kSlavePulse);
    EXPECT_EQ(CheckRanges({"1", "30000", "-5", "30001"}, nullptr).field, kMasterPulse);
}

TEST(PuuRegisters, WriteOrderWidthsStopAtFailureAndReadBack)
{
    FakeFieldIo io;
    Values v{131072, 360, 10000, 25};   // slave pulse, slave unit, master pulse, master unit
    ASSERT_TRUE(WriteValues(io, v));
    EXPECT_EQ(io.calls, (std::vector<FakeFieldIo::Call>{{0x1B00, 16, 25}, {0x1B01, 32, 10000}, {0x1B03, 16, 360},
                                                         {0x1B04, 32, 131072}}));
    Values back;
    ASSERT_TRUE(ReadValues(io, back));
    EXPECT_EQ(std::tuple(back.slavePulse, back.slaveUnit, back.masterPulse, back.masterUnit),
              std::tuple(131072, 360, 10000, 25));

    // One attempt only; the first failure ends the sequence.
    FakeFieldIo bad;
    bad.failuresLeft[0x1B01] = 1;
    EXPECT_FALSE(WriteValues(bad, v));
    EXPECT_EQ(bad.calls.size(), 2u);
    EXPECT_EQ(bad.regs.count(0x1B03), 0u);

    int n = -1;
    ASSERT_TRUE(WritePointCount(io, 273));
    io.failuresLeft[0x1B08] = 2;
    EXPECT_FALSE(ReadPointCount(io, n, 2));
    ASSERT_TRUE(ReadPointCount(io, n, 2));
    EXPECT_EQ(n, 273);
    io.connected = false;
    n = 7;
    EXPECT_FALSE(ReadPointCount(io, n));
    EXPECT_EQ(n, 7);
    EXPECT_FALSE(ReadValues(io, back));
}
