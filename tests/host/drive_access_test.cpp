// CFunCodeAccess through the host services against a simulated drive, over
// TCP loopback and over RTU on a pseudo-terminal.
#include "host/fun_code.h"
#include "host/fun_code_interface.h"
#include "tests/support/sim_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using ecamtest::Link;

class DriveAccess : public ::testing::TestWithParam<Link> {
protected:
    void SetUp() override { ASSERT_TRUE(link.Bind()); }

    SimLink link{200, ecamtest::OnLink(GetParam())};
    CDriveSimulator* sim = link.sim.get();
    CFunCodeAccess& access = link.access;
};

} // namespace

TEST_P(DriveAccess, WritesLowWordFirstReadsWidenBySignednessAndRefusalsKeepTheDrive)
{
    EXPECT_TRUE(access.WriteFunCodeByAddr(0x1B00, 16, 7));
    EXPECT_TRUE(access.WriteFunCodeByAddr(0x1E00, 32, uint32_t(-123456)));
    EXPECT_TRUE(access.WriteFunCodeByAddr(0x1E04, 16, uint32_t(int32_t(-300))));
    CFunCode* phase = access.FunCodeInterface()->GetFunCodePtrByNum(L"H1B-10");
    ASSERT_NE(phase, nullptr);
    EXPECT_TRUE(access.WriteFunCodeByNum(L"H1B-10", uint32_t(-5)));
    // -123456 = 0xFFFE1DC0: low word at the address, high word after it; a
    // negative 16-bit speed arrives sign-extended and fills one register only.
    ecamtest::ExpectRegs(*sim, {{0x1B00, 7}, {0x1E00, 0x1DC0}, {0x1E01, 0xFFFE}, {0x1E04, 0xFED4}, {0x1E05, 0},
                                {0x1B0A, 0xFFFB}});
    EXPECT_EQ(phase->m_nAmendValue, uint32_t(-5));
    EXPECT_EQ(phase->m_nCurValue, uint32_t(-5));

    // Reads: a 32-bit pair joined; a bare 16-bit register zero-extended, a
    // signed parameter sign-extended; factory values there from the start.
    const auto read = [this](uint16_t address, uint32_t width) {
        uint32_t out = 0xDEADBEEF;
        EXPECT_TRUE(access.ReadFunCodeByAddr(address, width, out)) << std::hex << address;
        return out;
    };
    const auto readNum = [this](const wchar_t* number) {
        uint32_t out = 0xDEADBEEF;
        EXPECT_TRUE(access.ReadFunCodeByNum(number, out));
        return out;
    };
    ecamtest::SetRegs(*sim, {{0x4000, int32_t(0x80000001u), 32}, {0x1B0A, 0xFFF6}});
    EXPECT_EQ(read(0x4000, 32), 0x80000001u);
    EXPECT_EQ(read(0x1E04, 16), 0x0000FED4u);
    EXPECT_EQ(readNum(L"H1B-10"), uint32_t(-10));
    EXPECT_EQ(phase->m_nCurValue, uint32_t(-10));
    EXPECT_EQ(readNum(L"H1B-16"), 3000u);
    EXPECT_EQ(read(0x1B01, 32), 10000u);

    // Refused by the drive: the current value and the registers stay.
    ASSERT_TRUE(access.WriteFunCodeByNum(L"H1B-10", 100));
    DriveError why;
    EXPECT_FALSE(access.WriteFunCodeByNum(L"H1B-10", 5000, &why));
    EXPECT_EQ(why, DriveError::FromException(3));
    EXPECT_EQ(phase->m_nCurValue, 100u);
    EXPECT_EQ(sim->Register(0x1B0A), 100);
    // Values that do not fit, unknown numbers and widths never reach the drive.
    const uint64_t before = sim->RequestCount();
    EXPECT_FALSE(access.WriteFunCodeByAddr(0x2000, 16, 70000, &why));
    EXPECT_EQ(why.kind(), DriveError::BadArgument);
    EXPECT_FALSE(access.WriteFunCodeByNum(L"H9Z-99", 1, &why));
    EXPECT_EQ(why.kind(), DriveError::BadArgument);
    EXPECT_FALSE(access.WriteFunCodeByAddr(0x2000, 24, 1, &why));
    EXPECT_EQ(sim->RequestCount(), before);
}

TEST_P(DriveAccess, FailedReadLeavesCallersValueAndTimesOutInTime)
{
    SimFaults drop;
    drop.dropRate = 1.0;
    sim->SetFaults(drop);
    uint32_t out = 0xDEADBEEF;
    DriveError why;
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(access.ReadFunCodeByAddr(0x1B00, 16, out, &why));
    // Bounded by the device's timeout, not the product's 1000 ms.
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(900));
    EXPECT_EQ(why.kind(), DriveError::Timeout);
    EXPECT_FALSE(access.ReadFunCodeByNum(L"H1B-16", out, &why));
    EXPECT_EQ(out, 0xDEADBEEF);
    EXPECT_FALSE(access.WriteFunCodeByAddr(0x2000, 16, 5, &why));
    EXPECT_EQ(why.kind(), DriveError::Timeout);

    // The drive answers again: the very next access works.
    sim->SetFaults(SimFaults{});
    ASSERT_TRUE(access.ReadFunCodeByNum(L"H1B-16", out));
    EXPECT_EQ(out, 3000u);
}

TEST_P(DriveAccess, TwoThreadsShareOneAccessObject)
{
    // Sharing is under test, not speed: a drive with a backstop timeout.
    SimLink shared{10000, ecamtest::OnLink(GetParam())};
    ASSERT_TRUE(shared.Bind());
    const int n = GetParam() == Link::Tcp ? 150 : 60;
    auto value16 = [](int i) { return uint32_t(i * 3 + 1); };
    auto value32 = [](int i) { return 0x00010000u * uint32_t(i) + 0x8000u + uint32_t(i); };
    std::atomic<int> failures{0};
    auto loop = [&](uint16_t base, int width, auto value) {
        for (int i = 0; i < n; ++i) {
            const uint16_t addr = uint16_t(base + i * width / 16);
            uint32_t back = 0;
            if (!shared.access.WriteFunCodeByAddr(addr, width, value(i)) ||
                !shared.access.ReadFunCodeByAddr(addr, width, back) || back != value(i))
                ++failures;
        }
    };
    std::thread a(loop, uint16_t(0x2000), 16, value16), b(loop, uint16_t(0x3000), 32, value32);
    a.join();
    b.join();
    EXPECT_EQ(failures, 0);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(shared.sim->Register(uint16_t(0x2000 + i)), value16(i)) << i;
        ASSERT_EQ(shared.sim->Register32(uint16_t(0x3000 + 2 * i)), value32(i)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Links, DriveAccess, ::testing::Values(Link::Tcp, Link::Rtu), ecamtest::LinkName);

TEST(DriveAccessTcp, DriveAbsentAtStartIsFoundLater)
{
    // No device selected: every call fails without touching values.
    CSingleton<CLogicManage>::Instance()->GetDeviceManage()->SelectNone();
    CFunCodeAccess none;
    EXPECT_FALSE(none.Init() || none.CheckConnect());
    DriveError why;
    EXPECT_FALSE(none.WriteFunCodeByNum(L"H1B-06", 1, &why));
    EXPECT_EQ(why.kind(), DriveError::NotSelected);
    uint32_t out = 77;
    EXPECT_FALSE(none.ReadFunCodeByNum(L"H1B-06", out) || none.ReadFunCodeByAddr(0x1B06, 16, out));

    SimLink link(200);
    CDriveSimulator& sim = *link.sim;
    CFunCodeAccess& access = link.access;
    sim.SetRegister32(0x4000, 123456);
    sim.Stop();  // the port is known, nobody listens on it
    ASSERT_TRUE(link.Bind());
    EXPECT_FALSE(access.CheckConnect());
    EXPECT_FALSE(access.WriteFunCodeByAddr(0x1B00, 16, 9, &why));
    EXPECT_EQ(why.kind(), DriveError::NotConnected);
    EXPECT_FALSE(access.ReadFunCodeByAddr(0x1B00, 16, out));
    EXPECT_EQ(out, 77u);

    ASSERT_TRUE(sim.Start());  // plugged in: same address, same access object, registers kept
    EXPECT_TRUE(access.WriteFunCodeByAddr(0x1B00, 16, 9, &why)) << why.text();
    EXPECT_EQ(sim.Register(0x1B00), 9);
    EXPECT_TRUE(access.CheckConnect());
    ASSERT_TRUE(access.ReadFunCodeByAddr(0x4000, 32, out));
    EXPECT_EQ(out, 123456u);
}

TEST(DriveAccessTcp, ConnectionClosedByDriveRecoversAtNextRequest)
{
    SimOptions o;
    o.faults.closeAfter = 2;
    SimLink link(200, o);
    ASSERT_TRUE(link.Bind());
    for (uint32_t i = 0; i < 6; ++i) {
        DriveError why;
        EXPECT_TRUE(link.access.WriteFunCodeByAddr(0x2100 + i, 16, 40 + i, &why)) << i << ": " << why.text();
        if (i % 2 == 1) {
            ASSERT_TRUE(link.sim->WaitClosedConnections(i / 2 + 1, 2000));
        }
    }
    for (uint16_t i = 0; i < 6; ++i)
        EXPECT_EQ(link.sim->Register(0x2100 + i), 40 + i);
}
