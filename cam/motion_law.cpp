#include "cam/motion_law.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

struct Named {
    MotionLaw law;
    const char* name;
};

constexpr Named kNames[] = {
    {MotionLaw::Dwell, "dwell"},
    {MotionLaw::Harmonic, "harmonic"},
    {MotionLaw::Cycloidal, "cycloidal"},
    {MotionLaw::ModifiedSine, "modified-sine"},
    {MotionLaw::ModifiedTrapezoid, "modified-trapezoid"},
    {MotionLaw::Poly345, "poly345"},
    {MotionLaw::Poly4567, "poly4567"},
    {MotionLaw::Linear, "linear"},
    {MotionLaw::Poly5, "poly5"},
};

// Modified sine (Kloomok and Muffley), first half: a quarter sine wave of
// acceleration over 1/8, then a slower sine of three times the period.
LawShape ModifiedSineFirstHalf(double t)
{
    const double k = 4.0 + kPi;
    if (t <= 0.125) {
        const double w = 4.0 * kPi * t;
        return {(kPi * t - 0.25 * std::sin(w)) / k, kPi * (1.0 - std::cos(w)) / k,
                4.0 * kPi * kPi * std::sin(w) / k};
    }
    const double w = kPi / 3.0 + 4.0 * kPi * t / 3.0;
    return {(2.0 + kPi * t - 2.25 * std::sin(w)) / k, (kPi - 3.0 * kPi * std::cos(w)) / k,
            4.0 * kPi * kPi * std::sin(w) / k};
}

// Modified trapezoid, first half: sine ramp of acceleration over 1/8,
// constant peak A over 1/4, cosine fall to the middle. A = 8*pi/(2+pi) makes
// s(1/2) = 1/2.
LawShape ModifiedTrapezoidFirstHalf(double t)
{
    const double a = 8.0 * kPi / (2.0 + kPi);
    const double w = 4.0 * kPi;
    const double v1 = a / w, s1 = a / w * (0.125 - 1.0 / w);
    if (t <= 0.125)
        return {a / w * (t - std::sin(w * t) / w), a / w * (1.0 - std::cos(w * t)), a * std::sin(w * t)};
    if (t <= 0.375) {
        const double u = t - 0.125;
        return {s1 + v1 * u + 0.5 * a * u * u, v1 + a * u, a};
    }
    const double v2 = v1 + a * 0.25, s2 = s1 + v1 * 0.25 + a / 32.0;
    const double u = t - 0.375;
    return {s2 + v2 * u + a / (w * w) * (1.0 - std::cos(w * u)), v2 + a / w * std::sin(w * u),
            a * std::cos(w * u)};
}

// Laws symmetric about the middle: s(t) = 1 - s(1 - t).
template <class Half>
LawShape Mirrored(double t, Half half)
{
    if (t <= 0.5)
        return half(t);
    const LawShape m = half(1.0 - t);
    return {1.0 - m.s, m.v, -m.a};
}

} // namespace

const char* MotionLawName(MotionLaw law)
{
    for (const Named& n : kNames)
        if (n.law == law)
            return n.name;
    return "?";
}

std::optional<MotionLaw> ParseMotionLaw(std::string_view name)
{
    for (const Named& n : kNames)
        if (name == n.name)
            return n.law;
    return std::nullopt;
}

const char* MotionLawNameList()
{
    return "dwell, harmonic, cycloidal, modified-sine, modified-trapezoid, poly345, poly4567, linear, poly5";
}

bool StartsAndEndsAtRest(MotionLaw law)
{
    return law != MotionLaw::Linear;
}

LawShape EvaluateLaw(MotionLaw law, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (law) {
    case MotionLaw::Dwell:
        return {};
    case MotionLaw::Linear:
        return {t, 1.0, 0.0};
    case MotionLaw::Harmonic:
        return {0.5 * (1.0 - std::cos(kPi * t)), 0.5 * kPi * std::sin(kPi * t),
                0.5 * kPi * kPi * std::cos(kPi * t)};
    case MotionLaw::Cycloidal: {
        const double w = 2.0 * kPi * t;
        return {t - std::sin(w) / (2.0 * kPi), 1.0 - std::cos(w), 2.0 * kPi * std::sin(w)};
    }
    case MotionLaw::ModifiedSine:
        return Mirrored(t, ModifiedSineFirstHalf);
    case MotionLaw::ModifiedTrapezoid:
        return Mirrored(t, ModifiedTrapezoidFirstHalf);
    case MotionLaw::Poly345:
    case MotionLaw::Poly5: {
        const double u = 1.0 - t;
        return {t * t * t * (10.0 - 15.0 * t + 6.0 * t * t), 30.0 * t * t * u * u,
                60.0 * t * u * (1.0 - 2.0 * t)};
    }
    case MotionLaw::Poly4567: {
        const double u = 1.0 - t, t2 = t * t;
        return {t2 * t2 * (35.0 - 84.0 * t + 70.0 * t2 - 20.0 * t2 * t), 140.0 * t2 * t * u * u * u,
                420.0 * t2 * u * u * (1.0 - 2.0 * t)};
    }
    }
    return {};
}
