// Long random editing sessions on random valid cams. After every step the
// speed rules must hold and the curve must hold one record per key point plus
// the interior samples the step rule predicts.
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

bool IsLine(const ECamPoint& p) { return p.type != kECamPoly; }
double Slope(const ECamPoint& a, const ECamPoint& b) { return (b.slave - a.slave) / (b.master - a.master); }
bool Close(double a, double b) { return std::fabs(a - b) <= 1e-9 * (1 + std::fabs(a) + std::fabs(b)); }

// Interior samples with step h: Poly at xs + k*h (k >= 1), lines at
// xs + 1 + k*h (k >= 0), strictly before xe. Masters here are whole numbers.
std::size_t Interior(const ECamPoint& a, const ECamPoint& b, double h)
{
    const double d = b.master - a.master, room = IsLine(a) ? d - 1 : d - h;
    return room > 0 ? std::size_t(std::ceil(room / h)) : 0;
}

AssertionResult Consistent(const CECamPointSet& set)
{
    std::vector<ECamPoint> p;
    set.GetPoints(p);
    const auto& c = set.Curve();
    const double span = p.back().master - p.front().master;
    const double h = span <= 1000 ? 1.0 : std::floor(span / 1000);
    std::size_t at = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const ECamCurveSample key{p[i].master, p[i].slave, p[i].master, p[i].speed, p[i].master, 0, true};
        if (at >= c.size() || !(c[at++] == key))
            return AssertionFailure() << "record " << at - 1 << " is not key point " << i;
        if (i + 1 == p.size())
            break;
        if (!(p[i + 1].master > p[i].master))
            return AssertionFailure() << "masters out of order at " << i;
        if (IsLine(p[i]) && !Close(p[i].speed, Slope(p[i], p[i + 1])))
            return AssertionFailure() << "line at " << p[i].master << " has speed " << p[i].speed;
        if (IsLine(p[i]) && !IsLine(p[i + 1]) && !Close(p[i + 1].speed, p[i].speed))
            return AssertionFailure() << "Poly point at " << p[i + 1].master << " breaks the line's speed";
        for (std::size_t k = Interior(p[i], p[i + 1], h); k > 0; --k, ++at)
            if (at >= c.size() || c[at].isKeyPoint || !(c[at].positionX > c[at - 1].positionX) ||
                !std::isfinite(c[at].position + c[at].speed + c[at].accel))
                return AssertionFailure() << "segment " << i << ": bad sample " << at;
    }
    if (at != c.size())
        return AssertionFailure() << c.size() << " records, expected " << at;
    return AssertionSuccess();
}

} // namespace

TEST(ECamPointSetRandom, EditingSessionsKeepSpeedRulesAndSampling)
{
    for (unsigned seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        auto Int = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        auto Real = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };

        std::vector<ECamPoint> start;
        for (int i = 0, n = Int(2, 25), m = Int(-50, 50); i < n; ++i, m += Int(1, 400))
            start.push_back({double(m), Real(-500, 500), Real(-3, 3), Int(0, 1)});
        CECamPointSet set;
        set.SetPoints(start);
        set.RelinkLinearSpeeds();
        ASSERT_TRUE(Consistent(set));

        for (int step = 0; step < 200; ++step) {
            SCOPED_TRACE(::testing::Message() << "step " << step);
            std::vector<ECamPoint> p;
            set.GetPoints(p);
            const std::size_t i = std::size_t(Int(0, int(p.size()) - 1));
            const double m = p[i].master;
            switch (Int(0, 5)) {
            case 0: {  // as the curve window inserts, where the order allows it
                const double at = Int(int(p.front().master) - 20, int(p.back().master) + 20);
                const bool ok = set.KeepsOrderOnInsert(at);
                if (ok)
                    set.InsertPoint({at, Real(-500, 500), Real(-2, 2), kECamPoly});
                EXPECT_EQ(set.PointCount(), p.size() + ok);
                break;
            }
            case 1:
                set.DeletePoint(m);
                EXPECT_EQ(set.PointCount(), p.size() - (i > 0));
                break;
            case 2: {
                const double to = m + Int(-30, 30);
                if (set.KeepsOrder(m, to)) {
                    set.MovePoint(m, to, Real(-500, 500));
                    EXPECT_EQ(set.FindPoint(to), int(i));
                }
                break;
            }
            case 3: {
                const double s = Real(-3, 3);
                set.SetPointSpeed(m + Real(-0.0009, 0.0009), s);
                std::vector<ECamPoint> q;
                set.GetPoints(q);
                EXPECT_DOUBLE_EQ(q[i].speed, s);
                break;
            }
            case 4: {
                // Poly after a line keeps its old speed by design: only where no line leads in.
                const int32_t t = (i > 0 && IsLine(p[i - 1])) || Int(0, 1) ? kECamLinear : kECamPoly;
                const uint64_t rev = set.Revision();
                set.SetPointType(t, m);
                EXPECT_EQ(set.Revision() == rev, p[i].type == t);
                break;
            }
            default: {  // masters matching no point change nothing
                set.MovePoint(m + 0.5, m + 0.25, 0.0);
                set.DeletePoint(m + 0.5);
                std::vector<ECamPoint> q;
                set.GetPoints(q);
                EXPECT_EQ(q, p);
            }
            }
            ASSERT_TRUE(Consistent(set));
            ASSERT_FALSE(::testing::Test::HasFailure());
        }
    }
}
