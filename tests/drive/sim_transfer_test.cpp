// The transfer core over the real data service against the simulated drive:
// exact registers, negative values, lost answers and a dead link.
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

TEST(SimTransfer, StandardAndSpecialWritesLandOnExactRegisters)
{
    SimLink link;
    ASSERT_TRUE(link.Bind());
    CFunCodeFieldIo io(link.access);
    ASSERT_TRUE(io.CheckConnect());
    CCamTransfer x(io, {0ms, 10});
    auto quiet = [](unsigned, uintptr_t) {};

    // 17 points: the 17th opens group 0x1F; negatives truncate toward zero.
    auto pts = Profile(17, 12.3456, -1.9);
    pts[1].slave = -0.0019;
    const auto table = camtable::BuildStandardTable(pts);
    ASSERT_EQ(x.StandardWrite(table, quiet), camxfer::kOk);
    ExpectStandardTableInDrive(*link.sim, table);
    EXPECT_EQ(S32(*link.sim, 0x1E00), 0);
    EXPECT_EQ(S32(*link.sim, 0x1E02), 0);
    EXPECT_EQ(S32(*link.sim, 0x1E08), -1);                        // -0.0019 x 1000
    EXPECT_EQ(S32(*link.sim, 0x1E06), 12345);                     // 12.3456 x 1000
    EXPECT_EQ(S32(*link.sim, 0x1F00), static_cast<int32_t>(16 * 12.3456 * 1000));
    EXPECT_EQ(S32(*link.sim, 0x1F02), -33400);                    // (16 x -1.9 - 3) x 1000
    EXPECT_EQ(static_cast<int16_t>(link.sim->Register(0x1E04)), -125);
    EXPECT_EQ(link.sim->Register(0x1E60), 0);                     // gap words untouched

    // And back: the read returns what the drive holds, unscaled.
    ASSERT_EQ(x.SpecialWrite(table, quiet), camxfer::kOk);
    std::vector<CamTable_Info> back;
    ASSERT_EQ(x.Read(17, back, quiet), camxfer::kOk);
    ASSERT_EQ(back.size(), 17u);
    EXPECT_EQ(back[16].master, table[16].master);
    EXPECT_EQ(back[16].slave, table[16].slave);
}

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

TEST(SimTransfer, DeadLinkFailsThePointAndReportsWhy)
{
    SimLink link(100);
    ASSERT_TRUE(link.Bind());
    CFunCodeFieldIo io(link.access);
    CCamTransfer x(io, {0ms, 10});
    const auto table = camtable::BuildStandardTable(Profile(12, 1.0, 1.0));
    std::vector<std::pair<unsigned, uintptr_t>> msgs;
    const int code = x.StandardWrite(table, [&](unsigned m, uintptr_t w) {
        msgs.push_back({m, w});
        if (m == camxfer::kWriteProgress && w == 4)
            link.sim->Stop();   // the drive goes away after point 4
    });
    EXPECT_EQ(code, camxfer::kPointFailed);
    ASSERT_FALSE(msgs.empty());
    EXPECT_EQ(msgs.back(), (std::pair<unsigned, uintptr_t>{camxfer::kWriteDone, 1}));
    EXPECT_EQ(msgs.size(), 6u);   // progress 0..4, then the failure
    EXPECT_FALSE(io.LastError().ok());
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
