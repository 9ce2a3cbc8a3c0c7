// ecamctl write / read-special / params run as a user runs them, against a
// simulated drive started here: exit status 0 only on full success.
#include "files/ecam_file.h"
#include "sim/drive_simulator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct CmdResult {
    int status;
    std::string output;
};

CmdResult Ecamctl(const std::string& args)
{
    const std::string cmd = std::string(ECAMCTL_PATH) + " " + args + " 2>&1";
    CmdResult r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

class EcamctlDrive : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(sim.Start(&error)) << error;
        dir = fs::temp_directory_path() / ("ecamctl_drive_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        profile.masterLength = L"1000";
        profile.unit = L"mm";
        profile.slavePulse = L"131072";
        profile.slaveUnits = L"360";
        profile.masterPulse = L"10000";
        profile.masterUnits = L"25";
        profile.points = {{0, 0, 0.5, 1}, {250, -12.5, 0.1, 0}, {600, 3.25, -0.02, 1}, {1000, 0, 0, 1}};
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Save(const char* name)
    {
        const fs::path p = dir / name;
        EXPECT_TRUE(ecam::WriteECamProfileFile(p, profile));
        return p.string();
    }
    std::string Device() const { return "'" + sim.Url() + "&timeout=200'"; }

    CDriveSimulator sim;
    ecam::ECamProfile profile;
    fs::path dir;
};

} // namespace

TEST_F(EcamctlDrive, WriteThenReadBackAndTheirFailures)
{
    const std::string file = Save("cam.ecam");
    CmdResult r = Ecamctl("write " + file + " --device " + Device());
    ASSERT_EQ(r.status, 0) << r.output;
    // The file's scaling and points reach the drive (the layout itself is pinned by the panel tests).
    EXPECT_EQ(sim.Register32(0x1B04), 131072u);
    EXPECT_EQ(sim.Register(0x1B08), 4);
    EXPECT_EQ(static_cast<int16_t>(sim.Register(0x1E10)), -2);      // -0.02 x 100
    EXPECT_NE(r.output.find("4/4"), std::string::npos);              // the progress bar ran to the end

    r = Ecamctl("write " + file + " --special 3 --device " + Device());
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(sim.Register(0x1B08), 3);
    const std::string csv = (dir / "back.csv").string();
    r = Ecamctl("read-special --device " + Device() + " " + csv);
    ASSERT_EQ(r.status, 0) << r.output;
    std::ifstream in(csv, std::ios::binary);
    // K = 4 > V = 3: the origin, key point 1 (floor(1 x 4/3)) and the last.
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "0 , 0\r\n25000 , -12\r\n100000 , 0\r\n");

    // Bad scaling in the file: refused before the drive is touched.
    profile.masterUnits = L"30001";
    const auto before = sim.RequestCount();
    r = Ecamctl("write " + Save("bad.ecam") + " --device " + Device());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("主轴脉冲数对应的单位量超出范围(1~30000)"), std::string::npos) << r.output;
    EXPECT_EQ(sim.RequestCount(), before);

    r = Ecamctl("write " + file + " --special 2 --device " + Device());
    EXPECT_EQ(r.status, 2);
    r = Ecamctl("write " + file);
    EXPECT_EQ(r.status, 2);

    // A drive that cannot be reached.
    sim.Stop();
    r = Ecamctl("write " + file + " --device " + Device());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("串口未连接!"), std::string::npos) << r.output;
    r = Ecamctl("read-special --device " + Device() + " " + csv);
    EXPECT_EQ(r.status, 1);
}

TEST_F(EcamctlDrive, ParamsReadAndWriteWithTheDialogsChecks)
{
    CmdResult r = Ecamctl("params --device " + Device() + " write H1B-11=250 H1B-06=2");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(sim.Register(0x1B0B), 250);
    EXPECT_EQ(sim.Register(0x1B06), 2);

    r = Ecamctl("params --device " + Device() + " write H1B-10=-5 H1B-11=12.5");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("请输入整形数据!"), std::string::npos) << r.output;
    EXPECT_EQ(sim.Register(0x1B0A), 0);   // nothing sent when one value is bad
    r = Ecamctl("params --device " + Device() + " write H1B-06=7");
    EXPECT_EQ(r.status, 2);
    r = Ecamctl("params --device " + Device() + " write H1B-13=1");
    EXPECT_EQ(r.status, 2);

    sim.SetRegister(0x1B07, 0);
    r = Ecamctl("params --device " + Device() + " read");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("0-单次运行"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("读取成功!"), std::string::npos);
}
