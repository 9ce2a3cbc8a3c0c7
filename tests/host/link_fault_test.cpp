// Scripted drive faults against the data service, over RTU on a pty and over
// TCP: the failure kind each one is reported as, what the drive holds
// afterwards, and that the very next request gets its own answer (never the
// late or spoilt one). Also cancelling a request that waits for its answer.
#include "host/modbus_data_srv.h"
#include "tests/support/sim_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using ecamtest::Link;
using ecamtest::LinkName;

using Fault = SimScriptedFault;
constexpr int kTimeoutMs = 150;

// The drive is selected with a long response timeout, which a cancelled
// wait must end well before; the faults use a data service of their own.
constexpr int kLongTimeoutMs = 1000;

class LinkFault : public ::testing::TestWithParam<Link> {
protected:
    SimLink link{kLongTimeoutMs, ecamtest::OnLink(GetParam())};
    CDriveSimulator* sim = link.sim.get();
};

// read: the faulted request reads (else writes) its register; stored: a faulted write reached the registers.
struct Case { const char* name; Fault fault; bool read; DriveError rtu, tcp; bool stored; };

} // namespace

TEST_P(LinkFault, EachFaultHasItsKindAndTheNextRequestGetsItsOwnAnswer)
{
    const DriveError timeout(DriveError::Timeout), bad(DriveError::BadAnswer), broken(DriveError::LinkBroken);
    // Late answers come 50 ms after the timeout, as from the slow drive seen in the field.
    const Fault late{Fault::Late, kTimeoutMs + 50};
    const Case cases[] = {
        {"late write", late, false, timeout, timeout, true},
        {"late read", late, true, timeout, timeout, false},
        {"exception", {Fault::Exception, 4}, false, DriveError::FromException(4), DriveError::FromException(4), false},
        {"close", {Fault::Close, 0}, false, timeout, broken, false},
        {"bad frame", {Fault::BadFrame, 0}, false, bad, bad, true},
        {"truncated", {Fault::Truncated, 0}, false, bad, bad, true},
        {"truncated read", {Fault::Truncated, 0}, true, bad, bad, false},
        {"other unit", {Fault::OtherUnit, 0}, false, bad, bad, true},
        {"silent", {Fault::Silent, 0}, false, timeout, timeout, false},
        {"ack without store", {Fault::AckWithoutStore, 0}, false, DriveError(), DriveError(), false},
    };
    auto srv = ecamtest::DataService(sim->Url(), kTimeoutMs);
    uint16_t a = 0x2000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t before = 0x11110000u + a, written = 0xA0000000u + a, next = 0x5000u + a;
        sim->SetRegister32(a, before);
        sim->SetRegister32(uint16_t(a + 2), next);
        sim->ScriptFault(sim->RequestCount() + 1, c.fault);
        uint16_t words[2] = {0xDEAD, 0xBEEF};
        const DriveError got = c.read ? srv->ReadValue(a, 32, words, 1000) : srv->WriteValue(a, 32, written, 1000);
        EXPECT_EQ(got, GetParam() == Link::Rtu ? c.rtu : c.tcp) << got.text();
        EXPECT_EQ(srv->ReadValue(uint16_t(a + 2), 32, words, 1000), DriveError());
        EXPECT_EQ(uint32_t(words[0]) | (uint32_t(words[1]) << 16), next);
        EXPECT_EQ(sim->Register32(a), c.stored ? written : before);
        a = uint16_t(a + 4);
    }
}

TEST_P(LinkFault, CancelEndsAWaitingRequestAndSparesLaterOnes)
{
    CFunCodeAccess& access = link.access;
    ASSERT_TRUE(link.Bind());
    sim->SetRegister32(0x2000, 1111);
    sim->SetRegister32(0x2002, 2222);
    uint32_t out = 0;
    DriveError why;
    access.CancelPending();   // nothing to cancel yet
    ASSERT_TRUE(access.ReadFunCodeByAddr(0x2002, 32, out, &why)) << why.text();
    access.CancelPending();   // nothing pending: the next request is not affected
    ASSERT_TRUE(access.ReadFunCodeByAddr(0x2002, 32, out, &why)) << why.text();
    EXPECT_EQ(out, 2222u);

    // The drive answers this one late; it is cancelled while it waits.
    const uint64_t n = sim->RequestCount() + 1;
    sim->ScriptFault(n, {Fault::Late, 300});
    uint32_t value = 77;
    bool ok = true;
    std::chrono::steady_clock::duration waited{};
    std::thread waiter([&] {
        const auto t0 = std::chrono::steady_clock::now();
        ok = access.ReadFunCodeByAddr(0x2000, 32, value, &why);
        waited = std::chrono::steady_clock::now() - t0;
    });
    ASSERT_TRUE(sim->WaitRequests(n, 5000));
    access.CancelPending();
    waiter.join();
    EXPECT_FALSE(ok);
    EXPECT_EQ(why, DriveError(DriveError::Cancelled));
    EXPECT_EQ(value, 77u);
    EXPECT_LT(waited, std::chrono::milliseconds(kLongTimeoutMs));

    // The late answer to the cancelled read is not taken for this one.
    ASSERT_TRUE(access.ReadFunCodeByAddr(0x2002, 32, out, &why)) << why.text();
    EXPECT_EQ(out, 2222u);
}

INSTANTIATE_TEST_SUITE_P(Links, LinkFault, ::testing::Values(Link::Tcp, Link::Rtu), LinkName);
