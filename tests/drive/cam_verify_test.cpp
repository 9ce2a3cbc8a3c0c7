// Read-back after a write, against the in-memory drive: the block requests
// made (every length different within a pass), what a damaged field turns
// into and the lines shown for it, an unreadable or silent drive, and stop
// requests.
#include "drive/cam_verify.h"

#include "drive/block_read.h"
#include "drive/transfer_stop.h"
#include "fake_field_io.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using camverify::Field;
using camverify::Mismatch;

namespace {

// The drive after a successful write of `e`, by the real write code.
void Write(FakeFieldIo& io, const camverify::Expected& e)
{
    if (e.scaling) {
        ASSERT_TRUE(puu::WriteValues(io, *e.scaling));
    }
    ASSERT_TRUE(puu::WritePointCount(io, e.pointCount));
    CCamTransfer x(io, {0ms, 1});
    const auto ignore = [](unsigned, uintptr_t) {};
    ASSERT_EQ(e.special ? x.SpecialWrite(e.table, ignore) : x.StandardWrite(e.table, ignore), camxfer::kOk);
    io.calls.clear();
}

camverify::Expected Standard(int points)
{
    return {puu::Values{131072, 360, 10000, 25}, points, Ramp(points), false};
}

} // namespace

TEST(CamVerify, CleanWritesAreReadInOneBlockPass)
{
    // 17 standard points cross into the second group (point 16 at 0x1F00):
    // the scaling and count in one request, then each group's points. A
    // special write: no scaling, four words a point, point 25 at 0x4100.
    const std::pair<camverify::Expected, std::vector<RegSpan>> cases[] = {
        {Standard(17), {{0x1B00, 9}, {0x1E00, 96}, {0x1F00, 6}}},
        {{std::nullopt, 26, Ramp(26), true}, {{0x1B08, 1}, {0x4000, 100}, {0x4100, 4}}},
    };
    for (const auto& [expected, spans] : cases) {
        FakeFieldIo io;
        Write(io, expected);
        CCamVerifier v(io, {0ms, 10});
        std::vector<Mismatch> found = {Mismatch{}};   // stale contents are cleared
        Recorder rec;
        EXPECT_EQ(v.Verify(expected, found, rec.Fn()), camxfer::kOk);
        EXPECT_TRUE(found.empty());
        ASSERT_EQ(io.passes.size(), 1u);
        EXPECT_EQ(io.passes[0], spans);
        std::vector<Msg> progress;
        for (uintptr_t k = 0; k < expected.table.size(); ++k)
            progress.push_back({camxfer::kVerifyProgress, k});
        EXPECT_EQ(rec.msgs, progress);
        EXPECT_TRUE(io.calls.empty());
    }
}

TEST(CamVerify, WholeTablesAreReadOnceInOrderInAsFewPassesAsTheLengthsAllow)
{
    // Each register holds its address, so one read twice, skipped or out of order shows in the words; the fake
    // drive holds each request to the lengths the data service takes.
    struct Case { std::size_t points; bool special; std::size_t passes; };
    for (const Case c : {Case{272, false, 1}, Case{100, false, 1}, Case{1, false, 1}, Case{1500, true, 2},
                         Case{1250, true, 1}}) {
        SCOPED_TRACE(std::to_string(c.points) + (c.special ? " special" : " standard"));
        const auto ranges = blockread::TableRanges(c.points, c.special);
        FakeFieldIo io;
        std::vector<uint16_t> want, words;
        for (const auto& r : ranges)
            for (uint32_t k = 0; k < r.count; ++k)
                want.push_back(io.regs[static_cast<uint16_t>(r.address + k)] = static_cast<uint16_t>(r.address + k));
        EXPECT_EQ(want.size(), c.points * (c.special ? 4 : 6));
        EXPECT_EQ(CBlockReader(io, {0ms, 1}).Read(ranges, words), CBlockReader::kOk);
        EXPECT_EQ(words, want);
        EXPECT_EQ(io.passes.size(), c.passes);
    }
}

TEST(CamVerify, EveryDifferingFieldIsListedAndAnUnreadableDriveIsNoDifference)
{
    FakeFieldIo io;
    const auto expected = Standard(5);
    Write(io, expected);
    io.regs[0x1E12] = 0;                        // point 3 master 2995 -> 0
    io.regs[0x1E15] = 0x0007;                   // point 3 slave -21 -> 0x0007FFEB (both words count)
    io.regs[0x1B08] = 4;                        // the count
    io.regs[0x1B03] = 0xFFFF;                   // slave units, a 16-bit signed field
    io.regs[0x1B01] = 0;                        // master pulses 10000 -> 0x00000000
    io.failuresLeft[0x1E18] = 9;                // the tenth pass reads it

    CCamVerifier v(io, {0ms, 10});
    std::vector<Mismatch> found;
    EXPECT_EQ(v.Verify(expected, found), camxfer::kVerifyFailed);
    const std::vector<Mismatch> want = {
        {-1, Field::kSlaveUnit, 360, -1, false},
        {-1, Field::kMasterPulse, 10000, 0, false},
        {-1, Field::kPointCount, 5, 4, false},
        {3, Field::kMaster, 2995, 0, false},
        {3, Field::kSlave, -21, 0x0007FFEB, false},
    };
    EXPECT_EQ(found, want);
    EXPECT_EQ(io.passes.size(), 10u);

    EXPECT_EQ(camverify::DescribeList(found, 5), "从轴脉冲数对应的单位量: 写入 360, 读回 -1\n"
                                                 "主轴脉冲数: 写入 10000, 读回 0\n"
                                                 "凸轮点数: 写入 5, 读回 4\n"
                                                 "第3点 主轴位置: 写入 2995, 读回 0\n"
                                                 "第3点 从轴位置: 写入 -21, 读回 524267");
    EXPECT_EQ(camverify::Describe({-1, Field::kSlavePulse, 131072, 0, true}), "从轴脉冲数: 写入 131072, 读回失败");
    EXPECT_EQ(camverify::Describe({-1, Field::kMasterUnit, 25, 26, false}), "主轴脉冲数对应的单位量: 写入 25, 读回 26");

    // Garbled every time: a read failure after exactly the attempts, nothing listed.
    io.failuresLeft[0x1E18] = 100;
    io.passes.clear();
    CCamVerifier three(io, {0ms, 3});
    EXPECT_EQ(three.Verify(expected, found), camxfer::kReadFailed);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(io.passes.size(), 3u);

    // Silent: given up after a few attempts, not all of them.
    FakeFieldIo dead;
    dead.connected = false;
    CCamVerifier d(dead, {0ms, 10});
    const camverify::Expected special = {std::nullopt, 3, Ramp(3), true};
    EXPECT_EQ(d.Verify(special, found), camxfer::kNoAnswer);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(dead.passes.size(), std::size_t{blockread::kSilentAttempts});
}

TEST(CamVerify, StopEndsAtTheNextAttemptAndListsNothingUnread)
{
    const auto expected = Standard(6);
    // Asked while a pass fails: no further attempt (nor its long pause), nothing listed.
    CTransferStop stop;
    FakeFieldIo io;
    io.failuresLeft[0x1B00] = 100;
    io.beforePass = [&] { stop.RequestStop(); };
    CCamVerifier v(io, {10s, 10}, &stop);
    std::vector<Mismatch> found = {Mismatch{}};
    Recorder rec;
    EXPECT_EQ(v.Verify(expected, found, rec.Fn()), camxfer::kStopped);
    EXPECT_EQ(io.passes.size(), 1u);
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(rec.msgs.empty());

    // Asked before the start: nothing is read.
    FakeFieldIo idle;
    CCamVerifier iv(idle, {0ms, 10}, &stop);
    EXPECT_EQ(iv.Verify(expected, found), camxfer::kStopped);
    EXPECT_TRUE(idle.passes.empty());
}
