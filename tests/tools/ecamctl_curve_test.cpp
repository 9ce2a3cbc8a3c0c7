// The cam commands run as a user runs them: "ecamctl curve" prints the
// sampled curve of a point file, stdin or a master length, "ecamctl peaks"
// four CSV lines of the cam's figures, "ecamctl design" writes the fitted
// profile and its report. The mathematics are the cam tests' business; here
// the printed figures must be the cam library's for the cam given, and
// bad input exits 2 with its message, printing nothing and leaving the
// output file as it was (or absent). What each refusal says:
// ecamctl_messages_test.
#include "cam/cam_design.h"
#include "cam/cam_peaks.h"
#include "cam/ecam_point_set.h"
#include "ecamctl_fixture.h"
#include "files/ecam_file.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using ecamtest::RunEcamctl;

using EcamctlCurve = EcamctlTest;

// The documented output: a header, then one "%.9g" row per curve sample.
std::string CurveCsv(const CECamPointSet& set)
{
    std::string csv = "x,position,speed,accel,key\n";
    char line[160];
    for (const ECamCurveSample& c : set.Curve()) {
        std::snprintf(line, sizeof line, "%.9g,%.9g,%.9g,%.9g,%d\n", c.positionX, c.position, c.speed, c.accel,
                      c.isKeyPoint ? 1 : 0);
        csv += line;
    }
    return csv;
}

using EcamctlPeaks = EcamctlTest;
using EcamctlDesign = EcamctlTest;

std::string Line(const char* name, const CamPeak& p)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "%s,%.9g,%.9g,%.9g,%.9g", name, p.max, p.maxAt, p.min, p.minAt);
    return buf;
}

} // namespace

TEST_F(EcamctlCurve, PrintsTheCurveOfAPointFileStdinOrLength)
{
    // Comments, a blank line and a CR LF line end are part of the file format.
    const std::string text = "# master,slave,speed,type\n0, 0, 0, 0   # a line first\n\n  40,20,7,1\r\n100,-10.5,0.25,1\n";
    CECamPointSet set;
    set.SetPoints({{0, 0, 0, kECamLinear}, {40, 20, 7, kECamPoly}, {100, -10.5, 0.25, kECamPoly}});
    CECamPointSet byLength;
    byLength.SetMasterLength(1000);
    const struct {
        std::vector<std::string> args;
        std::string input, out;
    } runs[] = {{{"curve", Write("cam.txt", text)}, "", CurveCsv(set)}, {{"curve"}, text, CurveCsv(set)},
                {{"curve", "-"}, text, CurveCsv(set)}, {{"curve", "--length", "1000"}, "", CurveCsv(byLength)}};
    for (const auto& run : runs) {
        const auto r = RunEcamctl(run.args, run.input);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, run.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(EcamctlCurve, BadInputNamesTheLineAndPrintsNothing)
{
    const std::pair<std::string, std::string> cases[] = {
        {"0,0,0,1\n10,x,0,1\n", ":2: master, slave and speed must be finite numbers"},
        {"0,0,0,1\n\n# c\n10,5,0\n", ":4: expected 4 fields master,slave,speed,type, found 3"},
        {"0,0,0,1\n10,5,0,1,\n", ":2: expected 4 fields master,slave,speed,type, found 5"},
        {"0,0,0,1\n10,5,0,2\n", ":2: type must be 0 (Linear) or 1 (Poly)"},
        {"0,0,0,1\n10,5,inf,1\n", ":2: master, slave and speed must be finite numbers"},
        {"0,0,0,1\n10,5,0,1\n10,6,0,1\n", ":3: master positions must strictly increase"},
    };
    for (const auto& [text, message] : cases)
        ExpectRefusal({"curve", Write("bad.txt", text)}, 2, "ecamctl curve: " + Path("bad.txt") + message + "\n");
    ExpectRefusal({"curve"}, 2, "ecamctl curve: <stdin>:2: expected 4 fields master,slave,speed,type, found 1\n",
                  "0,0,0,1\noops\n");

    // The lowest accepted length, for contrast.
    EXPECT_EQ(RunEcamctl({"curve", "--length", "10"}).exitCode, 0);
}

TEST_F(EcamctlPeaks, PrintsFourLinesOfTheCamsFigures)
{
    // Rise 120 over 800 (R = 0.15), then a dwell.
    const std::string text = "# master,slave,speed,type\n0,0,0,1\n800,120,0,0\n1000,120,0,0\n";
    CECamPointSet set;
    set.SetPoints({{0, 0, 0, kECamPoly}, {800, 120, 0, kECamLinear}, {1000, 120, 0, kECamLinear}});
    const CamPeaks p = FindCamPeaks(set.Curve());
    const std::string expected = Line("position", p.position) + "\n" + Line("speed", p.speed) + "\n" +
                                 Line("acceleration", p.acceleration) + "\n" + Line("jerk", p.jerk) + "\n";

    // (Standard input, profiles and bad lines reach every command through
    // one reader: the curve and convert tests'.)
    const auto r = RunEcamctl({"peaks", Write("cam.txt", text)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
}

TEST_F(EcamctlDesign, WritesTheFittedProfileAndItsReport)
{
    const std::string out = Path("cam.ecam");
    const auto r = En({"design", out, "--tolerance", "0.01", "cycloidal:1200:100", "dwell:1800:100",
                               "modified-sine:3000:0", "dwell:3600:0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    CamDesign d;
    DesignError e;
    ASSERT_TRUE(DesignCam(RiseDwellReturnDwell(3600), {0.01, 272}, d, e));
    ecam::ECamProfile profile;
    ASSERT_TRUE(ecam::ReadECamProfileFile(out, profile));
    EXPECT_EQ(profile.masterLength, L"3600");
    EXPECT_EQ(profile.points, d.points);  // six decimals already, so exact
    // The report's first segment, on the line after the heading.
    char expected[200];
    std::snprintf(expected, sizeof expected, "\n1        cycloidal                   1200          100 %10d %14.6f ",
                  d.segments[0].keyPoints, d.segments[0].maxPositionDeviation);
    EXPECT_EQ(r.out.substr(r.out.find('\n'), std::strlen(expected)), expected);
    EXPECT_NE(r.out.find("\n" + std::to_string(d.points.size()) + " key points, tolerance 0.01\n"),
              std::string::npos);

    // Refusals (the designer's own are its tests'; these reach it through the
    // default limit): nothing written, the old file untouched.
    const std::string old = Write("old.ecam", "keep me");
    const std::string none = Path("none.ecam");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--tolerance", "0.0001", "cycloidal:1200:100"},
         "tolerance 0.0001 needs more than 272 key points; the best reachable with 272 is 0.00017"},
        {{"--max-points", "1", "poly345:100:5"}, "--max-points '1' is not a whole number from 2 to 100000"},
        {{"--tolerance", "x", "poly345:100:5"}, "--tolerance 'x' is not a number"},
        {{}, "no segments given"},
    };
    for (const auto& [given, message] : cases) {
        for (const std::string& target : {old, none}) {
            std::vector<std::string> args{"design", target};
            args.insert(args.end(), given.begin(), given.end());
            const auto bad = En(args);
            EXPECT_EQ(bad.exitCode, 2) << message;
            EXPECT_EQ(bad.err.substr(0, bad.err.find('\n')), "ecamctl design: " + message);
            EXPECT_EQ(bad.out, "");
        }
        EXPECT_EQ(ecamtest::ReadFileBytes(old), "keep me");
        EXPECT_FALSE(std::filesystem::exists(none));
    }
}
