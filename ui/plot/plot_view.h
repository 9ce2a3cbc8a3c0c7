#pragma once
// Axis arithmetic of the curve windows, kept free of Qt so it can be tested
// on its own: a data range shown along a run of pixels, the mapping both
// ways, and the zoom and pan of a range.
//
// The mappings form the quotient (pixels per unit, units per pixel) first and
// truncate toward zero, so an axis over the automatic range [0, xMax] (x) or
// [yMin, yMax] (y) maps exactly as the plot always has. Plain values; any
// thread.
namespace plotview {

struct Range {
    double lo = 0.0;
    double hi = 0.0;
    double Span() const { return hi - lo; }
    friend bool operator==(const Range&, const Range&) = default;
};

// One axis of a plot. An x axis runs rightwards from `origin` (the plot's
// left pixel); a y axis (upward) runs upwards from `origin` (its bottom
// pixel). `length` is the plot width or height in pixels.
struct Axis {
    Range range;
    int origin = 0;
    double length = 0.0;
    bool upward = false;

    // A zero span puts every value on the origin (x) or the middle (y), so a
    // flat curve stays visible and nothing divides by zero.
    int ToPixel(double v) const;
    // The value at pixel p; a zero length gives lo (x) or hi (y).
    double FromPixel(int p) const;
    // Data units per pixel (positive), 0 for a zero length.
    double UnitsPerPixel() const;
};

// Truncation toward zero into 32 bits; NaN gives 0 and huge values are
// pinned at +-1e9 instead of overflowing.
int TruncPixel(double v);

// The range scaled by `factor` (below 1 zooms in) about `anchor`, which keeps
// its place; the span is held within [minSpan, maxSpan].
Range ZoomAbout(Range r, double anchor, double factor, double minSpan, double maxSpan);
// The range moved by delta data units.
Range Pan(Range r, double delta);
// The range shifted (not resized) just enough to keep some of `home` in
// sight: it ends no earlier than home.lo and starts no later than home.hi.
Range KeepOverlap(Range r, Range home);

// Decimals that tell grid steps of this size apart (0 to 6).
int DecimalsForStep(double step);
// Decimals for the labels lo, lo + step, ... (count of them): the fewest,
// from DecimalsForStep(step) on, that show them evenly spaced (20, 25.12
// would misstate a step of 5.12), at most three more than that and 6.
int DecimalsForLabels(double lo, double step, int count);

} // namespace plotview
