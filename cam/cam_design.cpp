#include "cam/cam_design.h"

#include "cam/ecam_algorithm.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// One law segment with its ends and end speeds resolved.
struct Geometry {
    MotionLaw law;
    double xs, ys, xe, ye;
    double vs, ve;  // speeds at the ends (d slave / d master)
};

struct LawValue {
    double position, speed, accel;  // accel per fraction of the law segment
};

// Samples per interval while fitting, and for the final report.
constexpr int kFitSamples = 32;
constexpr int kReportSamples = 256;
// The fit aims a little inside the tolerance, since it looks at samples only.
constexpr double kFitMargin = 0.98;
// Key points closer than this in master could not be told apart by the editor.
constexpr double kMinKeyGap = 0.01;

std::string Format(const char* fmt, auto... args)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// A profile file keeps six decimals; the fit works on what the file holds.
double Round6(double v)
{
    return std::round(v * 1e6) / 1e6;
}

bool ExactOnTheDrive(MotionLaw law)
{
    return law == MotionLaw::Dwell || law == MotionLaw::Linear || law == MotionLaw::Poly345
           || law == MotionLaw::Poly5;
}

LawValue LawAt(const Geometry& g, double x)
{
    const double d = g.xe - g.xs;
    const double h = g.ye - g.ys;
    const double t = std::clamp((x - g.xs) / d, 0.0, 1.0);
    if (g.law == MotionLaw::Poly5) {
        // The drive's own blend: the same polynomial as CECamAlgorithm's.
        const double r = h / d;
        const double c3 = 10.0 * r - 6.0 * g.vs - 4.0 * g.ve;
        const double c4 = -15.0 * r + 8.0 * g.vs + 7.0 * g.ve;
        const double c5 = 6.0 * r - 3.0 * g.vs - 3.0 * g.ve;
        const double t2 = t * t, t3 = t2 * t;
        return {g.ys + d * (g.vs * t + c3 * t3 + c4 * t3 * t + c5 * t3 * t2),
                g.vs + 3.0 * c3 * t2 + 4.0 * c4 * t3 + 5.0 * c5 * t3 * t,
                6.0 * c3 * t + 12.0 * c4 * t2 + 20.0 * c5 * t3};
    }
    const LawShape s = EvaluateLaw(g.law, t);
    return {g.ys + h * s.s, h / d * s.v, h / d * s.a};
}

ECamPoint KeyPoint(const Geometry& g, double master)
{
    const LawValue v = LawAt(g, master);
    const int32_t type = g.law == MotionLaw::Linear ? kECamLinear : kECamPoly;
    return {master, Round6(v.position), Round6(v.speed), type};
}

struct Deviation {
    double position = 0.0, speed = 0.0;
};

// Largest deviation of the drive's curve between two key points from the law.
Deviation IntervalDeviation(const Geometry& g, const ECamPoint& a, const ECamPoint& b, int samples,
                            std::vector<ECamCurveSample>& scratch)
{
    CECamAlgorithm(a, b).ComputeSegment(scratch, (b.master - a.master) / samples);
    Deviation dev;
    for (const ECamCurveSample& s : scratch) {
        const LawValue v = LawAt(g, s.positionX);
        dev.position = std::max(dev.position, std::abs(s.position - v.position));
        dev.speed = std::max(dev.speed, std::abs(s.speed - v.speed));
    }
    return dev;
}

std::vector<Geometry> Resolve(const std::vector<DesignSegment>& segments)
{
    std::vector<Geometry> geo;
    double x = 0.0, y = 0.0;
    for (const DesignSegment& s : segments) {
        geo.push_back({s.law, x, y, s.endMaster, s.endSlave, 0.0, 0.0});
        x = s.endMaster;
        y = s.endSlave;
    }
    for (Geometry& g : geo)
        if (g.law == MotionLaw::Linear)
            g.vs = g.ve = (g.ye - g.ys) / (g.xe - g.xs);
    // A poly5 takes the speed of a linear neighbour; next to anything else it rests.
    for (size_t i = 0; i < geo.size(); ++i) {
        if (geo[i].law != MotionLaw::Poly5)
            continue;
        if (i > 0 && geo[i - 1].law == MotionLaw::Linear)
            geo[i].vs = geo[i - 1].ve;
        if (i + 1 < geo.size() && geo[i + 1].law == MotionLaw::Linear)
            geo[i].ve = geo[i + 1].vs;
    }
    return geo;
}

bool Fail(DesignError& error, DesignErrorKind kind, int segment, std::string text)
{
    error = DesignError{};
    error.kind = kind;
    error.segment = segment;
    error.text = std::move(text);
    return false;
}

bool Check(const std::vector<DesignSegment>& segments, const DesignOptions& options, DesignError& error)
{
    if (segments.empty())
        return Fail(error, DesignErrorKind::NoSegments, -1, "no segments given");
    if (!(options.tolerance > 0.0) || !std::isfinite(options.tolerance))
        return Fail(error, DesignErrorKind::BadTolerance, -1,
                    Format("tolerance %g is not a positive number", options.tolerance));
    if (options.tolerance < kDesignFinestTolerance)
        return Fail(error, DesignErrorKind::ToleranceTooFine, -1,
                    Format("tolerance %g is finer than the 0.000001 a profile file keeps", options.tolerance));
    if (options.maxPoints < 2)
        return Fail(error, DesignErrorKind::BadPointLimit, -1,
                    Format("a cam needs at least 2 key points; the limit %d allows fewer", options.maxPoints));
    double x = 0.0, y = 0.0;
    for (size_t i = 0; i < segments.size(); ++i) {
        const DesignSegment& s = segments[i];
        const int n = int(i) + 1;
        if (!std::isfinite(s.endMaster) || !std::isfinite(s.endSlave) || !(s.endMaster > x)) {
            Fail(error, DesignErrorKind::MastersNotIncreasing, int(i),
                 Format("segment %d (%s) ends at master %g, which is not after its start %g", n,
                        MotionLawName(s.law), s.endMaster, x));
            error.master = x;
            return false;
        }
        if (s.law == MotionLaw::Dwell && s.endSlave != y) {
            Fail(error, DesignErrorKind::MovingDwell, int(i),
                 Format("segment %d (dwell) moves the slave from %g to %g; a dwell holds it", n, y, s.endSlave));
            error.master = x;
            error.before = y;
            error.after = s.endSlave;
            return false;
        }
        x = s.endMaster;
        y = s.endSlave;
    }
    if (x < kDesignMinMasterLength || x > kDesignMaxMasterLength || x != std::floor(x))
        return Fail(error, DesignErrorKind::BadMasterLength, int(segments.size()) - 1,
                    Format("the last end master %g is the master length: a whole number from %g to %g", x,
                           kDesignMinMasterLength, kDesignMaxMasterLength));
    const std::vector<Geometry> geo = Resolve(segments);
    for (size_t i = 0; i + 1 < geo.size(); ++i) {
        const double before = geo[i].ve, after = geo[i + 1].vs;
        if (std::abs(before - after) > 1e-12 * std::max({1.0, std::abs(before), std::abs(after)})) {
            Fail(error, DesignErrorKind::SpeedJump, int(i),
                 Format("the speed jumps from %g to %g at master %g, between segment %d (%s) and segment %d "
                        "(%s)",
                        before, after, geo[i].xe, int(i) + 1, MotionLawName(geo[i].law), int(i) + 2,
                        MotionLawName(geo[i + 1].law)));
            error.master = geo[i].xe;
            error.before = before;
            error.after = after;
            return false;
        }
    }
    if (int(segments.size()) + 1 > options.maxPoints)
        return Fail(error, DesignErrorKind::ToleranceUnreachable, -1,
                    Format("%d segments need at least %d key points, more than the limit %d", int(segments.size()),
                           int(segments.size()) + 1, options.maxPoints));
    return true;
}

// Places key points greedily: from each key point, the farthest next one whose
// interval stays within the tolerance. False when more than `limit` points
// would be needed (or an interval shorter than kMinKeyGap would not do).
bool Fit(const std::vector<Geometry>& geo, double tolerance, int limit, std::vector<ECamPoint>& points,
         std::vector<int>& firsts)
{
    std::vector<ECamCurveSample> scratch;
    points.clear();
    firsts.clear();
    const double aim = tolerance * kFitMargin;
    for (const Geometry& g : geo) {
        firsts.push_back(int(points.size()));
        ECamPoint from = KeyPoint(g, g.xs);
        from.master = g.xs;
        points.push_back(from);
        if (ExactOnTheDrive(g.law))
            continue;
        const auto fits = [&](double to) {
            return IntervalDeviation(g, from, KeyPoint(g, to), kFitSamples, scratch).position <= aim;
        };
        double gap = g.xe - g.xs;
        while (true) {
            if (int(points.size()) + 1 > limit)
                return false;
            const double rest = g.xe - from.master;
            if (fits(g.xe))
                break;
            // Bracket the longest good gap between `good` and `bad`, then halve.
            double good = 0.0, bad = rest;
            gap = std::min(gap, rest);
            while (gap >= kMinKeyGap && !fits(Round6(from.master + gap))) {
                bad = gap;
                gap /= 2.0;
            }
            if (gap < kMinKeyGap)
                return false;
            good = gap;
            while (good * 2.0 < bad && fits(Round6(from.master + good * 2.0)))
                good *= 2.0;
            bad = std::min(bad, good * 2.0);
            // A gap within 1 % of the longest costs at most 1 % more points.
            while (bad - good > std::max(kMinKeyGap, good * 0.01)) {
                const double mid = 0.5 * (good + bad);
                (fits(Round6(from.master + mid)) ? good : bad) = mid;
            }
            from = KeyPoint(g, Round6(from.master + good));
            points.push_back(from);
            gap = good;
        }
    }
    ECamPoint last = KeyPoint(geo.back(), geo.back().xe);
    last.master = geo.back().xe;
    last.type = kECamPoly;
    points.push_back(last);
    return int(points.size()) <= limit;
}

// The smallest tolerance of two significant digits that `limit` points can
// meet; 0 when none can. A fit near the limit costs the whole limit in
// points, so few are run: the blends miss a law by about a*h*h, so the key
// points needed go as tolerance^-1/2; cheap fits at a quarter of the limit
// give the estimate, and full fits only check its last digit.
double BestTolerance(const std::vector<Geometry>& geo, double tolerance, int limit)
{
    std::vector<ECamPoint> points;
    std::vector<int> firsts;
    double stroke = 0.0;
    for (const Geometry& g : geo)
        stroke = std::max(stroke, std::abs(g.ye - g.ys));
    double hi = std::max(tolerance * 2.0, stroke);
    for (int i = 0; i < 60 && !Fit(geo, hi, limit, points, firsts); ++i)
        hi *= 2.0;
    if (!Fit(geo, hi, limit, points, firsts))
        return 0.0;
    const double fixed = double(geo.size()) + 1.0;
    const double spare = double(limit) - fixed;
    double used = double(points.size()) - fixed;
    double lo = tolerance;
    for (int i = 0; i < 30 && used < spare / 8.0; ++i) {
        // At most four times the points per step, so the estimate stays near.
        const double ratio = 4.0 * used / spare;
        const double guess = used > 0.0 ? std::max(hi * ratio * ratio, hi / 16.0) : hi / 4.0;
        if (!(guess > lo))
            break;
        if (!Fit(geo, guess, limit, points, firsts)) {
            lo = guess;
            break;
        }
        hi = guess;
        used = double(points.size()) - fixed;
    }
    const double estimate =
        std::clamp(used > 0.0 ? hi * (used / spare) * (used / spare) : hi, lo, hi);
    const auto roundUp = [](double v) {
        const double unit = std::pow(10.0, std::floor(std::log10(v)) - 1.0);
        return std::ceil(v / unit * (1.0 - 1e-12)) * unit;
    };
    double best = roundUp(estimate);
    if (Fit(geo, best, limit, points, firsts)) {
        // One digit down, while that still fits.
        for (int i = 0; i < 5; ++i) {
            const double unit = std::pow(10.0, std::floor(std::log10(best)) - 1.0);
            if (!(best - unit > lo) || !Fit(geo, best - unit, limit, points, firsts))
                break;
            best -= unit;
        }
        return best;
    }
    for (int i = 0; i < 40 && best < hi; ++i) {
        best = roundUp(best * 1.03);
        if (Fit(geo, best, limit, points, firsts))
            return best;
    }
    return roundUp(hi);
}

void Report(const std::vector<Geometry>& geo, CamDesign& design, std::vector<int> firsts)
{
    std::vector<ECamCurveSample> scratch;
    design.segments.clear();
    firsts.push_back(int(design.points.size()) - 1);
    for (size_t i = 0; i < geo.size(); ++i) {
        SegmentReport r;
        r.firstPoint = firsts[i];
        r.keyPoints = firsts[i + 1] - firsts[i] + 1;
        for (int k = firsts[i]; k < firsts[i + 1]; ++k) {
            const Deviation d =
                IntervalDeviation(geo[i], design.points[size_t(k)], design.points[size_t(k) + 1], kReportSamples, scratch);
            r.maxPositionDeviation = std::max(r.maxPositionDeviation, d.position);
            r.maxSpeedDeviation = std::max(r.maxSpeedDeviation, d.speed);
        }
        for (int k = 0; k <= kReportSamples; ++k) {
            const double x = geo[i].xs + (geo[i].xe - geo[i].xs) * k / kReportSamples;
            r.peakSpeed = std::max(r.peakSpeed, std::abs(LawAt(geo[i], x).speed));
        }
        design.segments.push_back(r);
    }
}

bool ParseNumber(std::string_view text, double& value)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

} // namespace

std::vector<DesignSegment> RiseDwellReturnDwell(double l)
{
    return {{MotionLaw::Cycloidal, std::round(l / 3), 100.0},
            {MotionLaw::Dwell, std::round(l / 2), 100.0},
            {MotionLaw::ModifiedSine, std::round(l * 5 / 6), 0.0},
            {MotionLaw::Dwell, l, 0.0}};
}

bool ParseDesignSegment(std::string_view text, DesignSegment& segment, DesignError& error)
{
    const size_t c1 = text.find(':');
    const size_t c2 = c1 == std::string_view::npos ? c1 : text.find(':', c1 + 1);
    const std::string whole(text);
    if (c2 == std::string_view::npos || text.find(':', c2 + 1) != std::string_view::npos)
        return Fail(error, DesignErrorKind::BadSegmentText, -1,
                    Format("'%s' is not LAW:END_MASTER:END_SLAVE", whole.c_str()));
    const std::string law(text.substr(0, c1));
    const auto parsed = ParseMotionLaw(law);
    if (!parsed)
        return Fail(error, DesignErrorKind::UnknownLaw, -1,
                    Format("unknown law '%s' in '%s' (known: %s)", law.c_str(), whole.c_str(), MotionLawNameList()));
    DesignSegment s{*parsed, 0.0, 0.0};
    if (!ParseNumber(text.substr(c1 + 1, c2 - c1 - 1), s.endMaster)
        || !ParseNumber(text.substr(c2 + 1), s.endSlave))
        return Fail(error, DesignErrorKind::BadSegmentText, -1,
                    Format("'%s': END_MASTER and END_SLAVE must be numbers", whole.c_str()));
    segment = s;
    return true;
}

bool DesignCam(const std::vector<DesignSegment>& segments, const DesignOptions& options, CamDesign& design,
               DesignError& error)
{
    if (!Check(segments, options, error))
        return false;
    const std::vector<Geometry> geo = Resolve(segments);
    CamDesign result;
    std::vector<int> firsts;
    if (!Fit(geo, options.tolerance, options.maxPoints, result.points, firsts)) {
        const double best = BestTolerance(geo, options.tolerance, options.maxPoints);
        Fail(error, DesignErrorKind::ToleranceUnreachable, -1,
             best > 0.0 ? Format("tolerance %g needs more than %d key points; the best reachable with %d is %g",
                                 options.tolerance, options.maxPoints, options.maxPoints, best)
                        : Format("tolerance %g cannot be met with %d key points at any tolerance",
                                 options.tolerance, options.maxPoints));
        error.bestTolerance = best;
        return false;
    }
    Report(geo, result, firsts);
    design = std::move(result);
    error = DesignError{};
    return true;
}

void SampleDesign(const std::vector<DesignSegment>& segments, const CamDesign& design, int perInterval,
                  std::vector<DesignSample>& out)
{
    out.clear();
    const std::vector<Geometry> geo = Resolve(segments);
    std::vector<ECamCurveSample> scratch;
    for (size_t i = 0; i < geo.size() && i < design.segments.size(); ++i) {
        const SegmentReport& r = design.segments[i];
        const double segLength = geo[i].xe - geo[i].xs;
        for (int k = r.firstPoint; k + 1 < r.firstPoint + r.keyPoints; ++k) {
            const ECamPoint& a = design.points[size_t(k)];
            const ECamPoint& b = design.points[size_t(k) + 1];
            CECamAlgorithm(a, b).ComputeSegment(scratch, (b.master - a.master) / std::max(1, perInterval));
            const bool lastInterval = i + 1 == geo.size() && k + 2 == r.firstPoint + r.keyPoints;
            if (!lastInterval)
                scratch.pop_back();  // the next interval starts with it
            for (const ECamCurveSample& s : scratch) {
                const LawValue v = LawAt(geo[i], s.positionX);
                // Key records carry acceleration 0 by the drive's rule; the
                // blend's true end acceleration is 0 as well.
                const double accel = s.accel * segLength / (b.master - a.master);
                out.push_back({s.positionX, v.position, v.speed, v.accel, s.position, s.speed, accel});
            }
        }
    }
}
