#pragma once
// CECamCurveWnd: plots one cam curve (slave position, normalized speed or
// acceleration over the master axis) with grid, labels, a rotated title and
// key point markers, and lets the user drag key points (position and speed
// plots), edit the y limits by clicking their labels, and read coordinates
// from a hover balloon.
//
// The main dialog owns three of them and the CECamPointSet they read and
// change (pointSet is not owned). Each window keeps its own copies of the
// points it draws. After a completed drag the window has changed the point
// set itself and sends WM_CURVE_DRAG_END (wParam = kind) to its parent.
//
// The view can be zoomed and panned: the wheel zooms the master axis about
// the pointer, Ctrl+wheel the value axis, the middle button pans, and a
// double click on empty plot area or Home goes back to the automatic ranges
// ([0, xMax] and the y range set by the dialog, AutoScaleY or the limit
// editor). The master axis is shared by every curve window under the same
// parent, so the stacked plots stay aligned. A zoomed value axis is yMin and
// yMax themselves, so the limit editor edits what is shown. Each plot also
// shows the maximum and minimum of its curve in a corner of its frame.
// GUI thread only.
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "cam/cam_peaks.h"
#include "ui/module_message.h"
#include "ui/plot/plot_painter.h"
#include "ui/plot/plot_view.h"

class CECamPointSet;
struct ECamCurveSample;
class CSpecEdit;
class CSpecToolTip;

struct TipZone {
    QRect rect;    // client pixels, right/bottom exclusive as a point test
    double x, y;   // the sample it tells about; its text is made when shown
};

class CECamCurveWnd : public QWidget {
    Q_OBJECT
public:
    // Plot layout (client pixels).
    static constexpr int kLeft = CPlotPainter::kLeft;
    static constexpr int kMargin = CPlotPainter::kMargin;
    static constexpr int kMarkerHalf = CPlotPainter::kMarkerHalf;
    static constexpr int kZoneHalf = 2;
    // Y labels end here and stay right of the rotated title.
    static constexpr int kYLabelRight = CPlotPainter::kYLabelRight;
    static constexpr int kYLabelLeft = CPlotPainter::kYLabelLeft;

    explicit CECamCurveWnd(QWidget* parent = nullptr);
    ~CECamCurveWnd() override;

    // Makes this a visible child of parent with control id (object name "idc<id>").
    bool Create(QWidget* parent, int id);

    // The lists a window of kind draws, taken from the sampled curve: every
    // record's pair for kind, and for kinds 0 and 1 the key records' pairs.
    static void BuildLists(const std::vector<ECamCurveSample>& samples, CurveKind kind,
                           std::vector<PlotPoint>& keys, std::vector<PlotPoint>& curve);

    void SetCurveData(const std::vector<PlotPoint>& keys, const std::vector<PlotPoint>& curve, CurveKind kind);
    void AutoScaleY();
    void RebuildFromPointSet();
    void AddKeyPointAt(QPoint point);
    bool HitTestKeyPoint(QPoint point, int& index) const;
    bool HasKeyPointNear(QPoint point) const;
    void SetTitle(QString text) { m_title = std::move(text); }

    // The two coordinate mappings, reading the client size and the view
    // each time.
    QPoint DataToPixel(const PlotPoint& p) const;
    PlotPoint PixelToData(QPoint q) const;

    // ---- zoom and pan ----
    static constexpr double kWheelZoomStep = 1.25;  // span factor per wheel notch
    static constexpr double kMinSpanRatio = 1e-4;   // deepest zoom, of the automatic span
    static constexpr double kMaxSpanRatio = 100.0;  // widest zoom-out
    plotview::Axis XAxis() const;
    plotview::Axis YAxis() const;
    // The master range shown, and the automatic one [0, xMax].
    plotview::Range MasterRange() const;
    plotview::Range AutoMasterRange() const { return {0.0, XMax()}; }
    bool IsMasterZoomed() const { return m_xZoomed; }
    bool IsValueZoomed() const { return m_yZoomed; }
    // The y range the view returns to.
    plotview::Range HomeValueRange() const;
    // The curve windows sharing the master axis with this one (the curve
    // windows among its siblings, itself included), top to bottom.
    std::vector<CECamCurveWnd*> LinkedPlots() const;
    // Zooms (factor < 1: in) the master axis of all linked plots about
    // master position x, or this plot's value axis about value y.
    void ZoomMaster(double x, double factor);
    void ZoomValue(double y, double factor);
    // Moves the view by a pointer movement (pixels): the master axis of all
    // linked plots, the value axis of this one.
    void PanByPixels(QPoint delta);
    // Back to the automatic ranges: master axis of all linked plots, value
    // axis of this one.
    void ResetView();
    // Shows master range r (zoomed true) or the automatic one.
    void SetMasterView(bool zoomed, plotview::Range r);
    // A zoomed value range (kept within reach of home), redrawn.
    void SetValueView(const plotview::Range& home, const plotview::Range& r);

    // ---- peak read-out ----
    const CamPeak& Peak() const { return m_peak; }
    // "最大 %g @ %g  最小 %g @ %g", empty without a curve.
    QString PeakText() const;
    // Where the last paint put the read-out (client pixels), empty if none.
    QRect PeakRect() const { return m_painter.PeakRect(); }

    // The mouse rules, one step each (also used by the mouse handlers).
    QPoint ApplyDragConstraints(QPoint q) const;
    void CommitDrag(QPoint q);
    void ShowLimitEditor(const QRect& zone);
    LRESULT OnEditEnd();
    static bool IsNumericText(const QString& text);
    QString TipTextAt(QPoint point) const;

    QRect UpperLimitZone() const { return QRect(QPoint(30, 10), QPoint(117, 29)); }
    QRect LowerLimitZone() const { return QRect(QPoint(30, height() - 30), QPoint(117, height() - 11)); }

    // Read access for the dialog and tests.
    const std::vector<PlotPoint>& KeyPoints() const { return m_keyPoints; }
    const std::vector<PlotPoint>& CurvePoints() const { return m_curvePoints; }
    const std::vector<TipZone>& TipZones() const { return m_tipZones; }
    CurveKind Kind() const { return m_curveKind; }
    const QString& Title() const { return m_title; }
    bool IsDragging() const { return m_dragging; }
    int SelectedIndex() const { return m_selectedIndex; }
    PlotPoint DragOrigin() const { return m_dragOrigin; }
    int EditingLimit() const { return m_editingLimit; }
    CSpecEdit* LimitEditor() const { return m_limitEditor; }
    CSpecToolTip* ToolTip() const { return m_toolTip; }
    // The axis labels drawn by the last paint, x labels first.
    const std::vector<AxisLabel>& LabelRects() const { return m_painter.Labels(); }

    // What the plot shows now, for a painter (valid until the data changes).
    PlotScene Scene() const;
    // Paints the plot onto painter (client coordinates); the paint event
    // routes it through CMemoryDC. polylineOnly draws just the curve.
    void DrawPlot(QPainter& painter, bool polylineOnly = false) const;

    // Set directly by the dialog.
    CECamPointSet* m_pointSet = nullptr;
    double m_yMax = 100.0;
    double m_yMin = -100.0;
    QColor m_curveColor{0, 0, 255};
    bool m_showKeyPoints = true;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildTipZones();
    void MoveTipZones();
    double XMax() const;
    void EndDrag(QPoint q);
    void CloseLimitEditor();
    void DataChanged();
    QRect PlotArea() const;
    QPoint ClampToPlot(QPoint q) const;

    std::vector<PlotPoint> m_keyPoints;
    std::vector<PlotPoint> m_curvePoints;
    CurveKind m_curveKind = CURVE_POSITION;
    QString m_title = QStringLiteral("Position");
    PlotPoint m_dragOrigin;
    int m_selectedIndex = -1;
    bool m_dragging = false;
    QPoint m_lastDragPixel;  // where the marker was put last, for a missed release
    CSpecEdit* m_limitEditor = nullptr;  // child, created on first use
    int m_editingLimit = -1;
    std::vector<TipZone> m_tipZones;
    CSpecToolTip* m_toolTip = nullptr;   // child popup
    mutable CPlotPainter m_painter;   // keeps the layout between paints
    uint64_t m_dataVersion = 0;      // counts the changes of the plotted data

    bool m_xZoomed = false;
    plotview::Range m_xView;
    double m_xZoomExtent = 0.0;  // xMax when the zoom began; a new extent ends it
    bool m_yZoomed = false;
    plotview::Range m_yHome;     // the y range before the first zoom
    bool m_panning = false;
    QPoint m_panLast;
    CamPeak m_peak;
};
