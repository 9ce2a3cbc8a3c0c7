// What only an in-memory drive can show cheaply: exact retry counts, the
// refused oversize tables, partial reads and stop requests.
#include "drive/cam_transfer.h"

#include "drive/transfer_stop.h"
#include "drive/transfer_worker.h"
#include "fake_field_io.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

using namespace std::chrono_literals;

TEST(CamTransfer, RetriesUpToTheLimitThenFailsThePointAtOnce)
{
    FakeFieldIo io;
    io.failuresLeft[0x1E0A] = 9;   // speed word of point 1: nine failures are absorbed
    CCamTransfer x(io, {0ms, 10});
    Recorder rec;
    EXPECT_EQ(x.StandardWrite(Ramp(3), rec.Fn()), camxfer::kOk);
    EXPECT_EQ(x.Retries(), 9);
    EXPECT_EQ(io.calls.size(), 12u + 9);
    EXPECT_EQ(io.calls[6].width, 16u);   // the speed goes sign-extended
    EXPECT_EQ(io.calls.back().value, 0u);
    EXPECT_EQ(io.calls[5 + 9 + 1].value, static_cast<uint32_t>(-1));

    // Ten fail the point: its later fields and later points are untouched.
    FakeFieldIo io2;
    io2.failuresLeft[0x1E0A] = 10;
    CCamTransfer y(io2, {0ms, 10});
    Recorder rec2;
    EXPECT_EQ(y.StandardWrite(Ramp(3), rec2.Fn()), camxfer::kPointFailed);
    EXPECT_EQ(io2.calls.size(), 4u + 2 + 10);
    EXPECT_EQ(io2.regs.count(0x1E0B), 0u);
    EXPECT_EQ(rec2.msgs, (std::vector<Msg>{{camxfer::kWriteProgress, 0}, {camxfer::kWriteDone, 1}}));
}

TEST(CamTransfer, TheCountFollowsTheLastPointAndOnlyACompleteTableGetsIt)
{
    // Which field fails every attempt (0: none), whether a stop ends the
    // write at point 1's report, and what the count register holds after.
    struct Case { uint16_t failing; bool stop; int result; std::size_t written; uint16_t count; };
    for (const Case c : {Case{0, false, camxfer::kOk, 3, 3}, Case{0x1E0C, false, camxfer::kPointFailed, 2, 0},
                         Case{0, true, camxfer::kStopped, 2, 0}, Case{0x1B08, false, camxfer::kPointFailed, 3, 0}}) {
        SCOPED_TRACE(std::to_string(c.failing) + (c.stop ? " stopped" : ""));
        FakeFieldIo io;
        io.regs[0x1B08] = 0;   // as the caller leaves it before the table
        io.failuresLeft[c.failing] = 10;
        CTransferStop stop;
        CCamTransfer x(io, {0ms, 10}, &stop);
        x.SetCountAfterTable(3);
        EXPECT_EQ(x.StandardWrite(Ramp(3), [&](unsigned m, uintptr_t w) {
            if (c.stop && m == camxfer::kWriteProgress && w == 1)
                stop.RequestStop();
        }), c.result);
        EXPECT_EQ(x.PointsWritten(), c.written);
        EXPECT_EQ(io.regs[0x1B08], c.count);
        if (c.result == camxfer::kOk) {
            EXPECT_EQ(io.calls.back().address, 0x1B08);   // last, after every point
        }
    }
}

TEST(CamTransfer, OversizeTablesEmptyAndFailedReads)
{
    FakeFieldIo io;
    CCamTransfer x(io, {0ms, 10});
    Recorder rec;
    EXPECT_EQ(x.StandardWrite(Ramp(273), rec.Fn()), camxfer::kTooManyPoints);
    EXPECT_EQ(x.SpecialWrite(std::vector<CamTable_Info>(1501), rec.Fn()), camxfer::kTooManyPoints);
    EXPECT_TRUE(io.calls.empty());
    EXPECT_EQ(rec.msgs, (std::vector<Msg>{{camxfer::kWriteDone, 2}, {camxfer::kSpecialWriteDone, 2}}));

    // An empty read succeeds at once and clears stale contents.
    std::vector<CamTable_Info> back = Ramp(3);
    rec.msgs.clear();
    EXPECT_EQ(x.Read(0, back, rec.Fn()), camxfer::kOk);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(rec.msgs, (std::vector<Msg>{{camxfer::kReadDone, 0}}));

    // A read that never comes clean keeps no point: none is known to be right.
    ASSERT_EQ(x.SpecialWrite(Ramp(26), [](unsigned, uintptr_t) {}), camxfer::kOk);
    io.failuresLeft[0x4012] = 10;   // slave of point 4
    rec.msgs.clear();
    back = Ramp(3);
    EXPECT_EQ(x.Read(26, back, rec.Fn()), camxfer::kPointFailed);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(io.passes.size(), 10u);
    EXPECT_EQ(rec.msgs, (std::vector<Msg>{{camxfer::kReadDone, 1}}));
}

TEST(CamTransfer, StopEndsAtTheNextFieldWithoutFurtherReports)
{
    FakeFieldIo io;
    CTransferStop stop;
    Recorder rec;
    CCamTransfer x(io, {0ms, 10}, &stop);
    const int code = x.StandardWrite(Ramp(10), [&](unsigned m, uintptr_t w) {
        rec.msgs.push_back({m, w});
        if (w == 2)
            stop.RequestStop();
    });
    EXPECT_EQ(code, camxfer::kStopped);
    EXPECT_EQ(rec.msgs.size(), 3u);
    EXPECT_EQ(io.calls.size(), 12u);

    // A long pause is cut short by the request and a dead link is not
    // retried after it: the worker ends promptly.
    FakeFieldIo dead;
    dead.connected = false;
    CCamTransferWorker worker;
    std::atomic<int> result{-1};
    ASSERT_TRUE(worker.Start([&](CTransferStop& s) {
        CCamTransfer t(dead, {10s, 10}, &s);
        result = t.SpecialWrite(Ramp(5), [](unsigned, uintptr_t) {});
    }));
    EXPECT_TRUE(worker.Busy());
    const auto t0 = std::chrono::steady_clock::now();
    worker.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, 5s);
    EXPECT_FALSE(worker.Busy());
    EXPECT_EQ(result.load(), camxfer::kStopped);
    EXPECT_TRUE(dead.calls.empty());
}

TEST(CamTransfer, ReadsTheFullSpecialTableOf1500PointsFromTheirAddresses)
{
    // Point k lives at group 0x40 + k / 25, index 4 * (k % 25): the last one
    // at 0x7B60. Every point holds different values, negatives included, so
    // a wrong step between groups shows as a wrong point.
    constexpr int kPoints = 1500;
    auto addressOf = [](int k) { return static_cast<uint16_t>(((0x40 + k / 25) << 8) | (4 * (k % 25))); };
    auto masterOf = [](int k) { return -700000 + k * 937; };
    auto slaveOf = [](int k) { return 123456 - k * 211; };
    FakeFieldIo io;
    for (int k = 0; k < kPoints; ++k) {
        const uint16_t a = addressOf(k);
        io.WriteField(a, 32, static_cast<uint32_t>(masterOf(k)));
        io.WriteField(static_cast<uint16_t>(a + 2), 32, static_cast<uint32_t>(slaveOf(k)));
    }
    CCamTransfer x(io, {0ms, 10});
    Recorder rec;
    std::vector<CamTable_Info> back;
    ASSERT_EQ(x.Read(kPoints, back, rec.Fn()), camxfer::kOk);

    ASSERT_EQ(back.size(), std::size_t{kPoints});
    ASSERT_EQ(io.passes.size(), 2u);   // 6000 words need more lengths than one pass has
    ASSERT_EQ(rec.msgs.size(), std::size_t{kPoints + 1});
    for (int k = 0; k < kPoints; ++k) {
        const auto i = static_cast<std::size_t>(k);
        EXPECT_EQ(back[i].master, masterOf(k)) << "point " << k;
        EXPECT_EQ(back[i].slave, slaveOf(k)) << "point " << k;
        EXPECT_EQ(rec.msgs[i], (Msg{camxfer::kReadProgress, i}));
    }
    const RegSpan last = io.passes.back().back();
    EXPECT_EQ(last.address + last.count, 0x7B64);
    EXPECT_EQ(rec.msgs.back(), (Msg{camxfer::kReadDone, 0}));
    EXPECT_EQ(x.Retries(), 0);
}
