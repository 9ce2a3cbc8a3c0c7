// ecamctl convert and "ecamctl curve FILE.ecam", run as the user runs them.
#include "files/ecam_file.h"
#include "files/point_list_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct CmdResult {
    int status;
    std::string output;
};

CmdResult ecamctl(const std::string& args)
{
    const std::string cmd = std::string(ECAMCTL_PATH) + " " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    CmdResult r{-1, {}};
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

class EcamctlFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("ecamctl_files_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())
                 + "_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string p(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

} // namespace

TEST_F(EcamctlFiles, ConvertsThroughEveryFormatAndKeepsTheProfileSettings)
{
    ecam::ECamProfile profile;
    profile.masterLength = L"720";
    profile.unit = L"毫米";
    profile.slavePulse = L"4096";
    profile.slaveUnits = L"5";
    profile.points = {{0, 0, 0, kECamLinear}, {100.5, 40.25, 0.4, kECamLinear}, {720, 100, 0, kECamPoly}};
    ASSERT_TRUE(ecam::WriteECamProfileFile(dir / "in.ecam", profile));

    CmdResult r = ecamctl("convert " + p("in.ecam") + " " + p("copy.ecam"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "3 points\n");
    ecam::ECamProfile copy;
    ASSERT_TRUE(ecam::ReadECamProfileFile(dir / "copy.ecam", copy));
    EXPECT_EQ(copy.unit, L"毫米");
    EXPECT_EQ(copy.slavePulse, L"4096");
    EXPECT_EQ(copy.points, profile.points);

    ASSERT_EQ(ecamctl("convert " + p("in.ecam") + " " + p("pts.csv")).status, 0);
    ASSERT_EQ(ecamctl("convert " + p("pts.csv") + " " + p("pts.xlsx")).status, 0);
    ASSERT_EQ(ecamctl("convert " + p("pts.xlsx") + " " + p("pts.xls")).status, 0);
    r = ecamctl("convert " + p("pts.xls") + " " + p("out.ecam"));
    ASSERT_EQ(r.status, 0) << r.output;
    std::vector<ECamPoint> back;
    ASSERT_TRUE(ecam::LoadPointList(dir / "out.ecam", back));
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[1].master, 100.5);
    EXPECT_EQ(back[1].slave, 40.25);
    EXPECT_EQ(back[1].type, kECamLinear);
    EXPECT_EQ(back[2].type, kECamPoly);

    r = ecamctl("convert " + p("in.ecam") + " " + p("x.txt"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("unknown file type"), std::string::npos);
    r = ecamctl("convert " + p("absent.ecam") + " " + p("x.csv"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(ecamctl("convert " + p("in.ecam")).status, 2);
    std::ofstream(dir / "bad.csv") << "# m,s,v,t\n1,2,3,1\n4,5,x,0\n";
    r = ecamctl("convert " + p("bad.csv") + " " + p("x.xlsx"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("bad.csv:3:"), std::string::npos) << r.output;
    EXPECT_EQ(ecamctl("convert " + p("in.ecam") + " " + p("no/dir/x.csv")).status, 1);
}

TEST_F(EcamctlFiles, CurveReadsAProfile)
{
    ecam::ECamProfile profile;
    profile.points = {{0, 0, 0, kECamPoly}, {250, 10, 0, kECamPoly}, {500, 0, 0, kECamPoly}};
    ASSERT_TRUE(ecam::WriteECamProfileFile(dir / "c.ECAM", profile));
    const CmdResult r = ecamctl("curve " + p("c.ECAM"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.rfind("x,position,speed,accel,key\n", 0), 0u);
    // The three key points are in the curve (key column last), the middle one at (250, 10).
    size_t keys = 0;
    for (size_t at = 0; (at = r.output.find(",1\n", at)) != std::string::npos; ++at)
        ++keys;
    EXPECT_EQ(keys, 3u);
    EXPECT_NE(r.output.find("\n250,10,0,0,1\n"), std::string::npos) << r.output.substr(0, 200);
    EXPECT_EQ(ecamctl("curve " + p("absent.ecam")).status, 2);
}
