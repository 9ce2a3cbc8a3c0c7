// One short session as a user has it: drag a point, zoom in, undo the drag
// with Ctrl+Z, export the curves as SVG; the peak read-outs follow each step.
#include "tests/support/panel_harness.h"
#include "ui/panel/curve_menu.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QXmlStreamReader>

using EditSession = PanelTest;

TEST_F(EditSession, DragZoomUndoAndExportKeepPlotsPeaksAndCamTogether)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    LoadCam({Pt(0, 0, 0, kECamPoly), Pt(400, 100, 0, kECamPoly), Pt(1000, 0, 0, kECamPoly)});
    QCoreApplication::processEvents();
    const auto start = Points();
    CECamCurveWnd* pos = PositionCurve();
    const QString peaksBefore = pos->PeakText();

    // Drag the middle point up: cam, table and read-out follow.
    const QPoint from = pos->DataToPixel(pos->KeyPoints()[1]);
    QTest::mousePress(pos, Qt::LeftButton, {}, from);
    QTest::mouseMove(pos, from + QPoint(0, -30));
    QTest::mouseRelease(pos, Qt::LeftButton, {}, from + QPoint(0, -30));
    const auto dragged = Points();
    ASSERT_GT(dragged[1].slave, start[1].slave);
    EXPECT_EQ(Cell(1, kColSlave), QString::asprintf("%.3f", dragged[1].slave));
    EXPECT_NE(pos->PeakText(), peaksBefore);

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

    // Export as SVG from the plot's menu: a well-formed drawing.
    const QString svg = dir.filePath(QStringLiteral("curves.svg"));
    ui->menus.QueueChoice(ID_EXPORT_CURVES);
    files.QueueAnswer(svg);
    QTest::mouseClick(pos, Qt::RightButton, {}, QPoint(300, 60));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    bool sawSvg = false;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("svg"))
            sawSvg = true;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(sawSvg);
    EXPECT_TRUE(boxes.Calls().empty());
}
