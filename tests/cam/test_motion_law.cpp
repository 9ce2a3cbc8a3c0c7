// The motion laws against their textbook figures: end conditions, peak
// speed and acceleration coefficients, and speed/acceleration as the true
// derivatives of the stroke (which catches a wrong constant in any piece of
// the piecewise laws and any step where the pieces meet).
#include "cam/motion_law.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

TEST(MotionLaw, RestToRestLawsMatchTheirTextbookFigures)
{
    constexpr double pi = std::numbers::pi;
    struct Case { MotionLaw law; double peakSpeed, peakAccel; };
    const Case cases[] = {
        {MotionLaw::Harmonic, pi / 2, pi * pi / 2},
        {MotionLaw::Cycloidal, 2.0, 2 * pi},
        {MotionLaw::ModifiedSine, 4 * pi / (4 + pi), 4 * pi * pi / (4 + pi)},  // 1.760, 5.528
        {MotionLaw::ModifiedTrapezoid, 2.0, 8 * pi / (2 + pi)},                // 4.888
        {MotionLaw::Poly345, 1.875, 10 / std::sqrt(3.0)},                      // 5.774
        {MotionLaw::Poly4567, 2.1875, 7.5132},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(MotionLawName(c.law));
        EXPECT_EQ(ParseMotionLaw(MotionLawName(c.law)), c.law);
        for (const double t : {0.0, 0.5, 1.0}) {   // from rest to rest, half way at half time
            EXPECT_NEAR(EvaluateLaw(c.law, t).s, t, 1e-12) << t;
            EXPECT_NEAR(EvaluateLaw(c.law, t).v * (t != 0.5), 0.0, 1e-12) << t;
        }
        double peakV = 0, peakA = 0;
        const double h = 1e-6;
        for (int i = 1; i < 4000; ++i) {
            const double t = i / 4000.0;
            const LawShape l = EvaluateLaw(c.law, t);
            peakV = std::max(peakV, l.v);
            peakA = std::max(peakA, std::abs(l.a));
            ASSERT_NEAR((EvaluateLaw(c.law, t + h).s - EvaluateLaw(c.law, t - h).s) / (2 * h), l.v, 1e-6) << t;
            ASSERT_NEAR((EvaluateLaw(c.law, t + h).v - EvaluateLaw(c.law, t - h).v) / (2 * h), l.a, 1e-4) << t;
        }
        EXPECT_NEAR(peakV, c.peakSpeed, 1e-6);
        EXPECT_NEAR(peakA, c.peakAccel, 1e-3);
    }
    EXPECT_EQ(EvaluateLaw(MotionLaw::Linear, 0.25).s, 0.25);
    EXPECT_EQ(EvaluateLaw(MotionLaw::Linear, 0.25).v, 1.0);
    EXPECT_EQ(EvaluateLaw(MotionLaw::Dwell, 0.25).s, 0.0);
    EXPECT_FALSE(ParseMotionLaw("Cycloidal"));
}
