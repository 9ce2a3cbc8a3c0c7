// Long random editing sessions on random valid cams: after every step the
// speed rules must still hold and the curve must hold exactly one record per
// key point plus the interior samples the step rule predicts.
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

bool IsLinear(const ECamPoint& p)
{
    return p.type != kECamPoly;
}

double Slope(const ECamPoint& a, const ECamPoint& b)
{
    return (b.slave - a.slave) / (b.master - a.master);
}

bool Close(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * (1.0 + std::fabs(a) + std::fabs(b));
}

// Interior samples of one segment with step h, counted from the sampling
// rule: Poly at xs + k*h (k >= 1), lines at xs + 1 + k*h (k >= 0), both
// strictly before xe.
std::size_t InteriorCount(const ECamPoint& a, const ECamPoint& b, double h)
{
    const double d = b.master - a.master;
    if (!IsLinear(a))
        return d > h ? static_cast<std::size_t>(std::ceil(d / h)) - 1 : 0;
    return d > 1.0 ? static_cast<std::size_t>(std::ceil((d - 1.0) / h)) : 0;
}

::testing::AssertionResult RulesHold(const CECamPointSet& set)
{
    std::vector<ECamPoint> p;
    set.GetPoints(p);
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        if (!(p[i + 1].master > p[i].master))
            return ::testing::AssertionFailure() << "masters out of order at " << i;
        if (IsLinear(p[i]) && !Close(p[i].speed, Slope(p[i], p[i + 1])))
            return ::testing::AssertionFailure() << "line at " << p[i].master << " has speed "
                                                 << p[i].speed << ", slope " << Slope(p[i], p[i + 1]);
        if (IsLinear(p[i]) && !IsLinear(p[i + 1]) && !Close(p[i + 1].speed, p[i].speed))
            return ::testing::AssertionFailure() << "Poly point at " << p[i + 1].master
                                                 << " does not continue the line's speed";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CurveMatches(const CECamPointSet& set)
{
    std::vector<ECamPoint> p;
    set.GetPoints(p);
    const auto& c = set.Curve();
    const double span = p.back().master - p.front().master;
    const double h = span <= 1000.0 ? 1.0 : std::floor(span / 1000.0);
    std::size_t at = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (at >= c.size())
            return ::testing::AssertionFailure() << "curve too short";
        const ECamCurveSample key{p[i].master, p[i].slave, p[i].master, p[i].speed, p[i].master, 0.0, true};
        if (!(c[at] == key))
            return ::testing::AssertionFailure() << "record " << at << " is not key point " << i;
        ++at;
        if (i + 1 == p.size())
            break;
        const std::size_t n = InteriorCount(p[i], p[i + 1], h);
        for (std::size_t k = 0; k < n; ++k, ++at) {
            if (at >= c.size() || c[at].isKeyPoint)
                return ::testing::AssertionFailure() << "segment " << i << " lacks samples";
            if (!(c[at].positionX > c[at - 1].positionX && c[at].positionX < p[i + 1].master))
                return ::testing::AssertionFailure() << "sample " << at << " out of place";
            if (!std::isfinite(c[at].position) || !std::isfinite(c[at].accel))
                return ::testing::AssertionFailure() << "sample " << at << " not finite";
        }
    }
    if (at != c.size())
        return ::testing::AssertionFailure() << "curve has " << c.size() << " records, expected " << at;
    return ::testing::AssertionSuccess();
}

class RandomSession {
public:
    explicit RandomSession(unsigned seed) : m_rng(seed) {}

    std::vector<ECamPoint> RandomCam()
    {
        const int n = Int(2, 25);
        std::vector<ECamPoint> pts;
        double m = Int(0, 1) ? 0.0 : Int(-50, 50);
        for (int i = 0; i < n; ++i) {
            pts.push_back({m, Real(-500, 500), Real(-3, 3), Int(0, 1) ? kECamPoly : kECamLinear});
            m += Int(1, 400);
        }
        return pts;
    }

    // Applies one random edit, as the table and the curve window would
    // (masters kept in order with the set's own check), and checks the
    // effects the operation promises on the points it touches.
    void Step(CECamPointSet& set)
    {
        std::vector<ECamPoint> p;
        set.GetPoints(p);
        const std::size_t i = static_cast<std::size_t>(Int(0, int(p.size()) - 1));
        const double m = p[i].master;
        switch (Int(0, 5)) {
        case 0: {
            const double at = Int(int(p.front().master) - 20, int(p.back().master) + 20);
            const ECamPoint q{at, Real(-500, 500), Real(-2, 2), kECamPoly};
            const bool ok = set.KeepsOrderOnInsert(at);
            if (ok)
                set.InsertPoint(q);
            EXPECT_EQ(set.PointCount(), p.size() + (ok ? 1 : 0));
            break;
        }
        case 1:
            set.DeletePoint(m);
            EXPECT_EQ(set.PointCount(), p.size() - (i == 0 ? 0 : 1));
            break;
        case 2: {
            const double to = m + Int(-30, 30);
            if (set.KeepsOrder(m, to)) {
                set.MovePoint(m, to, Real(-500, 500));
                EXPECT_EQ(set.Points().size(), p.size());
                EXPECT_EQ(set.FindPoint(to), int(i));
            }
            break;
        }
        case 3: {
            const double s = Real(-3, 3);
            set.SetPointSpeed(m + Real(-0.0009, 0.0009), s);
            std::vector<ECamPoint> after;
            set.GetPoints(after);
            EXPECT_DOUBLE_EQ(after[i].speed, s);
            if (IsLinear(p[i]) && i + 1 < p.size()) {
                EXPECT_NEAR(Slope(after[i], after[i + 1]), s, 1e-9 * (1 + std::fabs(s)));
            }
            break;
        }
        case 4: {
            // Turning a point to Poly after a line leaves its old speed by
            // design; the session only does it where no line leads in.
            const bool lineBefore = i > 0 && IsLinear(p[i - 1]);
            const int32_t t = lineBefore || Int(0, 1) ? kECamLinear : kECamPoly;
            const uint64_t rev = set.Revision();
            set.SetPointType(t, m);
            EXPECT_EQ(set.Revision() == rev, p[i].type == t);
            break;
        }
        case 5:
            // A master matching no point changes nothing.
            set.MovePoint(m + 0.5, m + 0.25, 0.0);
            set.DeletePoint(m + 0.5);
            EXPECT_EQ(std::vector<ECamPoint>(set.Points().begin(), set.Points().end()), p);
            break;
        }
    }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }

    std::mt19937 m_rng;
};

} // namespace

TEST(ECamPointSetRandom, EditingSessionsKeepSpeedRulesAndSampling)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomSession session(seed);
        CECamPointSet set;
        set.SetPoints(session.RandomCam());
        set.RelinkLinearSpeeds();
        ASSERT_TRUE(RulesHold(set));
        ASSERT_TRUE(CurveMatches(set));
        for (int step = 0; step < 250; ++step) {
            SCOPED_TRACE(::testing::Message() << "step " << step);
            session.Step(set);
            ASSERT_TRUE(RulesHold(set));
            ASSERT_TRUE(CurveMatches(set));
            ASSERT_FALSE(::testing::Test::HasFailure());
        }
    }
}
