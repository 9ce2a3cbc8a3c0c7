// Peaks of the sampled cam against figures worked out by hand.
//
// The model (docs/cam_model.md): a Poly segment from (0, 0) to (T, H) with
// zero end speeds is P(t) = H·(10t³ − 15t⁴ + 6t⁵), t = x/T. With R = H/T:
//   speed        d(slave)/d(master)  = R·(30t² − 60t³ + 30t⁴), largest 1.875·R at t = 1/2;
//   acceleration d(speed)/dt          = R·(60t − 180t² + 120t³), extremes ±(10/√3)·R = ±5.7735·R
//                                       at t = 1/2 ∓ √3/6 = 0.2113 and 0.7887;
//   jerk         d(acceleration)/dx   = (R/T)·(60 − 360t + 360t²), largest 60·R/T at both ends,
//                                       smallest −30·R/T at t = 1/2.
// The sampled jerk is a difference quotient over one step h, which for the
// end interval is the mean of the jerk over [0, h]: 60·R/T less about 3·h/T
// of itself, so the end figures are checked within that.
#include "cam/cam_peaks.h"
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

CamPeaks PeaksOf(const std::vector<ECamPoint>& points, double* step = nullptr)
{
    CECamPointSet set;
    set.SetPoints(points);
    if (step)
        *step = set.SampleStep();
    return FindCamPeaks(set.Curve());
}

const double kAccelPeak = 10.0 / std::sqrt(3.0);        // 5.7735
const double kAccelAt = 0.5 - std::sqrt(3.0) / 6.0;     // 0.2113

// A peak's figures (largest, where, smallest, where) against wanted ones,
// each within its tolerance (none: exactly); kAny is not checked.
using Figures = std::array<double, 4>;
const double kAny = std::numeric_limits<double>::quiet_NaN();
void ExpectPeak(const CamPeak& p, const Figures& want, const Figures& tol = {})
{
    const Figures got = {p.max, p.maxAt, p.min, p.minAt};
    for (std::size_t i = 0; i < got.size(); ++i)
        if (!std::isnan(want[i]))
            EXPECT_NEAR(got[i], want[i], tol[i]) << "figure " << i;
}

} // namespace

TEST(CamPeaks, PolyRiseHasTheTextbookFigures)
{
    for (const double T : {800.0, 5000.0}) {  // a step of 1, and a step of 5
        const double H = 120.0, R = H / T;
        double h = 0.0;
        const CamPeaks p = PeaksOf({{0, 0, 0, kECamPoly}, {T, H, 0, kECamPoly}}, &h);
        SCOPED_TRACE(T);

        ASSERT_TRUE(p.position.valid);
        ExpectPeak(p.position, {H, T, 0, 0});
        // T/2 is a sample; the zero speed first occurs at the start.
        ExpectPeak(p.speed, {1.875 * R, T / 2, 0, 0}, {1e-12, 1e-12, 0, 0});

        // The nearest sample to the true extreme lies within half a step of
        // it, where the acceleration (its second derivative at most 360·R)
        // falls short by at most ½·360·R·(h/2T)².
        const double shortfall = 0.5 * 360 * R * (h / (2 * T)) * (h / (2 * T));
        EXPECT_LE(p.acceleration.max, kAccelPeak * R);
        ExpectPeak(p.acceleration, {kAccelPeak * R, kAccelAt * T, -kAccelPeak * R, (1 - kAccelAt) * T},
                   {shortfall, h / 2 + 1e-9, shortfall, h / 2 + 1e-9});

        ExpectPeak(p.jerk, {60 * R / T, kAny, -30 * R / T, T / 2}, {60 * R / T * 3 * h / T, 0, 1e-3 * R / T, h});
        EXPECT_LT(p.jerk.max, 60 * R / T);  // a mean over the step, below the end value
        EXPECT_TRUE(p.jerk.maxAt < h || p.jerk.maxAt > T - h) << p.jerk.maxAt;
    }
}

TEST(CamPeaks, RiseAndShorterReturnTakeTheSteeperSegmentsFigures)
{
    // Rise 90 over 600 (R1 = 0.15), return over 300 (R2 = −0.3): the return
    // has the larger figures, with the signs of its negative R.
    const CamPeaks p = PeaksOf({{0, 0, 0, kECamPoly}, {600, 90, 0, kECamPoly}, {900, 0, 0, kECamPoly}});
    ExpectPeak(p.position, {90, 600, 0, 0});
    ExpectPeak(p.speed, {1.875 * 0.15, 300, -1.875 * 0.3, 750}, {1e-12, 0, 1e-12, 0});
    ExpectPeak(p.acceleration, {kAccelPeak * 0.3, 600 + (1 - kAccelAt) * 300, -kAccelPeak * 0.3, 600 + kAccelAt * 300},
               {1e-4, 0.5, 1e-4, 0.5});
    // Jerk of the return: (R2/T2)·(60 − 360t + 360t²), so +30·0.3/300 in its
    // middle and −60·0.3/300 at its ends; the rise's ±0.015 lies inside.
    ExpectPeak(p.jerk, {30 * 0.3 / 300, 750, -60 * 0.3 / 300, kAny}, {1e-5, 1.0, 0.06 * 3 / 300, 0});
    EXPECT_TRUE(std::fabs(p.jerk.minAt - 600) < 1 || std::fabs(p.jerk.minAt - 900) < 1) << p.jerk.minAt;
}

TEST(CamPeaks, LinesEmptyCurvesAndDegenerateSamples)
{
    // A straight line: constant speed, no acceleration, no jerk; every tie
    // goes to the first sample.
    const CamPeaks line = PeaksOf({{100, 10, 0.2, kECamLinear}, {300, 50, 0.2, kECamLinear}});
    ExpectPeak(line.speed, {0.2, 100, 0.2, 100}, {1e-15, 0, 1e-15, 0});
    ExpectPeak(line.acceleration, {0, 100, 0, 100});
    ExpectPeak(line.jerk, {0, kAny, 0, kAny});

    const CamPeaks none = FindCamPeaks({});
    EXPECT_FALSE(none.position.valid || none.speed.valid || none.acceleration.valid || none.jerk.valid);

    // Two records at one master (a zero-length segment) have no quotient;
    // a non-finite value is not a peak.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<ECamCurveSample> odd = {{0, 0, 0, 0, 0, 0, true},
                                              {10, 1, 10, 1, 10, 2, false},
                                              {10, 1, 10, 1, 10, 50, true},
                                              {20, nan, 20, 1, 20, 48, false}};
    const CamPeaks o = FindCamPeaks(odd);
    ExpectPeak(o.position, {1, 10, 0, 0});
    ExpectPeak(o.jerk, {0.2, 5, -0.2, 15});
}
