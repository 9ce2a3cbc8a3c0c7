#pragma once
// ecamctl run as a user runs it against a simulated drive started in the
// test's process: the drive, a small profile with its scaling, and a folder
// of this run for the files the commands read and write.
#include "files/ecam_file.h"
#include "run_ecamctl.h"
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

class EcamctlOnSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.Start(&error)) << error;
        dir = std::filesystem::temp_directory_path() / ("ecamctl_sim_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        profile.masterLength = L"1000";
        profile.unit = L"mm";
        profile.slavePulse = L"131072";
        profile.slaveUnits = L"360";
        profile.masterPulse = L"10000";
        profile.masterUnits = L"25";
        profile.points = {{0, 0, 0.5, 1}, {250, -12.5, 0.1, 0}, {600, 3.25, -0.02, 1}, {1000, 0, 0, 1}};
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    // The profile as it stands, saved under `name` in the run's folder.
    std::string Save(const char* name)
    {
        const std::filesystem::path p = dir / name;
        EXPECT_TRUE(ecam::WriteECamProfileFile(p, profile));
        return p.string();
    }
    std::string Device() const { return sim.Url() + "&timeout=200"; }

    CDriveSimulator sim;
    ecam::ECamProfile profile;
    std::filesystem::path dir;
};
