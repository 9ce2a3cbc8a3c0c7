// Editing operations of the point set: the speed rules each one applies, the
// point lookup tolerance, the sampling step and the joined curve.
#include "cam/ecam_point_set.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<ECamPoint> PointsOf(const CECamPointSet& set)
{
    std::vector<ECamPoint> out;
    set.GetPoints(out);
    return out;
}

CECamPointSet SetOf(const std::vector<ECamPoint>& points)
{
    CECamPointSet set;
    set.SetPoints(points);
    return set;
}

void ExpectAllFinite(const CECamPointSet& set)
{
    for (const ECamPoint& p : set.Points())
        ASSERT_TRUE(std::isfinite(p.master) && std::isfinite(p.slave) && std::isfinite(p.speed));
    for (const ECamCurveSample& s : set.Curve())
        ASSERT_TRUE(std::isfinite(s.positionX) && std::isfinite(s.position) &&
                    std::isfinite(s.speed) && std::isfinite(s.accel));
}

std::size_t KeyRecords(const CECamPointSet& set)
{
    std::size_t n = 0;
    for (const ECamCurveSample& s : set.Curve())
        n += s.isKeyPoint ? 1 : 0;
    return n;
}

} // namespace

TEST(ECamPointSet, DefaultCamAndPolyInsertKeepOneRecordPerMasterUnit)
{
    CECamPointSet set;
    set.SetMasterLength(1000);
    const std::vector<ECamPoint> def{{0, 0, 0, kECamPoly}, {1000, 0, 0, kECamPoly}};
    EXPECT_EQ(PointsOf(set), def);
    ASSERT_EQ(set.Curve().size(), 1001u);
    for (std::size_t i = 0; i < set.Curve().size(); ++i) {
        const ECamCurveSample& s = set.Curve()[i];
        ASSERT_EQ(s.positionX, double(i));
        ASSERT_EQ(s.position, 0.0);
        ASSERT_EQ(s.isKeyPoint, i == 0 || i == 1000);
    }

    set.InsertPoint({500, 50, 0, kECamPoly});
    ASSERT_EQ(set.PointCount(), 3u);
    ASSERT_EQ(set.Curve().size(), 1001u);
    EXPECT_TRUE(set.Curve()[500].isKeyPoint);
    EXPECT_EQ(set.Curve()[500].position, 50.0);
    EXPECT_EQ(KeyRecords(set), 3u);
    // The joined curve ends with the last point's own record.
    const ECamCurveSample end{1000, 0, 1000, 0, 1000, 0, true};
    EXPECT_EQ(set.Curve().back(), end);

    std::vector<ECamCurveSample> copy(3);
    set.GetCurve(copy);
    EXPECT_EQ(copy, set.Curve());
}

TEST(ECamPointSet, InsertSplitsLinesAndPlacesPointsByMaster)
{
    auto set = SetOf({{0, 0, 1, kECamLinear}, {100, 100, 1, kECamPoly}});
    set.InsertPoint({50, 20, 0, kECamPoly});
    auto pts = PointsOf(set);
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[1].type, kECamLinear);
    EXPECT_DOUBLE_EQ(pts[0].speed, 0.4);
    EXPECT_DOUBLE_EQ(pts[1].speed, 1.6);
    EXPECT_DOUBLE_EQ(pts[2].speed, 1.6);  // Poly after a line takes its slope

    // After a Poly point the caller's type and speed stand.
    set.InsertPoint({75, 10, -2.5, kECamPoly});
    pts = PointsOf(set);
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_EQ(pts[2].type, kECamLinear);  // 75 still splits the line 50..100
    set = SetOf({{0, 0, 0, kECamPoly}, {100, 100, 0, kECamPoly}});
    set.InsertPoint({40, 10, -2.5, kECamLinear});
    EXPECT_EQ(PointsOf(set)[1], (ECamPoint{40, 10, -2.5, kECamLinear}));
    EXPECT_EQ(PointsOf(set)[2].speed, 0.0);

    // At or beyond the last master nothing is inserted; before the first it goes to the front.
    const auto before = PointsOf(set);
    set.InsertPoint({100, 5, 0, kECamPoly});
    set.InsertPoint({150, 5, 0, kECamPoly});
    EXPECT_EQ(PointsOf(set), before);
    set.InsertPoint({-10, 3, 0.5, kECamPoly});
    ASSERT_EQ(set.PointCount(), 4u);
    EXPECT_EQ(PointsOf(set).front(), (ECamPoint{-10, 3, 0.5, kECamPoly}));
    EXPECT_EQ(set.Curve().front().positionX, -10.0);
    EXPECT_EQ(KeyRecords(set), 4u);
}

TEST(ECamPointSet, DeleteRelinksAroundLinesAndSparesTheFirstPoint)
{
    auto set = SetOf({{0, 0, 0.5, kECamLinear}, {10, 5, 0.5, kECamPoly}, {40, 60, 3, kECamPoly}});
    set.DeletePoint(10);
    auto pts = PointsOf(set);
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_DOUBLE_EQ(pts[0].speed, 1.5);
    EXPECT_DOUBLE_EQ(pts[1].speed, 1.5);

    // The first point stays; a master matching nothing changes nothing.
    set.DeletePoint(0);
    set.DeletePoint(20);
    EXPECT_EQ(PointsOf(set), pts);

    // Deleting the last point after a line leaves the line's start untouched.
    set = SetOf({{0, 0, 0, kECamPoly}, {10, 0, 2, kECamLinear}, {20, 20, 7, kECamPoly}});
    set.DeletePoint(20);
    pts = PointsOf(set);
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[1], (ECamPoint{10, 0, 2, kECamLinear}));
    ExpectAllFinite(set);
    EXPECT_EQ(set.Curve().back().positionX, 10.0);
}

TEST(ECamPointSet, MoveKeepsLinesTiedToTheirNeighbours)
{
    auto set = SetOf({{0, 0, 1, kECamLinear}, {10, 10, 1, kECamLinear}, {20, 20, 1, kECamPoly}});
    set.MovePoint(10, 15, 30);
    auto pts = PointsOf(set);
    EXPECT_EQ(pts[1].master, 15.0);
    EXPECT_EQ(pts[1].slave, 30.0);
    EXPECT_DOUBLE_EQ(pts[0].speed, 2.0);
    EXPECT_DOUBLE_EQ(pts[1].speed, -2.0);
    EXPECT_DOUBLE_EQ(pts[2].speed, -2.0);

    // A Poly point after a line takes the line's new slope; a Poly neighbour
    // after a Poly point keeps its speed.
    set = SetOf({{0, 0, 1, kECamLinear}, {10, 10, 1, kECamPoly}, {20, 0, 4, kECamPoly}});
    set.MovePoint(10, 12, 6);
    pts = PointsOf(set);
    EXPECT_DOUBLE_EQ(pts[0].speed, 0.5);
    EXPECT_DOUBLE_EQ(pts[1].speed, 0.5);
    EXPECT_EQ(pts[2].speed, 4.0);
    // Moving the first point, which has no predecessor, works the same way.
    set.MovePoint(0, 2, 0);
    EXPECT_DOUBLE_EQ(PointsOf(set)[0].speed, 0.6);
    EXPECT_EQ(set.Curve().front().positionX, 2.0);
}

TEST(ECamPointSet, SetSpeedMovesTheFarEndOfAStraightSegment)
{
    // A line from the first point: the Poly point at 10 is lifted onto the new slope.
    auto set = SetOf({{0, 0, 0, kECamLinear}, {10, 0, 0, kECamPoly}, {30, 0, 0, kECamPoly}});
    set.SetPointSpeed(0, 2.0);
    auto pts = PointsOf(set);
    EXPECT_EQ(pts[0].speed, 2.0);
    EXPECT_EQ(pts[1].slave, 20.0);
    EXPECT_EQ(pts[1].speed, 2.0);

    // Last point after a line: its slave follows the new slope.
    set = SetOf({{0, 0, 0, kECamPoly}, {10, 5, 1, kECamLinear}, {30, 25, 1, kECamPoly}});
    set.SetPointSpeed(30, -0.5);
    pts = PointsOf(set);
    EXPECT_EQ(pts[2].speed, -0.5);
    EXPECT_EQ(pts[1].speed, -0.5);
    EXPECT_EQ(pts[2].slave, -5.0);

    // Poly point after a line: the Poly point itself moves onto the line.
    set = SetOf({{0, 0, 0, kECamPoly}, {10, 5, 1, kECamLinear}, {30, 25, 1, kECamPoly}, {50, 0, 0, kECamPoly}});
    set.SetPointSpeed(30, 3.0);
    pts = PointsOf(set);
    EXPECT_EQ(pts[1].speed, 3.0);
    EXPECT_EQ(pts[2].slave, 65.0);
    EXPECT_EQ(pts[2].speed, 3.0);
    EXPECT_EQ(pts[3].slave, 0.0);

    // Two lines in a row: the second keeps reaching its end point, and the Poly point after it follows.
    set = SetOf({{0, 0, 1, kECamLinear}, {10, 10, 1, kECamLinear}, {20, 20, 1, kECamPoly}});
    set.SetPointSpeed(0, 0.5);
    pts = PointsOf(set);
    EXPECT_EQ(pts[1].slave, 5.0);
    EXPECT_DOUBLE_EQ(pts[1].speed, 1.5);
    EXPECT_DOUBLE_EQ(pts[2].speed, 1.5);
    EXPECT_EQ(pts[2].slave, 20.0);

    // Between Poly points only the speed changes.
    set = SetOf({{0, 0, 0, kECamPoly}, {10, 5, 0, kECamPoly}, {20, 9, 0, kECamPoly}});
    set.SetPointSpeed(10, 0.8);
    EXPECT_EQ(PointsOf(set)[1], (ECamPoint{10, 5, 0.8, kECamPoly}));
    EXPECT_EQ(PointsOf(set)[0].slave, 0.0);
    EXPECT_EQ(PointsOf(set)[2].slave, 9.0);
}

TEST(ECamPointSet, SetTypeDerivesLineSpeedsAndSkipsUnchangedRequests)
{
    auto set = SetOf({{0, 0, 0, kECamPoly}, {10, 30, 0, kECamPoly}, {20, 0, 0, kECamPoly}});
    const uint64_t rev = set.Revision();
    set.SetPointType(kECamPoly, 10);
    EXPECT_EQ(set.Revision(), rev);  // unchanged type: no recompute
    set.SetPointType(kECamLinear, 10);
    EXPECT_GT(set.Revision(), rev);
    auto pts = PointsOf(set);
    EXPECT_EQ(pts[1].type, kECamLinear);
    EXPECT_EQ(pts[1].speed, -3.0);
    EXPECT_EQ(pts[2].speed, -3.0);
    EXPECT_EQ(set.Curve()[15].speed, -3.0);

    // Back to Poly: the speed stays as the line left it.
    set.SetPointType(kECamPoly, 10);
    EXPECT_EQ(PointsOf(set)[1], (ECamPoint{10, 30, -3.0, kECamPoly}));

    // The last point has no segment to take a slope from: only its type changes.
    set.SetPointType(kECamLinear, 20);
    EXPECT_EQ(PointsOf(set)[2], (ECamPoint{20, 0, -3.0, kECamLinear}));
    ExpectAllFinite(set);

    // A master matching nothing still recomputes.
    const uint64_t rev2 = set.Revision();
    set.SetPointType(kECamLinear, 5);
    EXPECT_GT(set.Revision(), rev2);
}

TEST(ECamPointSet, PointsAreFoundWithinOneThousandth)
{
    const std::vector<ECamPoint> base{{0, 0, 0, kECamPoly}, {10, 10, 0, kECamPoly}, {20, 0, 0, kECamPoly}};
    auto set = SetOf(base);
    EXPECT_EQ(set.FindPoint(10.0005), 1);
    EXPECT_EQ(set.FindPoint(9.9995), 1);
    EXPECT_EQ(set.FindPoint(10.002), -1);
    EXPECT_EQ(set.FindPoint(9.998), -1);
    EXPECT_EQ(set.FindPoint(10.0009), 1);
    EXPECT_EQ(set.FindPoint(10.0011), -1);

    set.MovePoint(10.002, 12, 12);
    set.SetPointSpeed(10.002, 5);
    set.SetPointType(kECamLinear, 9.998);
    set.DeletePoint(10.002);
    EXPECT_EQ(PointsOf(set), base);

    set.SetPointSpeed(9.9995, 5);
    EXPECT_EQ(PointsOf(set)[1].speed, 5.0);
    set.SetPointSpeed(20.0005, 1);  // the last point, found within the tolerance
    EXPECT_EQ(PointsOf(set)[2].speed, 1.0);
    set.MovePoint(10.0005, 12, 12);
    EXPECT_EQ(PointsOf(set)[1].master, 12.0);
    set.SetPointType(kECamLinear, 11.9995);
    EXPECT_EQ(PointsOf(set)[1].type, kECamLinear);
    set.DeletePoint(12.0005);
    EXPECT_EQ(set.PointCount(), 2u);
}

TEST(ECamPointSet, StepGrowsWithSpanAndLinesStartOneUnitIn)
{
    struct Case { double span; double step; };
    for (const Case c : {Case{1000, 1}, Case{1500, 1}, Case{2000, 2}, Case{2500, 2}, Case{2999, 2}, Case{5000, 5}}) {
        auto set = SetOf({{0, 0, 0, kECamPoly}, {c.span, 10, 0, kECamPoly}});
        EXPECT_EQ(set.SampleStep(), c.step) << c.span;
    }
    auto set = SetOf({{0, 0, 0, kECamPoly}, {2500, 10, 0, kECamPoly}});
    const auto& curve = set.Curve();
    ASSERT_EQ(curve.size(), 1251u);
    for (std::size_t k = 1; k < 1250; ++k)
        ASSERT_EQ(curve[k].positionX, 2.0 * k);
    EXPECT_EQ(curve[1249].positionX, 2498.0);

    set = SetOf({{0, 0, 0, kECamLinear}, {2500, 10, 0, kECamPoly}});
    ASSERT_EQ(set.Curve().size(), 1252u);
    EXPECT_EQ(set.Curve()[1].positionX, 1.0);
    EXPECT_EQ(set.Curve()[1250].positionX, 2499.0);
}

TEST(ECamPointSet, MasterLengthRescalesOrFallsBackToTheDefaultCam)
{
    auto set = SetOf({{0, 1, 0.5, kECamLinear}, {500, 2, 0.25, kECamPoly}, {1000, 3, 0, kECamPoly}});
    set.SetMasterLength(2000);
    const std::vector<ECamPoint> scaled{{0, 1, 0.5, kECamLinear}, {1000, 2, 0.25, kECamPoly}, {2000, 3, 0, kECamPoly}};
    EXPECT_EQ(PointsOf(set), scaled);
    EXPECT_EQ(set.SampleStep(), 2.0);

    // The same length again changes nothing, not even the curve.
    const uint64_t rev = set.Revision();
    set.SetMasterLength(2000);
    EXPECT_EQ(set.Revision(), rev);
    set.MovePoint(2000, 2000.0000005, 3);
    set.SetMasterLength(2000);
    EXPECT_EQ(PointsOf(set).back().master, 2000.0000005);

    // The last point lands exactly on the length even when the ratio is inexact.
    set = SetOf({{0, 0, 0, kECamPoly}, {0.35, 0, 0, kECamPoly}, {2.9, 1, 0, kECamPoly}});
    set.SetMasterLength(777);
    EXPECT_EQ(PointsOf(set).back().master, 777.0);
    EXPECT_NEAR(PointsOf(set)[1].master, 0.35 * 777 / 2.9, 1e-12);

    // A cam ending at master 0 (one point left, or all at 0) becomes the default cam.
    const std::vector<ECamPoint> def{{0, 0, 0, kECamPoly}, {500, 0, 0, kECamPoly}};
    set = SetOf({{0, 7, 1, kECamLinear}});
    set.SetMasterLength(500);
    EXPECT_EQ(PointsOf(set), def);
    set = SetOf({{-20, 7, 1, kECamLinear}, {0, 3, 0, kECamPoly}});
    set.SetMasterLength(500);
    EXPECT_EQ(PointsOf(set), def);
    // Ending before 0, a scale would turn the cam round: default cam too.
    set = SetOf({{-20, 7, 1, kECamLinear}, {-5, 3, 0, kECamPoly}});
    set.SetMasterLength(500);
    EXPECT_EQ(PointsOf(set), def);
    ExpectAllFinite(set);
}

TEST(ECamPointSet, EmptyTinyAndDegenerateSetsStayUsable)
{
    CECamPointSet set;
    set.SetPoints({});
    EXPECT_TRUE(set.Curve().empty());
    set.InsertPoint({5, 5, 0, kECamPoly});
    set.DeletePoint(0);
    set.MovePoint(0, 1, 1);
    set.SetPointSpeed(0, 1);
    set.SetPointType(kECamLinear, 0);
    set.RelinkLinearSpeeds();
    EXPECT_EQ(set.PointCount(), 0u);
    EXPECT_TRUE(set.Curve().empty());

    set.SetPoints({{3, 4, 0.5, kECamLinear}});
    ASSERT_EQ(set.Curve().size(), 1u);
    EXPECT_EQ(set.Curve()[0], (ECamCurveSample{3, 4, 3, 0.5, 3, 0, true}));
    set.SetPointSpeed(3, 2);
    set.SetPointType(kECamPoly, 3);
    EXPECT_EQ(PointsOf(set), (std::vector<ECamPoint>{{3, 4, 2, kECamPoly}}));

    // Two points at one master: no slope to take, so lines get 0, and nothing turns NaN.
    set.SetPoints({{0, 0, 0, kECamLinear}, {0, 5, 9, kECamLinear}, {0, 6, 9, kECamPoly}, {10, 8, 0, kECamPoly}});
    set.RelinkLinearSpeeds();
    EXPECT_EQ(PointsOf(set)[0].speed, 0.0);
    EXPECT_EQ(PointsOf(set)[1].speed, 0.0);
    set.SetPointType(kECamLinear, 10);
    set.MovePoint(10, 0, 1);
    set.InsertPoint({0, 1, 0, kECamLinear});
    set.DeletePoint(0);
    ExpectAllFinite(set);
    EXPECT_EQ(KeyRecords(set), set.PointCount());
}

TEST(ECamPointSet, OutOfOrderOrFarMastersKeepTheCurveBounded)
{
    // A loaded list taken as it stands: the long middle segment is sampled
    // with a step sized by the whole extent, not by last - first.
    auto set = SetOf({{0, 0, 0, kECamPoly}, {1e9, 1, 0, kECamPoly}, {5, 0, 0, kECamLinear}, {7, 1, 0, kECamPoly}});
    EXPECT_FALSE(set.IsOrdered());
    EXPECT_LT(set.Curve().size(), 2100u);
    EXPECT_EQ(KeyRecords(set), 4u);

    // Masters beyond 2^53 with a span under 1000: a step of 1 cannot advance.
    set = SetOf({{1e17, 0, 0, kECamPoly}, {1e17 + 512, 1, 0, kECamLinear}, {1e17 + 1024, 2, 0, kECamPoly}});
    EXPECT_LT(set.Curve().size(), 10u);
    ExpectAllFinite(set);
}

TEST(ECamPointSet, OrderChecksAnswerBeforeAnEdit)
{
    const auto set = SetOf({{0, 0, 0, kECamPoly}, {10, 0, 0, kECamPoly}, {20, 0, 0, kECamPoly}});
    EXPECT_TRUE(set.IsOrdered());
    EXPECT_TRUE(set.KeepsOrder(10, 15));
    EXPECT_TRUE(set.KeepsOrder(10.0005, 0.001));
    EXPECT_FALSE(set.KeepsOrder(10, 20));
    EXPECT_FALSE(set.KeepsOrder(10, 19.9995));
    EXPECT_FALSE(set.KeepsOrder(10, 0));
    EXPECT_FALSE(set.KeepsOrder(10, -3));
    EXPECT_FALSE(set.KeepsOrder(11, 15));  // no point there
    EXPECT_FALSE(set.KeepsOrder(10, std::nan("")));
    EXPECT_TRUE(set.KeepsOrder(0, -50));   // the ends are open outwards
    EXPECT_TRUE(set.KeepsOrder(20, 1e6));
    EXPECT_FALSE(set.KeepsOrder(20, INFINITY));
    EXPECT_FALSE(set.KeepsOrder(20, 10.0002));

    EXPECT_TRUE(set.KeepsOrderOnInsert(5));
    EXPECT_TRUE(set.KeepsOrderOnInsert(-5));
    EXPECT_FALSE(set.KeepsOrderOnInsert(10));
    EXPECT_FALSE(set.KeepsOrderOnInsert(10.0004));
    EXPECT_FALSE(set.KeepsOrderOnInsert(9.9996));
    EXPECT_FALSE(set.KeepsOrderOnInsert(20));  // would not be inserted at all
    EXPECT_FALSE(set.KeepsOrderOnInsert(25));
    EXPECT_FALSE(CECamPointSet().KeepsOrderOnInsert(5));

    EXPECT_FALSE(SetOf({{0, 0, 0, 1}, {0, 1, 0, 1}}).IsOrdered());
    EXPECT_TRUE(CECamPointSet().IsOrdered());
}
