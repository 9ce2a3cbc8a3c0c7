// Editing operations of the point set: the speed rules each applies, the
// lookup tolerance, the sampling step, rescaling, and the open corners.
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

// Readable failure output.
void PrintTo(const ECamPoint& p, std::ostream* os)
{
    *os << "(" << p.master << ", " << p.slave << ", " << p.speed << ", " << p.type << ")";
}

namespace {

using PtList = std::vector<ECamPoint>;
constexpr int32_t L = kECamLinear, P = kECamPoly;

struct Cam : CECamPointSet {
    explicit Cam(const PtList& pts = {}) { SetPoints(pts); }
    PtList Pts() const { PtList out(2); GetPoints(out); return out; }
    auto Keys() const { return std::ranges::count_if(Curve(), [](const ECamCurveSample& s) { return s.isKeyPoint; }); }
    bool Finite() const
    {
        const auto finite = [](auto... v) { return (std::isfinite(v) && ...); };
        const auto point = [&](const ECamPoint& p) { return finite(p.master, p.slave, p.speed); };
        const auto sample = [&](const ECamCurveSample& s) { return finite(s.position, s.speed, s.accel); };
        return std::ranges::all_of(Points(), point) && std::ranges::all_of(Curve(), sample);
    }
};

} // namespace

TEST(ECamPointSet, DefaultCamIsFlatOverTheLength)
{
    Cam cam;
    cam.SetMasterLength(1000);
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {1000, 0, 0, P}}));
    ASSERT_EQ(cam.Curve().size(), 1001u);
    for (std::size_t i = 0; i < 1001; ++i)
        ASSERT_EQ(cam.Curve()[i], (ECamCurveSample{double(i), 0, double(i), 0, double(i), 0, i % 1000 == 0}));
}

// How an edit relinks its neighbours (a line split, joined, moved or given a
// speed at either end) follows from the speed rules, which the random editing
// sessions check after every edit; here what the rules leave open.
TEST(ECamPointSet, InsertKeepsTheCallersPointAndDeleteTheLastLinesSpeed)
{
    // After a Poly point the caller's type and speed stand.
    Cam cam({{0, 0, 0, P}, {100, 100, 0, P}});
    cam.InsertPoint({40, 10, -2.5, L});
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {40, 10, -2.5, L}, {100, 100, 0, P}}));
    // At or beyond the last master nothing is inserted; before the first, it goes to the front.
    const PtList before = cam.Pts();
    cam.InsertPoint({100, 5, 0, P});
    cam.InsertPoint({150, 5, 0, P});
    EXPECT_EQ(cam.Pts(), before);
    cam.InsertPoint({-10, 3, 0.5, P});
    EXPECT_EQ(cam.Pts().front(), (ECamPoint{-10, 3, 0.5, P}));
    EXPECT_EQ(cam.Keys(), 4);

    // The last point after a line: with nothing to slope to, the line's start keeps its speed.
    cam.SetPoints({{0, 0, 0, P}, {10, 0, 2, L}, {20, 20, 7, P}});
    cam.DeletePoint(20);
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {10, 0, 2, L}}));
}

TEST(ECamPointSet, SpeedsAndTypesSetWhereTheSpeedRulesLeaveAChoice)
{
    // Two lines in a row: the second still reaches its end, the Poly point after it follows.
    Cam cam({{0, 0, 1, L}, {10, 10, 1, L}, {20, 20, 1, P}});
    cam.SetPointSpeed(0, 0.5);
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0.5, L}, {10, 5, 1.5, L}, {20, 20, 1.5, P}}));
    // Between Poly points only the speed changes.
    cam.SetPoints({{0, 0, 0, P}, {10, 30, 0, P}, {20, 0, 0, P}});
    cam.SetPointSpeed(10, 0.8);
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {10, 30, 0.8, P}, {20, 0, 0, P}}));

    cam.SetPointType(L, 10);
    EXPECT_EQ(cam.Curve()[15].speed, -3.0);
    cam.SetPointType(P, 10);  // back to Poly: the speed stays
    cam.SetPointType(L, 20);  // last point: only the type changes
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {10, 30, -3, P}, {20, 0, -3, L}}));
    const uint64_t rev = cam.Revision();
    cam.SetPointType(L, 5);  // no point there, still recomputed
    EXPECT_GT(cam.Revision(), rev);
}

TEST(ECamPointSet, PointsAreFoundWithinOneThousandth)
{
    const PtList base{{0, 0, 0, P}, {10, 10, 0, P}, {20, 0, 0, P}};
    Cam cam(base);
    for (auto [m, at] : {std::pair{10.0005, 1}, {9.9995, 1}, {10.0009, 1}, {10.002, -1}, {9.998, -1}, {10.0011, -1}})
        EXPECT_EQ(cam.FindPoint(m), at) << m;
    cam.MovePoint(10.002, 12, 12);
    cam.SetPointSpeed(10.002, 5);
    cam.SetPointType(L, 9.998);
    cam.DeletePoint(10.002);
    EXPECT_EQ(cam.Pts(), base);
    cam.MovePoint(10.0005, 12, 12);
    cam.SetPointType(L, 11.9995);
    cam.SetPointSpeed(20.0005, 1);
    EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {12, 12, 1, L}, {20, 20, 1, P}}));
    cam.DeletePoint(12.0005);
    EXPECT_EQ(cam.PointCount(), 2u);

    // Points closer than the tolerance (a loaded profile may hold them): the
    // look-up by master finds the first; the edits by position reach each.
    const PtList close{{0, 0, 0, P}, {10, 5, 0, P}, {10.0004, 6, 0, P}, {20, 0, 0, P}};
    Cam twins(close);
    EXPECT_FALSE(twins.KeepsOrderAt(2, 10.0006));  // still too near point 1
    EXPECT_TRUE(twins.KeepsOrderAt(2, 15));
    EXPECT_FALSE(twins.KeepsOrder(10.0004, 15));            // means point 1, whose neighbour 2 is in the way
    twins.MovePointAt(2, 15, 7);
    twins.SetPointSpeedAt(2, 0.5);
    twins.SetPointTypeAt(1, L);
    const PtList pts = twins.Pts();
    EXPECT_EQ(pts, (PtList{{0, 0, 0, P}, {10, 5, (7.0 - 5.0) / (15.0 - 10.0), L}, {15, 7, 0.4, P}, {20, 0, 0, P}}));
    // Past the end: nothing changes.
    twins.MovePointAt(4, 1, 1);
    twins.SetPointSpeedAt(9, 1);
    twins.SetPointTypeAt(4, L);
    EXPECT_FALSE(twins.KeepsOrderAt(4, 30));
    EXPECT_EQ(twins.Pts(), pts);
}

TEST(ECamPointSet, StepGrowsWithSpan)
{
    Cam cam({{0, 0, 0, P}, {2500, 10, 0, P}});
    ASSERT_EQ(cam.Curve().size(), 1251u);
    EXPECT_EQ(cam.Curve()[1].positionX, 2.0);
    EXPECT_EQ(cam.Curve()[1249].positionX, 2498.0);
    cam.SetPointType(L, 0);
    ASSERT_EQ(cam.Curve().size(), 1252u);
    EXPECT_EQ(cam.Curve()[1250].positionX, 2499.0);
}

TEST(ECamPointSet, MasterLengthRescalesOrFallsBackToTheDefaultCam)
{
    Cam cam({{0, 1, 0.5, L}, {500, 2, 0.25, P}, {1000, 3, 0, P}});
    cam.SetMasterLength(2000);
    EXPECT_EQ(cam.Pts(), (PtList{{0, 1, 0.5, L}, {1000, 2, 0.25, P}, {2000, 3, 0, P}}));
    cam.MovePoint(2000, 2000.0000005, 3);
    const uint64_t rev = cam.Revision();
    cam.SetMasterLength(2000);  // within 1e-6: nothing happens
    EXPECT_EQ(cam.Revision(), rev);
    EXPECT_EQ(cam.Pts().back().master, 2000.0000005);
    // The last point lands exactly on L even where the ratio rounds.
    cam.SetPoints({{0, 0, 0, P}, {0.35, 0, 0, P}, {2.9, 1, 0, P}});
    cam.SetMasterLength(777);
    EXPECT_EQ(cam.Pts().back().master, 777.0);
    // A cam ending at or before master 0 becomes the default cam.
    for (const PtList& pts : {PtList{{0, 7, 1, L}}, PtList{{-20, 7, 1, L}, {0, 3, 0, P}}, PtList{{-20, 7, 1, L}, {-5, 3, 0, P}}}) {
        cam.SetPoints(pts);
        cam.SetMasterLength(500);
        EXPECT_EQ(cam.Pts(), (PtList{{0, 0, 0, P}, {500, 0, 0, P}}));
    }
}

TEST(ECamPointSet, EmptyTinyDegenerateAndUnorderedSetsStayUsable)
{
    Cam cam;
    cam.InsertPoint({5, 5, 0, P});
    cam.DeletePoint(0);
    cam.MovePoint(0, 1, 1);
    cam.SetPointSpeed(0, 1);
    cam.SetPointType(L, 0);
    cam.RelinkLinearSpeeds();
    EXPECT_EQ(cam.PointCount(), 0u);
    EXPECT_TRUE(cam.Curve().empty());

    cam.SetPoints({{3, 4, 0.5, L}});
    EXPECT_EQ(cam.Curve(), (std::vector<ECamCurveSample>{{3, 4, 3, 0.5, 3, 0, true}}));

    // PtList sharing a master: no slope, lines get 0, nothing turns NaN.
    cam.SetPoints({{0, 0, 0, L}, {0, 5, 9, L}, {0, 6, 9, P}, {10, 8, 0, P}});
    cam.RelinkLinearSpeeds();
    EXPECT_EQ(cam.Pts()[1], (ECamPoint{0, 5, 0, L}));
    cam.MovePoint(10, 0, 1);
    cam.SetPointType(L, 0);
    EXPECT_TRUE(cam.Finite());
    EXPECT_EQ(cam.Keys(), 4);

    // Unordered (a file taken as it stands) or far-out masters: the curve stays bounded.
    cam.SetPoints({{0, 0, 0, P}, {1e9, 1, 0, P}, {5, 0, 0, L}, {7, 1, 0, P}});
    EXPECT_LT(cam.Curve().size(), 2100u);
    cam.SetPoints({{1e17, 0, 0, P}, {1e17 + 512, 1, 0, L}, {1e17 + 1024, 2, 0, P}});
    EXPECT_LT(cam.Curve().size(), 10u);
    EXPECT_TRUE(cam.Finite());
}

TEST(ECamPointSet, OrderChecksAnswerBeforeAnEdit)
{
    const Cam cam({{0, 0, 0, P}, {10, 0, 0, P}, {20, 0, 0, P}});
    EXPECT_TRUE(cam.IsOrdered());
    // (from, to, whether the move keeps the order); 11 names no point.
    const std::tuple<double, double, bool> moves[] = {
        {10.0005, 15, true}, {10.0005, 0.001, true}, {10.0005, 19.999, true}, {10, 20, false}, {10, 19.9995, false},
        {10, 0, false}, {10, -3, false}, {10, NAN, false}, {11, 15, false}, {0, -50, true}, {20, 1e6, true},
        {20, INFINITY, false}, {20, 10.0002, false}};
    for (const auto& [from, to, keeps] : moves)
        EXPECT_EQ(cam.KeepsOrder(from, to), keeps) << from << " to " << to;
    for (const auto& [at, keeps] : {std::pair{5.0, true}, {-5.0, true}, {10.0, false}, {10.0004, false},
                                    {9.9996, false}, {20.0, false}, {25.0, false}})
        EXPECT_EQ(cam.KeepsOrderOnInsert(at), keeps) << at;
    EXPECT_FALSE(Cam().KeepsOrderOnInsert(5));
    EXPECT_FALSE(Cam({{0, 0, 0, P}, {0, 1, 0, P}}).IsOrdered());
}
