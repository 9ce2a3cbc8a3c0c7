#pragma once
// ecamctl run as a user runs it against a simulated drive started in the
// test's process: the drive, a small profile with its scaling, a folder of
// this run for the files the commands read and write, and checks of what
// the write and verify commands print.
#include "files/ecam_file.h"
#include "run_ecamctl.h"
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

class EcamctlOnSim : public ::testing::Test {
protected:
    explicit EcamctlOnSim(SimOptions options = {}) : sim(options) {}
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

    static std::string Slurp(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // What follows the last redraw of the progress bar on stderr.
    static std::string AfterBar(const std::string& err)
    {
        const std::size_t r = err.rfind('\r');
        return r == std::string::npos ? "(no progress bar) " + err : err.substr(r + 1);
    }
    // "烧写凸轮点成功! N points, R retries\n" then `rest`: R depends on the
    // machine's load.
    static void ExpectWriteSuccess(const ecamtest::ProcessResult& r, const std::string& points,
                                   const std::string& rest = "")
    {
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const std::string head = "烧写凸轮点成功! " + points + " points, ", tail = " retries\n" + rest;
        const bool framed = r.out.size() > head.size() + tail.size() && r.out.rfind(head, 0) == 0
                            && r.out.compare(r.out.size() - tail.size(), tail.size(), tail) == 0;
        const std::string retries = framed ? r.out.substr(head.size(), r.out.size() - head.size() - tail.size()) : "";
        EXPECT_TRUE(framed && retries.find_first_not_of("0123456789") == std::string::npos) << r.out;
    }
    static inline const std::string kBar = "[########################################]";

    CDriveSimulator sim;
    ecam::ECamProfile profile;
    std::filesystem::path dir;
};
