// Segment shapes: the quintic blend and the straight line, their sampling and
// their end records.
#include "cam/ecam_algorithm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<ECamCurveSample> Segment(ECamPoint a, ECamPoint b, double step)
{
    std::vector<ECamCurveSample> out;
    CECamAlgorithm(a, b).ComputeSegment(out, step);
    return out;
}

void ExpectEndRecords(const std::vector<ECamCurveSample>& s, const ECamPoint& a, const ECamPoint& b)
{
    ASSERT_GE(s.size(), 2u);
    const ECamCurveSample first{a.master, a.slave, a.master, a.speed, a.master, 0.0, true};
    const ECamCurveSample last{b.master, b.slave, b.master, b.speed, b.master, 0.0, true};
    EXPECT_EQ(s.front(), first);
    EXPECT_EQ(s.back(), last);
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        EXPECT_FALSE(s[i].isKeyPoint) << i;
        EXPECT_EQ(s[i].positionX, s[i].speedX);
        EXPECT_EQ(s[i].positionX, s[i].accelX);
    }
}

} // namespace

TEST(ECamAlgorithm, PolySCurveHasItsKnownShape)
{
    const ECamPoint a{0, 0, 0, kECamPoly}, b{1000, 100, 0, kECamPoly};
    const auto s = Segment(a, b, 1.0);
    ASSERT_EQ(s.size(), 1001u);
    ExpectEndRecords(s, a, b);
    for (int i = 1; i <= 999; ++i)
        ASSERT_EQ(s[i].positionX, i);
    EXPECT_NEAR(s[500].position, 50.0, 1e-12);
    EXPECT_NEAR(s[500].speed, 0.1875, 1e-12);
    EXPECT_NEAR(s[500].accel, 0.0, 1e-12);
    // Symmetric rise: position mirrors about the middle, speed is even, accel odd.
    for (int i = 1; i < 500; ++i) {
        EXPECT_NEAR(s[i].position + s[1000 - i].position, 100.0, 1e-9);
        EXPECT_NEAR(s[i].speed, s[1000 - i].speed, 1e-12);
        EXPECT_NEAR(s[i].accel, -s[1000 - i].accel, 1e-12);
    }
}

TEST(ECamAlgorithm, PolyRiseReachesPeakSpeedAndAccelerationAtKnownFractions)
{
    // Fine sampling of a long segment locates the extremes of the 3-4-5 rise.
    const double d = 100000.0, rise = 250.0, r = rise / d;
    const auto s = Segment({0, 0, 0, kECamPoly}, {d, rise, 0, kECamPoly}, 1.0);
    std::size_t iSpeed = 0, iMax = 0, iMin = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i].speed > s[iSpeed].speed) iSpeed = i;
        if (s[i].accel > s[iMax].accel) iMax = i;
        if (s[i].accel < s[iMin].accel) iMin = i;
    }
    EXPECT_NEAR(s[iSpeed].positionX / d, 0.5, 1e-5);
    EXPECT_NEAR(s[iSpeed].speed, 1.875 * r, 1e-12);
    EXPECT_NEAR(s[iMax].positionX / d, 0.2113, 1e-4);
    EXPECT_NEAR(s[iMin].positionX / d, 0.7887, 1e-4);
    EXPECT_NEAR(s[iMax].accel / r, 5.7735, 1e-4);
    EXPECT_NEAR(s[iMin].accel / r, -5.7735, 1e-4);
}

TEST(ECamAlgorithm, PolyMeetsBoundarySpeedsAndItsDerivativesAgree)
{
    // Unequal end speeds and an offset start exercise every coefficient.
    const ECamPoint a{200, -30, 0.7, kECamPoly}, b{600, 90, -0.4, kECamPoly};
    const auto s = Segment(a, b, 1.0);
    ASSERT_EQ(s.size(), 401u);
    ExpectEndRecords(s, a, b);
    const double d = b.master - a.master;
    for (std::size_t i = 2; i + 2 < s.size(); ++i) {
        const double dPos = (s[i + 1].position - s[i - 1].position) / 2.0;
        const double dSpeed = (s[i + 1].speed - s[i - 1].speed) / 2.0;
        ASSERT_NEAR(s[i].speed, dPos, 1e-4) << "x=" << s[i].positionX;
        ASSERT_NEAR(s[i].accel, dSpeed * d, 1e-3) << "x=" << s[i].positionX;
    }
    // The interior runs smoothly into both key points.
    EXPECT_NEAR(s[1].position, a.slave + a.speed, 1e-3);
    EXPECT_NEAR(s[1].speed, a.speed, 1e-3);
    EXPECT_NEAR(s[399].position, b.slave - b.speed, 1e-3);
    EXPECT_NEAR(s[399].speed, b.speed, 1e-3);
    EXPECT_NEAR(s[1].accel, 0.0, 0.1);
    EXPECT_NEAR(s[399].accel, 0.0, 0.1);
}

TEST(ECamAlgorithm, SamplingStartsOneStepInForPolyAndOneUnitInForLinear)
{
    // Poly with step 2: 2, 4, 6, 8.
    auto s = Segment({0, 0, 0, kECamPoly}, {10, 20, 0, kECamPoly}, 2.0);
    ASSERT_EQ(s.size(), 6u);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(s[k].positionX, 2.0 * k);

    // Linear with step 2: 1, 3, 5, 7, 9, each on the line with the slope as speed.
    const ECamPoint a{0, 0, 7.0, kECamLinear}, b{10, 20, -3.0, kECamPoly};
    s = Segment(a, b, 2.0);
    ASSERT_EQ(s.size(), 7u);
    ExpectEndRecords(s, a, b);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(s[k].positionX, 2.0 * k - 1);
        EXPECT_DOUBLE_EQ(s[k].position, 2.0 * s[k].positionX);
        EXPECT_EQ(s[k].speed, 2.0);
        EXPECT_EQ(s[k].accel, 0.0);
    }

    // Any type other than Poly draws a line.
    const auto odd = Segment({0, 0, 0, 5}, {10, 20, 0, kECamPoly}, 2.0);
    ASSERT_EQ(odd.size(), s.size());
    for (std::size_t i = 1; i + 1 < s.size(); ++i)
        EXPECT_EQ(odd[i], s[i]);
}

TEST(ECamAlgorithm, ShortAndDegenerateSegmentsGiveOnlyTheirEnds)
{
    const ECamPoint a{5, 1, 0.5, kECamPoly};
    // End closer than one step: no interior sample (Poly); a line shorter
    // than one unit has none either.
    EXPECT_EQ(Segment(a, {6.5, 2, 0, kECamPoly}, 2.0).size(), 2u);
    EXPECT_EQ(Segment(a, {7, 2, 0, kECamPoly}, 2.0).size(), 2u);
    EXPECT_EQ(Segment({5, 1, 0, kECamLinear}, {6, 2, 0, kECamPoly}, 1.0).size(), 2u);
    EXPECT_EQ(Segment({5, 1, 0, kECamLinear}, {6.5, 2, 0, kECamPoly}, 1.0).size(), 3u);

    // Zero length and reversed segments: both ends, nothing else, all finite.
    for (int32_t type : {kECamLinear, kECamPoly}) {
        for (double xe : {5.0, 2.0}) {
            const ECamPoint s0{5, 1, 0.5, type}, e0{xe, 9, 0.25, kECamPoly};
            const auto out = Segment(s0, e0, 1.0);
            ASSERT_EQ(out.size(), 2u);
            ExpectEndRecords(out, s0, e0);
        }
    }
}

TEST(ECamAlgorithm, OutputIsReplacedAndAppendCanLeaveOutTheEnd)
{
    const ECamPoint a{0, 0, 0, kECamPoly}, b{4, 4, 1, kECamPoly};
    std::vector<ECamCurveSample> out(7, ECamCurveSample{9, 9, 9, 9, 9, 9, true});
    CECamAlgorithm alg(a, b);
    alg.ComputeSegment(out, 1.0);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out.front().positionX, 0.0);

    std::vector<ECamCurveSample> joined(1, ECamCurveSample{});
    alg.AppendSegment(joined, 1.0, false);
    ASSERT_EQ(joined.size(), 5u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(joined[i + 1], out[i]);
}

TEST(ECamAlgorithm, StepsThatCannotAdvanceStillTerminate)
{
    // Beyond 2^53 a step of 1 no longer changes a double, and a zero or
    // NaN step never advances: the sampling must still end.
    const double big = 1e17;
    for (int32_t type : {kECamLinear, kECamPoly}) {
        EXPECT_LE(Segment({big, 0, 0, type}, {big + 1000, 1, 0, kECamPoly}, 1.0).size(), 4u);
        EXPECT_LE(Segment({0, 0, 0, type}, {10, 1, 0, kECamPoly}, 0.0).size(), 3u);
        EXPECT_EQ(Segment({0, 0, 0, type}, {10, 1, 0, kECamPoly}, std::nan("")).size(),
                  type == kECamPoly ? 2u : 3u);
    }
}
