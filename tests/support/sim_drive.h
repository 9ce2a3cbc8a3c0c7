#pragma once
// The one way tests start a simulated drive: in the test's process, serving
// Modbus TCP on a loopback port or RTU on a new pseudo-terminal, stopped when
// the returned object goes. A start that fails is a test failure.
#include "host/device_url.h"
#include "host/modbus_data_srv.h"
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace ecamtest {

// One register's value, or a 32-bit pair's (low word first, read as signed),
// so that a test sets or checks many in one statement.
struct Reg {
    uint16_t address;
    int64_t value;
    int width = 16;
    bool operator==(const Reg&) const = default;
    friend void PrintTo(const Reg& r, std::ostream* os)
    {
        *os << std::hex << "0x" << r.address << std::dec << (r.width == 32 ? ":32=" : "=") << r.value;
    }
};

inline void SetRegs(CDriveSimulator& sim, const std::vector<Reg>& regs)
{
    for (const Reg& r : regs)
        if (r.width == 32)
            sim.SetRegister32(r.address, static_cast<uint32_t>(r.value));
        else
            sim.SetRegister(r.address, static_cast<uint16_t>(r.value));
}

// The drive holds exactly `want`.
inline void ExpectRegs(const CDriveSimulator& sim, const std::vector<Reg>& want)
{
    std::vector<Reg> got = want;
    for (Reg& r : got)
        r.value = r.width == 32 ? int64_t{static_cast<int32_t>(sim.Register32(r.address))} : sim.Register(r.address);
    EXPECT_EQ(got, want);
}

inline std::unique_ptr<CDriveSimulator> StartSim(const SimOptions& options = {})
{
    auto sim = std::make_unique<CDriveSimulator>(options);
    std::string error;
    EXPECT_TRUE(sim->Start(&error)) << error;
    return sim;
}

inline std::unique_ptr<CDriveSimulator> StartSimWithFaults(const SimFaults& faults)
{
    SimOptions o;
    o.faults = faults;
    return StartSim(o);
}

// A data service of its own on a simulator's URL, with the given response timeout.
inline std::unique_ptr<CModbusDataSrv> DataService(const std::string& url, int timeoutMs = 200)
{
    DeviceUrl u;
    EXPECT_TRUE(DeviceUrl::Parse(url + "&timeout=" + std::to_string(timeoutMs), u)) << url;
    return std::make_unique<CModbusDataSrv>(u);
}

// For tests run once per link.
enum class Link { Tcp, Rtu };

inline SimOptions OnLink(Link link)
{
    SimOptions o;
    o.rtu = link == Link::Rtu;
    return o;
}
inline std::unique_ptr<CDriveSimulator> StartSim(Link link) { return StartSim(OnLink(link)); }

inline std::string LinkName(const ::testing::TestParamInfo<Link>& info)
{
    return info.param == Link::Tcp ? "Tcp" : "Rtu";
}

} // namespace ecamtest
