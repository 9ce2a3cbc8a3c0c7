// Curve window: mappings, scaling, hover texts, limit editor and drawing.
#include "curve_stack.h"

#include "cam/ecam_curve_sample.h"
#include "ui/ecam_curve_wnd.h"
#include "ui/spec_tool_tip.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {
std::vector<PlotPoint> Line(std::initializer_list<PlotPoint> pts) { return pts; }

// One window fed by hand, with no point set behind it.
struct Plot : CurveStack {
    Plot() : CurveStack({CURVE_POSITION}, {}, -100, 100) { wnd->m_pointSet = nullptr; }
    CECamCurveWnd* wnd = plots[0];
};
} // namespace

TEST(CurveWnd, MappingsPaintingAndAutoScaleOfEmptyFlatZeroWidthAndOrdinaryCurves)
{
    Plot p;
    p.wnd->SetCurveData({}, Line({{0, 0}, {1000, 0}}), CURVE_POSITION);
    EXPECT_EQ(p.wnd->DataToPixel({0, -100}), QPoint(120, 220));
    EXPECT_EQ(p.wnd->DataToPixel({1000, 100}), QPoint(1120, 20));  // (rounding: the PlotView test)

    // Empty: nothing to hit, no texts.
    p.wnd->SetCurveData({}, {}, CURVE_POSITION);
    int k = 42;
    EXPECT_FALSE(p.wnd->HitTestKeyPoint(QPoint(120, 120), k));
    EXPECT_EQ(k, 42);
    EXPECT_TRUE(p.wnd->TipTextAt(QPoint(120, 120)).isEmpty());
    // Overlapping markers: the nearest centre wins; of two on one pixel, the one drawn on top.
    p.wnd->SetCurveData(Line({{300, 0}, {300.2, 0}, {304, 0}}), Line({{0, 0}, {1000, 0}}), CURVE_POSITION);
    const QPoint c = p.wnd->DataToPixel({300, 0});
    ASSERT_EQ(p.wnd->DataToPixel({300.2, 0}), c);
    EXPECT_TRUE(p.wnd->HitTestKeyPoint(c, k) && k == 1) << k;
    EXPECT_TRUE(p.wnd->HitTestKeyPoint(c + QPoint(3, 0), k) && k == 2) << k;
    p.wnd->SetCurveData({}, {}, CURVE_POSITION);
    EXPECT_FALSE(p.wnd->grab().isNull());

    // Flat acceleration: zero y range, drawn on the middle line.
    p.wnd->SetCurveData({}, Line({{0, 0}, {500, 0}, {1000, 0}}), CURVE_ACCEL);
    p.wnd->AutoScaleY();
    EXPECT_EQ(p.wnd->DataToPixel({500, 0}), QPoint(620, 120));
    const QImage img = p.wnd->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(620, 120)), QColor(0, 0, 255));  // default curve colour

    // All points at master 0: zero x range, everything on the left edge.
    p.wnd->SetCurveData(Line({{0, 5}}), Line({{0, 5}}), CURVE_POSITION);
    p.wnd->m_yMin = -100;
    p.wnd->m_yMax = 100;
    EXPECT_EQ(p.wnd->DataToPixel({0, 5}).x(), 120);
    EXPECT_FALSE(p.wnd->grab().isNull());

    // A curve with a marker and a title: frame, curve, marker and title ink.
    p.wnd->m_curveColor = QColor(255, 0, 0);
    p.wnd->SetTitle(QStringLiteral("位置"));
    p.wnd->SetCurveData(Line({{500, 50}}), Line({{0, 0}, {500, 50}, {1000, 0}}), CURVE_POSITION);
    const QImage shot = p.wnd->grab().toImage();
    const QColor red(255, 0, 0), grey(100, 100, 100), white(255, 255, 255);
    EXPECT_EQ(QColor(shot.pixel(5, 5)), white);
    EXPECT_EQ(QColor(shot.pixel(1120, 100)), grey);  // right frame
    EXPECT_EQ(QColor(shot.pixel(620, 70)), red);     // marker fill at (500, 50)
    EXPECT_EQ(QColor(shot.pixel(620, 65)), QColor(0, 0, 0));  // marker outline
    EXPECT_EQ(QColor(shot.pixel(320, 100)), red);    // curve at (200, 20)
    // The title's ink lies left of the labels, above (12, H/2 + 30).
    int ink = 0;
    for (int x = 10; x < 30; ++x)
        for (int y = 100; y < 150; ++y)
            ink += qGray(shot.pixel(x, y)) < 128;
    EXPECT_GT(ink, 20);

    // A curve far beyond the limits is cut at the frame, not drawn over the
    // labels and the margins.
    p.wnd->SetCurveData({}, Line({{0, -5000}, {500, 5000}, {1000, -5000}}), CURVE_POSITION);
    const QImage cut = p.wnd->grab().toImage();
    int outside = 0, inside = 0;
    for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x)
            if (QColor(cut.pixel(x, y)) == red)
                ++(QRect(QPoint(120, 20), QPoint(1120, 220)).contains(QPoint(x, y)) ? inside : outside);
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 0);

    // The automatic value range fits the curve and centres balanced swings.
    const struct {
        CurveKind kind;
        std::vector<PlotPoint> curve;
        double max, min;
    } cases[] = {
        {CURVE_SPEED, {{0, 0}, {10, -3}, {20, 3}, {30, 1}}, 3.6, -3.6},
        {CURVE_POSITION, {{0, 0}, {10, 100}, {20, 40}}, 110, -10},
        {CURVE_POSITION, {{0, -1}, {10, 4}}, 4.5, -1.5},  // lopsided: centred on the data, not on zero
        {CURVE_POSITION, {}, 1, -1},
        {CURVE_ACCEL, {{0, 5}, {1000, 5}}, 8, 2},  // flat: a symmetric range about it
        {CURVE_ACCEL, {{0, 0}, {1000, 0}}, 1, -1},
    };
    for (const auto& c : cases) {
        p.wnd->SetCurveData({}, c.curve, c.kind);
        p.wnd->AutoScaleY();
        EXPECT_NEAR(p.wnd->m_yMax, c.max, 1e-9) << c.curve.size();
        EXPECT_NEAR(p.wnd->m_yMin, c.min, 1e-9) << c.curve.size();
    }
}

TEST(CurveWnd, DataListsFollowTheKindHoverShowsCoordinatesAndTheBalloonKeepsOutOfTheWay)
{
    const std::vector<ECamCurveSample> samples = {
        {0, 1, 0, 2, 0, 3, true}, {250, 12.5, 250, 0.5, 250, -1, false}, {1000, 7, 1000, 8, 1000, 9, true}};
    Plot p;
    p.parent.show();  // hover moves reach shown windows only
    std::vector<PlotPoint> keys, curve;
    CECamCurveWnd::BuildLists(samples, CURVE_POSITION, keys, curve);
    p.wnd->SetCurveData(keys, curve, CURVE_ACCEL);
    EXPECT_TRUE(p.wnd->KeyPoints().empty());  // never kept for acceleration
    p.wnd->SetCurveData(keys, curve, CURVE_POSITION);
    EXPECT_EQ(p.wnd->KeyPoints().size(), 2u);

    // Zones of 4 x 4 pixels around each curve point, right/bottom exclusive.
    const QPoint at = p.wnd->DataToPixel({250, 12.5});
    EXPECT_EQ(p.wnd->TipTextAt(at), QStringLiteral("x:250.000000\r\ny:12.500000"));
    EXPECT_EQ(p.wnd->TipTextAt(at + QPoint(-2, -2)), p.wnd->TipTextAt(at));
    EXPECT_TRUE(p.wnd->TipTextAt(at + QPoint(2, 0)).isEmpty());

    // Moving the mouse there arms the balloon with that text at the cursor.
    p.wnd->ToolTip()->SetCursorSource([] { return QPoint(700, 500); });
    QTest::mouseMove(p.wnd, at);
    EXPECT_EQ(p.wnd->ToolTip()->Text(), QStringLiteral("x:250.000000\r\ny:12.500000"));
    EXPECT_EQ(p.wnd->ToolTip()->Anchor(), QPoint(700, 500));

    // With a marker there, the balloon never shows after a click, over a
    // menu or during a drag.
    p.wnd->SetCurveData(Line({{0, 0}, {250, 12.5}, {1000, 0}}), Line({{0, 0}, {250, 12.5}, {1000, 0}}), CURVE_SPEED);
    CSpecToolTip* tip = p.wnd->ToolTip();
    tip->SetShowDelay(10);
    // Armed by hovering, then a click: the balloon must not follow.
    QTest::mouseMove(p.wnd, at + QPoint(0, -1));
    ASSERT_TRUE(tip->IsTimerRunning(CSpecToolTip::kShowTimer));
    QTest::mouseClick(p.wnd, Qt::LeftButton, {}, QPoint(600, 200));
    QTRY_VERIFY_WITH_TIMEOUT(!tip->IsTimerRunning(CSpecToolTip::kShowTimer), 2000);
    EXPECT_FALSE(tip->isVisible());

    // A menu opened by a right press the window never sees (the panel's
    // context menu takes it first): no balloon over the open menu.
    QTest::mouseMove(p.wnd, at + QPoint(1, 0));
    ASSERT_TRUE(tip->IsTimerRunning(CSpecToolTip::kShowTimer));
    QMenu menu;
    menu.addAction(QStringLiteral("x"));
    menu.popup(QPoint(600, 400));
    EXPECT_TRUE(menu.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!tip->IsTimerRunning(CSpecToolTip::kShowTimer), 2000);
    EXPECT_FALSE(tip->isVisible());
    menu.close();

    // Moving a marker over the curve with the button held arms nothing.
    QTest::mousePress(p.wnd, Qt::LeftButton, {}, at);
    ASSERT_TRUE(p.wnd->IsDragging());
    QTest::mouseMove(p.wnd, at + QPoint(0, 1));
    EXPECT_FALSE(tip->IsTimerRunning(CSpecToolTip::kShowTimer));
    QTest::mouseRelease(p.wnd, Qt::LeftButton, {}, at + QPoint(0, 1));
    EXPECT_FALSE(tip->IsTimerRunning(CSpecToolTip::kShowTimer));
    EXPECT_FALSE(tip->isVisible());
}

TEST(CurveWnd, LimitEditorTakesNumbersThatKeepTheRangeAndEndsByAnyClickElsewhere)
{
    // Two speed plots from -10 to 10 and a widget beside them.
    CurveStack s({CURVE_SPEED, CURVE_SPEED}, {{0, 0, 0, kECamPoly}, {1000, 0, 0, kECamPoly}}, -10, 10);
    CECamCurveWnd* a = s.plots[0];
    CECamCurveWnd* b = s.plots[1];
    QWidget* other = new QWidget(&s.parent);
    other->setGeometry(1150, 0, 40, 40);
    s.parent.show();

    CSpecEdit* edit = s.ClickLabel(a, true);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit->isHidden());
    EXPECT_EQ(edit->geometry(), QRect(30, 10, 88, 20));
    EXPECT_EQ(edit->text(), QStringLiteral("10.000000"));
    EXPECT_EQ(edit->selectedText(), edit->text());

    // Letters: the editor closes, the limit stays.
    s.TypeAndEnter(edit, QStringLiteral("abc"));
    EXPECT_TRUE(edit->isHidden());
    EXPECT_EQ(a->m_yMax, 10.0);

    // -5 above a lower limit of -10 becomes the upper limit.
    s.TypeAndEnter(s.ClickLabel(a, true), QStringLiteral("-5"));
    EXPECT_EQ(a->m_yMax, -5.0);
    a->m_yMax = 10;

    // 20 as lower limit under an upper limit of 10 is dropped silently.
    edit = s.ClickLabel(a, false);
    EXPECT_EQ(edit->geometry(), QRect(30, 240 - 30, 88, 20));
    EXPECT_EQ(edit->text(), QStringLiteral("-10.000000"));
    s.TypeAndEnter(edit, QStringLiteral("20"));
    EXPECT_EQ(a->m_yMin, -10.0);
    EXPECT_TRUE(edit->isHidden());

    // An empty text is numeric and reads as 0.
    s.TypeAndEnter(s.ClickLabel(a, false), QString());
    EXPECT_EQ(a->m_yMin, 0.0);
    // A second end notice (the later focus loss) changes nothing.
    EXPECT_EQ(SendModuleMessage(a, WM_EDIT_END), 0);
    EXPECT_EQ(a->m_yMin, 0.0);
    a->m_yMin = -10;

    // Escape abandons the typed text.
    edit = s.ClickLabel(a, true);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("77"));
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(edit->isHidden());
    QCoreApplication::processEvents();  // a focus-loss notice, if any
    EXPECT_EQ(a->m_yMax, 10.0);

    // Clicking the other label discards the typed text and edits that limit.
    edit = s.ClickLabel(a, true);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("77"));
    s.ClickLabel(a, false);
    EXPECT_EQ(a->EditingLimit(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("-10.000000"));
    EXPECT_EQ(edit->y(), 240 - 30);
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(a->m_yMax, 10.0);
    EXPECT_EQ(a->m_yMin, -10.0);

    // A click in the editor's own plot applies the typed value at once (sent,
    // not posted); so does a click in the other plot or on any other widget.
    const struct {
        bool upper;
        const char* typed;
        QWidget* clicked;
        double CECamCurveWnd::*limit;
        double value;
    } clicks[] = {{true, "250.5", a, &CECamCurveWnd::m_yMax, 250.5},
                  {true, "7.5", b, &CECamCurveWnd::m_yMax, 7.5},
                  {false, "-2", other, &CECamCurveWnd::m_yMin, -2}};
    for (const auto& c : clicks) {
        edit = s.ClickLabel(a, c.upper);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        QTest::mouseClick(c.clicked, Qt::LeftButton, {}, c.clicked == other ? QPoint(5, 5) : QPoint(600, 120));
        EXPECT_TRUE(edit->isHidden()) << c.typed;
        EXPECT_EQ(a->*c.limit, c.value);
    }
    EXPECT_EQ(b->m_yMax, 10.0);
}
