#include "cam/ecam_algorithm.h"

CECamAlgorithm::CECamAlgorithm(const ECamPoint& start, const ECamPoint& end)
    : m_start(start), m_end(end)
{
}

CECamAlgorithm::~CECamAlgorithm() = default;

void CECamAlgorithm::ComputeSegment(std::vector<ECamCurveSample>& samples, double step) const
{
    samples.clear();
    AppendSegment(samples, step, true);
}

void CECamAlgorithm::AppendSegment(std::vector<ECamCurveSample>& out, double step, bool withEnd) const
{
    const double xs = m_start.master, ys = m_start.slave, vs = m_start.speed;
    const double xe = m_end.master, ye = m_end.slave, ve = m_end.speed;
    const double d = xe - xs;
    const double h = step;

    // Both ends carry their stored speed and zero acceleration, whatever the shape.
    out.push_back({xs, ys, xs, vs, xs, 0.0, true});

    // A zero-length (or reversed) segment has no interior: the loops below
    // never start, so the divisions by d are never used and no NaN appears.
    if (!(d > 0.0)) {
        if (withEnd)
            out.push_back({xe, ye, xe, ve, xe, 0.0, true});
        return;
    }
    const double r = (ye - ys) / d;

    if (m_start.type == kECamPoly) {
        const double c3 = 10.0 * r - 6.0 * vs - 4.0 * ve;
        const double c4 = -15.0 * r + 8.0 * vs + 7.0 * ve;
        const double c5 = 6.0 * r - 3.0 * vs - 3.0 * ve;
        for (double x = xs + h; x < xe;) {
            const double t = (x - xs) / d;
            const double t2 = t * t;
            const double t3 = t2 * t;
            const double t4 = t3 * t;
            const double t5 = t4 * t;
            const double pos = ys + d * (vs * t + c3 * t3 + c4 * t4 + c5 * t5);
            const double spd = vs + 3.0 * c3 * t2 + 4.0 * c4 * t3 + 5.0 * c5 * t4;
            const double acc = 6.0 * c3 * t + 12.0 * c4 * t2 + 20.0 * c5 * t3;
            out.push_back({x, pos, x, spd, x, acc, false});
            // Far from the origin a step can be below the spacing of doubles;
            // stop rather than loop for ever on a position that cannot advance.
            const double next = x + h;
            if (!(next > x))
                break;
            x = next;
        }
    } else {
        // The first interior sample of a line lies one master unit after the start.
        const double offset = ys - r * xs;
        for (double x = xs + 1.0; x < xe;) {
            out.push_back({x, r * x + offset, x, r, x, 0.0, false});
            const double next = x + h;
            if (!(next > x))
                break;
            x = next;
        }
    }

    if (withEnd)
        out.push_back({xe, ye, xe, ve, xe, 0.0, true});
}
