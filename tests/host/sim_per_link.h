#pragma once
// The simulated drive over either link, for tests run once per link.
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

enum class Link { Tcp, Rtu };

// A started simulator serving Modbus TCP on loopback or RTU on a new pty.
inline std::unique_ptr<CDriveSimulator> StartSim(Link link)
{
    SimOptions o;
    o.rtu = link == Link::Rtu;
    auto sim = std::make_unique<CDriveSimulator>(o);
    std::string error;
    EXPECT_TRUE(sim->Start(&error)) << error;
    return sim;
}

inline std::string LinkName(const ::testing::TestParamInfo<Link>& info)
{
    return info.param == Link::Tcp ? "Tcp" : "Rtu";
}
