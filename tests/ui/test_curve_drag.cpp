// Dragging key points in the curve windows, against a real point set.
#include "curve_stack.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

struct Drag : CurveStack {
    Drag(CurveKind kind, const std::vector<ECamPoint>& points, double yMin, double yMax)
        : CurveStack({kind}, points, yMin, yMax)
    {
    }
    CECamCurveWnd* wnd = plots[0];
    QPoint Marker(int i) const { return CurveStack::Marker(wnd, i); }
    void Run(QPoint from, QPoint via, QPoint to) { Stroke(wnd, {from, via, to}); }
};

std::vector<ECamPoint> FourPoints()
{
    return {{0, 0, 0, kECamPoly}, {250, 100, 0, kECamPoly}, {500, 200, 0, kECamPoly}, {1000, 0, 0, kECamPoly}};
}

} // namespace

TEST(CurveDrag, PositionEndsArePinnedFirstFullyLastHorizontally)
{
    Drag d(CURVE_POSITION, FourPoints(), -100, 300);
    // The context menu's helpers: a marker's exact reach, and no point left
    // of the first (adding through the window is covered with the panel).
    int k = -1;
    EXPECT_TRUE(d.wnd->HitTestKeyPoint(d.Marker(2) + QPoint(4, -5), k));
    EXPECT_EQ(k, 2);
    EXPECT_FALSE(d.wnd->HasKeyPointNear(d.Marker(2) + QPoint(5, 0)));
    d.wnd->AddKeyPointAt(QPoint(60, 120));
    EXPECT_EQ(d.Points(), FourPoints());

    // First point: stays put, nothing committed, the dialog is still told.
    d.Run(d.Marker(0), QPoint(400, 60), QPoint(300, 100));
    EXPECT_EQ(d.Points(), FourPoints());
    ASSERT_EQ(d.parent.received.size(), 1u);
    EXPECT_EQ(d.parent.received[0].message, WM_CURVE_DRAG_END);
    EXPECT_EQ(d.parent.received[0].wParam, 0u);

    // Last point: only vertical; master stays xMax, slave from the pixel row.
    d.Run(d.Marker(3), QPoint(700, 120), QPoint(900, 150));
    const auto after = d.Points();
    ASSERT_EQ(after.size(), 4u);
    EXPECT_NEAR(after[3].master, 1000.0, 1e-9);
    EXPECT_DOUBLE_EQ(after[3].slave, 300 - (150 - 20) * 2.0);
    EXPECT_DOUBLE_EQ(d.wnd->CurvePoints().back().y, after[3].slave);
    // Released above the plot: the top of the range, not beyond it.
    d.Run(d.Marker(3), QPoint(900, 60), QPoint(900, 3));
    EXPECT_DOUBLE_EQ(d.Points()[3].slave, 300.0);
}

TEST(CurveDrag, InnerPointStopsOnePixelShortOfItsNeighbours)
{
    Drag d(CURVE_POSITION, FourPoints(), -100, 300);
    const auto curveBefore = d.wnd->CurvePoints().size();
    // While moving, the marker's working copy follows; the curve does not.
    QTest::mousePress(d.wnd, Qt::LeftButton, {}, d.Marker(1));
    const double curveYAt250 = d.wnd->CurvePoints()[curveBefore / 4].y;
    QTest::mouseMove(d.wnd, QPoint(5, 60));  // left of the plot and of point 0
    EXPECT_DOUBLE_EQ(d.wnd->KeyPoints()[1].x, 1.0);
    EXPECT_DOUBLE_EQ(d.wnd->KeyPoints()[1].y, 220.0);
    EXPECT_EQ(d.wnd->CurvePoints()[curveBefore / 4].y, curveYAt250);
    QTest::mouseRelease(d.wnd, Qt::LeftButton, {}, QPoint(5, 60));
    auto pts = d.Points();
    EXPECT_DOUBLE_EQ(pts[1].master, 1.0);
    EXPECT_DOUBLE_EQ(pts[1].slave, 220.0);

    // Past the next neighbour (master 500, pixel 620): stops at 619.
    d.Run(d.Marker(1), QPoint(800, 100), QPoint(700, 120));
    pts = d.Points();
    EXPECT_DOUBLE_EQ(pts[1].master, 499.0);
    EXPECT_DOUBLE_EQ(pts[1].slave, 100.0);

    // Masters 250, 250.5 and 251 share two pixel columns: no master strictly
    // between the neighbours is reachable, so the set must stay unchanged,
    // and the markers show the set again.
    Drag close(CURVE_POSITION,
               {{0, 0, 0, kECamPoly}, {250, 0, 0, kECamPoly}, {250.5, 100, 0, kECamPoly}, {251, 0, 0, kECamPoly},
                {1000, 0, 0, kECamPoly}},
               -100, 300);
    const auto before = close.Points();
    close.Run(close.Marker(2), QPoint(300, 50), QPoint(372, 40));
    EXPECT_EQ(close.Points(), before);
    EXPECT_DOUBLE_EQ(close.wnd->KeyPoints()[2].x, 250.5);
}

TEST(CurveDrag, SpeedPointsMoveOnlyVerticallyAccelerationNotAtAll)
{
    Drag d(CURVE_SPEED, FourPoints(), -10, 10);
    d.Run(d.Marker(1), QPoint(900, 100), QPoint(600, 50));
    auto pts = d.Points();
    EXPECT_DOUBLE_EQ(pts[1].master, 250.0);  // the master it had when the drag began
    EXPECT_DOUBLE_EQ(pts[1].speed, 10 - (50 - 20) * 0.1);
    ASSERT_EQ(d.parent.received.size(), 1u);
    EXPECT_EQ(d.parent.received[0].wParam, 1u);

    // The first speed point may move too, vertically only.
    d.Run(d.Marker(0), QPoint(500, 200), QPoint(500, 170));
    pts = d.Points();
    EXPECT_DOUBLE_EQ(pts[0].master, 0.0);
    EXPECT_NEAR(pts[0].speed, 10 - (170 - 20) * 0.1, 1e-12);

    Drag a(CURVE_ACCEL, FourPoints(), -40, 40);
    a.Run(a.wnd->DataToPixel(a.wnd->CurvePoints()[0]), QPoint(500, 100), QPoint(600, 120));
    EXPECT_EQ(a.Points(), FourPoints());
    EXPECT_TRUE(a.parent.received.empty());
}

TEST(CurveDrag, ReleaseOutsideOrMissedEndsTheDragWhereTheMarkerIs)
{
    Drag d(CURVE_POSITION, FourPoints(), -100, 300);
    QTest::mousePress(d.wnd, Qt::LeftButton, {}, d.Marker(2));
    QTest::mouseMove(d.wnd, QPoint(700, 100));
    QTest::mouseRelease(d.wnd, Qt::LeftButton, {}, QPoint(1500, 100));  // right of the window
    EXPECT_FALSE(d.wnd->IsDragging());
    ASSERT_EQ(d.parent.received.size(), 1u);
    // Pulled back into the plot, one column short of the last point.
    EXPECT_DOUBLE_EQ(d.Points()[2].master, 999.0);
    EXPECT_DOUBLE_EQ(d.Points()[2].slave, 300 - 80 * 2.0);

    // The pointer comes back with no button held: the marker stays, and the
    // click that would have dropped it changes nothing.
    QTest::mouseMove(d.wnd, QPoint(560, 90));
    EXPECT_DOUBLE_EQ(d.wnd->KeyPoints()[2].x, 999.0);
    QTest::mouseClick(d.wnd, Qt::LeftButton, {}, QPoint(560, 90));
    EXPECT_DOUBLE_EQ(d.Points()[2].master, 999.0);
    EXPECT_EQ(d.parent.received.size(), 1u);

    // A release the window never got: the next move without a button ends
    // the drag at the marker's last place instead of dragging on.
    QTest::mousePress(d.wnd, Qt::LeftButton, {}, d.Marker(1));
    QTest::mouseMove(d.wnd, QPoint(300, 100));
    QMouseEvent loose(QEvent::MouseMove, QPointF(400, 60), d.wnd->mapToGlobal(QPointF(400, 60)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(d.wnd, &loose);
    EXPECT_FALSE(d.wnd->IsDragging());
    EXPECT_DOUBLE_EQ(d.Points()[1].master, 180.0);
    EXPECT_DOUBLE_EQ(d.Points()[1].slave, 300 - 80 * 2.0);
    EXPECT_EQ(d.parent.received.size(), 2u);
    QTest::mouseRelease(d.wnd, Qt::LeftButton, {}, QPoint(400, 60));
    EXPECT_EQ(d.parent.received.size(), 2u);
}
