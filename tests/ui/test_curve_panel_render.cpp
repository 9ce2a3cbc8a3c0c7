// The three curve windows inside a real panel at the sizes hosts use, with
// the default cam, a 1500-point cam (also zoomed in as deep as the view
// goes) and limits of +-1e8: every axis label stays whole, apart from the
// others and inside its window. With ECAM_SHOT_DIR set, the panels are also
// saved there as PNG.
#include "curve_label_checks.h"
#include "tests/support/panel_harness.h"
#include "ui/c_number.h"

#include <QDir>
#include <cmath>

namespace {

struct Size {
    int w, h;
};

class CurveLabelsInPanel : public PanelHarness, public ::testing::WithParamInterface<Size> {
protected:
    CurveLabelsInPanel() : PanelHarness(QSize(GetParam().w, GetParam().h), Show::kExposed) {}

    void ExpectLabelsFit(const char* cam)
    {
        for (CECamCurveWnd* wnd : {PositionCurve(), SpeedCurve(), AccelCurve()}) {
            wnd->grab();
            ASSERT_GE(wnd->LabelRects().size(), 4u) << cam;
            ExpectLabelsApartAndInside(wnd, std::string(cam) + " " + wnd->Title().toStdString());
        }
        Save(cam);
    }

    void Save(const char* cam)
    {
        const QString dir = qEnvironmentVariable("ECAM_SHOT_DIR");
        if (dir.isEmpty())
            return;
        QDir().mkpath(dir);
        dlg->grab().save(QStringLiteral("%1/curves-%2-%3x%4.png").arg(dir).arg(cam).arg(GetParam().w).arg(GetParam().h));
    }
};

} // namespace

TEST_P(CurveLabelsInPanel, DefaultLongAndHugeCamsKeepTheirLabelsApart)
{
    ExpectLabelsFit("default");

    std::vector<ECamPoint> many;
    for (int i = 0; i < 1500; ++i) {
        const double m = 1000.0 * i / 1499.0;
        many.push_back(Pt(m, 200.0 * std::sin(m / 80.0), 0.0, 1));
    }
    dlg->LoadPoints(many);
    for (CECamCurveWnd* wnd : {PositionCurve(), SpeedCurve(), AccelCurve()})
        wnd->AutoScaleY();
    ExpectLabelsFit("1500points");

    // Zoomed as deep as the wheel goes, both axes: longer numbers, still apart.
    PositionCurve()->ZoomMaster(333.3, 1e-9);
    for (CECamCurveWnd* wnd : {PositionCurve(), SpeedCurve(), AccelCurve()})
        wnd->ZoomValue(wnd->m_yMin / 3, 1e-9);
    ASSERT_TRUE(AccelCurve()->IsMasterZoomed());
    ExpectLabelsFit("zoomed");
    PositionCurve()->ResetView();

    dlg->LoadPoints({Pt(0, -1e8, 0, 1), Pt(500, 1e8, 0, 1), Pt(1000, -1e8, 0, 1)});
    for (CECamCurveWnd* wnd : {PositionCurve(), SpeedCurve(), AccelCurve()}) {
        wnd->m_yMax = 1e8;
        wnd->m_yMin = -1e8;
    }
    ExpectLabelsFit("1e8");
    // The lowest label of the position plot is the whole lower limit.
    const auto& labels = PositionCurve()->LabelRects();
    EXPECT_EQ(CToF(labels.back().text), -1e8);
}

INSTANTIATE_TEST_SUITE_P(PanelSizes, CurveLabelsInPanel,
                         ::testing::Values(Size{640, 480}, Size{800, 600}, Size{1280, 800}),
                         [](const auto& info) {
                             return std::to_string(info.param.w) + "x" + std::to_string(info.param.h);
                         });
