#include "ui/plot/plot_view.h"

#include <algorithm>
#include <cmath>

namespace plotview {

int TruncPixel(double v)
{
    if (std::isnan(v))
        return 0;
    if (v > 1e9)
        return 1000000000;
    if (v < -1e9)
        return -1000000000;
    return static_cast<int>(v);
}

int Axis::ToPixel(double v) const
{
    const double span = range.Span();
    if (!upward)
        return span != 0.0 ? origin + TruncPixel((v - range.lo) * (length / span)) : origin;
    return span != 0.0 ? origin - TruncPixel((v - range.lo) * (length / span)) : origin - TruncPixel(length / 2);
}

double Axis::FromPixel(int p) const
{
    if (length == 0.0)
        return upward ? range.hi : range.lo;
    if (!upward)
        return range.lo + (p - origin) * (range.Span() / length);
    // Measured from the top pixel, as the y read-out always was.
    const int top = origin - static_cast<int>(length);
    return range.hi - (p - top) * (range.Span() / length);
}

double Axis::UnitsPerPixel() const { return length != 0.0 ? std::fabs(range.Span()) / length : 0.0; }

Range ZoomAbout(Range r, double anchor, double factor, double minSpan, double maxSpan)
{
    const double span = r.Span();
    if (!(span > 0.0) || !(factor > 0.0) || !std::isfinite(factor))
        return r;
    const double target = std::clamp(span * factor, minSpan, std::max(minSpan, maxSpan));
    const double f = target / span;
    return {anchor - (anchor - r.lo) * f, anchor + (r.hi - anchor) * f};
}

Range Pan(Range r, double delta) { return {r.lo + delta, r.hi + delta}; }

Range KeepOverlap(Range r, Range home)
{
    if (r.hi < home.lo)
        return Pan(r, home.lo - r.hi);
    if (r.lo > home.hi)
        return Pan(r, home.hi - r.lo);
    return r;
}

int DecimalsForStep(double step)
{
    const double s = std::fabs(step);
    if (!(s > 0.0) || !std::isfinite(s))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(s) - 1e-9)), 0, 6);
}

int DecimalsForLabels(double lo, double step, int count)
{
    const int least = DecimalsForStep(step);
    const int most = std::min(6, least + 3);
    if (!std::isfinite(lo) || !std::isfinite(step) || count < 3)
        return least;
    for (int d = least; d < most; ++d) {
        const double scale = std::pow(10.0, d);
        const double first = std::round(lo * scale);
        const double gap = std::round((lo + step) * scale) - first;
        bool even = true;
        for (int i = 2; i < count && even; ++i)
            even = std::round((lo + i * step) * scale) - first == i * gap;
        if (even)
            return d;
    }
    return most;
}

} // namespace plotview
