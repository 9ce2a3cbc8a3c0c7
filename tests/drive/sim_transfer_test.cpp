// The transfer core over the real data service against the simulated drive:
// lost answers, the real pacing, and the slow drive whose late answer once
// shifted every later field by one. Exact registers after each kind of write
// are checked through the panel (panel_transfer_test.cpp).
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/transfer_stop.h"
#include "sim_link.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

namespace {

std::vector<ECamPoint> Profile(int n, double masterStep, double slaveStep)
{
    std::vector<ECamPoint> pts;
    for (int i = 0; i < n; ++i)
        pts.push_back({i * masterStep, i * slaveStep - 3.0, -1.25 + 0.5 * i, i % 3 == 0 ? kECamLinear : kECamPoly});
    return pts;
}

int32_t S32(const CDriveSimulator& sim, uint16_t a) { return static_cast<int32_t>(sim.Register32(a)); }

// The slow drive of the field report: it answers every request 60 ms after
// it arrives and, where a test scripts it, once 50 ms after the client's
// 200 ms response timeout. Parameter: RTU (true) or TCP.
class SlowDrive : public ::testing::TestWithParam<bool> {
protected:
    static constexpr int kTimeoutMs = 200;
    static constexpr SimScriptedFault kLate{SimScriptedFault::Late, kTimeoutMs + 50};
    static SimOptions Options()
    {
        SimOptions o;
        o.rtu = GetParam();
        o.faults.delayMs = 60;
        return o;
    }
    // Point k as the field report had them: 1000 + k, -(2000 + k).
    static CamTable_Info Point(int k) { return CamTable_Info{1000 + k, -2000 - k, 0, 0}; }
};

void ExpectStandardTableInDrive(const CDriveSimulator& sim, const std::vector<CamTable_Info>& table)
{
    for (std::size_t k = 0; k < table.size(); ++k) {
        const uint16_t a = camtable::StandardPointAddress(k);
        EXPECT_EQ(S32(sim, a), table[k].master) << "point " << k;
        EXPECT_EQ(S32(sim, a + 2), table[k].slave) << "point " << k;
        EXPECT_EQ(static_cast<int16_t>(sim.Register(a + 4)), table[k].speed) << "point " << k;
        EXPECT_EQ(sim.Register(a + 5), table[k].segment) << "point " << k;
    }
}

} // namespace

TEST(SimTransfer, LostAnswersAreRetriedAndTheDriveHoldsExactlyTheTable)
{
    SimOptions options;
    options.faults.dropRate = 0.10;
    options.faults.seed = 7;
    SimLink link(60, options);
    ASSERT_TRUE(link.Bind());
    CFunCodeFieldIo io(link.access);
    CCamTransfer x(io, {0ms, 10});
    const auto table = camtable::BuildStandardTable(Profile(40, 3.5, 2.25));
    std::vector<uintptr_t> progress;
    int done = -1;
    ASSERT_EQ(x.StandardWrite(table,
                              [&](unsigned m, uintptr_t w) {
                                  if (m == camxfer::kWriteProgress)
                                      progress.push_back(w);
                                  else
                                      done = static_cast<int>(w);
                              }),
              camxfer::kOk);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(progress.size(), table.size());
    EXPECT_GT(x.Retries(), 0);   // the drops did happen and were absorbed
    link.sim->SetFaults({});
    ExpectStandardTableInDrive(*link.sim, table);
    EXPECT_EQ(S32(*link.sim, camtable::StandardPointAddress(40)), 0);   // nothing beyond the table
}

TEST(SimTransfer, RealPacingOnAFewPoints)
{
    // The product's 50 ms before every field, kept real for three points.
    SimLink link;
    ASSERT_TRUE(link.Bind());
    CFunCodeFieldIo io(link.access);
    CTransferStop stop;
    CCamTransfer x(io, camxfer::Timing{}, &stop);
    const auto table = camtable::BuildStandardTable(Profile(3, 1.0, 1.0));
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_EQ(x.StandardWrite(table, [](unsigned, uintptr_t) {}), camxfer::kOk);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, 3 * 4 * 50ms);
    ExpectStandardTableInDrive(*link.sim, table);
}

TEST(SimTransfer, ReadsBackAFullSpecialTableOf1500Points)
{
    // Each point's own values at group 0x40 + k / 25, index 4 * (k % 25) of
    // the drive: the table read back must be exactly them, in order.
    constexpr int kPoints = 1500;
    SimLink link;
    ASSERT_TRUE(link.Bind());
    for (int k = 0; k < kPoints; ++k) {
        const auto a = static_cast<uint16_t>(((0x40 + k / 25) << 8) | (4 * (k % 25)));
        link.sim->SetRegister32(a, static_cast<uint32_t>(-650000 + 871 * k));
        link.sim->SetRegister32(static_cast<uint16_t>(a + 2), static_cast<uint32_t>(98765 - 157 * k));
    }
    CFunCodeFieldIo io(link.access);
    CCamTransfer x(io, {0ms, 10});
    std::vector<CamTable_Info> back;
    std::size_t progress = 0;
    int done = -1;
    ASSERT_EQ(x.Read(kPoints, back,
                     [&](unsigned m, uintptr_t w) {
                         if (m == camxfer::kReadProgress)
                             progress += w == progress ? 1 : 0;
                         else
                             done = static_cast<int>(w);
                     }),
              camxfer::kOk);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(progress, std::size_t{kPoints});   // 0, 1, ... 1499, in order
    ASSERT_EQ(back.size(), std::size_t{kPoints});
    for (int k = 0; k < kPoints; ++k) {
        EXPECT_EQ(back[static_cast<std::size_t>(k)].master, -650000 + 871 * k) << "point " << k;
        EXPECT_EQ(back[static_cast<std::size_t>(k)].slave, 98765 - 157 * k) << "point " << k;
    }
}

TEST_P(SlowDrive, ReadWithOneLateAnswerReturnsExactlyTheDrivesTable)
{
    constexpr int kPoints = 6;
    SimLink link(SlowDrive::kTimeoutMs, Options());
    ASSERT_TRUE(link.Bind());
    for (int k = 0; k < kPoints; ++k) {
        link.sim->SetRegister32(camtable::SpecialPointAddress(k), static_cast<uint32_t>(Point(k).master));
        link.sim->SetRegister32(camtable::SpecialPointAddress(k) + 2, static_cast<uint32_t>(Point(k).slave));
    }
    // Requests 1 and 2 read point 0; request 3 (point 1's master) is answered late.
    link.sim->ScriptFault(3, kLate);
    CFunCodeFieldIo io(link.access);
    CCamTransfer x(io, {0ms, 10});
    std::vector<CamTable_Info> back;
    int done = -1;
    ASSERT_EQ(x.Read(kPoints, back, [&](unsigned m, uintptr_t w) { done = m == camxfer::kReadDone ? int(w) : done; }),
              camxfer::kOk);
    EXPECT_EQ(done, camxfer::kOk);
    ASSERT_EQ(back.size(), std::size_t{kPoints});
    for (int k = 0; k < kPoints; ++k) {
        EXPECT_EQ(back[std::size_t(k)].master, Point(k).master) << "point " << k;
        EXPECT_EQ(back[std::size_t(k)].slave, Point(k).slave) << "point " << k;
    }
    EXPECT_EQ(x.Retries(), 1);   // the late field was asked again, and only it
    EXPECT_EQ(link.sim->RequestCount(), 2u * kPoints + 1);
}

TEST_P(SlowDrive, WriteWithALateAnswerAndARefusalLeavesEveryRegisterWritten)
{
    constexpr int kPoints = 6;
    constexpr uint32_t kUnwritten = 0x55555555u;
    SimLink link(SlowDrive::kTimeoutMs, Options());
    ASSERT_TRUE(link.Bind());
    std::vector<CamTable_Info> table;
    for (int k = 0; k < kPoints; ++k) {
        table.push_back(Point(k));
        link.sim->SetRegister32(camtable::SpecialPointAddress(k), kUnwritten);
        link.sim->SetRegister32(camtable::SpecialPointAddress(k) + 2, kUnwritten);
    }
    // Request 3 (point 1's master) is answered late, its retry is request 4;
    // request 8 (point 3's master) is refused once.
    link.sim->ScriptFault(3, kLate);
    link.sim->ScriptFault(8, {SimScriptedFault::Exception, 4});
    CFunCodeFieldIo io(link.access);
    CCamTransfer x(io, {0ms, 10});
    int done = -1;
    ASSERT_EQ(x.SpecialWrite(table, [&](unsigned m, uintptr_t w) { done = m == camxfer::kSpecialWriteDone ? int(w) : done; }),
              camxfer::kOk);
    EXPECT_EQ(done, camxfer::kOk);
    for (int k = 0; k < kPoints; ++k) {
        EXPECT_EQ(S32(*link.sim, camtable::SpecialPointAddress(k)), Point(k).master) << "point " << k;
        EXPECT_EQ(S32(*link.sim, camtable::SpecialPointAddress(k) + 2), Point(k).slave) << "point " << k;
    }
    EXPECT_EQ(S32(*link.sim, camtable::SpecialPointAddress(kPoints)), 0);   // nothing beyond the table
    EXPECT_EQ(x.Retries(), 2);
    EXPECT_EQ(link.sim->RequestCount(), 2u * kPoints + 2);
}

INSTANTIATE_TEST_SUITE_P(Links, SlowDrive, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Rtu" : "Tcp"; });
