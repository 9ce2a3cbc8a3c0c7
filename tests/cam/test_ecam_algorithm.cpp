// Segment shapes: the quintic blend, the straight line, their sampling and ends.
#include "cam/ecam_algorithm.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<ECamCurveSample> Segment(ECamPoint a, ECamPoint b, double step)
{
    std::vector<ECamCurveSample> out(3);  // ComputeSegment must replace this
    CECamAlgorithm(a, b).ComputeSegment(out, step);
    return out;
}

ECamCurveSample KeyRecord(const ECamPoint& p)
{
    return {p.master, p.slave, p.master, p.speed, p.master, 0.0, true};
}

} // namespace

TEST(ECamAlgorithm, PolyWithEndSpeedsIsSmoothAndSelfConsistent)
{
    // Unequal end speeds exercise every coefficient: speed must be the slope
    // of position, accel the segment-scaled slope of speed.
    const ECamPoint a{200, -30, 0.7, kECamPoly}, b{600, 90, -0.4, kECamPoly};
    const auto s = Segment(a, b, 1.0);
    ASSERT_EQ(s.size(), 401u);
    for (std::size_t i = 2; i + 2 < s.size(); ++i) {
        ASSERT_NEAR(s[i].speed, (s[i + 1].position - s[i - 1].position) / 2, 1e-4) << i;
        ASSERT_NEAR(s[i].accel, (s[i + 1].speed - s[i - 1].speed) / 2 * 400, 1e-3) << i;
    }
    EXPECT_NEAR(s[1].position, a.slave + a.speed, 1e-3);
    EXPECT_NEAR(s[399].position, b.slave - b.speed, 1e-3);
    EXPECT_NEAR(s[1].accel, 0.0, 0.1);
    EXPECT_NEAR(s[399].accel, 0.0, 0.1);
}

TEST(ECamAlgorithm, SamplingOfLineSegments)
{
    // (Where a Poly segment's samples lie: the point set's step test.)
    // A line starts one unit in: 1, 3, 5, 7, 9; its ends keep their stored speeds.
    const ECamPoint a{0, 0, 7.0, kECamLinear}, b{10, 20, -3.0, kECamPoly};
    const auto s = Segment(a, b, 2.0);
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s.front(), KeyRecord(a));
    EXPECT_EQ(s.back(), KeyRecord(b));
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(s[k], (ECamCurveSample{2.0 * k - 1, 4.0 * k - 2, 2.0 * k - 1, 2.0, 2.0 * k - 1, 0.0, false}));
    // Any type other than Poly draws a line.
    EXPECT_EQ(Segment({0, 0, 7.0, 5}, b, 2.0)[3], s[3]);

    // With AppendSegment the point set joins segments without their end records.
    std::vector<ECamCurveSample> joined(1);
    CECamAlgorithm(a, b).AppendSegment(joined, 2.0, false);
    EXPECT_EQ(std::vector<ECamCurveSample>(joined.begin() + 1, joined.end()),
              std::vector<ECamCurveSample>(s.begin(), s.end() - 1));
}

TEST(ECamAlgorithm, ShortDegenerateAndUnadvanceableSegmentsEnd)
{
    // Shorter than one step (Poly) or one unit (line): ends only.
    EXPECT_EQ(Segment({5, 1, 0, kECamPoly}, {7, 2, 0, kECamPoly}, 2.0).size(), 2u);
    EXPECT_EQ(Segment({5, 1, 0, kECamLinear}, {6, 2, 0, kECamPoly}, 1.0).size(), 2u);
    EXPECT_EQ(Segment({5, 1, 0, kECamLinear}, {6.5, 2, 0, kECamPoly}, 1.0).size(), 3u);
    for (int32_t type : {kECamLinear, kECamPoly}) {
        // Zero-length and reversed segments: both ends, nothing else.
        for (double xe : {5.0, 2.0}) {
            const ECamPoint s0{5, 1, 0.5, type}, e0{xe, 9, 0.25, kECamPoly};
            EXPECT_EQ(Segment(s0, e0, 1.0), (std::vector{KeyRecord(s0), KeyRecord(e0)}));
        }
        // Beyond 2^53 a step of 1 cannot move a double; zero or NaN steps never
        // advance: sampling must still stop.
        EXPECT_LE(Segment({1e17, 0, 0, type}, {1e17 + 1024, 1, 0, kECamPoly}, 1.0).size(), 4u);
        EXPECT_LE(Segment({0, 0, 0, type}, {10, 1, 0, kECamPoly}, 0.0).size(), 3u);
        EXPECT_LE(Segment({0, 0, 0, type}, {10, 1, 0, kECamPoly}, std::nan("")).size(), 3u);
    }
}
