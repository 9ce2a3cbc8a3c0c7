// Axis arithmetic of the plots on its own: mappings both ways, zoom about a
// point, pan and the limits that keep a view usable.
#include "ui/plot/plot_view.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace plotview;

TEST(PlotView, AxesMapBothWaysWithTheQuotientFirstAndTruncation)
{
    // x: 0..1000 over 145 pixels from 120. 200 * (145 / 1000) = 28.999...
    // truncates to 28; the product formed first would give 29.
    const Axis x{{0, 1000}, 120, 145, false};
    EXPECT_EQ(x.ToPixel(200), 148);
    EXPECT_EQ(x.ToPixel(0), 120);
    EXPECT_EQ(x.ToPixel(1000), 265);
    EXPECT_EQ(x.ToPixel(-0.9 * 1000 / 145), 120);  // toward zero, not floor
    EXPECT_DOUBLE_EQ(x.FromPixel(265), 1000.0);

    // y: -100..100 over 200 pixels upwards from 220; read back from the top.
    const Axis y{{-100, 100}, 220, 200, true};
    EXPECT_EQ(y.ToPixel(-100), 220);
    EXPECT_EQ(y.ToPixel(100), 20);
    EXPECT_EQ(y.ToPixel(0.9), 120);
    EXPECT_DOUBLE_EQ(y.FromPixel(20), 100.0);
    EXPECT_DOUBLE_EQ(y.FromPixel(70), 50.0);

    // A zoomed range: 400..600 over 200 pixels is one pixel per unit.
    const Axis z{{400, 600}, 120, 200, false};
    EXPECT_EQ(z.ToPixel(450), 170);
    EXPECT_DOUBLE_EQ(z.FromPixel(170), 450.0);
    EXPECT_DOUBLE_EQ(z.UnitsPerPixel(), 1.0);

    // Degenerate: zero span (left edge / middle), zero length, huge values.
    EXPECT_EQ((Axis{{5, 5}, 120, 100, false}.ToPixel(7)), 120);
    EXPECT_EQ((Axis{{5, 5}, 220, 200, true}.ToPixel(7)), 120);
    EXPECT_EQ((Axis{{0, 10}, 120, 0, false}.FromPixel(130)), 0.0);
    EXPECT_EQ((Axis{{0, 10}, 220, 0, true}.FromPixel(130)), 10.0);
    EXPECT_EQ((Axis{{0, 1e-12}, 0, 1000, false}.ToPixel(1e6)), 1000000000);
    EXPECT_EQ(TruncPixel(-1e300), -1000000000);
    EXPECT_EQ(TruncPixel(std::nan("")), 0);
}

TEST(PlotView, ZoomKeepsTheAnchorAndStaysWithinItsLimits)
{
    // (A plain zoom about its anchor and back: the curve windows' wheel test.)
    const Range r{0, 1000};
    // The span is held within its limits, the anchor still in place.
    const Range deep = ZoomAbout(r, 400, 1e-9, 10, 1e6);
    EXPECT_NEAR(deep.Span(), 10, 1e-9);
    EXPECT_NEAR((400 - deep.lo) / deep.Span(), 0.4, 1e-9);
    EXPECT_NEAR(ZoomAbout(r, 0, 1e9, 1, 5000).Span(), 5000, 1e-9);

    // Nothing to zoom, or a factor that means nothing: unchanged.
    EXPECT_EQ(ZoomAbout({3, 3}, 3, 0.5, 0, 10), (Range{3, 3}));
    EXPECT_EQ(ZoomAbout(r, 10, 0.0, 1, 1e6), r);
    EXPECT_EQ(ZoomAbout(r, 10, std::nan(""), 1, 1e6), r);
}

TEST(PlotView, PanMovesAndKeepOverlapHoldsSomeOfHomeInSight)
{
    // (A pan, and one gone right past the end: the curve windows' middle drag.)
    const Range home{0, 1000};
    EXPECT_EQ(KeepOverlap({-300, -100}, home), (Range{-200, 0}));
    // A view wider than home that covers it stays as it is.
    EXPECT_EQ(KeepOverlap({-50, 2000}, home), (Range{-50, 2000}));
}

TEST(PlotView, DecimalsTellGridStepsApartAndLabelsShowEvenSteps)
{
    const std::pair<double, int> steps[] = {{100, 0}, {1, 0}, {0.5, 1}, {0.1, 1}, {-0.02, 2}, {1e-12, 6}, {0, 0}};
    for (const auto& [step, decimals] : steps)
        EXPECT_EQ(DecimalsForStep(step), decimals) << step;

    const struct {
        double lo, step;
        int decimals;
    } cases[] = {
        {0, 100, 0},            // a whole step from a whole start
        {20, 5.12, 2},          // three wheel notches: 20.00, 25.12, ..., not 20, 25, ... 66, 71
        {20.3333, 5.12, 2},     // panned: the start's own digits do not count
        {0, 33.3, 1},           // a length of 333
        {0, 10.0 / 3, 3},       // no finite decimals: three more than the step needs
        {0, 1e-9, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecimalsForLabels(c.lo, c.step, 11), c.decimals) << c.lo << " + " << c.step;
}
