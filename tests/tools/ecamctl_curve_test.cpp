// "ecamctl curve" run as a user runs it: exit status, standard output and
// standard error for a point file, stdin and a master length, and how bad
// input is refused. The curve mathematics are the cam tests' business; here
// the printed CSV only has to be the one of the points given.
#include "cam/ecam_point_set.h"
#include "ecamctl_fixture.h"

#include <gtest/gtest.h>


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

} // namespace

TEST_F(EcamctlCurve, PrintsTheCurveOfAPointFileStdinOrLength)
{
    // Comments, a blank line and a CR LF line end are part of the file format.
    const std::string text = "# master,slave,speed,type\n0, 0, 0, 0   # a line first\n\n  40,20,7,1\r\n100,-10.5,0.25,1\n";
    CECamPointSet set;
    set.SetPoints({{0, 0, 0, kECamLinear}, {40, 20, 7, kECamPoly}, {100, -10.5, 0.25, kECamPoly}});
    const std::string expected = CurveCsv(set);
    for (const auto& [args, input] : {std::pair<std::vector<std::string>, std::string>{{"curve", Write("cam.txt", text)}, ""},
                                      {{"curve"}, text},
                                      {{"curve", "-"}, text}}) {
        const auto r = RunEcamctl(args, input);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
    }

    CECamPointSet byLength;
    byLength.SetMasterLength(1000);
    const auto def = RunEcamctl({"curve", "--length", "1000"});
    EXPECT_EQ(def.exitCode, 0);
    EXPECT_EQ(def.out, CurveCsv(byLength));
    EXPECT_EQ(def.err, "");
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
