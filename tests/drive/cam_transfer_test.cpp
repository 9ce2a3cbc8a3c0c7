// The point-by-point transfers against an in-memory drive: exact registers,
// field order, retries, the refused oversize table, stop requests.
#include "drive/cam_transfer.h"

#include "drive/transfer_stop.h"
#include "drive/transfer_worker.h"
#include "fake_field_io.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <utility>

using namespace std::chrono_literals;
using Msg = std::pair<unsigned, uintptr_t>;

namespace {
camxfer::Timing Fast() { return {0ms, 10}; }

std::vector<CamTable_Info> Ramp(int n)
{
    std::vector<CamTable_Info> t;
    for (int i = 0; i < n; ++i)
        t.push_back({i * 1000 - 5, -i * 7, static_cast<int16_t>(-i), static_cast<uint16_t>(i % 2)});
    return t;
}
} // namespace

TEST(CamTransfer, StandardWriteLaysOutEveryFieldAndReports)
{
    FakeFieldIo io;
    std::vector<Msg> msgs;
    CCamTransfer x(io, Fast());
    const auto table = Ramp(17);
    ASSERT_EQ(x.StandardWrite(table, [&](unsigned m, uintptr_t w) { msgs.push_back({m, w}); }), camxfer::kOk);

    ASSERT_EQ(io.calls.size(), 17u * 4);
    for (std::size_t k = 0; k < table.size(); ++k) {
        const uint16_t a = camtable::StandardPointAddress(k);
        EXPECT_EQ(static_cast<int32_t>(io.Get32(a)), table[k].master) << k;
        EXPECT_EQ(static_cast<int32_t>(io.Get32(a + 2)), table[k].slave) << k;
        EXPECT_EQ(static_cast<int16_t>(io.regs[a + 4]), table[k].speed) << k;
        EXPECT_EQ(io.regs[a + 5], table[k].segment) << k;
        // Field order and widths; the speed goes sign-extended.
        const auto* c = &io.calls[k * 4];
        EXPECT_EQ(c[0].address, a);
        EXPECT_EQ(c[1].address, a + 2);
        EXPECT_EQ(c[2].address, a + 4);
        EXPECT_EQ(c[2].width, 16u);
        EXPECT_EQ(c[2].value, static_cast<uint32_t>(static_cast<int32_t>(table[k].speed)));
        EXPECT_EQ(c[3].address, a + 5);
    }
    EXPECT_EQ(static_cast<int32_t>(io.Get32(0x1F00)), table[16].master);
    ASSERT_EQ(msgs.size(), 18u);
    for (uintptr_t i = 0; i < 17; ++i)
        EXPECT_EQ(msgs[i], (Msg{camxfer::kWriteProgress, i}));
    EXPECT_EQ(msgs.back(), (Msg{camxfer::kWriteDone, 0}));
}

TEST(CamTransfer, RetriesUpToTheLimitThenFailsThePointAtOnce)
{
    // Nine failures on one field are absorbed.
    FakeFieldIo io;
    io.failuresLeft[0x1E0A] = 9;   // speed word of point 1
    std::vector<Msg> msgs;
    CCamTransfer x(io, Fast());
    EXPECT_EQ(x.StandardWrite(Ramp(3), [&](unsigned m, uintptr_t w) { msgs.push_back({m, w}); }), camxfer::kOk);
    EXPECT_EQ(x.Retries(), 9);
    EXPECT_EQ(io.calls.size(), 12u + 9);

    // Ten fail the point: the later fields of it and later points are untouched.
    FakeFieldIo io2;
    io2.failuresLeft[0x1E0A] = 10;
    msgs.clear();
    CCamTransfer y(io2, Fast());
    EXPECT_EQ(y.StandardWrite(Ramp(3), [&](unsigned m, uintptr_t w) { msgs.push_back({m, w}); }),
              camxfer::kPointFailed);
    EXPECT_EQ(io2.calls.size(), 4u + 2 + 10);
    EXPECT_EQ(io2.regs.count(0x1E0B), 0u);
    EXPECT_EQ(io2.regs.count(0x1E0C), 0u);
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0], (Msg{camxfer::kWriteProgress, 0}));
    EXPECT_EQ(msgs[1], (Msg{camxfer::kWriteDone, 1}));
}

TEST(CamTransfer, OversizeTablesAreRefusedBeforeAnyWrite)
{
    FakeFieldIo io;
    std::vector<Msg> msgs;
    auto rec = [&](unsigned m, uintptr_t w) { msgs.push_back({m, w}); };
    CCamTransfer x(io, Fast());
    EXPECT_EQ(x.StandardWrite(Ramp(273), rec), camxfer::kTooManyPoints);
    EXPECT_EQ(x.SpecialWrite(std::vector<CamTable_Info>(1501), rec), camxfer::kTooManyPoints);
    EXPECT_TRUE(io.calls.empty());
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0], (Msg{camxfer::kWriteDone, 2}));
    EXPECT_EQ(msgs[1], (Msg{camxfer::kSpecialWriteDone, 2}));

    // 272 is the limit itself and reaches group 0x2E.
    msgs.clear();
    EXPECT_EQ(x.StandardWrite(Ramp(272), rec), camxfer::kOk);
    EXPECT_EQ(static_cast<int32_t>(io.Get32(camtable::StandardPointAddress(271))), 271 * 1000 - 5);
    EXPECT_EQ(camtable::StandardPointAddress(271) >> 8, 0x2E);
}

TEST(CamTransfer, SpecialWriteAndReadRoundTrip)
{
    FakeFieldIo io;
    std::vector<Msg> msgs;
    auto rec = [&](unsigned m, uintptr_t w) { msgs.push_back({m, w}); };
    CCamTransfer x(io, Fast());
    const auto table = Ramp(26);
    ASSERT_EQ(x.SpecialWrite(table, rec), camxfer::kOk);
    EXPECT_EQ(io.calls.size(), 52u);   // two fields per point, nothing else
    EXPECT_EQ(static_cast<int32_t>(io.Get32(0x4100)), table[25].master);
    EXPECT_EQ(static_cast<int32_t>(io.Get32(0x4102)), table[25].slave);
    EXPECT_EQ(static_cast<int32_t>(io.Get32(0x4060)), table[24].master);
    EXPECT_EQ(io.regs.count(0x4064), 0u);
    EXPECT_EQ(msgs.back(), (Msg{camxfer::kSpecialWriteDone, 0}));
    EXPECT_EQ(msgs[25], (Msg{camxfer::kWriteProgress, 25}));   // special progress uses 0x401 too

    std::vector<CamTable_Info> back = Ramp(3);   // stale contents are cleared
    msgs.clear();
    ASSERT_EQ(x.Read(26, back, rec), camxfer::kOk);
    ASSERT_EQ(back.size(), 26u);
    for (std::size_t i = 0; i < 26; ++i) {
        EXPECT_EQ(back[i].master, table[i].master);
        EXPECT_EQ(back[i].slave, table[i].slave);
    }
    EXPECT_EQ(msgs[3], (Msg{camxfer::kReadProgress, 3}));
    EXPECT_EQ(msgs.back(), (Msg{camxfer::kReadDone, 0}));

    // An empty read succeeds at once with an empty table.
    msgs.clear();
    const auto before = io.calls.size();
    ASSERT_EQ(x.Read(0, back, rec), camxfer::kOk);
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(io.calls.size(), before);
    EXPECT_EQ(msgs, (std::vector<Msg>{{camxfer::kReadDone, 0}}));

    // A failed read keeps the points read so far.
    io.failuresLeft[0x4012] = 10;   // slave of point 4
    msgs.clear();
    EXPECT_EQ(x.Read(26, back, rec), camxfer::kPointFailed);
    EXPECT_EQ(back.size(), 4u);
    EXPECT_EQ(msgs.back(), (Msg{camxfer::kReadDone, 1}));
}

TEST(CamTransfer, StopEndsAtTheNextFieldWithoutFurtherReports)
{
    FakeFieldIo io;
    CTransferStop stop;
    std::vector<Msg> msgs;
    CCamTransfer x(io, {0ms, 10}, &stop);
    // Stop while the third point is being reported.
    const int code = x.StandardWrite(Ramp(10), [&](unsigned m, uintptr_t w) {
        msgs.push_back({m, w});
        if (w == 2)
            stop.RequestStop();
    });
    EXPECT_EQ(code, camxfer::kStopped);
    EXPECT_EQ(msgs.size(), 3u);
    EXPECT_EQ(io.calls.size(), 12u);

    // A long pause is cut short by the request, and failures are not retried
    // after it: a worker blocked in retries on a dead link ends promptly.
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

TEST(CamTransfer, PausesPrecedeEveryField)
{
    // Real pacing on a few points: 3 standard points = 12 fields x 20 ms.
    FakeFieldIo io;
    CCamTransfer x(io, {20ms, 10});
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_EQ(x.StandardWrite(Ramp(3), [](unsigned, uintptr_t) {}), camxfer::kOk);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, 240ms);
}
