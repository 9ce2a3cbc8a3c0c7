// The cam designer end to end: the drive's own curve through the fitted key
// points, checked against the laws independently of the fit's report; the
// segments the drive draws exactly get no interior point; and each refusal
// with its exact message.
#include "cam/cam_design.h"
#include "cam/ecam_algorithm.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::vector<DesignSegment> kExample = RiseDwellReturnDwell(3600);  // 1200, 1800, 3000, 3600

// The example's law at x: position and speed.
std::pair<double, double> ExampleLaw(double x)
{
    if (x <= 1200) {
        const LawShape l = EvaluateLaw(MotionLaw::Cycloidal, x / 1200);
        return {100 * l.s, 100.0 / 1200 * l.v};
    }
    if (x <= 1800)
        return {100, 0};
    if (x <= 3000) {
        const LawShape l = EvaluateLaw(MotionLaw::ModifiedSine, (x - 1800) / 1200);
        return {100 - 100 * l.s, -100.0 / 1200 * l.v};
    }
    return {0, 0};
}

} // namespace

TEST(CamDesign, ExampleStaysWithinToleranceOnTheDrivesCurve)
{
    const double peak[] = {2 * 100.0 / 1200, 0, 1.7596 * 100 / 1200, 0};
    for (const double tol : {0.01, 0.001}) {
        SCOPED_TRACE(tol);
        CamDesign d;
        DesignError e;
        ASSERT_TRUE(DesignCam(kExample, {tol, 272}, d, e)) << e.text;
        EXPECT_LE(d.points.size(), tol == 0.01 ? 120u : 272u);
        ASSERT_EQ(d.segments.size(), 4u);
        EXPECT_EQ(std::pair(d.segments[1].keyPoints, d.segments[3].keyPoints), std::pair(2, 2));  // dwells: no point inside
        EXPECT_EQ(int(d.points.size()), d.segments[3].firstPoint + 2);
        double worstPos = 0;
        std::vector<ECamCurveSample> samples;
        for (size_t k = 0; k + 1 < d.points.size(); ++k) {
            const ECamPoint& a = d.points[k];
            EXPECT_NEAR(a.slave, ExampleLaw(a.master).first, 1e-6);
            EXPECT_NEAR(a.speed, ExampleLaw(a.master).second, 1e-6);
            EXPECT_EQ(a.type, kECamPoly);
            CECamAlgorithm(a, d.points[k + 1]).ComputeSegment(samples, 0.25);
            const int seg = a.master < 1200 ? 0 : a.master < 1800 ? 1 : a.master < 3000 ? 2 : 3;
            for (const ECamCurveSample& s : samples) {
                const auto [pos, speed] = ExampleLaw(s.positionX);
                worstPos = std::max(worstPos, std::abs(s.position - pos));
                ASSERT_LE(std::abs(s.speed - speed), 0.02 * peak[seg] + 1e-9) << s.positionX;
            }
        }
        EXPECT_LE(worstPos, tol);
        EXPECT_GT(worstPos, tol / 2);  // the fit uses its room, no point wasted on slack
        EXPECT_NEAR(std::max(d.segments[0].maxPositionDeviation, d.segments[2].maxPositionDeviation), worstPos,
                    tol / 100);
    }
}

TEST(CamDesign, SegmentsTheDriveDrawsExactlyGetNoInteriorPoint)
{
    // A rise by 3-4-5 is the drive's own rest-to-rest blend.
    CamDesign d;
    DesignError e;
    ASSERT_TRUE(DesignCam({{MotionLaw::Poly345, 1000, 100}}, {}, d, e)) << e.text;
    EXPECT_EQ(d.points, (std::vector<ECamPoint>{{0, 0, 0, kECamPoly}, {1000, 100, 0, kECamPoly}}));

    // Line, blend between two lines, line, blend to rest, dwell.
    using enum MotionLaw;
    ASSERT_TRUE(DesignCam({{Linear, 100, 50}, {Poly5, 200, 80}, {Linear, 300, 90}, {Poly5, 400, 100}, {Dwell, 500, 100}},
                          {}, d, e))
        << e.text;
    constexpr int32_t L = kECamLinear, P = kECamPoly;
    EXPECT_EQ(d.points, (std::vector<ECamPoint>{{0, 0, 0.5, L}, {100, 50, 0.5, P}, {200, 80, 0.1, L}, {300, 90, 0.1, P},
                                                {400, 100, 0, P}, {500, 100, 0, P}}));
    for (const SegmentReport& r : d.segments)
        EXPECT_LT(r.maxPositionDeviation, 1e-9);
}

TEST(CamDesign, RefusesBadProfilesWithTheirCause)
{
    struct Case { std::vector<const char*> args; DesignOptions options; DesignErrorKind kind; const char* text; };
    const Case cases[] = {
        {{}, {}, DesignErrorKind::NoSegments, "no segments given"},
        {{"cycloid:100:1"}, {}, DesignErrorKind::UnknownLaw,
         "unknown law 'cycloid' in 'cycloid:100:1' (known: dwell, harmonic, cycloidal, modified-sine, "
         "modified-trapezoid, poly345, poly4567, linear, poly5)"},
        {{"poly345:100"}, {}, DesignErrorKind::BadSegmentText, "'poly345:100' is not LAW:END_MASTER:END_SLAVE"},
        {{"poly345:100:x"}, {}, DesignErrorKind::BadSegmentText,
         "'poly345:100:x': END_MASTER and END_SLAVE must be numbers"},
        {{"poly345:100:5", "dwell:100:5"}, {}, DesignErrorKind::MastersNotIncreasing,
         "segment 2 (dwell) ends at master 100, which is not after its start 100"},
        {{"poly345:100:5", "dwell:200:6"}, {}, DesignErrorKind::MovingDwell,
         "segment 2 (dwell) moves the slave from 5 to 6; a dwell holds it"},
        {{"linear:100:5", "dwell:200:5"}, {}, DesignErrorKind::SpeedJump,
         "the speed jumps from 0.05 to 0 at master 100, between segment 1 (linear) and segment 2 (dwell)"},
        {{"poly345:100.5:5"}, {}, DesignErrorKind::BadMasterLength,
         "the last end master 100.5 is the master length: a whole number from 10 to 1e+06"},
        {{"poly345:100:5"}, {0, 272}, DesignErrorKind::BadTolerance, "tolerance 0 is not a positive number"},
        {{"poly345:100:5"}, {1e-7, 272}, DesignErrorKind::ToleranceTooFine,
         "tolerance 1e-07 is finer than the 0.000001 a profile file keeps"},
        {{"poly345:100:5", "dwell:200:5"}, {0.01, 2}, DesignErrorKind::ToleranceUnreachable,
         "2 segments need at least 3 key points, more than the limit 2"},
        {{"cycloidal:1200:100", "dwell:1800:100", "modified-sine:3000:0", "dwell:3600:0"}, {0.001, 120},
         DesignErrorKind::ToleranceUnreachable,
         "tolerance 0.001 needs more than 120 key points; the best reachable with 120 is 0.0034"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<DesignSegment> segments;
        DesignError e;
        bool parsed = true;
        for (const char* a : c.args) {
            segments.emplace_back();
            parsed = parsed && ParseDesignSegment(a, segments.back(), e);
        }
        CamDesign d;
        d.points = {{1, 2, 3, 0}};
        if (parsed) {
            EXPECT_FALSE(DesignCam(segments, c.options, d, e));
        }
        EXPECT_EQ(e.kind, c.kind);
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(d.points.size(), 1u);  // left as it was
        if (e.kind == DesignErrorKind::ToleranceUnreachable && e.bestTolerance > 0) {
            // The figure offered is reachable, and a tenth less is not.
            EXPECT_TRUE(DesignCam(segments, {e.bestTolerance, c.options.maxPoints}, d, e)) << e.text;
            EXPECT_FALSE(DesignCam(segments, {0.9 * e.bestTolerance, c.options.maxPoints}, d, e));
        }
    }
}
