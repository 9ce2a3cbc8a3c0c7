#pragma once
// The one way tests start a simulated drive: in the test's process, serving
// Modbus TCP on a loopback port or RTU on a new pseudo-terminal, stopped when
// the returned object goes. A start that fails is a test failure.
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace ecamtest {

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

// For tests run once per link.
enum class Link { Tcp, Rtu };

inline std::unique_ptr<CDriveSimulator> StartSim(Link link)
{
    SimOptions o;
    o.rtu = link == Link::Rtu;
    return StartSim(o);
}

inline std::string LinkName(const ::testing::TestParamInfo<Link>& info)
{
    return info.param == Link::Tcp ? "Tcp" : "Rtu";
}

} // namespace ecamtest
