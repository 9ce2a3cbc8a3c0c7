// The three curve windows inside a real panel at the sizes the layout allows,
// with several cams (the default, 1500 points, limits of +-500, +-1e8 and
// +-1e300, key points in all four corners) at several zooms reached by wheel notches: every plot
// stays readable (curve_label_checks.h). With ECAM_SHOT_DIR set, the panels
// are also saved there as PNG.
#include "curve_label_checks.h"
#include "tests/support/panel_harness.h"
#include "tests/support/wheel.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace {

struct Size {
    int w, h;
};

class CurveLabelsInPanel : public PanelHarness, public ::testing::WithParamInterface<Size> {
protected:
    CurveLabelsInPanel() : PanelHarness(QSize(GetParam().w, GetParam().h), Show::kExposed) {}

    std::vector<CECamCurveWnd*> Plots() { return {PositionCurve(), SpeedCurve(), AccelCurve()}; }

    // Notch by notch, a third of the way across.
    void Wheel(CECamCurveWnd* wnd, int notches, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        for (int i = 0; i < notches; ++i)
            ::Wheel(wnd, QPoint(wnd->width() / 3, wnd->height() / 2), 1, mods);
    }

    void ExpectReadable(const std::string& what)
    {
        for (CECamCurveWnd* wnd : Plots()) {
            ExpectLabelsApartAndInside(wnd, what + " " + wnd->Title().toStdString());
            ASSERT_GE(wnd->LabelRects().size(), 4u) << what;
        }
        const QString dir = qEnvironmentVariable("ECAM_SHOT_DIR");
        if (!dir.isEmpty() && QDir().mkpath(dir))
            dlg->grab().save(QStringLiteral("%1/curves-%2-%3x%4.png")
                                 .arg(dir, QString::fromStdString(what))
                                 .arg(GetParam().w)
                                 .arg(GetParam().h));
    }
};

} // namespace

TEST_P(CurveLabelsInPanel, EveryCamAtEveryZoomKeepsLabelsWholeAndTheReadOutClear)
{
    std::vector<ECamPoint> many;
    for (int i = 0; i < 1500; ++i) {
        const double m = 1000.0 * i / 1499.0;
        many.push_back(Pt(m, 200.0 * std::sin(m / 80.0), 0.0, 1));
    }
    const struct {
        const char* name;
        std::vector<ECamPoint> points;  // empty: the cam shown before (at first the panel's default)
        double limit;                   // fixed +-limit, 0: fitted to the curve
    } cams[] = {
        {"default", {}, 0},
        {"1500points", many, 0},
        {"1e8", {Pt(0, -1e8, 0, 1), Pt(500, 1e8, 0, 1), Pt(1000, -1e8, 0, 1)}, 1e8},
        {"500", {}, 500},
        {"1e300", {}, 1e300},   // no fixed-point text fits: exponent form, sign first
        {"corners", {Pt(0, 100, 0, 1), Pt(20, -100, 0, 1), Pt(980, -100, 0, 1), Pt(1000, 100, 0, 1)}, 0},
    };
    for (const auto& cam : cams) {
        for (CECamCurveWnd* wnd : Plots())
            wnd->ResetView();
        if (!cam.points.empty())
            dlg->LoadPoints(cam.points);
        for (CECamCurveWnd* wnd : Plots()) {
            if (cam.limit != 0) {
                wnd->m_yMax = cam.limit;
                wnd->m_yMin = -cam.limit;
            } else if (!cam.points.empty()) {
                wnd->AutoScaleY();
            }
        }
        const std::string name = cam.name;
        ExpectReadable(name);
        if (cam.limit != 0) {   // the whole limits, "%f" as long as it fits
            const auto& labels = PositionCurve()->LabelRects();
            const auto firstY = std::find_if(labels.begin(), labels.end(), [](const AxisLabel& l) { return l.yAxis; });
            ASSERT_NE(firstY, labels.end());
            EXPECT_EQ(CToF(firstY->text), cam.limit) << name;
            EXPECT_EQ(CToF(labels.back().text), -cam.limit) << name;
            if (cam.limit == 500) {
                EXPECT_EQ(labels.back().text, QStringLiteral("-500.000000"));
            }
        }
        // Three notches of the master axis (a step of 5.12 per grid line at
        // 1000), then the value axes, then as deep as the wheel goes.
        Wheel(PositionCurve(), 3);
        ASSERT_TRUE(AccelCurve()->IsMasterZoomed());
        ExpectReadable(name + "-3notches");
        for (CECamCurveWnd* wnd : Plots())
            Wheel(wnd, 2, Qt::ControlModifier);
        ExpectReadable(name + "-valuezoom");
        Wheel(PositionCurve(), 60);
        for (CECamCurveWnd* wnd : Plots())
            Wheel(wnd, 60, Qt::ControlModifier);
        ExpectReadable(name + "-deepest");
    }
}

INSTANTIATE_TEST_SUITE_P(PanelSizes, CurveLabelsInPanel,
                         ::testing::Values(Size{800, 600}, Size{1024, 768}, Size{1366, 768}, Size{1920, 1080}),
                         [](const auto& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });
