// "ecamctl design" run as a user runs it: the written profile holds the
// fit's key points and the report names them; bad input exits 2 with its
// message and leaves the output file as it was (or absent).
#include "cam/cam_design.h"
#include "files/ecam_file.h"
#include "ecamctl_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

class EcamctlDesign : public EcamctlTest {};

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
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    char expected[200];
    std::snprintf(expected, sizeof expected, "1        cycloidal                   1200          100 %10d %14.6f",
                  d.segments[0].keyPoints, d.segments[0].maxPositionDeviation);
    EXPECT_EQ(line.substr(0, std::string(expected).size()), expected);
    EXPECT_NE(r.out.find("\n" + std::to_string(d.points.size()) + " key points, tolerance 0.01\n"),
              std::string::npos);

    // Refusals (the designer's own are its tests'; these reach it through the
    // default limit): nothing written, the old file untouched.
    const std::string old = Write("old.ecam", "keep me");
    const std::string none = Path("none.ecam");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--tolerance", "0.0001", "cycloidal:1200:100"},
         "tolerance 0.0001 needs more than 272 key points; the best reachable with 272 is 0.00017"},
        {{"--max-points", "1", "poly345:100:5"}, "--max-points '1' is not a whole number from 2 to 100000"},
        {{"--tolerance", "x", "poly345:100:5"}, "--tolerance 'x' is not a number"},
        {{}, "no segments given"},
    };
    for (const Case& c : cases) {
        for (const std::string& target : {old, none}) {
            std::vector<std::string> args{"design", target};
            args.insert(args.end(), c.args.begin(), c.args.end());
            const auto bad = En(args);
            EXPECT_EQ(bad.exitCode, 2) << c.message;
            EXPECT_EQ(bad.err.substr(0, bad.err.find('\n')), "ecamctl design: " + c.message);
            EXPECT_EQ(bad.out, "");
        }
        std::ifstream in(old);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep me");
        EXPECT_FALSE(std::filesystem::exists(none));
    }
}
