// "ecamctl peaks" run as a user runs it: four CSV lines in a fixed order,
// the cam's figures for a point file, and the refusals. The figures themselves are the cam tests' business; here the
// printed ones must be the cam library's, and the known 3-4-5 speed peak
// (1.875·R at mid-rise, docs/cam_model.md) shows they belong to this cam.
#include "cam/cam_peaks.h"
#include "cam/ecam_point_set.h"
#include "ecamctl_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using ecamtest::RunEcamctl;

using EcamctlPeaks = EcamctlTest;

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

    // (Standard input, profiles and bad lines reach every command through
    // one reader: the curve and convert tests'.)
    const auto r = RunEcamctl({"peaks", Write("cam.txt", text)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.err, "");
    // The known 3-4-5 speed peak shows the figures belong to this cam.
    EXPECT_NEAR(std::strtod(expected.c_str() + expected.find("\nspeed,") + 7, nullptr), 1.875 * 0.15, 1e-8);
}
