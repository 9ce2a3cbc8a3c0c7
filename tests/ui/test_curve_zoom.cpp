// Zoom, pan and the peak read-out of the curve windows, driven with real
// wheel, button and key input on three stacked plots under one parent.
#include "curve_stack.h"
#include "tests/support/wheel.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// Three plots (values -100..100 one per pixel) stacked as in the panel.
struct Stack : CurveStack {
    explicit Stack(const std::vector<ECamPoint>& points = {{0, -50, 0, kECamPoly},
                                                           {250, 0, 0, kECamPoly},
                                                           {500, 50, 0, kECamPoly},
                                                           {1000, -50, 0, kECamPoly}})
        : CurveStack({CURVE_POSITION, CURVE_SPEED, CURVE_ACCEL}, points, -100, 100)
    {
    }
    CECamCurveWnd* pos = plots[0];
    CECamCurveWnd* speed = plots[1];
    CECamCurveWnd* accel = plots[2];
};

// What a real double click delivers: press, release, double-click press,
// release.
void DoubleClick(QWidget* w, QPoint at)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

std::vector<QString> XLabels(CECamCurveWnd* w)
{
    w->grab();
    std::vector<QString> out;
    for (const AxisLabel& l : w->LabelRects())
        if (!l.yAxis)
            out.push_back(l.text);
    return out;
}

} // namespace

TEST(CurveZoom, WheelZoomsTheSharedMasterAxisAndCtrlWheelOneValueAxis)
{
    Stack s;
    // One notch forward at master 250 (pixel 370): the span shrinks to 0.8
    // of itself about 250, in all three plots; 250 keeps its pixel.
    Wheel(s.pos, QPoint(370, 100), 1);
    for (CECamCurveWnd* w : s.plots) {
        EXPECT_TRUE(w->IsMasterZoomed());
        EXPECT_NEAR(w->MasterRange().lo, 50.0, 1e-9);
        EXPECT_NEAR(w->MasterRange().hi, 850.0, 1e-9);
        EXPECT_EQ(w->DataToPixel({250, 0}).x(), 370);
        EXPECT_EQ(w->DataToPixel({450, 0}).x(), 120 + 500);  // 400 units at 1.25 px
    }
    // Hover texts follow the zoomed pixels.
    const PlotPoint sample = s.speed->CurvePoints()[450];
    EXPECT_EQ(s.speed->TipTextAt(s.speed->DataToPixel(sample)), QString::asprintf("x:%f\r\ny:%f", sample.x, sample.y));
    EXPECT_EQ(XLabels(s.accel).front(), "50");
    EXPECT_EQ(XLabels(s.accel).back(), "850");
    // A notch back from the same place undoes it.
    Wheel(s.speed, QPoint(370, 100), -1);
    EXPECT_NEAR(s.pos->MasterRange().lo, 0.0, 1e-9);
    EXPECT_NEAR(s.pos->MasterRange().hi, 1000.0, 1e-9);

    // Ctrl+wheel on the speed plot at value 50 (pixel 70): only its own
    // value axis, about 50; the master axis stays.
    const plotview::Range xBefore = s.pos->MasterRange();
    Wheel(s.speed, QPoint(600, 70), 2, Qt::ControlModifier);
    EXPECT_TRUE(s.speed->IsValueZoomed());
    EXPECT_NEAR(s.speed->m_yMax, 50 + 50 * 0.64, 1e-9);
    EXPECT_NEAR(s.speed->m_yMin, 50 - 150 * 0.64, 1e-9);
    EXPECT_EQ(s.speed->DataToPixel({0, 50}).y(), 70);
    EXPECT_EQ(s.pos->m_yMax, 100.0);
    EXPECT_EQ(s.accel->m_yMin, -100.0);
    EXPECT_EQ(s.pos->MasterRange(), xBefore);

    // Deep zoom stops at its limit; the labels still name distinct values.
    Wheel(s.pos, QPoint(620, 100), 200);
    EXPECT_NEAR(s.pos->MasterRange().Span(), 1000 * CECamCurveWnd::kMinSpanRatio, 1e-9);
    const std::vector<QString> deep = XLabels(s.pos);
    EXPECT_EQ(std::set<QString>(deep.begin(), deep.end()).size(), deep.size());
    EXPECT_TRUE(deep.front().contains('.')) << deep.front().toStdString();

    // Home on the speed plot: every master axis and its own value axis back.
    QTest::keyClick(s.speed, Qt::Key_Home);
    for (CECamCurveWnd* w : s.plots)
        EXPECT_FALSE(w->IsMasterZoomed());
    EXPECT_FALSE(s.speed->IsValueZoomed());
    EXPECT_EQ(s.speed->m_yMax, 100.0);
    EXPECT_EQ(s.speed->m_yMin, -100.0);
    EXPECT_EQ(XLabels(s.pos).back(), "1000");
    // Above the plot, Ctrl+wheel zooms about the top of the value range.
    Wheel(s.speed, QPoint(600, 5), 1, Qt::ControlModifier);
    EXPECT_NEAR(s.speed->m_yMax, 100.0, 1e-9);
    EXPECT_NEAR(s.speed->m_yMin, -60.0, 1e-9);
}

TEST(CurveZoom, MiddleDragPansAndDoubleClickOnEmptyAreaResets)
{
    Stack s;
    s.parent.show();
    // The picture follows the pointer: 100 px right shows 100 smaller
    // masters, 20 px down 20 larger values (one unit per pixel).
    Stack::Stroke(s.pos, {{600, 120}, {650, 130}, {700, 140}}, Qt::MiddleButton);
    for (CECamCurveWnd* w : s.plots) {
        EXPECT_NEAR(w->MasterRange().lo, -100.0, 1e-9);
        EXPECT_NEAR(w->MasterRange().hi, 900.0, 1e-9);
    }
    EXPECT_NEAR(s.pos->m_yMax, 120.0, 1e-9);
    EXPECT_NEAR(s.pos->m_yMin, -80.0, 1e-9);
    EXPECT_EQ(s.speed->m_yMax, 100.0);
    // Moves without the button pan no more.
    QTest::mouseMove(s.pos, QPoint(300, 100));
    EXPECT_NEAR(s.pos->MasterRange().lo, -100.0, 1e-9);

    // Panned far away (970 px twice), some of the cam stays in sight.
    for (int i = 0; i < 2; ++i)
        Stack::Stroke(s.pos, {{1100, 120}, {130, 120}}, Qt::MiddleButton);
    EXPECT_NEAR(s.pos->MasterRange().lo, 1000.0, 1e-9);
    EXPECT_NEAR(s.pos->MasterRange().hi, 2000.0, 1e-9);

    // A double click on a key point marker is a press on it, not a reset.
    const int drags = static_cast<int>(s.parent.received.size());
    s.pos->SetMasterView(true, {0, 600});
    const QPoint marker = Stack::Marker(s.pos, 1);
    DoubleClick(s.pos, marker);
    EXPECT_TRUE(s.pos->IsMasterZoomed());
    EXPECT_GT(static_cast<int>(s.parent.received.size()), drags);  // the drag ended as usual
    // On empty plot area: back to the automatic ranges.
    DoubleClick(s.pos, QPoint(1000, 60));
    for (CECamCurveWnd* w : s.plots)
        EXPECT_FALSE(w->IsMasterZoomed());
    EXPECT_EQ(s.pos->m_yMax, 100.0);
    EXPECT_EQ(s.pos->m_yMin, -100.0);
}

TEST(CurveZoom, DragsHitsAndTheLimitEditorWorkThroughTheZoomedAxes)
{
    Stack s;
    s.parent.show();
    // Four notches about master 250: span 1000 * 0.8^4 = 409.6, so a pixel
    // is 0.4096 master units and 250 stays at pixel 370.
    Wheel(s.pos, QPoint(370, 100), 4);
    const double upp = 0.4096;
    ASSERT_NEAR(s.pos->XAxis().UnitsPerPixel(), upp, 1e-12);
    QPoint marker = Stack::Marker(s.pos, 1);
    EXPECT_EQ(marker.x(), 370);
    int hit = -1;
    EXPECT_TRUE(s.pos->HitTestKeyPoint(marker + QPoint(4, -4), hit));
    EXPECT_EQ(hit, 1);

    // 30 px right and 20 px up: 12.288 master units and 20 value units.
    Stack::Stroke(s.pos, {marker, marker + QPoint(15, -10), marker + QPoint(30, -20)});
    std::vector<ECamPoint> pts = s.Points();
    EXPECT_NEAR(pts[1].master, 250 + 30 * upp, upp);
    EXPECT_NEAR(pts[1].slave, 20.0, 1.0);
    EXPECT_TRUE(s.set.IsOrdered());

    // The last point moves only vertically and keeps its master exactly,
    // though the plot's right edge is not the cam's end when zoomed.
    s.Refresh();
    Wheel(s.pos, QPoint(1120, 100), 0);  // no turn: nothing changes
    s.pos->SetMasterView(true, {600, 1100});
    marker = Stack::Marker(s.pos, 3);
    Stack::Stroke(s.pos, {marker, marker + QPoint(-40, -30)});
    pts = s.Points();
    EXPECT_EQ(pts.back().master, 1000.0);
    EXPECT_NEAR(pts.back().slave, -50 + 30.0, 1.0);

    // The value axis zoomed by Ctrl+wheel: the upper label edits the zoomed
    // top; Home then returns to the range before the zoom.
    Wheel(s.speed, QPoint(600, 120), 1, Qt::ControlModifier);
    const double zoomedTop = s.speed->m_yMax;
    CSpecEdit* edit = s.ClickLabel(s.speed, true);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QString::asprintf("%f", zoomedTop));
    s.TypeAndEnter(edit, "30");
    EXPECT_EQ(s.speed->m_yMax, 30.0);
    QTest::keyClick(s.speed, Qt::Key_Home);
    EXPECT_EQ(s.speed->m_yMax, 100.0);
    EXPECT_EQ(s.speed->m_yMin, -100.0);

    // A new cam length ends the master zoom; AutoScaleY ends a value zoom.
    s.pos->SetMasterView(true, {100, 200});
    Wheel(s.pos, QPoint(600, 120), 1, Qt::ControlModifier);
    s.set.SetPoints({{0, 0, 0, kECamPoly}, {2000, 10, 0, kECamPoly}});
    s.Refresh();
    EXPECT_FALSE(s.pos->IsMasterZoomed());
    s.pos->AutoScaleY();
    EXPECT_FALSE(s.pos->IsValueZoomed());
}

TEST(CurveZoom, PeakReadOutFollowsTheCurveAboveTheFrame)
{
    // Above the frame, flush with its right edge, where no marker, curve
    // point or label can reach.
    Stack s({{0, -90, 0, kECamLinear}, {1000, 90, 0.18, kECamLinear}});
    EXPECT_EQ(s.pos->PeakText(), QString::fromUtf8("最大 90 @ 1000  最小 -90 @ 0"));
    const QImage img = s.pos->grab().toImage();
    const QRect box = s.pos->PeakRect();
    ASSERT_FALSE(box.isEmpty());
    EXPECT_EQ(box.right(), 1120);
    EXPECT_EQ(box.top(), 0);
    EXPECT_LT(box.bottom(), 15);
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += qGray(img.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(ink, 30);

    // Every edit updates it.
    s.set.SetPoints({{0, 90, -0.18, kECamLinear}, {1000, -90, -0.18, kECamLinear}});
    s.Refresh();
    EXPECT_EQ(s.pos->PeakText(), QString::fromUtf8("最大 90 @ 0  最小 -90 @ 1000"));
    EXPECT_EQ(s.speed->PeakText(), QString::fromUtf8("最大 -0.18 @ 0  最小 -0.18 @ 0"));

    // A plot too narrow for the whole text shortens it, over the plot's columns.
    s.pos->resize(300, 120);
    s.pos->grab();
    EXPECT_TRUE(QRect(120, 0, 161, 15).contains(s.pos->PeakRect()));
    // No curve, no readout.
    s.accel->SetCurveData({}, {}, CURVE_ACCEL);
    s.accel->grab();
    EXPECT_TRUE(s.accel->PeakText().isEmpty());
    EXPECT_TRUE(s.accel->PeakRect().isEmpty());
}
