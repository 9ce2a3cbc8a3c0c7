// One short session as a user has it: drag a point, zoom in, undo the drag
// with Ctrl+Z; the cam, the table, the three plots and the peak read-outs
// follow each step.
#include "tests/support/panel_harness.h"

#include <QWheelEvent>
#include <algorithm>

using EditSession = PanelTest;

TEST_F(EditSession, DragZoomAndUndoKeepPlotsTablePeaksAndCamTogether)
{
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(400, 100, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    QCoreApplication::processEvents();
    const auto start = Points();
    CECamCurveWnd* pos = PositionCurve();
    ASSERT_EQ(pos->KeyPoints().size(), 3u);
    const QString peaksBefore = pos->PeakText();

    // Drag the middle point up: the cam stays ordered, the table, the other
    // plots and the read-out are refreshed from it.
    const QPoint from = pos->DataToPixel(pos->KeyPoints()[1]);
    QTest::mousePress(pos, Qt::LeftButton, {}, from);
    QTest::mouseMove(pos, from + QPoint(0, -15));
    QTest::mouseMove(pos, from + QPoint(0, -30));
    QTest::mouseRelease(pos, Qt::LeftButton, {}, from + QPoint(0, -30));
    const auto dragged = Points();
    ASSERT_EQ(dragged.size(), 3u);
    ASSERT_GT(dragged[1].slave, start[1].slave);
    EXPECT_EQ(Cell(1, kColSlave), QString::asprintf("%.3f", dragged[1].slave));
    EXPECT_EQ(SpeedCurve()->KeyPoints()[1].x, dragged[1].master);
    EXPECT_EQ(AccelCurve()->CurvePoints().size(), dlg->CamModel().Curve().size());
    double peak = 0.0;
    for (const PlotPoint& p : pos->CurvePoints())
        peak = std::max(peak, p.y);
    EXPECT_DOUBLE_EQ(peak, dragged[1].slave);
    EXPECT_EQ(pos->PeakText(), QString::asprintf("最大 %g @ %g  最小 0 @ 0", dragged[1].slave, dragged[1].master));

    // Zoom in around the point; the view changes, the cam does not.
    const QPointF at = pos->DataToPixel(pos->KeyPoints()[1]);
    QWheelEvent wheel(at, pos->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(pos, &wheel);
    ASSERT_TRUE(SpeedCurve()->IsMasterZoomed());
    EXPECT_EQ(Points(), dragged);

    // Ctrl+Z takes the drag back exactly; the zoom stays.
    QTest::keyClick(pos, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Points(), start);
    EXPECT_EQ(Cell(1, kColSlave), QStringLiteral("100.000"));
    EXPECT_EQ(pos->PeakText(), peaksBefore);
    EXPECT_TRUE(pos->IsMasterZoomed());
    EXPECT_TRUE(boxes.Calls().empty());
}
