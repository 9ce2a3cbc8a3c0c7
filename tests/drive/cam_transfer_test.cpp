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

TEST(CamTransfer, RetriesAbsorbFailuresBelowTheLimit)
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
    // Ten fail the point at once: a row of the count table below.
}

TEST(CamTransfer, TheCountFollowsTheLastPointAndOnlyACompleteTableGetsIt)
{
    // Which field fails every attempt (0: none), whether a stop is asked at point 1's report, the result, the
    // points written, what the count register holds after and the calls made: a stop ends at the next field.
    struct Case { uint16_t failing; bool stop; int result; std::size_t written; uint16_t count; std::size_t calls; };
    for (const Case c : {Case{0, false, camxfer::kOk, 3, 3, 13}, Case{0x1E0C, false, camxfer::kPointFailed, 2, 0, 18},
                         Case{0, true, camxfer::kStopped, 2, 0, 8},
                         Case{0x1B08, false, camxfer::kPointFailed, 3, 0, 22}}) {
        SCOPED_TRACE(std::to_string(c.failing) + (c.stop ? " stopped" : ""));
        FakeFieldIo io;
        io.regs[0x1B08] = 0;   // as the caller leaves it before the table
        io.failuresLeft[c.failing] = 10;
        CTransferStop stop;
        CCamTransfer x(io, {0ms, 10}, &stop);
        x.SetCountAfterTable(3);
        Recorder rec;
        EXPECT_EQ(x.StandardWrite(Ramp(3), [&](unsigned m, uintptr_t w) {
            rec.msgs.push_back({m, w});
            if (c.stop && m == camxfer::kWriteProgress && w == 1)
                stop.RequestStop();
        }), c.result);
        EXPECT_EQ(x.PointsWritten(), c.written);
        EXPECT_EQ(io.regs[0x1B08], c.count);
        EXPECT_EQ(io.calls.size(), c.calls);
        // A report per point written, then the end unless stopped: nothing is reported after a stop.
        std::vector<Msg> reports;
        for (uintptr_t k = 0; k < c.written; ++k)
            reports.push_back({camxfer::kWriteProgress, k});
        if (!c.stop)
            reports.push_back({camxfer::kWriteDone, static_cast<uintptr_t>(c.result)});
        EXPECT_EQ(rec.msgs, reports);
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

TEST(CamTransfer, AStopCutsALongPauseShortAndADeadLinkIsNotRetriedAfterIt)
{
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
    FakeFieldIo io;
    std::vector<CamTable_Info> want;
    std::vector<Msg> reports;
    for (int k = 0; k < 1500; ++k) {
        const auto a = static_cast<uint16_t>(((0x40 + k / 25) << 8) | (4 * (k % 25)));
        want.push_back({-700000 + k * 937, 123456 - k * 211, 0, 0});
        io.WriteField(a, 32, static_cast<uint32_t>(want.back().master));
        io.WriteField(static_cast<uint16_t>(a + 2), 32, static_cast<uint32_t>(want.back().slave));
        reports.push_back({camxfer::kReadProgress, static_cast<uintptr_t>(k)});
    }
    reports.push_back({camxfer::kReadDone, 0});
    CCamTransfer x(io, {0ms, 10});
    Recorder rec;
    std::vector<CamTable_Info> back;
    ASSERT_EQ(x.Read(1500, back, rec.Fn()), camxfer::kOk);
    EXPECT_TRUE(back == want) << "the points read differ from the drive's";
    EXPECT_EQ(rec.msgs, reports);
    EXPECT_EQ(io.passes.size(), 2u);   // 6000 words need more lengths than one pass has
    const RegSpan last = io.passes.back().back();
    EXPECT_EQ(last.address + last.count, 0x7B64);
    EXPECT_EQ(x.Retries(), 0);
}
