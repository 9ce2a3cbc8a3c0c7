#include "grid/grid_column_format.h"

#include <cmath>

namespace {

// Digits before the point of a non-negative a as printed, half being half
// a unit of the last place printed: a value that rounds up to the next power
// of ten gains one.
int IntegerDigits(double a, double half)
{
    int digits = 1;
    for (double limit = 10.0; digits < 400 && a + half >= limit; limit *= 10.0)
        ++digits;
    return digits;
}

// Sign and digit count decide a printed number's width; infinities and
// NaN print as words and get keys of their own.
qint64 NumberKey(double v, double half)
{
    if (std::isnan(v))
        return -1;
    if (std::isinf(v))
        return v < 0 ? -2 : -3;
    // printf writes a minus for every negative value, even one shown as 0.
    return IntegerDigits(std::fabs(v), half) * 2 + (std::signbit(v) ? 1 : 0);
}

}  // namespace

CGridColumnFormat GridFixedFormat(int decimals)
{
    CGridColumnFormat format;
    format.text = [decimals](const QVariant& v) { return QString::asprintf("%.*f", decimals, v.toDouble()); };
    const double half = 0.5 * std::pow(10.0, -decimals);
    format.widthKey = [half](const QVariant& v) { return NumberKey(v.toDouble(), half); };
    return format;
}

CGridColumnFormat GridIntegerFormat()
{
    CGridColumnFormat format;
    format.text = [](const QVariant& v) { return QString::asprintf("%d", v.toInt()); };
    format.widthKey = [](const QVariant& v) { return NumberKey(v.toInt(), 0.5); };
    return format;
}
