#pragma once
// CPlotPainter: paints one cam plot (title, curve, axis labels, grid, frame,
// key-point markers and the peak read-out) onto any QPainter, with Qt Gui
// only. The curve window paints its client area through it, and the picture
// export (the panel's "导出曲线图..." and "ecamctl render") paints the same
// plots into files, so a file shows exactly what the screen shows.
//
// The caller describes the plot in a PlotScene that only points at its data
// (it must outlive the Paint call). The painter keeps, between paints, what
// depends only on the axes and the size (label texts, fonts and boxes) and
// on the curve (the corner and laid-out text of the peak read-out), and for
// raster targets the texts and the grid as pictures, so a repaint that
// changes neither costs little more than the curve itself. One painter per plot;
// any one thread at a time.
#include "cam/cam_peaks.h"
#include "cam/ecam_curve_sample.h"
#include "ui/plot/plot_view.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QStaticText>
#include <QString>
#include <cstdint>
#include <span>
#include <vector>

class QPainter;
class QPaintDevice;

struct PlotPoint {
    double x = 0.0;  // master position
    double y = 0.0;  // slave position, normalized speed or acceleration
};

enum CurveKind : int32_t {
    CURVE_POSITION = 0,
    CURVE_SPEED = 1,
    CURVE_ACCEL = 2,
};

// The lists a plot of kind draws, taken from the sampled curve: every
// record's pair for kind, and for kinds 0 and 1 the key records' pairs.
void BuildPlotLists(const std::vector<ECamCurveSample>& samples, CurveKind kind, std::vector<PlotPoint>& keys,
                    std::vector<PlotPoint>& curve);
// The value range a plot fits to its curve: the curve's span, widened six
// times about its middle (about zero when it swings about equally both
// ways); a flat curve gets 0.6 of its level each way, or 1 about zero.
plotview::Range FitValueRange(std::span<const PlotPoint> curve);

// One axis label as the last paint laid it out: the ink box of its text
// (advance wide, digit height high) in plot pixels.
struct AxisLabel {
    QRect rect;
    QString text;
    bool yAxis = false;
};

// What one plot shows.
struct PlotScene {
    QSize size{};                     // the plot's pixels; (0, 0) is its top left
    QString title{};
    std::span<const PlotPoint> curve{};
    std::span<const PlotPoint> keys{};  // markers; drawn only when showKeys
    bool showKeys = true;
    QColor curveColor{0, 0, 255};
    plotview::Range xRange{};         // master range shown
    bool xZoomed = false;             // not the automatic [0, xMax]
    double yMin = -100.0;
    double yMax = 100.0;
    CamPeak peak{};
    // Changes whenever curve, keys or peak change; 0 means "unknown", and
    // then nothing that depends on the data is kept between paints.
    uint64_t dataVersion = 0;
};

class CPlotPainter {
public:
    // Plot layout (plot pixels).
    static constexpr int kLeft = 120;
    static constexpr int kMargin = 20;
    static constexpr int kMarkerHalf = 5;
    static constexpr int kYLabelRight = 118;
    static constexpr int kYLabelLeft = 30;

    // The axes of a scene, as every pixel of it is placed.
    static plotview::Axis XAxis(const PlotScene& s);
    static plotview::Axis YAxis(const PlotScene& s);
    // The frame inside which the curve is drawn (right and bottom edges
    // included).
    static QRect PlotArea(QSize size);
    // "最大 %g @ %g  最小 %g @ %g" (translated), empty without a valid peak.
    static QString PeakText(const CamPeak& peak);

    // Paints the scene; polylineOnly draws the background and the curve only.
    void Paint(QPainter& p, const PlotScene& s, bool polylineOnly = false);

    // What the last full paint laid out: the axis labels (x labels first)
    // and the read-out's box (empty if none).
    const std::vector<AxisLabel>& Labels() const { return m_labels; }
    QRect PeakRect() const { return m_peakRect; }

private:
    struct LabelKey {
        QSize size;
        plotview::Range x;
        bool xZoomed = false;
        double yMin = 0.0, yMax = 0.0;
        int dpiX = 0, dpiY = 0;
        bool operator==(const LabelKey&) const = default;
    };
    struct PeakKey {
        uint64_t dataVersion = 0;
        QSize size;
        plotview::Range x;
        double yMin = 0.0, yMax = 0.0;
        int dpiX = 0, dpiY = 0;
        bool showKeys = true;
        bool operator==(const PeakKey&) const = default;
    };

    void LayOutLabels(const PlotScene& s, QPaintDevice* device);
    // Title and axis labels, all outside the plot frame on white.
    void DrawTexts(QPainter& p, const PlotScene& s) const;
    void LayOutPeak(const PlotScene& s, QPaintDevice* device);
    // Where a read-out too tall for the margin above the frame goes.
    static QRect CornerFor(const PlotScene& s, QSize size);
    void DrawCurve(QPainter& p, const PlotScene& s) const;
    // Grid and frame.
    static void DrawLines(QPainter& p, QSize size);
    void BuildLines(QSize size);

    bool m_labelsValid = false;
    LabelKey m_labelKey;
    std::vector<AxisLabel> m_labels;
    std::vector<int> m_labelFont;        // index into m_fonts, per label
    std::vector<QFont> m_fonts;
    std::vector<int> m_labelInkTop;      // digit ink top per font

    // The texts rendered once on white, for raster targets: the strips left
    // of and below the frame are copied from it while the layout holds.
    QImage m_texts;
    QString m_textsTitle;
    bool m_textsValid = false;

    // Grid and frame on transparent, for raster targets, and the strips of
    // it that hold them.
    QImage m_lines;
    std::vector<QRect> m_lineStrips;

    bool m_peakValid = false;
    PeakKey m_peakKey;
    QRect m_peakRect;
    QString m_peakShown;
    QStaticText m_peakStatic;
    QPointF m_peakAt;
};
