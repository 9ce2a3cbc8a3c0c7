// The transfer core over the real data service against the simulated drive:
// lost answers and the real pacing. Late answers are replayed through the
// data service (link_fault_test.cpp) and through ecamctl with the product's
// pacing (ecamctl_drive_test.cpp); exact registers after each kind of write
// are checked through the panel (panel_transfer_test.cpp).
#include "drive/cam_table.h"
#include "drive/cam_transfer.h"
#include "drive/fun_code_field_io.h"
#include "drive/transfer_stop.h"
#include "tests/support/sim_link.h"

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

void ExpectStandardTableInDrive(const CDriveSimulator& sim, const std::vector<CamTable_Info>& table)
{
    std::vector<ecamtest::Reg> want;
    for (std::size_t k = 0; k < table.size(); ++k) {
        const uint16_t a = camtable::StandardPointAddress(k);
        const CamTable_Info& p = table[k];
        want.insert(want.end(), {{a, p.master, 32}, {uint16_t(a + 2), p.slave, 32}, {uint16_t(a + 4), uint16_t(p.speed)},
                                 {uint16_t(a + 5), p.segment}});
    }
    ecamtest::ExpectRegs(sim, want);
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
    ASSERT_EQ(x.StandardWrite(table, [&](unsigned m, uintptr_t w) {
        if (m == camxfer::kWriteProgress)
            progress.push_back(w);
        else
            done = static_cast<int>(w);
    }), camxfer::kOk);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(progress.size(), table.size());
    EXPECT_GT(x.Retries(), 0);   // the drops did happen and were absorbed
    link.sim->SetFaults({});
    ExpectStandardTableInDrive(*link.sim, table);
    ecamtest::ExpectRegs(*link.sim, {{camtable::StandardPointAddress(40), 0, 32}});   // nothing beyond the table

    // The product's 50 ms before every field, kept real for three points.
    CTransferStop stop;
    CCamTransfer paced(io, camxfer::Timing{}, &stop);
    const auto few = camtable::BuildStandardTable(Profile(3, 1.0, 1.0));
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_EQ(paced.StandardWrite(few, [](unsigned, uintptr_t) {}), camxfer::kOk);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, 3 * 4 * 50ms);
    ExpectStandardTableInDrive(*link.sim, few);
}
