#include "cam/ecam_point_set.h"

#include "cam/ecam_algorithm.h"

#include <cmath>
#include <iterator>

namespace {

bool IsLinear(const ECamPoint& p)
{
    return p.type != kECamPoly;
}

// Slope of the straight line a -> b. Two points at the same master have no
// slope; 0 keeps the set free of infinities and NaN.
double Slope(const ECamPoint& a, const ECamPoint& b)
{
    const double d = b.master - a.master;
    if (d == 0.0)
        return 0.0;
    return (b.slave - a.slave) / d;
}

bool Near(double a, double b)
{
    return std::fabs(a - b) < kECamMasterTolerance;
}

} // namespace

CECamPointSet::CECamPointSet() = default;

CECamPointSet::~CECamPointSet() = default;

CECamPointSet::Iter CECamPointSet::Find(double m)
{
    for (auto it = m_points.begin(); it != m_points.end(); ++it)
        if (Near(it->master, m))
            return it;
    return m_points.end();
}

int CECamPointSet::FindPoint(double m) const
{
    int index = 0;
    for (const ECamPoint& p : m_points) {
        if (Near(p.master, m))
            return index;
        ++index;
    }
    return -1;
}

void CECamPointSet::Reset(const ECamPoint& first, const ECamPoint& last)
{
    m_points.clear();
    m_curve.clear();
    m_points.push_back(first);
    m_points.push_back(last);
    Recompute();
}

void CECamPointSet::InsertPoint(const ECamPoint& point)
{
    auto next = m_points.begin();
    while (next != m_points.end() && !(next->master > point.master))
        ++next;
    if (next == m_points.end()) {
        // At or beyond the last point: nothing to insert.
        Recompute();
        return;
    }
    ECamPoint p = point;
    // Before the first point there is no segment to split: the point goes to
    // the front with the type and speed it was given, as after a Poly point.
    if (next != m_points.begin()) {
        ECamPoint& prev = *std::prev(next);
        if (IsLinear(prev)) {
            // A line that is split stays two lines.
            p.type = kECamLinear;
            prev.speed = Slope(prev, p);
            p.speed = Slope(p, *next);
            if (!IsLinear(*next))
                next->speed = p.speed;
        }
    }
    m_points.insert(next, p);
    Recompute();
}

void CECamPointSet::DeletePoint(double m)
{
    DeleteAt(Find(m));
}

void CECamPointSet::DeletePointAt(std::size_t index)
{
    DeleteAt(At(index));
}

void CECamPointSet::DeleteAt(Iter it)
{
    // The first point carries the start of the cam and is never removed; the
    // request is ignored silently (the callers choose any words).
    if (it == m_points.end() || it == m_points.begin()) {
        Recompute();
        return;
    }
    auto prev = std::prev(it);
    auto next = m_points.erase(it);
    // Deleting the last point leaves its predecessor last: with no following
    // point there is no slope to take, so the predecessor keeps its speed.
    if (next != m_points.end() && IsLinear(*prev)) {
        prev->speed = Slope(*prev, *next);
        if (!IsLinear(*next))
            next->speed = prev->speed;
    }
    Recompute();
}

void CECamPointSet::MovePoint(double oldMaster, double newMaster, double newSlave)
{
    MoveAt(Find(oldMaster), newMaster, newSlave);
}

void CECamPointSet::MovePointAt(std::size_t index, double newMaster, double newSlave)
{
    MoveAt(At(index), newMaster, newSlave);
}

CECamPointSet::Iter CECamPointSet::At(std::size_t index)
{
    if (index >= m_points.size())
        return m_points.end();
    return std::next(m_points.begin(), static_cast<std::ptrdiff_t>(index));
}

void CECamPointSet::MoveAt(Iter it, double newMaster, double newSlave)
{
    if (it == m_points.end()) {
        Recompute();
        return;
    }
    ECamPoint& p = *it;
    p.master = newMaster;
    p.slave = newSlave;
    if (it != m_points.begin()) {
        ECamPoint& prev = *std::prev(it);
        if (IsLinear(prev)) {
            prev.speed = Slope(prev, p);
            if (!IsLinear(p))
                p.speed = prev.speed;
        }
    }
    auto next = std::next(it);
    if (next != m_points.end() && IsLinear(p)) {
        p.speed = Slope(p, *next);
        if (!IsLinear(*next))
            next->speed = p.speed;
    }
    Recompute();
}

void CECamPointSet::SetPointSpeed(double m, double speed)
{
    // The last point is tested first: moving its slave keeps a line into it straight.
    if (!m_points.empty() && Near(m_points.back().master, m))
        SpeedAt(std::prev(m_points.end()), speed);
    else
        SpeedAt(Find(m), speed);
}

void CECamPointSet::SetPointSpeedAt(std::size_t index, double speed)
{
    SpeedAt(At(index), speed);
}

void CECamPointSet::SpeedAt(Iter it, double speed)
{
    if (it == m_points.end()) {
        Recompute();
        return;
    }
    if (std::next(it) == m_points.end()) {
        ECamPoint& last = *it;
        last.speed = speed;
        if (m_points.size() > 1) {
            ECamPoint& prev = *std::prev(m_points.end(), 2);
            if (IsLinear(prev)) {
                prev.speed = speed;
                last.slave = prev.slave + (last.master - prev.master) * speed;
            }
        }
        Recompute();
        return;
    }

    ECamPoint& p = *it;
    p.speed = speed;
    if (IsLinear(p)) {
        // p is not the last point here, so it has a next point.
        auto next = std::next(it);
        next->speed = speed;
        next->slave = p.slave + (next->master - p.master) * speed;
        auto next2 = std::next(next);
        if (IsLinear(*next) && next2 != m_points.end()) {
            next->speed = Slope(*next, *next2);
            if (!IsLinear(*next2))
                next2->speed = next->speed;
        }
    } else if (it != m_points.begin()) {
        ECamPoint& prev = *std::prev(it);
        if (IsLinear(prev)) {
            prev.speed = speed;
            p.slave = prev.slave + (p.master - prev.master) * speed;
        }
    }
    Recompute();
}

void CECamPointSet::SetPointType(int32_t type, double m)
{
    TypeAt(Find(m), type);
}

void CECamPointSet::SetPointTypeAt(std::size_t index, int32_t type)
{
    TypeAt(At(index), type);
}

void CECamPointSet::TypeAt(Iter it, int32_t type)
{
    if (it == m_points.end()) {
        Recompute();
        return;
    }
    ECamPoint& p = *it;
    if (p.type == type)
        return;  // unchanged: the curve is still valid
    if (type != kECamPoly) {
        // On the last point there is no segment to take a slope from; only
        // the type changes (it shapes nothing there).
        auto next = std::next(it);
        if (next != m_points.end()) {
            p.speed = Slope(p, *next);
            if (!IsLinear(*next))
                next->speed = p.speed;
        }
    }
    p.type = type;
    Recompute();
}

void CECamPointSet::SetPoints(const std::vector<ECamPoint>& points)
{
    m_points.clear();
    m_curve.clear();
    m_points.assign(points.begin(), points.end());
    Recompute();
}

void CECamPointSet::RelinkLinearSpeeds()
{
    if (!m_points.empty()) {
        for (auto it = m_points.begin(), next = std::next(it); next != m_points.end(); it = next++) {
            if (IsLinear(*it)) {
                it->speed = Slope(*it, *next);
                if (!IsLinear(*next))
                    next->speed = it->speed;
            }
        }
    }
    Recompute();
}

void CECamPointSet::SetMasterLength(uint32_t length)
{
    const double l = static_cast<double>(length);
    std::vector<ECamPoint> points;
    GetPoints(points);
    if (points.empty()) {
        Reset({0.0, 0.0, 0.0, kECamPoly}, {l, 0.0, 0.0, kECamPoly});
        return;
    }
    const double lastMaster = points.back().master;
    if (std::fabs(l - lastMaster) < 0.000001)
        return;
    const double ratio = l / lastMaster;
    // A cam ending at master 0 (or before it) cannot be stretched to the new
    // length; it is replaced by the default cam of that length instead.
    if (!(lastMaster > 0.0) || !std::isfinite(ratio)) {
        Reset({0.0, 0.0, 0.0, kECamPoly}, {l, 0.0, 0.0, kECamPoly});
        return;
    }
    for (ECamPoint& p : points)
        p.master *= ratio;
    points.back().master = l;
    SetPoints(points);
}

void CECamPointSet::GetPoints(std::vector<ECamPoint>& out) const
{
    out.clear();
    out.assign(m_points.begin(), m_points.end());
}

void CECamPointSet::GetCurve(std::vector<ECamCurveSample>& out) const
{
    out.clear();
    out.assign(m_curve.begin(), m_curve.end());
}

double CECamPointSet::SampleStep() const
{
    if (m_points.empty())
        return 1.0;
    double span = m_points.back().master - m_points.front().master;
    // Masters out of order (a file loaded as it stands) can make one segment
    // far longer than last - first; sizing the step by the full extent keeps
    // the curve near 2000 samples either way. In order, both are the same.
    double lo = m_points.front().master, hi = lo;
    for (const ECamPoint& p : m_points) {
        if (p.master < lo)
            lo = p.master;
        if (p.master > hi)
            hi = p.master;
    }
    if (hi - lo > span)
        span = hi - lo;
    if (!(span > 1000.0))
        return 1.0;  // also for a non-finite span: the segment loops stop on their own
    return std::floor(span / 1000.0);
}

void CECamPointSet::Recompute()
{
    ++m_revision;
    m_curve.clear();
    // An empty set (a file listing no points) has an empty curve.
    if (m_points.empty())
        return;
    const double h = SampleStep();
    for (auto a = m_points.begin(), b = std::next(a); b != m_points.end(); a = b++)
        CECamAlgorithm(*a, *b).AppendSegment(m_curve, h, false);
    const ECamPoint& last = m_points.back();
    m_curve.push_back({last.master, last.slave, last.master, last.speed, last.master, 0.0, true});
}

bool CECamPointSet::KeepsOrder(double oldMaster, double newMaster) const
{
    auto it = m_points.begin();
    while (it != m_points.end() && !Near(it->master, oldMaster))
        ++it;
    return KeepsOrderAt(it, newMaster);
}

bool CECamPointSet::KeepsOrderAt(std::size_t index, double newMaster) const
{
    if (index >= m_points.size())
        return false;
    return KeepsOrderAt(std::next(m_points.begin(), static_cast<std::ptrdiff_t>(index)), newMaster);
}

bool CECamPointSet::KeepsOrderAt(std::list<ECamPoint>::const_iterator it, double newMaster) const
{
    if (it == m_points.end())
        return false;
    if (it != m_points.begin() && !(newMaster - std::prev(it)->master >= kECamMasterTolerance))
        return false;
    auto next = std::next(it);
    if (next != m_points.end() && !(next->master - newMaster >= kECamMasterTolerance))
        return false;
    return std::isfinite(newMaster);
}

bool CECamPointSet::KeepsOrderOnInsert(double master) const
{
    if (m_points.empty() || !std::isfinite(master))
        return false;
    auto next = m_points.begin();
    while (next != m_points.end() && !(next->master > master))
        ++next;
    if (next == m_points.end())
        return false;  // InsertPoint would insert nothing
    if (!(next->master - master >= kECamMasterTolerance))
        return false;
    return next == m_points.begin() || master - std::prev(next)->master >= kECamMasterTolerance;
}

bool CECamPointSet::IsOrdered() const
{
    if (m_points.empty())
        return true;
    for (auto a = m_points.begin(), b = std::next(a); b != m_points.end(); a = b++)
        if (!(b->master > a->master))
            return false;
    return true;
}
