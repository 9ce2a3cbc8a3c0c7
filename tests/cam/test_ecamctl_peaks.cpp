// "ecamctl peaks" run as a user runs it: four CSV lines in a fixed order,
// the cam's figures for a point file, standard input and a profile, and the
// refusals. The figures themselves are the cam tests' business; here the
// printed ones must be the cam library's, and the known 3-4-5 speed peak
// (1.875·R at mid-rise, docs/cam_model.md) shows they belong to this cam.
#include "cam/cam_peaks.h"
#include "cam/ecam_point_set.h"
#include "run_ecamctl.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using ecamtest::RunEcamctl;

class EcamctlPeaks : public ::testing::Test {
protected:
    ecamtest::TempDir dir{"ecamctl_peaks"};
    std::string Write(const std::string& name, const std::string& text) { return dir.Write(name, text).string(); }
};

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string part; std::getline(ss, part, ',');)
        f.push_back(part);
    return f;
}

std::string Line(const char* name, const CamPeak& p)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "%s,%.9g,%.9g,%.9g,%.9g", name, p.max, p.maxAt, p.min, p.minAt);
    return buf;
}

} // namespace

TEST_F(EcamctlPeaks, PrintsFourLinesOfTheCamsFigures)
{
    // Rise 120 over 800 (R = 0.15), then a dwell.
    const std::string text = "# master,slave,speed,type\n0,0,0,1\n800,120,0,0\n1000,120,0,0\n";
    CECamPointSet set;
    set.SetPoints({{0, 0, 0, kECamPoly}, {800, 120, 0, kECamLinear}, {1000, 120, 0, kECamLinear}});
    const CamPeaks p = FindCamPeaks(set.Curve());
    const std::string expected = Line("position", p.position) + "\n" + Line("speed", p.speed) + "\n" +
                                 Line("acceleration", p.acceleration) + "\n" + Line("jerk", p.jerk) + "\n";

    const std::string file = Write("cam.txt", text);
    for (const auto& [args, input] : {std::pair<std::vector<std::string>, std::string>{{"peaks", file}, ""},
                                      {{"peaks", "-"}, text}}) {
        const auto r = RunEcamctl(args, input);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
    }
    const auto r = RunEcamctl({"peaks", file});
    std::stringstream lines(r.out);
    std::string speedLine;
    std::getline(lines, speedLine);
    std::getline(lines, speedLine);
    const auto f = Fields(speedLine);
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0], "speed");
    EXPECT_NEAR(std::strtod(f[1].c_str(), nullptr), 1.875 * 0.15, 1e-8);
    EXPECT_EQ(f[2], "400");
    EXPECT_EQ(f[3], "0");
    EXPECT_EQ(f[4], "0");

    // A profile written by convert gives the same figures.
    const std::string ecam = (dir / "cam.ecam").string();
    ASSERT_EQ(RunEcamctl({"convert", Write("cam.csv", "0,0,0,1\n800,120,0,0\n1000,120,0,0\n"), ecam}).exitCode, 0);
    const auto fromProfile = RunEcamctl({"peaks", ecam});
    EXPECT_EQ(fromProfile.exitCode, 0) << fromProfile.err;
    EXPECT_EQ(fromProfile.out, expected);
}

TEST_F(EcamctlPeaks, RefusesWhatIsNotACam)
{
    const std::string usage = "usage: ecamctl peaks FILE\n";
    const std::string missing = (dir / "missing.txt").string();
    const std::string one = Write("one.txt", "0,0,0,1\n");
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"peaks"}, "ecamctl peaks: a cam file is needed\n" + usage},
        {{"peaks", "a", "b"}, "ecamctl peaks: too many arguments\n" + usage},
        {{"peaks", missing}, "ecamctl peaks: cannot open '" + missing + "'\n"},
        {{"peaks", one}, "ecamctl peaks: a cam needs at least two key points\n"},
        {{"peaks", Write("bad.txt", "0,0,0,1\n5,x,0,1\n")},
         "ecamctl peaks: " + (dir / "bad.txt").string() + ":2: master, slave and speed must be finite numbers\n"},
    };
    for (const auto& [args, message] : refused) {
        const auto r = RunEcamctl(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_EQ(r.err, message);
    }
}
